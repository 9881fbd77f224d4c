#pragma once

#include <QIcon>

namespace Icona {

// The program's icon: a multiplication sign on an orange tile, drawn for every size asked.
QIcon programma();

} // namespace Icona
