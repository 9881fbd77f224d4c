// A series played through its own verbs, without any window: answers right and wrong, help accepted
// and refused, the intervention, the end of a table and of the series, and every record line the page
// prints.

#include "serie/Serie.h"

#include <QSet>
#include <QTest>

namespace {

// One letter a verb: g a right answer confirmed, s a wrong one (the right one plus one), a help
// accepted, r help refused, t a new table, n a new series. The outcomes are written the same way: G
// right, S wrong, F table finished, R try again, I intervention.
QString gioca(Serie &serie, const QString &mosse)
{
    QString esiti;
    auto scrivi = [&](int numero) {
        for (QChar c : QString::number(numero))
            serie.digita(c.digitValue());
    };
    auto esito = [](Serie::Esito e) {
        return e == Serie::Esito::Sbagliata ? QLatin1Char('S')
               : e == Serie::Esito::Giusta  ? QLatin1Char('G')
                                            : QLatin1Char('F');
    };
    for (QChar mossa : mosse) {
        const int giusta = serie.tabella() * serie.fattore(serie.colonna());
        switch (mossa.toLatin1()) {
        case 'g':
            scrivi(giusta);
            esiti += esito(serie.conferma());
            break;
        case 's':
            scrivi(giusta + 1);
            esiti += esito(serie.conferma());
            break;
        case 'a':
            esiti += esito(serie.accettaAiuto());
            break;
        case 'r':
            esiti += serie.rifiutaAiuto() == Serie::Rifiuto::Riprova ? QLatin1Char('R') : QLatin1Char('I');
            break;
        case 't':
            serie.nuovaTabella();
            break;
        case 'n':
            serie.nuovaSerie();
            break;
        }
    }
    return esiti;
}

} // namespace

class tst_Serie : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void partita_data();
    void partita();
    void registroDopoNuovaSerie();
    void ordineRipetibile();
};

void tst_Serie::partita_data()
{
    QTest::addColumn<QString>("mosse");
    QTest::addColumn<QString>("esiti");
    QTest::addColumn<int>("operazioni");
    QTest::addColumn<int>("colonna");
    QTest::addColumn<int>("rifiuti");
    QTest::addColumn<bool>("finita");
    // The first record line after its question: %1 the right answer typed, %2 the wrong one, %3 revealed.
    QTest::addColumn<QString>("riga0");

    QTest::newRow("right") << "g"
                           << "G" << 1 << 1 << 0 << false << "%1  ";
    QTest::newRow("wrong, help accepted") << "sa"
                                          << "SG" << 1 << 1 << 0 << false << "%2  %3";
    QTest::newRow("wrong twice, refused, then right") << "srsrg"
                                                      << "SRSRG" << 1 << 1 << 2 << false << "%2  %2  %1  ";
    // The third refusal brings the intervention, whatever tables lie between, and its OK reveals the
    // answer: the count starts again.
    QTest::newRow("third refusal across tables") << "srggggggggggtsrsra"
                                                 << "SRGGGGGGGGGFSRSIG" << 11 << 1 << 0 << false << "%2  %1  ";
    QTest::newRow("a whole table") << "gggggggggg"
                                   << "GGGGGGGGGF" << 10 << 0 << 0 << false << "%1  ";
    QTest::newRow("29 operations: not over yet")
        << QStringLiteral("gggggggggg").repeated(2) + "tt" + "ggggggggg"
        << QStringLiteral("GGGGGGGGGF").repeated(2) + "GGGGGGGGG" << 29 << 9 << 0 << false << "%1  ";
    QTest::newRow("the 30th, revealed, ends the series")
        << QStringLiteral("ggggggggggt").repeated(2) + "gggggggggsa"
        << QStringLiteral("GGGGGGGGGF").repeated(2) + "GGGGGGGGGSF" << 30 << 0 << 0 << true << "%1  ";
}

void tst_Serie::partita()
{
    QFETCH(QString, mosse);
    QFETCH(QString, esiti);
    QFETCH(int, operazioni);
    QFETCH(int, colonna);
    QFETCH(int, rifiuti);
    QFETCH(bool, finita);
    QFETCH(QString, riga0);

    Serie serie(7);
    serie.scegliTabella(6);
    serie.nuovaSerie();
    const QString domanda = Regole::rigaDomanda(6, serie.fattore(0));
    const int giusta = 6 * serie.fattore(0);
    QCOMPARE(serie.registro().at(0), domanda);
    QCOMPARE(serie.attesa(0), QStringLiteral(" %1").arg(giusta));

    QCOMPARE(gioca(serie, mosse), esiti);
    QCOMPARE(serie.operazioni(), operazioni);
    QCOMPARE(serie.colonna(), colonna);
    QCOMPARE(serie.rifiutiAiuto(), rifiuti);
    QCOMPARE(serie.finita(), finita);
    QCOMPARE(serie.risposta(), QString());
    riga0.replace(QLatin1String("%1"), QString::number(giusta))
        .replace(QLatin1String("%2"), QString::number(giusta + 1))
        .replace(QLatin1String("%3"), serie.attesa(0));
    QCOMPARE(serie.registro().at(0), domanda + riga0);
    // The page prints every line up to the one being answered.
    QCOMPARE(serie.righeDaStampare().size(), operazioni + 1);
    QCOMPARE(serie.righeDaStampare().first(), serie.registro().at(0));
}

// A new series starts the count again and clears lines 1 to 20; beyond them, the old lines wait to be
// written over.
void tst_Serie::registroDopoNuovaSerie()
{
    Serie serie(11);
    serie.scegliTabella(8);
    serie.nuovaSerie();
    gioca(serie, QStringLiteral("ggggggggggt").repeated(2) + "gggggggggg");
    QVERIFY(serie.finita());
    const auto prima = serie.registro();
    serie.nuovaSerie();
    QCOMPARE(serie.operazioni(), 0);
    QVERIFY(!serie.finita());
    for (int riga = 0; riga < Serie::NumeroRighe; ++riga) {
        const QString attesa = riga < Serie::NumeroColonne ? Regole::rigaDomanda(8, serie.fattore(riga))
                               : riga <= 20                ? QString()
                                                           : prima.at(riga);
        QCOMPARE(serie.registro().at(riga), attesa);
    }
}

// The same seed, the same factors; every new table of a series draws its own order.
void tst_Serie::ordineRipetibile()
{
    Serie una(42);
    Serie altra(42);
    una.nuovaSerie();
    altra.nuovaSerie();
    QSet<QString> ordini;
    for (int tabella = 0; tabella < 5; ++tabella, una.nuovaTabella(), altra.nuovaTabella()) {
        QString ordine;
        for (int c = 0; c < Serie::NumeroColonne; ++c) {
            QCOMPARE(una.fattore(c), altra.fattore(c));
            ordine += QString::number(una.fattore(c)) + QLatin1Char(',');
        }
        ordini.insert(ordine);
    }
    QCOMPARE(ordini.size(), 5);
}

QTEST_GUILESS_MAIN(tst_Serie)
#include "tst_serie.moc"
