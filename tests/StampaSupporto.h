#pragma once

// What the print tests share: a printer that writes its calls down, a real printer with another
// font list or something happening to it mid-page, the exercise record they print, and a PDF page
// read back with pdftotext.

#include "serie/Serie.h"
#include "stampa/PaginaEsercizi.h"
#include "stampa/Stampante.h"
#include "stampa/StampanteInoltro.h"

#include <QProcess>
#include <QRectF>
#include <QStandardPaths>
#include <QXmlStreamReader>

#include <algorithm>
#include <functional>
#include <memory>

class StampanteRegistrata : public Stampante
{
public:
    explicit StampanteRegistrata(std::shared_ptr<QStringList> registro,
                                 QStringList font = {QStringLiteral("Arial"), QStringLiteral("Courier New")},
                                 Esito esito = Esito::Stampato, QString motivo = {}, QString nome = {},
                                 QString nota = {})
        : m_registro(std::move(registro))
        , m_font(std::move(font))
        , m_esito(esito)
        , m_motivo(std::move(motivo))
        , m_nome(std::move(nome))
        , m_nota(std::move(nota))
    { }

    QStringList elencoFont() const override
    {
        m_registro->append(QStringLiteral("elencoFont"));
        return m_font;
    }
    void setNomeFont(const QString &nome) override { m_registro->append(QStringLiteral("font ") + nome); }
    void setDimensioneFont(qreal punti) override { m_registro->append(QStringLiteral("dimensione %1").arg(punti)); }
    void setGrassetto(bool grassetto) override { m_registro->append(QStringLiteral("grassetto %1").arg(grassetto)); }
    void setX(int twips) override { m_registro->append(QStringLiteral("x %1").arg(twips)); }
    void setY(int twips) override { m_registro->append(QStringLiteral("y %1").arg(twips)); }
    void stampa(const QString &testo) override { m_registro->append(QStringLiteral("stampa ") + testo); }
    Esito fineDocumento() override
    {
        m_registro->append(QStringLiteral("fine"));
        return m_esito;
    }
    QString motivo() const override { return m_motivo; }
    QString nome() const override { return m_nome; }
    QString nota() const override { return m_nota; }
    bool attendeUtente() const override { return attende; }

    bool attende = false; // as a driver's own dialog does, waiting for the teacher

private:
    std::shared_ptr<QStringList> m_registro;
    QStringList m_font;
    Esito m_esito;
    QString m_motivo;
    QString m_nome;
    QString m_nota;
};

// A real printer as the test wants it: offering other fonts than the system's (an empty list keeps the
// printer's own), and with something happening to it, if given, while the page is being made, just
// before the document ends, on the printing thread: the queue deleted, the scheduler stopped. The
// witness goes with the printer, so a test can wait for a printing thread it was given up on to end.
class StampanteVera : public StampanteInoltro<>
{
public:
    StampanteVera(std::unique_ptr<Stampante> vera, QStringList font, std::function<void()> primaDellaFine = {},
                  std::shared_ptr<void> testimone = {})
        : StampanteInoltro(std::move(vera))
        , m_font(std::move(font))
        , m_primaDellaFine(std::move(primaDellaFine))
        , m_testimone(std::move(testimone))
    { }

    QStringList elencoFont() const override { return m_font.isEmpty() ? m_interna->elencoFont() : m_font; }
    Esito fineDocumento() override
    {
        if (m_primaDellaFine)
            m_primaDellaFine();
        return m_interna->fineDocumento();
    }

private:
    QStringList m_font;
    std::function<void()> m_primaDellaFine;
    std::shared_ptr<void> m_testimone;
};

// A record as a child leaves it: wrong answers kept, one revealed answer, an empty line (5) that
// must still take its row, and lines beyond the counter that must never be printed.
inline void riempiRegistro(Serie &serie, int numEsercizi)
{
    std::array<QString, Serie::NumeroRighe> registro;
    for (int k = 0; k < Serie::NumeroRighe; ++k) {
        const int tabella = 2 + k / 10;
        const int fattore = k % 10 + 1;
        QString riga = QStringLiteral("%1 × %2 = ").arg(tabella).arg(fattore, 2);
        if (k % 3 == 1)
            riga += QStringLiteral("%1  ").arg(tabella * fattore + 1);
        riga += k % 7 == 3 ? QStringLiteral(" %1").arg(tabella * fattore)
                           : QStringLiteral("%1  ").arg(tabella * fattore);
        registro.at(k) = riga;
    }
    registro.at(5).clear();
    serie.caricaRegistro(registro, numEsercizi);
}

