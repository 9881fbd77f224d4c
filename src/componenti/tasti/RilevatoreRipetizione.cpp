#include "componenti/tasti/RilevatoreRipetizione.h"

#include "componenti/tasti/CodiciTasto.h"

#include <QCoreApplication>
#include <QKeyEvent>

bool RilevatoreRipetizione::pressione(int tasto, unsigned long istante, bool ripetizioneSegnalata)
{
    const bool stessoIstante = m_confrontaIstanti && m_rilascioNoto && istante != 0 && tasto == m_tastoRilasciato
                               && istante == m_istanteRilascio;
    m_rilascioNoto = false;
    return ripetizioneSegnalata || stessoIstante;
}

void RilevatoreRipetizione::rilascio(int tasto, unsigned long istante, bool ripetizioneSegnalata)
{
    m_rilascioNoto = !ripetizioneSegnalata;
    m_tastoRilasciato = tasto;
    m_istanteRilascio = istante;
}

bool RilevatoreRipetizione::eventFilter(QObject *oggetto, QEvent *evento)
{
    // A key event reaches its window first, then the window hands it to the focused widget: the widget's
    // copy is the one the buttons see.
    if (oggetto->isWindowType())
        return QObject::eventFilter(oggetto, evento);
    switch (evento->type()) {
    case QEvent::KeyPress: {
        auto *tasto = static_cast<QKeyEvent *>(evento);
        if (!pressione(tasto->key(), tasto->timestamp(), tasto->isAutoRepeat()) || tasto->isAutoRepeat())
            break;
        CodiciTasto::inoltraComeRipetizione(oggetto, tasto);
        return true;
    }
    case QEvent::KeyRelease: {
        auto *tasto = static_cast<QKeyEvent *>(evento);
        rilascio(tasto->key(), tasto->timestamp(), tasto->isAutoRepeat());
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(oggetto, evento);
}
