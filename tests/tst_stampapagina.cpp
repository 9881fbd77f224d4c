// The rules of the printed page and the PDF printer, without the print screen.

#include "StampaSupporto.h"
#include "stampa/PaginaEsercizi.h"
#include "stampa/StampanteQt.h"

#include <QDir>
#include <QFontDatabase>
#include <QFontInfo>
#include <QPrinterInfo>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

using namespace PaginaEsercizi;

class tst_StampaPagina : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void posizioneRiga_data();
    void posizioneRiga();
    void righeSenzaSovrapposizioni();
    void fontCourier_data();
    void fontCourier();
    void nomiDeiFile();
    void fontDiSistemaOffreCourier();
    void pdfNonSovrascriveNulla();
    void pdfNonConsegnatoNonLasciaFile_data();
    void pdfNonConsegnatoNonLasciaFile();
    void senzaStampantePredefinita();
};

void tst_StampaPagina::posizioneRiga_data()
{
    QTest::addColumn<int>("riga");
    QTest::addColumn<QPoint>("posto");
    QTest::newRow("0, above the first block") << 0 << QPoint(1000, 3600);
    QTest::newRow("1, first of the upper left") << 1 << QPoint(1000, 4000);
    QTest::newRow("10, last of the upper left") << 10 << QPoint(1000, 7600);
    QTest::newRow("11, first of the upper right") << 11 << QPoint(6000, 4000);
    QTest::newRow("20, last of the upper right") << 20 << QPoint(6000, 7600);
    QTest::newRow("21, one row lower on the left") << 21 << QPoint(1000, 8400);
    QTest::newRow("25") << 25 << QPoint(1000, 10000);
    QTest::newRow("30, last of the lower left") << 30 << QPoint(1000, 12000);
    QTest::newRow("31, first of the lower right") << 31 << QPoint(6000, 8400);
    QTest::newRow("40, last of the lower right") << 40 << QPoint(6000, 12000);
    QTest::newRow("41, alone below") << 41 << QPoint(6000, 12400);
}

void tst_StampaPagina::posizioneRiga()
{
    QFETCH(int, riga);
    QFETCH(QPoint, posto);
    QCOMPARE(PaginaEsercizi::posizioneRiga(riga), posto);
}

void tst_StampaPagina::righeSenzaSovrapposizioni()
{
    QSet<std::pair<int, int>> posti;
    for (int k = 0; k < Serie::NumeroRighe; ++k) {
        const QPoint p = PaginaEsercizi::posizioneRiga(k);
        QVERIFY2(p.x() == 1000 || p.x() == 6000, qPrintable(QString::number(k)));
        QCOMPARE(p.y() % 400, 0);
        posti.insert({p.x(), p.y()});
    }
    QCOMPARE(posti.size(), Serie::NumeroRighe);
}

void tst_StampaPagina::fontCourier_data()
{
    QTest::addColumn<QStringList>("elenco");
    QTest::addColumn<QString>("scelto");
    QTest::newRow("Courier New among others") << QStringList {"Arial", "Courier New", "Times"} << "Courier New";
    QTest::newRow("Courier first wins") << QStringList {"Courier", "Courier New"} << "Courier";
    QTest::newRow("Courier New first wins") << QStringList {"Arial", "Courier New", "Courier"} << "Courier New";
    QTest::newRow("other letter case") << QStringList {"courier", "COURIER NEW", "Courier new"} << QString();
    QTest::newRow("longer or shorter names") << QStringList {"Courier New ", "Courier 10 Pitch", "Couri"} << QString();
    QTest::newRow("no fonts at all") << QStringList {} << QString();
}

void tst_StampaPagina::fontCourier()
{
    QFETCH(QStringList, elenco);
    QFETCH(QString, scelto);
    QCOMPARE(PaginaEsercizi::fontCourier(elenco), scelto);
}

