#pragma once

#include <QString>

#include <atomic>

class QPrinter;

// The system's default printer and its queue: which printer it is, and how a page reaches its queue
// and what the queue answers. On Linux the page is drawn, by the printer's own Qt engine and with its
// page, into a file that CUPS is then asked to take: CUPS answers with a job number or with the reason
// it refuses the page. On Windows the page is drawn on the printer itself, and the spooler is asked
// what became of the document once it has ended; there is no file to hand over. The code of each
// system is in CodaDiStampa_unix.cpp and CodaDiStampa_win.cpp.
//
// Both run on the printing thread and may wait on the print system. `annullato` turns true when the
// window stops waiting: every wait that can be cut short then ends, and no page is handed over after it.
namespace CodaDiStampa {

struct Predefinita
{
    enum class Stato
    {
        Trovata,
        Nessuna,    // the print system has no default printer, or there is no print system at all
        NonRisponde // the print system is there but did not answer
    };
    Stato stato = Stato::Nessuna;
    QString coda;        // the printer as Qt names it
    QString descrizione; // as people know it: the queue's description, or else its name
    // The printer hands the page to the user rather than to paper: its driver asks where to save it
    // ("Microsoft Print to PDF"), or a fax or a notebook program takes it over. The page then waits on
    // the teacher, for as long as the teacher takes.
    bool chiedeAlUtente = false;
};

Predefinita predefinita(const std::atomic_bool &annullato);

struct Risposta
{
    bool presa = false; // the queue has the page (a paused queue keeps it until it is started again)
    QString motivo;     // why not, said of the printer, in Italian: "non accetta lavori di stampa"
};

// True where the page goes to the queue as a file: it is drawn into a file that consegna() hands over.
bool suFile();

// Hands the finished page of `printer` to its queue: the file `file` where suFile() is true, otherwise
// the document the printer has just ended.
Risposta consegna(const QPrinter &printer, const QString &file, const std::atomic_bool &annullato);

} // namespace CodaDiStampa
