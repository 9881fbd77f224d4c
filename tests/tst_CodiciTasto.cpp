// Key codes as the key tables read them, the detector that tells a held key from a new press, and the
// marking of the browser's unflagged repeats.

#include "componenti/tasti/CodiciTasto.h"
#include "componenti/tasti/RilevatoreRipetizione.h"
#include "componenti/tasti/TastiTenuti.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QWidget>

class tst_CodiciTasto : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void codice_data();
    void codice();
    void ripetizione_data();
    void ripetizione();
    void tastiTenuti_data();
    void tastiTenuti();
};

namespace {

// A window that writes down, for every key press it gets, whether it came flagged as a repeat.
class Registratore : public QWidget
{
public:
    QList<bool> ripetute;

protected:
    void keyPressEvent(QKeyEvent *evento) override { ripetute.append(evento->isAutoRepeat()); }
};

// A key going down (flagged as a repeat by the platform or not) or up, after a pause.
struct Evento
{
    bool giu;
    Qt::Key tasto;
    bool segnalata = false;
    int pausaMs = 0;
    bool soloNellaPagina = false; // a key-up the page saw and no window of the program did
};

} // namespace

Q_DECLARE_METATYPE(QList<Evento>)

void tst_CodiciTasto::codice_data()
{
    QTest::addColumn<int>("tasto");
    QTest::addColumn<Qt::KeyboardModifiers>("modificatori");
    QTest::addColumn<int>("atteso");

    const Qt::KeyboardModifiers nessuno = Qt::NoModifier;
    const Qt::KeyboardModifiers tastierino = Qt::KeypadModifier;
    QTest::newRow("0") << int(Qt::Key_0) << nessuno << 48;
    QTest::newRow("9") << int(Qt::Key_9) << nessuno << 57;
    QTest::newRow("tastierino 0") << int(Qt::Key_0) << tastierino << 96;
    QTest::newRow("tastierino 9") << int(Qt::Key_9) << tastierino << 105;
    QTest::newRow("tastierino *") << int(Qt::Key_Asterisk) << tastierino << 106;
    QTest::newRow("* della tastiera") << int(Qt::Key_Asterisk) << nessuno << 0;
    QTest::newRow("Invio") << int(Qt::Key_Return) << nessuno << 13;
    QTest::newRow("Invio del tastierino") << int(Qt::Key_Enter) << tastierino << 13;
    QTest::newRow("sinistra") << int(Qt::Key_Left) << nessuno << 37;
    QTest::newRow("su") << int(Qt::Key_Up) << nessuno << 38;
    QTest::newRow("destra") << int(Qt::Key_Right) << nessuno << 39;
    QTest::newRow("giu") << int(Qt::Key_Down) << nessuno << 40;
    QTest::newRow("Backspace") << int(Qt::Key_Backspace) << nessuno << 8;
    QTest::newRow("F2") << int(Qt::Key_F2) << nessuno << 113;
    QTest::newRow("F5") << int(Qt::Key_F5) << nessuno << 116;
    QTest::newRow("A") << int(Qt::Key_A) << nessuno << 65;
    QTest::newRow("Z") << int(Qt::Key_Z) << nessuno << 90;
    QTest::newRow("S maiuscola") << int(Qt::Key_S) << Qt::KeyboardModifiers(Qt::ShiftModifier) << 83;
    QTest::newRow("spazio") << int(Qt::Key_Space) << nessuno << 32;
    QTest::newRow("e accentata") << int(Qt::Key_Egrave) << nessuno << 0;
}

void tst_CodiciTasto::codice()
{
    QFETCH(int, tasto);
    QFETCH(Qt::KeyboardModifiers, modificatori);
    QFETCH(int, atteso);

    QCOMPARE(CodiciTasto::codice(tasto, modificatori), atteso);
    const QKeyEvent evento(QEvent::KeyPress, tasto, modificatori);
    QCOMPARE(CodiciTasto::codice(&evento), atteso);
}

// One step: a release (false) or a press (true) of key `tasto` at `istante`, flagged as a repeat or not.
struct Passo
{
    bool pressione;
    int tasto;
    unsigned long istante;
    bool segnalata;
};

