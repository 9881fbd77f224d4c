#include "applicazione/Piattaforma.h"

#include "componenti/tasti/TastiTenuti.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QRegularExpression>
#include <QUrl>

#include <emscripten.h>
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <cstdint>

namespace {

// Qt's key for the browser's code of a key going up, for the keys a child or a switch uses; 0 for others.
int tastoQt(unsigned long codice)
{
    if ((codice >= '0' && codice <= '9') || (codice >= 'A' && codice <= 'Z'))
        return int(codice);
    if (codice >= 96 && codice <= 105) // the numeric keypad's digits
        return Qt::Key_0 + int(codice - 96);
    switch (codice) {
    case 8:
        return Qt::Key_Backspace;
    case 9:
        return Qt::Key_Tab;
    case 13:
        return Qt::Key_Return;
    case 27:
        return Qt::Key_Escape;
    case 32:
        return Qt::Key_Space;
    case 37:
        return Qt::Key_Left;
    case 38:
        return Qt::Key_Up;
    case 39:
        return Qt::Key_Right;
    case 40:
        return Qt::Key_Down;
    case 106:
        return Qt::Key_Asterisk;
    default:
        return 0;
    }
}

// Every key-up the page sees, before Qt: a message box that closed on the key-down takes its key-up along
// to no window, and the held keys' filter must still learn that the key is free.
void tastoSu(std::uintptr_t tenuti, int codice)
{
    auto *filtro = reinterpret_cast<TastiTenuti *>(tenuti);
    if (const int tasto = tastoQt(static_cast<unsigned long>(codice))) {
        filtro->rilasciato(tasto);
        if (tasto == Qt::Key_Return)
            filtro->rilasciato(Qt::Key_Enter);
    }
}

EMSCRIPTEN_BINDINGS(tasti_nella_pagina)
{
    emscripten::function("contalinoTastoSu", &tastoSu);
}

// A listener of the page's own, beside Qt's: it takes nothing from them. The body is JavaScript, which
// clang-format does not know.
// clang-format off
EM_JS(void, ascoltaTastiSu, (std::uintptr_t tenuti), {
    document.addEventListener('keyup', function(evento) {
        try {
            Module.contalinoTastoSu(tenuti, evento.keyCode);
        } catch (e) {
            console.warn('Contalino: tasto rilasciato non annotato', e);
        }
    }, true);
});
// clang-format on

} // namespace

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

    auto *tenuti = new TastiTenuti(&applicazione);
    applicazione.installEventFilter(tenuti);
    ascoltaTastiSu(reinterpret_cast<std::uintptr_t>(tenuti));
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
