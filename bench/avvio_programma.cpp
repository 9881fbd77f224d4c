// The program exactly as it starts for a child, from the same library, except that it ends after
// the first frame of the start screen.
#include "PrimoFotogramma.h"

#include "applicazione/Avvio.h"
#include "applicazione/Piattaforma.h"
#include "applicazione/Programma.h"
#include "schermate/inizio/SchermataInizio.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication applicazione(argc, argv);
    Avvio::preparaApplicazione(applicazione);
    Programma programma(Avvio::leggiOpzioni(QApplication::arguments() + opzioniDellaPiattaforma()));
    // Watched before the event loop runs, which paints the first frame.
    new PrimoFotogramma(programma.avvia());
    return applicazione.exec();
}
