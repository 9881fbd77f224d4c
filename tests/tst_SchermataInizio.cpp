// The start screen as a child drives it: keyboard, numeric keypad, space-bar scanning and every mouse
// button, the texts it shows, where the focus and its highlight are, and the author screen.

#include "aiuto.h"

#include "Versione.h"
#include "applicazione/Navigatore.h"
#include "componenti/tasti/CodiciTasto.h"
#include "componenti/tasti/PulsanteOpzione.h"
#include "componenti/tasti/RilevatoreRipetizione.h"
#include "schermate/esercizio/SchermataEsercizio.h"
#include "schermate/informazioni/FinestraAutore.h"
#include "serie/Serie.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <optional>

using namespace Aiuto;

namespace {

const QColor Evidenza(255, 192, 128);
const QColor Normale(255, 224, 192);

QColor colore(const QWidget *pulsante)
{
    return pulsante->property("backColor").value<QColor>();
}

} // namespace

class tst_SchermataInizio : public QObject
{
    Q_OBJECT
    std::optional<Serie> m_serie {std::in_place};
    std::optional<Navigatore> m_navigatore {std::in_place, *m_serie};

private Q_SLOTS:
    void init();
    void cleanup();

    void statoIniziale();
    void tastiera_data();
    void tastiera();
    void spazioScorreIGruppi();
    void mouseConfermaSullaPressione_data();
    void mouseConfermaSullaPressione();
    void testoDellaTabella_data();
    void testoDellaTabella();
    void tastoTenuto();
    void tastoTenutoSottoX11();
    void ripristinaColMouseIgnoraIlPrimoTasto();
    void frecceColBloccoSpostanoIlFuoco();
    void clicSuUnaTabellaSbloccaITasti();
    void menuAutore_data();
    void menuAutore();

private:
    SchermataInizio *m_inizio = nullptr;
};

void tst_SchermataInizio::init()
{
    Aiuto::daCapo(m_serie, m_navigatore);
    m_inizio = apriInizio(*m_navigatore);
    QVERIFY(m_inizio);
}

void tst_SchermataInizio::cleanup()
{
    chiudiTutto();
}

void tst_SchermataInizio::statoIniziale()
{
    QCOMPARE(m_inizio->windowTitle(), QStringLiteral("Tavole della moltiplicazione"));
    QVERIFY(m_inizio->windowState().testFlag(Qt::WindowMaximized));
    QCOMPARE(controllo<QLabel>(m_inizio, "nome")->text(), QStringLiteral("Contalino"));
    QCOMPARE(controllo<QLabel>(m_inizio, "tabellaScelta")->text(), QStringLiteral("Tabella "));
    QCOMPARE(controllo<QLabel>(m_inizio, "firma")->text(), QStringLiteral("Il nuovo software di Ulmo"));
    auto *versione = controllo<QLabel>(m_inizio, "versione");
    QCOMPARE(versione->text(),
             QStringLiteral("Vers.") + QLatin1String(VersioneContalino) + QChar(13) + QStringLiteral("Mouse "));

    // The carriage return must break the line: the blue text stands on two lines.
    const auto [primo, ultimo] = righeConInchiostro(versione, [](QRgb p) { return p == qRgb(0, 0, 192); });
    QVERIFY(primo >= 0);
    QVERIFY2(ultimo - primo > versione->fontMetrics().height() * 3 / 2, "the version label is drawn on one line");

    // Text colours: navy title and buttons, blue version, dark red table and tagline.
    const QList<QPair<const char *, QColor>> inchiostri = {
        {"nome", QColor(0, 0, 128)},  {"versione", QColor(0, 0, 192)},   {"tabellaScelta", QColor(192, 0, 0)},
        {"firma", QColor(192, 0, 0)}, {"tabella(3)", QColor(0, 0, 128)}, {"ripristina", QColor(0, 0, 128)},
    };
    for (const auto &[nome, inchiostro] : inchiostri) {
        const QWidget *widget = controllo(m_inizio, nome);
        QCOMPARE(widget->palette().color(widget->foregroundRole()), inchiostro);
    }

    QCOMPARE(fuoco(), QStringLiteral("tabella(0)"));
    for (int i = 0; i <= 10; ++i) {
        auto *pulsante = controllo<PulsanteOpzione>(m_inizio, QStringLiteral("tabella(%1)").arg(i));
        QCOMPARE(pulsante->text(), QString::number(i));
        QCOMPARE(colore(pulsante), i == 0 ? Evidenza : Normale);
    }
    const QStringList comandi = {QStringLiteral("Vai"), QStringLiteral("Ripristina"), QStringLiteral("Esci")};
    for (int i = 0; i < 3; ++i) {
        auto *pulsante = controllo<PulsanteOpzione>(m_inizio, comandi.at(i).toLower());
        QCOMPARE(pulsante->text(), comandi.at(i));
        QCOMPARE(colore(pulsante), Normale);
        QVERIFY(pulsante->isEnabled());
    }
}

