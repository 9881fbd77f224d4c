// What a Windows school computer can leave under the settings file's name: a file another program
// holds without sharing, a directory, a read-only or hidden file, a file the user may not read, one of
// several gigabytes. The probe returns at once and leaves it exactly as it was, and the start screen
// opens on time. The page saved when there is no printer reaches a documents folder whose path has
// accented letters and spaces.

#include "StampaSupporto.h"
#include "aiuto.h"

#include "applicazione/Navigatore.h"
#include "componenti/finestre/Messaggio.h"
#include "schermate/stampa/SchermataStampa.h"
#include "serie/Serie.h"
#include "sistema/Sonda.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

#include <chrono>
#include <future>

#include <aclapi.h>
#include <windows.h>

using namespace std::chrono_literals;

namespace {

const QString Nome = QStringLiteral("ImpostazioniUlmo.dat");
const QByteArray Contenuto = "[Impostazioni]\r\nTabella=7\r\n";

std::wstring nativo(const QString &nome)
{
    return QDir::toNativeSeparators(QDir::current().absoluteFilePath(nome)).toStdWString();
}

// What can be seen of the entry without opening it.
struct Stato
{
    DWORD attributi = INVALID_FILE_ATTRIBUTES;
    quint64 dimensione = 0;
    quint64 scrittura = 0;

