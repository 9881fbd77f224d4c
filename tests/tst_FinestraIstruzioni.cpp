// The instructions screen: its thirteen lines exactly, drawn as lines inside the label, the same at
// every opening.

#include "aiuto.h"

#include "schermate/informazioni/FinestraIstruzioni.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace Aiuto;

namespace {

QString testoAtteso()
{
    const QChar a(13);
    return QStringLiteral(" I dati possono essere immessi con: ") + a
           + QStringLiteral(" - la tastiera ed il tastierino") + a + QStringLiteral(" - il mouse") + a
           + QStringLiteral(" - la scansione manuale") + a + a + a
           + QStringLiteral(" PER UTILIZZARE LA TASTIERA ED IL TASTIERINO") + a
           + QStringLiteral(" Premere il numero ordinale del pulsante.") + a
           + QStringLiteral(" Oltre il numero 9 premere la lettera iniziale dei pulsanti.") + a
           + QStringLiteral(" La funzione del tasto INVIO ") + QChar(0xE8) + QStringLiteral(" sostituita dal pulsante ")
           + a + QStringLiteral(" AVANTI del tasto programma") + a + a + QStringLiteral(" PER UTILIZZARE  IL MOUSE ")
           + a + QStringLiteral(" Cliccare con il pulsante sinistro.") + a + a
           + QStringLiteral(" PER UTILIZZARE LA SCANSIONE MANUALE ") + a
           + QStringLiteral(" Premere la BARRA-SPAZIO per scegliere, premere INVIO per confermare.");
}

} // namespace

class tst_FinestraIstruzioni : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup();
    void testoOgniVolta();
};

void tst_FinestraIstruzioni::cleanup()
{
    chiudiTutto();
}

void tst_FinestraIstruzioni::testoOgniVolta()
{
    for (int volta = 1; volta <= 2; ++volta) {
        QString letto;
        int altezzaTesto = 0;
        int fondoTesto = 0;
        int altezzaEtichetta = 0;
        int altezzaRiga = 0;
        quandoModale([&](QWidget *modale) {
            QCOMPARE(modale->windowTitle(), QStringLiteral("ISTRUZIONI"));
            QVERIFY(piccolaFinestraCentrata(modale));
            auto *etichetta = controllo<QLabel>(modale, "istruzioni");
            letto = etichetta->text();
            const auto [primo, ultimo] = righeConInchiostro(etichetta, [](QRgb p) { return qGray(p) < 96; });
            altezzaTesto = ultimo - primo;
            fondoTesto = ultimo;
            altezzaEtichetta = etichetta->height();
            altezzaRiga = etichetta->fontMetrics().lineSpacing();
            auto *chiudi = controllo<QPushButton>(modale, "chiudi");
            QCOMPARE(chiudi->text(), QStringLiteral("C h i u d i"));
            clic(chiudi);
        });
        Schermate schermate;
        schermate.carica<FinestraIstruzioni>()->exec();
        QVERIFY(!schermate.istanza<FinestraIstruzioni>());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        QCOMPARE(letto, testoAtteso());
        // Seventeen lines (four of them empty) from the first to the last, all inside the label.
        QVERIFY2(altezzaTesto > 15 * altezzaRiga, qPrintable(QString::number(altezzaTesto)));
        QVERIFY2(fondoTesto < altezzaEtichetta - 1, qPrintable(QString::number(fondoTesto)));
    }
}

QTEST_MAIN(tst_FinestraIstruzioni)
#include "tst_FinestraIstruzioni.moc"
