#include "schermate/stampa/SchermataStampa.h"

#include "componenti/disposizione/Controlli.h"
#include "componenti/disposizione/LayoutProporzionale.h"
#include "componenti/disposizione/Unita.h"
#include "componenti/finestre/Messaggio.h"
#include "componenti/tasti/FiltroPulsanti.h"
#include "serie/Serie.h"

#include <QApplication>
#include <QPushButton>

#include <algorithm>
#include <array>

using namespace Unita;

namespace {

constexpr QSize Progetto(11910, 8730);

constexpr std::array<int, 4> SinistraColonne = {120, 3060, 5970, 8850};
constexpr std::array<int, 10> AltoRighe = {2955, 3375, 3795, 4245, 4695, 5145, 5595, 6045, 6510, 6960};
constexpr QSize CellaAnteprima(2835, 435);

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
        bottone->setFocusPolicy(Qt::StrongFocus);
        layout->aggiungi(bottone, posto);
        return bottone;
    };
    m_esci = pulsante("esci", QStringLiteral("ESCI"), QRect(960, 7455, 4155, 885));
    m_stampa = pulsante("stampa", QStringLiteral("STAMPA LE OPERAZIONI"), QRect(6795, 7425, 4155, 885));
    // The two buttons scan as every choice of the program does: the space bar moves, Enter presses, any
    // mouse button presses at once. Enter held down on "Stampa" opens this screen; its repeats arrive here
    // and must not press "ESCI" (or print again and again).
    new FiltroPulsanti({m_esci, m_stampa}, this);

    setTabOrder(m_esci, m_stampa);
    m_esci->setFocus(Qt::OtherFocusReason);
}

void SchermataStampa::collegaSegnali()
{
    // Queued: "ESCI" acts at the press, and the release of the mouse button or of the finger that
    // pressed it still belongs to this window.
    connect(m_esci, &QPushButton::clicked, this, &QWidget::close, Qt::QueuedConnection);
    connect(m_stampa, &QPushButton::clicked, this, &SchermataStampa::stampaOperazioni);
    connect(&m_consegna, &ConsegnaFoglio::inCorsoCambiato, this, &SchermataStampa::setInStampa);
}

void SchermataStampa::riempiAnteprima()
{
    for (int k = 0; k < RigheAnteprima; ++k)
        m_anteprima.at(k)->setText(m_serie.registro().at(k));
}

void SchermataStampa::stampaOperazioni()
{
    // The message waits until the page is out of the way, so that it is the only thing taking presses.
    const ConsegnaFoglio::Esito esito = m_consegna.consegna(m_serie.righeDaStampare());
    switch (esito.tipo) {
    case ConsegnaFoglio::Esito::Tipo::Nessuno:
        break;
    case ConsegnaFoglio::Esito::Tipo::Semplice:
        m_messaggi.mostra(this, esito.messaggio);
        break;
    case ConsegnaFoglio::Esito::Tipo::Informazione:
        m_messaggi.mostra(this, esito.messaggio, Messaggio::Tipo::Informazione);
        break;
    case ConsegnaFoglio::Esito::Tipo::Avviso:
        m_messaggi.mostra(this, esito.messaggio, Messaggio::Tipo::Avviso);
        break;
    }
}

// Printing can take a moment; the program takes no input meanwhile and says so, with the cursor too.
void SchermataStampa::setInStampa(bool inStampa)
{
    m_inStampa->setVisible(inStampa);
    if (inStampa) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        qApp->installEventFilter(this);
    } else {
        qApp->removeEventFilter(this);
        QGuiApplication::restoreOverrideCursor();
    }
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
