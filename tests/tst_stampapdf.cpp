// The printed page itself, read back from real PDF files made through the print screen's own path:
// a PDF printer in place of the default printer, and the PDF saved when there is no printer at all.

#include "StampaSupporto.h"
#include "applicazione/Navigatore.h"
#include "componenti/finestre/Messaggio.h"
#include "schermate/stampa/SchermataStampa.h"
#include "serie/Serie.h"
#include "stampa/StampanteQt.h"

#include <QDir>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <optional>

class tst_StampaPdf : public QObject
{
    Q_OBJECT
    std::optional<Serie> m_serie {std::in_place};
    std::optional<Navigatore> m_navigatore {std::in_place, *m_serie};

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void paginaStampata_data();
    void paginaStampata();
    void senzaStampante_data();
    void senzaStampante();
    void senzaStampanteNeCartella();
    void senzaCourierNessunFile();

private:
    void premiStampa();
    QStringList fileNellaCartella() const;

    std::unique_ptr<QTemporaryDir> m_cartella;
    QPointF m_origine;
};

void tst_StampaPdf::initTestCase()
{
    if (pdftotext().isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    // Where the page's printable area starts, in points, for the PDF printer every test here uses.
    m_origine = StampanteQt::pdf(QStringLiteral("/nessuna/cartella.pdf"))
                    ->impaginazione()
                    .paintRect(QPageLayout::Point)
                    .topLeft();
}

void tst_StampaPdf::init()
{
    m_navigatore.reset();
    m_serie.emplace();
    m_navigatore.emplace(*m_serie);
    m_cartella = std::make_unique<QTemporaryDir>();
    m_navigatore->schermate().carica<SchermataStampa>(*m_serie)->setCartellaDocumenti(m_cartella->path());
    auto *stampa = m_navigatore->schermate().carica<SchermataStampa>(*m_serie);
    stampa->mostra();
    QVERIFY(QTest::qWaitForWindowExposed(stampa));
}

void tst_StampaPdf::cleanup()
{
    m_navigatore->schermate().scarica<SchermataStampa>();
    QTRY_VERIFY(m_navigatore->istanza<SchermataStampa>() == nullptr);
}

void tst_StampaPdf::premiStampa()
{
    m_navigatore->schermate().carica<SchermataStampa>(*m_serie)->messaggi().setProssimaRisposta(QMessageBox::Ok);
    auto *stampa = m_navigatore->istanza<SchermataStampa>();
    QTest::mouseClick(stampa->findChild<QPushButton *>("stampa"), Qt::LeftButton);
}

QStringList tst_StampaPdf::fileNellaCartella() const
{
    return QDir(m_cartella->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

void tst_StampaPdf::paginaStampata_data()
{
    QTest::addColumn<int>("numEsercizi");
    QTest::newRow("first operation") << 0;
    QTest::newRow("ten operations") << 10;
    QTest::newRow("thirty operations") << 30;
}

void tst_StampaPdf::paginaStampata()
{
    QFETCH(int, numEsercizi);
    riempiRegistro(*m_serie, numEsercizi);
    int stampate = 0;
    m_navigatore->schermate().carica<SchermataStampa>(*m_serie)->setFabbricaStampante([this, &stampate] {
        return StampanteQt::pdf(m_cartella->filePath(QStringLiteral("pagina %1.pdf").arg(++stampate)));
    });

    premiStampa();
    premiStampa();
    QCOMPARE(m_navigatore->schermate().carica<SchermataStampa>(*m_serie)->messaggi().conteggio(), 0);
    QCOMPARE(fileNellaCartella(), QStringList({"pagina 1.pdf", "pagina 2.pdf"}));
    const auto prima = leggiPdf(m_cartella->filePath("pagina 1.pdf"));
    const auto seconda = leggiPdf(m_cartella->filePath("pagina 2.pdf"));
    QCOMPARE(prima.size(), 1);
    QCOMPARE(confrontaPagina(prima.at(0), paginaAttesa(*m_serie), m_origine), QStringList());
    QCOMPARE(seconda.size(), 1);
    QCOMPARE(seconda.at(0).size(), prima.at(0).size());
    for (qsizetype i = 0; i < prima.at(0).size(); ++i) {
        QCOMPARE(seconda.at(0).at(i).testo, prima.at(0).at(i).testo);
        QCOMPARE(seconda.at(0).at(i).box, prima.at(0).at(i).box);
    }
}

void tst_StampaPdf::senzaStampante_data()
{
    QTest::addColumn<bool>("nomeGiaPreso");
    QTest::newRow("empty documents folder") << false;
    QTest::newRow("name already taken") << true;
}

void tst_StampaPdf::senzaStampante()
{
    QFETCH(bool, nomeGiaPreso);
    riempiRegistro(*m_serie, 30);
    const auto registro = m_serie->registro();
    auto chiamate = std::make_shared<QStringList>();
    m_navigatore->schermate().carica<SchermataStampa>(*m_serie)->setFabbricaStampante([chiamate] {
        return std::make_unique<StampanteRegistrata>(chiamate, QStringList {"Courier"},
                                                     Stampante::Esito::NessunaStampante);
    });
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

    premiStampa();
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

    QCOMPARE(m_navigatore->schermate().carica<SchermataStampa>(*m_serie)->messaggi().conteggio(), 1);
    QCOMPARE(m_navigatore->schermate().carica<SchermataStampa>(*m_serie)->messaggi().ultimoTesto(),
             "Non è stata trovata nessuna stampante.\n"
             "Il foglio delle operazioni è stato salvato nel file:\n"
                 + QDir::toNativeSeparators(m_cartella->filePath(nuovi.at(0))));
    const auto pagine = leggiPdf(m_cartella->filePath(nuovi.at(0)));
    QCOMPARE(pagine.size(), 1);
    QCOMPARE(confrontaPagina(pagine.at(0), paginaAttesa(*m_serie), m_origine), QStringList());
    QVERIFY(m_navigatore->istanza<SchermataStampa>()->isVisible());
    QCOMPARE(m_serie->registro(), registro);
}

void tst_StampaPdf::senzaStampanteNeCartella()
{
    riempiRegistro(*m_serie, 10);
    const QString manca = m_cartella->filePath("Documenti");
    m_navigatore->schermate().carica<SchermataStampa>(*m_serie)->setCartellaDocumenti(manca);
    auto chiamate = std::make_shared<QStringList>();
    m_navigatore->schermate().carica<SchermataStampa>(*m_serie)->setFabbricaStampante([chiamate] {
        return std::make_unique<StampanteRegistrata>(chiamate, QStringList {"Courier"},
                                                     Stampante::Esito::NessunaStampante);
    });
    premiStampa();
    QCOMPARE(m_navigatore->schermate().carica<SchermataStampa>(*m_serie)->messaggi().conteggio(), 1);
    QCOMPARE(m_navigatore->schermate().carica<SchermataStampa>(*m_serie)->messaggi().ultimoTesto(),
             QStringLiteral("Non è stata trovata nessuna stampante e il foglio delle "
                            "operazioni non è stato salvato: la cartella «%1» non esiste.")
                 .arg(QDir::toNativeSeparators(manca)));
    QCOMPARE(fileNellaCartella(), QStringList());
    QVERIFY(m_navigatore->istanza<SchermataStampa>()->isVisible());
}

void tst_StampaPdf::senzaCourierNessunFile()
{
    riempiRegistro(*m_serie, 30);
    m_navigatore->schermate().carica<SchermataStampa>(*m_serie)->setFabbricaStampante([this] {
        return std::make_unique<StampanteVera>(StampanteQt::pdf(m_cartella->filePath("pagina.pdf")),
                                               QStringList {"Liberation Mono", "courier new"});
    });
    premiStampa();
    QCOMPARE(m_navigatore->schermate().carica<SchermataStampa>(*m_serie)->messaggi().conteggio(), 1);
    QCOMPARE(m_navigatore->schermate().carica<SchermataStampa>(*m_serie)->messaggi().ultimoTesto(),
             "Devi installare il font Courier o il font Courier New");
    QCOMPARE(fileNellaCartella(), QStringList());
}

QTEST_MAIN(tst_StampaPdf)
#include "tst_stampapdf.moc"
