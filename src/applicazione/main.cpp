#include "applicazione/Avvio.h"
#include "applicazione/Piattaforma.h"
#include "applicazione/Programma.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication applicazione(argc, argv);
    Avvio::preparaApplicazione(applicazione);
    Programma programma(Avvio::leggiOpzioni(QApplication::arguments() + opzioniDellaPiattaforma()));
    programma.avvia();
    const int esito = applicazione.exec();
    // The screens closed by "Esci" are destroyed after the event loop has already stopped.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return esito;
}
