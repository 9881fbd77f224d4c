#pragma once

#include "componenti/finestre/Schermata.h"
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
class SchermataEsercizio : public Schermata
{
    Q_OBJECT

public:
    explicit SchermataEsercizio(Serie &serie, QWidget *parent = nullptr);

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

    void accettaAiuto();
    void rifiutaAiuto();

Q_SIGNALS:
    // "Esco": the child leaves the exercise.
    void escoScelto();
    // "Stampa" on the warning at the end of a series.
    void stampaScelta();
    // The "Autore" menu.
    void autoreScelto();

protected:
    void dopoRidimensionamento() override;

private:
    void creaControlli();
    void creaColonne(QWidget *areaOperazioni);
    void creaPannelli(QWidget *area);
    void collegaSegnali();

    void nuovaSerie();
    void nuovaTabella();
    void mostraTabella();
    void disabilitaPannelli();
    void posizionaPannelli();
    void tastierinoAttivo();
    void tabellaFinita();
    void portaAvanti(QFrame *pannello, QWidget *fuoco = nullptr);
    void armaColonna(int c);
    void chiudiColonna(int c);
    void colonnaCompletata(int colonna, Serie::Esito esito);
    void impostaRisultato(int c, const QString &testo);
    void controllaFineEsercizi();
    void calcolaLinee();

    void premiTasto(int n);
    void cifraDaTastiera(int cifra);
    void cancellaDaTastiera();
    void aggiungiCifra(int cifra);
    void togliCifra();
    void mostraRisposta();
    void verificaRisposta();
    void confermaIntervento();
    void sceltaAvviso(int indice);
    void mostraAutore();

    // Columns: the six controls of each operation.
    QFrame *m_areaOperazioni = nullptr;
    Etichetta *m_tabella = nullptr;
    QVector<Etichetta *> m_segni;
    QVector<Etichetta *> m_fattori;
    QVector<Forma *> m_caselle;
    QVector<Etichetta *> m_uguali;
    QVector<Etichetta *> m_risultati;
    QVector<Linea *> m_linee;

    // Panels.
    Etichetta *m_lblRiferimento = nullptr;
    QFrame *m_pannelloTastierino = nullptr;
    QFrame *m_pannelloAiuto = nullptr;
    QFrame *m_pannelloIntervento = nullptr;
    QFrame *m_pannelloAvviso = nullptr;
    QVector<PulsanteOpzione *> m_tastiTastierino;
    QVector<PulsanteOpzione *> m_tastiAiuto;
    QVector<PulsanteOpzione *> m_tastiAvviso;
    PulsanteOpzione *m_ok = nullptr;
    GruppoScelta *m_tastierino = nullptr;
    GruppoScelta *m_aiuto = nullptr;
    GruppoScelta *m_avviso = nullptr;
    GruppoScelta *m_intervento = nullptr;

    QAction *m_menuStampa = nullptr;
    QAction *m_menuAutore = nullptr;
    QAction *m_menuIstruzioni = nullptr;

    Serie &m_serie;
};
