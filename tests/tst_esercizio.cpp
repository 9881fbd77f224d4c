// The exercise screen driven by real events: whole series by mouse, keyboard and scanning, and the
// corners of answering, help, intervention and the end-of-exercise warning.

#include "aiuto.h"

#include "applicazione/Navigatore.h"
#include "componenti/disposizione/Controlli.h"
#include "componenti/tasti/CodiciTasto.h"
#include "componenti/tasti/PulsanteOpzione.h"
#include "componenti/tasti/RilevatoreRipetizione.h"
#include "schermate/esercizio/SchermataEsercizio.h"
#include "schermate/informazioni/FinestraAutore.h"
#include "schermate/inizio/SchermataInizio.h"
#include "schermate/stampa/SchermataStampa.h"
#include "serie/Serie.h"

#include <QAction>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <optional>

using namespace Aiuto;

class tst_Esercizio : public QObject
{
    Q_OBJECT
    std::optional<Serie> m_serie {std::in_place};
    std::optional<Navigatore> m_navigatore {std::in_place, *m_serie};

private Q_SLOTS:
    void init();
    void cleanup();

    void serieCompleta_data();
    void serieCompleta();
    void apertura();
    void inserimento();
    void tastiDellaTastiera();
    void tabellaFinita();
    void rispostaColMouseLasciaIlBlocco();
    void aiutoDopoNoConInvioEInvioColMouse();
    void avvisoDopoStampaChiusaColMouse();
    void invioTenutoSuStampa();
    void tastoTenutoNelleDueScelte_data();
    void tastoTenutoNelleDueScelte();
    void avviso();
    void ricomincia();
    void autoreRiportaIlFuocoSuUno();
    void escoTornaAllInizio();
    void ridimensionamento();

private:
    SchermataEsercizio *apri(int tabella);
};

void tst_Esercizio::init()
{
    Aiuto::daCapo(m_serie, m_navigatore, 20261208);
}

