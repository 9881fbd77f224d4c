#pragma once

#include "serie/Regole.h"

#include <QObject>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>

#include <array>

// A series of tables as a child works through it, where the child is in it, and the record the teacher
// prints. The child chooses a table; its ten factors come in a random order, one column at a time; the
// child types an answer and confirms it. A wrong answer is kept in the record and brings the offer of
// help: accepted, the right answer is revealed and the column done; refused, the child tries the same
// column again, and the third refusal (counted across tables and across visits to the exercise screen,
// since the last intervention) brings the intervention, which reveals the answer too. From the 30th
// operation done on, the series is over and the teacher is warned. Nothing here is ever saved.
//
// The series knows the child's phase and answers what the child may do in it: a verb the phase does not
// allow changes nothing and returns false. Every change is announced by a signal, in the order it
// happens, so that any view (the exercise screen, the voice, a test) follows the series without being
// told by another.
//
// The record has one line per operation, "3 ×  4 = 11  12", with every answer given and a revealed
// one last: line k is written when the k-th operation's column is drawn, and completed as it is
// answered. A new series starts the count again and clears lines 1 to 20; what lies beyond stays until
// it is written over.
class Serie : public QObject
{
    Q_OBJECT

public:
    static constexpr int NumeroColonne = Regole::NumeroColonne;
    static constexpr int NumeroRighe = 42;
    static constexpr int NumeroTabelle = 11;
    static constexpr int OperazioniPerAvviso = 30;
    static constexpr int RifiutiPerIntervento = 3;

    // Where the child is.
    enum class Fase
    {
        Scelta,        // choosing a table: no exercise is open
        Risposta,      // answering the armed column on the keypad
        AiutoOfferto,  // a wrong answer was confirmed: "Ti aiuto ?"
        Intervento,    // help was refused for the third time: the program steps in
        TabellaFinita, // the ten columns are done: a new table, or leaving
        Avviso         // the series is over: print it, or start again
    };
    Q_ENUM(Fase)

    // The keypad's keys: the ten digits by their value, then these.
    enum Tasto
    {
        TastoCancella = 10,
        TastoInvio,
        TastoNuovaTabella,
        TastoEsco,
        NumeroTasti
    };

    // The seed makes the order of the factors repeatable.
    explicit Serie(quint32 seme = QRandomGenerator::global()->generate(), QObject *parent = nullptr);

    Fase fase() const { return m_fase; }
    // Whether the keypad's key is live now: the digits, "Cancella" and (with an answer typed) "Invio"
    // while answering, "Nuova Tabella" and "Esco" once the table is finished, nothing otherwise.
    bool tastoAttivo(int tasto) const;

    int tabella() const { return m_tabella; }
    // The column being answered, 0 to 9; 0 again once a table is finished.
    int colonna() const { return m_colonna; }
    int fattore(int colonna) const { return m_fattori.at(colonna); }
    // The expected answer of a column, as the record shows it: " 12".
    const QString &attesa(int colonna) const { return m_attese.at(colonna); }
    // The answer being typed.
    const QString &risposta() const { return m_risposta; }
    // Operations done in this series.
    int operazioni() const { return m_operazioni; }
    const std::array<QString, NumeroRighe> &registro() const { return m_registro; }
    int rifiutiAiuto() const { return m_rifiutiAiuto; }
    // The series is over: the teacher must be warned.
    bool finita() const { return m_operazioni >= OperazioniPerAvviso; }
    // The record lines the page prints: 0 to the count of operations, 41 at the most.
    QStringList righeDaStampare() const;

    // The table the next series and tables are drawn from; any time, as the start screen stays open.
    bool scegliTabella(int tabella);
    // A new series on the table chosen: the exercise screen opening, or "Ricomincia" on the warning.
    bool nuovaSerie();
    // The same table in a new order, once it is finished.
    bool nuovaTabella();
    // A digit and "Cancella" on the answer, "Invio" on an answer typed.
    bool digita(int cifra);
    bool cancella();
    bool conferma();
    // "SI" and "NO" to the offer of help, "OK" to the intervention.
    bool accettaAiuto();
    bool rifiutaAiuto();
    bool confermaIntervento();
    // The exercise screen has closed: the child is choosing again. The record stays for the page.
    void lascia();

    // A record made elsewhere, as a series would have left it: the page's tests and the benchmark print
    // records that no child has to play through first.
    void caricaRegistro(const std::array<QString, NumeroRighe> &registro, int operazioni);

Q_SIGNALS:
    // A table has been drawn: every column waits with its factor, none answered.
    void tabellaIniziata();
    // The column asks for its answer, which is empty.
    void colonnaArmata(int colonna);
    // The answer being typed has changed.
    void rispostaCambiata(const QString &risposta);
    // An answer was confirmed, right or wrong; a wrong one stays in the column.
    void verdetto(int colonna, bool giusta);
    // Help or the intervention has revealed the expected answer of the column.
    void rispostaRivelata(int colonna, const QString &attesa);
    // The column is done: the next is armed, or the table is finished, or the warning is due.
    void colonnaChiusa(int colonna);
    void aiutoOfferto();
    void intervento();
    void tabellaFinita();
    void avvisoDovuto();

private:
    void iniziaTabella();
    void armaColonna();
    void rivela();
    void chiudiColonna();

    QRandomGenerator m_generatore;
    Fase m_fase = Fase::Scelta;
    int m_tabella = 0;
    int m_colonna = 0;
    std::array<int, NumeroColonne> m_fattori {};
    std::array<QString, NumeroColonne> m_attese;
    QString m_risposta;
    int m_operazioni = 0;
    std::array<QString, NumeroRighe> m_registro;
    int m_rifiutiAiuto = 0;
};
