#include "applicazione/Piattaforma.h"

#include "componenti/tasti/TastiTenuti.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QFontDatabase>

void preparaPiattaforma(QApplication &applicazione)
{
    // The browser lends no fonts: the Liberation families, metric twins of Arial and Courier New, are
    // inside the program, and answer to the names the screens and the page use.
    const QDir caratteri(QStringLiteral(":/caratteri"));
    for (const QString &file : caratteri.entryList({QStringLiteral("*.ttf")}))
        QFontDatabase::addApplicationFont(caratteri.filePath(file));
    for (const char *nome : {"Arial", "MS Sans Serif", "Helvetica"})
        QFont::insertSubstitution(QLatin1String(nome), QStringLiteral("Liberation Sans"));
    for (const char *nome : {"Courier", "Courier New"})
        QFont::insertSubstitution(QLatin1String(nome), QStringLiteral("Liberation Mono"));
    QApplication::setFont(QFont(QStringLiteral("Liberation Sans")));

    applicazione.installEventFilter(new TastiTenuti(&applicazione));
}

QStringList opzioniDellaPiattaforma()
{
    return {};
}