void tst_Esercizio::cleanup()
{
    m_navigatore->schermate().scarica<SchermataStampa>();
    m_navigatore->schermate().scarica<SchermataEsercizio>();
    m_navigatore->schermate().scarica<SchermataInizio>();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

SchermataEsercizio *tst_Esercizio::apri(int tabella)
{
    return apriEsercizio(*m_navigatore, *m_serie, tabella);
}

void tst_Esercizio::serieCompleta_data()
{
    QTest::addColumn<int>("modo");
    QTest::addColumn<int>("tabella");
    QTest::newRow("tastiera, tabella del 3") << int(Modo::Tastiera) << 3;
    QTest::newRow("mouse, tabella del 10") << int(Modo::Mouse) << 10;
    QTest::newRow("scansione, tabella del 7") << int(Modo::Scansione) << 7;
}

// Thirty operations in one input mode only, with wrong answers, "SI", "NO" and an intervention
// along the way, as the screen shows them (the record they leave is the series' test's).
void tst_Esercizio::serieCompleta()
{
    QFETCH(int, modo);
    QFETCH(int, tabella);
    const Modo m = Modo(modo);

    // Through the start screen, as a child gets there.
    auto *inizio = m_navigatore->apriInizio();
    QVERIFY(QTest::qWaitForWindowActive(inizio));
    if (tabella == 10)
        premi(inizio, Qt::Key_Asterisk, Qt::KeypadModifier);
    else
        premi(inizio, Qt::Key(Qt::Key_0 + tabella));
    QCOMPARE(premi(inizio, Qt::Key_Return), QStringLiteral("vai"));
    premi(inizio, Qt::Key_Return);
    auto *w = m_navigatore->istanza<SchermataEsercizio>();
    QVERIFY(w);
    QVERIFY(QTest::qWaitForWindowActive(w));
    QCOMPARE(w->windowTitle(), QStringLiteral("TABELLA"));
    QCOMPARE(testo(w, QStringLiteral("tabella")), QString::number(tabella));

    Guida guida(w, m);
    int rifiuti = 0;
    for (int n = 0; n < 30; ++n) {
        const int c = m_serie->colonna();
        QCOMPARE(c, n % 10);
        QCOMPARE(testo(w, QStringLiteral("risultato(%1)").arg(c)), QStringLiteral("?"));
        const int fattore = testo(w, QStringLiteral("fattore(%1)").arg(c)).toInt();
        const QString giusta = QString::number(tabella * fattore);
        const QString sbagliata = QString::number(tabella * fattore + 1);

        switch (n % 5) {
        case 0:
            QVERIFY(guida.digita(giusta));
            QVERIFY(guida.invia());
            break;
        case 1:
        case 2:
        case 4: {
            QVERIFY(guida.digita(sbagliata));
            QVERIFY(guida.invia());
            auto *box = qobject_cast<Etichetta *>(controllo(w, QStringLiteral("risultato(%1)").arg(c)));
            QCOMPARE(box->coloreSfondo(), QColor(255, 255, 0));
            QCOMPARE(pannelloDavanti(w), QStringLiteral("pannelloAiuto"));
            QCOMPARE(fuoco(), QStringLiteral("si"));
            if (n % 5 == 1) {
                QVERIFY(guida.aiuto(true));
                QCOMPARE(box->text(), QLatin1Char(' ') + giusta);
                QCOMPARE(box->coloreSfondo(), QColor(255, 255, 0));
                break;
            }
            QVERIFY(guida.aiuto(false));
            if (++rifiuti == 3) {
                rifiuti = 0;
                QCOMPARE(pannelloDavanti(w), QStringLiteral("pannelloIntervento"));
                QCOMPARE(pannelliAbilitati(w), QStringList {QStringLiteral("pannelloIntervento")});
                QCOMPARE(fuoco(), QStringLiteral("ok"));
                QCOMPARE(testo(w, QStringLiteral("intervengoIo")), QStringLiteral("Intervengo io"));
                QCOMPARE(tastoTastierino(w, 0)->backColor(), QColor(255, 224, 192));
                QCOMPARE(controllo<PulsanteOpzione>(w, QStringLiteral("ok"))->backColor(), QColor(255, 192, 128));
                QCOMPARE(box->text(), sbagliata);
                guida.ok();
                break;
            }
            QCOMPARE(pannelloDavanti(w), QStringLiteral("pannelloTastierino"));
            QCOMPARE(box->text(), QStringLiteral("?"));
            QCOMPARE(box->coloreSfondo(), QColor(255, 255, 0));
            QVERIFY(!tastoTastierino(w, Serie::TastoInvio)->isEnabled());
            QCOMPARE(fuoco(), QStringLiteral("tasto(0)"));
            QVERIFY(guida.digita(giusta));
            QVERIFY(guida.invia());
            break;
        }
        default:
            QVERIFY(guida.digita(giusta));
            QVERIFY(guida.invia());
            break;
        }
        QCOMPARE(m_serie->operazioni(), n + 1);

        if (n % 10 == 9 && n < 29) {
            // The table is finished: only "Nuova Tabella" and "Esco" work.
            QCOMPARE(pannelloDavanti(w), QStringLiteral("pannelloTastierino"));
            QCOMPARE(fuoco(), QStringLiteral("nuovaTabella"));
            for (int i = 0; i < Serie::NumeroTasti; ++i)
                QCOMPARE(tastoTastierino(w, i)->isEnabled(), i >= Serie::TastoNuovaTabella);
            QVERIFY(guida.tastierino(Serie::TastoNuovaTabella));
            QCOMPARE(fuoco(), QStringLiteral("tasto(0)"));
        } else if (n < 29) {
            QCOMPARE(pannelliAbilitati(w), QStringList {QStringLiteral("pannelloTastierino")});
        }
    }

    QCOMPARE(pannelloDavanti(w), QStringLiteral("pannelloAvviso"));
    QCOMPARE(pannelliAbilitati(w), QStringList {QStringLiteral("pannelloAvviso")});
    QCOMPARE(fuoco(), QStringLiteral("stampa"));
    QCOMPARE(m_serie->operazioni(), 30);
}

void tst_Esercizio::apertura()
{
    auto *w = apri(6);
    QVERIFY(w->isMaximized());
    QCOMPARE(testo(w, QStringLiteral("tabella")), QStringLiteral("6"));
    for (int c = 0; c < 10; ++c) {
        QCOMPARE(testo(w, QStringLiteral("fattore(%1)").arg(c)).toInt(), m_serie->fattore(c));
        const bool armata = c == 0;
        QCOMPARE(testo(w, QStringLiteral("risultato(%1)").arg(c)), armata ? QStringLiteral("?") : QString());
        for (const char *parte : {"segno", "uguale", "barra", "linea"})
            QCOMPARE(controllo(w, QStringLiteral("%1(%2)").arg(QLatin1String(parte)).arg(c))->isVisible(), armata);
    }
    QCOMPARE(pannelloDavanti(w), QStringLiteral("pannelloTastierino"));
    QCOMPARE(pannelliAbilitati(w), QStringList {QStringLiteral("pannelloTastierino")});
    QCOMPARE(fuoco(), QStringLiteral("tasto(0)"));
    QVERIFY(!tastoTastierino(w, Serie::TastoInvio)->isEnabled());
    QVERIFY(!tastoTastierino(w, Serie::TastoNuovaTabella)->isEnabled());
    QVERIFY(!tastoTastierino(w, Serie::TastoEsco)->isEnabled());
    QCOMPARE(tastoTastierino(w, 0)->backColor(), QColor(255, 192, 128));
    QCOMPARE(tastoTastierino(w, 1)->backColor(), QColor(255, 224, 192));
    QVERIFY(!w->findChild<QAction *>(QStringLiteral("menuStampa"))->isEnabled());
    QVERIFY(!w->findChild<QAction *>(QStringLiteral("menuIstruzioni"))->isEnabled());

    // "Vai" again while the screen is open only brings it forward: same table, same order.
    const QString primo = testo(w, QStringLiteral("fattore(0)"));
    m_navigatore->apriEsercizio();
    QCOMPARE(m_navigatore->istanza<SchermataEsercizio>(), w);
    QCOMPARE(testo(w, QStringLiteral("fattore(0)")), primo);
}

// The answer as the keypad shows it: what is typed in the box, "?" when nothing is, and "Invio" grey then.
void tst_Esercizio::inserimento()
{
    auto *w = apri(9);
    const QString box = QStringLiteral("risultato(0)");
    auto *invio = tastoTastierino(w, Serie::TastoInvio);

    // "Invio" is disabled while the box shows "?": a click on it submits nothing.
    clic(w, QStringLiteral("invio"));
    QCOMPARE(pannelloDavanti(w), QStringLiteral("pannelloTastierino"));
    QCOMPARE(m_serie->registro().at(0), QStringLiteral("9 \u00d7 %1 = ").arg(testo(w, "fattore(0)").toInt(), 2));

    for (int i : {1, 2, 3, 4})
        clic(w, QStringLiteral("tasto(%1)").arg(i));
    QCOMPARE(testo(w, box), QStringLiteral("123"));
    QVERIFY(invio->isEnabled());
    QCOMPARE(fuoco(), QStringLiteral("tasto(4)")); // the on-screen digits do not move the focus

    clic(w, QStringLiteral("cancella"));
    QCOMPARE(testo(w, box), QStringLiteral("12"));
    clic(w, QStringLiteral("cancella"));
    clic(w, QStringLiteral("cancella"));
    QCOMPARE(testo(w, box), QStringLiteral("?"));
    QVERIFY(!invio->isEnabled());
    // A lone 0 is an answer, shown as such (the rest of the entry's rules are the series' own tests).
    clic(w, QStringLiteral("tasto(0)"));
    QCOMPARE(testo(w, box), QStringLiteral("0"));
    QVERIFY(invio->isEnabled());
}

void tst_Esercizio::tastiDellaTastiera()
{
    auto *w = apri(4);
    const QString box = QStringLiteral("risultato(0)");

    // Typed digits go into the answer and bring the focus to "Invio"; the fourth is dropped.
    QCOMPARE(premi(w, Qt::Key_1), QStringLiteral("invio"));
    tasti(w, {Qt::KeypadModifier | Qt::Key_2, Qt::Key_3, Qt::Key_4});
    QCOMPARE(testo(w, box), QStringLiteral("123"));

    // Backspace and unknown keys do nothing; C deletes without moving the focus.
    for (Qt::Key k : {Qt::Key_Backspace, Qt::Key_V, Qt::Key_F2, Qt::Key_F7, Qt::Key_Z, Qt::Key_Escape})
        premi(w, k);
    QCOMPARE(testo(w, box), QStringLiteral("123"));
    QCOMPARE(fuoco(), QStringLiteral("invio"));
    premi(w, Qt::Key_C);
    QCOMPARE(testo(w, box), QStringLiteral("12"));
    QCOMPARE(fuoco(), QStringLiteral("invio"));

    // A held digit types once.
    tasti(w, {Qt::Key_C, Qt::Key_C});
    QCOMPARE(testo(w, box), QStringLiteral("?"));
    Aiuto::tieni(w, Qt::Key_5, QStringLiteral("5"));
    QCOMPARE(testo(w, box), QStringLiteral("5"));

    // I, N, E only move the focus, and only to an enabled button; the arrows walk the tab order.
    QCOMPARE(tasti(w, {Qt::Key_N, Qt::Key_E}), QStringLiteral("invio"));
    QCOMPARE(premi(w, Qt::Key_Right), QStringLiteral("cancella")); // after "Invio" comes "Cancella"
    QCOMPARE(premi(w, Qt::Key_Down), QStringLiteral("tasto(0)"));  // "Nuova Tabella" and "Esco" are disabled: wrap
    QCOMPARE(premi(w, Qt::Key_Left), QStringLiteral("cancella"));
    QCOMPARE(premi(w, Qt::Key_Up), QStringLiteral("invio"));
    QCOMPARE(Aiuto::tieni(w, Qt::Key_Right), QStringLiteral("cancella")); // held, an arrow moves once
    tasti(w, {Qt::Key_Up, Qt::Key_C});
    QCOMPARE(testo(w, box), QStringLiteral("?"));
    QVERIFY(!tastoTastierino(w, Serie::TastoInvio)->isEnabled());
    premi(w, Qt::Key_I); // "Invio" disabled: I does nothing
    QVERIFY(fuoco() != QStringLiteral("invio"));

    // Space walks the enabled buttons in index order and wraps round, skipping "Invio" while "?".
    tastoTastierino(w, 9)->setFocus();
    QCOMPARE(premi(w, Qt::Key_Space), QStringLiteral("cancella"));
    QCOMPARE(premi(w, Qt::Key_Space), QStringLiteral("tasto(0)"));
}

void tst_Esercizio::tabellaFinita()
{
    auto *w = apri(2);
    for (int c = 0; c < 10; ++c)
        rispondiGiustoDaTastiera(*m_serie, w);
    QCOMPARE(fuoco(), QStringLiteral("nuovaTabella"));
    for (int c = 0; c < 10; ++c) {
        QVERIFY(!testo(w, QStringLiteral("risultato(%1)").arg(c)).isEmpty());
        QVERIFY(!controllo(w, QStringLiteral("segno(%1)").arg(c))->isVisible());
    }

    // Digits and C do nothing, typed or clicked; E and N move between the two buttons; space
    // alternates them.
    clic(w, QStringLiteral("tasto(5)"));
    clic(w, QStringLiteral("invio"));
    QCOMPARE(m_serie->operazioni(), 10);
    tasti(w, {Qt::Key_5, Qt::Key_C});
    QCOMPARE(m_serie->risposta(), QString());
    QCOMPARE(fuoco(), QStringLiteral("nuovaTabella"));
    QCOMPARE(premi(w, Qt::Key_E), QStringLiteral("esco"));
    QCOMPARE(premi(w, Qt::Key_N), QStringLiteral("nuovaTabella"));
    QCOMPARE(premi(w, Qt::Key_Space), QStringLiteral("esco"));
    QCOMPARE(premi(w, Qt::Key_Space), QStringLiteral("nuovaTabella"));
    QCOMPARE(tastoTastierino(w, 12)->backColor(), QColor(255, 192, 128));
    QCOMPARE(tastoTastierino(w, 13)->backColor(), QColor(255, 224, 192));

    // "Nuova Tabella": the same table, the boxes cleared, column 0 armed again.
    premi(w, Qt::Key_Return);
    QCOMPARE(testo(w, QStringLiteral("tabella")), QStringLiteral("2"));
    QCOMPARE(testo(w, QStringLiteral("risultato(0)")), QStringLiteral("?"));
    for (int c = 1; c < 10; ++c)
        QCOMPARE(testo(w, QStringLiteral("risultato(%1)").arg(c)), QString());
    QVERIFY(!tastoTastierino(w, Serie::TastoEsco)->isEnabled());
}

// Help answered with the mouse leaves the keypad's latch set from the Enter that submitted the wrong
// answer: the first key on the keypad is then ignored, and its release frees the keypad.
void tst_Esercizio::rispostaColMouseLasciaIlBlocco()
{
    auto *w = apri(3);
    tasti(w, {Qt::Key_1, Qt::Key_Return});
    QCOMPARE(pannelloDavanti(w), QStringLiteral("pannelloAiuto"));
    QCOMPARE(clic(w, QStringLiteral("no")), QStringLiteral("tasto(0)"));
    premi(w, Qt::Key_4);
    QCOMPARE(testo(w, QStringLiteral("risultato(0)")), QStringLiteral("?"));
    premi(w, Qt::Key_4);
    QCOMPARE(testo(w, QStringLiteral("risultato(0)")), QStringLiteral("4"));
}

// The help offer acts on the first Enter, even though the Enter that refused help last time was
// released over the keypad and this wrong answer was sent with the mouse.
void tst_Esercizio::aiutoDopoNoConInvioEInvioColMouse()
{
    auto *w = apri(3);
    tasti(w, {Qt::Key_1, Qt::Key_Return, Qt::Key_N, Qt::Key_Return});
    QCOMPARE(pannelloDavanti(w), QStringLiteral("pannelloTastierino"));
    premi(w, Qt::Key_1);
    QCOMPARE(clic(w, QStringLiteral("invio")), QStringLiteral("si"));
    premi(w, Qt::Key_Return);
    QCOMPARE(testo(w, QStringLiteral("risultato(0)")), m_serie->attesa(0));
    QCOMPARE(m_serie->colonna(), 1);
}

// Enter on "Stampa" is released over the print screen, which is then closed with the mouse: the
// warning's first key acts.
void tst_Esercizio::avvisoDopoStampaChiusaColMouse()
{
    auto *w = apri(2);
    portaAllAvviso(*m_serie, w);
    QCOMPARE(fuoco(), QStringLiteral("stampa"));
    QTest::keyPress(w->windowHandle(), Qt::Key_Return);
    auto *stampa = m_navigatore->istanza<SchermataStampa>();
    QVERIFY(stampa && QTest::qWaitForWindowActive(stampa));
    QTest::keyRelease(stampa->windowHandle(), Qt::Key_Return);
    clic(stampa, QStringLiteral("esci"));
    QVERIFY(QTest::qWaitForWindowActive(w));
    QCOMPARE(fuoco(), QStringLiteral("stampa"));
    QCOMPARE(premi(w, Qt::Key_R), QStringLiteral("ricomincia"));
}

// Enter held down on "Stampa" opens the print screen once; its repeats, which reach the print screen,
// must not press "ESCI" there and close it again at once.
void tst_Esercizio::invioTenutoSuStampa()
{
    auto *w = apri(2);
    portaAllAvviso(*m_serie, w);
    QTest::simulateEvent(w->windowHandle(), true, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), false);
    QPointer<SchermataStampa> stampa = m_navigatore->istanza<SchermataStampa>();
    QVERIFY(stampa && QTest::qWaitForWindowActive(stampa));
    QWindow *finestra = stampa->windowHandle();
    for (int i = 0; i < 5; ++i) {
        QTest::simulateEvent(finestra, false, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), true);
        QTest::simulateEvent(finestra, true, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), true);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(stampa && stampa->isVisible());
    }
    QTest::simulateEvent(finestra, false, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), false);
    QCOMPARE(fuoco(), QStringLiteral("esci"));

    premi(stampa, Qt::Key_Return);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!stampa);
}

