// Writes the program's icon as a PNG file of the given size, for the desktop's icon theme. The picture
// comes from the same code that draws the window icon, so the two cannot drift apart.

#include "app/Icona.h"

#include <QGuiApplication>
#include <QPixmap>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "uso: %s LATO FILE.png\n", argv[0]);
        return 2;
    }
    // No display is needed to draw an image: this runs while the program is being built.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication applicazione(argc, argv);
    const int lato = QByteArray(argv[1]).toInt();
    const QPixmap immagine = Icona::programma().pixmap(QSize(lato, lato));
    if (lato <= 0 || immagine.size() != QSize(lato, lato) || !immagine.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "%s: impossibile scrivere %s\n", argv[0], argv[2]);
        return 1;
    }
    return 0;
}
