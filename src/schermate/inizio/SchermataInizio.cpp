#include "schermate/inizio/SchermataInizio.h"

#include "Versione.h"
#include "componenti/disposizione/Controlli.h"
#include "componenti/disposizione/LayoutProporzionale.h"
#include "componenti/disposizione/Unita.h"
#include "componenti/tasti/CodiciTasto.h"
#include "componenti/tasti/GruppoScelta.h"
#include "componenti/tasti/PulsanteOpzione.h"
#include "serie/Serie.h"
#include "sistema/Sonda.h"

#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QMenuBar>
#include <QWindow>

#include <array>

using namespace Unita;

namespace {

constexpr QSize Progetto(11880, 8310);

// Table buttons: left, top inside their frame, width, height.
constexpr std::array<QRect, SchermataInizio::NumeroTabelle> PostiTabelle = {
    QRect(135, 225, 1230, 585),  QRect(1425, 225, 1230, 585),  QRect(2715, 225, 1230, 585),
    QRect(135, 825, 1230, 585),  QRect(1425, 825, 1230, 585),  QRect(2715, 825, 1230, 585),
    QRect(135, 1425, 1230, 585), QRect(1425, 1425, 1230, 585), QRect(2715, 1425, 1230, 585),
    QRect(135, 2025, 1860, 630), QRect(2085, 2025, 1860, 630),
};

// The commands' captions and, by their role, their names.
const std::array<QString, 3> Comandi = {QStringLiteral("Vai"), QStringLiteral("Ripristina"), QStringLiteral("Esci")};
const std::array<QString, 3> NomiComandi
    = {QStringLiteral("vai"), QStringLiteral("ripristina"), QStringLiteral("esci")};
constexpr std::array<QRect, 3> PostiComandi
    = {QRect(90, 150, 3945, 630), QRect(90, 975, 3945, 630), QRect(90, 1740, 3945, 630)};

ConfigurazioneGruppo configurazioneTabelle()
{
    using namespace CodiciTasto;
    ConfigurazioneGruppo c;
    c.tasti = {
        {tasto(Qt::Key_0), tasto(Qt::Key_9), Effetto::Fuoco, 0},
        {tastierino(Qt::Key_0), tastierino(Qt::Key_9), Effetto::Fuoco, 0},
        {PerTastierino, PerTastierino, Effetto::Fuoco, 10},
        {Invio, Invio, Effetto::Conferma},
        {tasto(Qt::Key_N), tasto(Qt::Key_N), Effetto::Nessuno},
        {tasto(Qt::Key_S), tasto(Qt::Key_S), Effetto::Nessuno},
    };
    c.scansione = Scansione::Salto;
    c.frecce = Frecce::SoloSeBloccato;
    return c;
}

// "Esci" has no key of its own: it is reached by the space bar or the mouse.
ConfigurazioneGruppo configurazioneComandi()
{
    using namespace CodiciTasto;
    ConfigurazioneGruppo c;
    c.tasti = {
        {tasto(Qt::Key_0), tasto(Qt::Key_0), Effetto::Fuoco, int(SchermataInizio::Comando::Vai)},
        {tasto(Qt::Key_1), tasto(Qt::Key_1), Effetto::Fuoco, int(SchermataInizio::Comando::Ripristina)},
        {Invio, Invio, Effetto::Conferma},
        {tasto(Qt::Key_2), tasto(Qt::Key_9), Effetto::Nessuno},
        {tastierino(Qt::Key_0), tastierino(Qt::Key_9), Effetto::Nessuno},
        {Backspace, Backspace, Effetto::Nessuno},
        {tasto(Qt::Key_A), tasto(Qt::Key_A), Effetto::Nessuno},
        {tasto(Qt::Key_C), tasto(Qt::Key_C), Effetto::Nessuno},
        {tasto(Qt::Key_E), tasto(Qt::Key_E), Effetto::Nessuno},
        {tasto(Qt::Key_N), tasto(Qt::Key_N), Effetto::Nessuno},
        {tasto(Qt::Key_V), tasto(Qt::Key_V), Effetto::Nessuno},
        {F2, F2, Effetto::Nessuno},
    };
    c.scansione = Scansione::Salto;
    c.frecce = Frecce::SoloSeBloccato;
    c.ordineTab = {int(SchermataInizio::Comando::Esci), int(SchermataInizio::Comando::Ripristina),
                   int(SchermataInizio::Comando::Vai)};
    return c;
}

QFrame *cornice(QWidget *parent)
{
    auto *frame = new QFrame(parent);
    frame->setFrameStyle(QFrame::NoFrame);
    return frame;
}

} // namespace

