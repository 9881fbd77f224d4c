// The rules of the drill without any screen: record lines, expected answers, the entry, the order
// of the factors and the connector lines.

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
    void linee_data();
    void linee();
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

void tst_Regole::linee_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<QLineF>("attesa");
    // The number's box at (4752, 24), 1032 x 852; each sign at (1000 * k, 1275).
    const qreal l = 4752, t = 24, w = 1032, h = 852;
    const qreal y = 1275;
    QTest::newRow("0") << 0 << QLineF(l - 150, t + 150, 0 + 150, y - 100);
    QTest::newRow("1") << 1 << QLineF(l - 150, t + 350, 1000 + 150, y - 150);
    QTest::newRow("2") << 2 << QLineF(l - 150, t + 550, 2000 + 150, y - 150);
    QTest::newRow("3") << 3 << QLineF(l - 150, t + h, 3000 + 150, y - 150);
    QTest::newRow("4") << 4 << QLineF(l + w / 2, t + h, 4000 + 150, y - 150);
    QTest::newRow("5") << 5 << QLineF(l + w / 2, t + h, 5000 + 150, y - 150);
    QTest::newRow("6") << 6 << QLineF(l + w + 150, t + h, 6000 - 150, y - 150);
    QTest::newRow("7") << 7 << QLineF(l + w + 150, t + 550, 7000 - 150, y - 150);
    QTest::newRow("8") << 8 << QLineF(l + w + 150, t + 350, 8000 - 150, y - 150);
    QTest::newRow("9") << 9 << QLineF(l + w + 150, t + 150, 9000 - 150, y - 150);
}

void tst_Regole::linee()
{
    QFETCH(int, k);
    QFETCH(QLineF, attesa);
    QCOMPARE(Regole::estremiLinea(k, QRectF(4752, 24, 1032, 852), QPointF(1000 * k, 1275)), attesa);
}

QTEST_MAIN(tst_Regole)
#include "tst_regole.moc"
