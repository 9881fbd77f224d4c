#include "stampa/StampanteQt.h"

#include "stampa/CodaDiStampa.h"
#include "stampa/PaginaEsercizi.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryFile>

#include <algorithm>

namespace {

constexpr qreal TwipsPerPollice = 1440.0;
constexpr int PuntiPerPollice = 1200; // QPrinter::HighResolution's
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

// The page of a PDF: A4, the printable area 10 points in from each edge, as Qt's PDF printer has it.
QPageLayout paginaPdf()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10));
}

// A PDF ends with its trailer; a full disk leaves a file cut short of it.
bool pdfCompleto(const QString &percorso)
{
    QFile scritto(percorso);
    return scritto.open(QIODevice::ReadOnly) && scritto.size() >= 64 && scritto.seek(scritto.size() - 64)
           && scritto.read(64).contains("%%EOF");
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
    return twips * PuntiPerPollice / TwipsPerPollice;
}

void StampanteQt::stampa(const QString &testo)
{
    if (!avvia() || testo.isEmpty())
        return;
    m_painter.setFont(m_font);
    // The position is the text's top edge; QPainter places the baseline.
    const QFontMetricsF metrica(m_font, m_dispositivo);
    m_painter.drawText(QPointF(unitaDispositivo(m_posizione.x()), unitaDispositivo(m_posizione.y()) + metrica.ascent()),
                       testo);
    if (m_printer && m_printer->printerState() == QPrinter::Error)
        fallisce(Stato::Errore, QStringLiteral("la stampante ha segnalato un errore"));
}

// Which printer is the default one, and a QPrinter for it with its own page: the print system is asked
// here, on the printing thread, and may keep it waiting until the window gives up.
bool StampanteQt::cercaPredefinita()
{
    const CodaDiStampa::Predefinita predefinita = CodaDiStampa::predefinita(m_annullato);
    switch (predefinita.stato) {
    case CodaDiStampa::Predefinita::Stato::Nessuna:
        fallisce(Stato::NessunaStampante, QStringLiteral("non è configurata nessuna stampante"));
        return false;
    case CodaDiStampa::Predefinita::Stato::NonRisponde:
        fallisce(Stato::Rifiutato, QStringLiteral("non risponde"));
        return false;
    case CodaDiStampa::Predefinita::Stato::Trovata:
        break;
    }
    {
        const std::lock_guard<std::mutex> blocco(m_mutexNome);
        m_nome = predefinita.descrizione;
    }
    m_attendeUtente = predefinita.chiedeAlUtente;
    // Qt asks the print system again, through a connection of its own that cannot be cut short: once it
    // answers, a window that has given up meanwhile gets nothing more from this attempt.
    const QPrinterInfo info = QPrinterInfo::printerInfo(predefinita.coda);
    if (!info.isNull() && !m_annullato.load()) {
        m_printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
        m_printer->setDocName(QStringLiteral("Esercizi"));
        m_dispositivo = m_printer.get();
    }
    if (m_annullato.load())
        fallisce(Stato::Rifiutato, QStringLiteral("non risponde"));
    else if (!m_printer)
        fallisce(Stato::Rifiutato, QStringLiteral("non esiste più"));
    return m_stato == Stato::DaIniziare;
}

bool StampanteQt::avvia()
{
    if (m_stato != Stato::DaIniziare)
        return m_stato == Stato::Avviato;
    if (m_destinazione == Destinazione::Predefinita && !cercaPredefinita())
        return false;
    // A PDF is written next to its destination. The page for a queue that takes files goes to the
    // temporary folder, drawn by the printer's own engine: the name does not end in ".pdf", which would
    // make QPrinter trade that engine, and the printer's page, for its generic PDF one.
    const bool suFile = m_destinazione == Destinazione::Pdf || CodaDiStampa::suFile();
    if (suFile) {
        const QString cartella
            = m_destinazione == Destinazione::Pdf ? QFileInfo(m_percorso).absolutePath() : QDir::tempPath();
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
        if (m_printer) {
            m_printer->setOutputFileName(m_temporaneo);
        } else {
            m_pdf = std::make_unique<QPdfWriter>(m_temporaneo);
            m_pdf->setResolution(PuntiPerPollice);
            m_pdf->setPageLayout(paginaPdf());
            m_pdf->setTitle(QFileInfo(m_percorso).completeBaseName());
            m_pdf->setCreator(QStringLiteral("Contalino"));
            m_dispositivo = m_pdf.get();
        }
    }
    if (!m_painter.begin(m_dispositivo)) {
        if (suFile)
            fallisce(Stato::Errore, QStringLiteral("il file %1 non si può scrivere").arg(tra(m_temporaneo)));
        else
            fallisce(Stato::Rifiutato, QStringLiteral("non risponde"));
        return false;
    }
    m_stato = Stato::Avviato;
    return true;
}

Stampante::Esito StampanteQt::fineDocumento()
{
    avvia();
    if (m_stato == Stato::Avviato) {
        const bool chiuso = m_painter.end() && (!m_printer || m_printer->printerState() != QPrinter::Error);
        if (m_destinazione == Destinazione::Pdf) {
            if (chiuso)
                consegnaPdf();
            else
                fallisce(Stato::Errore, QStringLiteral("la stampante ha segnalato un errore"));
        } else {
            consegnaAllaCoda(chiuso);
        }
    }
    switch (m_stato) {
    case Stato::Finito:
        return Esito::Stampato;
    case Stato::NessunaStampante:
        return Esito::NessunaStampante;
    case Stato::Rifiutato:
        return Esito::Rifiutato;
    default:
        return Esito::Errore;
    }
}

QString StampanteQt::motivo() const
{
    return m_motivo;
}

QString StampanteQt::nome() const
{
    const std::lock_guard<std::mutex> blocco(m_mutexNome);
    return m_nome;
}

void StampanteQt::annulla()
{
    m_annullato = true;
}

QPageLayout StampanteQt::impaginazione() const
{
    if (m_destinazione == Destinazione::Pdf)
        return paginaPdf();
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
        if (m_printer)
            m_printer->abort();
        m_painter.end();
    }
    if (!m_temporaneo.isEmpty()) {
        QFile::remove(m_temporaneo);
        m_temporaneo.clear();
    }
}

// The ended page goes to the printer's queue, and the queue's answer is the outcome. The file drawn for
// it goes in any case: a page the queue refused is made again as a PDF by the caller.
void StampanteQt::consegnaAllaCoda(bool chiuso)
{
    if (!m_temporaneo.isEmpty() && (!chiuso || !pdfCompleto(m_temporaneo))) {
        fallisce(Stato::Errore, QStringLiteral("il foglio non è stato scritto per intero nella cartella %1")
                                    .arg(tra(QFileInfo(m_temporaneo).absolutePath())));
        return;
    }
    if (m_temporaneo.isEmpty() && !chiuso) {
        fallisce(Stato::Rifiutato, QStringLiteral("ha segnalato un errore"));
        return;
    }
    const CodaDiStampa::Risposta risposta = CodaDiStampa::consegna(*m_printer, m_temporaneo, m_annullato);
    scarta();
    if (risposta.presa) {
        m_stato = Stato::Finito;
    } else {
        m_stato = Stato::Rifiutato;
        m_motivo = risposta.motivo;
    }
}

void StampanteQt::consegnaPdf()
{
    if (!pdfCompleto(m_temporaneo)) {
        fallisce(Stato::Errore, QStringLiteral("il file non è stato scritto per intero"));
        return;
    }
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
