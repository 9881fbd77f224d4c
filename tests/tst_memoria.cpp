// Opening and closing the exercise and print screens over and over, as a class does all day, must
// leave nothing behind: no window, no object, no growing heap of either.

#include "aiuto.h"

#include "applicazione/Navigatore.h"
#include "schermate/esercizio/SchermataEsercizio.h"
#include "schermate/inizio/SchermataInizio.h"
#include "schermate/stampa/SchermataStampa.h"
#include "serie/Serie.h"

#include <QTest>

#include <optional>

namespace {

int contaOggetti(const QObject *radice)
{
    int n = 1;
    for (const QObject *figlio : radice->children())
        n += contaOggetti(figlio);
    return n;
}

// Every object the program's windows and the application hold, the windows themselves included.
int oggettiVivi()
{
    int n = contaOggetti(QCoreApplication::instance());
    for (const QWidget *finestra : QApplication::topLevelWidgets())
        n += contaOggetti(finestra);
    return n;
}

} // namespace

class tst_Memoria : public QObject
{
    Q_OBJECT
    std::optional<Serie> m_serie {std::in_place};
    std::optional<Navigatore> m_navigatore {std::in_place, *m_serie};

private Q_SLOTS:
    void milleAperture();
};

void tst_Memoria::milleAperture()
{
    Aiuto::daCapo(m_serie, m_navigatore);
    SchermataInizio *inizio = Aiuto::apriInizio(*m_navigatore);
    QVERIFY(inizio);

    // One round first, so that everything Qt creates once (fonts, styles, caches) is there already.
    auto ciclo = [this, inizio](int i) {
        Aiuto::premi(inizio, Qt::Key_Return); // the focus is on "Vai" after the first round's choice
        auto *operativo = m_navigatore->istanza<SchermataEsercizio>();
        if (!operativo)
            return false;
        m_serie->caricaRegistro(m_serie->registro(), i % 31);
        auto *stampa = m_navigatore->schermate().carica<SchermataStampa>(*m_serie);
        stampa->mostra();
        // "ESCI" from its own button, then the exercise screen by its close box.
        Aiuto::clic(stampa->findChild<QWidget *>(QStringLiteral("esci")));
        operativo->close();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        inizio->activateWindow();
        Aiuto::tasti(inizio, {Qt::Key_7, Qt::Key_Return});
        return !m_navigatore->istanza<SchermataEsercizio>() && !m_navigatore->istanza<SchermataStampa>();
    };
    Aiuto::tasti(inizio, {Qt::Key_7, Qt::Key_Return});
    QVERIFY(ciclo(0));

    const int finestrePrima = int(QApplication::topLevelWidgets().size());
    const int oggettiPrima = oggettiVivi();
    for (int i = 1; i <= 1000; ++i)
        QVERIFY2(ciclo(i), qPrintable(QStringLiteral("round %1").arg(i)));
    const int finestreDopo = int(QApplication::topLevelWidgets().size());
    const int oggettiDopo = oggettiVivi();
    qInfo("after 1000 rounds: %d windows and %d objects alive before, %d and %d after", finestrePrima, oggettiPrima,
          finestreDopo, oggettiDopo);
    QCOMPARE(finestreDopo, finestrePrima);
    QCOMPARE(oggettiDopo, oggettiPrima);
    Aiuto::chiudiTutto();
}

QTEST_MAIN(tst_Memoria)
#include "tst_memoria.moc"
