#pragma once

#include <Qt>

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

int codice(int tastoQt, Qt::KeyboardModifiers modificatori);
int codice(const QKeyEvent *evento);

constexpr bool eFreccia(int codice)
{
    return codice >= Sinistra && codice <= Giu;
}

} // namespace CodiciTasto
