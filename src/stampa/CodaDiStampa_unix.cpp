#include "stampa/CodaDiStampa.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QPageLayout>
#include <QPrinter>

#include <cups/cups.h>

namespace {

// A connection of the attempt's own to the scheduler, never libcups' shared one, whose waits are fixed
// (30 s to connect, a minute for every answer): this one waits for as long as the window does, or until
// its deadline, and no longer. A scheduler that does not listen at all means there is no print system.
class Connessione
{
public:
    explicit Connessione(const std::atomic_bool &annullato, QDeadlineTimer limite = QDeadlineTimer::Forever)
        : m_annullato(annullato)
        , m_limite(limite)
    {
        QElapsedTimer tempo;
        tempo.start();
        m_http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, AttesaConnessione,
                              nullptr);
        // libcups tells a refusal from a connection that timed out only by how long it took.
        m_rifiutata = !m_http && tempo.elapsed() < AttesaConnessione / 2;
        if (m_http)
            httpSetTimeout(m_http, 0.25, &Connessione::continua, this);
    }
    ~Connessione()
    {
        if (m_http)
            httpClose(m_http);
    }
    Connessione(const Connessione &) = delete;
    Connessione &operator=(const Connessione &) = delete;

    http_t *http() const { return m_http; }
    // Nothing listens where the scheduler should be.
    bool rifiutata() const { return m_rifiutata; }
    // A wait was cut short because the window gave up.
    bool interrotta() const { return m_interrotta; }

private:
    static constexpr int AttesaConnessione = 5000;

    static int continua(http_t *, void *dati)
    {
        auto *connessione = static_cast<Connessione *>(dati);
        if (!connessione->m_annullato.load() && !connessione->m_limite.hasExpired())
            return 1;
        connessione->m_interrotta = true;
        return 0;
    }

    const std::atomic_bool &m_annullato;
    QDeadlineTimer m_limite;
    http_t *m_http = nullptr;
    bool m_rifiutata = false;
    bool m_interrotta = false;
};

enum class StatoCoda
{
    Esiste,
    NonEsiste,
    NonRisponde
};

// Only the scheduler's own "not found" means that a queue is gone; no answer says nothing about it.
StatoCoda statoCoda(const QByteArray &coda, const std::atomic_bool &annullato)
{
    const Connessione connessione(annullato);
    if (!connessione.http())
        return StatoCoda::NonRisponde;
    cups_dest_t *destinazione = cupsGetNamedDest(connessione.http(), coda.constData(), nullptr);
    if (destinazione) {
        cupsFreeDests(1, destinazione);
        return StatoCoda::Esiste;
    }
    return cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND && !connessione.interrotta() ? StatoCoda::NonEsiste
                                                                                      : StatoCoda::NonRisponde;
}

// The page into the job just opened, as its one document.
bool inviaDocumento(http_t *http, const QByteArray &coda, int lavoro, const QByteArray &titolo, const QString &file)
{
    QFile pagina(file);
    if (!pagina.open(QIODevice::ReadOnly))
        return false;
    if (cupsStartDocument(http, coda.constData(), lavoro, titolo.constData(), CUPS_FORMAT_PDF, 1)
        != HTTP_STATUS_CONTINUE)
        return false;
    bool scritto = true;
    while (scritto && !pagina.atEnd()) {
        const QByteArray pezzo = pagina.read(64 * 1024);
        scritto = !pezzo.isEmpty()
                  && cupsWriteRequestData(http, pezzo.constData(), size_t(pezzo.size())) == HTTP_STATUS_CONTINUE;
    }
    return cupsFinishDocument(http, coda.constData()) <= IPP_STATUS_OK_EVENTS_COMPLETE && scritto;
}

// Cancels a job whose page did not arrive whole. The window no longer waits for this: the scheduler is
// given a minute to answer, on a connection of its own.
void ritira(const QByteArray &coda, int lavoro)
{
    const std::atomic_bool mai {false};
    const Connessione connessione(mai, QDeadlineTimer(60000));
    if (connessione.http())
        cupsCancelJob2(connessione.http(), coda.constData(), lavoro, 0);
}

} // namespace

