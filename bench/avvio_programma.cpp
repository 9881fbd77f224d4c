// The program exactly as it starts for a child, from the same library, except that it ends after
// the first frame of the start screen.
#include "PrimoFotogramma.h"

#include "applicazione/Avvio.h"
#include "componenti/finestre/Schermate.h"
#include "schermate/inizio/SchermataInizio.h"
#include "serie/Serie.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication applicazione(argc, argv);
    Avvio::preparaApplicazione(applicazione);
    Serie serie;
    // Watched before it is shown: showing it may already paint the first frame.
    new PrimoFotogramma(Schermate::carica<SchermataInizio>(serie));
    Avvio::mostraInizio(serie);
    return applicazione.exec();
}
