#include "app/Avvio.h"

#include "Versione.h"
#include "finestre/Icona.h"
#include "finestre/Stile.h"
#include "input/CodiciTasto.h"
#include "screens/Navigazione.h"

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
    if (traduzioni->load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(traduzioni);
    }

    RilevatoreRipetizione::globale().setConfrontaIstanti(QApplication::platformName() == QLatin1String("xcb"));
}

void mostraInizio(Serie &serie)
{
    Navigazione::apriInizio(serie);
}

} // namespace Avvio
