#include "applicazione/Avvio.h"
#include "applicazione/Navigatore.h"
#include "serie/Serie.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication applicazione(argc, argv);
    Avvio::preparaApplicazione(applicazione);
    // The series lives as long as the program: every screen is handed it.
    Serie serie;
    Navigatore navigatore(serie);
    navigatore.apriInizio();
    const int esito = applicazione.exec();
    // The screens closed by "Esci" are destroyed after the event loop has already stopped.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return esito;
}
