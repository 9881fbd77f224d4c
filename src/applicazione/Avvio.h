#pragma once

class QApplication;
class Serie;

namespace Avvio {

// Italian for the program and for Qt's own dialogs, the name and icon, the style, the X11 key-repeat
// check.
void preparaApplicazione(QApplication &applicazione);

// Loads and shows the start screen, handed the series the screens share; there is nothing else to
// start.
void mostraInizio(Serie &serie);

} // namespace Avvio
