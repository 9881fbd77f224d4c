#pragma once

#include "screens/print/Stampante.h"

#include <memory>

// Where the page goes when "STAMPA LE OPERAZIONI" is pressed: the system's default printer on the desktop
// (Uscita.cpp); in the browser (Uscita_wasm.cpp), the browser itself, which saves the page as a PDF and
// opens its print dialog on it.
std::unique_ptr<Stampante> stampantePredefinita();
