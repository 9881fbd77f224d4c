#include "componenti/finestre/FinestraIntera.h"

#include <QWidget>

// The page is the program's screen: a screen fills it, with no title bar drawn inside the page, and
// follows it when the browser's window or the device turns.
void mostraIntera(QWidget *finestra)
{
    finestra->showFullScreen();
}
