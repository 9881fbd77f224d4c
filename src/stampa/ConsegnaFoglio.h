#pragma once

#include "stampa/Stampante.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>
#include <memory>

// What happens when the teacher asks for the page of the exercises: the page goes to the printer, or,
// when it does not, it is saved as a PDF, and the teacher is told what happened. The page is never lost
// and never fails in silence.
//
// The printer is the one the factory makes (unless another is set, the system's default printer; in the
// browser, the browser, which saves the page and opens its print dialog). The page is set in Courier; a
// printer that offers no Courier gets nothing and the teacher is told to install it. With no printer, or
// a printer that does not take the page (its queue refuses it, is gone or does not answer) or fails, the
// page is saved as a PDF in the user's documents folder (cartellaDocumenti), and the message says what
// happened, naming the printer, and where the file is, or that there was nowhere to save it. A queue
// that takes the page, even a paused one that keeps it for later, needs no message.
//
// The page is made and sent on a thread of its own, and consegna() waits for it for Limite at the most,
// the event loop running meanwhile, so that the window repaints and answers the desktop: a print system
// that does not answer by then is given up, as not answering. A printer that hands the page to the teacher
// instead ("Microsoft Print to PDF" asking where to save it, a fax, a notebook program) is waited for as
// long as the teacher takes, up to LimiteConUtente. The window says "Stampa in corso…" and takes no presses
// while inCorso() (inCorsoCambiato tells it).
class ConsegnaFoglio : public QObject
{
    Q_OBJECT

public:
    using FabbricaStampante = std::function<std::unique_ptr<Stampante>()>;

    static constexpr std::chrono::seconds Limite {15};
    static constexpr std::chrono::minutes LimiteConUtente {10};

    // What the teacher must be told, and how: a plain note, a piece of information, a warning.
    struct Esito
    {
        enum class Tipo
        {
            Nessuno, // the page went out: nothing to say
            Semplice,
            Informazione,
            Avviso
        };
        Tipo tipo = Tipo::Nessuno;
        QString messaggio;
    };

    using QObject::QObject;

    // An empty factory puts back the system's default printer.
    void setFabbricaStampante(FabbricaStampante fabbrica);
    // The folder for the PDF saved when the page is not printed; empty means the user's documents
    // folder, or the home folder when that does not exist.
    void setCartellaDocumenti(const QString &cartella);
    QString cartellaDocumenti() const;
    // How long a print system that does not answer is waited for: Limite, unless a test wants less.
    void setLimite(std::chrono::milliseconds limite) { m_limite = limite; }

    bool inCorso() const { return m_inCorso; }

    // The record's lines on one page: printed, or saved, and what to say of it. Returns at once, with
    // nothing done, while another page is on its way.
    Esito consegna(const QStringList &righe);

Q_SIGNALS:
    void inCorsoCambiato(bool inCorso);

private:
    enum class Risultato
    {
        Stampata,
        NessunaStampante,
        Rifiutata,
        NonRisponde, // the printer or the disk kept the page past Limite
        Errore
    };

    void setInCorso(bool inCorso);
    // The page on `stampante` in `font`, made and sent on a thread of its own.
    Risultato invia(const std::shared_ptr<Stampante> &stampante, const QString &font, const QStringList &righe);
    // What the teacher must be told of a page that did not go to the printer, once it is saved as a PDF.
    Esito spiega(Risultato risultato, const Stampante &stampante, const QString &font, const QStringList &righe);
    // Saves the page as a PDF and says so, after `accaduto`, the sentence that says why it was not
    // printed (without its full stop).
    Esito salvaInPdf(const QString &accaduto, Risultato risultato, const QString &font, const QStringList &righe);

    FabbricaStampante m_fabbrica;
    QString m_cartellaDocumenti;
    bool m_inCorso = false;
    std::chrono::milliseconds m_limite = Limite;
};
