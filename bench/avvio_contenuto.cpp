// What the start screen's content costs the toolkit alone: the floor window with a menu bar and
// labels in the five fonts the start screen shows, and none of the program's code. The difference
// between this and the program is what the program itself adds to its start.
#include "PrimoFotogramma.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>

int main(int argc, char *argv[])
{
    QApplication applicazione(argc, argv);
    QMainWindow finestra;
    finestra.menuBar()->addAction(QStringLiteral("Autore"));
    auto *area = new QWidget;
    finestra.setCentralWidget(area);
    auto *pulsante = new QPushButton(QStringLiteral("Vai"), area);
    pulsante->setGeometry(20, 20, 120, 40);

    struct Carattere
    {
        const char *famiglia;
        qreal punti;
        const char *testo;
    };
    const Carattere caratteri[] = {
        {"Arial", 27.75, "Contalino"},
        {"Arial", 9.75, "Vers.1.0 Mouse"},
        {"Arial", 18, "Tabella del 7"},
        {"Arial", 15.75, "0 1 2 3 4 5 6 7 8 9 10"},
        {"MS Sans Serif", 18, "Vai Ripristina Esci"},
    };
    int alto = 80;
    for (const Carattere &c : caratteri) {
        auto *etichetta = new QLabel(QString::fromLatin1(c.testo), area);
        QFont font(QString::fromLatin1(c.famiglia));
        font.setPointSizeF(c.punti);
        font.setBold(true);
        etichetta->setFont(font);
        etichetta->setGeometry(20, alto, 600, 60);
        alto += 70;
    }

    new PrimoFotogramma(&finestra);
    finestra.showMaximized();
    return applicazione.exec();
}
