#include "app/Avvio.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication applicazione(argc, argv);
    Avvio::preparaApplicazione(applicazione);
    Avvio::mostraInizio();
    return applicazione.exec();
}
