#include "componenti/tasti/FiltroPulsanti.h"

#include <QAbstractButton>
#include <QKeyEvent>

FiltroPulsanti::FiltroPulsanti(const QList<QAbstractButton *> &pulsanti, QObject *parent)
    : QObject(parent)
    , m_pulsanti(pulsanti)
{
    for (QAbstractButton *pulsante : pulsanti)
        pulsante->installEventFilter(this);
}

bool FiltroPulsanti::eventFilter(QObject *oggetto, QEvent *evento)
{
    const auto indice = m_pulsanti.indexOf(qobject_cast<QAbstractButton *>(oggetto));
    switch (evento->type()) {
    case QEvent::KeyPress: {
        auto *tasto = static_cast<QKeyEvent *>(evento);
        if (tasto->isAutoRepeat())
            return true;
        if (indice < 0)
            break;
        if (tasto->key() == Qt::Key_Space) {
            // The next button that can take the focus, wrapping round.
            for (qsizetype passo = 1; passo <= m_pulsanti.size(); ++passo) {
                QAbstractButton *prossimo = m_pulsanti.at((indice + passo) % m_pulsanti.size());
                if (prossimo->isEnabled()) {
                    prossimo->setFocus(Qt::TabFocusReason);
                    break;
                }
            }
            return true;
        }
        if (tasto->key() == Qt::Key_Return || tasto->key() == Qt::Key_Enter) {
            m_pulsanti.at(indice)->click();
            return true;
        }
        break;
    }
    case QEvent::KeyRelease: {
        auto *tasto = static_cast<QKeyEvent *>(evento);
        return tasto->isAutoRepeat() || (indice >= 0 && tasto->key() == Qt::Key_Space);
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        // Any mouse button, at the press: a child who slips off the button has still pressed it. The
        // second press of a double click is a press too.
        if (indice < 0)
            break;
        QAbstractButton *pulsante = m_pulsanti.at(indice);
        if (pulsante->isEnabled()) {
            if (pulsante->focusPolicy() & Qt::ClickFocus)
                pulsante->setFocus(Qt::MouseFocusReason);
            pulsante->click();
        }
        return true;
    }
    case QEvent::MouseButtonRelease:
        // The press has already acted; the release must not act again.
        return indice >= 0;
    default:
        break;
    }
    return QObject::eventFilter(oggetto, evento);
}
