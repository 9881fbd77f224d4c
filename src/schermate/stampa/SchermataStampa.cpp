#include "schermate/stampa/SchermataStampa.h"

#include "componenti/disposizione/Controlli.h"
#include "componenti/disposizione/LayoutProporzionale.h"
#include "componenti/disposizione/Unita.h"
#include "componenti/finestre/Messaggio.h"
#include "componenti/tasti/FiltroPulsanti.h"
#include "serie/Serie.h"
#include "stampa/PaginaEsercizi.h"
#include "stampa/Sottofondo.h"
#include "stampa/StampanteQt.h"
#include "stampa/Uscita.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QPushButton>

#include <algorithm>
#include <array>

using namespace Unita;

namespace {

constexpr QSize Progetto(11910, 8730);

constexpr std::array<int, 4> SinistraColonne = {120, 3060, 5970, 8850};
constexpr std::array<int, 10> AltoRighe = {2955, 3375, 3795, 4245, 4695, 5145, 5595, 6045, 6510, 6960};
constexpr QSize CellaAnteprima(2835, 435);

// Printing can take a moment; the program takes no input meanwhile and says so with the cursor too.
class CursoreAttesa
{
public:
    CursoreAttesa() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CursoreAttesa() { QGuiApplication::restoreOverrideCursor(); }
    CursoreAttesa(const CursoreAttesa &) = delete;
    CursoreAttesa &operator=(const CursoreAttesa &) = delete;
};

} // namespace

SchermataStampa::SchermataStampa(const Serie &serie, QWidget *parent)
    : Schermata(QStringLiteral("FINESTRA DI STAMPA"), Progetto, false, parent)
    , m_serie(serie)
{
    creaControlli();
    collegaSegnali();
    riempiAnteprima();
}

void SchermataStampa::creaControlli()
{
    QWidget *area = client();
    QPalette tavolozza = area->palette();
    tavolozza.setColor(QPalette::Window, coloreBGR(Acqua));
    area->setPalette(tavolozza);
    LayoutProporzionale *layout = proporzioni();

    auto *titolo = new Etichetta(QStringLiteral("E S E R C I Z I   E S E G U I T I "), area);
    titolo->setObjectName(QStringLiteral("titolo"));
    titolo->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    titolo->setFont(carattere(QStringLiteral("Arial"), 15.75, true));
    titolo->setColoreTesto(coloreBGR(RossoScuro));
    layout->aggiungi(titolo, QRect(660, 75, 10725, 525));

    // The picture area has no picture: it only keeps its place, and says when the page is being sent.
    auto *immagine = new QLabel(area);
    immagine->setObjectName(QStringLiteral("immagine"));
    layout->aggiungi(immagine, QRect(1095, 765, 9120, 1740));
    m_inStampa = new Etichetta(QStringLiteral("Stampa in corso…"), area);
    m_inStampa->setObjectName(QStringLiteral("inStampa"));
    m_inStampa->setAlignment(Qt::AlignCenter);
    m_inStampa->setFont(carattere(QStringLiteral("Arial"), 15.75, true));
    m_inStampa->setColoreTesto(coloreBGR(RossoScuro));
    m_inStampa->hide();
    layout->aggiungi(m_inStampa, QRect(1095, 765, 9120, 1740));

    for (int i = 0; i < CelleAnteprima; ++i) {
        auto *cella = new Etichetta(QString(), area);
        cella->setObjectName(QStringLiteral("anteprima(%1)").arg(i));
        cella->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        cella->setFont(carattere(QStringLiteral("Courier"), 12, false));
        cella->setColoreSfondo(coloreBGR(Celeste));
        const QPoint posto(SinistraColonne.at(i / 10), AltoRighe.at(i % 10));
        layout->aggiungi(cella, QRect(posto, CellaAnteprima));
        m_anteprima.append(cella);
    }

    auto pulsante = [&](const char *nome, const QString &testo, const QRect &posto) {
        auto *bottone = new QPushButton(testo, area);
        bottone->setObjectName(QLatin1String(nome));
        bottone->setFont(carattere(QStringLiteral("Arial"), 14.25, true));
        bottone->setStyleSheet(QStringLiteral("QPushButton { background-color: rgb(128, 255, 255); color: black;"
                                              " border: 1px solid black; }"
                                              "QPushButton:pressed { border: 2px inset black; }"
                                              "QPushButton:focus { border: 3px solid rgb(0, 0, 128); }"));
        // Enter confirms the button that has the focus, as Space does.
        bottone->setAutoDefault(true);
        bottone->setFocusPolicy(Qt::StrongFocus);
        layout->aggiungi(bottone, posto);
        return bottone;
    };
    m_esci = pulsante("esci", QStringLiteral("ESCI"), QRect(960, 7455, 4155, 885));
    m_stampa = pulsante("stampa", QStringLiteral("STAMPA LE OPERAZIONI"), QRect(6795, 7425, 4155, 885));
    // Enter held down on "Stampa" opens this screen; its repeats arrive here and must not press "ESCI"
    // (or print again and again). Any mouse button presses, at once.
    auto *filtro = new FiltroPulsanti(this);
    m_esci->installEventFilter(filtro);
    m_stampa->installEventFilter(filtro);

    setTabOrder(m_esci, m_stampa);
    m_esci->setFocus(Qt::OtherFocusReason);
}

