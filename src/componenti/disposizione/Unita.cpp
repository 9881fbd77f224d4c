#include "componenti/disposizione/Unita.h"

namespace Unita {

QFont carattere(const QString &famiglia, qreal punti, bool grassetto)
{
    QFont font(famiglia);
    font.setPointSizeF(punti);
    font.setBold(grassetto);
    return font;
}

} // namespace Unita
