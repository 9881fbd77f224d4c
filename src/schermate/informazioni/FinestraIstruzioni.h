#pragma once

#include "schermate/informazioni/FinestraInformazioni.h"

// How to drive the program, in thirteen fixed lines.
class FinestraIstruzioni : public FinestraInformazioni
{
    Q_OBJECT

public:
    explicit FinestraIstruzioni(QWidget *parent = nullptr);

    // The whole text, with a carriage return as its line break.
    static QString testoIstruzioni();
};
