#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

// The message boxes of one screen: the program's name as title, the text and one OK button, answered
// only by a fresh press. A test answers the next box in advance with setProssimaRisposta(): that box is
// then not shown at all, but its text is kept like every other one, so the test can read what the user
// would have seen.
class Messaggio
{
public:
    enum class Tipo
    {
        Semplice, // text and OK, nothing more
        Informazione,
        Avviso
    };

    // Returns once the box is answered on the desktop; in the browser at once (mostraModale), with Ok.
    QMessageBox::StandardButton mostra(QWidget *parent, const QString &testo, Tipo tipo = Tipo::Semplice);

    void setProssimaRisposta(QMessageBox::StandardButton risposta) { m_prossimaRisposta = risposta; }

    // The boxes asked for so far, shown or answered in advance.
    int conteggio() const { return m_conteggio; }
    QString ultimoTesto() const { return m_ultimoTesto; }

private:
    QMessageBox::StandardButton m_prossimaRisposta = QMessageBox::NoButton;
    int m_conteggio = 0;
    QString m_ultimoTesto;
};
