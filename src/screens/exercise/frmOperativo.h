#pragma once

#include "app/Schermata.h"
#include "serie/Serie.h"

#include <QVector>

class Etichetta;
class Forma;
class GruppoScelta;
class Linea;
class PulsanteOpzione;
class QAction;
class QFrame;

// The exercise screen. The table chosen on the start screen stands above ten columns, one per factor
// in a random order; the child answers them left to right on the keypad. A wrong answer brings the
// help offer forward, the third refusal of help the intervention, and the 30th completed operation
// the end-of-exercise warning. Four panels share one place in the lower right corner; exactly one of
// them is in front and enabled at any time. The screen draws the series it is handed and turns
// presses into its verbs; the series keeps the rules and the record, which the print screen prints.
class frmOperativo : public Schermata
{
    Q_OBJECT

public:
    explicit frmOperativo(Serie &serie, QWidget *parent = nullptr);

    int colonna() const;

    // The keypad's buttons after the ten digits.
    enum Tasto
    {
        TastoCancella = 10,
        TastoInvio = 11,
        TastoNuovaTabella = 12,
        TastoEsco = 13,
        NumeroTasti = 14
    };

    void SiSi();
    void NoNo();

protected:
    void dopoRidimensionamento() override;

private:
    void creaControlli();
    void creaColonne(QWidget *frame1);
    void creaPannelli(QWidget *area);
    void collegaSegnali();

    void NuovaSerie();
    void NuovaTabella();
    void mostraTabella();
    void DisabilitaPannelli();
    void PosizionaPannelli();
    void TastierinoAttivo();
    void TabellaFinita();
    void portaAvanti(QFrame *pannello, QWidget *fuoco = nullptr);
    void armaColonna(int c);
    void chiudiColonna(int c);
    void colonnaCompletata(int colonna, Serie::Esito esito);
    void impostaRisultato(int c, const QString &testo);
    void ControllaFineEsercizi();
    void calcolaLinee();

    void PremiTasto(int n);
    void cifraDaTastiera(int cifra);
    void cancellaDaTastiera();
    void aggiungiCifra(int cifra);
    void togliCifra();
    void mostraRisposta();
    void VerificaRisposta();
    void optOK_Click();
    void optAvviso_Click(int indice);
    void mnuInfo_Click();

    // Columns: the six controls of each operation.
    QFrame *m_frame1 = nullptr;
    Etichetta *m_label1 = nullptr;
    QVector<Etichetta *> m_lblSegno;
    QVector<Etichetta *> m_label2;
    QVector<Forma *> m_shape4;
    QVector<Etichetta *> m_lblUguale;
    QVector<Etichetta *> m_lblRisultato;
    QVector<Linea *> m_line2;

    // Panels.
    Etichetta *m_lblRiferimento = nullptr;
    QFrame *m_fraTastierino = nullptr;
    QFrame *m_fraAiuto = nullptr;
    QFrame *m_fraIntervento = nullptr;
    QFrame *m_fraAvviso = nullptr;
    QVector<PulsanteOpzione *> m_option1;
    QVector<PulsanteOpzione *> m_option3;
    QVector<PulsanteOpzione *> m_optAvviso;
    PulsanteOpzione *m_optOK = nullptr;
    GruppoScelta *m_tastierino = nullptr;
    GruppoScelta *m_aiuto = nullptr;
    GruppoScelta *m_avviso = nullptr;
    GruppoScelta *m_intervento = nullptr;

    QAction *m_mnuStampaEsercizio = nullptr;
    QAction *m_mnuInfo = nullptr;
    QAction *m_mnuIstruzioni = nullptr;

    Serie &m_serie;
};
