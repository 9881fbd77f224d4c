#pragma once

#include <QString>

class QPrinter;

// How a page reaches the queue of the system's default printer, and what the queue answers. On Linux
// the page is drawn, by the printer's own Qt engine and with its page, into a file that CUPS is then
// asked to take: CUPS answers with a job number or with the reason it refuses the page. On Windows the
// page is drawn on the printer itself and the spooler answers as the document starts and ends; there is
// no file to hand over. The code of each system is in CodaDiStampa_unix.cpp and CodaDiStampa_win.cpp.
namespace CodaDiStampa {

struct Risposta
{
    bool presa = false; // the queue has the page (a paused queue keeps it until it is started again)
    QString motivo;     // why not, said of the printer, in Italian: "non accetta lavori di stampa"
};

// True where the page goes to the queue as a file: it is drawn into a file that consegna() hands over.
bool suFile();

// Hands the finished page of `printer` to its queue: the file `file` where suFile() is true, otherwise
// the document the printer has just ended.
Risposta consegna(const QPrinter &printer, const QString &file);

} // namespace CodaDiStampa
