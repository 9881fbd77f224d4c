// The print screen as the child and the teacher use it: the preview, the buttons, the window's size,
// and what goes to the printer, recorded call by call.

#include "StampaSupporto.h"
#include "aiuto.h"
#include "applicazione/Navigatore.h"
#include "componenti/finestre/Messaggio.h"
#include "schermate/stampa/SchermataStampa.h"
#include "serie/Serie.h"

#include <QDir>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QWindow>
#include <QtTest>

#include <optional>

class tst_StampaEsercizio : public QObject
{
    Q_OBJECT
    std::optional<Serie> m_serie {std::in_place};
    std::optional<Navigatore> m_navigatore {std::in_place, *m_serie};

private Q_SLOTS:
    void init();
    void cleanup();

    void anteprima_data();
    void anteprima();
    void riaperturaPortaSoloDavanti();
    void proporzioniDopoRidimensionamento();
    void chiusura_data();
    void chiusura();
    void messaggio();

private:
    SchermataStampa *apriStampa();
};

SchermataStampa *tst_StampaEsercizio::apriStampa()
{
    auto *stampa = m_navigatore->schermate().carica<SchermataStampa>(*m_serie);
    stampa->mostra();
    if (!QTest::qWaitForWindowActive(stampa))
        return nullptr;
    return stampa;
}

void tst_StampaEsercizio::init()
{
    Aiuto::daCapo(m_serie, m_navigatore);
}

void tst_StampaEsercizio::cleanup()
{
    m_navigatore->schermate().scarica<SchermataStampa>();
    QTRY_VERIFY(m_navigatore->istanza<SchermataStampa>() == nullptr);
}

void tst_StampaEsercizio::anteprima_data()
{
    QTest::addColumn<int>("numEsercizi");
    QTest::newRow("first operation") << 0;
    QTest::newRow("ten operations") << 10;
    QTest::newRow("thirty operations") << 30;
}

void tst_StampaEsercizio::anteprima()
{
    QFETCH(int, numEsercizi);
    riempiRegistro(*m_serie, numEsercizi);
    SchermataStampa *stampa = apriStampa();
    QVERIFY(stampa);
    QCOMPARE(stampa->windowTitle(), "FINESTRA DI STAMPA");
    QVERIFY(stampa->isMaximized());
    QCOMPARE(QApplication::focusWidget()->objectName(), "esci");
    for (int i = 0; i < SchermataStampa::CelleAnteprima; ++i) {
        auto *cella = stampa->findChild<QLabel *>(QStringLiteral("anteprima(%1)").arg(i));
        QVERIFY(cella);
        QCOMPARE(cella->text(), i <= 10 ? m_serie->registro().at(i) : QString());
    }
    QVERIFY(m_serie->registro().at(3).contains(QStringLiteral("×")));
}

void tst_StampaEsercizio::riaperturaPortaSoloDavanti()
{
    riempiRegistro(*m_serie, 30);
    SchermataStampa *stampa = apriStampa();
    QVERIFY(stampa);
    const QString mostrata = m_serie->registro().at(0);
    auto cambiato = m_serie->registro();
    cambiato.at(0) = QStringLiteral("9 ×  9 = 81  ");
    m_serie->caricaRegistro(cambiato, m_serie->operazioni());
    QCOMPARE(apriStampa(), stampa);
    QCOMPARE(stampa->findChild<QLabel *>("anteprima(0)")->text(), mostrata);
}

void tst_StampaEsercizio::proporzioniDopoRidimensionamento()
{
    struct Posto
    {
        QString nome;
        QRect twips;
    };
    QList<Posto> posti = {{"titolo", {660, 75, 10725, 525}},
                          {"immagine", {1095, 765, 9120, 1740}},
                          {"esci", {960, 7455, 4155, 885}},
                          {"stampa", {6795, 7425, 4155, 885}}};
    const int colonne[] = {120, 3060, 5970, 8850};
    const int righe[] = {2955, 3375, 3795, 4245, 4695, 5145, 5595, 6045, 6510, 6960};
    for (int i = 0; i < 40; ++i)
        posti.append({QStringLiteral("anteprima(%1)").arg(i), QRect(colonne[i / 10], righe[i % 10], 2835, 435)});

    SchermataStampa *stampa = apriStampa();
    QVERIFY(stampa);
    stampa->showNormal();
    stampa->resize(1013, 517);
    QTRY_COMPARE(stampa->client()->size(), QSize(1013, 517));
    const qreal w = 1013.0 / 11910, h = 517.0 / 8730;
    for (const Posto &posto : std::as_const(posti)) {
        auto *controllo = stampa->findChild<QWidget *>(posto.nome);
        QVERIFY2(controllo, qPrintable(posto.nome));
        const QRect g = controllo->geometry();
        const QRectF atteso(posto.twips.x() * w, posto.twips.y() * h, posto.twips.width() * w,
                            posto.twips.height() * h);
        QVERIFY2(qAbs(g.x() - atteso.x()) <= 1 && qAbs(g.y() - atteso.y()) <= 1 && qAbs(g.width() - atteso.width()) <= 1
                     && qAbs(g.height() - atteso.height()) <= 1,
                 qPrintable(posto.nome));
    }
}