void tst_Esercizio::tastoTenutoNelleDueScelte_data()
{
    QTest::addColumn<bool>("avviso");
    QTest::addColumn<bool>("stessoIstante");
    QTest::newRow("aiuto") << false << false;
    QTest::newRow("aiuto, ripetizioni senza segno come sotto X11") << false << true;
    QTest::newRow("avviso") << true << false;
    QTest::newRow("avviso, ripetizioni senza segno come sotto X11") << true << true;
}

// A space bar held down steps once in the help offer and in the warning, however the repeats come.
void tst_Esercizio::tastoTenutoNelleDueScelte()
{
    QFETCH(bool, avviso);
    QFETCH(bool, stessoIstante);
    auto *w = apri(4);
    if (avviso) {
        portaAllAvviso(*m_serie, w);
    } else {
        tasti(w, {Qt::Key_1, Qt::Key_Return});
    }
    const QStringList gruppo = avviso ? QStringList {QStringLiteral("stampa"), QStringLiteral("ricomincia")}
                                      : QStringList {QStringLiteral("si"), QStringLiteral("no")};
    QCOMPARE(fuoco(), gruppo.at(0));

    // Under X11 a repeat may come unflagged: its release and the press after it share one timestamp.
    RilevatoreRipetizione rilevatore;
    qApp->installEventFilter(&rilevatore);
    const auto invia = [stessoIstante](QEvent::Type tipo, quint64 istante, bool ripetuto) {
        QKeyEvent evento(tipo, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), ripetuto && !stessoIstante);
        evento.setTimestamp(istante);
        QApplication::sendEvent(QApplication::focusWidget(), &evento);
    };
    const quint64 t0 = 1000000;
    invia(QEvent::KeyPress, t0, false);
    for (quint64 istante = t0 + 500; istante < t0 + 1000; istante += 33) {
        invia(QEvent::KeyRelease, istante, true);
        invia(QEvent::KeyPress, istante, true);
    }
    invia(QEvent::KeyRelease, t0 + 1100, false);
    QCOMPARE(fuoco(), gruppo.at(1));

    QCOMPARE(premi(w, Qt::Key_Space), gruppo.at(0));
}

