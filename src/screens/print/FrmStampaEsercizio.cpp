#include "screens/print/FrmStampaEsercizio.h"

#include "app/Messaggio.h"
#include "app/Module1.h"
#include "input/FiltroRipetizioni.h"
#include "layout/Controlli.h"
#include "layout/LayoutProporzionale.h"
#include "layout/Unita.h"
#include "screens/print/PaginaEsercizi.h"
#include "screens/print/StampanteQt.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPushButton>
#include <QStandardPaths>

#include <algorithm>
#include <array>

using namespace Unita;

namespace {

constexpr QSize Progetto(11910, 8730);

constexpr std::array<int, 4> SinistraColonne = {120, 3060, 5970, 8850};
constexpr std::array<int, 10> AltoRighe = {2955, 3375, 3795, 4245, 4695, 5145, 5595, 6045, 6510, 6960};
constexpr QSize CellaAnteprima(2835, 435);

// Printing can take a moment; the window takes no input meanwhile and says so with the cursor.
class CursoreAttesa
{
public:
    CursoreAttesa() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CursoreAttesa() { QGuiApplication::restoreOverrideCursor(); }
    CursoreAttesa(const CursoreAttesa &) = delete;
    CursoreAttesa &operator=(const CursoreAttesa &) = delete;
};

} // namespace

FrmStampaEsercizio::FabbricaStampante FrmStampaEsercizio::s_fabbrica;
QString FrmStampaEsercizio::s_cartellaDocumenti;

FrmStampaEsercizio::FrmStampaEsercizio(QWidget *parent)
    : Schermata(QStringLiteral("FINESTRA DI STAMPA"), Progetto, false, parent)
{
    creaControlli();
    collegaSegnali();
    riempiAnteprima();
}

void FrmStampaEsercizio::creaControlli()
{
    QWidget *area = client();
    QPalette tavolozza = area->palette();
    tavolozza.setColor(QPalette::Window, coloreBGR(Acqua));
    area->setPalette(tavolozza);
    LayoutProporzionale *layout = proporzioni();

    auto *label5 = new Etichetta(QStringLiteral("E S E R C I Z I   E S E G U I T I "), area);
    label5->setObjectName(QStringLiteral("Label5"));
    label5->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label5->setFont(carattere(QStringLiteral("Arial"), 15.75, true));
    label5->setColoreTesto(coloreBGR(RossoScuro));
    layout->aggiungi(label5, QRect(660, 75, 10725, 525));

    // The picture area has no picture: it only keeps its place.
    auto *imgTrenino = new QLabel(area);
    imgTrenino->setObjectName(QStringLiteral("imgTrenino"));
    layout->aggiungi(imgTrenino, QRect(1095, 765, 9120, 1740));

    for (int i = 0; i < CelleAnteprima; ++i) {
        auto *cella = new Etichetta(QString(), area);
        cella->setObjectName(QStringLiteral("LblOp(%1)").arg(i));
        cella->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        cella->setFont(carattere(QStringLiteral("Courier"), 12, false));
        cella->setColoreSfondo(coloreBGR(Celeste));
        const QPoint posto(SinistraColonne.at(i / 10), AltoRighe.at(i % 10));
        layout->aggiungi(cella, QRect(posto, CellaAnteprima));
        m_lblOp.append(cella);
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
    m_command1 = pulsante("Command1", QStringLiteral("ESCI"), QRect(960, 7455, 4155, 885));
    m_cmdStampaS = pulsante("cmdStampaS", QStringLiteral("STAMPA LE OPERAZIONI"), QRect(6795, 7425, 4155, 885));
    // Enter held down on "Stampa" opens this screen; its repeats arrive here and must not press "ESCI"
    // (or print again and again).
    auto *ripetizioni = new FiltroRipetizioni(this);
    m_command1->installEventFilter(ripetizioni);
    m_cmdStampaS->installEventFilter(ripetizioni);

    setTabOrder(m_command1, m_cmdStampaS);
    m_command1->setFocus(Qt::OtherFocusReason);
}

void FrmStampaEsercizio::collegaSegnali()
{
    // close() only hides the window and schedules its destruction, so the button can finish its click.
    connect(m_command1, &QPushButton::clicked, this, &QWidget::close);
    connect(m_cmdStampaS, &QPushButton::clicked, this, &FrmStampaEsercizio::cmdStampaS_Click);
}

void FrmStampaEsercizio::riempiAnteprima()
{
    for (Module1::IndiceRiga = 0; Module1::IndiceRiga < RigheAnteprima; ++Module1::IndiceRiga)
        m_lblOp.at(Module1::IndiceRiga)->setText(Module1::Esercizi.at(Module1::IndiceRiga));
}

void FrmStampaEsercizio::setFabbricaStampante(FabbricaStampante fabbrica)
{
    s_fabbrica = std::move(fabbrica);
}

void FrmStampaEsercizio::setCartellaDocumenti(const QString &cartella)
{
    s_cartellaDocumenti = cartella;
}

QString FrmStampaEsercizio::cartellaDocumenti()
{
    if (!s_cartellaDocumenti.isEmpty())
        return s_cartellaDocumenti;
    // A user without a Documents folder finds the page in the home folder.
    const QString documenti = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documenti.isEmpty() && QFileInfo(documenti).isDir())
        return documenti;
    const QString casa = QDir::homePath();
    return QFileInfo(casa).isDir() ? casa : documenti;
}

