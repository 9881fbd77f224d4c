#include "applicazione/Avvio.h"

#include "Versione.h"
#include "applicazione/Piattaforma.h"
#include "componenti/finestre/Icona.h"
#include "componenti/finestre/Stile.h"
#include "componenti/tasti/RilevatoreRipetizione.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

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
    Opzioni opzioni;
    for (const QString &argomento : argomenti.mid(1)) {
        if (argomento == QLatin1String("--voce"))
            opzioni.voce = true;
        else
            qInfo("Contalino: opzione sconosciuta, ignorata: %s", qPrintable(argomento));
    }
    return opzioni;
}

} // namespace Avvio