void tst_Esercizio::avviso()
{
    auto *w = apri(1);
    portaAllAvviso(*m_serie, w);
    QCOMPARE(pannelloDavanti(w), QStringLiteral("pannelloAvviso"));
    QCOMPARE(pannelliAbilitati(w), QStringList {QStringLiteral("pannelloAvviso")});
    QCOMPARE(testo(w, QStringLiteral("avviso")), QStringLiteral("Se ricominci gli esercizi andranno persi"));
    QCOMPARE(fuoco(), QStringLiteral("stampa"));

    // Keys of the warning: R and 2 to "Ricomincia", S and keypad 1 to "Stampa"; digits cannot type.
    QCOMPARE(premi(w, Qt::Key_R), QStringLiteral("ricomincia"));
    QCOMPARE(premi(w, Qt::Key_1, Qt::KeypadModifier), QStringLiteral("stampa"));
    QCOMPARE(premi(w, Qt::Key_Space), QStringLiteral("ricomincia"));
    QCOMPARE(premi(w, Qt::Key_Space), QStringLiteral("stampa"));
    QCOMPARE(m_serie->operazioni(), 30);

    // "Stampa" opens the print screen, any number of times; the warning stays.
    premi(w, Qt::Key_Return);
    QTRY_VERIFY(m_navigatore->istanza<SchermataStampa>());
    auto *stampa = m_navigatore->istanza<SchermataStampa>();
    QVERIFY(stampa->isVisible());
    QTRY_VERIFY(stampa->isActiveWindow());
    stampa->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(QTest::qWaitForWindowActive(w));
    QCOMPARE(pannelloDavanti(w), QStringLiteral("pannelloAvviso"));
    clic(w, QStringLiteral("stampa"));
    QTRY_VERIFY(m_navigatore->istanza<SchermataStampa>());
    QCOMPARE(pannelloDavanti(w), QStringLiteral("pannelloAvviso"));

    // The exercise screen closed under the open print screen: closing that one later hands the
    // keyboard to the start screen, which is what is left.
    auto *inizio = m_navigatore->apriInizio();
    w->close();
    stampa = m_navigatore->istanza<SchermataStampa>();
    stampa->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(stampa));
    stampa->close();
    QTRY_VERIFY(inizio->isActiveWindow());
    QCOMPARE(fuoco(), QStringLiteral("tabella(0)"));
}

