#pragma once

#include <QString>
#include <QStringList>

// The printer as the print screen sees it, and nothing more: the fonts it offers, the font to use,
// the current print position and the text to print there, and the end of the document, which sends
// the page. Positions are in twips from the top-left corner of the printable area, and a text is
// placed by its top edge. The real printer and the PDF file are StampanteQt; tests record the calls.
class Stampante
{
public:
    enum class Esito
    {
        Stampato,         // the page went out (or, for a PDF, the file is complete under its name)
        NessunaStampante, // no printer to send it to: nothing went anywhere
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
    // Why the page did not go out, in words for the user (empty when it did).
    virtual QString motivo() const = 0;
};
