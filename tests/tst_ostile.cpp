// A school computer is not a clean machine: odd things where the settings file should be, a
// read-only folder, no printer, a documents folder that cannot be written, windows squeezed to
// nothing or stretched over two screens. The program must start fast, change nothing and keep going.

#include "StampaSupporto.h"
#include "aiuto.h"

#include "applicazione/Navigatore.h"
#include "componenti/finestre/Messaggio.h"
#include "schermate/esercizio/SchermataEsercizio.h"
#include "schermate/inizio/SchermataInizio.h"
#include "schermate/stampa/SchermataStampa.h"
#include "serie/Serie.h"
#include "stampa/StampanteQt.h"

#include <QAbstractButton>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString NomeFile = QStringLiteral("ImpostazioniUlmo.dat");

struct Impronta
{
    bool esiste = false;
    bool collegamento = false;
    QString tipo;
    qint64 dimensione = -1;
    QDateTime modifica;
    QFile::Permissions permessi;
    QStringList voci;

    bool operator==(const Impronta &altra) const = default;
};

Impronta impronta(const QDir &cartella)
{
    Impronta i;
    const QFileInfo info(cartella.filePath(NomeFile));
    i.esiste = info.exists() || info.isSymLink();
    i.collegamento = info.isSymLink();
    i.tipo = info.isDir() ? QStringLiteral("dir") : info.isFile() ? QStringLiteral("file") : QStringLiteral("other");
    i.dimensione = info.isFile() ? info.size() : -1;
    i.modifica = info.lastModified();
    i.permessi = info.permissions();
    i.voci = cartella.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    return i;
}

// Every visible control of a screen has some room to be drawn in.
QStringList controlliSenzaSpazio(QWidget *schermata)
{
    QStringList senza;
    for (QWidget *w : schermata->findChildren<QWidget *>()) {
        if (w->isVisible() && (w->width() < 1 || w->height() < 1))
            senza << w->objectName();
    }
    return senza;
}

} // namespace

class tst_Ostile : public QObject
{
    Q_OBJECT
    std::optional<Serie> m_serie {std::in_place};
    std::optional<Navigatore> m_navigatore {std::in_place, *m_serie};

private Q_SLOTS:
    void init();
    void cleanup();

    void avvioConFileStrano_data();
    void avvioConFileStrano();
    void avvioInCartellaDiSolaLettura();
    void stampaCheFallisce_data();
    void stampaCheFallisce();
    void finestreEstreme_data();
    void finestreEstreme();

private:
    QString m_cartellaIniziale;
};

void tst_Ostile::init()
{
    Aiuto::daCapo(m_serie, m_navigatore);
    m_cartellaIniziale = QDir::currentPath();
}

void tst_Ostile::cleanup()
{
    QDir::setCurrent(m_cartellaIniziale);
    Aiuto::chiudiTutto();
}

void tst_Ostile::avvioConFileStrano_data()
{
    QTest::addColumn<QString>("genere");
    for (const char *genere : {"fifo", "directory", "unreadable", "dangling link", "sparse 1 GiB", "link to fifo"})
        QTest::newRow(genere) << QString::fromLatin1(genere);
}

// The whole start, screen shown and active, well under a second, and the entry left as it was.
void tst_Ostile::avvioConFileStrano()
{
    QFETCH(QString, genere);
    QTemporaryDir cartella;
    QVERIFY(cartella.isValid());
    const QByteArray percorso = QFile::encodeName(cartella.filePath(NomeFile));
    if (genere == QLatin1String("fifo")) {
        QCOMPARE(::mkfifo(percorso.constData(), 0644), 0);
    } else if (genere == QLatin1String("directory")) {
        QVERIFY(QDir(cartella.path()).mkdir(NomeFile));
    } else if (genere == QLatin1String("unreadable")) {
        QFile file(cartella.filePath(NomeFile));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("segreto");
        file.close();
        QVERIFY(file.setPermissions(QFile::Permissions()));
    } else if (genere == QLatin1String("dangling link")) {
        QCOMPARE(::symlink("non-esiste/altrove.dat", percorso.constData()), 0);
    } else if (genere == QLatin1String("sparse 1 GiB")) {
        QFile file(cartella.filePath(NomeFile));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(qint64(1) << 30));
        file.close();
    } else if (genere == QLatin1String("link to fifo")) {
        QCOMPARE(::mkfifo(QFile::encodeName(cartella.filePath("tubo")).constData(), 0644), 0);
        QCOMPARE(::symlink("tubo", percorso.constData()), 0);
    }
    const Impronta prima = impronta(QDir(cartella.path()));
    QVERIFY(QDir::setCurrent(cartella.path()));

    QElapsedTimer tempo;
    tempo.start();
    SchermataInizio *inizio = Aiuto::apriInizio(*m_navigatore);
    const qint64 millisecondi = tempo.elapsed();
    QVERIFY(inizio);
    qInfo("start-up with a %s settings file: %lld ms", qPrintable(genere), millisecondi);
    QVERIFY2(millisecondi < 1000, qPrintable(QString::number(millisecondi)));
    QCOMPARE(Aiuto::fuoco(), QStringLiteral("tabella(0)"));
    QCOMPARE(impronta(QDir(cartella.path())), prima);
}