void tst_Esercizio::ricomincia()
{
    auto *w = apri(8);
    portaAllAvviso(*m_serie, w);
    QVERIFY(Guida(w, Modo::Scansione).scandisciEConferma(QStringLiteral("ricomincia")));

    QCOMPARE(pannelloDavanti(w), QStringLiteral("pannelloTastierino"));
    QCOMPARE(pannelliAbilitati(w), QStringList {QStringLiteral("pannelloTastierino")});
    QCOMPARE(testo(w, QStringLiteral("tabella")), QStringLiteral("8"));
    QCOMPARE(testo(w, QStringLiteral("risultato(0)")), QStringLiteral("?"));
    for (int c = 1; c < 10; ++c)
        QCOMPARE(testo(w, QStringLiteral("risultato(%1)").arg(c)), QString());
    QVERIFY(!tastoTastierino(w, Serie::TastoInvio)->isEnabled());
    QCOMPARE(fuoco(), QStringLiteral("tasto(0)"));
}

void tst_Esercizio::autoreRiportaIlFuocoSuUno()
{
    auto *w = apri(4);
    QCOMPARE(premi(w, Qt::Key_3), QStringLiteral("invio"));
    QTimer::singleShot(0, [] {
        QTRY_VERIFY(qobject_cast<FinestraAutore *>(QApplication::activeModalWidget()));
        QApplication::activeModalWidget()->close();
    });
    w->findChild<QAction *>(QStringLiteral("menuAutore"))->trigger();
    QCOMPARE(fuoco(), QStringLiteral("tasto(1)"));
    QCOMPARE(testo(w, QStringLiteral("risultato(0)")), QStringLiteral("3"));

    // With the help offer in front the keypad cannot take the focus: it stays where it was.
    QCOMPARE(tasti(w, {Qt::Key_I, Qt::Key_Return}), QStringLiteral("si"));
    QTimer::singleShot(0, [] {
        QTRY_VERIFY(QApplication::activeModalWidget());
        QApplication::activeModalWidget()->close();
    });
    w->findChild<QAction *>(QStringLiteral("menuAutore"))->trigger();
    QCOMPARE(fuoco(), QStringLiteral("si"));
}

