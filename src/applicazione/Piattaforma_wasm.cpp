#include "applicazione/Piattaforma.h"

#include "componenti/tasti/TastiTenuti.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QRegularExpression>
#include <QUrl>

#include <emscripten/val.h>

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

// The page's address gives the options a command line would: "?voce&scansione=2" is "--voce" and
// "--scansione=2". A name is letters alone, so that an address can only ever name an option; anything
// else is left out, and said in the log.
QStringList opzioniDellaPiattaforma()
{
    static const QRegularExpression soloLettere(QStringLiteral("^[A-Za-z]+$"));
    const QString ricerca
        = QString::fromStdString(emscripten::val::global("location")["search"].as<std::string>()).mid(1);
    QStringList opzioni;
    for (const QString &parametro : ricerca.split(QLatin1Char('&'), Qt::SkipEmptyParts)) {
        const qsizetype uguale = parametro.indexOf(QLatin1Char('='));
        const QString nome = parametro.left(uguale);
        if (!soloLettere.match(nome).hasMatch())
            qInfo("Contalino: parametro dell'indirizzo ignorato: %s", qPrintable(parametro));
        else if (uguale < 0)
            opzioni.append(QStringLiteral("--") + nome);
        else
            opzioni.append(QStringLiteral("--") + nome + QLatin1Char('=')
                           + QUrl::fromPercentEncoding(parametro.mid(uguale + 1).toUtf8()));
    }
    return opzioni;
}
