// The start-up probe of the settings file: whatever lies in the current directory under that name,
// it returns at once and leaves the entry exactly as it was; the start screen opens on time too.

#include "aiuto.h"

#include "applicazione/Navigatore.h"
#include "serie/Serie.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

#include <chrono>
#include <future>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace std::chrono_literals;

namespace {

const QString Nome = QStringLiteral("ImpostazioniUlmo.dat");

// What can be seen of the entry without opening it.
struct Stato
{
    bool presente = false;
    mode_t modo = 0;
    qint64 dimensione = 0;
    qint64 modifica = 0;
    QByteArray collegamento;

    bool operator==(const Stato &) const = default;
};

Stato stato()
{
    Stato s;
    struct stat info = {};
    if (::lstat(QFile::encodeName(Nome).constData(), &info) != 0)
        return s;
    s.presente = true;
    s.modo = info.st_mode;
    s.dimensione = info.st_size;
    s.modifica = qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    if (S_ISLNK(info.st_mode))
        s.collegamento = QFile::symLinkTarget(Nome).toLocal8Bit();
    return s;
}

// A reader stuck opening a pipe is set free by a writer turning up.
void liberaLettore()
{
    const int scrittore = ::open(QFile::encodeName(Nome).constData(), O_WRONLY | O_NONBLOCK);
    if (scrittore >= 0)
        ::close(scrittore);
}

} // namespace

class tst_VerificaEsistenzaFile : public QObject
{
    Q_OBJECT
    std::optional<Serie> m_serie {std::in_place};
    std::optional<Navigatore> m_navigatore {std::in_place, *m_serie};

private Q_SLOTS:
    void init();
    void cleanup();

    void sonda_data();
    void sonda();
    void inizioConUnaPipe();

private:
    QTemporaryDir *m_cartella = nullptr;
    QString m_precedente;
};

void tst_VerificaEsistenzaFile::init()
{
    Aiuto::daCapo(m_serie, m_navigatore);
    m_precedente = QDir::currentPath();
    m_cartella = new QTemporaryDir;
    QVERIFY(m_cartella->isValid());
    QVERIFY(QDir::setCurrent(m_cartella->path()));
}

void tst_VerificaEsistenzaFile::cleanup()
{
    Aiuto::chiudiTutto();
    ::chmod(QFile::encodeName(Nome).constData(), 0600);
    QDir::setCurrent(m_precedente);
    delete m_cartella;
    m_cartella = nullptr;
}

void tst_VerificaEsistenzaFile::sonda_data()
{
    QTest::addColumn<QString>("tipo");
    for (const char *tipo : {"assente", "regolare", "vuoto", "pipe", "cartella", "illeggibile", "collegamento rotto",
                             "collegamento a un dispositivo"})
        QTest::newRow(tipo) << QString::fromLatin1(tipo);
}

void tst_VerificaEsistenzaFile::sonda()
{
    QFETCH(QString, tipo);

    const QByteArray nome = QFile::encodeName(Nome);
    const QByteArray contenuto = "[Impostazioni]\nTabella=7\n";
    const auto scrivi = [&](const QByteArray &dati) {
        QFile file(Nome);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(dati);
    };
    if (tipo == QLatin1String("regolare")) {
        scrivi(contenuto);
    } else if (tipo == QLatin1String("vuoto")) {
        scrivi(QByteArray());
    } else if (tipo == QLatin1String("pipe")) {
        QCOMPARE(::mkfifo(nome.constData(), 0600), 0);
    } else if (tipo == QLatin1String("cartella")) {
        QVERIFY(QDir().mkdir(Nome));
    } else if (tipo == QLatin1String("illeggibile")) {
        scrivi(contenuto);
        QCOMPARE(::chmod(nome.constData(), 0), 0);
    } else if (tipo == QLatin1String("collegamento rotto")) {
        QCOMPARE(::symlink("non-esiste.dat", nome.constData()), 0);
    } else if (tipo == QLatin1String("collegamento a un dispositivo")) {
        QCOMPARE(::symlink("/dev/zero", nome.constData()), 0);
    }
    if (QTest::currentTestFailed())
        return;
    const Stato prima = stato();

    // Off the main thread, so that a probe stuck on the pipe fails the test instead of hanging it.
    auto sonda = std::async(std::launch::async, [] {
        QElapsedTimer orologio;
        orologio.start();
        SchermataInizio::verificaEsistenzaFile(Nome);
        return orologio.elapsed();
    });
    if (sonda.wait_for(3s) != std::future_status::ready) {
        liberaLettore();
        sonda.wait();
        QFAIL("the probe waited on the settings file");
    }
    QVERIFY2(sonda.get() < 1000, "the probe took a second or more");

    QVERIFY(stato() == prima);
    QVERIFY(!QFileInfo::exists(QStringLiteral("non-esiste.dat")));
    if (tipo == QLatin1String("regolare")) {
        QFile file(Nome);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), contenuto);
    }
}

void tst_VerificaEsistenzaFile::inizioConUnaPipe()
{
    const QByteArray nome = QFile::encodeName(Nome);
    QCOMPARE(::mkfifo(nome.constData(), 0600), 0);

    // Should the start screen's load wait on the pipe, a writer turns up after three seconds and the
    // time check below fails instead of the test hanging.
    std::promise<void> aperto;
    auto guardia = std::async(std::launch::async, [segnale = aperto.get_future()] {
        if (segnale.wait_for(3s) != std::future_status::ready)
            liberaLettore();
    });

    QElapsedTimer orologio;
    orologio.start();
    SchermataInizio *inizio = Aiuto::apriInizio(*m_navigatore);
    const qint64 trascorso = orologio.elapsed();
    aperto.set_value();
    guardia.wait();

    QVERIFY(inizio);
    QVERIFY2(trascorso < 1000, qPrintable(QStringLiteral("the start screen took %1 ms").arg(trascorso)));
    QCOMPARE(Aiuto::fuoco(), QStringLiteral("tabella(0)"));
    QVERIFY(S_ISFIFO(stato().modo));
}

QTEST_MAIN(tst_VerificaEsistenzaFile)
#include "tst_VerificaEsistenzaFile.moc"
