#include "stampa/PaginaEsercizi.h"

#include "stampa/Stampante.h"

#include <QDir>
#include <QFileInfo>

namespace PaginaEsercizi {

QString intestazione()
{
    return QStringLiteral("SCUOLA ELEMENTARE DI ");
}

QString messaggioFontMancante()
{
    return QStringLiteral("Devi installare il font Courier o il font Courier New");
}

QPoint posizioneRiga(int k)
{
    // 16-bit arithmetic in the original layout: every value here stays far below 32767.
    if (k <= 0)
        return {1000, 3600};
    if (k <= 10)
        return {1000, 4000 + (k - 1) * 400};
    if (k <= 20)
        return {6000, 4000 + (k - 11) * 400};
    if (k <= 30)
        return {1000, 4000 + (k - 10) * 400};
    if (k <= 40)
        return {6000, 4000 + (k - 20) * 400};
    return {6000, 12400};
}

QString fontCourier(const QStringList &elencoFont)
{
    for (const QString &nome : elencoFont) {
        if (nome == QLatin1String("Courier") || nome == QLatin1String("Courier New"))
            return nome;
    }
    return {};
}

void disegna(Stampante &stampante, const QString &font, const QStringList &righe)
{
    stampante.setNomeFont(font);
    stampante.setX(PosizioneIntestazione.x());
    stampante.setY(PosizioneIntestazione.y());
    stampante.setDimensioneFont(DimensioneIntestazione);
    stampante.stampa(intestazione());
    stampante.setDimensioneFont(DimensioneRighe);
    stampante.setGrassetto(true);
    for (int k = 0; k < righe.size(); ++k) {
        const QPoint posto = posizioneRiga(k);
        stampante.setX(posto.x());
        stampante.setY(posto.y());
        stampante.stampa(righe.at(k));
    }
}

QString nomeFileRiserva(const QDateTime &momento)
{
    return QStringLiteral("Esercizi %1.pdf").arg(momento.toString(QStringLiteral("yyyy-MM-dd hh.mm.ss")));
}

QString percorsoNumerato(const QString &percorso, int n)
{
    if (n <= 1)
        return percorso;
    const QFileInfo info(percorso);
    const QString suffisso = info.suffix();
    QString nome = info.completeBaseName() + QStringLiteral(" (%1)").arg(n);
    if (!suffisso.isEmpty())
        nome += QLatin1Char('.') + suffisso;
    return info.dir().filePath(nome);
}

} // namespace PaginaEsercizi
