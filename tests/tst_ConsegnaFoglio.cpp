// What becomes of the page when the teacher asks for it, without any window: what goes to the printer,
// recorded call by call or read back from real PDF files, the PDF saved when the page does not go out,
// and what the teacher is told each time.

#include "StampaSupporto.h"
#include "serie/Serie.h"
#include "stampa/ConsegnaFoglio.h"
#include "stampa/StampanteQt.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using Tipo = ConsegnaFoglio::Esito::Tipo;

class tst_ConsegnaFoglio : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();

    void paginaInviata_data();
    void paginaInviata();
    void paginaNonStampata_data();
    void paginaNonStampata();
    void paginaStampata_data();
    void paginaStampata();
    void senzaStampante_data();
    void senzaStampante();
    void senzaCourierNessunFile();
    void stampanteCheAspetta_data();
    void stampanteCheAspetta();

private:
    QStringList fileNellaCartella() const;
    // From now on every printer the page is given to writes its calls into the list returned.
    template<typename... Argomenti> std::shared_ptr<QStringList> registra(Argomenti... argomenti)
    {
        auto chiamate = std::make_shared<QStringList>();
        m_consegna->setFabbricaStampante([=] { return std::make_unique<StampanteRegistrata>(chiamate, argomenti...); });
        return chiamate;
    }

    std::unique_ptr<Serie> m_serie;
    std::unique_ptr<ConsegnaFoglio> m_consegna;
    std::unique_ptr<QTemporaryDir> m_cartella;
    QPointF m_origine;
};

void tst_ConsegnaFoglio::initTestCase()
{
    // Where the page's printable area starts, in points, for the PDF printer the PDF tests use.
    m_origine = StampanteQt::pdf(QStringLiteral("/nessuna/cartella.pdf"))
                    ->impaginazione()
                    .paintRect(QPageLayout::Point)
                    .topLeft();
}

void tst_ConsegnaFoglio::init()
{
    m_serie = std::make_unique<Serie>();
    m_consegna = std::make_unique<ConsegnaFoglio>();
    m_cartella = std::make_unique<QTemporaryDir>();
    m_consegna->setCartellaDocumenti(m_cartella->path());
}

