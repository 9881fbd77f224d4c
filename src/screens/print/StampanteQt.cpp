#include "screens/print/StampanteQt.h"

#include "screens/print/PaginaEsercizi.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryFile>

#include <algorithm>

namespace {

constexpr qreal TwipsPerPollice = 1440.0;
constexpr int MassimoNomiTentati = 1000;

bool primaInOrdine(const QString &a, const QString &b)
{
    return QString::compare(a, b, Qt::CaseInsensitive) < 0;
}

// The family the font configuration really uses for a name, if it is an installed fixed-pitch one.
bool diventaFontFisso(const QString &nome, const QStringList &famiglie)
{
    const QFontInfo info {QFont(nome)};
    return famiglie.contains(info.family()) && QFontDatabase::isFixedPitch(info.family());
}

QString tra(const QString &cartella)
{
    return QStringLiteral("«%1»").arg(QDir::toNativeSeparators(cartella));
}

} // namespace

std::unique_ptr<StampanteQt> StampanteQt::predefinita()
{
    return std::unique_ptr<StampanteQt>(new StampanteQt(Destinazione::Predefinita, QString()));
}

std::unique_ptr<StampanteQt> StampanteQt::pdf(const QString &percorso)
{
    return std::unique_ptr<StampanteQt>(new StampanteQt(Destinazione::Pdf, QFileInfo(percorso).absoluteFilePath()));
}

StampanteQt::StampanteQt(Destinazione destinazione, const QString &percorso)
    : m_destinazione(destinazione)
    , m_percorso(percorso)
{
    m_font.setBold(false);
    if (destinazione == Destinazione::Predefinita) {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (!info.isNull()) {
            m_printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
            m_printer->setDocName(QStringLiteral("Esercizi"));
        }
    } else {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_printer->setOutputFormat(QPrinter::PdfFormat);
        m_printer->setPageSize(QPageSize(QPageSize::A4));
        m_printer->setDocName(QFileInfo(percorso).completeBaseName());
    }
}

StampanteQt::~StampanteQt()
{
    scarta();
}

QStringList StampanteQt::fontDiSistema()
{
    const QStringList famiglie = QFontDatabase::families();
    QStringList elenco = famiglie;
    for (const QString &nome : {QStringLiteral("Courier"), QStringLiteral("Courier New")}) {
        if (elenco.contains(nome) || !diventaFontFisso(nome, famiglie))
            continue;
        elenco.insert(std::lower_bound(elenco.begin(), elenco.end(), nome, primaInOrdine), nome);
    }
    return elenco;
}

QStringList StampanteQt::elencoFont() const
{
    return fontDiSistema();
}

void StampanteQt::setNomeFont(const QString &nome)
{
    m_font.setFamily(nome);
}

void StampanteQt::setDimensioneFont(qreal punti)
{
    m_font.setPointSizeF(punti);
}

void StampanteQt::setGrassetto(bool grassetto)
{
    m_font.setBold(grassetto);
}

void StampanteQt::setX(int twips)
{
    m_posizione.setX(twips);
}

void StampanteQt::setY(int twips)
{
    m_posizione.setY(twips);
}

qreal StampanteQt::unitaDispositivo(int twips) const
{
    return twips * m_printer->resolution() / TwipsPerPollice;
}

void StampanteQt::stampa(const QString &testo)
{
    if (!avvia() || testo.isEmpty())
        return;
    m_painter.setFont(m_font);
    // The position is the text's top edge; QPainter places the baseline.
    const QFontMetricsF metrica(m_font, m_printer.get());
    m_painter.drawText(QPointF(unitaDispositivo(m_posizione.x()), unitaDispositivo(m_posizione.y()) + metrica.ascent()),
                       testo);
    if (m_printer->printerState() == QPrinter::Error)
        fallisce(Stato::Errore, QStringLiteral("la stampante ha segnalato un errore"));
}

