#include "screens/exercise/frmOperativo.h"

frmOperativo::frmOperativo(QWidget *parent)
    : Schermata(QStringLiteral("TABELLA"), QSize(11910, 8595), false, parent)
{ }
