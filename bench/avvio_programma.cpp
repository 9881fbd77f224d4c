// The program exactly as it starts for a child, from the same library, except that it ends after
// the first frame of the start screen.
#include "PrimoFotogramma.h"

#include "applicazione/Avvio.h"
#include "applicazione/Navigatore.h"
#include "schermate/inizio/SchermataInizio.h"
#include "serie/Serie.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication applicazione(argc, argv);
    Avvio::preparaApplicazione(applicazione);
    Serie serie;
    Navigatore navigatore(serie);
    // Watched before the event loop runs, which paints the first frame.
    new PrimoFotogramma(navigatore.apriInizio());
    return applicazione.exec();
}