bool StampanteQt::avvia()
{
    if (m_stato != Stato::DaIniziare)
        return m_stato == Stato::Avviato;
    if (!m_printer) {
        fallisce(Stato::NessunaStampante, QStringLiteral("non è configurata nessuna stampante"));
        return false;
    }
    if (m_destinazione == Destinazione::Pdf) {
        const QString cartella = QFileInfo(m_percorso).absolutePath();
        if (!QFileInfo(cartella).isDir()) {
            fallisce(Stato::Errore, QStringLiteral("la cartella %1 non esiste").arg(tra(cartella)));
            return false;
        }
        QTemporaryFile temporaneo(QDir(cartella).filePath(QStringLiteral(".Esercizi-XXXXXX.pdf.part")));
        temporaneo.setAutoRemove(false);
        if (!temporaneo.open()) {
            fallisce(Stato::Errore, QStringLiteral("non è possibile scrivere nella cartella %1").arg(tra(cartella)));
            return false;
        }
        m_temporaneo = temporaneo.fileName();
        temporaneo.close();
        m_printer->setOutputFileName(m_temporaneo);
    }
    if (!m_painter.begin(m_printer.get())) {
        if (m_destinazione == Destinazione::Predefinita)
            fallisce(Stato::NessunaStampante, QStringLiteral("la stampante predefinita non risponde"));
        else
            fallisce(Stato::Errore, QStringLiteral("il file %1 non si può scrivere").arg(tra(m_temporaneo)));
        return false;
    }
    m_stato = Stato::Avviato;
    return true;
}

Stampante::Esito StampanteQt::fineDocumento()
{
    avvia();
    if (m_stato == Stato::Avviato) {
        if (!m_painter.end() || m_printer->printerState() == QPrinter::Error)
            fallisce(Stato::Errore, QStringLiteral("la stampante ha segnalato un errore"));
        else if (m_destinazione == Destinazione::Pdf)
            consegnaPdf();
        else
            m_stato = Stato::Finito;
    }
    switch (m_stato) {
    case Stato::Finito:
        return Esito::Stampato;
    case Stato::NessunaStampante:
        return Esito::NessunaStampante;
    default:
        return Esito::Errore;
    }
}

QString StampanteQt::motivo() const
{
    return m_motivo;
}

QPageLayout StampanteQt::impaginazione() const
{
    return m_printer ? m_printer->pageLayout() : QPageLayout();
}

void StampanteQt::fallisce(Stato stato, const QString &motivo)
{
    scarta();
    m_stato = stato;
    m_motivo = motivo;
}

// Drops whatever was begun: the print job is cancelled, the temporary file goes.
void StampanteQt::scarta()
{
    if (m_painter.isActive()) {
        m_printer->abort();
        m_painter.end();
    }
    if (!m_temporaneo.isEmpty()) {
        QFile::remove(m_temporaneo);
        m_temporaneo.clear();
    }
}

void StampanteQt::consegnaPdf()
{
    // A PDF ends with its trailer; a full disk leaves a file cut short of it.
    QFile scritto(m_temporaneo);
    if (!scritto.open(QIODevice::ReadOnly) || scritto.size() < 64 || !scritto.seek(scritto.size() - 64)
        || !scritto.read(64).contains("%%EOF")) {
        fallisce(Stato::Errore, QStringLiteral("il file non è stato scritto per intero"));
        return;
    }
    scritto.close();
    // QFile::rename() never replaces an existing file: a name already taken makes it fail, and the
    // next number is tried.
    for (int n = 1; n <= MassimoNomiTentati; ++n) {
        const QString candidato = PaginaEsercizi::percorsoNumerato(m_percorso, n);
        QFile file(m_temporaneo);
        if (file.rename(candidato)) {
            m_temporaneo.clear();
            m_salvato = candidato;
            m_stato = Stato::Finito;
            return;
        }
        if (!QFileInfo::exists(candidato)) {
            fallisce(Stato::Errore,
                     QStringLiteral("il file %1 non si può creare: %2").arg(tra(candidato), file.errorString()));
            return;
        }
    }
    fallisce(Stato::Errore, QStringLiteral("ci sono già troppi file con il nome %1").arg(tra(m_percorso)));
}
