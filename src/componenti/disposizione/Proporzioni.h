#pragma once

#include <QLineF>
#include <QRect>
#include <QSize>

// The proportional rule of the large screens, without widgets: each control is recorded as four
// ratios of the screen's client area and put back at the same ratios of whatever size the window has.
struct ProporzioniControllo
{
    float Larghezza = 0; // width / client width
    float Altezza = 0;   // height / client height
    float Alto = 0;      // top / client height
    float Sinistra = 0;  // left / client width
};

// Ratios of a control at its design place (any unit, as long as both arguments share it).
ProporzioniControllo catturaProporzioni(const QRect &progetto, const QSizeF &client);

// The control's place for a client area of the given size, in the client's unit. Widths and heights
// never drop below one unit, so a tiny window still draws every control.
QRect applicaProporzioni(const ProporzioniControllo &proporzioni, const QSize &client);

// The connector line from the table number (box `numero`) to the sign of column k (top-left `segno`) on
// the exercise screen, in twips. Columns 0-3 leave from the number's left side, 4-5 from the middle of
// its bottom edge, 6-9 from its right side; only line 0 ends a little closer to its sign.
QLineF lineaColonna(int k, const QRectF &numero, QPointF segno);
