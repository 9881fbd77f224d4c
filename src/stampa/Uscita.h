#pragma once

#include "stampa/Stampante.h"

#include <memory>

// Where the page goes when "STAMPA LE OPERAZIONI" is pressed: the system's default printer on the desktop
// (Uscita.cpp); in the browser (Uscita_wasm.cpp), the browser itself, which saves the page as a PDF and
// opens its print dialog on it.
std::unique_ptr<Stampante> stampantePredefinita();

// Where the page is saved as a PDF when it did not go out: the user's documents folder on the desktop
// (the home folder when there is none). None in the browser, whose files live in the page's memory and
// vanish with it: there the message says that the page was not saved, and a new press tries again.
QString cartellaDiRiserva();
