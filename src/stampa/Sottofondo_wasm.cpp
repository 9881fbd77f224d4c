#include "stampa/Sottofondo.h"

// In the browser the program has one thread, and nothing it prints waits on anything: the page is drawn
// into memory and handed to the browser, which never blocks. The work runs at once, on the spot.
bool eseguiInSottofondo(std::function<void()> lavoro, std::chrono::milliseconds, std::function<bool()>,
                        std::chrono::milliseconds)
{
    lavoro();
    return true;
}
