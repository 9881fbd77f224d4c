#include "schermate/informazioni/FinestraIstruzioni.h"

#include "componenti/disposizione/Controlli.h"

#include <QPushButton>

FinestraIstruzioni::FinestraIstruzioni(QWidget *parent)
    : FinestraInformazioni(QStringLiteral("ISTRUZIONI"), QSize(9000, 5745), QRect(2985, 5088, 2700, 624), parent)
{
    Etichetta *istruzioni = etichetta("istruzioni", testoIstruzioni(), QRect(420, 240, 7995, 4710), 9.75, true);
    istruzioni->setWordWrap(true);
    m_chiudi->raise();
    m_chiudi->setFocus();
}

QString FinestraIstruzioni::testoIstruzioni()
{
    struct Riga
    {
        const char16_t *testo;
        int aCapo;
    };
    static constexpr Riga righe[] = {
        {u" I dati possono essere immessi con: ", 1},
        {u" - la tastiera ed il tastierino", 1},
        {u" - il mouse", 1},
        {u" - la scansione manuale", 3},
        {u" PER UTILIZZARE LA TASTIERA ED IL TASTIERINO", 1},
        {u" Premere il numero ordinale del pulsante.", 1},
        {u" Oltre il numero 9 premere la lettera iniziale dei pulsanti.", 1},
        {u" La funzione del tasto INVIO \u00e8 sostituita dal pulsante ", 1},
        {u" AVANTI del tasto programma", 2},
        {u" PER UTILIZZARE  IL MOUSE ", 1},
        {u" Cliccare con il pulsante sinistro.", 2},
        {u" PER UTILIZZARE LA SCANSIONE MANUALE ", 1},
        {u" Premere la BARRA-SPAZIO per scegliere, premere INVIO per confermare.", 0},
    };
    QString testo;
    for (const Riga &riga : righe)
        testo += QString::fromUtf16(riga.testo) + QString(riga.aCapo, QChar(13));
    return testo;
}