// A start in a folder nobody may write to works, and leaves the folder as it was.
void tst_Ostile::avvioInCartellaDiSolaLettura()
{
    QTemporaryDir cartella;
    QVERIFY(cartella.isValid());
    QVERIFY(QFile::setPermissions(cartella.path(), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup
                                                       | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther));
    QVERIFY(QDir::setCurrent(cartella.path()));
    SchermataInizio *inizio = Aiuto::apriInizio(*m_navigatore);
    QVERIFY(inizio);
    Aiuto::tasti(inizio, {Qt::Key_4, Qt::Key_Return, Qt::Key_Return});
    QVERIFY(m_navigatore->istanza<SchermataEsercizio>());
    QCOMPARE(QDir(cartella.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
    QFile::setPermissions(cartella.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void tst_Ostile::stampaCheFallisce_data()
{
    QTest::addColumn<bool>("senzaStampante");
    QTest::addColumn<QString>("inizioMessaggio");
    QTest::newRow("no printer, documents folder not writable")
        << true << QStringLiteral("Non è stata trovata nessuna stampante e il foglio");
    QTest::newRow("printer whose page cannot start")
        << false << QStringLiteral("Il foglio delle operazioni non è stato stampato");
}

// The page cannot go anywhere, neither to the printer nor to a PDF in a documents folder nobody may
// write to: the child is told, nothing is half-saved anywhere, the screen and the record stay as they
// were.
void tst_Ostile::stampaCheFallisce()
{
    QFETCH(bool, senzaStampante);
    QFETCH(QString, inizioMessaggio);
    riempiRegistro(*m_serie, 30);
    m_serie->caricaRegistro(m_serie->registro(), 30);
    const auto registro = m_serie->registro();
    QTemporaryDir cartella;
    // Not even root may create files in a process's folder of the proc file system.
    m_navigatore->schermate().carica<SchermataStampa>(*m_serie)->consegna().setCartellaDocumenti(
        QStringLiteral("/proc/self"));
    if (senzaStampante) {
        auto chiamate = std::make_shared<QStringList>();
        m_navigatore->schermate().carica<SchermataStampa>(*m_serie)->consegna().setFabbricaStampante([chiamate] {
            return std::make_unique<StampanteRegistrata>(chiamate, QStringList {QStringLiteral("Courier")},
                                                         Stampante::Esito::NessunaStampante);
        });
    } else {
        const QString impossibile = cartella.filePath(QStringLiteral("non-esiste/pagina.pdf"));
        m_navigatore->schermate().carica<SchermataStampa>(*m_serie)->consegna().setFabbricaStampante(
            [impossibile] { return StampanteQt::pdf(impossibile); });
    }
    auto *stampa = m_navigatore->schermate().carica<SchermataStampa>(*m_serie);
    stampa->mostra();
    QVERIFY(QTest::qWaitForWindowActive(stampa));
    stampa->messaggi().setProssimaRisposta(QMessageBox::Ok);
    Aiuto::clic(stampa->findChild<QWidget *>(QStringLiteral("stampa")));
    QCOMPARE(stampa->messaggi().conteggio(), 1);
    QVERIFY2(stampa->messaggi().ultimoTesto().startsWith(inizioMessaggio),
             qPrintable(stampa->messaggi().ultimoTesto()));
    QCOMPARE(QDir(cartella.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
    QVERIFY(stampa->isVisible());
    QCOMPARE(m_serie->registro(), registro);
}

void tst_Ostile::finestreEstreme_data()
{
    QTest::addColumn<QSize>("dimensione");
    QTest::newRow("1 x 1") << QSize(1, 1);
    QTest::newRow("40 x 30") << QSize(40, 30);
    QTest::newRow("5000 x 3500") << QSize(5000, 3500);
}

// Squeezed or stretched, every screen keeps every control drawable and the drill still works.
void tst_Ostile::finestreEstreme()
{
    QFETCH(QSize, dimensione);
    SchermataInizio *inizio = Aiuto::apriInizio(*m_navigatore);
    QVERIFY(inizio);
    Aiuto::tasti(inizio, {Qt::Key_6, Qt::Key_Return, Qt::Key_Return});
    auto *operativo = m_navigatore->istanza<SchermataEsercizio>();
    QVERIFY(operativo);
    m_serie->caricaRegistro(m_serie->registro(), 0);
    auto *stampa = m_navigatore->schermate().carica<SchermataStampa>(*m_serie);
    stampa->mostra();

    for (QWidget *schermata :
         {static_cast<QWidget *>(inizio), static_cast<QWidget *>(operativo), static_cast<QWidget *>(stampa)}) {
        schermata->showNormal();
        schermata->resize(dimensione);
        QCoreApplication::processEvents();
        QCOMPARE(controlliSenzaSpazio(schermata), QStringList());
        QVERIFY(!schermata->grab().isNull());
    }

    // The keypad still answers: a right answer closes the first column.
    operativo->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(operativo));
    const int fattore = operativo->findChild<QLabel *>(QStringLiteral("fattore(0)"))->text().toInt();
    for (QChar c : QString::number(6 * fattore))
        Aiuto::premi(operativo, Qt::Key(Qt::Key_0 + c.digitValue()));
    Aiuto::premi(operativo, Qt::Key_Return);
    QCOMPARE(m_serie->colonna(), 1);
}

QTEST_MAIN(tst_Ostile)
#include "tst_ostile.moc"
