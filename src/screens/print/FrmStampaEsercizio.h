#pragma once

#include "app/Schermata.h"

// The print screen: previews the first lines of the exercise record and prints the whole record.
class FrmStampaEsercizio : public Schermata
{
    Q_OBJECT

public:
    explicit FrmStampaEsercizio(QWidget *parent = nullptr);
};
