#pragma once

#include <QRandomGenerator>
#include <QString>

#include <array>

// The rules of the drill, free of widgets: the record line of an operation, the expected answer
// text, how a digit enters the child's answer and the order of the factors.
namespace Regole {

// The sign between the table and the factor: one character wide on screen, in the record and on
// the printed page.
inline const QChar SegnoPer = QChar(0x00D7);

inline constexpr int NumeroColonne = 10;
inline constexpr int CifreMassime = 3;

// "3 ×  4 = ", "3 × 10 = ", "10 ×  7 = ": the factor takes two places so that the lines line up.
QString rigaDomanda(int tabella, int fattore);

// The expected answer with one blank in front, where a sign would stand: " 12", " 0".
QString rispostaAttesa(int prodotto);

// The answer after the digit d is typed: at most three digits; a lone "0" is a complete answer and
// a digit typed after it takes its place, so no answer ever starts with 0 followed by more digits.
QString aggiungiCifra(const QString &risposta, int cifra);

// The answer after its last digit is removed; an empty answer stays empty.
QString togliCifra(const QString &risposta);

// Whether the typed answer matches the expected text, blanks on either side ignored.
bool rispostaGiusta(const QString &risposta, const QString &attesa);

// A uniformly random order of the factors 1..10, drawn one column at a time with rejection.
std::array<int, NumeroColonne> estraiFattori(QRandomGenerator &generatore);

} // namespace Regole
