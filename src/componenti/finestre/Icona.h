#pragma once

#include <QIcon>

namespace Icona {

// The program's icon: a multiplication sign on an orange tile, drawn in the sizes a window uses.
QIcon programma();

// The same picture, drawn for a side of `lato` pixels (the desktop's and Windows' icon files).
QPixmap disegno(int lato);

} // namespace Icona
