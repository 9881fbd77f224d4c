#pragma once

#include "stampa/Stampante.h"

#include <QEvent>
#include <QString>

#include <memory>

// Where the page goes when "STAMPA LE OPERAZIONI" is pressed: the system's default printer on the desktop
// (Uscita.cpp); in the browser (Uscita_wasm.cpp), the browser itself, which saves the page as a PDF and
// opens its print dialog on it.
std::unique_ptr<Stampante> stampantePredefinita();

// Where the page is saved as a PDF when it did not go out: the user's documents folder on the desktop
// (the home folder when there is none). None in the browser, whose files live in the page's memory and
// vanish with it: there the message says that the page was not saved, and a new press tries again.
QString cartellaDiRiserva();

// What the teacher must be told of a page after it went out: in the browser, a print dialog refused once
// the press has returned. Posted to the application, whose navigator shows it on the print screen, or
// over whatever window is active.
class NotaTardiva : public QEvent
{
public:
    explicit NotaTardiva(const QString &testo)
        : QEvent(tipo())
        , m_testo(testo)
    { }

    static QEvent::Type tipo()
    {
        static const auto registrato = QEvent::Type(QEvent::registerEventType());
        return registrato;
    }

    const QString &testo() const { return m_testo; }

private:
    QString m_testo;
};
