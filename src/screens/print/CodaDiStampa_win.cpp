#include "screens/print/CodaDiStampa.h"

#include <QPrinter>

namespace CodaDiStampa {

bool suFile()
{
    return false;
}

Risposta consegna(const QPrinter &printer, const QString &)
{
    // The spooler has the document since it ended (EndDoc); a failure it reported on the way stays in
    // the printer's state.
    if (printer.printerState() == QPrinter::Error)
        return {false, QStringLiteral("ha segnalato un errore")};
    return {true, {}};
}

} // namespace CodaDiStampa
