#include "screens/print/CodaDiStampa.h"

#include <QByteArray>
#include <QFile>
#include <QPageLayout>
#include <QPrinter>

#include <cups/cups.h>

namespace {

bool schedulerRisponde()
{
    http_t *http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, 5000, nullptr);
    if (!http)
        return false;
    httpClose(http);
    return true;
}

bool codaEsiste(const QByteArray &coda)
{
    cups_dest_t *destinazione = cupsGetNamedDest(CUPS_HTTP_DEFAULT, coda.constData(), nullptr);
    if (!destinazione)
        return false;
    cupsFreeDests(1, destinazione);
    return true;
}

} // namespace

namespace CodaDiStampa {

bool suFile()
{
    return true;
}

Risposta consegna(const QPrinter &printer, const QString &file)
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
    cups_option_t *opzioni = nullptr;
    int numero = cupsAddOption("media", pagina.pageSize().key().toUtf8().constData(), 0, &opzioni);
    numero = cupsAddOption("sides", lati, numero, &opzioni);
    if (!verticale)
        numero = cupsAddOption("landscape", "", numero, &opzioni);

    // A queue's instance ("Stampante/fronte-retro") has its own options, but the queue takes the job.
    const QByteArray coda = printer.printerName().section(QLatin1Char('/'), 0, 0).toUtf8();
    const int lavoro = cupsPrintFile(coda.constData(), QFile::encodeName(file).constData(),
                                     printer.docName().toUtf8().constData(), numero, opzioni);
    cupsFreeOptions(numero, opzioni);
    if (lavoro > 0)
        return {true, {}};

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
    // cupsPrintFile() calls a queue it cannot look up an internal error, whether the queue was deleted
    // or the scheduler does not answer: the scheduler itself tells which.
    const QString testo = QString::fromUtf8(cupsLastErrorString());
    if (!schedulerRisponde())
        return {false, QStringLiteral("non risponde")};
    if (!codaEsiste(coda))
        return {false, QStringLiteral("non esiste più")};
    return {false, QStringLiteral("ha rifiutato il foglio (%1)").arg(testo)};
}

} // namespace CodaDiStampa
