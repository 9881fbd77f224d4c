#include "componenti/disposizione/Proporzioni.h"

#include <QtGlobal>

#include <algorithm>

ProporzioniControllo catturaProporzioni(const QRect &progetto, const QSizeF &client)
{
    ProporzioniControllo p;
    if (client.width() > 0) {
        p.Larghezza = float(progetto.width() / client.width());
        p.Sinistra = float(progetto.x() / client.width());
    }
    if (client.height() > 0) {
        p.Altezza = float(progetto.height() / client.height());
        p.Alto = float(progetto.y() / client.height());
    }
    return p;
}

QRect applicaProporzioni(const ProporzioniControllo &p, const QSize &client)
{
    const float w = float(client.width());
    const float h = float(client.height());
    const int sinistra = qRound(w * p.Sinistra);
    const int alto = qRound(h * p.Alto);
    const int larghezza = std::max(1, qRound(w * p.Larghezza));
    const int altezza = std::max(1, qRound(h * p.Altezza));
    return QRect(sinistra, alto, larghezza, altezza);
}

QLineF lineaColonna(int k, const QRectF &numero, QPointF segno)
{
    const qreal l = numero.left();
    const qreal t = numero.top();
    const qreal w = numero.width();
    const qreal h = numero.height();
    // Heights below the number's top where the outer lines leave it, mirrored left and right.
    constexpr qreal partenze[] = {150, 350, 550};

    QPointF inizio;
    if (k <= 3)
        inizio = QPointF(l - 150, k < 3 ? t + partenze[k] : t + h);
    else if (k <= 5)
        inizio = QPointF(l + w / 2, t + h);
    else
        inizio = QPointF(l + w + 150, k > 6 ? t + partenze[9 - k] : t + h);

    const qreal x2 = k <= 5 ? segno.x() + 150 : segno.x() - 150;
    const qreal y2 = k == 0 ? segno.y() - 100 : segno.y() - 150;
    return QLineF(inizio, QPointF(x2, y2));
}
