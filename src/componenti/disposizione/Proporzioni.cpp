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
