#include "componenti/tasti/FiltroPulsanti.h"

#include "componenti/tasti/CodiciTasto.h"

#include <QAbstractButton>
#include <QKeyEvent>

bool FiltroPulsanti::eventFilter(QObject *oggetto, QEvent *evento)
{
    switch (evento->type()) {
    case QEvent::KeyPress:
        return RilevatoreRipetizione::globale().pressione(static_cast<QKeyEvent *>(evento));
    case QEvent::KeyRelease: {
        auto *tasto = static_cast<QKeyEvent *>(evento);
        RilevatoreRipetizione::globale().rilascio(tasto);
        return tasto->isAutoRepeat();
    }
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
