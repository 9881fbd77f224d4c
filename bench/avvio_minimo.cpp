// The floor of the toolkit: one maximized window with one button, ending after its first frame.
#include "PrimoFotogramma.h"

#include <QApplication>
#include <QPushButton>

int main(int argc, char *argv[])
{
    QApplication applicazione(argc, argv);
    QWidget finestra;
    auto *pulsante = new QPushButton(QStringLiteral("Vai"), &finestra);
    pulsante->setGeometry(20, 20, 120, 40);
    new PrimoFotogramma(&finestra);
    finestra.showMaximized();
    return applicazione.exec();
}
