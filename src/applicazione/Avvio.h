#pragma once

class QApplication;

namespace Avvio {

// Italian for the program and for Qt's own dialogs, the name and icon, the style, the X11 key-repeat
// check (owned by the application, like everything made here).
void preparaApplicazione(QApplication &applicazione);

} // namespace Avvio
