// A series played through its own verbs, without any window: every phase with the verbs and keys it
// allows, every signal in order, the refusals of help, the record lines the page prints.

#include "serie/Serie.h"

#include <QHash>
#include <QSet>
#include <QTest>
#include <QVariant>

#include <functional>

using Fase = Serie::Fase;

namespace {

// One letter a move: x a table chosen, n a new series, t a new table, l leaving the exercise; a digit typed,
// c the last one deleted, v the answer confirmed; G the right answer typed, S a wrong one (the right one
// plus one), g and s the same confirmed; a help accepted, r refused, o the intervention's OK.
bool muovi(Serie &serie, QChar mossa)
{
    const QString giusta = serie.attesa(serie.colonna()).trimmed();
    const QString scritta = mossa.toUpper() == QLatin1Char('S') ? QString::number(giusta.toInt() + 1) : giusta;
    if (mossa.isDigit())
        return serie.digita(mossa.digitValue());
    if (QStringLiteral("GSgs").contains(mossa)) {
        for (QChar c : scritta)
            serie.digita(c.digitValue());
        return mossa.isUpper() || serie.conferma();
    }
    const QHash<QChar, std::function<bool()>> verbi = {
        {'x', [&] { return serie.scegliTabella(3); }}, {'n', [&] { return serie.nuovaSerie(); }},
        {'t', [&] { return serie.nuovaTabella(); }},   {'c', [&] { return serie.cancella(); }},
        {'v', [&] { return serie.conferma(); }},       {'a', [&] { return serie.accettaAiuto(); }},
        {'r', [&] { return serie.rifiutaAiuto(); }},   {'o', [&] { return serie.confermaIntervento(); }},
        {'l', [&] { return serie.lascia(), true; }},
    };
    return verbi.value(mossa)();
}

void gioca(Serie &serie, const QString &mosse)
{
    for (QChar mossa : mosse)
        muovi(serie, mossa);
}

// One signal of the series written down as its name and arguments: "colonnaArmata 3".
template<typename... Argomenti>
void annota(Serie &serie, void (Serie::*segnale)(Argomenti...), const QString &nome, QStringList *segnali)
{
    QObject::connect(&serie, segnale, [=](Argomenti... argomenti) {
        QStringList parti = {nome};
        ((parti << QStringLiteral("'%1'").arg(QVariant::fromValue(argomenti).toString())), ...);
        segnali->append(parti.join(QLatin1Char(' ')));
    });
}

// Every signal of the series, in the order it came.
QStringList *registraSegnali(Serie &serie)
{
    auto *segnali = new QStringList;
    QObject::connect(&serie, &QObject::destroyed, [segnali] { delete segnali; });
    annota(serie, &Serie::tabellaIniziata, QStringLiteral("tabellaIniziata"), segnali);
    annota(serie, &Serie::colonnaArmata, QStringLiteral("colonnaArmata"), segnali);
    annota(serie, &Serie::rispostaCambiata, QStringLiteral("rispostaCambiata"), segnali);
    annota(serie, &Serie::verdetto, QStringLiteral("verdetto"), segnali);
    annota(serie, &Serie::rispostaRivelata, QStringLiteral("rispostaRivelata"), segnali);
    annota(serie, &Serie::colonnaChiusa, QStringLiteral("colonnaChiusa"), segnali);
    annota(serie, &Serie::aiutoOfferto, QStringLiteral("aiutoOfferto"), segnali);
    annota(serie, &Serie::intervento, QStringLiteral("intervento"), segnali);
    annota(serie, &Serie::tabellaFinita, QStringLiteral("tabellaFinita"), segnali);
    annota(serie, &Serie::avvisoDovuto, QStringLiteral("avvisoDovuto"), segnali);
    return segnali;
}

// What a refused verb must leave as it was.
QString stato(const Serie &serie)
{
    QStringList righe(serie.registro().cbegin(), serie.registro().cend());
    return QStringLiteral("%1 %2 %3 '%4' %5 %6 %7")
        .arg(int(serie.fase()))
        .arg(serie.tabella())
        .arg(serie.colonna())
        .arg(serie.risposta())
        .arg(serie.operazioni())
        .arg(serie.rifiutiAiuto())
        .arg(righe.join(QLatin1Char('|')));
}

const QString Tabella = QStringLiteral("gggggggggg");

} // namespace

class tst_Serie : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fasi_data();
    void fasi();
    void segnali_data();
    void segnali();
    void partita_data();
    void partita();
    void registroDopoNuovaSerie();
    void ordineRipetibile();
};

