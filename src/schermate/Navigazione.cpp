#include "schermate/Navigazione.h"

#include "componenti/finestre/Modale.h"
#include "componenti/finestre/Schermate.h"
#include "schermate/esercizio/SchermataEsercizio.h"
#include "schermate/informazioni/FinestraAutore.h"
#include "schermate/inizio/SchermataInizio.h"
#include "schermate/stampa/SchermataStampa.h"

#include <utility>

namespace Navigazione {

void apriInizio(Serie &serie)
{
    Schermate::carica<SchermataInizio>(serie)->mostra();
}

void apriEsercizio(Serie &serie)
{
    Schermate::carica<SchermataEsercizio>(serie)->mostra();
}

void apriStampa(const Serie &serie)
{
    Schermate::carica<SchermataStampa>(serie)->mostra();
}

void mostraAutore()
{
    mostraModale(Schermate::carica<FinestraAutore>());
}

void esciDallEsercizio()
{
    Schermate::dopo([] { Schermate::scarica<SchermataEsercizio>(); });
}

void esciDalProgramma()
{
    Schermate::dopo([] { Schermate::scarica<SchermataInizio>(); });
}

void chiudiTutto()
{
    Schermate::scarica<SchermataInizio>();
    Schermate::scarica<FinestraAutore>();
    Schermate::scarica<SchermataEsercizio>();
    Schermate::scarica<SchermataStampa>();
}

} // namespace Navigazione
