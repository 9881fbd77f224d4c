// What the voice says, and in what order, as a child drives the exercise: the narrator listens to the
// series and to the focus, and a voice that writes down what it is asked to say stands for the engine.

#include "StampaSupporto.h"
#include "aiuto.h"
#include "narratore/Narratore.h"
#include "schermate/stampa/SchermataStampa.h"
#include "voce/Voce.h"

#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

using namespace Aiuto;

namespace {

class VoceRegistrata : public Voce
{
public:
    void di(const QString &testo) override { detti << testo; }
    void aggiungi(const QString &testo) override { detti << QLatin1Char('+') + testo; }
    void taci() override { detti << QStringLiteral("(taci)"); }
    QStringList detti;
};

} // namespace

class tst_Narratore : public QObject
{
    Q_OBJECT
    std::optional<Serie> m_serie;
    std::optional<Navigatore> m_navigatore;

private Q_SLOTS:
    void init();
    void cleanup();
    void leggibile();
    void unaPressione_data();
    void unaPressione();
    void messaggio();

private:
    // One letter a press on the exercise screen: a digit; R Enter, S Space, N the key N, Z a key that does
    // nothing; G and W the right answer and a wrong one, typed; * the series one operation short of thirty.
    void premi(SchermataEsercizio *w, const QString &pressioni);

    VoceRegistrata m_voce;
    std::unique_ptr<Narratore> m_narratore;
};

void tst_Narratore::init()
{
    daCapo(m_serie, m_navigatore, 20261210);
    m_narratore = std::make_unique<Narratore>(*m_serie, m_voce);
    m_voce.detti.clear();
}

void tst_Narratore::cleanup()
{
    chiudiTutto();
    m_narratore.reset();
}

void tst_Narratore::premi(SchermataEsercizio *w, const QString &pressioni)
{
    for (QChar p : pressioni) {
        const QString giusta = m_serie->attesa(m_serie->colonna()).trimmed();
        if (p.isDigit())
            Aiuto::premi(w, Qt::Key(Qt::Key_0 + p.digitValue()));
        else if (p == QLatin1Char('*'))
            m_serie->caricaRegistro(m_serie->registro(), Serie::OperazioniPerAvviso - 1);
        else if (p == QLatin1Char('G') || p == QLatin1Char('W'))
            premi(w, p == QLatin1Char('G') ? giusta : QString::number(giusta.toInt() + 1));
        else
            Aiuto::premi(w, p == QLatin1Char('R')   ? Qt::Key_Return
                            : p == QLatin1Char('S') ? Qt::Key_Space
                            : p == QLatin1Char('N') ? Qt::Key_N
                                                    : Qt::Key_Z);
        // Whatever the press brought is said once it has been handled.
        QCoreApplication::processEvents();
    }
}

void tst_Narratore::leggibile()
{
    const QList<QPair<QString, QString>> casi = {
        {"7", "7"},                                       // a key
        {"C h i u d i", "Chiudi"},                        // letters spaced out for the eye
        {"STAMPA LE OPERAZIONI", "STAMPA LE OPERAZIONI"}, // words stay words
        {"Vers.1.0\nMouse ", "Vers.1.0 Mouse"},           // a line break
    };
    for (const auto &[testo, letto] : casi)
        QCOMPARE(Narratore::leggibile(testo), letto);
}

void tst_Narratore::unaPressione_data()
{
    // Before the bar, the presses that lead there; after it, the press whose words are written down.
    QTest::addColumn<QString>("pressioni");
    // %R: the answer of the column pressed on; %O: the operation armed after the press.
    QTest::addColumn<QStringList>("detti");

    // Nothing was pressed: the operation is said, and the key the window gives the focus after it.
    QTest::newRow("the exercise opens") << "|" << QStringList {"+%O", "+0"};
    QTest::newRow("Space moves the focus") << "|S" << QStringList {"1"};
    QTest::newRow("a digit typed") << "|5" << QStringList {"5. Invio"};
    QTest::newRow("right") << "G|R" << QStringList {"Giusto. %O. 0"};
    QTest::newRow("wrong") << "W|R" << QStringList {"Sbagliato. Ti aiuto? SI"};
    QTest::newRow("help accepted") << "WR|R" << QStringList {"%R. %O. 0"};
    QTest::newRow("the intervention") << "WRNRWRNRWRN|R" << QStringList {"Intervengo io. OK"};
    QTest::newRow("the warning") << "*G|R" << QStringList {"Giusto. Se ricominci gli esercizi andranno persi. Stampa"};
    QTest::newRow("a press that brings nothing cuts the voice") << "|Z" << QStringList {"(taci)"};
}

// Each press is said once, whole and in order: what the series announced, then the item the focus reached.
void tst_Narratore::unaPressione()
{
    QFETCH(QString, pressioni);
    QFETCH(QStringList, detti);
    const QString prima = pressioni.section(QLatin1Char('|'), 0, 0);
    const QString pressione = pressioni.section(QLatin1Char('|'), 1);

    m_serie->scegliTabella(6);
    SchermataEsercizio *w = m_navigatore->apriEsercizio();
    QVERIFY(QTest::qWaitForWindowActive(w));
    QCoreApplication::processEvents();
    premi(w, prima);
    const QString risposta = m_serie->attesa(m_serie->colonna()).trimmed();
    if (!pressione.isEmpty())
        m_voce.detti.clear();
    premi(w, pressione);
    const QString operazione = QStringLiteral("6 per %1").arg(m_serie->fattore(m_serie->colonna()));
    detti.replaceInStrings(QStringLiteral("%R"), risposta).replaceInStrings(QStringLiteral("%O"), operazione);
    QCOMPARE(m_voce.detti, detti);
}

// A message box says its text as it opens, then the button it offers.
void tst_Narratore::messaggio()
{
    auto *stampa = m_navigatore->schermate().carica<SchermataStampa>(*m_serie);
    // A printer with no Courier: the page is never begun, and the teacher is told in a message box.
    auto chiamate = std::make_shared<QStringList>();
    stampa->consegna().setFabbricaStampante(
        [chiamate] { return std::make_unique<StampanteRegistrata>(chiamate, QStringList {"Arial"}); });
    stampa->mostra();
    QVERIFY(QTest::qWaitForWindowActive(stampa));
    QCoreApplication::processEvents();
    m_voce.detti.clear();
    quandoModale([this](QWidget *modale) {
        const QString testo = QStringLiteral("Devi installare il font Courier o il font Courier New. OK");
        QTRY_VERIFY(!m_voce.detti.isEmpty() && m_voce.detti.last().endsWith(testo));
        // Where the click also gave the button the focus (Windows), its name is said first, and the text
        // after it.
        QVERIFY2(m_voce.detti.last() == testo || m_voce.detti.last() == '+' + testo,
                 qPrintable(m_voce.detti.join('|')));
        qobject_cast<QMessageBox *>(modale)->button(QMessageBox::Ok)->click();
    });
    QTest::mouseClick(stampa->findChild<QPushButton *>(QStringLiteral("stampa")), Qt::LeftButton);
}

QTEST_MAIN(tst_Narratore)
#include "tst_narratore.moc"