void tst_CodiciTasto::ripetizione_data()
{
    QTest::addColumn<bool>("confrontaIstanti");
    QTest::addColumn<QList<Passo>>("passi");
    QTest::addColumn<bool>("ultimaRipetuta"); // what the last press is taken for

    const int a = Qt::Key_A;
    const int b = Qt::Key_B;
    QTest::newRow("prima pressione") << true << QList<Passo> {{true, a, 10, false}} << false;
    QTest::newRow("ripetizione segnalata") << false << QList<Passo> {{true, a, 10, false}, {true, a, 40, true}} << true;
    QTest::newRow("coppia segnalata") << false
                                      << QList<Passo> {{true, a, 10, false}, {false, a, 40, true}, {true, a, 40, true}}
                                      << true;
    QTest::newRow("stesso istante, confronto spento")
        << false << QList<Passo> {{true, a, 10, false}, {false, a, 40, false}, {true, a, 40, false}} << false;
    QTest::newRow("stesso istante, confronto acceso")
        << true << QList<Passo> {{true, a, 10, false}, {false, a, 40, false}, {true, a, 40, false}} << true;
    QTest::newRow("nuova pressione un istante dopo")
        << true << QList<Passo> {{true, a, 10, false}, {false, a, 40, false}, {true, a, 41, false}} << false;
    QTest::newRow("altro tasto allo stesso istante")
        << true << QList<Passo> {{true, a, 10, false}, {false, a, 40, false}, {true, b, 40, false}} << false;
    QTest::newRow("istante sconosciuto") << true
                                         << QList<Passo> {{true, a, 0, false},
                                                          {false, a, 0, false},
                                                          {true, a, 0, false}}
                                         << false;
    QTest::newRow("il rilascio vale per una sola pressione")
        << true
        << QList<Passo> {{false, a, 40, false}, {true, a, 40, false}, {true, b, 50, false}, {true, a, 40, false}}
        << false;
}

void tst_CodiciTasto::ripetizione()
{
    QFETCH(bool, confrontaIstanti);
    QFETCH(QList<Passo>, passi);
    QFETCH(bool, ultimaRipetuta);

    RilevatoreRipetizione rilevatore;
    rilevatore.setConfrontaIstanti(confrontaIstanti);
    bool ripetuta = false;
    for (const Passo &passo : passi) {
        if (passo.pressione)
            ripetuta = rilevatore.pressione(passo.tasto, passo.istante, passo.segnalata);
        else
            rilevatore.rilascio(passo.tasto, passo.istante, passo.segnalata);
    }
    QCOMPARE(ripetuta, ultimaRipetuta);
}

void tst_CodiciTasto::tastiTenuti_data()
{
    QTest::addColumn<QList<Evento>>("eventi");
    QTest::addColumn<QList<bool>>("ripetute");

    const auto sp = Qt::Key_Space;
    QTest::newRow("tenuto: solo la prima è nuova")
        << QList<Evento> {{true, sp}, {true, sp}, {true, sp}} << QList<bool> {false, true, true};
    QTest::newRow("lasciato e ripremuto")
        << QList<Evento> {{true, sp}, {true, sp}, {false, sp}, {true, sp}} << QList<bool> {false, true, false};
    QTest::newRow("un altro tasto è nuovo")
        << QList<Evento> {{true, sp}, {true, Qt::Key_Return}} << QList<bool> {false, false};
    QTest::newRow("segnalata dalla piattaforma, una volta sola")
        << QList<Evento> {{true, sp}, {true, sp, true}} << QList<bool> {false, true};
    // A key-up lost while the page was in the background must not eat the next real press.
    QTest::newRow("rilascio perso") << QList<Evento> {{true, sp},
                                                      {true, sp, false, int(TastiTenuti::PausaMassimaMs) + 300}}
                                    << QList<bool> {false, false};
    // A message box that closes on a key-down leaves its key-up to no window: the page's own says it.
    QTest::newRow("rilascio visto solo dalla pagina")
        << QList<Evento> {{true, sp}, {false, sp, false, 0, true}, {true, sp}} << QList<bool> {false, false};
}

void tst_CodiciTasto::tastiTenuti()
{
    QFETCH(QList<Evento>, eventi);
    QFETCH(QList<bool>, ripetute);

    TastiTenuti filtro;
    qApp->installEventFilter(&filtro);
    Registratore finestra;
    finestra.show();
    QVERIFY(QTest::qWaitForWindowExposed(&finestra));
    for (const Evento &evento : eventi) {
        if (evento.pausaMs > 0)
            QTest::qWait(evento.pausaMs);
        if (evento.soloNellaPagina) {
            filtro.rilasciato(evento.tasto);
            continue;
        }
        // As the platform hands a key on to the program.
        qt_handleKeyEvent(finestra.windowHandle(), evento.giu ? QEvent::KeyPress : QEvent::KeyRelease, evento.tasto,
                          Qt::NoModifier, QString(), evento.segnalata);
    }
    qApp->removeEventFilter(&filtro);
    QCOMPARE(finestra.ripetute, ripetute);
}

QTEST_MAIN(tst_CodiciTasto)
#include "tst_CodiciTasto.moc"
