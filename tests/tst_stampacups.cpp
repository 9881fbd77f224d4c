// The print screen against a real CUPS scheduler, started by the test itself (CupsDiProva.h): whatever
// the queue does with the page, the teacher either gets it from the printer, finds it waiting in the
// queue, or finds it saved as a PDF and is told where and why. Never a silent loss, never a frozen
// window, and one page for one press.

#include "CupsDiProva.h"
#include "StampaSupporto.h"
#include "aiuto.h"
#include "applicazione/Navigatore.h"
#include "componenti/finestre/Messaggio.h"
#include "schermate/stampa/SchermataStampa.h"
#include "serie/Serie.h"
#include "stampa/StampanteQt.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>

#include <optional>

namespace {

// What happens to the queue once the print screen is open.
enum class Coda
{
    Accetta,          // nothing: the queue takes jobs and prints them
    Rifiuta,          // cupsreject, as for a printer out of service
    Ferma,            // cupsdisable: the queue keeps jobs without printing them
    Cancellata,       // lpadmin -x before the button is pressed
    SparisceInStampa, // lpadmin -x while the page is being made
    TaceInStampa,     // the scheduler ends while the page is being made
    Sospesa,          // the scheduler hangs (SIGSTOP) before the button is pressed
    SospesaInStampa,  // the scheduler hangs while the page is being made
    Lenta,            // the scheduler hangs for two seconds, while both buttons and the close box are pressed
    TastoTenuto       // the queue refuses the page, pressed by Enter held down into the message
};

// Where the page must end up.
enum class Esito
{
    Stampata,  // printed: the document reached the printer's device
    InAttesa,  // waiting in the paused queue
    Documenti, // saved as a PDF in the Documents folder
    Casa       // saved as a PDF in the home folder
};

} // namespace

class tst_StampaCups : public QObject
{
    Q_OBJECT
    std::optional<Serie> m_serie {std::in_place};
    std::optional<Navigatore> m_navigatore {std::in_place, *m_serie};

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void coda_data();
    void coda();

private:
    CupsDiProva m_cups;
    QString m_casaOriginale;
    QString m_temporaneaOriginale;
    QString m_casa;
    QString m_temporanea;
    QString m_dispositivo;
    int m_caso = 0;
};

void tst_StampaCups::initTestCase()
{
    QVERIFY2(!pdftotext().isEmpty(), "pdftotext (Debian package poppler-utils) is not installed");
    // Before anything asks CUPS for a printer: the library keeps the first server it is told.
    const QString perche = m_cups.avvia();
    QVERIFY2(perche.isEmpty(), qPrintable("the test's own CUPS scheduler cannot start: " + perche));
    m_casaOriginale = qEnvironmentVariable("HOME");
    m_temporaneaOriginale = qEnvironmentVariable("TMPDIR");
}

void tst_StampaCups::init()
{
    Aiuto::daCapo(m_serie, m_navigatore);
    ++m_caso;
    if (!m_cups.attivo()) {
        const QString perche = m_cups.avvia();
        QVERIFY2(perche.isEmpty(), qPrintable("the test's own CUPS scheduler cannot start again: " + perche));
    }
    m_dispositivo = QDir(m_cups.cartella()).filePath(QStringLiteral("stampante-%1.pdf").arg(m_caso));
    const QString errore = m_cups.nuovaCoda(m_dispositivo);
    QVERIFY2(errore.isEmpty(), qPrintable(errore));
    // A home of the teacher's own for each case, with no settings of any program in it.
    m_casa = QDir(m_cups.cartella()).filePath(QStringLiteral("casa-%1").arg(m_caso));
    QVERIFY(QDir().mkpath(m_casa));
    qputenv("HOME", QFile::encodeName(m_casa));
    qunsetenv("XDG_CONFIG_HOME");
    // And a temporary folder, where the page for the queue is drawn.
    m_temporanea = QDir(m_cups.cartella()).filePath(QStringLiteral("tmp-%1").arg(m_caso));
    QVERIFY(QDir().mkpath(m_temporanea));
    qputenv("TMPDIR", QFile::encodeName(m_temporanea));
}

