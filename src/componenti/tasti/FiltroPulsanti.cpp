#include "componenti/tasti/FiltroPulsanti.h"

#include <QAbstractButton>
#include <QKeyEvent>

bool FiltroPulsanti::eventFilter(QObject *oggetto, QEvent *evento)
{
    switch (evento->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return static_cast<QKeyEvent *>(evento)->isAutoRepeat();
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        // Any mouse button, at the press: a child who slips off the button has still pressed it. The
        // second press of a double click is a press too.
        auto *pulsante = qobject_cast<QAbstractButton *>(oggetto);
        if (!pulsante)
            break;
        if (pulsante->isEnabled()) {
            if (pulsante->focusPolicy() & Qt::ClickFocus)
                pulsante->setFocus(Qt::MouseFocusReason);
            pulsante->click();
        }
        return true;
    }
    case QEvent::MouseButtonRelease:
        // The press has already acted; the release must not act again.
        return qobject_cast<QAbstractButton *>(oggetto) != nullptr;
    default:
        break;
    }
    return QObject::eventFilter(oggetto, evento);
}