void tst_StampaPagina::nomiDeiFile()
{
    QCOMPARE(nomeFileRiserva(QDateTime(QDate(2026, 12, 8), QTime(9, 5, 7))), "Esercizi 2026-12-08 09.05.07.pdf");
    QCOMPARE(percorsoNumerato("/doc/Esercizi 2026-12-08 09.05.07.pdf", 1), "/doc/Esercizi 2026-12-08 09.05.07.pdf");
    QCOMPARE(percorsoNumerato("/doc/Esercizi 2026-12-08 09.05.07.pdf", 2), "/doc/Esercizi 2026-12-08 09.05.07 (2).pdf");
}

void tst_StampaPagina::fontDiSistemaOffreCourier()
{
    // The project's scripts install fonts-liberation, which the font configuration uses for both names.
    const QStringList elenco = StampanteQt::fontDiSistema();
    QVERIFY(elenco.contains("Courier"));
    QVERIFY(elenco.contains("Courier New"));
    QCOMPARE(PaginaEsercizi::fontCourier(elenco), "Courier");
    QVERIFY(QFontInfo(QFont("Courier")).fixedPitch());
    for (const QString &famiglia : QFontDatabase::families())
        QVERIFY(elenco.contains(famiglia));
}

void tst_StampaPagina::pdfNonSovrascriveNulla()
{
    if (pdftotext().isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    QTemporaryDir cartella;
    const QString preso = cartella.filePath("pagina.pdf");
    QFile vecchio(preso);
    QVERIFY(vecchio.open(QIODevice::WriteOnly));
    vecchio.write("non toccare");
    vecchio.close();

    auto pdf = StampanteQt::pdf(preso);
    pdf->setNomeFont("Courier");
    pdf->setDimensioneFont(12);
    pdf->setX(1000);
    pdf->setY(3600);
    pdf->stampa("2 ×  1 = 2  ");
    QCOMPARE(pdf->fineDocumento(), Stampante::Esito::Stampato);
    QCOMPARE(pdf->percorsoSalvato(), cartella.filePath("pagina (2).pdf"));

    QVERIFY(vecchio.open(QIODevice::ReadOnly));
    QCOMPARE(vecchio.readAll(), "non toccare");
    QCOMPARE(QDir(cartella.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList({"pagina (2).pdf", "pagina.pdf"}));
    const auto pagine = leggiPdf(pdf->percorsoSalvato());
    QCOMPARE(pagine.size(), 1);
    const QPointF origine = pdf->impaginazione().paintRect(QPageLayout::Point).topLeft();
    QCOMPARE(confrontaPagina(pagine.at(0), {{"2 ×  1 = 2  ", QPoint(1000, 3600), 12}}, origine), QStringList());
}

void tst_StampaPagina::pdfNonConsegnatoNonLasciaFile_data()
{
    QTest::addColumn<bool>("cartellaEsiste");
    QTest::addColumn<bool>("consegnato");
    QTest::newRow("given up halfway") << true << false;
    QTest::newRow("folder missing") << false << true;
}

void tst_StampaPagina::pdfNonConsegnatoNonLasciaFile()
{
    QFETCH(bool, cartellaEsiste);
    QFETCH(bool, consegnato);
    QTemporaryDir cartella;
    const QString destinazione = cartellaEsiste ? cartella.path() : cartella.filePath("manca");
    {
        auto pdf = StampanteQt::pdf(destinazione + "/pagina.pdf");
        pdf->setDimensioneFont(18);
        pdf->stampa(intestazione());
        if (consegnato) {
            QCOMPARE(pdf->fineDocumento(), Stampante::Esito::Errore);
            QVERIFY2(pdf->motivo().contains("non esiste"), qPrintable(pdf->motivo()));
        }
    }
    QCOMPARE(QDir(cartella.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
}

void tst_StampaPagina::senzaStampantePredefinita()
{
    if (!QPrinterInfo::defaultPrinter().isNull())
        QSKIP("this machine has a printer: no page is sent to it from a test");
    auto stampante = StampanteQt::predefinita();
    stampante->setDimensioneFont(18);
    stampante->stampa(intestazione());
    QCOMPARE(stampante->fineDocumento(), Stampante::Esito::NessunaStampante);
    QVERIFY(!stampante->motivo().isEmpty());
}

QTEST_MAIN(tst_StampaPagina)
#include "tst_stampapagina.moc"
