#include "componenti/tasti/FiltroPulsanti.h"

#include "componenti/tasti/EventoScansione.h"

#include <QAbstractButton>
#include <QKeyEvent>

#include <algorithm>

FiltroPulsanti::FiltroPulsanti(const QList<QAbstractButton *> &pulsanti, QObject *parent)
    : QObject(parent)
    , m_pulsanti(pulsanti)
{
    for (QAbstractButton *pulsante : pulsanti)
        pulsante->installEventFilter(this);
}

// The next button that can take the focus after `indice`, wrapping round; the focus goes there.
void FiltroPulsanti::passo(qsizetype indice)
{
    for (qsizetype passo = 1; passo <= m_pulsanti.size(); ++passo) {
        QAbstractButton *prossimo = m_pulsanti.at((indice + passo) % m_pulsanti.size());
        if (prossimo->isEnabled()) {
            prossimo->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

bool FiltroPulsanti::eventFilter(QObject *oggetto, QEvent *evento)
{
    const auto indice = m_pulsanti.indexOf(qobject_cast<QAbstractButton *>(oggetto));
    if (evento->type() == EventoScansione::tipo() && indice >= 0) {
        // Automatic scanning: a step as the space bar's, the choice as Enter's.
        auto *scansione = static_cast<EventoScansione *>(evento);
        if (scansione->azione() == EventoScansione::Azione::Scelta) {
            m_pulsanti.at(indice)->click();
        } else {
            scansione->elementi = int(std::count_if(m_pulsanti.cbegin(), m_pulsanti.cend(),
                                                    [](const QAbstractButton *p) { return p->isEnabled(); }));
            passo(indice);
        }
        return true;
    }
    switch (evento->type()) {
    case QEvent::KeyPress: {
        auto *tasto = static_cast<QKeyEvent *>(evento);
        if (tasto->isAutoRepeat())
            return true;
        if (indice < 0)
            break;
        if (tasto->key() == Qt::Key_Space) {
            passo(indice);
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
