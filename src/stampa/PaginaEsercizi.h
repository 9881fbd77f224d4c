#pragma once

#include <QDateTime>
#include <QPoint>
#include <QString>
#include <QStringList>

class Stampante;

// The rules of the printed page, without printers or widgets: where each record line goes, which
// font the page is set in, and how the file is named when the page is saved instead of printed.
namespace PaginaEsercizi {

inline constexpr int DimensioneIntestazione = 18;
inline constexpr int DimensioneRighe = 12;
inline constexpr QPoint PosizioneIntestazione(1000, 1000);

QString intestazione();
QString messaggioFontMancante();

// Top-left corner of record line k (0..41) on the page, in twips: line 0 alone, then four blocks of
// ten lines, two side by side, the lower pair one empty row below the upper pair.
QPoint posizioneRiga(int k);

// The first of "Courier" and "Courier New" in the printer's own order, matched exactly; empty when
// the printer offers neither.
QString fontCourier(const QStringList &elencoFont);

// Draws the page on `stampante` in the font given: the heading, then each line of the record at its
// place. The caller ends the document.
void disegna(Stampante &stampante, const QString &font, const QStringList &righe);

// "Esercizi 2026-12-08 10.31.05.pdf": the page saved when there is no printer.
QString nomeFileRiserva(const QDateTime &momento);

// The n-th name tried for a file that must not overwrite another one: the name itself for n = 1,
// then "name (2).pdf", "name (3).pdf"...
QString percorsoNumerato(const QString &percorso, int n);

} // namespace PaginaEsercizi
