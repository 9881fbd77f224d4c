#include "stampa/CodaDiStampa.h"

// The browser has no printer of its own: the page goes to the browser as a PDF (Uscita_wasm.cpp), and
// the browser's print dialog prints it.
namespace CodaDiStampa {

Predefinita predefinita(const std::atomic_bool &)
{
    return {};
}

bool suFile()
{
    return true;
}

Risposta consegna(const QPrinter &, const QString &, const std::atomic_bool &)
{
    return {false, QStringLiteral("non è raggiungibile dal browser")};
}

} // namespace CodaDiStampa
