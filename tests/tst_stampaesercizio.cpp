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
    void paginaInviata_data();
    void paginaInviata();
    void sceltaDelFont_data();
    void sceltaDelFont();
    void erroreDellaStampante_data();
    void erroreDellaStampante();

private:
    SchermataStampa *apriStampa();
    void premiStampa(SchermataStampa *stampa);
};

SchermataStampa *tst_StampaEsercizio::apriStampa()
{
    auto *stampa = m_navigatore->schermate().carica<SchermataStampa>(*m_serie);
    stampa->mostra();
    if (!QTest::qWaitForWindowActive(stampa))
        return nullptr;
    return stampa;
}

void tst_StampaEsercizio::premiStampa(SchermataStampa *stampa)
{
    // Answered in advance, so an unexpected message cannot hang the test; conteggio() tells.
    m_navigatore->schermate().carica<SchermataStampa>(*m_serie)->messaggi().setProssimaRisposta(QMessageBox::Ok);
    QTest::mouseClick(stampa->findChild<QPushButton *>("stampa"), Qt::LeftButton);
}

void tst_StampaEsercizio::init()
{
    m_navigatore.reset();
    m_serie.emplace();
    m_navigatore.emplace(*m_serie);
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
    else
        stampa->windowHandle()->close();
    QTRY_COMPARE(m_navigatore->istanza<SchermataStampa>(), nullptr);
    QTRY_VERIFY(stampa.isNull());
    QCOMPARE(m_serie->registro(), registro);
    QCOMPARE(m_serie->operazioni(), 30);
}

void tst_StampaEsercizio::paginaInviata_data()
{
    QTest::addColumn<int>("numEsercizi");
    // What the printer says of a page it took all the same (the browser: what it refused), told each time.
    QTest::addColumn<QString>("nota");
    QTest::newRow("first operation") << 0 << QString();
    QTest::newRow("ten operations") << 10 << QString();
    QTest::newRow("thirty operations") << 30 << QString();
    QTest::newRow("taken, with a note") << 30 << "Il browser non ha aperto la finestra di stampa.";
}

void tst_StampaEsercizio::paginaInviata()
{
    QFETCH(int, numEsercizi);
    QFETCH(QString, nota);
    riempiRegistro(*m_serie, numEsercizi);
    const auto registro = m_serie->registro();
    auto chiamate = std::make_shared<QStringList>();
    m_navigatore->schermate().carica<SchermataStampa>(*m_serie)->setFabbricaStampante([chiamate, nota] {
        return std::make_unique<StampanteRegistrata>(chiamate, QStringList {"Arial", "Courier New"},
                                                     Stampante::Esito::Stampato, QString(), QString(), nota);
    });

    QStringList pagina
        = {"elencoFont",    "font Courier New", "x 1000", "y 1000", "dimensione 18", "stampa SCUOLA ELEMENTARE DI ",
           "dimensione 12", "grassetto 1"};
    for (int k = 0; k <= numEsercizi; ++k) {
        const QPoint posto = PaginaEsercizi::posizioneRiga(k);
        pagina << QStringLiteral("x %1").arg(posto.x()) << QStringLiteral("y %1").arg(posto.y())
               << QStringLiteral("stampa ") + m_serie->registro().at(k);
    }
    pagina << "fine";

    SchermataStampa *stampa = apriStampa();
    QVERIFY(stampa);
    premiStampa(stampa);
    QCOMPARE(*chiamate, pagina);
    premiStampa(stampa);
    QCOMPARE(*chiamate, pagina + pagina);

    QCOMPARE(stampa->messaggi().conteggio(), nota.isEmpty() ? 0 : 2);
    QCOMPARE(stampa->messaggi().ultimoTesto(), nota);
    QCOMPARE(m_navigatore->istanza<SchermataStampa>(), stampa);
    QVERIFY(stampa->isVisible());
    QCOMPARE(m_serie->registro(), registro);
    QCOMPARE(m_serie->operazioni(), numEsercizi);
}

void tst_StampaEsercizio::sceltaDelFont_data()
{
    QTest::addColumn<QStringList>("elenco");
    QTest::addColumn<QString>("scelto");
    QTest::newRow("Courier before Courier New") << QStringList {"Arial", "Courier", "Courier New"} << "Courier";
    QTest::newRow("Courier New before Courier") << QStringList {"Courier New", "Courier"} << "Courier New";
    QTest::newRow("other letter case") << QStringList {"courier", "Courier new", "Liberation Mono"} << QString();
    QTest::newRow("no fonts") << QStringList {} << QString();
}

