#pragma once

#include "app/Schermata.h"

class frmOperativo : public Schermata
{
    Q_OBJECT

public:
    explicit frmOperativo(QWidget *parent = nullptr);
};
