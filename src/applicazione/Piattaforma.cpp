#include "applicazione/Piattaforma.h"

#include <QSettings>

// The desktop has the fonts (the font configuration maps Arial and Courier to installed families) and
// flags its keys' repeats.
void preparaPiattaforma(QApplication &) { }

// A school may turn the voice and automatic scanning on for a whole machine or for one account the standard
// way: /etc/xdg/Contalino/Contalino.conf or the user's ~/.config/Contalino/Contalino.conf on Linux, the
// registry's HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER\Software\Contalino\Contalino on Windows; the account's
// settings win over the machine's, the command line over both.
//   voce=true
//   scansione=2        (seconds; true for the usual pace, false for none)
QStringList opzioniDellaPiattaforma()
{
    const QSettings impostazioni(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Contalino"),
                                 QStringLiteral("Contalino"));
    QStringList opzioni;
    const auto vero = [](const QString &valore) {
        return valore == QLatin1String("true") || valore == QLatin1String("1") || valore == QLatin1String("sì");
    };
    const auto falso = [](const QString &valore) {
        return valore == QLatin1String("false") || valore == QLatin1String("0") || valore == QLatin1String("no");
    };
    const QString voce = impostazioni.value(QStringLiteral("voce")).toString().trimmed().toLower();
    if (vero(voce))
        opzioni << QStringLiteral("--voce");
    const QString scansione = impostazioni.value(QStringLiteral("scansione")).toString().trimmed().toLower();
    if (vero(scansione))
        opzioni << QStringLiteral("--scansione");
    else if (!scansione.isEmpty() && !falso(scansione))
        opzioni << QStringLiteral("--scansione=") + scansione;
    return opzioni;
}
