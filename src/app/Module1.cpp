#include "app/Module1.h"

namespace Module1 {

void ripristina()
{
    Tabella = 0;
    Fattore = 0;
    Prodotto = 0;
    for (auto &riga : Esercizi)
        riga.clear();
    for (auto &risposta : Risposte)
        risposta.clear();
    Risposta.clear();
    NumEsercizi = 0;
    I = 0;
    IndiceRiga = 0;
}

} // namespace Module1
