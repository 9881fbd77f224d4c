#include "screens/Navigazione.h"

#include "finestre/Modale.h"
#include "finestre/Schermate.h"
#include "screens/exercise/SchermataEsercizio.h"
#include "screens/info/FinestraAutore.h"
#include "screens/print/SchermataStampa.h"
#include "screens/start/SchermataInizio.h"

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
