#include "componenti/tasti/CodiciTasto.h"

#include <QKeyEvent>

namespace CodiciTasto {

int codice(const QKeyEvent *evento)
{
    return codice(evento->key(), evento->modifiers());
}

} // namespace CodiciTasto
