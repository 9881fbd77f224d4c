#pragma once

#include <Qt>

class QObject;

class QKeyEvent;

// Key codes as the program's key tables speak of them: digits 48-57, numeric-keypad digits 96-105,
// keypad multiply 106, Enter 13, arrows 37-40, Backspace 8, F1-F12 112-123, letters 65-90, Space 32.
// A key without a code maps to 0, which no table accepts.
namespace CodiciTasto {

inline constexpr int Backspace = 8;
inline constexpr int Invio = 13;
inline constexpr int Spazio = 32;
inline constexpr int Sinistra = 37;
inline constexpr int Su = 38;
inline constexpr int Destra = 39;
inline constexpr int Giu = 40;
inline constexpr int Zero = 48;
inline constexpr int ZeroTastierino = 96;
inline constexpr int PerTastierino = 106;
inline constexpr int F2 = 113;

// The code of a Qt key: the one table from Qt's keys to the program's codes.
constexpr int codice(int tasto, Qt::KeyboardModifiers modificatori)
{
    const bool tastierino = modificatori.testFlag(Qt::KeypadModifier);
    if (tasto >= Qt::Key_0 && tasto <= Qt::Key_9)
        return (tastierino ? ZeroTastierino : Zero) + (tasto - Qt::Key_0);
    if (tasto >= Qt::Key_A && tasto <= Qt::Key_Z)
        return 65 + (tasto - Qt::Key_A);
    if (tasto >= Qt::Key_F1 && tasto <= Qt::Key_F24)
        return 112 + (tasto - Qt::Key_F1);
    switch (tasto) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return Invio;
    case Qt::Key_Left:
        return Sinistra;
    case Qt::Key_Up:
        return Su;
    case Qt::Key_Right:
        return Destra;
    case Qt::Key_Down:
        return Giu;
    case Qt::Key_Backspace:
        return Backspace;
    case Qt::Key_Space:
        return Spazio;
    case Qt::Key_Tab:
        return 9;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_PageUp:
        return 33;
    case Qt::Key_PageDown:
        return 34;
    case Qt::Key_End:
        return 35;
    case Qt::Key_Home:
        return 36;
    case Qt::Key_Insert:
        return 45;
    case Qt::Key_Delete:
        return 46;
    case Qt::Key_Shift:
        return 16;
    case Qt::Key_Control:
        return 17;
    case Qt::Key_Alt:
        return 18;
    case Qt::Key_Asterisk:
        return tastierino ? PerTastierino : 0;
    case Qt::Key_Plus:
        return tastierino ? 107 : 0;
    case Qt::Key_Minus:
        return tastierino ? 109 : 0;
    case Qt::Key_Period:
        return tastierino ? 110 : 0;
    case Qt::Key_Slash:
        return tastierino ? 111 : 0;
    default:
        return 0;
    }
}

int codice(const QKeyEvent *evento);

// Hands a press on to `destinatario` again, flagged as the auto-repeat of a held key, as the desktop flags
// it where the platform did not.
void inoltraComeRipetizione(QObject *destinatario, const QKeyEvent *tasto);

// The code of a key of the main keyboard, and of the numeric keypad, as the key tables name them.
constexpr int tasto(Qt::Key tasto)
{
    return codice(tasto, Qt::NoModifier);
}

constexpr int tastierino(Qt::Key tasto)
{
    return codice(tasto, Qt::KeypadModifier);
}

constexpr bool eFreccia(int codice)
{
    return codice >= Sinistra && codice <= Giu;
}

} // namespace CodiciTasto
