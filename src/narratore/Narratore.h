#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>

class QWidget;
class Serie;
class Voce;

// What the voice says, and when: a view of the series and of the focus, as the screens are. It says the
// item the focus lands on, whatever moved it, as a screen reader names it ("7", "Invio", "Vai",
// "STAMPA LE OPERAZIONI"); the operation of a column as it is armed ("7 per 8"); the answer as it is
// typed, whether it was right, the answer revealed; the help offer, the intervention and the warning as
// they come forward; the text of a message box as it opens.
//
// What one press brings is said whole, in order: what the series announced, then the item the focus
// reached (a typed digit: "56", "Invio"; a right answer: "Giusto", the next operation, "0"). It is said
// once the press has been handled, never on the way of the drawing, and the next press cuts whatever is
// still being said, so that scanning fast never queues speech behind the child. What comes by itself
// afterwards (the window a press opened, the focus it gives) is said after it. The narrator touches no
// rule and no widget.
class Narratore : public QObject
{
    Q_OBJECT

public:
    Narratore(Serie &serie, Voce &voce, QObject *parent = nullptr);
    ~Narratore() override;

    // A caption as a voice should read it: letters spaced out for the eye ("C h i u d i") make one word.
    static QString leggibile(const QString &testo);

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override;

private:
    void annuncia(const QString &testo);
    void fuocoSu(QWidget *widget);
    void prossimamente();
    void pronuncia();

    Serie &m_serie;
    Voce &m_voce;
    QStringList m_annunci;
    QPointer<QWidget> m_fuoco;
    QPointer<QWidget> m_messaggioDetto;
    bool m_premuto = false;
    bool m_inAttesa = false;
};
