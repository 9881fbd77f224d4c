#pragma once

#include "componenti/finestre/Messaggio.h"
#include "componenti/finestre/Schermata.h"
#include "stampa/Stampante.h"

#include <QVector>

#include <chrono>
#include <functional>
#include <memory>

class Etichetta;
class QPushButton;
class Serie;

// The print screen: shows the first eleven lines of the series' record and prints the whole record
// on one page, under the heading, in Courier. It reads the record and changes nothing in it. Opened
// from the exercise screen's warning; "ESCI" or the close box unloads it.
//
// The page goes to the printer made by the printer factory (unless another is set, the system's default
// printer; in the browser, the browser, which saves the page and opens its print dialog). The page is never lost and
// never fails in silence: with no printer, or a printer that does not take the page (its queue refuses it, is gone or
// does not answer) or fails, the page is saved as a PDF in the user's documents folder (cartellaDiRiserva), and a
// message says what happened, naming the printer, and where the file is, or that there was nowhere to save it. A queue
// that takes the page, even a paused one that keeps it for later, needs no message.
//
// The page is made and sent on a thread of its own, and the window waits for it for LimiteStampa at the
// most, repainting and answering the desktop meanwhile: a print system that does not answer by then
// is given up, as not answering. While the page is being sent, "Stampa in corso…" shows, and presses,
// keys and taps anywhere in the program do nothing; afterwards they act again.
class SchermataStampa : public Schermata
{
    Q_OBJECT

public:
    using FabbricaStampante = std::function<std::unique_ptr<Stampante>()>;

    explicit SchermataStampa(const Serie &serie, QWidget *parent = nullptr);

    // An empty factory puts back the system's default printer.
    void setFabbricaStampante(FabbricaStampante fabbrica);
    // The folder for the PDF saved when the page is not printed; empty means the user's documents
    // folder, or the home folder when that does not exist.
    void setCartellaDocumenti(const QString &cartella);
    QString cartellaDocumenti() const;
    // The screen's message boxes: what it has said, and a box answered in advance.
    Messaggio &messaggi() { return m_messaggi; }

    static constexpr int CelleAnteprima = 40;
    static constexpr int RigheAnteprima = 11;
    static constexpr std::chrono::seconds LimiteStampa {15};

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override;

private:
    enum class EsitoStampa
    {
        Stampata,
        FontMancante,
        NessunaStampante,
        Rifiutata,
        NonRisponde, // the printer or the disk kept the page past LimiteStampa
        Errore
    };

    void creaControlli();
    void collegaSegnali();
    void riempiAnteprima();

    struct Spiegazione
    {
        QString testo;
        bool avviso = false;
    };

    void stampaOperazioni();
    void setInStampa(bool inStampa);
    // The page on `stampante` in `font`, made and sent on the printing thread.
    EsitoStampa stampaEsercizi(const std::shared_ptr<Stampante> &stampante, const QString &font);
    // What the teacher must be told of a page that did not go to the printer, once it is saved as a PDF.
    Spiegazione spiega(EsitoStampa esito, const Stampante &stampante, const QString &font);
    // Saves the page as a PDF and says so, after `accaduto`, the sentence that says why it was not
    // printed (without its full stop).
    Spiegazione salvaInPdf(const QString &accaduto, EsitoStampa esito, const QString &font);

    QVector<Etichetta *> m_anteprima;
    Etichetta *m_inStampa = nullptr;
    QPushButton *m_esci = nullptr;
    QPushButton *m_stampa = nullptr;

    const Serie &m_serie;
    FabbricaStampante m_fabbrica;
    Messaggio m_messaggi;
    QString m_cartellaDocumenti;
};