void tst_SchermataInizio::tastiera_data()
{
    QTest::addColumn<QList<QKeyCombination>>("sequenza");
    QTest::addColumn<QString>("fuocoAtteso");
    QTest::addColumn<QString>("testoAtteso");
    QTest::addColumn<int>("tabellaAttesa");

    const QString niente = QStringLiteral("Tabella ");
    const QString vai = QStringLiteral("vai");
    const QString ripristina = QStringLiteral("ripristina");
    const auto kp = [](Qt::Key tasto) { return Qt::KeypadModifier | tasto; };

    QTest::newRow("una cifra sposta soltanto") << QList<QKeyCombination> {Qt::Key_3} << "tabella(3)" << niente << 0;
    QTest::newRow("cifra e Invio scelgono")
        << QList<QKeyCombination> {Qt::Key_3, Qt::Key_Return} << vai << "Tabella del 3" << 3;
    QTest::newRow("Invio su 0") << QList<QKeyCombination> {Qt::Key_Return} << vai << "Tabella dello 0" << 0;
    QTest::newRow("tastierino sposta soltanto")
        << QList<QKeyCombination> {kp(Qt::Key_7)} << "tabella(7)" << niente << 0;
    QTest::newRow("tastierino e Invio del tastierino")
        << QList<QKeyCombination> {kp(Qt::Key_9), kp(Qt::Key_Enter)} << vai << "Tabella del 9" << 9;
    QTest::newRow("asterisco del tastierino porta a 10")
        << QList<QKeyCombination> {kp(Qt::Key_Asterisk), Qt::Key_Return} << vai << "Tabella del 10" << 10;
    QTest::newRow("asterisco fuori dal tastierino")
        << QList<QKeyCombination> {Qt::Key_Asterisk} << "tabella(0)" << niente << 0;
    QTest::newRow("tasti sconosciuti e accettati")
        << QList<QKeyCombination> {Qt::Key_5, Qt::Key_F5, Qt::Key_A, Qt::Key_N, Qt::Key_S, Qt::Key_Backspace}
        << "tabella(5)" << niente << 0;
    QTest::newRow("frecce senza blocco") << QList<QKeyCombination> {Qt::Key_4, Qt::Key_Right, Qt::Key_Down}
                                         << "tabella(4)" << niente << 0;
    QTest::newRow("comandi: 1 va a Ripristina")
        << QList<QKeyCombination> {Qt::Key_Return, Qt::Key_1} << ripristina << "Tabella dello 0" << 0;
    QTest::newRow("comandi: 1 poi 0 torna a Vai")
        << QList<QKeyCombination> {Qt::Key_Return, Qt::Key_1, Qt::Key_0} << vai << "Tabella dello 0" << 0;
    QTest::newRow("comandi: 2 e gli altri tasti accettati non fanno nulla")
        << QList<QKeyCombination> {Qt::Key_Return, Qt::Key_2, Qt::Key_9, kp(Qt::Key_1), Qt::Key_A,         Qt::Key_C,
                                   Qt::Key_E,      Qt::Key_N, Qt::Key_V, Qt::Key_F2,    Qt::Key_Backspace, Qt::Key_F5}
        << vai << "Tabella dello 0" << 0;
    QTest::newRow("Ripristina per Invio: la scelta resta, il tasto dopo funziona")
        << QList<QKeyCombination> {Qt::Key_5, Qt::Key_Return, Qt::Key_1, Qt::Key_Return, Qt::Key_6} << "tabella(6)"
        << "Tabella del 5" << 5;
    QTest::newRow("7 poi 3") << QList<QKeyCombination> {Qt::Key_7,      Qt::Key_Return, Qt::Key_1,
                                                        Qt::Key_Return, Qt::Key_3,      Qt::Key_Return}
                             << vai << "Tabella del 3" << 3;
}