QStringList tst_ConsegnaFoglio::fileNellaCartella() const
{
    return QDir(m_cartella->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

void tst_ConsegnaFoglio::paginaInviata_data()
{
    QTest::addColumn<int>("numEsercizi");
    QTest::addColumn<QStringList>("elenco"); // the printer's fonts, and the one the page is written in
    QTest::addColumn<QString>("scelto");
    // What the printer says of a page it took all the same (the browser: what it refused), told each time.
    QTest::addColumn<QString>("nota");
    QTest::newRow("first operation") << 0 << QStringList {"Arial", "Courier New"} << "Courier New" << QString();
    QTest::newRow("ten, Courier before Courier New")
        << 10 << QStringList {"Arial", "Courier", "Courier New"} << "Courier" << QString();
    QTest::newRow("thirty, Courier New before Courier")
        << 30 << QStringList {"Courier New", "Courier"} << "Courier New" << QString();
    QTest::newRow("taken, with a note") << 30 << QStringList {"Courier"} << "Courier"
                                        << "Il browser non ha aperto la finestra di stampa.";
}

// The page a printer receives: the heading, then every record line at its place, ended once.
void tst_ConsegnaFoglio::paginaInviata()
{
    QFETCH(int, numEsercizi);
    QFETCH(QStringList, elenco);
    QFETCH(QString, scelto);
    QFETCH(QString, nota);
    riempiRegistro(*m_serie, numEsercizi);
    const auto chiamate = registra(elenco, Stampante::Esito::Stampato, QString(), QString(), nota);
    QStringList pagina
        = {"elencoFont",    "font " + scelto, "x 1000", "y 1000", "dimensione 18", "stampa SCUOLA ELEMENTARE DI ",
           "dimensione 12", "grassetto 1"};
    for (int k = 0; k <= numEsercizi; ++k) {
        const QPoint posto = PaginaEsercizi::posizioneRiga(k);
        pagina << QStringLiteral("x %1").arg(posto.x()) << QStringLiteral("y %1").arg(posto.y())
               << QStringLiteral("stampa ") + m_serie->registro().at(k);
    }
    pagina << "fine";

    QStringList attese;
    for (int volta = 1; volta <= 2; ++volta) {
        const ConsegnaFoglio::Esito esito = m_consegna->consegna(m_serie->righeDaStampare());
        attese += pagina;
        QCOMPARE(*chiamate, attese);
        QCOMPARE(esito.tipo, nota.isEmpty() ? Tipo::Nessuno : Tipo::Avviso);
        QCOMPARE(esito.messaggio, nota);
    }
    QCOMPARE(fileNellaCartella(), QStringList());
}

void tst_ConsegnaFoglio::paginaNonStampata_data()
{
    QTest::addColumn<QStringList>("elenco");
    QTest::addColumn<Stampante::Esito>("esito");
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("motivo");
    QTest::addColumn<Tipo>("tipo");
    // %1 the PDF saved in its stead, if one is; %2 the documents folder, missing if named here.
    QTest::addColumn<QString>("messaggio");

    const QStringList courier = {"Courier"};
    const QString salvato = "\nIl foglio delle operazioni è stato salvato nel file:\n%1";
    const QString installa = "Devi installare il font Courier o il font Courier New";
    QTest::newRow("no Courier of that letter case")
        << QStringList {"courier", "Courier new", "Liberation Mono"} << Stampante::Esito::Stampato << QString()
        << QString() << Tipo::Semplice << installa;
    QTest::newRow("no fonts") << QStringList {} << Stampante::Esito::Stampato << QString() << QString()
                              << Tipo::Semplice << installa;
    QTest::newRow("error, printer without a name")
        << courier << Stampante::Esito::Errore << QString() << "la carta è finita" << Tipo::Avviso
        << "Il foglio delle operazioni non è stato stampato: la carta è finita." + salvato;
    QTest::newRow("error of a named printer")
        << courier << Stampante::Esito::Errore << "Aula 3"
        << "la carta è finita" << Tipo::Avviso
        << "Il foglio delle operazioni non è stato stampato sulla stampante «Aula 3»: la carta è finita." + salvato;
    QTest::newRow("printer that does not take the page")
        << courier << Stampante::Esito::Rifiutato << "Aula 3"
        << "non accetta lavori di stampa" << Tipo::Avviso
        << "La stampante «Aula 3» non accetta lavori di stampa." + salvato;
    QTest::newRow("printer that does not answer")
        << courier << Stampante::Esito::Rifiutato << "Aula 3"
        << "non risponde" << Tipo::Avviso << "La stampante «Aula 3» non risponde." + salvato;
    QTest::newRow("no printer, no documents folder")
        << courier << Stampante::Esito::NessunaStampante << QString() << QString() << Tipo::Avviso
        << "Non è stata trovata nessuna stampante e il foglio delle operazioni non è stato salvato: la cartella "
           "«%2» non esiste.";
}

// A page that does not go out: without Courier nothing is begun and the teacher is told to install it;
// a printer that does not print it has it saved as a PDF all the same, and the message says what
// happened to it, naming the printer, and where the file is.
void tst_ConsegnaFoglio::paginaNonStampata()
{
    QFETCH(QStringList, elenco);
    QFETCH(Stampante::Esito, esito);
    QFETCH(QString, nome);
    QFETCH(QString, motivo);
    QFETCH(Tipo, tipo);
    QFETCH(QString, messaggio);
    riempiRegistro(*m_serie, 30);
    const QString manca = m_cartella->filePath("Documenti");
    if (messaggio.contains(QLatin1String("%2")))
        m_consegna->setCartellaDocumenti(manca);
    const auto chiamate = registra(elenco, esito, motivo, nome);
    const ConsegnaFoglio::Esito detto = m_consegna->consegna(m_serie->righeDaStampare());
    QCOMPARE(chiamate->last(), tipo == Tipo::Semplice ? "elencoFont" : "fine");
    const QStringList salvati = fileNellaCartella();
    QCOMPARE(salvati.size(), messaggio.contains(QLatin1String("%1")) ? 1 : 0);
    QCOMPARE(detto.tipo, tipo);
    QCOMPARE(detto.messaggio,
             messaggio.replace(QLatin1String("%2"), QDir::toNativeSeparators(manca))
                 .replace(QLatin1String("%1"), QDir::toNativeSeparators(m_cartella->filePath(salvati.value(0)))));
}

void tst_ConsegnaFoglio::paginaStampata_data()
{
    QTest::addColumn<int>("numEsercizi");
    QTest::newRow("first operation") << 0;
    QTest::newRow("ten operations") << 10;
    QTest::newRow("thirty operations") << 30;
}

// The page read back from a PDF printer, the same twice.
void tst_ConsegnaFoglio::paginaStampata()
{
    if (pdftotext().isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    QFETCH(int, numEsercizi);
    riempiRegistro(*m_serie, numEsercizi);
    int stampate = 0;
    m_consegna->setFabbricaStampante([this, &stampate] {
        return StampanteQt::pdf(m_cartella->filePath(QStringLiteral("pagina %1.pdf").arg(++stampate)));
    });

    QCOMPARE(m_consegna->consegna(m_serie->righeDaStampare()).tipo, Tipo::Nessuno);
    QCOMPARE(m_consegna->consegna(m_serie->righeDaStampare()).tipo, Tipo::Nessuno);
    QCOMPARE(fileNellaCartella(), QStringList({"pagina 1.pdf", "pagina 2.pdf"}));
    const auto prima = leggiPdf(m_cartella->filePath("pagina 1.pdf"));
    const auto seconda = leggiPdf(m_cartella->filePath("pagina 2.pdf"));
    QCOMPARE(prima.size(), 1);
    QCOMPARE(confrontaPagina(prima.at(0), paginaAttesa(*m_serie), m_origine), QStringList());
    QCOMPARE(seconda, prima);
}

void tst_ConsegnaFoglio::senzaStampante_data()
{
    QTest::addColumn<bool>("nomeGiaPreso");
    QTest::newRow("empty documents folder") << false;
    QTest::newRow("name already taken") << true;
}

// No printer: the page is saved as a PDF, never over another file, and the message says where.
void tst_ConsegnaFoglio::senzaStampante()
{
    if (pdftotext().isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    QFETCH(bool, nomeGiaPreso);
    riempiRegistro(*m_serie, 30);
    registra(QStringList {"Courier"}, Stampante::Esito::NessunaStampante);
    QStringList presi;
    if (nomeGiaPreso) {
        // Every name the next few seconds could give.
        const QDateTime adesso = QDateTime::currentDateTime();
        for (int s = 0; s < 5; ++s) {
            QFile file(m_cartella->filePath(PaginaEsercizi::nomeFileRiserva(adesso.addSecs(s))));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("un altro foglio");
            presi << QFileInfo(file).fileName();
        }
    }

    const ConsegnaFoglio::Esito esito = m_consegna->consegna(m_serie->righeDaStampare());
    QStringList nuovi = fileNellaCartella();
    for (const QString &preso : std::as_const(presi)) {
        QFile file(m_cartella->filePath(preso));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), "un altro foglio");
        nuovi.removeOne(preso);
    }
    QCOMPARE(nuovi.size(), 1);
    const QRegularExpression nome(nomeGiaPreso ? R"(^Esercizi \d{4}-\d\d-\d\d \d\d\.\d\d\.\d\d \(2\)\.pdf$)"
                                               : R"(^Esercizi \d{4}-\d\d-\d\d \d\d\.\d\d\.\d\d\.pdf$)");
    QVERIFY2(nome.match(nuovi.at(0)).hasMatch(), qPrintable(nuovi.at(0)));

    QCOMPARE(esito.tipo, Tipo::Informazione);
    QCOMPARE(esito.messaggio, "Non è stata trovata nessuna stampante.\n"
                              "Il foglio delle operazioni è stato salvato nel file:\n"
                                  + QDir::toNativeSeparators(m_cartella->filePath(nuovi.at(0))));
    const auto pagine = leggiPdf(m_cartella->filePath(nuovi.at(0)));
    QCOMPARE(pagine.size(), 1);
    QCOMPARE(confrontaPagina(pagine.at(0), paginaAttesa(*m_serie), m_origine), QStringList());
}

// A real PDF printer without an exact Courier: not even an empty file is left behind.
void tst_ConsegnaFoglio::senzaCourierNessunFile()
{
    riempiRegistro(*m_serie, 30);
    m_consegna->setFabbricaStampante([this] {
        return std::make_unique<StampanteVera>(StampanteQt::pdf(m_cartella->filePath("pagina.pdf")),
                                               QStringList {"Liberation Mono", "courier new"});
    });
    QCOMPARE(m_consegna->consegna(m_serie->righeDaStampare()).tipo, Tipo::Semplice);
    QCOMPARE(fileNellaCartella(), QStringList());
}

void tst_ConsegnaFoglio::stampanteCheAspetta_data()
{
    QTest::addColumn<bool>("attendeUtente");
    QTest::addColumn<Tipo>("tipo");
    QTest::newRow("a save dialog open past the limit: waited for") << true << Tipo::Nessuno;
    QTest::newRow("a print system silent past the limit: given up") << false << Tipo::Avviso;
}

// A printer that takes longer than the limit: a print system is given up as not answering, the teacher
// answering a driver's save dialog is waited for.
void tst_ConsegnaFoglio::stampanteCheAspetta()
{
    QFETCH(bool, attendeUtente);
    QFETCH(Tipo, tipo);
    riempiRegistro(*m_serie, 10);
    m_consegna->setLimite(std::chrono::milliseconds(200));
    std::weak_ptr<int> viva;
    m_consegna->setFabbricaStampante([attendeUtente, &viva] {
        auto testimone = std::make_shared<int>();
        viva = testimone;
        auto registrata = std::make_unique<StampanteRegistrata>(std::make_shared<QStringList>());
        registrata->attende = attendeUtente;
        return std::make_unique<StampanteVera>(
            std::move(registrata), QStringList(), [] { QThread::msleep(600); }, testimone);
    });
    const ConsegnaFoglio::Esito esito = m_consegna->consegna(m_serie->righeDaStampare());
    QCOMPARE(esito.tipo, tipo);
    QCOMPARE(esito.messaggio.startsWith(QLatin1String("La stampante predefinita non risponde.")), !attendeUtente);
    // A printing thread given up on ends by itself, and lets its printer go.
    QTRY_VERIFY(viva.expired());
}

QTEST_MAIN(tst_ConsegnaFoglio)
#include "tst_ConsegnaFoglio.moc"
