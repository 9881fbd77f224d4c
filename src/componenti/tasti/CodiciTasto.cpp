#include "componenti/tasti/CodiciTasto.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace CodiciTasto {

int codice(const QKeyEvent *evento)
{
    return codice(evento->key(), evento->modifiers());
}

void inoltraComeRipetizione(QObject *destinatario, const QKeyEvent *tasto)
{
    QKeyEvent ripetizione(QEvent::KeyPress, tasto->key(), tasto->modifiers(), tasto->nativeScanCode(),
                          tasto->nativeVirtualKey(), tasto->nativeModifiers(), tasto->text(), true, tasto->count(),
                          tasto->device());
    ripetizione.setTimestamp(tasto->timestamp());
    QCoreApplication::sendEvent(destinatario, &ripetizione);
}

} // namespace CodiciTasto