void tst_Serie::fasi_data()
{
    QTest::addColumn<QString>("prima");
    QTest::addColumn<Fase>("fase");
    QTest::addColumn<QString>("permesse"); // the moves accepted, of "xntcv0aro"
    QTest::addColumn<QList<int>>("tasti"); // the keypad's live keys

    const QList<int> cifre = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, Serie::TastoCancella};
    QTest::newRow("choosing") << "" << Fase::Scelta << "xn" << QList<int> {};
    QTest::newRow("answering, nothing typed") << "n" << Fase::Risposta << "xc0" << cifre;
    QTest::newRow("answering, a digit typed")
        << "n1" << Fase::Risposta << "xcv0" << cifre + QList<int> {Serie::TastoInvio};
    QTest::newRow("help offered") << "ns" << Fase::AiutoOfferto << "xar" << QList<int> {};
    QTest::newRow("intervention") << "nsrsrsr" << Fase::Intervento << "xo" << QList<int> {};
    QTest::newRow("table finished") << "n" + Tabella << Fase::TabellaFinita << "xt"
                                    << QList<int> {Serie::TastoNuovaTabella, Serie::TastoEsco};
    QTest::newRow("warning") << "n" + Tabella + "t" + Tabella + "t" + Tabella << Fase::Avviso << "xn" << QList<int> {};
}

// In each phase, the verbs it allows are taken, and every other one changes nothing and says so.
void tst_Serie::fasi()
{
    QFETCH(QString, prima);
    QFETCH(Fase, fase);
    QFETCH(QString, permesse);
    QFETCH(QList<int>, tasti);

    for (QChar mossa : QStringLiteral("xntcv0aro")) {
        Serie serie(7);
        serie.scegliTabella(6);
        gioca(serie, prima);
        QCOMPARE(serie.fase(), fase);
        for (int tasto = 0; tasto < Serie::NumeroTasti; ++tasto)
            QVERIFY2(serie.tastoAttivo(tasto) == tasti.contains(tasto), qPrintable(QString::number(tasto)));

        const QString statoPrima = stato(serie);
        const QStringList *segnali = registraSegnali(serie);
        const bool presa = muovi(serie, mossa);
        QVERIFY2(presa == permesse.contains(mossa), qPrintable(QString(mossa)));
        if (!presa) {
            QCOMPARE(stato(serie), statoPrima);
            QCOMPARE(*segnali, QStringList());
        }
    }
}

void tst_Serie::segnali_data()
{
    QTest::addColumn<QString>("prima");
    QTest::addColumn<QChar>("mossa");
    QTest::addColumn<QStringList>("segnali"); // %A: the expected answer of the column answered
    QTest::addColumn<Fase>("fase");

    QTest::newRow("a new series") << "" << QChar('n') << QStringList {"tabellaIniziata", "colonnaArmata '0'"}
                                  << Fase::Risposta;
    QTest::newRow("a digit") << "n" << QChar('4') << QStringList {"rispostaCambiata '4'"} << Fase::Risposta;
    QTest::newRow("a fourth digit, dropped") << "n123" << QChar('4') << QStringList {} << Fase::Risposta;
    QTest::newRow("C") << "n12" << QChar('c') << QStringList {"rispostaCambiata '1'"} << Fase::Risposta;
    QTest::newRow("C on nothing") << "n" << QChar('c') << QStringList {} << Fase::Risposta;
    QTest::newRow("right") << "nG" << QChar('v')
                           << QStringList {"verdetto '0' 'true'", "colonnaChiusa '0'", "colonnaArmata '1'"}
                           << Fase::Risposta;
    QTest::newRow("wrong") << "nS" << QChar('v') << QStringList {"verdetto '0' 'false'", "aiutoOfferto"}
                           << Fase::AiutoOfferto;
    QTest::newRow("help accepted") << "ns" << QChar('a')
                                   << QStringList {"rispostaRivelata '0' '%A'", "colonnaChiusa '0'",
                                                   "colonnaArmata '1'"}
                                   << Fase::Risposta;
    QTest::newRow("help refused") << "ns" << QChar('r') << QStringList {"colonnaArmata '0'"} << Fase::Risposta;
    QTest::newRow("the third refusal") << "nsrsrs" << QChar('r') << QStringList {"intervento"} << Fase::Intervento;
    QTest::newRow("the intervention's OK")
        << "nsrsrsr" << QChar('o')
        << QStringList {"rispostaRivelata '0' '%A'", "colonnaChiusa '0'", "colonnaArmata '1'"} << Fase::Risposta;
    QTest::newRow("the tenth column") << "n" + Tabella.left(9) + "G" << QChar('v')
                                      << QStringList {"verdetto '9' 'true'", "colonnaChiusa '9'", "tabellaFinita"}
                                      << Fase::TabellaFinita;
    QTest::newRow("a new table") << "n" + Tabella << QChar('t') << QStringList {"tabellaIniziata", "colonnaArmata '0'"}
                                 << Fase::Risposta;
    QTest::newRow("the 30th operation, revealed")
        << "n" + Tabella + "t" + Tabella + "t" + Tabella.left(9) + "s" << QChar('a')
        << QStringList {"rispostaRivelata '9' '%A'", "colonnaChiusa '9'", "avvisoDovuto"} << Fase::Avviso;
    QTest::newRow("starting again") << "n" + Tabella + "t" + Tabella + "t" + Tabella << QChar('n')
                                    << QStringList {"tabellaIniziata", "colonnaArmata '0'"} << Fase::Risposta;
    QTest::newRow("leaving") << "ns" << QChar('l') << QStringList {} << Fase::Scelta;
}

