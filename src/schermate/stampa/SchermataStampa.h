#pragma once

#include "componenti/finestre/Messaggio.h"
#include "componenti/finestre/Schermata.h"
#include "stampa/ConsegnaFoglio.h"

#include <QVector>

class Etichetta;
class QPushButton;
class Serie;

// The print screen: shows the first eleven lines of the series' record and, on "STAMPA LE OPERAZIONI",
// hands the whole record to the page's delivery (ConsegnaFoglio), which prints it on one page under the
// heading, or saves it, and says what happened. It reads the record and changes nothing in it. Opened
// from the exercise screen's warning; "ESCI" or the close box unloads it.
//
// While the page is on its way, "Stampa in corso…" shows with the wait cursor, and presses, keys and taps
// anywhere in the program do nothing; afterwards they act again, and the message, if there is one, is the
// only thing that takes them.
class SchermataStampa : public Schermata
{
    Q_OBJECT

public:
    explicit SchermataStampa(const Serie &serie, QWidget *parent = nullptr);

    // Where the page goes, and where it is saved when it does not: a test sets its own.
    ConsegnaFoglio &consegna() { return m_consegna; }
    // The screen's message boxes: what it has said, and a box answered in advance.
    Messaggio &messaggi() { return m_messaggi; }

    static constexpr int CelleAnteprima = 40;
    static constexpr int RigheAnteprima = 11;

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override;

private:
    void creaControlli();
    void collegaSegnali();
    void riempiAnteprima();
    void stampaOperazioni();
    void setInStampa(bool inStampa);

    QVector<Etichetta *> m_anteprima;
    Etichetta *m_inStampa = nullptr;
    QPushButton *m_esci = nullptr;
    QPushButton *m_stampa = nullptr;

    const Serie &m_serie;
    ConsegnaFoglio m_consegna;
    Messaggio m_messaggi;
};
