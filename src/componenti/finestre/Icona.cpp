#include "componenti/finestre/Icona.h"

#include "componenti/disposizione/Unita.h"

#include <QPainter>
#include <QPixmap>

namespace Icona {

QPixmap disegno(int lato)
{
    QPixmap immagine(lato, lato);
    immagine.fill(Qt::transparent);
    QPainter painter(&immagine);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal bordo = std::max(1.0, lato / 16.0);
    const QRectF piastra = QRectF(0, 0, lato, lato).adjusted(bordo / 2, bordo / 2, -bordo / 2, -bordo / 2);
    painter.setPen(QPen(Unita::coloreBGR(Unita::Blu), bordo));
    painter.setBrush(Unita::coloreBGR(Unita::Arancio));
    painter.drawRoundedRect(piastra, lato / 6.0, lato / 6.0);
    // The multiplication sign, as two thick crossing strokes.
    painter.setPen(QPen(Unita::coloreBGR(Unita::BluNotte), lato / 7.0, Qt::SolidLine, Qt::RoundCap));
    const qreal a = lato * 0.3;
    const qreal b = lato * 0.7;
    painter.drawLine(QPointF(a, a), QPointF(b, b));
    painter.drawLine(QPointF(a, b), QPointF(b, a));
    return immagine;
}

QIcon programma()
{
    QIcon icona;
    for (int lato : {16, 32, 48, 64})
        icona.addPixmap(disegno(lato));
    return icona;
}

} // namespace Icona
