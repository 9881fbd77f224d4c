#include "stampa/CodaDiStampa.h"

#include <QDateTime>
#include <QPrinter>
#include <QPrinterInfo>

#include <windows.h>
#include <winspool.h>

#include <string>
#include <vector>

namespace {

// How long ago a job may have been submitted and still be this page's: the page has just ended.
constexpr qint64 RecenteSecondi = 120;

class Coda
{
public:
    explicit Coda(const QString &nome)
    {
        std::wstring largo = nome.toStdWString();
        if (!OpenPrinterW(largo.data(), &m_handle, nullptr)) {
            m_errore = GetLastError();
            m_handle = nullptr;
        }
    }
    ~Coda()
    {
        if (m_handle)
            ClosePrinter(m_handle);
    }
    Coda(const Coda &) = delete;
    Coda &operator=(const Coda &) = delete;

    HANDLE handle() const { return m_handle; }
    DWORD errore() const { return m_errore; }

    // Level 2 job records, or printer records: whatever the spooler fills the buffer with.
    template<typename Chiamata> static std::vector<BYTE> leggi(Chiamata chiamata)
    {
        DWORD necessari = 0;
        chiamata(nullptr, 0, &necessari);
        std::vector<BYTE> dati(necessari);
        if (necessari == 0 || !chiamata(dati.data(), necessari, &necessari))
            dati.clear();
        return dati;
    }

private:
    HANDLE m_handle = nullptr;
    DWORD m_errore = 0;
};

QDateTime istante(const SYSTEMTIME &t)
{
    return QDateTime(QDate(t.wYear, t.wMonth, t.wDay), QTime(t.wHour, t.wMinute, t.wSecond), Qt::UTC);
}

// What the spooler says of a job or of its printer, said of the printer; empty while all is well.
QString motivoLavoro(DWORD stato)
{
    if (stato & (JOB_STATUS_DELETING | JOB_STATUS_DELETED))
        return QStringLiteral("ha cancellato il foglio");
    if (stato & JOB_STATUS_PAPEROUT)
        return QStringLiteral("è senza carta");
    if (stato & JOB_STATUS_OFFLINE)
        return QStringLiteral("non è in linea");
    if (stato & (JOB_STATUS_ERROR | JOB_STATUS_BLOCKED_DEVQ | JOB_STATUS_USER_INTERVENTION))
        return QStringLiteral("ha segnalato un errore");
    return {};
}

QString motivoStampante(DWORD stato)
{
    if (stato & PRINTER_STATUS_PAPER_OUT)
        return QStringLiteral("è senza carta");
    if (stato & (PRINTER_STATUS_OFFLINE | PRINTER_STATUS_NOT_AVAILABLE | PRINTER_STATUS_SERVER_UNKNOWN))
        return QStringLiteral("non è in linea");
    if (stato & (PRINTER_STATUS_ERROR | PRINTER_STATUS_USER_INTERVENTION | PRINTER_STATUS_PAPER_JAM))
        return QStringLiteral("ha segnalato un errore");
    return {};
}

} // namespace

namespace CodaDiStampa {

Predefinita predefinita(const std::atomic_bool &)
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return {};
    // Windows names a printer the way its users know it.
    Predefinita trovata {Predefinita::Stato::Trovata, info.printerName(), info.printerName()};
    // A printer whose port asks for a file name (PORTPROMPT:, the "Microsoft Print to PDF" and XPS writers),
    // the fax's, or a notebook program's: the page goes to a window of theirs, where the teacher answers.
    const Coda coda(info.printerName());
    const std::vector<BYTE> dati = Coda::leggi([&](BYTE *buffer, DWORD dimensione, DWORD *necessari) {
        return coda.handle() && GetPrinterW(coda.handle(), 2, buffer, dimensione, necessari) != 0;
    });
    if (dati.size() >= sizeof(PRINTER_INFO_2W)) {
        const auto *stampante = reinterpret_cast<const PRINTER_INFO_2W *>(dati.data());
        const QString porta = stampante->pPortName ? QString::fromWCharArray(stampante->pPortName) : QString();
        const QString driver = stampante->pDriverName ? QString::fromWCharArray(stampante->pDriverName) : QString();
        trovata.chiedeAlUtente = porta.compare(QLatin1String("PORTPROMPT:"), Qt::CaseInsensitive) == 0
                                 || porta.startsWith(QLatin1String("SHRFAX"), Qt::CaseInsensitive)
                                 || driver.contains(QLatin1String("OneNote"), Qt::CaseInsensitive);
    }
    return trovata;
}

bool suFile()
{
    return false;
}

// Qt's print engine ends every document as if it had gone well, so the spooler is asked what became
// of it: this page is the newest job of this document the queue still holds. A job already gone from
// the queue has been printed; one the spooler marks in error, deleted, offline or out of paper has not.
Risposta consegna(const QPrinter &printer, const QString &, const std::atomic_bool &annullato)
{
    if (printer.printerState() == QPrinter::Error)
        return {false, QStringLiteral("ha segnalato un errore")};
    const Coda coda(printer.printerName());
    if (!coda.handle()) {
        return {false, coda.errore() == ERROR_INVALID_PRINTER_NAME ? QStringLiteral("non esiste più")
                                                                   : QStringLiteral("non risponde")};
    }
    if (annullato.load())
        return {false, QStringLiteral("non risponde")};

    const std::vector<BYTE> dati = Coda::leggi([&](BYTE *buffer, DWORD dimensione, DWORD *necessari) {
        DWORD numero = 0;
        const BOOL fatto = EnumJobsW(coda.handle(), 0, 0xFFFFFFFF, 2, buffer, dimensione, necessari, &numero);
        return fatto && numero > 0;
    });
    const auto *lavori = reinterpret_cast<const JOB_INFO_2W *>(dati.data());
    const std::size_t numero = dati.size() / sizeof(JOB_INFO_2W);
    const std::wstring documento = printer.docName().toStdWString();
    const QDateTime adesso = QDateTime::currentDateTimeUtc();
    const JOB_INFO_2W *questo = nullptr;
    for (std::size_t i = 0; i < numero; ++i) {
        const JOB_INFO_2W &lavoro = lavori[i];
        if (!lavoro.pDocument || documento != lavoro.pDocument
            || istante(lavoro.Submitted).secsTo(adesso) > RecenteSecondi)
            continue;
        if (!questo || lavoro.JobId > questo->JobId)
            questo = &lavoro;
    }
    if (!questo)
        return {true, {}};
    QString motivo = motivoLavoro(questo->Status);
    if (motivo.isEmpty()) {
        const std::vector<BYTE> stampante = Coda::leggi([&](BYTE *buffer, DWORD dimensione, DWORD *necessari) {
            return GetPrinterW(coda.handle(), 2, buffer, dimensione, necessari) != 0;
        });
        if (stampante.size() >= sizeof(PRINTER_INFO_2W))
            motivo = motivoStampante(reinterpret_cast<const PRINTER_INFO_2W *>(stampante.data())->Status);
    }
    if (motivo.isEmpty())
        return {true, {}};
    return {false, motivo};
}

} // namespace CodaDiStampa
