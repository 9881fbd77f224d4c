#pragma once

#include "serie/Regole.h"

#include <QRandomGenerator>
#include <QString>

#include <array>

// A series of tables as a child works through it, and the record the teacher prints. The child
// chooses a table; its ten factors come in a random order, one column at a time; the child types an
// answer and confirms it. A wrong answer is kept in the record and brings the offer of help: accepted,
// the right answer is revealed and the column done; refused, the child tries the same column again,
// and the third refusal (counted across tables and across visits to the exercise screen, since the
// last intervention) brings the intervention, which reveals the answer too. From the 30th operation
// done on, the series is over and the teacher is warned. Nothing here is ever saved.
//
// The record has one line per operation, "3 ×  4 = 11  12", with every answer given and a revealed
// one last: line k is written when the k-th operation's column is drawn, and completed as it is
// answered. A new series starts the count again and clears lines 1 to 20; what lies beyond stays until
// it is written over.
class Serie
{
public:
    static constexpr int NumeroColonne = Regole::NumeroColonne;
    static constexpr int NumeroRighe = 42;
    static constexpr int NumeroTabelle = 11;
    static constexpr int OperazioniPerAvviso = 30;
    static constexpr int RifiutiPerIntervento = 3;

    // What a confirmed answer, or a revealed one, leads to.
    enum class Esito
    {
        Sbagliata,    // kept in the record; help is offered, the column stays armed
        Giusta,       // the column is done and the next one armed
        TabellaFinita // the tenth column is done: a new table, or leaving, comes next
    };

    // What a refusal of help leads to.
    enum class Rifiuto
    {
        Riprova,   // the same column again, with an empty answer
        Intervento // the third refusal: the answer will be revealed; the count starts again
    };

    // The seed makes the order of the factors repeatable.
    explicit Serie(quint32 seme = QRandomGenerator::global()->generate());

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

    void scegliTabella(int tabella);
    void nuovaSerie();
    void nuovaTabella();
    void digita(int cifra);
    void cancella();
    Esito conferma();
    Esito accettaAiuto();
    Rifiuto rifiutaAiuto();

    // A record made elsewhere, as a series would have left it: the page's tests and the benchmark print
    // records that no child has to play through first.
    void caricaRegistro(const std::array<QString, NumeroRighe> &registro, int operazioni);

private:
    Esito colonnaFatta();

    QRandomGenerator m_generatore;
    int m_tabella = 0;
    int m_colonna = 0;
    std::array<int, NumeroColonne> m_fattori {};
    std::array<QString, NumeroColonne> m_attese;
    QString m_risposta;
    int m_operazioni = 0;
    std::array<QString, NumeroRighe> m_registro;
    int m_rifiutiAiuto = 0;
};
