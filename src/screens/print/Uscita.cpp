#include "screens/print/Uscita.h"

#include "screens/print/StampanteQt.h"

std::unique_ptr<Stampante> stampantePredefinita()
{
    return StampanteQt::predefinita();
}
