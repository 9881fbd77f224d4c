#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

// Every message box of the program goes through here: the program's name as title, the text and one
// OK button. A test answers the next box in advance with setProssimaRisposta(): that box is then not
// shown at all, but its text is kept like every other one, so the test can read what the user would
// have seen.
class Messaggio
{
public:
    enum class Tipo
    {
        Semplice, // text and OK, nothing more
        Informazione,
        Avviso
    };

    static QMessageBox::StandardButton mostra(QWidget *parent, const QString &testo, Tipo tipo = Tipo::Semplice);

    static void setProssimaRisposta(QMessageBox::StandardButton risposta);

    // The boxes asked for since the last azzera(), shown or answered in advance.
    static int conteggio();
    static QString ultimoTesto();
    // Forgets the texts and any answer still waiting.
    static void azzera();
};
