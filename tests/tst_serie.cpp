// A series played through its own verbs, without any window: answers right and wrong, help accepted
// and refused, the intervention, the end of a table and of the series, and every record line the page
// prints.

#include "serie/Serie.h"

#include <QSet>
#include <QTest>

namespace {

// One letter a verb: g a right answer confirmed, s a wrong one (the right one plus one), a help
// accepted, r help refused, t a new table. The outcomes come back the same way: S wrong, G right,
// F table finished, R try again, I intervention.
QString gioca(Serie &serie, const QString &mosse)
{
    QString esiti;
    for (QChar mossa : mosse) {
        const int giusta = serie.tabella() * serie.fattore(serie.colonna());
        if (mossa == QLatin1Char('t')) {
            serie.nuovaTabella();
        } else if (mossa == QLatin1Char('r')) {
            esiti += serie.rifiutaAiuto() == Serie::Rifiuto::Riprova ? QLatin1Char('R') : QLatin1Char('I');
        } else {
            for (QChar c : mossa == QLatin1Char('a') ? QString() : QString::number(giusta + (mossa == 's')))
                serie.digita(c.digitValue());
            // The letters in the order of Serie::Esito.
            esiti += QStringLiteral("SGF").at(int(mossa == QLatin1Char('a') ? serie.accettaAiuto() : serie.conferma()));
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
    // The first record line after its question: %1 the right answer typed, %2 the wrong one, %3 revealed.
    QTest::addColumn<QString>("riga0");

    const QString tabella = QStringLiteral("gggggggggg");
    QTest::newRow("right") << "g"
                           << "G" << 1 << 1 << 0 << "%1  ";
    QTest::newRow("wrong, help accepted") << "sa"
                                          << "SG" << 1 << 1 << 0 << "%2  %3";
    QTest::newRow("wrong twice, refused") << "srsrg"
                                          << "SRSRG" << 1 << 1 << 2 << "%2  %2  %1  ";
    // The third refusal brings the intervention, whatever tables lie between, and its OK reveals the
    // answer: the count starts again.
    QTest::newRow("third refusal across tables") << "sr" + tabella + "tsrsra"
                                                 << "SRGGGGGGGGGFSRSIG" << 11 << 1 << 0 << "%2  %1  ";
    QTest::newRow("a whole table") << tabella << "GGGGGGGGGF" << 10 << 0 << 0 << "%1  ";
    QTest::newRow("the 30th, revealed") << tabella + "t" + tabella + "t" + tabella.left(9) + "sa"
                                        << QStringLiteral("GGGGGGGGGF").repeated(2) + "GGGGGGGGGSF" << 30 << 0 << 0
                                        << "%1  ";
}

void tst_Serie::partita()
{
    QFETCH(QString, mosse);
    QFETCH(QString, esiti);
    QFETCH(int, operazioni);
    QFETCH(int, colonna);
    QFETCH(int, rifiuti);
    QFETCH(QString, riga0);

    Serie serie(7);
    serie.scegliTabella(6);
    serie.nuovaSerie();
    const int giusta = 6 * serie.fattore(0);
    const QString domanda = Regole::rigaDomanda(6, serie.fattore(0));
    QCOMPARE(serie.attesa(0), QStringLiteral(" %1").arg(giusta));

    QCOMPARE(gioca(serie, mosse), esiti);
    QCOMPARE(serie.operazioni(), operazioni);
    QCOMPARE(serie.colonna(), colonna);
    QCOMPARE(serie.rifiutiAiuto(), rifiuti);
    QCOMPARE(serie.finita(), operazioni >= 30);
    QCOMPARE(serie.risposta(), QString());
    riga0.replace(QLatin1String("%1"), QString::number(giusta))
        .replace(QLatin1String("%2"), QString::number(giusta + 1))
        .replace(QLatin1String("%3"), QStringLiteral(" %1").arg(giusta));
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
    const auto prima = serie.registro();
    serie.nuovaSerie();
    QCOMPARE(serie.operazioni(), 0);
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
    auto ordine = [](const Serie &serie) {
        QString fattori;
        for (int c = 0; c < Serie::NumeroColonne; ++c)
            fattori += QString::number(serie.fattore(c)) + QLatin1Char(',');
        return fattori;
    };
    Serie una(42);
    Serie altra(42);
    QSet<QString> ordini;
    for (int volta = 0; volta < 5; ++volta) {
        una.nuovaTabella();
        altra.nuovaTabella();
        QCOMPARE(ordine(altra), ordine(una));
        ordini.insert(ordine(una));
    }
    QCOMPARE(ordini.size(), 5);
}

QTEST_GUILESS_MAIN(tst_Serie)
#include "tst_serie.moc"
