#pragma once

#include "applicazione/Schermate.h"

class FinestraAutore;
class SchermataEsercizio;
class SchermataInizio;
class SchermataStampa;
class Serie;

// Every way from one screen to another, in one place. main() owns the navigator, and the navigator the
// registry of the screens that are loaded: it creates each screen, listens to what the child chose on it
// ("Vai", "Esci", "Esco", "Stampa", the "Autore" menu) and opens or closes the next. No screen knows
// another. Asking for a screen that is already open brings it forward unchanged; the start screen going
// takes every other screen with it.
class Navigatore : public QObject
{
    Q_OBJECT

public:
    explicit Navigatore(Serie &serie, QObject *parent = nullptr);
    ~Navigatore() override;

    // The start screen, at start-up.
    SchermataInizio *apriInizio();
    // "Vai": the exercise screen on the table chosen.
    SchermataEsercizio *apriEsercizio();
    // "Stampa" on the warning at the end of a series.
    SchermataStampa *apriStampa();
    // The "Autore" menu of the start and exercise screens: the author's window, modal. On the desktop it
    // returns once the window closes; in the browser at once.
    void mostraAutore();

    template<typename T> T *istanza() const { return m_schermate.istanza<T>(); }
    // The screens loaded now; a test loads one there without going through the others.
    Schermate &schermate() { return m_schermate; }

Q_SIGNALS:
    // A page is on its way to the printer, and nothing may move meanwhile; or it is out of the way.
    void stampaInCorso(bool inCorso);

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override;

private:
    // The start screen going: every other screen goes with it.
    void chiudiTutto();

    Serie &m_serie;
    Schermate m_schermate;
};
