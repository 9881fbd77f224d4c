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

// The exercise screen: a view of the series it is handed. The table chosen on the start screen stands
// above ten columns, one per factor in a random order; the child answers them left to right on the
// keypad. Four panels share one place in the lower right corner, exactly one of them in front and
// enabled: the keypad, the help offer, the intervention, the end-of-exercise warning.
//
// The screen turns presses into the series' verbs and draws what the series announces: the columns,
// the panel in front, which keys are live, colours and focus. It decides nothing itself, and reads
// nothing back from its widgets; what it asks of other screens (leaving, printing, the author's
// window) it says by a signal.
class SchermataEsercizio : public Schermata
{
    Q_OBJECT

public:
    explicit SchermataEsercizio(Serie &serie, QWidget *parent = nullptr);

Q_SIGNALS:
    // "Esco": the child leaves the exercise.
    void escoScelto();
    // "Stampa" on the warning at the end of a series.
    void stampaScelta();
    // The "Autore" menu.
    void autoreScelto();

protected:
    void dopoRidimensionamento() override;
    void allaChiusura() override;

private:
    enum class RispostaAiuto
    {
        Si,
        No
    };
    enum class SceltaAvviso
    {
        Stampa,
        Ricomincia
    };

    void creaControlli();
    void creaColonne(QWidget *areaOperazioni);
    void creaPannelli(QWidget *area);
    void collegaSegnali();
    void seguiSerie();

    // What the series announces.
    void mostraTabella();
    void armaColonna(int c);
    void mostraRisposta(const QString &risposta);
    void mostraVerdetto(int c, bool giusta);
    void chiudiColonna(int c);
    void offriAiuto();
    void intervieni();
    void finisciTabella();
    void avvisa();

    // What the child pressed.
    void premiTasto(int n);
    void cifraDaTastiera(int cifra);
    void sceltaAvviso(int indice);
    void mostraAutore();

    void portaAvanti(QFrame *pannello, QWidget *fuoco = nullptr);
    void aggiornaTastierino(PulsanteOpzione *fuoco);
    void posizionaPannelli();
    void calcolaLinee();

    // Columns: the six controls of each operation.
    QFrame *m_areaOperazioni = nullptr;
    Etichetta *m_tabella = nullptr;
    QVector<Etichetta *> m_segni;
    QVector<Etichetta *> m_fattori;
    QVector<Forma *> m_barre;
    QVector<Etichetta *> m_uguali;
    QVector<Etichetta *> m_risultati;
    QVector<Linea *> m_linee;

    // Panels.
    Etichetta *m_riferimento = nullptr;
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
