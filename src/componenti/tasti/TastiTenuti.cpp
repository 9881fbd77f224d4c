#include "componenti/tasti/TastiTenuti.h"

#include "componenti/tasti/CodiciTasto.h"

#include <QCoreApplication>
#include <QKeyEvent>

bool TastiTenuti::eventFilter(QObject *oggetto, QEvent *evento)
{
    // A key event reaches its window first, then the window hands it to the focused widget: the window's
    // copy is the one that counts.
    if (!oggetto->isWindowType())
        return QObject::eventFilter(oggetto, evento);
    switch (evento->type()) {
    case QEvent::KeyPress: {
        auto *tasto = static_cast<QKeyEvent *>(evento);
        if (tasto->isAutoRepeat() || tasto->key() == 0)
            break;
        if (!m_orologio.isValid())
            m_orologio.start();
        const qint64 adesso = m_orologio.elapsed();
        const auto visto = m_giu.constFind(tasto->key());
        const bool tenuto = visto != m_giu.cend() && adesso - *visto <= PausaMassimaMs;
        m_giu.insert(tasto->key(), adesso);
        if (!tenuto)
            break;
        CodiciTasto::inoltraComeRipetizione(oggetto, tasto);
        return true;
    }
    case QEvent::KeyRelease:
        if (!static_cast<QKeyEvent *>(evento)->isAutoRepeat())
            m_giu.remove(static_cast<QKeyEvent *>(evento)->key());
        break;
    default:
        break;
    }
    return QObject::eventFilter(oggetto, evento);
}
