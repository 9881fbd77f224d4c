#pragma once

#include <QStringList>

class QApplication;

namespace Avvio {

// Italian for the program and for Qt's own dialogs, the name and icon, the style, the X11 key-repeat
// check (owned by the application, like everything made here).
void preparaApplicazione(QApplication &applicazione);

// What a teacher may turn on for a child, off unless asked for.
struct Opzioni
{
    bool voce = false; // --voce: the voice says what the focus reaches and what the drill announces
};

// The options of the command line (the program's name first), and in the browser of the page's address.
Opzioni leggiOpzioni(const QStringList &argomenti);

} // namespace Avvio