void tst_Esercizio::escoTornaAllInizio()
{
    auto *inizio = m_navigatore->apriInizio();
    QVERIFY(QTest::qWaitForWindowActive(inizio));
    tasti(inizio, {Qt::Key_5, Qt::Key_Return, Qt::Key_Return});
    auto *w = m_navigatore->istanza<SchermataEsercizio>();
    QVERIFY(w && QTest::qWaitForWindowActive(w));
    QVERIFY(inizio->isVisible()); // the start screen stays behind
    for (int c = 0; c < 10; ++c)
        rispondiGiustoDaTastiera(*m_serie, w);
    QVERIFY(Guida(w, Modo::Tastiera).tastierino(Serie::TastoEsco));
    QTRY_VERIFY(!m_navigatore->istanza<SchermataEsercizio>());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QTRY_VERIFY(inizio->isActiveWindow());
    QTRY_COMPARE(fuoco(), QStringLiteral("tabella(0)"));
    QCOMPARE(m_serie->tabella(), 5);

    // "Vai" again without choosing: the same table, a new series.
    premi(inizio, Qt::Key_0);
    clic(inizio, QStringLiteral("vai"));
    w = m_navigatore->istanza<SchermataEsercizio>();
    QVERIFY(w);
    QCOMPARE(testo(w, QStringLiteral("tabella")), QStringLiteral("5"));
    QCOMPARE(m_serie->operazioni(), 0);
}

