#include "applicazione/Piattaforma.h"

#include "applicazione/Impostazioni.h"

// The desktop has the fonts (the font configuration maps Arial and Courier to installed families) and
// flags its keys' repeats.
void preparaPiattaforma(QApplication &) { }

// A school may turn the voice and automatic scanning on for a whole machine or for one account, the
// standard way of each system (Impostazioni_*): the account's settings win over the machine's, the
// command line over both.
//   voce=true
//   scansione=2        (seconds; true for the usual pace, false for none)
QStringList opzioniDellaPiattaforma()
{
    const auto vero = [](const QString &valore) {
        return valore == QLatin1String("true") || valore == QLatin1String("1") || valore == QLatin1String("sì");
    };
    const auto falso = [](const QString &valore) {
        return valore == QLatin1String("false") || valore == QLatin1String("0") || valore == QLatin1String("no");
    };
    QStringList opzioni;
    if (vero(impostazione(QStringLiteral("voce")).trimmed().toLower()))
        opzioni << QStringLiteral("--voce");
    const QString scansione = impostazione(QStringLiteral("scansione")).trimmed().toLower();
    if (vero(scansione))
        opzioni << QStringLiteral("--scansione");
    else if (!scansione.isEmpty() && !falso(scansione))
        opzioni << QStringLiteral("--scansione=") + scansione;
    return opzioni;
}
