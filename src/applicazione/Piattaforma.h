#pragma once

#include <QStringList>

class QApplication;

// What the platform needs before the first window: nothing on the desktop (Piattaforma.cpp); in the
// browser (Piattaforma_wasm.cpp) the fonts the screens and the page ask for, which travel inside the
// program, and the marking of a held key's repeats.
void preparaPiattaforma(QApplication &applicazione);

// Options the platform gives besides the command line: in the browser, those of the page's address
// ("?voce" is "--voce"); none on the desktop.
QStringList opzioniDellaPiattaforma();
