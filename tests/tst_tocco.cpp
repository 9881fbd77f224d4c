// A finger on the touch monitors and interactive panels of a classroom: a tap on any button of the
// program confirms it exactly once and leaves the focus, the highlight and the drawing as a mouse press
// would; a finger held down confirms once, and a second finger on another button confirms nothing.
// Touches go through the window, the way the X11 and Windows platform plugins deliver them.

#include "aiuto.h"

#include "applicazione/Navigatore.h"
#include "componenti/tasti/GruppoScelta.h"
#include "componenti/tasti/PulsanteOpzione.h"
#include "schermate/esercizio/SchermataEsercizio.h"
#include "schermate/stampa/SchermataStampa.h"
#include "serie/Serie.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPointingDevice>
#include <QRegularExpression>
#include <QTest>

#include <optional>

#include <algorithm>
#include <memory>

namespace {

// Where the button to touch is: the start screen, or the exercise screen at one of its stages.
enum class Scena
{
    Inizio,
    Tastierino,
    RispostaScritta, // a wrong answer typed, "Invio" available
    Aiuto,
    Intervento,
    Avviso,
    Stampa,
};

// What a child sees once the press is over.
struct Esito
{
    QList<int> conferme;  // the indices the button's group confirmed; a push button's clicks as 0
    QString attiva;       // the title of the active window
    QString fuoco;        // the control that has the focus
    QStringList pulsanti; // every option button shown: name, colour, drawn pressed or not
    QStringList risultati;
};

} // namespace

Q_DECLARE_METATYPE(Scena)

class tst_Tocco : public QObject
{
    Q_OBJECT
    std::optional<Serie> m_serie {std::in_place};
    std::optional<Navigatore> m_navigatore {std::in_place, *m_serie};

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void unTocco_data();
    void unTocco();
    void ditoTenuto();
    void secondoDito_data();
    void secondoDito();

private:
    QWidget *prepara(Scena scena);
    Esito premi(Scena scena, const QString &nome, const QString &finestraAttesa, bool colDito);
    QPoint centro(const QString &nome) const;
    QWindow *finestra() const { return m_finestra->windowHandle(); }

    // Gone with the test, before the leak check: Qt's list of devices does not own it.
    std::unique_ptr<QPointingDevice> m_schermo;
    QWidget *m_finestra = nullptr;
};

void tst_Tocco::initTestCase()
{
    m_schermo.reset(QTest::createTouchDevice(QInputDevice::DeviceType::TouchScreen));
}

void tst_Tocco::init()
{
    Aiuto::daCapo(m_serie, m_navigatore, 20261209);
}

void tst_Tocco::cleanup()
{
    Aiuto::chiudiTutto();
    m_finestra = nullptr;
}

QPoint tst_Tocco::centro(const QString &nome) const
{
    return Aiuto::centroNellaFinestra(Aiuto::controllo(m_finestra, nome));
}

// Opens the screen that holds the button, in the stage where the button can be pressed.
QWidget *tst_Tocco::prepara(Scena scena)
{
    if (scena == Scena::Inizio)
        return Aiuto::apriInizio(*m_navigatore);
    SchermataEsercizio *w = Aiuto::apriEsercizio(*m_navigatore, *m_serie, 3);
    // Two refusals first, so that the next one brings the intervention.
    for (int rifiuti = 0; scena == Scena::Intervento && rifiuti < 2; ++rifiuti) {
        for (Qt::Key tasto : {Qt::Key_1, Qt::Key_Return, Qt::Key_N, Qt::Key_Return})
            Aiuto::premi(w, tasto);
    }
    if (scena >= Scena::RispostaScritta && scena <= Scena::Intervento)
        Aiuto::premi(w, Qt::Key_1);
    if (scena >= Scena::Aiuto && scena <= Scena::Intervento)
        Aiuto::premi(w, Qt::Key_Return);
    if (scena == Scena::Intervento) {
        Aiuto::tasti(w, {Qt::Key_N, Qt::Key_Return});
    }
    if (scena >= Scena::Avviso)
        Aiuto::portaAllAvviso(*m_serie, w);
    if (scena == Scena::Stampa) {
        Aiuto::premi(w, Qt::Key_Return);
        auto *stampa = m_navigatore->istanza<SchermataStampa>();
        if (stampa && QTest::qWaitForWindowActive(stampa))
            return stampa;
        return nullptr;
    }
    return w;
}

