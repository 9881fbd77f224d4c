#pragma once

class QDialog;

// Shows a dialog over the whole program, modal. On the desktop (Modale.cpp) it returns once the dialog
// has been answered. In the browser (Modale_wasm.cpp) a program cannot wait inside a press: the dialog
// is shown, modal all the same, and the call returns at once; the dialog's own buttons close it.
void mostraModale(QDialog *finestra);
