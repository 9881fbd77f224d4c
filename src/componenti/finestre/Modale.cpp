#include "componenti/finestre/Modale.h"

#include <QDialog>

void mostraModale(QDialog *finestra)
{
    finestra->exec();
}
