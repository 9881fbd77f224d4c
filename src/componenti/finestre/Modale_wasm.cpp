#include "componenti/finestre/Modale.h"

#include <QDialog>

void mostraModale(QDialog *finestra)
{
    finestra->setWindowModality(Qt::ApplicationModal);
    finestra->show();
    finestra->raise();
    finestra->activateWindow();
}
