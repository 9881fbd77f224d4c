// The program's own set-up, as main() does it: the start screen comes up without Qt reading any image
// file (which would load every image format plugin first), the menu bar still shows its overflow
// chevron when the window is too narrow for its items, and message boxes keep the style's icons.

#include "aiuto.h"

#include "applicazione/Avvio.h"
#include "applicazione/Piattaforma.h"

#include "applicazione/Navigatore.h"
#include "serie/Serie.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QMenuBar>
#include <QMessageBox>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <optional>

using namespace Aiuto;

namespace {

// The mean column of the opaque pixels of one row of the image between the two columns, -1 if none.
double colonnaMedia(const QImage &immagine, int riga, int da, int a)
{
    double somma = 0;
    int conteggio = 0;
    for (int x = da; x < a; ++x) {
        if (immagine.pixelColor(x, riga).alpha() > 96) {
            somma += x;
            ++conteggio;
        }
    }
    return conteggio ? somma / conteggio : -1;
}

} // namespace

class tst_Avvio : public QObject
{
    Q_OBJECT
    std::optional<Serie> m_serie {std::in_place};
    std::optional<Navigatore> m_navigatore {std::in_place, *m_serie};

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();

    // First: it looks at everything the process has loaded so far.
    void inizioSenzaImmaginiDaFile();
    void chevronDelMenuStretto();
    void iconeDeiMessaggi();
    void opzioni_data();
    void opzioni();
    void impostazioniDellaScuola();
};

void tst_Avvio::initTestCase()
{
    Avvio::preparaApplicazione(*qApp);
}

void tst_Avvio::cleanupTestCase()
{
    chiudiTutto();
}

void tst_Avvio::inizioSenzaImmaginiDaFile()
{
#ifndef Q_OS_LINUX
    QSKIP("reads the loaded libraries from /proc");
#else
    auto *inizio = m_navigatore->apriInizio();
    QVERIFY(inizio);
    QVERIFY(QTest::qWaitForWindowExposed(inizio));
    inizio->grab(); // every control painted once

    QFile mappe(QStringLiteral("/proc/self/maps"));
    QVERIFY(mappe.open(QIODevice::ReadOnly));
    const QList<QByteArray> righe = mappe.readAll().split('\n');
    for (const QByteArray &riga : righe)
        QVERIFY2(!riga.contains("/imageformats/"), riga.constData());
#endif
}

void tst_Avvio::chevronDelMenuStretto()
{
    auto *inizio = m_navigatore->apriInizio();
    inizio->showNormal();
    inizio->resize(40, 300);
    auto *estensione = inizio->menuBar()->findChild<QToolButton *>(QStringLiteral("qt_menubar_ext_button"));
    QVERIFY(estensione);
    QTRY_VERIFY(estensione->isVisible());
    QVERIFY(!estensione->icon().isNull());

    // Each size the icon offers: two chevrons, dark on transparent, their tips to the right of their
    // ends, as the text reads.
    const QList<QSize> misure = estensione->icon().availableSizes();
    QVERIFY(!misure.isEmpty());
    for (const QSize &misura : misure) {
        const QImage immagine = estensione->icon().pixmap(misura).toImage();
        QCOMPARE(immagine.size(), misura);
        const int meta = immagine.width() / 2;
        const int punta = immagine.height() / 2;
        for (const auto &[da, a] : {std::pair(0, meta), std::pair(meta, immagine.width())}) {
            const double estremo = colonnaMedia(immagine, 0, da, a);
            const double centro = colonnaMedia(immagine, punta, da, a);
            QVERIFY2(estremo >= 0 && centro >= 0,
                     qPrintable(QStringLiteral("no ink at %1x%2").arg(misura.width()).arg(misura.height())));
            QVERIFY2(
                centro > estremo,
                qPrintable(QStringLiteral("a chevron at %1x%2 points left").arg(misura.width()).arg(misura.height())));
            QVERIFY(immagine.pixelColor(qRound(centro), punta).lightness() < 100);
        }
    }
    inizio->showMaximized();
}

void tst_Avvio::iconeDeiMessaggi()
{
    for (auto tipo : {QMessageBox::Information, QMessageBox::Warning}) {
        QMessageBox scatola(tipo, QStringLiteral("Contalino"), QStringLiteral("Prova"));
        QVERIFY(!scatola.iconPixmap().isNull());
    }
}

void tst_Avvio::opzioni_data()
{
    QTest::addColumn<QStringList>("argomenti");
    QTest::addColumn<bool>("voce");
    QTest::addColumn<int>("scansione"); // milliseconds, 0 for none
    QTest::newRow("nothing asked for") << QStringList {} << false << 0;
    QTest::newRow("the voice") << QStringList {"--voce"} << true << 0;
    QTest::newRow("scanning at the usual pace") << QStringList {"--scansione"} << false << 1500;
    QTest::newRow("the pace in seconds, both ways") << QStringList {"--scansione=0.6"} << false << 600;
    QTest::newRow("an Italian decimal comma") << QStringList {"--scansione=2,5"} << false << 2500;
    QTest::newRow("too fast, too slow: the nearest pace")
        << QStringList {"--scansione=0.1", "--voce", "--scansione=60"} << true << 10000;
    QTest::newRow("not a number: the usual pace") << QStringList {"--scansione=presto"} << false << 1500;
    QTest::newRow("the command line wins over the settings")
        << QStringList {"--voce", "--scansione=3", "--voce=no", "--scansione=no"} << false << 0;
    QTest::newRow("an unknown option is ignored") << QStringList {"--sconosciuta", "--voce"} << true << 0;
}

void tst_Avvio::opzioni()
{
    QFETCH(QStringList, argomenti);
    QFETCH(bool, voce);
    QFETCH(int, scansione);
    const Avvio::Opzioni opzioni = Avvio::leggiOpzioni(QStringList {QStringLiteral("contalino")} + argomenti);
    QCOMPARE(opzioni.voce, voce);
    QCOMPARE(opzioni.scansione.value_or(std::chrono::milliseconds(0)).count(), scansione);
}

// A school's settings for an account come before the command line, which wins over them.
void tst_Avvio::impostazioniDellaScuola()
{
#ifndef Q_OS_LINUX
    QSKIP("the account's settings are a file on Linux");
#else
    QTemporaryDir configurazione;
    QVERIFY(QDir(configurazione.path()).mkpath(QStringLiteral("Contalino")));
    QFile file(configurazione.filePath(QStringLiteral("Contalino/Contalino.conf")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[General]\nvoce=true\nscansione=2\n");
    file.close();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, configurazione.path());
    QCOMPARE(opzioniDellaPiattaforma(), (QStringList {"--voce", "--scansione=2"}));
    const Avvio::Opzioni opzioni = Avvio::leggiOpzioni(QStringList {QStringLiteral("contalino")}
                                                       + opzioniDellaPiattaforma() + QStringList {"--voce=no"});
    QVERIFY(!opzioni.voce);
    QCOMPARE(opzioni.scansione, std::chrono::milliseconds(2000));
#endif
}

QTEST_MAIN(tst_Avvio)
#include "tst_avvio.moc"
