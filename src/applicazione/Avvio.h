#pragma once

#include <QStringList>

#include <chrono>
#include <optional>

class QApplication;

namespace Avvio {

// Italian for the program and for Qt's own dialogs, the name and icon, the style, the X11 key-repeat
// check (owned by the application, like everything made here).
void preparaApplicazione(QApplication &applicazione);

// What a teacher may turn on for a child, off unless asked for.
struct Opzioni
{
    // --voce: the voice says what the focus reaches and what the drill announces.
    bool voce = false;
    // --scansione or --scansione=SECONDI (0.5 to 10, 1.5 unless given): the highlight moves by itself and
    // one switch chooses.
    std::optional<std::chrono::milliseconds> scansione;
};

// The options in the order given, the program's name first: a later one wins over an earlier one, so the
// settings of the machine or the account come first (opzioniDellaPiattaforma()) and the command line
// after them. "--voce=no" and "--scansione=no" turn off what a setting turned on.
Opzioni leggiOpzioni(const QStringList &argomenti);

} // namespace Avvio
