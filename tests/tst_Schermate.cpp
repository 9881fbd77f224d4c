// The screens' lifecycle: one instance per screen, statics that outlive an unload, and the start
// screen's closing cascade by "Esci" (keyboard and mouse) and by the close box.

#include "aiuto.h"

#include "applicazione/Navigatore.h"
#include "schermate/esercizio/SchermataEsercizio.h"
#include "schermate/stampa/SchermataStampa.h"
#include "serie/Serie.h"

#include <QLabel>
#include <QPointer>
#include <QTest>

#include <optional>

using namespace Aiuto;

// A screen of the tests' own: its load counts how often it has been loaded, and a counter that the
// load leaves alone stands for the screen-level variables that must survive an unload.
class SchermataProva : public Schermata
{
    Q_OBJECT

public:
    explicit SchermataProva(QWidget *parent = nullptr)
        : Schermata(QStringLiteral("PROVA"), QSize(3000, 2000), false, parent)
    {
        ++caricamenti;
    }

    static inline int caricamenti = 0;
    static inline int contatore = 0;
};

class tst_Schermate : public QObject
{
    Q_OBJECT
    std::optional<Serie> m_serie {std::in_place};
    std::optional<Navigatore> m_navigatore {std::in_place, *m_serie};

private Q_SLOTS:
    void init();
    void cleanup();

    void unaSolaIstanza();
    void laStaticaSopravvive();
    void chiusuraACascata_data();
    void chiusuraACascata();
};

void tst_Schermate::init()
{
    Aiuto::daCapo(m_serie, m_navigatore);
}

void tst_Schermate::cleanup()
{
    chiudiTutto();
}

void tst_Schermate::unaSolaIstanza()
{
    QVERIFY(!m_navigatore->istanza<SchermataProva>());
    SchermataProva *prima = m_navigatore->schermate().carica<SchermataProva>();
    QCOMPARE(m_navigatore->schermate().carica<SchermataProva>(), prima);
    QCOMPARE(m_navigatore->istanza<SchermataProva>(), prima);
    prima->mostra();
    prima->mostra();
    QCOMPARE(m_navigatore->schermate().carica<SchermataProva>(), prima);

    SchermataInizio *inizio = apriInizio(*m_navigatore);
    QVERIFY(inizio);
    QCOMPARE(m_navigatore->schermate().carica<SchermataInizio>(*m_serie), inizio);
    QCOMPARE(m_navigatore->istanza<SchermataProva>(), prima);
}

void tst_Schermate::laStaticaSopravvive()
{
    const int caricamenti = SchermataProva::caricamenti;
    QPointer<SchermataProva> prima = m_navigatore->schermate().carica<SchermataProva>();
    prima->mostra();
    SchermataProva::contatore = 2;

    m_navigatore->schermate().scarica<SchermataProva>();
    QVERIFY(!m_navigatore->istanza<SchermataProva>()); // forgotten at once...
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(prima.isNull());                             // ...and destroyed afterwards
    m_navigatore->schermate().scarica<SchermataProva>(); // unloading what is not loaded does nothing

    QPointer<SchermataProva> seconda = m_navigatore->schermate().carica<SchermataProva>();
    QVERIFY(seconda);
    QCOMPARE(SchermataProva::caricamenti, caricamenti + 2);
    QCOMPARE(SchermataProva::contatore, 2);
}

void tst_Schermate::chiusuraACascata_data()
{
    QTest::addColumn<QString>("come");
    QTest::newRow("Esci con Invio") << QStringLiteral("tastiera");
    QTest::newRow("Esci col mouse") << QStringLiteral("mouse");
    QTest::newRow("chiusura della finestra") << QStringLiteral("finestra");
}

void tst_Schermate::chiusuraACascata()
{
    QFETCH(QString, come);

    QPointer<SchermataInizio> inizio = apriInizio(*m_navigatore);
    QPointer<SchermataEsercizio> operativo = m_navigatore->apriEsercizio();
    QPointer<SchermataStampa> stampa = m_navigatore->schermate().carica<SchermataStampa>(*m_serie);
    stampa->mostra();
    QVERIFY(QTest::qWaitForWindowExposed(stampa));
    QVERIFY(operativo->isVisible());

    inizio->mostra();
    QVERIFY(QTest::qWaitForWindowActive(inizio));
    if (come == QLatin1String("tastiera")) {
        // Enter on "0" chooses it and reaches "Vai"; the space bar walks on to "Esci".
        QCOMPARE(tasti(inizio, {Qt::Key_Return, Qt::Key_Space, Qt::Key_Space}), QStringLiteral("esci"));
        premi(inizio, Qt::Key_Return);
    } else if (come == QLatin1String("mouse")) {
        clic(controllo(inizio, "esci"));
    } else {
        inizio->windowHandle()->close();
    }

    QTRY_VERIFY(!m_navigatore->istanza<SchermataInizio>());
    QVERIFY(!m_navigatore->istanza<SchermataEsercizio>());
    QVERIFY(!m_navigatore->istanza<SchermataStampa>());
    for (const QWidget *finestra : QApplication::topLevelWidgets())
        QVERIFY2(!finestra->isVisible(), qPrintable(finestra->windowTitle()));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(inizio.isNull());
    QVERIFY(operativo.isNull());
    QVERIFY(stampa.isNull());
}

QTEST_MAIN(tst_Schermate)
#include "tst_Schermate.moc"