void tst_StampaCups::cleanup()
{
    m_navigatore->schermate().scarica<SchermataStampa>();
    QTRY_VERIFY(m_navigatore->istanza<SchermataStampa>() == nullptr);
    qputenv("HOME", QFile::encodeName(m_casaOriginale));
    if (m_temporaneaOriginale.isEmpty())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", QFile::encodeName(m_temporaneaOriginale));
}

void tst_StampaCups::cleanupTestCase()
{
    m_cups.ferma();
}

void tst_StampaCups::coda_data()
{
    QTest::addColumn<Coda>("coda");
    QTest::addColumn<bool>("documenti"); // the home folder has a Documents folder
    QTest::addColumn<Esito>("esito");
    QTest::addColumn<QString>("messaggio"); // what the message says before the file's place; none when empty

    const QString rifiuta = QStringLiteral("La stampante «Aula 3» non accetta lavori di stampa.");
    QTest::newRow("accepting queue") << Coda::Accetta << true << Esito::Stampata << QString();
    QTest::newRow("refusing queue") << Coda::Rifiuta << true << Esito::Documenti << rifiuta;
    QTest::newRow("paused queue") << Coda::Ferma << true << Esito::InAttesa << QString();
    QTest::newRow("queue deleted after the print screen opened")
        << Coda::Cancellata << true << Esito::Documenti << QStringLiteral("Non è stata trovata nessuna stampante.");
    QTest::newRow("queue deleted while the page is made") << Coda::SparisceInStampa << true << Esito::Documenti
                                                          << QStringLiteral("La stampante «Aula 3» non esiste più.");
    QTest::newRow("no Documents folder") << Coda::Rifiuta << false << Esito::Casa << rifiuta;
    QTest::newRow("scheduler stopped while the page is made")
        << Coda::TaceInStampa << true << Esito::Documenti << QStringLiteral("La stampante «Aula 3» non risponde.");
    QTest::newRow("scheduler hung before the press")
        << Coda::Sospesa << true << Esito::Documenti << QStringLiteral("La stampante predefinita non risponde.");
    QTest::newRow("scheduler hung while the page is made")
        << Coda::SospesaInStampa << true << Esito::Documenti << QStringLiteral("La stampante «Aula 3» non risponde.");
    QTest::newRow("slow scheduler, pressed again") << Coda::Lenta << true << Esito::Stampata << QString();
    QTest::newRow("Enter held into the message") << Coda::TastoTenuto << true << Esito::Documenti << rifiuta;
}