void SchermataStampa::collegaSegnali()
{
    // Queued: "ESCI" acts at the press, and the release of the mouse button or of the finger that
    // pressed it still belongs to this window.
    connect(m_esci, &QPushButton::clicked, this, &QWidget::close, Qt::QueuedConnection);
    connect(m_stampa, &QPushButton::clicked, this, &SchermataStampa::stampaOperazioni);
}

void SchermataStampa::riempiAnteprima()
{
    for (int k = 0; k < RigheAnteprima; ++k)
        m_anteprima.at(k)->setText(m_serie.registro().at(k));
}

void SchermataStampa::setFabbricaStampante(FabbricaStampante fabbrica)
{
    m_fabbrica = std::move(fabbrica);
}

void SchermataStampa::setCartellaDocumenti(const QString &cartella)
{
    m_cartellaDocumenti = cartella;
}

QString SchermataStampa::cartellaDocumenti() const
{
    return m_cartellaDocumenti.isEmpty() ? cartellaDiRiserva() : m_cartellaDocumenti;
}

void SchermataStampa::stampaOperazioni()
{
    if (!m_inStampa->isHidden())
        return;
    const std::shared_ptr<Stampante> stampante = m_fabbrica ? m_fabbrica() : stampantePredefinita();
    const QString font = PaginaEsercizi::fontCourier(stampante->elencoFont());
    if (font.isEmpty()) {
        m_messaggi.mostra(this, PaginaEsercizi::messaggioFontMancante());
        return;
    }
    // The message waits until the page is out of the way, so that it is the only thing taking presses.
    Spiegazione spiegazione;
    {
        setInStampa(true);
        const CursoreAttesa attesa;
        spiegazione = spiega(stampaEsercizi(stampante, font), *stampante, font);
        setInStampa(false);
    }
    if (!spiegazione.testo.isEmpty())
        m_messaggi.mostra(this, spiegazione.testo,
                          spiegazione.avviso ? Messaggio::Tipo::Avviso : Messaggio::Tipo::Informazione);
}

void SchermataStampa::setInStampa(bool inStampa)
{
    m_inStampa->setVisible(inStampa);
    if (inStampa)
        qApp->installEventFilter(this);
    else
        qApp->removeEventFilter(this);
}

// While the page is being sent, every press anywhere in the program does nothing, and no window closes.
bool SchermataStampa::eventFilter(QObject *oggetto, QEvent *evento)
{
    switch (evento->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
        return true;
    case QEvent::Close:
        evento->ignore();
        return true;
    default:
        return Schermata::eventFilter(oggetto, evento);
    }
}

