#include "screens/print/FrmStampaEsercizio.h"

FrmStampaEsercizio::FrmStampaEsercizio(QWidget *parent)
    : Schermata(QStringLiteral("FINESTRA DI STAMPA"), QSize(11910, 8730), false, parent)
{ }