struct RigaAttesa
{
    QString testo;
    QPoint twips;
    qreal punti;
};

// The heading and the non-empty record lines 0..the count of operations, where the page must show them.
inline QList<RigaAttesa> paginaAttesa(const Serie &serie)
{
    QList<RigaAttesa> righe {{PaginaEsercizi::intestazione(), QPoint(1000, 1000), 18}};
    for (int k = 0; k <= serie.operazioni(); ++k) {
        if (!serie.registro().at(k).isEmpty())
            righe.append(RigaAttesa {serie.registro().at(k), PaginaEsercizi::posizioneRiga(k), 12});
    }
    return righe;
}

struct Parola
{
    QString testo;
    QRectF box; // points from the page's top-left corner

    bool operator==(const Parola &) const = default;
};

inline QString pdftotext()
{
    return QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
}

// The words of every page of a PDF, with their boxes, as pdftotext -bbox reads them.
inline QList<QList<Parola>> leggiPdf(const QString &percorso)
{
    QProcess processo;
    processo.start(pdftotext(), {QStringLiteral("-bbox"), percorso, QStringLiteral("-")});
    if (!processo.waitForFinished(30000) || processo.exitCode() != 0)
        return {};
    QList<QList<Parola>> pagine;
    QXmlStreamReader xml(processo.readAllStandardOutput());
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("page")) {
            pagine.append(QList<Parola>());
        } else if (xml.name() == QLatin1String("word") && !pagine.isEmpty()) {
            const auto a = xml.attributes();
            const QPointF alto(a.value(QLatin1String("xMin")).toDouble(), a.value(QLatin1String("yMin")).toDouble());
            const QPointF basso(a.value(QLatin1String("xMax")).toDouble(), a.value(QLatin1String("yMax")).toDouble());
            pagine.last().append(Parola {xml.readElementText(), QRectF(alto, basso)});
        }
    }
    return pagine;
}

// Every word of the expected lines where a fixed-pitch font of that size puts it (Courier's advance
// is 0.6 of its size, so blanks count too), and nothing else on the page. `origine` is the corner of
// the printable area in points. Returns what differs, within 1 pt.
inline QStringList confrontaPagina(QList<Parola> parole, const QList<RigaAttesa> &righe, QPointF origine)
{
    QStringList differenze;
    for (const RigaAttesa &riga : righe) {
        const qreal passo = 0.6 * riga.punti;
        const QStringList pezzi = riga.testo.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        qsizetype colonna = 0;
        for (const QString &pezzo : pezzi) {
            colonna = riga.testo.indexOf(pezzo, colonna);
            const QRectF atteso(origine.x() + riga.twips.x() / 20.0 + colonna * passo,
                                origine.y() + riga.twips.y() / 20.0, pezzo.size() * passo, 0);
            colonna += pezzo.size();
            const auto trovata = std::find_if(parole.begin(), parole.end(), [&](const Parola &p) {
                return p.testo == pezzo && qAbs(p.box.left() - atteso.left()) < 1
                       && qAbs(p.box.top() - atteso.top()) < 1 && qAbs(p.box.width() - atteso.width()) < 1;
            });
            if (trovata == parole.end())
                differenze << QStringLiteral("«%1» of «%2» missing at %3, %4")
                                  .arg(pezzo, riga.testo)
                                  .arg(atteso.left())
                                  .arg(atteso.top());
            else
                parole.erase(trovata);
        }
    }
    for (const Parola &p : std::as_const(parole))
        differenze << QStringLiteral("unexpected «%1» at %2, %3").arg(p.testo).arg(p.box.left()).arg(p.box.top());
    return differenze;
}
