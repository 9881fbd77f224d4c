#pragma once

#include <QString>
#include <QStringList>

// The printer as the print screen sees it, and nothing more: the fonts it offers, the font to use,
// the current print position and the text to print there, and the end of the document, which sends
// the page. Positions are in twips from the top-left corner of the printable area, and a text is
// placed by its top edge. The real printer and the PDF file are StampanteQt; tests record the calls.
// Whatever the end, the caller learns it: the page went out, or there was no printer, or the printer
// did not take it, or something failed, each with its reason in words.
//
// The page is drawn and sent on a thread of its own, so that a print system that does not answer
// never holds up the window: elencoFont() is asked on the window's thread before the page is begun,
// then every other call comes from that thread, but for nome() and annulla(), which the window may call
// at any time.
class Stampante
{
public:
    enum class Esito
    {
        Stampato,         // the page went out: the printer's queue has it (a paused queue keeps it for
                          // later), or, for a PDF, the file is complete under its name
        NessunaStampante, // no printer to send it to: nothing went anywhere
        Rifiutato,        // the printer is there but did not take the page: its queue refused it, is gone,
                          // or did not answer. Nothing went out.
        Errore            // the printer or the file failed: nothing was delivered, nothing is left half-done
    };

    virtual ~Stampante() = default;

    virtual QStringList elencoFont() const = 0;

    virtual void setNomeFont(const QString &nome) = 0;
    virtual void setDimensioneFont(qreal punti) = 0;
    virtual void setGrassetto(bool grassetto) = 0;

    virtual void setX(int twips) = 0;
    virtual void setY(int twips) = 0;

    virtual void stampa(const QString &testo) = 0;

    // Ends the document and hands the page over. A document dropped without this call is discarded.
    virtual Esito fineDocumento() = 0;
    // Why the page did not go out, in words for the user (empty when it did). For Rifiutato it is said
    // of the printer: "non accetta lavori di stampa", "non esiste più", "non risponde".
    virtual QString motivo() const = 0;
    // The printer as people know it: the description its queue was given ("Aula 3"), or else its
    // name; empty while it is not known yet, when there is none, or for a file. Safe from any thread.
    virtual QString nome() const = 0;
    // What the user should know of a page that went out all the same, in words (empty when nothing):
    // in the browser, what the browser refused of the page it was handed, and how to get the page.
    virtual QString nota() const { return {}; }
    // The window has stopped waiting: whatever still waits on the print system gives up soon, and
    // nothing is handed over any more. Safe from any thread.
    virtual void annulla() { }
    // The page waits on the teacher, not on the print system: the printer's driver asks where to save it,
    // or a fax or a notebook program has taken it over. Safe from any thread.
    virtual bool attendeUtente() const { return false; }
};