// After any resize the panels are stacked on the anchor's corner and the lines follow the boxes.
void tst_Esercizio::ridimensionamento()
{
    auto *w = apri(7);
    for (const QSize &dimensione : {QSize(640, 480), QSize(1300, 900), QSize(500, 700)}) {
        w->showNormal();
        w->resize(dimensione);
        QTRY_COMPARE(w->size(), dimensione);
        QWidget *anchor = controllo(w, QStringLiteral("riferimento"));
        for (const char *nome : {"pannelloTastierino", "pannelloAiuto", "pannelloIntervento", "pannelloAvviso"})
            QCOMPARE(controllo(w, QLatin1String(nome))->pos(), anchor->pos());

        const QRect numero = controllo(w, QStringLiteral("tabella"))->geometry();
        for (int k = 0; k < 10; ++k) {
            auto *linea = qobject_cast<Linea *>(controllo(w, QStringLiteral("linea(%1)").arg(k)));
            const QPoint segno = controllo(w, QStringLiteral("segno(%1)").arg(k))->pos();
            // Offsets in twips, 15 to a pixel; one pixel of rounding allowed.
            const double dx = k <= 5 ? 10 : -10;
            const double dy = k == 0 ? -100 / 15.0 : -10;
            QVERIFY2(qAbs(linea->fine().x() - (segno.x() + dx)) <= 1, qPrintable(QString::number(k)));
            QVERIFY2(qAbs(linea->fine().y() - (segno.y() + dy)) <= 1, qPrintable(QString::number(k)));
            if (k == 4 || k == 5) {
                QVERIFY(qAbs(linea->inizio().x() - (numero.x() + numero.width() / 2.0)) <= 1);
                QVERIFY(qAbs(linea->inizio().y() - (numero.y() + numero.height())) <= 1);
            }
        }
    }
}

QTEST_MAIN(tst_Esercizio)
#include "tst_esercizio.moc"
