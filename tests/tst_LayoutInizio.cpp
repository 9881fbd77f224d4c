// The start screen keeps every control in proportion to its client area at any window size, with
// fonts at their design size, and gets the same places back after minimise and restore.

#include "aiuto.h"

#include "applicazione/Navigatore.h"
#include "serie/Serie.h"

#include <QTest>

#include <optional>

using namespace Aiuto;

namespace {

// Every control of the start screen at its design place (twips, relative to its container), and the
// point size of its text (0: no text).
struct Posto
{
    QString nome;
    QRect twips;
    qreal punti;
};

QList<Posto> posti()
{
    QList<Posto> elenco = {
        {QStringLiteral("titolo"), QRect(0, 0, 11745, 2295), 0},
        {QStringLiteral("bordoNome"), QRect(90, 90, 8220, 1935), 0},
        {QStringLiteral("fondoNome"), QRect(90, 60, 8160, 1875), 0},
        {QStringLiteral("bordoVersione"), QRect(8340, 30, 3180, 1935), 0},
        {QStringLiteral("fondoVersione"), QRect(8385, 60, 3120, 1875), 0},
        {QStringLiteral("nome"), QRect(330, 330, 7800, 1395), 27.75},
        {QStringLiteral("versione"), QRect(8730, 405, 2250, 1140), 9.75},
        {QStringLiteral("tabellaScelta"), QRect(585, 2625, 8925, 645), 18},
        {QStringLiteral("tabelle"), QRect(1980, 4485, 4125, 2805), 0},
        {QStringLiteral("comandi"), QRect(6675, 4485, 4125, 2805), 0},
        {QStringLiteral("vai"), QRect(90, 150, 3945, 630), 18},
        {QStringLiteral("ripristina"), QRect(90, 975, 3945, 630), 18},
        {QStringLiteral("esci"), QRect(90, 1740, 3945, 630), 18},
        {QStringLiteral("firma"), QRect(420, 7515, 5340, 465), 18},
        {QStringLiteral("tabella(9)"), QRect(135, 2025, 1860, 630), 15.75},
        {QStringLiteral("tabella(10)"), QRect(2085, 2025, 1860, 630), 15.75},
    };
    for (int i = 0; i < 9; ++i) {
        elenco.append(
            {QStringLiteral("tabella(%1)").arg(i), QRect(135 + (i % 3) * 1290, 225 + (i / 3) * 600, 1230, 585), 15.75});
    }
    return elenco;
}

} // namespace

class tst_LayoutInizio : public QObject
{
    Q_OBJECT
    std::optional<Serie> m_serie {std::in_place};
    std::optional<Navigatore> m_navigatore {std::in_place, *m_serie};

private Q_SLOTS:
    void init();
    void cleanup();

    void proporzioni_data();
    void proporzioni();
    void riduciERipristina();

private:
    void controllaPosti(const QSize &client);
    SchermataInizio *m_inizio = nullptr;
};

void tst_LayoutInizio::init()
{
    Aiuto::daCapo(m_serie, m_navigatore);
    m_inizio = apriInizio(*m_navigatore);
    QVERIFY(m_inizio);
}

void tst_LayoutInizio::cleanup()
{
    chiudiTutto();
}

void tst_LayoutInizio::controllaPosti(const QSize &client)
{
    QCOMPARE(m_inizio->client()->size(), client);
    const double x = client.width() / 11880.0;
    const double y = client.height() / 8310.0;
    for (const Posto &posto : posti()) {
        const QWidget *widget = controllo(m_inizio, posto.nome);
        QVERIFY2(widget, qPrintable(posto.nome));
        const QRect atteso(qRound(posto.twips.x() * x), qRound(posto.twips.y() * y), qRound(posto.twips.width() * x),
                           qRound(posto.twips.height() * y));
        const QRect reale = widget->geometry();
        const bool vicino = qAbs(reale.x() - atteso.x()) <= 1 && qAbs(reale.y() - atteso.y()) <= 1
                            && qAbs(reale.width() - atteso.width()) <= 1 && qAbs(reale.height() - atteso.height()) <= 1;
        QVERIFY2(vicino, qPrintable(QStringLiteral("%1 at %2,%3 %4x%5, expected %6,%7 %8x%9")
                                        .arg(posto.nome)
                                        .arg(reale.x())
                                        .arg(reale.y())
                                        .arg(reale.width())
                                        .arg(reale.height())
                                        .arg(atteso.x())
                                        .arg(atteso.y())
                                        .arg(atteso.width())
                                        .arg(atteso.height())));
        if (posto.punti > 0)
            QCOMPARE(widget->font().pointSizeF(), posto.punti);
    }
}

void tst_LayoutInizio::proporzioni_data()
{
    QTest::addColumn<QSize>("finestra");
    QTest::newRow("massimizzata") << QSize();
    QTest::newRow("piu' grande") << QSize(1500, 1000);
    QTest::newRow("piu' piccola") << QSize(500, 380);
    QTest::newRow("stretta e alta") << QSize(420, 900);
}

void tst_LayoutInizio::proporzioni()
{
    QFETCH(QSize, finestra);

    if (finestra.isValid()) {
        m_inizio->showNormal();
        m_inizio->resize(finestra);
        QTRY_COMPARE(m_inizio->size(), finestra);
    }
    const int menu = m_inizio->client()->y();
    QVERIFY(menu > 0); // the menu bar is not part of the client area
    controllaPosti(QSize(m_inizio->width(), m_inizio->height() - menu));
}

void tst_LayoutInizio::riduciERipristina()
{
    m_inizio->showNormal();
    m_inizio->resize(900, 640);
    QTRY_COMPARE(m_inizio->size(), QSize(900, 640));
    const QSize client = m_inizio->client()->size();

    m_inizio->showMinimized();
    QTRY_VERIFY(m_inizio->isMinimized());
    m_inizio->showNormal();
    QTRY_VERIFY(!m_inizio->isMinimized());
    QTRY_COMPARE(m_inizio->size(), QSize(900, 640));
    controllaPosti(client);

    m_inizio->showMaximized();
    QTRY_VERIFY(m_inizio->isMaximized());
    controllaPosti(m_inizio->client()->size());
}

QTEST_MAIN(tst_LayoutInizio)
#include "tst_LayoutInizio.moc"