void tst_SchermataInizio::tastiera()
{
    QFETCH(QList<QKeyCombination>, sequenza);
    QFETCH(QString, fuocoAtteso);
    QFETCH(QString, testoAtteso);
    QFETCH(int, tabellaAttesa);

    tasti(m_inizio, sequenza);
    QCOMPARE(fuoco(), fuocoAtteso);
    QCOMPARE(controllo<QLabel>(m_inizio, "tabellaScelta")->text(), testoAtteso);
    QCOMPARE(m_serie->tabella(), tabellaAttesa);
    QVERIFY(!m_navigatore->istanza<SchermataEsercizio>());
}

void tst_SchermataInizio::spazioScorreIGruppi()
{
    // Every step: the focused button alone is highlighted, nothing is chosen.
    const auto controlla = [this](const QStringList &gruppo, int atteso) {
        QCOMPARE(fuoco(), gruppo.at(atteso));
        for (int i = 0; i < gruppo.size(); ++i)
            QCOMPARE(colore(controllo(m_inizio, gruppo.at(i))), i == atteso ? Evidenza : Normale);
    };
    QStringList tabelle;
    for (int i = 0; i <= 10; ++i)
        tabelle << QStringLiteral("tabella(%1)").arg(i);
    for (int passo = 1; passo <= 11; ++passo) {
        premi(m_inizio, Qt::Key_Space);
        controlla(tabelle, passo % 11);
        if (QTest::currentTestFailed())
            return;
    }
    QCOMPARE(controllo<QLabel>(m_inizio, "tabellaScelta")->text(), QStringLiteral("Tabella "));

    // The commands walk in index order, not in tab order: Vai, Ripristina, Esci, Vai.
    premi(m_inizio, Qt::Key_Return);
    for (int passo = 1; passo <= 3; ++passo) {
        premi(m_inizio, Qt::Key_Space);
        controlla({QStringLiteral("vai"), QStringLiteral("ripristina"), QStringLiteral("esci")}, passo % 3);
        if (QTest::currentTestFailed())
            return;
    }
    QVERIFY(m_inizio->isVisible());
}

void tst_SchermataInizio::mouseConfermaSullaPressione_data()
{
    QTest::addColumn<Qt::MouseButton>("tasto");
    QTest::newRow("sinistro") << Qt::LeftButton;
    QTest::newRow("destro") << Qt::RightButton;
    QTest::newRow("centrale") << Qt::MiddleButton;
}

void tst_SchermataInizio::mouseConfermaSullaPressione()
{
    QFETCH(Qt::MouseButton, tasto);

    // Chosen on the press; releasing off the button does not take it back.
    premiMouse(controllo(m_inizio, "tabella(4)"), tasto);
    QCOMPARE(controllo<QLabel>(m_inizio, "tabellaScelta")->text(), QStringLiteral("Tabella del 4"));
    QCOMPARE(m_serie->tabella(), 4);
    QCOMPARE(fuoco(), QStringLiteral("vai"));
    rilasciaMouse(controllo(m_inizio, "firma"), tasto);
    QCOMPARE(controllo<QLabel>(m_inizio, "tabellaScelta")->text(), QStringLiteral("Tabella del 4"));

    // "Ripristina" by the same button.
    QCOMPARE(clic(controllo(m_inizio, "ripristina"), tasto), QStringLiteral("tabella(0)"));
    QCOMPARE(colore(controllo(m_inizio, "tabella(0)")), Evidenza);
    QCOMPARE(colore(controllo(m_inizio, "ripristina")), Normale);
    QCOMPARE(controllo<QLabel>(m_inizio, "tabellaScelta")->text(), QStringLiteral("Tabella del 4"));
}

void tst_SchermataInizio::testoDellaTabella_data()
{
    QTest::addColumn<int>("tabella");
    QTest::addColumn<QString>("testo");
    const QStringList testi = {
        QStringLiteral("Tabella dello 0"), QStringLiteral("Tabella dell' 1"), QStringLiteral("Tabella del 2"),
        QStringLiteral("Tabella del 3"),   QStringLiteral("Tabella del 4"),   QStringLiteral("Tabella del 5"),
        QStringLiteral("Tabella del 6"),   QStringLiteral("Tabella del 7"),   QStringLiteral("Tabella dell'8"),
        QStringLiteral("Tabella del 9"),   QStringLiteral("Tabella del 10"),
    };
    for (int i = 0; i < testi.size(); ++i)
        QTest::addRow("%d", i) << i << testi.at(i);
}