    bool operator==(const Stato &) const = default;
};

Stato stato()
{
    Stato s;
    WIN32_FILE_ATTRIBUTE_DATA dati = {};
    if (!GetFileAttributesExW(nativo(Nome).c_str(), GetFileExInfoStandard, &dati))
        return s;
    s.attributi = dati.dwFileAttributes;
    s.dimensione = (quint64(dati.nFileSizeHigh) << 32) | dati.nFileSizeLow;
    s.scrittura = (quint64(dati.ftLastWriteTime.dwHighDateTime) << 32) | dati.ftLastWriteTime.dwLowDateTime;
    return s;
}

bool scrivi(const QByteArray &dati)
{
    QFile file(Nome);
    return file.open(QIODevice::WriteOnly) && file.write(dati) == dati.size();
}

// A sparse file of 5 GiB: nothing but its size is on the disk.
bool scriviGrande()
{
    const HANDLE file
        = CreateFileW(nativo(Nome).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD restituiti = 0;
    DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &restituiti, nullptr);
    LARGE_INTEGER fine;
    fine.QuadPart = 5LL << 30;
    const bool ok = SetFilePointerEx(file, fine, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    CloseHandle(file);
    return ok;
}

// Nobody may read it: an access list that denies reading to everyone.
bool negaLettura()
{
    SID_IDENTIFIER_AUTHORITY mondo = SECURITY_WORLD_SID_AUTHORITY;
    PSID tutti = nullptr;
    if (!AllocateAndInitializeSid(&mondo, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &tutti))
        return false;
    EXPLICIT_ACCESSW negato = {};
    negato.grfAccessPermissions = GENERIC_READ;
    negato.grfAccessMode = DENY_ACCESS;
    negato.Trustee.TrusteeForm = TRUSTEE_IS_SID;
    negato.Trustee.TrusteeType = TRUSTEE_IS_WELL_KNOWN_GROUP;
    negato.Trustee.ptstrName = static_cast<LPWSTR>(tutti);
    PACL elenco = nullptr;
    bool ok = SetEntriesInAclW(1, &negato, nullptr, &elenco) == ERROR_SUCCESS;
    std::wstring nome = nativo(Nome);
    ok = ok
         && SetNamedSecurityInfoW(nome.data(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, elenco,
                                  nullptr)
                == ERROR_SUCCESS;
    LocalFree(elenco);
    FreeSid(tutti);
    return ok;
}

} // namespace

class tst_SondaWin : public QObject
{
    Q_OBJECT
    std::optional<Serie> m_serie {std::in_place};
    std::optional<Navigatore> m_navigatore {std::in_place, *m_serie};

private Q_SLOTS:
    void init();
    void cleanup();

    void sonda_data();
    void sonda();
    void inizioConIlFileBloccato();
    void paginaInDocumentiConAccenti();

private:
    QTemporaryDir *m_cartella = nullptr;
    QString m_precedente;
    HANDLE m_bloccato = INVALID_HANDLE_VALUE;
};

void tst_SondaWin::init()
{
    Aiuto::daCapo(m_serie, m_navigatore);
    m_precedente = QDir::currentPath();
    m_cartella = new QTemporaryDir;
    QVERIFY(m_cartella->isValid());
    QVERIFY(QDir::setCurrent(m_cartella->path()));
}

void tst_SondaWin::cleanup()
{
    Aiuto::chiudiTutto();
    if (m_bloccato != INVALID_HANDLE_VALUE)
        CloseHandle(m_bloccato);
    m_bloccato = INVALID_HANDLE_VALUE;
    SetFileAttributesW(nativo(Nome).c_str(), FILE_ATTRIBUTE_NORMAL);
    QDir::setCurrent(m_precedente);
    delete m_cartella;
    m_cartella = nullptr;
}

void tst_SondaWin::sonda_data()
{
    QTest::addColumn<QString>("tipo");
    QTest::addColumn<int>("aperto"); // 1 opened, 0 not, -1 either (the system decides)
    QTest::newRow("missing") << "assente" << 0;
    QTest::newRow("regular") << "regolare" << 1;
    QTest::newRow("directory") << "cartella" << 0;
    QTest::newRow("locked by another program") << "bloccato" << 0;
    QTest::newRow("read-only, hidden, system") << "attributi" << 1;
    QTest::newRow("five gigabytes") << "grande" << 1;
    // Wine keeps access lists but does not enforce them; Windows refuses the file.
    QTest::newRow("reading denied") << "illeggibile" << -1;
}

void tst_SondaWin::sonda()
{
    QFETCH(QString, tipo);
    QFETCH(int, aperto);

    if (tipo == QLatin1String("regolare")) {
        QVERIFY(scrivi(Contenuto));
    } else if (tipo == QLatin1String("cartella")) {
        QVERIFY(QDir().mkdir(Nome));
    } else if (tipo == QLatin1String("bloccato")) {
        QVERIFY(scrivi(Contenuto));
        // Opened with no sharing at all, as an editor or a backup program may keep it.
        m_bloccato = CreateFileW(nativo(Nome).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
        QVERIFY(m_bloccato != INVALID_HANDLE_VALUE);
    } else if (tipo == QLatin1String("attributi")) {
        QVERIFY(scrivi(Contenuto));
        QVERIFY(SetFileAttributesW(nativo(Nome).c_str(),
                                   FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    } else if (tipo == QLatin1String("grande")) {
        QVERIFY(scriviGrande());
    } else if (tipo == QLatin1String("illeggibile")) {
        QVERIFY(scrivi(Contenuto));
        QVERIFY(negaLettura());
    }
    const Stato prima = stato();

    // Off the main thread, so that a probe stuck on the file fails the test instead of hanging it.
    auto sonda = std::async(std::launch::async, [] {
        QElapsedTimer orologio;
        orologio.start();
        const bool esito = Sonda::apriEChiudi(Nome);
        return std::make_pair(esito, orologio.elapsed());
    });
    QVERIFY2(sonda.wait_for(3s) == std::future_status::ready, "the probe waited on the settings file");
    const auto [esito, millisecondi] = sonda.get();
    QVERIFY2(millisecondi < 1000, "the probe took a second or more");
    if (aperto >= 0)
        QCOMPARE(esito, aperto == 1);

    QVERIFY(stato() == prima);
    if (tipo == QLatin1String("regolare") || tipo == QLatin1String("attributi")) {
        QFile file(Nome);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), Contenuto);
    }
}

void tst_SondaWin::inizioConIlFileBloccato()
{
    QVERIFY(scrivi(Contenuto));
    m_bloccato = CreateFileW(nativo(Nome).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    QVERIFY(m_bloccato != INVALID_HANDLE_VALUE);

    QElapsedTimer orologio;
    orologio.start();
    SchermataInizio *inizio = Aiuto::apriInizio(*m_navigatore);
    QVERIFY(inizio);
    QVERIFY2(orologio.elapsed() < 5000,
             qPrintable(QStringLiteral("the start screen took %1 ms").arg(orologio.elapsed())));
    QCOMPARE(Aiuto::fuoco(), QStringLiteral("tabella(0)"));
    QCOMPARE(inizio->windowTitle(), QStringLiteral("Tavole della moltiplicazione"));
}

// No printer: the page is saved where the message says, under a user whose name has an accent and a
// space, and the message names the file with Windows' own separators.
void tst_SondaWin::paginaInDocumentiConAccenti()
{
    const QString documenti = m_cartella->filePath(QStringLiteral("Niccolò Rossi/Documenti"));
    QVERIFY(QDir().mkpath(documenti));
    auto *stampa = m_navigatore->schermate().carica<SchermataStampa>(*m_serie);
    stampa->consegna().setCartellaDocumenti(documenti);
    stampa->consegna().setFabbricaStampante([] {
        return std::make_unique<StampanteRegistrata>(std::make_shared<QStringList>(), QStringList {"Courier"},
                                                     Stampante::Esito::NessunaStampante);
    });
    riempiRegistro(*m_serie, 30);
    stampa->mostra();
    QVERIFY(QTest::qWaitForWindowExposed(stampa));
    stampa->messaggi().setProssimaRisposta(QMessageBox::Ok);
    Aiuto::clic(stampa->findChild<QWidget *>(QStringLiteral("stampa")));

    const QStringList salvati = QDir(documenti).entryList({QStringLiteral("*.pdf")}, QDir::Files);
    QCOMPARE(salvati.size(), 1);
    const QString percorso = QDir(documenti).filePath(salvati.at(0));
    QCOMPARE(stampa->messaggi().ultimoTesto(), "Non è stata trovata nessuna stampante.\n"
                                               "Il foglio delle operazioni è stato salvato nel file:\n"
                                                   + QDir::toNativeSeparators(percorso));
    QVERIFY(stampa->messaggi().ultimoTesto().contains(QStringLiteral("\\Niccolò Rossi\\Documenti\\")));
    QFile pdf(percorso);
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.read(5) == "%PDF-");
}

QTEST_MAIN(tst_SondaWin)
#include "tst_sonda_win.moc"
