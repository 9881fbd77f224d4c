// Writes the program's icon, for the desktop's icon theme (a PNG of the given size) or for the Windows
// program file and its installer (an ICO with the sizes Explorer, the taskbar and Alt+Tab ask for). The
// picture comes from the same code that draws the window icon, so they cannot drift apart.

#include "componenti/finestre/Icona.h"

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QPixmap>
#include <QtEndian>

#include <cstdio>

namespace {

QByteArray png(int lato)
{
    if (lato <= 0 || lato > 1024)
        return {};
    const QPixmap immagine = Icona::disegno(lato);
    QByteArray dati;
    QBuffer buffer(&dati);
    if (immagine.size() != QSize(lato, lato) || !buffer.open(QIODevice::WriteOnly) || !immagine.save(&buffer, "PNG"))
        return {};
    return dati;
}

template<typename T> void aggiungi(QByteArray &dati, T valore)
{
    const T le = qToLittleEndian(valore);
    dati.append(reinterpret_cast<const char *>(&le), sizeof le);
}

// An ICO file whose images are PNGs, as Windows reads them since Vista: a header, one directory
// entry per size, then the images.
QByteArray ico()
{
    const QList<int> lati = {16, 20, 24, 32, 40, 48, 64, 256};
    QList<QByteArray> immagini;
    for (int lato : lati) {
        immagini.append(png(lato));
        if (immagini.last().isEmpty())
            return {};
    }
    QByteArray dati;
    aggiungi<quint16>(dati, 0);
    aggiungi<quint16>(dati, 1);
    aggiungi<quint16>(dati, quint16(lati.size()));
    quint32 posizione = 6 + 16 * quint32(lati.size());
    for (qsizetype i = 0; i < lati.size(); ++i) {
        const quint8 lato = lati[i] >= 256 ? 0 : quint8(lati[i]); // 0 stands for 256
        aggiungi<quint8>(dati, lato);
        aggiungi<quint8>(dati, lato);
        aggiungi<quint8>(dati, 0); // no palette
        aggiungi<quint8>(dati, 0);
        aggiungi<quint16>(dati, 1);  // planes
        aggiungi<quint16>(dati, 32); // bits per pixel
        aggiungi<quint32>(dati, quint32(immagini[i].size()));
        aggiungi<quint32>(dati, posizione);
        posizione += quint32(immagini[i].size());
    }
    for (const QByteArray &immagine : immagini)
        dati.append(immagine);
    return dati;
}

} // namespace

int main(int argc, char *argv[])
{
    const bool perWindows = argc == 2 && QByteArray(argv[1]).endsWith(".ico");
    if (argc != 3 && !perWindows) {
        std::fprintf(stderr, "uso: %s LATO FILE.png\n     %s FILE.ico\n", argv[0], argv[0]);
        return 2;
    }
    // No display is needed to draw an image: this runs while the program is being built.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication applicazione(argc, argv);
    const char *destinazione = perWindows ? argv[1] : argv[2];
    const QByteArray dati = perWindows ? ico() : png(QByteArray(argv[1]).toInt());
    QFile file(QString::fromLocal8Bit(destinazione));
    if (dati.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(dati) != dati.size() || !file.flush()) {
        std::fprintf(stderr, "%s: impossibile scrivere %s\n", argv[0], destinazione);
        return 1;
    }
    return 0;
}
