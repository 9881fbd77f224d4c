#pragma once

#include "app/Schermata.h"
#include "screens/print/Stampante.h"

#include <QVector>

#include <functional>
#include <memory>

class Etichetta;
class QPushButton;

// The print screen: shows the first eleven lines of the exercise record and prints the whole record
// on one page, under the heading, in Courier. It reads the record and changes nothing in it. Opened
// from the exercise screen's warning with Schermate::carica<FrmStampaEsercizio>()->mostra(); "ESCI"
// or the close box unloads it.
//
// The page goes to the printer made by the printer factory (the system's default printer unless a
// test installs another). The page is never lost and never fails in silence: with no printer, or a
// printer that does not take the page (its queue refuses it, is gone or does not answer) or fails, the
// page is saved as a PDF in the user's documents folder (the home folder when there is none), and a
// message says what happened, naming the printer, and where the file is. A queue that takes the page,
// even a paused one that keeps it for later, needs no message.
class FrmStampaEsercizio : public Schermata
{
    Q_OBJECT

public:
    using FabbricaStampante = std::function<std::unique_ptr<Stampante>()>;

    explicit FrmStampaEsercizio(QWidget *parent = nullptr);

    // An empty factory puts back the system's default printer.
    static void setFabbricaStampante(FabbricaStampante fabbrica);
    // The folder for the PDF saved when the page is not printed; empty means the user's documents
    // folder, or the home folder when that does not exist.
    static void setCartellaDocumenti(const QString &cartella);
    static QString cartellaDocumenti();

    static constexpr int CelleAnteprima = 40;
    static constexpr int RigheAnteprima = 11;

private:
    enum class EsitoStampa
    {
        Stampata,
        FontMancante,
        NessunaStampante,
        Rifiutata,
        Errore
    };

    void creaControlli();
    void collegaSegnali();
    void riempiAnteprima();

    void cmdStampaS_Click();
    EsitoStampa StampaEsercizi(Stampante &stampante);
    void StampaIntestazione(Stampante &stampante);
    // Saves the page as a PDF and says so, after `accaduto`, the sentence that says why it was not
    // printed (without its full stop).
    void salvaInPdf(const QString &accaduto, EsitoStampa esito);

    QVector<Etichetta *> m_lblOp;
    QPushButton *m_command1 = nullptr;
    QPushButton *m_cmdStampaS = nullptr;

    static FabbricaStampante s_fabbrica;
    static QString s_cartellaDocumenti;
};
