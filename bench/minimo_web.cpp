// The floor of the toolkit in the browser: one window over the whole page with one button, built with
// the same Qt and flags as the program.
#include <QApplication>
#include <QPushButton>

int main(int argc, char *argv[])
{
    QApplication applicazione(argc, argv);
    QWidget finestra;
    auto *pulsante = new QPushButton(QStringLiteral("Vai"), &finestra);
    pulsante->setGeometry(20, 20, 120, 40);
    finestra.showFullScreen();
    return applicazione.exec();
}
