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
// test installs another). With no printer the page is not lost: it is saved as a PDF in the user's
// documents folder, and a message says where.
class FrmStampaEsercizio : public Schermata
{
    Q_OBJECT

public:
    using FabbricaStampante = std::function<std::unique_ptr<Stampante>()>;

    explicit FrmStampaEsercizio(QWidget *parent = nullptr);

    // An empty factory puts back the system's default printer.
    static void setFabbricaStampante(FabbricaStampante fabbrica);
    // The folder for the PDF saved when there is no printer; empty means the user's documents folder.
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
        Errore
    };

    void creaControlli();
    void collegaSegnali();
    void riempiAnteprima();

    void cmdStampaS_Click();
    EsitoStampa StampaEsercizi(Stampante &stampante);
    void StampaIntestazione(Stampante &stampante);
    void salvaSenzaStampante();

    QVector<Etichetta *> m_lblOp;
    QPushButton *m_command1 = nullptr;
    QPushButton *m_cmdStampaS = nullptr;

    static FabbricaStampante s_fabbrica;
    static QString s_cartellaDocumenti;
};