void FrmStampaEsercizio::cmdStampaS_Click()
{
    std::unique_ptr<Stampante> stampante = s_fabbrica ? s_fabbrica() : StampanteQt::predefinita();
    const EsitoStampa esito = StampaEsercizi(*stampante);
    // Whatever kept the page from the printer, it is saved as a PDF, and the message says what happened
    // first.
    switch (esito) {
    case EsitoStampa::Stampata:
    case EsitoStampa::FontMancante:
        break;
    case EsitoStampa::NessunaStampante:
        salvaInPdf(QStringLiteral("Non è stata trovata nessuna stampante"), esito);
        break;
    case EsitoStampa::Rifiutata:
        salvaInPdf(QStringLiteral("La stampante «%1» %2").arg(stampante->nome(), stampante->motivo()), esito);
        break;
    case EsitoStampa::Errore:
        salvaInPdf(stampante->nome().isEmpty()
                       ? QStringLiteral("Il foglio delle operazioni non è stato stampato: %1").arg(stampante->motivo())
                       : QStringLiteral("Il foglio delle operazioni non è stato stampato sulla stampante «%1»: %2")
                             .arg(stampante->nome(), stampante->motivo()),
                   esito);
        break;
    }
}

FrmStampaEsercizio::EsitoStampa FrmStampaEsercizio::StampaEsercizi(Stampante &stampante)
{
    const QString font = PaginaEsercizi::fontCourier(stampante.elencoFont());
    if (font.isEmpty()) {
        Messaggio::mostra(this, PaginaEsercizi::messaggioFontMancante());
        return EsitoStampa::FontMancante;
    }

    const CursoreAttesa attesa;
    stampante.setNomeFont(font);
    StampaIntestazione(stampante);
    stampante.setDimensioneFont(PaginaEsercizi::DimensioneRighe);
    stampante.setGrassetto(true);

    // The bound is read once; the record has no line past 41, whatever the counter says.
    const int ultima = std::min<int>(Module1::NumEsercizi, Module1::NumeroRighe - 1);
    for (Module1::IndiceRiga = 0; Module1::IndiceRiga <= ultima; ++Module1::IndiceRiga) {
        const QPoint posto = PaginaEsercizi::posizioneRiga(Module1::IndiceRiga);
        stampante.setX(posto.x());
        stampante.setY(posto.y());
        stampante.stampa(Module1::Esercizi.at(Module1::IndiceRiga));
    }

    switch (stampante.fineDocumento()) {
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

void FrmStampaEsercizio::StampaIntestazione(Stampante &stampante)
{
    stampante.setX(PaginaEsercizi::PosizioneIntestazione.x());
    stampante.setY(PaginaEsercizi::PosizioneIntestazione.y());
    stampante.setDimensioneFont(PaginaEsercizi::DimensioneIntestazione);
    stampante.stampa(PaginaEsercizi::intestazione());
}

void FrmStampaEsercizio::salvaInPdf(const QString &accaduto, EsitoStampa esito)
{
    const QString cartella = cartellaDocumenti();
    std::unique_ptr<StampanteQt> pdf;
    if (!cartella.isEmpty())
        pdf = StampanteQt::pdf(QDir(cartella).filePath(PaginaEsercizi::nomeFileRiserva(QDateTime::currentDateTime())));

    QString motivo = QStringLiteral("non è stata trovata la cartella dei documenti");
    if (pdf) {
        switch (StampaEsercizi(*pdf)) {
        case EsitoStampa::Stampata:
            Messaggio::mostra(this,
                              QStringLiteral("%1.\nIl foglio delle operazioni è stato salvato nel file:\n%2")
                                  .arg(accaduto, QDir::toNativeSeparators(pdf->percorsoSalvato())),
                              esito == EsitoStampa::NessunaStampante ? Messaggio::Tipo::Informazione
                                                                     : Messaggio::Tipo::Avviso);
            return;
        case EsitoStampa::FontMancante:
            return;
        case EsitoStampa::NessunaStampante:
        case EsitoStampa::Rifiutata:
        case EsitoStampa::Errore:
            motivo = pdf->motivo();
            break;
        }
    }
    Messaggio::mostra(
        this,
        esito == EsitoStampa::NessunaStampante
            ? QStringLiteral("%1 e il foglio delle operazioni non è stato salvato: %2.").arg(accaduto, motivo)
            : QStringLiteral("%1.\nIl foglio delle operazioni non è stato salvato: %2.").arg(accaduto, motivo),
        Messaggio::Tipo::Avviso);
}