namespace CodaDiStampa {

Predefinita predefinita(const std::atomic_bool &annullato)
{
    const Connessione connessione(annullato);
    if (!connessione.http())
        return {connessione.rifiutata() ? Predefinita::Stato::Nessuna : Predefinita::Stato::NonRisponde, {}, {}};
    cups_dest_t *destinazione = cupsGetNamedDest(connessione.http(), nullptr, nullptr);
    if (!destinazione) {
        const bool tace = connessione.interrotta() || cupsLastError() == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE;
        return {tace ? Predefinita::Stato::NonRisponde : Predefinita::Stato::Nessuna, {}, {}};
    }
    // Qt names a queue's instance ("Stampante/fronte-retro") after both.
    QString coda = QString::fromUtf8(destinazione->name);
    if (destinazione->instance)
        coda += QLatin1Char('/') + QString::fromUtf8(destinazione->instance);
    QString descrizione
        = QString::fromUtf8(cupsGetOption("printer-info", destinazione->num_options, destinazione->options)).trimmed();
    cupsFreeDests(1, destinazione);
    if (descrizione.isEmpty())
        descrizione = coda;
    return {Predefinita::Stato::Trovata, coda, descrizione};
}

bool suFile()
{
    return true;
}

Risposta consegna(const QPrinter &printer, const QString &file, const std::atomic_bool &annullato)
{
    // The options Qt's CUPS engine sends when it hands over a page by itself: the paper, one side or
    // both, the orientation.
    const QPageLayout pagina = printer.pageLayout();
    const bool verticale = pagina.orientation() == QPageLayout::Portrait;
    const char *lati = "one-sided";
    switch (printer.duplex()) {
    case QPrinter::DuplexNone:
        break;
    case QPrinter::DuplexAuto:
        lati = verticale ? "two-sided-long-edge" : "two-sided-short-edge";
        break;
    case QPrinter::DuplexLongSide:
        lati = "two-sided-long-edge";
        break;
    case QPrinter::DuplexShortSide:
        lati = "two-sided-short-edge";
        break;
    }

    const Connessione connessione(annullato);
    if (!connessione.http() || annullato.load())
        return {false, QStringLiteral("non risponde")};
    cups_option_t *opzioni = nullptr;
    int numero = cupsAddOption("media", pagina.pageSize().key().toUtf8().constData(), 0, &opzioni);
    numero = cupsAddOption("sides", lati, numero, &opzioni);
    if (!verticale)
        numero = cupsAddOption("landscape", "", numero, &opzioni);

    // A queue's instance has its own options, but the queue takes the job. The job is opened first and
    // the page sent into it after, so that a page cut short on its way can be taken back: a queue must
    // never print later a page the teacher has been given as a PDF.
    const QByteArray coda = printer.printerName().section(QLatin1Char('/'), 0, 0).toUtf8();
    const QByteArray titolo = printer.docName().toUtf8();
    const int lavoro = cupsCreateJob(connessione.http(), coda.constData(), titolo.constData(), numero, opzioni);
    cupsFreeOptions(numero, opzioni);
    if (lavoro > 0) {
        if (!annullato.load() && inviaDocumento(connessione.http(), coda, lavoro, titolo, file) && !annullato.load())
            return {true, {}};
        ritira(coda, lavoro);
        return {false,
                connessione.interrotta() || annullato.load()
                    ? QStringLiteral("non risponde")
                    : QStringLiteral("ha rifiutato il foglio (%1)").arg(QString::fromUtf8(cupsLastErrorString()))};
    }
    if (connessione.interrotta())
        return {false, QStringLiteral("non risponde")};

    switch (cupsLastError()) {
    case IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS:
        return {false, QStringLiteral("non accetta lavori di stampa")};
    case IPP_STATUS_ERROR_NOT_FOUND:
        return {false, QStringLiteral("non esiste più")};
    case IPP_STATUS_ERROR_SERVICE_UNAVAILABLE:
        return {false, QStringLiteral("non risponde")};
    case IPP_STATUS_ERROR_FORBIDDEN:
    case IPP_STATUS_ERROR_NOT_AUTHENTICATED:
    case IPP_STATUS_ERROR_NOT_AUTHORIZED:
    case IPP_STATUS_ERROR_CUPS_AUTHENTICATION_CANCELED:
        return {false, QStringLiteral("non accetta lavori da questo utente")};
    default:
        break;
    }
    // libcups calls a queue it cannot look up an internal error, whether the queue was deleted or the
    // scheduler stopped answering: the scheduler itself tells which.
    const QString testo = QString::fromUtf8(cupsLastErrorString());
    switch (statoCoda(coda, annullato)) {
    case StatoCoda::NonEsiste:
        return {false, QStringLiteral("non esiste più")};
    case StatoCoda::NonRisponde:
        return {false, QStringLiteral("non risponde")};
    case StatoCoda::Esiste:
        break;
    }
    return {false, QStringLiteral("ha rifiutato il foglio (%1)").arg(testo)};
}

} // namespace CodaDiStampa