void tst_SchermataInizio::testoDellaTabella()
{
    QFETCH(int, tabella);
    QFETCH(QString, testo);

    auto *pulsante = controllo(m_inizio, QStringLiteral("tabella(%1)").arg(tabella));
    premiMouse(pulsante);
    QCOMPARE(controllo<QLabel>(m_inizio, "tabellaScelta")->text(), testo);
    QCOMPARE(m_serie->tabella(), tabella);
    // "0" is drawn raised whatever was chosen, even while the mouse button is still down on it.
    QCOMPARE(controllo(m_inizio, "tabella(0)")->property("value").toBool(), false);
    rilasciaMouse(pulsante);
    QCOMPARE(controllo(m_inizio, "tabella(0)")->property("value").toBool(), false);
}

void tst_SchermataInizio::tastoTenuto()
{
    QCOMPARE(tieni(m_inizio, Qt::Key_Space, QStringLiteral(" ")), QStringLiteral("tabella(1)"));
    QCOMPARE(premi(m_inizio, Qt::Key_Space), QStringLiteral("tabella(2)"));

    // A held Enter chooses the table once; its repeats reach "Vai" and must not open the exercise.
    tieni(m_inizio, Qt::Key_Return, QStringLiteral("\r"));
    QCOMPARE(controllo<QLabel>(m_inizio, "tabellaScelta")->text(), QStringLiteral("Tabella del 2"));
    QCOMPARE(fuoco(), QStringLiteral("vai"));
    QCoreApplication::sendPostedEvents();
    QVERIFY(!m_navigatore->istanza<SchermataEsercizio>());

    QCOMPARE(tieni(m_inizio, Qt::Key_Space, QStringLiteral(" ")), QStringLiteral("ripristina"));
    // Tab held steps once along the tab order, as every other key acts once.
    QCOMPARE(tieni(m_inizio, Qt::Key_Tab, QStringLiteral("\t")), QStringLiteral("vai"));
}

void tst_SchermataInizio::tastoTenutoSottoX11()
{
    // Under X11 a repeat may come unflagged: its release and the press after it share one timestamp.
    RilevatoreRipetizione rilevatore;
    qApp->installEventFilter(&rilevatore);
    const auto invia = [](QEvent::Type tipo, Qt::Key tasto, const QString &testo, quint64 istante) {
        QKeyEvent evento(tipo, tasto, Qt::NoModifier, testo);
        evento.setTimestamp(istante);
        QApplication::sendEvent(QApplication::focusWidget(), &evento);
    };
    invia(QEvent::KeyPress, Qt::Key_Space, QStringLiteral(" "), 1000);
    for (quint64 istante = 1500; istante < 2000; istante += 33) {
        invia(QEvent::KeyRelease, Qt::Key_Space, QStringLiteral(" "), istante);
        invia(QEvent::KeyPress, Qt::Key_Space, QStringLiteral(" "), istante);
    }
    invia(QEvent::KeyRelease, Qt::Key_Space, QStringLiteral(" "), 2100);
    QCOMPARE(fuoco(), QStringLiteral("tabella(1)"));

    invia(QEvent::KeyPress, Qt::Key_Space, QStringLiteral(" "), 2300);
    invia(QEvent::KeyRelease, Qt::Key_Space, QStringLiteral(" "), 2400);
    QCOMPARE(fuoco(), QStringLiteral("tabella(2)"));
}

void tst_SchermataInizio::ripristinaColMouseIgnoraIlPrimoTasto()
{
    // Enter chooses 3 and is released over "Vai": the tables keep their key latch.
    tasti(m_inizio, {Qt::Key_3, Qt::Key_Return});
    QCOMPARE(clic(controllo(m_inizio, "ripristina")), QStringLiteral("tabella(0)"));

    QCOMPARE(premi(m_inizio, Qt::Key_5), QStringLiteral("tabella(0)"));
    QCOMPARE(premi(m_inizio, Qt::Key_5), QStringLiteral("tabella(5)"));
    QCOMPARE(m_serie->tabella(), 3);
}

