#include "applicazione/Avvio.h"

#include "Versione.h"
#include "applicazione/Piattaforma.h"
#include "componenti/finestre/Icona.h"
#include "componenti/finestre/Stile.h"
#include "componenti/tasti/RilevatoreRipetizione.h"
#include "componenti/tasti/ScansioneAutomatica.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <algorithm>

namespace Avvio {

void preparaApplicazione(QApplication &applicazione)
{
    QApplication::setApplicationName(QStringLiteral("Contalino"));
    QApplication::setApplicationDisplayName(QString());
    QApplication::setApplicationVersion(QLatin1String(VersioneContalino));
    // The installed launcher entry's name, so that the desktop matches the windows to it and its icon.
    QApplication::setDesktopFileName(QStringLiteral("it.contalino.Contalino"));
    // Before any window exists: the start screen's menu bar takes its overflow chevron from the style.
    QApplication::setStyle(new Stile);
    QApplication::setWindowIcon(Icona::programma());
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));

    auto *traduzioni = new QTranslator(&applicazione);
    // Qt's own Italian texts: installed beside Qt, or inside the program where nothing is installed.
    const QLocale italiano(QLocale::Italian, QLocale::Italy);
    if (traduzioni->load(italiano, QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))
        || traduzioni->load(italiano, QStringLiteral("qtbase"), QStringLiteral("_"), QStringLiteral(":/traduzioni"))) {
        QApplication::installTranslator(traduzioni);
    }

    // Under X11 a held key's repeats may come unflagged.
    if (QApplication::platformName() == QLatin1String("xcb"))
        applicazione.installEventFilter(new RilevatoreRipetizione(&applicazione));
    preparaPiattaforma(applicazione);
}

Opzioni leggiOpzioni(const QStringList &argomenti)
{
    using std::chrono::milliseconds;
    Opzioni opzioni;
    for (const QString &argomento : argomenti.mid(1)) {
        const QString nome = argomento.section(QLatin1Char('='), 0, 0);
        const bool conValore = argomento.contains(QLatin1Char('='));
        const QString valore = argomento.section(QLatin1Char('='), 1);
        const bool no = conValore && valore == QLatin1String("no");
        if (nome == QLatin1String("--voce") && (!conValore || no)) {
            opzioni.voce = !no;
        } else if (nome == QLatin1String("--scansione")) {
            if (no) {
                opzioni.scansione.reset();
                continue;
            }
            milliseconds intervallo = ScansioneAutomatica::IntervalloPredefinito;
            if (conValore) {
                bool numero = false;
                const double secondi = QString(valore).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&numero);
                if (numero && secondi > 0)
                    intervallo
                        = std::clamp(milliseconds(qRound64(secondi * 1000)), ScansioneAutomatica::IntervalloMinimo,
                                     ScansioneAutomatica::IntervalloMassimo);
                if (!numero || intervallo != milliseconds(qRound64(secondi * 1000)))
                    qInfo("Contalino: %s: la scansione va da 0,5 a 10 secondi; uso %.1f secondi", qPrintable(argomento),
                          double(intervallo.count()) / 1000);
            }
            opzioni.scansione = intervallo;
        } else {
            qInfo("Contalino: opzione sconosciuta, ignorata: %s", qPrintable(argomento));
        }
    }
    return opzioni;
}

} // namespace Avvio