SchermataInizio::SchermataInizio(Serie &serie, QWidget *parent)
    : Schermata(QStringLiteral("Tavole della moltiplicazione"), Progetto, true, parent)
    , m_serie(serie)
{
    creaControlli();
    collegaSegnali();

    // The version label gets its text at load, after its current (empty) caption.
    m_versione->setText(m_versione->text() + QStringLiteral("Vers.") + QLatin1String(VersioneContalino) + QChar(13)
                        + QStringLiteral("Mouse "));
    verificaEsistenzaFile(QStringLiteral("ImpostazioniUlmo.dat"));
}

void SchermataInizio::creaControlli()
{
    QWidget *area = client();
    QPalette tavolozza = area->palette();
    tavolozza.setColor(QPalette::Window, coloreBGR(Pesca));
    area->setPalette(tavolozza);
    LayoutProporzionale *layout = proporzioni();

    m_titolo = cornice(area);
    m_titolo->setObjectName(QStringLiteral("titolo"));
    layout->aggiungi(m_titolo, QRect(0, 0, 11745, 2295));

    auto forma = [&](const char *nome, const QRect &posto, quint32 riempimento, int bordo) {
        auto *shape = new Forma(Forma::Tipo::RettangoloArrotondato, coloreBGR(riempimento), bordo, m_titolo);
        shape->setObjectName(QLatin1String(nome));
        layout->aggiungi(shape, posto);
    };
    forma("bordoNome", QRect(90, 90, 8220, 1935), Arancio, 2);
    forma("fondoNome", QRect(90, 60, 8160, 1875), Pesca, 1);
    forma("bordoVersione", QRect(8340, 30, 3180, 1935), Blu, 1);
    forma("fondoVersione", QRect(8385, 60, 3120, 1875), Pesca, 1);

    auto *nome = new Etichetta(QStringLiteral("Contalino"), m_titolo);
    nome->setObjectName(QStringLiteral("nome"));
    nome->setAlignment(Qt::AlignCenter);
    nome->setFont(carattere(QStringLiteral("Arial"), 27.75, true));
    nome->setColoreTesto(coloreBGR(BluNotte));
    nome->setColoreSfondo(coloreBGR(Pesca));
    layout->aggiungi(nome, QRect(330, 330, 7800, 1395));

    m_versione = new Etichetta(QString(), m_titolo);
    m_versione->setObjectName(QStringLiteral("versione"));
    m_versione->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_versione->setFont(carattere(QStringLiteral("Arial"), 9.75, true));
    m_versione->setColoreTesto(coloreBGR(Blu));
    layout->aggiungi(m_versione, QRect(8730, 405, 2250, 1140));

    m_tabellaScelta = new Etichetta(QStringLiteral("Tabella "), area);
    m_tabellaScelta->setObjectName(QStringLiteral("tabellaScelta"));
    m_tabellaScelta->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_tabellaScelta->setFont(carattere(QStringLiteral("Arial"), 18, true));
    m_tabellaScelta->setColoreTesto(coloreBGR(RossoScuro));
    layout->aggiungi(m_tabellaScelta, QRect(585, 2625, 8925, 645));

    QFrame *tabelle = cornice(area);
    tabelle->setObjectName(QStringLiteral("tabelle"));
    tabelle->setAccessibleName(QStringLiteral("Tabelle"));
    layout->aggiungi(tabelle, QRect(1980, 4485, 4125, 2805));
    for (int i = 0; i < NumeroTabelle; ++i) {
        auto *pulsante = new PulsanteOpzione(QString::number(i), tabelle);
        pulsante->setObjectName(QStringLiteral("tabella(%1)").arg(i));
        pulsante->setFont(carattere(QStringLiteral("Arial"), 15.75, true));
        pulsante->setColoreTesto(coloreBGR(BluNotte));
        layout->aggiungi(pulsante, PostiTabelle.at(i));
        m_tastiTabelle.append(pulsante);
    }

    QFrame *comandi = cornice(area);
    comandi->setObjectName(QStringLiteral("comandi"));
    comandi->setAccessibleName(QStringLiteral("Comandi"));
    layout->aggiungi(comandi, QRect(6675, 4485, 4125, 2805));
    for (int i = 0; i < int(Comandi.size()); ++i) {
        auto *pulsante = new PulsanteOpzione(Comandi.at(i), comandi);
        pulsante->setObjectName(NomiComandi.at(i));
        pulsante->setFont(carattere(QStringLiteral("MS Sans Serif"), 18, true));
        pulsante->setColoreTesto(coloreBGR(BluNotte));
        layout->aggiungi(pulsante, PostiComandi.at(i));
        m_tastiComandi.append(pulsante);
    }

    auto *firma = new Etichetta(QStringLiteral("Il nuovo software di Ulmo"), area);
    firma->setObjectName(QStringLiteral("firma"));
    firma->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    firma->setFont(carattere(QStringLiteral("Arial"), 18, true));
    firma->setColoreTesto(coloreBGR(RossoScuro));
    firma->setColoreSfondo(coloreBGR(Pesca));
    layout->aggiungi(firma, QRect(420, 7515, 5340, 465));

    m_menuAutore = menuBar()->addAction(QStringLiteral("Autore"));
    m_menuAutore->setObjectName(QStringLiteral("menuAutore"));

    // Tab order: the tables 0 to 10, then "Esci", "Ripristina", "Vai".
    QVector<QWidget *> ordine(m_tastiTabelle.cbegin(), m_tastiTabelle.cend());
    for (Comando comando : {Comando::Esci, Comando::Ripristina, Comando::Vai})
        ordine << m_tastiComandi.at(int(comando));
    for (int i = 1; i < ordine.size(); ++i)
        setTabOrder(ordine.at(i - 1), ordine.at(i));
}

