// Automatic scanning on a group of buttons, with the clock in the test's hand (no sleeping): the steps and
// their wrapping, the first item's longer hold, the stop after three loops and the press that only wakes
// it, one choice for one press whatever the switch sends, and nothing moving while the program is not
// active or a page is printed. Then a column of the exercise answered with nothing but one key.

#include "aiuto.h"
#include "componenti/tasti/GruppoScelta.h"
#include "componenti/tasti/PulsanteOpzione.h"
#include "componenti/tasti/ScansioneAutomatica.h"

#include <QLabel>
#include <QtTest>

using namespace std::chrono_literals;

class tst_ScansioneAutomatica : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void passi_data();
    void passi();
    void colonnaConUnSensore();

private:
    // One letter an event: t the interval passes, S Space, E Enter, M a mouse press on the window beside
    // the buttons, H Space held down, I the program no longer active, A active again, P a page printed
    // (scanning suspended), F printed. Written down after each: the focused button, "+i" for a choice of
    // button i, and the hold: 2 (the first item's), 1, or 0 (stopped).
    QString gioca(const QString &eventi);

    std::unique_ptr<QWidget> m_finestra;
    QList<PulsanteOpzione *> m_pulsanti;
    std::unique_ptr<ScansioneAutomatica> m_scansione;
    QList<int> m_scelte;
};

void tst_ScansioneAutomatica::init()
{
    // Four buttons, the third disabled, as the keypad's grey keys are skipped.
    m_finestra = std::make_unique<QWidget>();
    m_finestra->resize(400, 100);
    m_pulsanti.clear();
    for (int i = 0; i < 4; ++i) {
        auto *pulsante = new PulsanteOpzione(QString::number(i), m_finestra.get());
        pulsante->setGeometry(i * 80, 0, 70, 40);
        pulsante->setEnabled(i != 2);
        m_pulsanti << pulsante;
    }
    new QLabel(QStringLiteral("accanto"), m_finestra.get());
    auto *gruppo = new GruppoScelta(m_pulsanti, ConfigurazioneGruppo(), m_finestra.get());
    m_scelte.clear();
    connect(gruppo, &GruppoScelta::confermato, this, [this](int i) { m_scelte << i; });
    m_finestra->show();
    m_finestra->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_finestra.get()));
    m_pulsanti.at(0)->setFocus();
    m_scansione = std::make_unique<ScansioneAutomatica>(1000ms, nullptr, false);
}

void tst_ScansioneAutomatica::cleanup()
{
    m_scansione.reset();
    m_finestra.reset();
    Aiuto::chiudiTutto();
}

QString tst_ScansioneAutomatica::gioca(const QString &eventi)
{
    QStringList traccia;
    QWindow *finestra = m_finestra->windowHandle();
    for (QChar evento : eventi) {
        m_scelte.clear();
        switch (evento.toLatin1()) {
        case 't':
            m_scansione->scatto();
            break;
        case 'S':
            QTest::keyClick(finestra, Qt::Key_Space);
            break;
        case 'E':
            QTest::keyClick(finestra, Qt::Key_Return);
            break;
        case 'M':
            QTest::mouseClick(finestra, Qt::RightButton, Qt::NoModifier, QPoint(390, 90));
            break;
        case 'H':
            Aiuto::tieni(m_finestra.get(), Qt::Key_Space, QStringLiteral(" "));
            break;
        case 'I':
        case 'A':
            QT_WARNING_PUSH
            QT_WARNING_DISABLE_DEPRECATED
            QApplication::setActiveWindow(evento == QLatin1Char('A') ? m_finestra.get() : nullptr);
            QT_WARNING_POP
            break;
        case 'P':
        case 'F':
            m_scansione->sospendi(evento == QLatin1Char('P'));
            break;
        }
        QString passo = QString::number(m_pulsanti.indexOf(QApplication::focusWidget()));
        for (int scelta : std::as_const(m_scelte))
            passo += QStringLiteral("+%1").arg(scelta);
        traccia << passo + QLatin1Char('/') + QString::number(m_scansione->attesa() / 1000ms);
    }
    return traccia.join(QLatin1Char(' '));
}

void tst_ScansioneAutomatica::passi_data()
{
    // The events, then what was written down after each.
    QTest::addColumn<QString>("partita");
    QTest::newRow("steps, skipping the grey one and wrapping") << "tttt = 1/1 3/1 0/1 1/1";
    QTest::newRow("a press chooses the highlighted item; the next holds twice") << "ttS = 1/1 3/1 3+3/2";
    QTest::newRow("Enter and a mouse press beside the buttons choose too") << "tEtM = 1/1 1+1/2 3/1 3+3/2";
    QTest::newRow("a held switch chooses once") << "tH = 1/1 1+1/2";
    QTest::newRow("three whole loops, then stopped where it began")
        << "ttttttttt = 1/1 3/1 0/1 1/1 3/1 0/1 1/1 3/1 0/0";
    QTest::newRow("a press only wakes it up") << "tttttttttSt = 1/1 3/1 0/1 1/1 3/1 0/1 1/1 3/1 0/0 0/2 1/1";
    // No window of the program active, no focus: the highlight is back where it was on return.
    QTest::newRow("nothing moves while the program is not active") << "tItA = 1/1 -1/1 -1/1 1/2";
    QTest::newRow("nothing moves, nothing is chosen while printing") << "PtSFt = 0/2 0/2 0/2 0/2 1/1";
}

void tst_ScansioneAutomatica::passi()
{
    QFETCH(QString, partita);
    QCOMPARE(m_scansione->attesa(), 2000ms);
    QCOMPARE(gioca(partita.section(QStringLiteral(" = "), 0, 0)), partita.section(QStringLiteral(" = "), 1));
}

// The right answer of a column, with Space alone: the keypad's keys go by one interval at a time.
void tst_ScansioneAutomatica::colonnaConUnSensore()
{
    m_finestra.reset();
    std::optional<Serie> serie;
    std::optional<Navigatore> navigatore;
    Aiuto::daCapo(serie, navigatore, 20261210);
    serie->scegliTabella(7);
    SchermataEsercizio *w = navigatore->apriEsercizio();
    QVERIFY(QTest::qWaitForWindowActive(w));
    const auto scegli = [this, w](const QString &nome) {
        for (int passi = 0; passi < 30 && Aiuto::fuoco() != nome; ++passi)
            m_scansione->scatto();
        QCOMPARE(Aiuto::fuoco(), nome);
        QTest::keyClick(w->windowHandle(), Qt::Key_Space);
    };
    const QString risposta = serie->attesa(0).trimmed();
    for (QChar cifra : risposta)
        scegli(QStringLiteral("tasto(%1)").arg(cifra));
    QCOMPARE(Aiuto::testo(w, QStringLiteral("risultato(0)")), risposta);
    scegli(QStringLiteral("invio"));
    QCOMPARE(serie->colonna(), 1);
    QCOMPARE(Aiuto::testo(w, QStringLiteral("risultato(1)")), QStringLiteral("?"));
    QCOMPARE(serie->registro().at(0).trimmed(), Regole::rigaDomanda(7, serie->fattore(0)) + risposta);
}

QTEST_MAIN(tst_ScansioneAutomatica)
#include "tst_ScansioneAutomatica.moc"