void tst_Serie::segnali()
{
    QFETCH(QString, prima);
    QFETCH(QChar, mossa);
    QFETCH(QStringList, segnali);
    QFETCH(Fase, fase);

    Serie serie(7);
    serie.scegliTabella(6);
    gioca(serie, prima);
    segnali.replaceInStrings(QStringLiteral("%A"), serie.attesa(serie.colonna()));
    const QStringList *ricevuti = registraSegnali(serie);
    QVERIFY(muovi(serie, mossa));
    QCOMPARE(*ricevuti, segnali);
    QCOMPARE(serie.fase(), fase);
}

void tst_Serie::partita_data()
{
    QTest::addColumn<QString>("mosse");
    QTest::addColumn<int>("operazioni");
    QTest::addColumn<int>("colonna");
    QTest::addColumn<int>("rifiuti");
    // The first record line after its question: %1 the right answer typed, %2 the wrong one, %3 revealed.
    QTest::addColumn<QString>("riga0");

    QTest::newRow("right") << "g" << 1 << 1 << 0 << "%1  ";
    QTest::newRow("wrong, help accepted") << "sa" << 1 << 1 << 0 << "%2  %3";
    QTest::newRow("wrong twice, refused") << "srsrg" << 1 << 1 << 2 << "%2  %2  %1  ";
    // The third refusal brings the intervention, whatever tables or visits to the exercise lie between,
    // and its OK reveals the answer: the count starts again.
    QTest::newRow("third refusal across tables") << "sr" + Tabella + "tsrsro" << 11 << 1 << 0 << "%2  %1  ";
    QTest::newRow("third refusal across visits") << "srglnsrsro" << 1 << 1 << 0 << "%2  %2  %3";
    QTest::newRow("a whole table") << Tabella << 10 << 0 << 0 << "%1  ";
    QTest::newRow("the 30th, revealed") << Tabella + "t" + Tabella + "t" + Tabella.left(9) + "sa" << 30 << 0 << 0
                                        << "%1  ";
}

void tst_Serie::partita()
{
    QFETCH(QString, mosse);
    QFETCH(int, operazioni);
    QFETCH(int, colonna);
    QFETCH(int, rifiuti);
    QFETCH(QString, riga0);

    Serie serie(7);
    serie.scegliTabella(6);
    serie.nuovaSerie();
    // Leaving and coming back ("ln") starts a new series, with factors of its own.
    const qsizetype ritorno = mosse.lastIndexOf(QLatin1Char('n')) + 1;
    gioca(serie, mosse.left(ritorno));
    const int giusta = 6 * serie.fattore(0);
    const QString domanda = Regole::rigaDomanda(6, serie.fattore(0));
    gioca(serie, mosse.mid(ritorno));
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
    gioca(serie, (Tabella + "t").repeated(2) + Tabella);
    const auto prima = serie.registro();
    QVERIFY(serie.nuovaSerie());
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
    una.nuovaSerie();
    altra.nuovaSerie();
    QSet<QString> ordini;
    for (int volta = 0; volta < 5; ++volta) {
        QCOMPARE(ordine(altra), ordine(una));
        ordini.insert(ordine(una));
        // A new table, or after the third a new series.
        gioca(una, Tabella + "tn");
        gioca(altra, Tabella + "tn");
    }
    QCOMPARE(ordini.size(), 5);
}

QTEST_GUILESS_MAIN(tst_Serie)
#include "tst_serie.moc"