void tst_StampaEsercizio::chiusura_data()
{
    QTest::addColumn<QString>("come");
    QTest::newRow("mouse on ESCI") << "mouse";
    QTest::newRow("right button pressed on ESCI") << "destro";
    QTest::newRow("Space twice, never pressing, then Enter on ESCI") << "scansione";
    QTest::newRow("Enter on ESCI, which has the focus") << "invio";
    QTest::newRow("close box") << "casella";
}

void tst_StampaEsercizio::chiusura()
{
    QFETCH(QString, come);
    riempiRegistro(*m_serie, 30);
    const auto registro = m_serie->registro();
    QPointer<SchermataStampa> stampa = apriStampa();
    QVERIFY(stampa);
    if (come == "mouse")
        QTest::mouseClick(stampa->findChild<QPushButton *>("esci"), Qt::LeftButton);
    else if (come == "destro")
        QTest::mousePress(stampa->findChild<QPushButton *>("esci"), Qt::RightButton);
    else if (come == "invio")
        QTest::keyClick(stampa->windowHandle(), Qt::Key_Return);
    else if (come == "scansione") {
        // The space bar moves between the two buttons, wrapping, as a choice group does; should it print,
        // the message is answered in advance and counted.
        stampa->messaggi().setProssimaRisposta(QMessageBox::Ok);
        for (const char *atteso : {"stampa", "esci"}) {
            QTest::keyClick(stampa->windowHandle(), Qt::Key_Space);
            QCOMPARE(QApplication::focusWidget()->objectName(), QLatin1String(atteso));
            QCOMPARE(stampa->messaggi().conteggio(), 0);
            QVERIFY(stampa->isVisible());
        }
        QTest::keyClick(stampa->windowHandle(), Qt::Key_Return);
    } else
        stampa->windowHandle()->close();
    QTRY_COMPARE(m_navigatore->istanza<SchermataStampa>(), nullptr);
    QTRY_VERIFY(stampa.isNull());
    QCOMPARE(m_serie->registro(), registro);
    QCOMPARE(m_serie->operazioni(), 30);
}

// The message the page's delivery hands over shows in a box, which any mouse button answers at the press,
// and the space bar never.
void tst_StampaEsercizio::messaggio()
{
    riempiRegistro(*m_serie, 10);
    SchermataStampa *stampa = apriStampa();
    QVERIFY(stampa);
    auto chiamate = std::make_shared<QStringList>();
    stampa->consegna().setFabbricaStampante(
        [chiamate] { return std::make_unique<StampanteRegistrata>(chiamate, QStringList {"Arial"}); });
    QString letto;
    Aiuto::quandoModale([&letto](QWidget *modale) {
        auto *box = qobject_cast<QMessageBox *>(modale);
        letto = box->text();
        QTest::keyClick(box->button(QMessageBox::Ok), Qt::Key_Space); // Space never answers
        QVERIFY(modale->isVisible());
        QTest::mousePress(box->button(QMessageBox::Ok), Qt::RightButton);
        QVERIFY(!modale->isVisible());
    });
    QTest::mouseClick(stampa->findChild<QPushButton *>("stampa"), Qt::LeftButton);
    QCOMPARE(letto, "Devi installare il font Courier o il font Courier New");
    QCOMPARE(stampa->messaggi().conteggio(), 1);
    QVERIFY(stampa->isVisible());
}

QTEST_MAIN(tst_StampaEsercizio)
#include "tst_stampaesercizio.moc"