// Presses the named button once, with the mouse or with a finger, on a screen prepared afresh.
Esito tst_Tocco::premi(Scena scena, const QString &nome, const QString &finestraAttesa, bool colDito)
{
    cleanup();
    init();
    m_finestra = prepara(scena);
    Esito esito;
    if (!m_finestra)
        return esito;
    // The group's confirmations, or the clicks of a push button, which belongs to no group.
    auto *bersaglio = qobject_cast<QAbstractButton *>(Aiuto::controllo(m_finestra, nome));
    QObject contesto;
    const QList<GruppoScelta *> gruppi = m_finestra->findChildren<GruppoScelta *>();
    const auto gruppo
        = std::find_if(gruppi.cbegin(), gruppi.cend(), [&](GruppoScelta *g) { return g->indiceDi(bersaglio) >= 0; });
    if (gruppo != gruppi.cend())
        connect(*gruppo, &GruppoScelta::confermato, &contesto, [&](int indice) { esito.conferme << indice; });
    else
        connect(bersaglio, &QAbstractButton::clicked, &contesto, [&] { esito.conferme << 0; });

    const QPoint punto = centro(nome);
    if (colDito) {
        QTest::touchEvent(finestra(), m_schermo.get()).press(0, punto, finestra());
        QTest::touchEvent(finestra(), m_schermo.get()).release(0, punto, finestra());
    } else {
        QTest::mouseClick(finestra(), Qt::LeftButton, Qt::NoModifier, punto);
    }
    // Whatever the press opened or closed has settled once the window it leads to is active.
    const auto attiva
        = [] { return QApplication::activeWindow() ? QApplication::activeWindow()->windowTitle() : QString(); };
    if (!QTest::qWaitFor([&] { return attiva() == finestraAttesa; }))
        qWarning("the active window is %s", qPrintable(attiva()));

    esito.attiva = attiva();
    esito.fuoco = Aiuto::fuoco();
    for (QWidget *livello : QApplication::topLevelWidgets()) {
        if (!livello->isVisible())
            continue;
        for (PulsanteOpzione *pulsante : livello->findChildren<PulsanteOpzione *>()) {
            if (pulsante->isVisibleTo(livello))
                esito.pulsanti << QStringLiteral("%1 %2 %3 %4")
                                      .arg(livello->windowTitle(), pulsante->objectName(), pulsante->backColor().name(),
                                           pulsante->value() ? QStringLiteral("premuto") : QString());
        }
        for (QLabel *etichetta : livello->findChildren<QLabel *>(QRegularExpression(QStringLiteral("^risultato"))))
            esito.risultati << etichetta->text();
    }
    // The windows come in no particular order.
    esito.pulsanti.sort();
    return esito;
}

void tst_Tocco::unTocco_data()
{
    QTest::addColumn<Scena>("scena");
    QTest::addColumn<QString>("nome");
    QTest::addColumn<int>("indice");
    QTest::addColumn<QString>("finestraAttesa");

    const QString inizio = QStringLiteral("Tavole della moltiplicazione");
    const QString esercizio = QStringLiteral("TABELLA");
    QTest::newRow("tabella") << Scena::Inizio << "tabella(4)" << 4 << inizio;
    QTest::newRow("Vai") << Scena::Inizio << "vai" << 0 << esercizio;
    QTest::newRow("cifra del tastierino") << Scena::Tastierino << "tasto(5)" << 5 << esercizio;
    QTest::newRow("Invio") << Scena::RispostaScritta << "invio" << 11 << esercizio;
    QTest::newRow("SI") << Scena::Aiuto << "si" << 0 << esercizio;
    QTest::newRow("NO") << Scena::Aiuto << "no" << 1 << esercizio;
    QTest::newRow("OK") << Scena::Intervento << "ok" << 0 << esercizio;
    QTest::newRow("Stampa") << Scena::Avviso << "stampa" << 0 << "FINESTRA DI STAMPA";
    QTest::newRow("Ricomincia") << Scena::Avviso << "ricomincia" << 1 << esercizio;
    QTest::newRow("ESCI") << Scena::Stampa << "esci" << 0 << esercizio;
}

