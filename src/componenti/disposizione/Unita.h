#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QSize>
#include <QString>

// Units and colours as the screens are designed: positions in twips (1/1440 inch, 15 to a logical
// pixel at 96 dpi), colours as &H00BBGGRR values, fonts by family, size in points and weight.
namespace Unita {

inline constexpr double TwipsPerPixel = 15.0;

constexpr int px(int twips)
{
    return twips >= 0 ? int(twips / TwipsPerPixel + 0.5) : -int(-twips / TwipsPerPixel + 0.5);
}

constexpr QRect rettangolo(int left, int top, int width, int height)
{
    return QRect(px(left), px(top), px(width), px(height));
}

constexpr QSize dimensione(int width, int height)
{
    return QSize(px(width), px(height));
}

// &H00BBGGRR, blue in the high byte: &H00C0E0FF is RGB(255, 224, 192).
constexpr QColor coloreBGR(quint32 bgr)
{
    return QColor(int(bgr & 0xff), int((bgr >> 8) & 0xff), int((bgr >> 16) & 0xff));
}

QFont carattere(const QString &famiglia, qreal punti, bool grassetto);

// The colours the program uses over and over.
inline constexpr quint32 Pesca = 0x00C0E0FF;      // RGB(255, 224, 192): backgrounds, buttons at rest
inline constexpr quint32 Arancio = 0x0080C0FF;    // RGB(255, 192, 128): the button that has the focus
inline constexpr quint32 Blu = 0x00C00000;        // RGB(0, 0, 192)
inline constexpr quint32 BluNotte = 0x00800000;   // RGB(0, 0, 128)
inline constexpr quint32 RossoScuro = 0x000000C0; // RGB(192, 0, 0)
inline constexpr quint32 Rosso = 0x000000FF;      // RGB(255, 0, 0)
inline constexpr quint32 Giallo = 0x0000FFFF;     // RGB(255, 255, 0)
inline constexpr quint32 Crema = 0x00A8EBFF;      // RGB(255, 235, 168): result boxes at rest
inline constexpr quint32 Celeste = 0x00FFFFC0;    // RGB(192, 255, 255): information screens
inline constexpr quint32 Acqua = 0x00FFFF80;      // RGB(128, 255, 255): print screen, plain buttons

} // namespace Unita
