#include "input/FiltroRipetizioni.h"

#include "input/CodiciTasto.h"

#include <QKeyEvent>

bool FiltroRipetizioni::eventFilter(QObject *oggetto, QEvent *evento)
{
    switch (evento->type()) {
    case QEvent::KeyPress:
        return RilevatoreRipetizione::globale().pressione(static_cast<QKeyEvent *>(evento));
    case QEvent::KeyRelease: {
        auto *tasto = static_cast<QKeyEvent *>(evento);
        RilevatoreRipetizione::globale().rilascio(tasto);
        return tasto->isAutoRepeat();
    }
    default:
        return QObject::eventFilter(oggetto, evento);
    }
}