// The same press with the mouse and then with a finger, each on a screen prepared afresh: the button
// is confirmed once either way, and the screens end up alike, no button left drawn pressed.
void tst_Tocco::unTocco()
{
    QFETCH(Scena, scena);
    QFETCH(QString, nome);
    QFETCH(int, indice);
    QFETCH(QString, finestraAttesa);

    const Esito colMouse = premi(scena, nome, finestraAttesa, false);
    QVERIFY(m_finestra);
    const Esito colDito = premi(scena, nome, finestraAttesa, true);
    QVERIFY(m_finestra);

    QCOMPARE(colMouse.conferme, QList<int> {indice});
    QCOMPARE(colDito.conferme, QList<int> {indice});
    QCOMPARE(colDito.attiva, finestraAttesa);
    QCOMPARE(colDito.fuoco, colMouse.fuoco);
    QCOMPARE(colDito.pulsanti, colMouse.pulsanti);
    QCOMPARE(colDito.risultati, colMouse.risultati);
    QVERIFY2(colDito.pulsanti.filter(QStringLiteral("premuto")).isEmpty(),
             qPrintable(colDito.pulsanti.join(QLatin1Char(','))));
}

// A finger that stays on a digit for two seconds, trembling a little as fingers do, types it once.
void tst_Tocco::ditoTenuto()
{
    m_finestra = prepara(Scena::Tastierino);
    const QPoint punto = centro(QStringLiteral("tasto(5)"));
    QTest::touchEvent(finestra(), m_schermo.get()).press(0, punto, finestra());
    for (int decimi = 1; decimi <= 20; ++decimi) {
        QTest::qWait(100);
        if (decimi % 2)
            QTest::touchEvent(finestra(), m_schermo.get())
                .move(0, punto + QPoint(decimi % 4 == 1 ? 1 : 0, 0), finestra());
        else
            QTest::touchEvent(finestra(), m_schermo.get()).stationary(0);
    }
    QTest::touchEvent(finestra(), m_schermo.get()).release(0, punto, finestra());

    QCOMPARE(Aiuto::testo(m_finestra, QStringLiteral("risultato(0)")), QStringLiteral("5"));
    QCOMPARE(Aiuto::fuoco(), QStringLiteral("tasto(5)"));
    QVERIFY(!Aiuto::tastoTastierino(m_finestra, 5)->value());
}

void tst_Tocco::secondoDito_data()
{
    QTest::addColumn<bool>("primoAlzatoPrima");
    QTest::newRow("il primo dito si alza prima") << true;
    QTest::newRow("il secondo dito si alza prima") << false;
}

// While one finger is on "5", a second lands on "6": only the first counts.
void tst_Tocco::secondoDito()
{
    QFETCH(bool, primoAlzatoPrima);
    m_finestra = prepara(Scena::Tastierino);
    const QPoint cinque = centro(QStringLiteral("tasto(5)"));
    const QPoint sei = centro(QStringLiteral("tasto(6)"));

    QTest::touchEvent(finestra(), m_schermo.get()).press(0, cinque, finestra());
    QTest::touchEvent(finestra(), m_schermo.get()).stationary(0).press(1, sei, finestra());
    if (primoAlzatoPrima) {
        QTest::touchEvent(finestra(), m_schermo.get()).release(0, cinque, finestra()).stationary(1);
        QTest::touchEvent(finestra(), m_schermo.get()).release(1, sei, finestra());
    } else {
        QTest::touchEvent(finestra(), m_schermo.get()).stationary(0).release(1, sei, finestra());
        QTest::touchEvent(finestra(), m_schermo.get()).release(0, cinque, finestra());
    }

    QCOMPARE(Aiuto::testo(m_finestra, QStringLiteral("risultato(0)")), QStringLiteral("5"));
    QCOMPARE(Aiuto::fuoco(), QStringLiteral("tasto(5)"));
    QVERIFY(!Aiuto::tastoTastierino(m_finestra, 5)->value());
    QVERIFY(!Aiuto::tastoTastierino(m_finestra, 6)->value());
}

QTEST_MAIN(tst_Tocco)
#include "tst_tocco.moc"