// While the tables' key latch holds their keys back, the arrows still move the focus as any group
// of option buttons lets them; once a key is released over the tables they do nothing again.
void tst_SchermataInizio::frecceColBloccoSpostanoIlFuoco()
{
    tasti(m_inizio, {Qt::Key_3, Qt::Key_Return});
    QCOMPARE(clic(controllo(m_inizio, "ripristina")), QStringLiteral("tabella(0)"));
    QCOMPARE(premi(m_inizio, Qt::Key_Right), QStringLiteral("tabella(1)"));
    QCOMPARE(premi(m_inizio, Qt::Key_Left), QStringLiteral("tabella(1)"));
}

void tst_SchermataInizio::clicSuUnaTabellaSbloccaITasti()
{
    tasti(m_inizio, {Qt::Key_3, Qt::Key_Return});
    clic(controllo(m_inizio, "ripristina"));
    clic(controllo(m_inizio, "tabella(4)"));
    QCOMPARE(m_serie->tabella(), 4);
    clic(controllo(m_inizio, "ripristina"));

    QCOMPARE(premi(m_inizio, Qt::Key_6), QStringLiteral("tabella(6)"));
}

void tst_SchermataInizio::menuAutore_data()
{
    QTest::addColumn<QString>("come");
    QTest::newRow("C h i u d i col mouse") << QStringLiteral("mouse");
    QTest::newRow("C h i u d i premuto col tasto destro") << QStringLiteral("destro");
    QTest::newRow("Invio") << QStringLiteral("invio");
    QTest::newRow("la barra spaziatrice non chiude, Invio sì") << QStringLiteral("spazio");
    QTest::newRow("chiusura della finestra") << QStringLiteral("finestra");
}

void tst_SchermataInizio::menuAutore()
{
    QFETCH(QString, come);

    QCOMPARE(tasti(m_inizio, {Qt::Key_Return, Qt::Key_Space, Qt::Key_Space}), QStringLiteral("esci"));

    bool visto = false;
    quandoModale([&](QWidget *modale) {
        QVERIFY(qobject_cast<FinestraAutore *>(modale));
        QCOMPARE(modale->windowTitle(), QStringLiteral("Autore"));
        QVERIFY(piccolaFinestraCentrata(modale));
        QCOMPARE(controllo<QLabel>(modale, "titoloSito")->text(), QStringLiteral("Sito dell'autore:"));
        QCOMPARE(controllo<QLabel>(modale, "titoloEmail")->text(), QStringLiteral("Email:"));
        // The site and the address that the packages name too, each on one line that fits its label.
        for (auto [nome, atteso] : {std::pair {"sito", SitoContalino}, std::pair {"email", EmailContalino}}) {
            const QLabel *indirizzo = controllo<QLabel>(modale, nome);
            QCOMPARE(indirizzo->text(), QLatin1String(atteso));
            QVERIFY(indirizzo->fontMetrics().horizontalAdvance(indirizzo->text()) <= indirizzo->width());
        }
        auto *chiudi = controllo<QPushButton>(modale, "chiudi");
        QCOMPARE(chiudi->text(), QStringLiteral("C h i u d i"));
        QTRY_COMPARE(fuoco(), QStringLiteral("chiudi"));
        visto = true;
        if (come == QLatin1String("mouse"))
            clic(chiudi);
        else if (come == QLatin1String("destro"))
            premiMouse(chiudi, Qt::RightButton);
        else if (come == QLatin1String("invio"))
            premi(modale, Qt::Key_Return);
        else if (come == QLatin1String("spazio")) {
            premi(modale, Qt::Key_Space);
            QVERIFY(modale->isVisible());
            QCOMPARE(fuoco(), QStringLiteral("chiudi"));
            premi(modale, Qt::Key_Return);
        } else
            modale->windowHandle()->close();
    });
    controllo<QAction>(m_inizio, "menuAutore")->trigger();

    QVERIFY(visto);
    QVERIFY(!m_navigatore->istanza<FinestraAutore>());
    QTRY_COMPARE(fuoco(), QStringLiteral("tabella(0)"));
    QCOMPARE(colore(controllo(m_inizio, "tabella(0)")), Evidenza);
    QCOMPARE(colore(controllo(m_inizio, "esci")), Normale);
}

QTEST_MAIN(tst_SchermataInizio)
#include "tst_SchermataInizio.moc"
