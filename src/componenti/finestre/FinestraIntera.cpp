#include "componenti/finestre/FinestraIntera.h"

#include <QWidget>

void mostraIntera(QWidget *finestra)
{
    finestra->showMaximized();
}
