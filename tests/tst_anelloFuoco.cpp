// The ring that shows which button has the focus, measured on the screens as they are drawn: at least
// 3 px wide on every side, with a contrast of at least 3:1 (WCAG relative luminance) against the
// button's highlight colour inside it and against the background around the button; a button
// without the focus has no ring. The highlight colour alone (1.27:1 on the background) is not enough.

#include "aiuto.h"

#include "applicazione/Navigatore.h"
#include "componenti/tasti/PulsanteOpzione.h"
#include "schermate/esercizio/SchermataEsercizio.h"
#include "serie/Serie.h"

#include <QImage>
#include <QTest>

#include <optional>

#include <cmath>

using namespace Aiuto;

namespace {

double luminanza(const QColor &colore)
{
    auto lineare
        = [](double canale) { return canale <= 0.04045 ? canale / 12.92 : std::pow((canale + 0.055) / 1.055, 2.4); };
    return 0.2126 * lineare(colore.redF()) + 0.7152 * lineare(colore.greenF()) + 0.0722 * lineare(colore.blueF());
}

double contrasto(const QColor &a, const QColor &b)
{
    const double la = luminanza(a);
    const double lb = luminanza(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// What one side of a button shows along its middle line, read from the outside in.
struct Lato
{
    QColor fuori;      // just outside the button: the background, or a neighbour's bevel
    int larghezza = 0; // the ring's width in pixels, 0 when there is none
    QColor anello;     // the ring's colour
    QColor dentro;     // the button's own colour just inside the ring (or the bevel)
};

// Steps from the pixel `partenza` (on the button's edge) inward along `passo`.
Lato leggiLato(const QImage &immagine, QPoint partenza, QPoint passo)
{
    Lato lato;
    lato.fuori = immagine.pixelColor(partenza - passo);
    const QColor anello = PulsanteOpzione::coloreAnelloFuoco();
    int i = 0;
    // The bevel: at most two pixels of white, black or grey.
    while (i < 2 && immagine.pixelColor(partenza + i * passo) != anello)
        ++i;
    while (i < 12 && immagine.pixelColor(partenza + i * passo) == anello) {
        lato.anello = anello;
        ++lato.larghezza;
        ++i;
    }
    lato.dentro = immagine.pixelColor(partenza + i * passo);
    return lato;
}

QList<Lato> leggiLati(const QImage &immagine, const QRect &r)
{
    const QPoint c = r.center();
    return {leggiLato(immagine, QPoint(r.left(), c.y()), QPoint(1, 0)),
            leggiLato(immagine, QPoint(r.right(), c.y()), QPoint(-1, 0)),
            leggiLato(immagine, QPoint(c.x(), r.top()), QPoint(0, 1)),
            leggiLato(immagine, QPoint(c.x(), r.bottom()), QPoint(0, -1))};
}

} // namespace

class tst_AnelloFuoco : public QObject
{
    Q_OBJECT
    std::optional<Serie> m_serie {std::in_place};
    std::optional<Navigatore> m_navigatore {std::in_place, *m_serie};

private Q_SLOTS:
    void init();
    void cleanup();
    void contrastoDeiColori();
    void anelloSulPulsanteConIlFuoco_data();
    void anelloSulPulsanteConIlFuoco();
};

void tst_AnelloFuoco::init()
{
    Aiuto::daCapo(m_serie, m_navigatore);
}

void tst_AnelloFuoco::cleanup()
{
    chiudiTutto();
}

// The formula itself, on pairs whose contrast is known.
void tst_AnelloFuoco::contrastoDeiColori()
{
    QCOMPARE(qRound(contrasto(Qt::black, Qt::white) * 100), 2100);
    QCOMPARE(qRound(contrasto(QColor(255, 192, 128), QColor(255, 224, 192)) * 100), 127);
    QCOMPARE(qRound(contrasto(QColor(118, 118, 118), Qt::white) * 100), 454);
}

void tst_AnelloFuoco::anelloSulPulsanteConIlFuoco_data()
{
    QTest::addColumn<bool>("esercizio");
    QTest::addColumn<QString>("focalizzato");
    QTest::addColumn<QString>("altro");
    QTest::newRow("tabelle") << false << QStringLiteral("tabella(0)") << QStringLiteral("tabella(1)");
    QTest::newRow("comandi") << false << QStringLiteral("vai") << QStringLiteral("ripristina");
    QTest::newRow("tastierino") << true << QStringLiteral("tasto(0)") << QStringLiteral("tasto(5)");
}

void tst_AnelloFuoco::anelloSulPulsanteConIlFuoco()
{
    QFETCH(bool, esercizio);
    QFETCH(QString, focalizzato);
    QFETCH(QString, altro);

    QWidget *finestra = apriInizio(*m_navigatore);
    QVERIFY(finestra);
    if (esercizio) {
        tasti(finestra, {Qt::Key_Return, Qt::Key_Return});
        finestra = m_navigatore->istanza<SchermataEsercizio>();
        QVERIFY(finestra);
        QVERIFY(QTest::qWaitForWindowActive(finestra));
    }
    auto *conFuoco = controllo<PulsanteOpzione>(finestra, focalizzato);
    auto *senzaFuoco = controllo<PulsanteOpzione>(finestra, altro);
    conFuoco->setFocus(Qt::OtherFocusReason);
    QVERIFY(conFuoco->hasFocus());

    const QImage immagine = finestra->grab().toImage();
    QCOMPARE(immagine.devicePixelRatio(), 1.0);
    const auto rettangolo
        = [finestra](QWidget *pulsante) { return QRect(pulsante->mapTo(finestra, QPoint(0, 0)), pulsante->size()); };

    const QColor evidenza = conFuoco->backColor();
    QCOMPARE(evidenza, QColor(255, 192, 128));
    const QList<Lato> lati = leggiLati(immagine, rettangolo(conFuoco));
    // Left of every one of these buttons lies the screen's background.
    QCOMPARE(lati.at(0).fuori, QColor(255, 224, 192));
    for (const Lato &lato : lati) {
        QVERIFY2(lato.larghezza >= 3, qPrintable(QStringLiteral("ring %1 px wide").arg(lato.larghezza)));
        QCOMPARE(lato.dentro, evidenza);
        QVERIFY2(contrasto(lato.anello, lato.dentro) >= 3.0,
                 qPrintable(QString::number(contrasto(lato.anello, lato.dentro))));
        QVERIFY2(contrasto(lato.anello, lato.fuori) >= 3.0,
                 qPrintable(QString::number(contrasto(lato.anello, lato.fuori))));
    }
    for (const Lato &lato : leggiLati(immagine, rettangolo(senzaFuoco))) {
        QCOMPARE(lato.larghezza, 0);
        QCOMPARE(lato.dentro, senzaFuoco->backColor());
        QCOMPARE(lato.dentro, QColor(255, 224, 192));
    }
}

QTEST_MAIN(tst_AnelloFuoco)
#include "tst_anelloFuoco.moc"
