#pragma once

#include "componenti/finestre/Schermata.h"

#include <QVector>

class Etichetta;
class Serie;
class GruppoScelta;
class PulsanteOpzione;
class QAction;
class QFrame;

// The start screen: the child chooses one of the tables 0 to 10, then "Vai" (to the exercise
// screen), "Ripristina" (back to the tables) or "Esci" (end of the program). It stays loaded for the
// whole run; closing it closes every other screen and ends the program. What the commands open or
// close is the navigator's: the screen only says what was chosen.
class SchermataInizio : public Schermata
{
    Q_OBJECT

public:
    explicit SchermataInizio(Serie &serie, QWidget *parent = nullptr);

    // Opens the named file for reading and closes it again at once; nothing is read or reported.
    static void verificaEsistenzaFile(const QString &nomeFile);

    static QString testoTabella(int tabella);

    static constexpr int NumeroTabelle = 11; // the series' own count

    // The commands, in the order of their buttons.
    enum class Comando
    {
        Vai,
        Ripristina,
        Esci
    };

Q_SIGNALS:
    // "Vai": the exercise on the table chosen.
    void vaiScelto();
    // "Esci": the program ends with this screen.
    void esciScelto();
    // The "Autore" menu.
    void autoreScelto();

protected:
    bool event(QEvent *evento) override;

private:
    void creaControlli();
    void collegaSegnali();
    void scegliTabella(int indice);
    void eseguiComando(int indice);

    Serie &m_serie;
    QFrame *m_titolo = nullptr;
    Etichetta *m_tabellaScelta = nullptr;
    Etichetta *m_versione = nullptr;
    QVector<PulsanteOpzione *> m_tastiTabelle;
    QVector<PulsanteOpzione *> m_tastiComandi;
    GruppoScelta *m_tabelle = nullptr;
    GruppoScelta *m_comandi = nullptr;
    QAction *m_menuAutore = nullptr;
    bool m_giaAttivata = false;
    // The whole program has just come back, from another program or from the minimised window, and
    // none of its windows has been activated since.
    bool m_ritornoAlProgramma = false;
};
