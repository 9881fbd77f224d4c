#pragma once

#include "app/Schermata.h"

#include <QVector>

class Etichetta;
class Serie;
class GruppoScelta;
class PulsanteOpzione;
class QAction;
class QFrame;

// The start screen: the child chooses one of the tables 0 to 10, then "Vai" (to the exercise
// screen), "Ripristina" (back to the tables) or "Esci" (end of the program). It stays loaded for the
// whole run; closing it closes every other screen and ends the program.
class FrmInizio : public Schermata
{
    Q_OBJECT

public:
    explicit FrmInizio(Serie &serie, QWidget *parent = nullptr);

    // Opens the named file for reading and closes it again at once; nothing is read or reported.
    static void VerificaEsistenzaFile(const QString &nomeFile);

    static QString testoTabella(int tabella);

    static constexpr int NumeroTabelle = 11; // the series' own count

protected:
    bool event(QEvent *evento) override;
    void Form_Unload() override;

private:
    void creaControlli();
    void collegaSegnali();
    void ScegliTabella(int indice);
    void EseguiComando(int indice);
    void mnuInfo_Click();
    void ChiudiTutto();

    Serie &m_serie;
    QFrame *m_frmTitolo = nullptr;
    Etichetta *m_label1 = nullptr;
    Etichetta *m_label7 = nullptr;
    QVector<PulsanteOpzione *> m_option1;
    QVector<PulsanteOpzione *> m_option2;
    GruppoScelta *m_tabelle = nullptr;
    GruppoScelta *m_comandi = nullptr;
    QAction *m_mnuInfo = nullptr;
    bool m_giaAttivata = false;
    // The whole program has just come back, from another program or from the minimised window, and
    // none of its windows has been activated since.
    bool m_ritornoAlProgramma = false;
};