void tst_StampaEsercizio::sceltaDelFont()
{
    QFETCH(QStringList, elenco);
    QFETCH(QString, scelto);
    riempiRegistro(*m_serie, 10);
    auto chiamate = std::make_shared<QStringList>();
    m_navigatore->schermate().carica<SchermataStampa>(*m_serie)->setFabbricaStampante(
        [chiamate, elenco] { return std::make_unique<StampanteRegistrata>(chiamate, elenco); });
    SchermataStampa *stampa = apriStampa();
    QVERIFY(stampa);
    if (scelto.isEmpty()) {
        // The message box, answered by the press of the right mouse button on its OK.
        bool risposto = false;
        Aiuto::quandoModale([&risposto](QWidget *modale) {
            QTest::mousePress(qobject_cast<QMessageBox *>(modale)->button(QMessageBox::Ok), Qt::RightButton);
            risposto = !modale->isVisible();
        });
        QTest::mouseClick(stampa->findChild<QPushButton *>("stampa"), Qt::LeftButton);
        QVERIFY(risposto);
        QCOMPARE(*chiamate, QStringList {"elencoFont"});
        QCOMPARE(stampa->messaggi().conteggio(), 1);
        QCOMPARE(stampa->messaggi().ultimoTesto(), "Devi installare il font Courier o il font Courier New");
    } else {
        premiStampa(stampa);
        QCOMPARE(chiamate->value(1), "font " + scelto);
        QCOMPARE(chiamate->last(), "fine");
        QCOMPARE(stampa->messaggi().conteggio(), 0);
    }
    QVERIFY(stampa->isVisible());
}

void tst_StampaEsercizio::erroreDellaStampante_data()
{
    QTest::addColumn<Stampante::Esito>("esito");
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("motivo");
    QTest::addColumn<QString>("accaduto");
    QTest::newRow("error, printer without a name")
        << Stampante::Esito::Errore << QString() << "la carta è finita"
        << "Il foglio delle operazioni non è stato stampato: la carta è finita.";
    QTest::newRow("error of a named printer")
        << Stampante::Esito::Errore << "Aula 3"
        << "la carta è finita"
        << "Il foglio delle operazioni non è stato stampato sulla stampante «Aula 3»: la carta è finita.";
    QTest::newRow("printer that does not take the page") << Stampante::Esito::Rifiutato << "Aula 3"
                                                         << "non accetta lavori di stampa"
                                                         << "La stampante «Aula 3» non accetta lavori di stampa.";
    QTest::newRow("printer that does not answer") << Stampante::Esito::Rifiutato << "Aula 3"
                                                  << "non risponde"
                                                  << "La stampante «Aula 3» non risponde.";
}

// A printer that does not print the page: the page is saved as a PDF all the same, and the message
// says what happened to it, naming the printer, and where the file is.
void tst_StampaEsercizio::erroreDellaStampante()
{
    QFETCH(Stampante::Esito, esito);
    QFETCH(QString, nome);
    QFETCH(QString, motivo);
    QFETCH(QString, accaduto);
    riempiRegistro(*m_serie, 30);
    const auto registro = m_serie->registro();
    QTemporaryDir documenti;
    QVERIFY(documenti.isValid());
    m_navigatore->schermate().carica<SchermataStampa>(*m_serie)->setCartellaDocumenti(documenti.path());
    auto chiamate = std::make_shared<QStringList>();
    m_navigatore->schermate().carica<SchermataStampa>(*m_serie)->setFabbricaStampante([chiamate, esito, motivo, nome] {
        return std::make_unique<StampanteRegistrata>(chiamate, QStringList {"Courier"}, esito, motivo, nome);
    });
    SchermataStampa *stampa = apriStampa();
    QVERIFY(stampa);
    premiStampa(stampa);
    QCOMPARE(chiamate->last(), "fine");
    const QStringList salvati = QDir(documenti.path()).entryList(QDir::Files | QDir::Hidden);
    QCOMPARE(salvati.size(), 1);
    QCOMPARE(stampa->messaggi().conteggio(), 1);
    QCOMPARE(stampa->messaggi().ultimoTesto(), accaduto + "\nIl foglio delle operazioni è stato salvato nel file:\n"
                                                   + QDir::toNativeSeparators(documenti.filePath(salvati.at(0))));
    QVERIFY(stampa->isVisible());
    QCOMPARE(m_serie->registro(), registro);
}

QTEST_MAIN(tst_StampaEsercizio)
#include "tst_stampaesercizio.moc"
