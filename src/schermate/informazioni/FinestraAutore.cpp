#include "schermate/informazioni/FinestraAutore.h"

#include "componenti/disposizione/Controlli.h"
#include "componenti/disposizione/Unita.h"

#include <QPushButton>

FinestraAutore::FinestraAutore(QWidget *parent)
    : FinestraInformazioni(QStringLiteral("Autore"), QSize(6975, 3510), QRect(1845, 2892, 2700, 564), parent)
{
    const QColor blu = Unita::coloreBGR(Unita::Blu);
    etichetta("titoloSito", QStringLiteral("Sito dell'autore:"), QRect(200, 465, 4455, 435), 18, false);
    etichetta("sito", sito(), QRect(165, 945, 6795, 510), 18, true)->setColoreTesto(blu);
    etichetta("titoloEmail", QStringLiteral("Email:"), QRect(225, 1860, 1350, 435), 18, false);
    etichetta("email", email(), QRect(180, 2310, 5955, 510), 18, true)->setColoreTesto(blu);
    m_chiudi->raise();
    m_chiudi->setFocus();
}
