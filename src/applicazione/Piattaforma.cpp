#include "applicazione/Piattaforma.h"

// The desktop has the fonts (the font configuration maps Arial and Courier to installed families) and
// flags its keys' repeats.
void preparaPiattaforma(QApplication &) { }

QStringList opzioniDellaPiattaforma()
{
    return {};
}
