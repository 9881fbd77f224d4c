#pragma once

#include <QColor>
#include <QObject>
#include <QVector>

class EventoScansione;
class PulsanteOpzione;
class QKeyEvent;

// What an accepted key does in a group.
enum class Effetto
{
    Nessuno,  // accepted, no effect
    Fuoco,    // focus to the button `indice` (+ the key's offset in its range)
    Conferma, // confirm the focused button
    Cifra,    // the keypad's typed digit `indice` (+ offset)
    Cancella, // the keypad's C: delete the last digit
};

// One row of a group's key table: the codes primo..ultimo have the same effect; for Fuoco and Cifra
// the code's distance from primo is added to indice (digits 48-57 give buttons 0-9).
struct RegolaTasto
{
    int primo;
    int ultimo;
    Effetto effetto;
    int indice = 0;
};

enum class Scansione
{
    Nessuna,
    Salto,       // the space bar walks the enabled buttons in index order, wrapping round
    DuePulsanti, // the space bar alternates between the two buttons
};

enum class Frecce
{
    Mai,            // arrow keys never move the focus
    SoloSeBloccato, // only the toolkit's own move while the key latch holds the group's keys back
    Sempre,         // the keypad: every arrow press moves the focus, whatever the latch
};

struct ConfigurazioneGruppo
{
    QVector<RegolaTasto> tasti;
    Scansione scansione = Scansione::Salto;
    Frecce frecce = Frecce::Mai;
    QVector<int> ordineTab;         // the order the arrows follow; index order when empty
    bool evidenziaFuoco = true;     // false: the buttons keep their colour whatever has the focus
    bool ogniTastoConferma = false; // any key pressed over a button confirms it
    // false: the group keeps no latches, so every fresh press acts whatever device sent the step
    // before and wherever the last release landed; a held key still acts once, its repeats being
    // recognised as such.
    bool blocchi = true;
    QColor coloreNormale = QColor(255, 224, 192);
    QColor coloreEvidenza = QColor(255, 192, 128);
};

// A group of option buttons that a child drives by mouse, keyboard or switch scanning, all at once.
// The group owns the buttons' focus colour, their selected state and, where it has them, the two
// latches that hold its keys back until a release over the group, and reports every confirmation through one signal
// with the button's index. The screen that owns the group connects `confermato` to its action; the keypad also connects
// the typed digits and the C key.
class GruppoScelta : public QObject
{
    Q_OBJECT

public:
    GruppoScelta(const QVector<PulsanteOpzione *> &pulsanti, ConfigurazioneGruppo configurazione,
                 QObject *parent = nullptr);

    int conteggio() const { return int(m_pulsanti.size()); }
    PulsanteOpzione *pulsante(int indice) const { return m_pulsanti.at(indice); }
    int indiceDi(const QObject *oggetto) const;

    bool bloccoTasti() const { return m_bloccoTasti; }
    bool bloccoSpazio() const { return m_bloccoSpazio; }

    // Moves the focus as the space bar does from button `da`; returns the button reached or -1.
    int passoScansione(int da);

Q_SIGNALS:
    void confermato(int indice);
    void cifraDigitata(int cifra);
    void cancellaRichiesta();

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override;

private:
    bool tastoPremuto(int indice, QKeyEvent *evento);
    bool scansioneAutomatica(int indice, EventoScansione *evento);
    void tastoRilasciato(int indice, QKeyEvent *evento);
    bool applica(const RegolaTasto &regola, int codice, int indice);
    void spostaConFrecce(int indice, int codice);
    const RegolaTasto *regolaPer(int codice) const;

    QVector<PulsanteOpzione *> m_pulsanti;
    ConfigurazioneGruppo m_configurazione;
    bool m_bloccoTasti = false;
    bool m_bloccoSpazio = false;
};
