#pragma once

#include "screens/info/FinestraInformazioni.h"

// How to drive the program, in thirteen fixed lines.
class frmIstruzioni : public FinestraInformazioni
{
    Q_OBJECT

public:
    explicit frmIstruzioni(QWidget *parent = nullptr);

    // The whole text, with a carriage return as its line break.
    static QString testoIstruzioni();
};
