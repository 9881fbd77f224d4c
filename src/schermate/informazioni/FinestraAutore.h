#pragma once

#include "Versione.h"
#include "schermate/informazioni/FinestraInformazioni.h"

// Who made the program: a web address and an e-mail address, both fixed. Opened modal from the
// "Autore" menu of the start and exercise screens.
class FinestraAutore : public FinestraInformazioni
{
    Q_OBJECT

public:
    explicit FinestraAutore(QWidget *parent = nullptr);

    static QString sito() { return QLatin1String(SitoContalino); }
    static QString email() { return QLatin1String(EmailContalino); }
};
