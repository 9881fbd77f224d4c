// The proportional rule without widgets, and the &H00BBGGRR colours.

#include "componenti/disposizione/Proporzioni.h"
#include "componenti/disposizione/Unita.h"

#include <QColor>
#include <QTest>

class tst_Proporzioni : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void catturaEApplica_data();
    void catturaEApplica();
    void coloreBGR_data();
    void coloreBGR();
    void linee_data();
    void linee();
};

void tst_Proporzioni::catturaEApplica_data()
{
    QTest::addColumn<QRect>("progetto"); // twips
    QTest::addColumn<QSizeF>("clientProgetto");
    QTest::addColumn<QSize>("client"); // pixels
    QTest::addColumn<QRect>("atteso");

    const QSizeF inizio(11880, 8310);
    QTest::newRow("grandezza di progetto")
        << QRect(585, 2625, 8925, 645) << inizio << QSize(792, 554) << QRect(39, 175, 595, 43);
    QTest::newRow("il doppio, dal bordo sinistro")
        << QRect(0, 0, 11745, 2295) << inizio << QSize(1584, 1108) << QRect(0, 0, 1566, 306);
    QTest::newRow("tutta la larghezza") << QRect(0, 0, 11880, 8310) << inizio << QSize(1000, 700)
                                        << QRect(0, 0, 1000, 700);
    QTest::newRow("assi indipendenti") << QRect(5940, 4155, 5940, 4155) << inizio << QSize(1000, 300)
                                       << QRect(500, 150, 500, 150);
    QTest::newRow("finestra minuscola: mai sotto un punto")
        << QRect(585, 2625, 8925, 645) << inizio << QSize(10, 10) << QRect(0, 3, 8, 1);
    QTest::newRow("schermo d'esercizio") << QRect(6090, 5775, 105, 105) << QSizeF(11910, 8595) << QSize(2382, 1719)
                                         << QRect(1218, 1155, 21, 21);
}

void tst_Proporzioni::catturaEApplica()
{
    QFETCH(QRect, progetto);
    QFETCH(QSizeF, clientProgetto);
    QFETCH(QSize, client);
    QFETCH(QRect, atteso);

    QCOMPARE(applicaProporzioni(catturaProporzioni(progetto, clientProgetto), client), atteso);
}

void tst_Proporzioni::coloreBGR_data()
{
    QTest::addColumn<quint32>("bgr");
    QTest::addColumn<QColor>("atteso");
    QTest::newRow("pesca") << quint32(0x00C0E0FF) << QColor(255, 224, 192);
    QTest::newRow("arancio") << quint32(0x0080C0FF) << QColor(255, 192, 128);
    QTest::newRow("blu") << quint32(0x00C00000) << QColor(0, 0, 192);
    QTest::newRow("blu notte") << quint32(0x00800000) << QColor(0, 0, 128);
    QTest::newRow("rosso scuro") << quint32(0x000000C0) << QColor(192, 0, 0);
    QTest::newRow("nero") << quint32(0) << QColor(0, 0, 0);
    QTest::newRow("bianco") << quint32(0x00FFFFFF) << QColor(255, 255, 255);
}

void tst_Proporzioni::coloreBGR()
{
    QFETCH(quint32, bgr);
    QFETCH(QColor, atteso);
    QCOMPARE(Unita::coloreBGR(bgr), atteso);
}

void tst_Proporzioni::linee_data()
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

void tst_Proporzioni::linee()
{
    QFETCH(int, k);
    QFETCH(QLineF, attesa);
    QCOMPARE(lineaColonna(k, QRectF(4752, 24, 1032, 852), QPointF(1000 * k, 1275)), attesa);
}

QTEST_MAIN(tst_Proporzioni)
#include "tst_Proporzioni.moc"
