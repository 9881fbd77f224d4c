#pragma once

#include "applicazione/Avvio.h"
#include "applicazione/Navigatore.h"
#include "serie/Serie.h"

#include <memory>

class Narratore;
class ScansioneAutomatica;
class SchermataInizio;
class Voce;

// What the program holds while it runs, in one place: the series every screen is handed, the navigator
// between the screens, and what the teacher turned on for the child (the voice, automatic scanning).
// main() owns it.
class Programma
{
public:
    explicit Programma(const Avvio::Opzioni &opzioni);
    ~Programma();

    // Shows the start screen: there is nothing else to start.
    SchermataInizio *avvia();

private:
    Serie m_serie;
    // The voice, when asked for, listens from the first screen on, and goes after the screens.
    std::unique_ptr<Voce> m_voce;
    std::unique_ptr<Narratore> m_narratore;
    Navigatore m_navigatore;
    std::unique_ptr<ScansioneAutomatica> m_scansione;
};
