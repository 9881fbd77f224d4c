#pragma once

#include <QString>

#include <array>

// The state the screens share for the whole run: the table the child chose, the record of the
// exercises done and the few counters the exercise and print screens work with. Plain data, no
// widgets; nothing is ever saved. ripristina() puts everything back as it is when the program starts.
namespace Module1 {

inline constexpr int NumeroRighe = 42;    // record lines, 0..41
inline constexpr int NumeroRisposte = 16; // expected answers, 0..15 (0..9 used)

inline qint16 Tabella = 0;
inline qint16 Fattore = 0;
inline qint16 Prodotto = 0;
inline std::array<QString, NumeroRighe> Esercizi;
inline std::array<QString, NumeroRisposte> Risposte;
inline QString Risposta;
inline qint16 NumEsercizi = 0;
inline qint16 I = 0;
inline qint16 IndiceRiga = 0;

void ripristina();

} // namespace Module1
