// The rules of the drill without any screen: record lines, expected answers, the entry and the order
// of the factors.

#include "serie/Regole.h"

#include <QTest>

#include <algorithm>

class tst_Regole : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rigaDomanda_data();
    void rigaDomanda();
    void rispostaAttesa();
    void aggiungiCifra_data();
    void aggiungiCifra();
    void togliCifra();
    void confronto();
    void fattoriSonoUnaPermutazione();
    void fattoriUniformi();
};

void tst_Regole::rigaDomanda_data()
{
    QTest::addColumn<int>("tabella");
    QTest::addColumn<int>("fattore");
    QTest::addColumn<QString>("riga");
    QTest::newRow("3 x 4") << 3 << 4 << QStringLiteral("3 \u00d7  4 = ");
    QTest::newRow("3 x 10") << 3 << 10 << QStringLiteral("3 \u00d7 10 = ");
    QTest::newRow("10 x 7") << 10 << 7 << QStringLiteral("10 \u00d7  7 = ");
    QTest::newRow("0 x 1") << 0 << 1 << QStringLiteral("0 \u00d7  1 = ");
}

void tst_Regole::rigaDomanda()
{
    QFETCH(int, tabella);
    QFETCH(int, fattore);
    QFETCH(QString, riga);
    QCOMPARE(Regole::rigaDomanda(tabella, fattore), riga);
    // The sign takes exactly one place, so the answers line up in a fixed-pitch font.
    QCOMPARE(Regole::rigaDomanda(tabella, fattore).length(), QString::number(tabella).length() + 8);
}

void tst_Regole::rispostaAttesa()
{
    QCOMPARE(Regole::rispostaAttesa(12), QStringLiteral(" 12"));
    QCOMPARE(Regole::rispostaAttesa(0), QStringLiteral(" 0"));
    QCOMPARE(Regole::rispostaAttesa(100), QStringLiteral(" 100"));
}

void tst_Regole::aggiungiCifra_data()
{
    QTest::addColumn<QString>("prima");
    QTest::addColumn<int>("cifra");
    QTest::addColumn<QString>("dopo");
    QTest::newRow("first digit") << QString() << 4 << QStringLiteral("4");
    QTest::newRow("second digit") << QStringLiteral("1") << 2 << QStringLiteral("12");
    QTest::newRow("third digit") << QStringLiteral("12") << 3 << QStringLiteral("123");
    QTest::newRow("fourth dropped") << QStringLiteral("123") << 4 << QStringLiteral("123");
    QTest::newRow("lone zero kept") << QString() << 0 << QStringLiteral("0");
    QTest::newRow("digit replaces lone zero") << QStringLiteral("0") << 7 << QStringLiteral("7");
    QTest::newRow("zero after zero") << QStringLiteral("0") << 0 << QStringLiteral("0");
    QTest::newRow("zero after a digit") << QStringLiteral("10") << 0 << QStringLiteral("100");
    QTest::newRow("not a digit") << QStringLiteral("5") << 11 << QStringLiteral("5");
}

void tst_Regole::aggiungiCifra()
{
    QFETCH(QString, prima);
    QFETCH(int, cifra);
    QFETCH(QString, dopo);
    QCOMPARE(Regole::aggiungiCifra(prima, cifra), dopo);
}

void tst_Regole::togliCifra()
{
    QCOMPARE(Regole::togliCifra(QStringLiteral("12")), QStringLiteral("1"));
    QCOMPARE(Regole::togliCifra(QStringLiteral("1")), QString());
    QCOMPARE(Regole::togliCifra(QString()), QString());
}

void tst_Regole::confronto()
{
    QVERIFY(Regole::rispostaGiusta(QStringLiteral("7"), QStringLiteral(" 7")));
    QVERIFY(Regole::rispostaGiusta(QStringLiteral("0"), QStringLiteral(" 0")));
    QVERIFY(!Regole::rispostaGiusta(QStringLiteral("07"), QStringLiteral(" 7")));
    QVERIFY(!Regole::rispostaGiusta(QString(), QStringLiteral(" 0")));
    QVERIFY(!Regole::rispostaGiusta(QStringLiteral("12"), QStringLiteral(" 21")));
}

void tst_Regole::fattoriSonoUnaPermutazione()
{
    QRandomGenerator generatore(1);
    for (int volta = 0; volta < 1000; ++volta) {
        auto ordine = Regole::estraiFattori(generatore);
        std::sort(ordine.begin(), ordine.end());
        for (int i = 0; i < 10; ++i)
            QCOMPARE(ordine.at(i), i + 1);
    }
}

// Over many tables every factor lands in every column about equally often, and every ordered pair
// of neighbours occurs: a drill where 1 always comes early would be easier than it looks.
void tst_Regole::fattoriUniformi()
{
    constexpr int tabelle = 20000;
    QRandomGenerator generatore(20261208);
    int conteggi[10][11] = {};
    int coppie[11][11] = {};
    for (int volta = 0; volta < tabelle; ++volta) {
        const auto ordine = Regole::estraiFattori(generatore);
        for (int c = 0; c < 10; ++c)
            ++conteggi[c][ordine.at(c)];
        ++coppie[ordine.at(0)][ordine.at(1)];
    }
    const int atteso = tabelle / 10;
    for (int c = 0; c < 10; ++c) {
        for (int f = 1; f <= 10; ++f) {
            // 10% is about five standard deviations here.
            QVERIFY2(qAbs(conteggi[c][f] - atteso) < atteso / 10,
                     qPrintable(QStringLiteral("column %1 factor %2: %3").arg(c).arg(f).arg(conteggi[c][f])));
        }
    }
    const int attesoCoppia = tabelle / 90;
    for (int a = 1; a <= 10; ++a) {
        for (int b = 1; b <= 10; ++b) {
            if (a == b)
                QCOMPARE(coppie[a][b], 0);
            else
                QVERIFY(qAbs(coppie[a][b] - attesoCoppia) < attesoCoppia / 3);
        }
    }
}

QTEST_MAIN(tst_Regole)
#include "tst_regole.moc"