void tst_StampaCups::coda()
{
    QFETCH(Coda, coda);
    QFETCH(bool, documenti);
    QFETCH(Esito, esito);
    QFETCH(QString, messaggio);

    riempiRegistro(*m_serie, 30);
    const auto registro = m_serie->registro();
    const QDir casa(m_casa);
    if (documenti)
        QVERIFY(casa.mkdir(QStringLiteral("Documents")));
    // The default printer is looked up when the button is pressed; then the page is drawn, and before
    // it is handed over, the queue or the scheduler may go or hang.
    std::weak_ptr<int> stampanteViva;
    m_navigatore->schermate().carica<SchermataStampa>(*m_serie)->consegna().setFabbricaStampante(
        [this, coda, &stampanteViva] {
            auto testimone = std::make_shared<int>();
            stampanteViva = testimone;
            return std::make_unique<StampanteVera>(
                StampanteQt::predefinita(), QStringList(),
                [this, coda] {
                    if (coda == Coda::TaceInStampa || coda == Coda::SospesaInStampa)
                        m_cups.segnale(coda == Coda::TaceInStampa ? SIGTERM : SIGSTOP);
                    else if (coda == Coda::SparisceInStampa)
                        m_cups.esegui(QStringLiteral("lpadmin"), {QStringLiteral("-x"), CupsDiProva::Coda});
                },
                testimone);
        });

    auto *stampa = m_navigatore->schermate().carica<SchermataStampa>(*m_serie);
    stampa->mostra();
    QVERIFY(QTest::qWaitForWindowActive(stampa));
    const QStringList comando = coda == Coda::Rifiuta || coda == Coda::TastoTenuto
                                    ? QStringList {QStringLiteral("cupsreject"), CupsDiProva::Coda}
                                : coda == Coda::Ferma ? QStringList {QStringLiteral("cupsdisable"), CupsDiProva::Coda}
                                : coda == Coda::Cancellata
                                    ? QStringList {QStringLiteral("lpadmin"), QStringLiteral("-x"), CupsDiProva::Coda}
                                    : QStringList();
    if (!comando.isEmpty()) {
        const QString errore = m_cups.esegui(comando.first(), comando.mid(1));
        QVERIFY2(errore.isEmpty(), qPrintable(errore));
    }
    if (coda == Coda::Sospesa || coda == Coda::Lenta)
        m_cups.segnale(SIGSTOP);

    // While the button's work goes on, the window must go on repainting: the longest stretch without
    // a turn of the event loop, what the screen says meanwhile, and what presses do then.
    auto *pulsante = stampa->findChild<QPushButton *>(QStringLiteral("stampa"));
    QElapsedTimer orologio;
    qint64 ultimoGiro = 0;
    qint64 pausaMassima = 0;
    bool inStampaVisto = false;
    bool messaggioRimasto = false;
    QTimer giri;
    connect(&giri, &QTimer::timeout, this, [&] {
        pausaMassima = std::max(pausaMassima, orologio.elapsed() - ultimoGiro);
        ultimoGiro = orologio.elapsed();
        inStampaVisto = inStampaVisto || stampa->findChild<QLabel *>(QStringLiteral("inStampa"))->isVisible();
        if (coda == Coda::Lenta && ultimoGiro >= 1000 && ultimoGiro < 1100) {
            QTest::mouseClick(pulsante, Qt::LeftButton);
            QTest::keyClick(stampa->findChild<QPushButton *>(QStringLiteral("esci")), Qt::Key_Space);
            stampa->windowHandle()->close();
        }
        if (coda == Coda::Lenta && ultimoGiro >= 2000)
            m_cups.segnale(SIGCONT);
        // Enter still down when the message comes: its repeats must leave it up, a fresh press answers it.
        auto *messaggio = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (coda == Coda::TastoTenuto && messaggio && messaggio->isActiveWindow() && messaggio->focusWidget()) {
            QKeyEvent ripetuto(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
            QApplication::sendEvent(messaggio->focusWidget(), &ripetuto);
            messaggioRimasto = messaggio->isVisible();
            QTest::keyRelease(messaggio->focusWidget(), Qt::Key_Return);
            QTest::keyClick(messaggio->focusWidget(), Qt::Key_Return);
        }
    });
    giri.start(50);
    orologio.start();
    if (coda == Coda::TastoTenuto) {
        pulsante->setFocus();
        QTest::keyPress(pulsante, Qt::Key_Return);
    } else {
        stampa->messaggi().setProssimaRisposta(QMessageBox::Ok);
        QTest::mouseClick(pulsante, Qt::LeftButton);
    }
    const qint64 durata = orologio.elapsed();
    giri.stop();
    pausaMassima = std::max(pausaMassima, durata - ultimoGiro);
    QVERIFY2(pausaMassima < 1000, qPrintable(QStringLiteral("the window froze for %1 ms").arg(pausaMassima)));
    QVERIFY2(durata < 30000, qPrintable(QStringLiteral("the press took %1 ms").arg(durata)));
    QVERIFY2(inStampaVisto || durata < 1000, "a long wait without \"Stampa in corso…\"");
    QVERIFY(!stampa->findChild<QLabel *>(QStringLiteral("inStampa"))->isVisible());
    QCOMPARE(messaggioRimasto, coda == Coda::TastoTenuto);
    // A printing thread given up on ends once the scheduler answers again, and hands nothing over.
    m_cups.segnale(SIGCONT);
    QTRY_VERIFY_WITH_TIMEOUT(stampanteViva.expired(), 90000);

    // The teacher's message, and the PDF it names.
    const QStringList salvati
        = casa.entryList(QDir::Files | QDir::Hidden, QDir::Name)
          + QDir(casa.filePath(QStringLiteral("Documents"))).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    if (messaggio.isEmpty()) {
        QVERIFY2(stampa->messaggi().conteggio() == 0,
                 qPrintable("unexpected message: " + stampa->messaggi().ultimoTesto()));
        QCOMPARE(salvati, QStringList());
    } else {
        QVERIFY2(stampa->messaggi().conteggio() == 1, "no message: the page failed in silence");
        QCOMPARE(salvati.size(), 1);
        const QRegularExpression nome(R"(^Esercizi \d{4}-\d\d-\d\d \d\d\.\d\d\.\d\d\.pdf$)");
        QVERIFY2(nome.match(salvati.at(0)).hasMatch(), qPrintable(salvati.at(0)));
        const QString pdf
            = (esito == Esito::Casa ? casa : QDir(casa.filePath(QStringLiteral("Documents")))).filePath(salvati.at(0));
        QVERIFY2(QFileInfo::exists(pdf), qPrintable(pdf));
        QCOMPARE(stampa->messaggi().ultimoTesto(), messaggio
                                                       + "\nIl foglio delle operazioni è stato salvato nel file:\n"
                                                       + QDir::toNativeSeparators(pdf));
        // The same page as when there is no printer at all: A4, at the PDF printer's places.
        const QPointF origine = StampanteQt::pdf(pdf)->impaginazione().paintRect(QPageLayout::Point).topLeft();
        const auto pagine = leggiPdf(pdf);
        QCOMPARE(pagine.size(), 1);
        QCOMPARE(confrontaPagina(pagine.at(0), paginaAttesa(*m_serie), origine), QStringList());
    }

    // What the queue holds.
    switch (esito) {
    case Esito::Stampata: {
        QTRY_COMPARE_WITH_TIMEOUT(m_cups.lavori(QStringLiteral("not-completed")), QStringList(), 20000);
        QCOMPARE(m_cups.lavori(QStringLiteral("completed")).size(), 1);
        // The document as the queue took it, at the printer's own places.
        const auto pagine = leggiPdf(m_dispositivo);
        QCOMPARE(pagine.size(), 1);
        QCOMPARE(confrontaPagina(pagine.at(0), paginaAttesa(*m_serie), CupsDiProva::Origine), QStringList());
        break;
    }
    case Esito::InAttesa:
        QCOMPARE(m_cups.lavori(QStringLiteral("not-completed")).size(), 1);
        QTest::qWait(500);
        QCOMPARE(m_cups.lavori(QStringLiteral("not-completed")).size(), 1);
        QVERIFY(!QFileInfo::exists(m_dispositivo));
        break;
    case Esito::Documenti:
    case Esito::Casa:
        // A scheduler that stopped mid-request may still have a job opened that never got its page.
        if (coda != Coda::TaceInStampa && coda != Coda::SospesaInStampa)
            QCOMPARE(m_cups.lavori(QStringLiteral("all")), QStringList());
        QVERIFY(!QFileInfo::exists(m_dispositivo));
        break;
    }

    // Nothing left behind of the page drawn for the queue.
    QCOMPARE(QDir(m_temporanea).entryList({QStringLiteral("*Esercizi*")}, QDir::Files | QDir::Hidden), QStringList());
    QVERIFY(stampa->isVisible());
    QCOMPARE(m_serie->registro(), registro);
    QTRY_VERIFY2(m_cups.attivo() != (coda == Coda::TaceInStampa), qPrintable(m_cups.registro()));
}

QTEST_MAIN(tst_StampaCups)
#include "tst_stampacups.moc"