SchermataStampa::EsitoStampa SchermataStampa::stampaEsercizi(const std::shared_ptr<Stampante> &stampante,
                                                             const QString &font)
{
    // The record as it stands, a copy for the printing thread.
    const QStringList righe = m_serie.righeDaStampare();

    // Read only once the thread has ended in time.
    auto esito = std::make_shared<Stampante::Esito>(Stampante::Esito::Errore);
    const bool inTempo = eseguiInSottofondo(
        [stampante, font, righe, esito] {
            PaginaEsercizi::disegna(*stampante, font, righe);
            *esito = stampante->fineDocumento();
        },
        LimiteStampa);
    if (!inTempo) {
        stampante->annulla();
        return EsitoStampa::NonRisponde;
    }
    switch (*esito) {
    case Stampante::Esito::Stampato:
        return EsitoStampa::Stampata;
    case Stampante::Esito::NessunaStampante:
        return EsitoStampa::NessunaStampante;
    case Stampante::Esito::Rifiutato:
        return EsitoStampa::Rifiutata;
    case Stampante::Esito::Errore:
        break;
    }
    return EsitoStampa::Errore;
}

// Whatever kept the page from the printer, it is saved as a PDF, and the message says what happened
// first, naming the printer as people know it.
SchermataStampa::Spiegazione SchermataStampa::spiega(EsitoStampa esito, const Stampante &stampante, const QString &font)
{
    const QString nome = stampante.nome();
    const QString laStampante
        = nome.isEmpty() ? QStringLiteral("La stampante predefinita") : QStringLiteral("La stampante «%1»").arg(nome);
    switch (esito) {
    case EsitoStampa::Stampata:
        return {stampante.nota(), true};
    case EsitoStampa::FontMancante:
        return {};
    case EsitoStampa::NessunaStampante:
        return salvaInPdf(QStringLiteral("Non è stata trovata nessuna stampante"), esito, font);
    case EsitoStampa::Rifiutata:
        return salvaInPdf(QStringLiteral("%1 %2").arg(laStampante, stampante.motivo()), esito, font);
    case EsitoStampa::NonRisponde:
        return salvaInPdf(QStringLiteral("%1 non risponde").arg(laStampante), esito, font);
    case EsitoStampa::Errore:
        break;
    }
    return salvaInPdf(
        nome.isEmpty() ? QStringLiteral("Il foglio delle operazioni non è stato stampato: %1").arg(stampante.motivo())
                       : QStringLiteral("Il foglio delle operazioni non è stato stampato sulla stampante «%1»: %2")
                             .arg(nome, stampante.motivo()),
        esito, font);
}

SchermataStampa::Spiegazione SchermataStampa::salvaInPdf(const QString &accaduto, EsitoStampa esito,
                                                         const QString &font)
{
    const QString cartella = cartellaDocumenti();
    std::shared_ptr<StampanteQt> pdf;
    if (!cartella.isEmpty())
        pdf = StampanteQt::pdf(QDir(cartella).filePath(PaginaEsercizi::nomeFileRiserva(QDateTime::currentDateTime())));

    QString motivo = QStringLiteral("non è stata trovata la cartella dei documenti");
    if (pdf) {
        switch (stampaEsercizi(pdf, font)) {
        case EsitoStampa::Stampata:
            return {QStringLiteral("%1.\nIl foglio delle operazioni è stato salvato nel file:\n%2")
                        .arg(accaduto, QDir::toNativeSeparators(pdf->percorsoSalvato())),
                    esito != EsitoStampa::NessunaStampante};
        case EsitoStampa::NonRisponde:
            motivo = QStringLiteral("il disco non risponde");
            break;
        case EsitoStampa::FontMancante:
        case EsitoStampa::NessunaStampante:
        case EsitoStampa::Rifiutata:
        case EsitoStampa::Errore:
            motivo = pdf->motivo();
            break;
        }
    }
    return {esito == EsitoStampa::NessunaStampante
                ? QStringLiteral("%1 e il foglio delle operazioni non è stato salvato: %2.").arg(accaduto, motivo)
                : QStringLiteral("%1.\nIl foglio delle operazioni non è stato salvato: %2.").arg(accaduto, motivo),
            true};
}