void SchermataInizio::collegaSegnali()
{
    m_tabelle = new GruppoScelta(m_tastiTabelle, configurazioneTabelle(), this);
    m_comandi = new GruppoScelta(m_tastiComandi, configurazioneComandi(), this);
    connect(m_tabelle, &GruppoScelta::confermato, this, &SchermataInizio::scegliTabella);
    connect(m_comandi, &GruppoScelta::confermato, this, &SchermataInizio::eseguiComando);
    connect(m_menuAutore, &QAction::triggered, this, &SchermataInizio::autoreScelto);

    // The application turns active just before the window it comes back to is activated (Windows says
    // so itself; under X11 Qt derives it from the program having no active window before), and it
    // reports the newly active window only after that window's activation: in between, this screen
    // can tell the whole program coming back from a change between its own windows.
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState stato) {
        if (stato == Qt::ApplicationActive)
            m_ritornoAlProgramma = true;
    });
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow *finestra) {
        if (finestra)
            m_ritornoAlProgramma = false;
    });
}

QString SchermataInizio::testoTabella(int tabella)
{
    switch (tabella) {
    case 0:
        return QStringLiteral("Tabella dello 0");
    case 1:
        return QStringLiteral("Tabella dell' 1");
    case 8:
        return QStringLiteral("Tabella dell'8");
    default:
        return QStringLiteral("Tabella del %1").arg(tabella);
    }
}

void SchermataInizio::scegliTabella(int indice)
{
    if (indice >= 0 && indice < NumeroTabelle) {
        m_serie.scegliTabella(indice);
        m_tabellaScelta->setText(testoTabella(indice));
    }
    m_tastiTabelle.at(0)->setValue(false);
    m_tastiComandi.at(int(Comando::Vai))->setFocus(Qt::OtherFocusReason);
}

void SchermataInizio::eseguiComando(int indice)
{
    switch (Comando(indice)) {
    case Comando::Vai:
        Q_EMIT vaiScelto();
        break;
    case Comando::Ripristina:
        m_tastiTabelle.at(0)->setFocus(Qt::OtherFocusReason);
        break;
    case Comando::Esci:
        Q_EMIT esciScelto();
        break;
    }
}

bool SchermataInizio::event(QEvent *evento)
{
    // Back to "0" at the first display and whenever this screen takes over from another window of the
    // program (the exercise screen or a modal screen closing). Coming back from another program or
    // from the minimised window keeps the child's place: the next Enter is still meant for "Vai".
    if (evento->type() == QEvent::WindowActivate) {
        if (!m_giaAttivata || !m_ritornoAlProgramma)
            m_tastiTabelle.at(0)->setFocus(Qt::ActiveWindowFocusReason);
        m_giaAttivata = true;
    }
    return Schermata::event(evento);
}

void SchermataInizio::verificaEsistenzaFile(const QString &nomeFile)
{
    // Whether it opens changes nothing; the probe never holds up the start of the program.
    Sonda::apriEChiudi(nomeFile);
}
