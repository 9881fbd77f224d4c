#include "componenti/finestre/Stile.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QStyleOption>

#include <algorithm>

namespace {

// Two chevrons pointing the way the text reads, in the toolkit's own dark grey, on a 16 by 10 grid
// drawn at the given scale. The stroke never gets thinner than a pixel and a quarter, so the small
// size the menu bar shows stays as dark as the large ones.
QPixmap chevron(qreal scala, bool versoSinistra)
{
    QPixmap immagine(qRound(16 * scala), qRound(10 * scala));
    immagine.fill(Qt::transparent);
    QPainter painter(&immagine);
    painter.setRenderHint(QPainter::Antialiasing);
    if (versoSinistra) {
        painter.translate(immagine.width(), 0);
        painter.scale(-1, 1);
    }
    painter.scale(scala, scala);
    const qreal tratto = std::max(1.25, 1.75 * scala) / scala;
    painter.setPen(QPen(QColor(0x35, 0x36, 0x37), tratto, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    for (qreal x : {3.5, 10.5}) {
        const QPointF punti[] = {{x, 0.5}, {x + 4, 5}, {x, 9.5}};
        painter.drawPolyline(punti, 3);
    }
    return immagine;
}

} // namespace

QIcon Stile::standardIcon(StandardPixmap icona, const QStyleOption *opzione, const QWidget *widget) const
{
    if (icona != SP_ToolBarHorizontalExtensionButton)
        return QProxyStyle::standardIcon(icona, opzione, widget);
    const bool versoSinistra = opzione ? opzione->direction == Qt::RightToLeft : QGuiApplication::isRightToLeft();
    // The three sizes of the toolkit's own picture: 8 by 5, 16 by 10 and 32 by 20.
    QIcon freccia;
    for (qreal scala : {0.5, 1.0, 2.0})
        freccia.addPixmap(chevron(scala, versoSinistra));
    return freccia;
}
