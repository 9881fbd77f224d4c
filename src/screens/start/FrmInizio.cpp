#include "screens/start/FrmInizio.h"

#include "Versione.h"
#include "app/Module1.h"
#include "app/Schermate.h"
#include "app/Sonda.h"
#include "input/CodiciTasto.h"
#include "input/GruppoScelta.h"
#include "input/PulsanteOpzione.h"
#include "layout/Controlli.h"
#include "layout/LayoutProporzionale.h"
#include "layout/Unita.h"
#include "screens/exercise/frmOperativo.h"
#include "screens/info/frmAutore.h"
#include "screens/print/FrmStampaEsercizio.h"

#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QMenuBar>
#include <QWindow>

#include <array>

using namespace Unita;

namespace {

constexpr QSize Progetto(11880, 8310);

// Table buttons: left, top inside frame1, width, height.
constexpr std::array<QRect, FrmInizio::NumeroTabelle> PostiTabelle = {
    QRect(135, 225, 1230, 585),  QRect(1425, 225, 1230, 585),  QRect(2715, 225, 1230, 585),
    QRect(135, 825, 1230, 585),  QRect(1425, 825, 1230, 585),  QRect(2715, 825, 1230, 585),
    QRect(135, 1425, 1230, 585), QRect(1425, 1425, 1230, 585), QRect(2715, 1425, 1230, 585),
    QRect(135, 2025, 1860, 630), QRect(2085, 2025, 1860, 630),
};

const std::array<QString, 3> Comandi = {QStringLiteral("Vai"), QStringLiteral("Ripristina"), QStringLiteral("Esci")};
constexpr std::array<QRect, 3> PostiComandi
    = {QRect(90, 150, 3945, 630), QRect(90, 975, 3945, 630), QRect(90, 1740, 3945, 630)};

ConfigurazioneGruppo configurazioneTabelle()
{
    ConfigurazioneGruppo c;
    c.tasti = {
        {48, 57, Effetto::Fuoco, 0},
        {96, 105, Effetto::Fuoco, 0},
        {CodiciTasto::PerTastierino, CodiciTasto::PerTastierino, Effetto::Fuoco, 10},
        {CodiciTasto::Invio, CodiciTasto::Invio, Effetto::Conferma},
        {78, 78, Effetto::Nessuno},
        {83, 83, Effetto::Nessuno},
    };
    c.scansione = Scansione::Salto;
    c.frecce = Frecce::SoloSeBloccato;
    return c;
}

ConfigurazioneGruppo configurazioneComandi()
{
    ConfigurazioneGruppo c;
    c.tasti = {
        {48, 48, Effetto::Fuoco, 0},
        {49, 49, Effetto::Fuoco, 1},
        {CodiciTasto::Invio, CodiciTasto::Invio, Effetto::Conferma},
        {50, 57, Effetto::Nessuno},
        {96, 105, Effetto::Nessuno},
        {CodiciTasto::Backspace, CodiciTasto::Backspace, Effetto::Nessuno},
        {65, 65, Effetto::Nessuno},
        {67, 67, Effetto::Nessuno},
        {69, 69, Effetto::Nessuno},
        {78, 78, Effetto::Nessuno},
        {86, 86, Effetto::Nessuno},
        {CodiciTasto::F2, CodiciTasto::F2, Effetto::Nessuno},
    };
    c.scansione = Scansione::Salto;
    c.frecce = Frecce::SoloSeBloccato;
    c.ordineTab = {2, 1, 0};
    return c;
}

QFrame *cornice(QWidget *parent)
{
    auto *frame = new QFrame(parent);
    frame->setFrameStyle(QFrame::NoFrame);
    return frame;
}

} // namespace

FrmInizio::FrmInizio(QWidget *parent)
    : Schermata(QStringLiteral("Tavole della moltiplicazione"), Progetto, true, parent)
{
    creaControlli();
    collegaSegnali();

    // The version label gets its text at load, after its current (empty) caption.
    m_label7->setText(m_label7->text() + QStringLiteral("Vers.") + QLatin1String(VersioneContalino) + QChar(13)
                      + QStringLiteral("Mouse "));
    VerificaEsistenzaFile(QStringLiteral("ImpostazioniUlmo.dat"));
}

void FrmInizio::creaControlli()
{
    QWidget *area = client();
    QPalette tavolozza = area->palette();
    tavolozza.setColor(QPalette::Window, coloreBGR(Pesca));
    area->setPalette(tavolozza);
    LayoutProporzionale *layout = proporzioni();

    m_frmTitolo = cornice(area);
    m_frmTitolo->setObjectName(QStringLiteral("frmTitolo"));
    layout->aggiungi(m_frmTitolo, QRect(0, 0, 11745, 2295));

    auto forma = [&](const char *nome, const QRect &posto, quint32 riempimento, int bordo) {
        auto *shape = new Forma(Forma::Tipo::RettangoloArrotondato, coloreBGR(riempimento), bordo, m_frmTitolo);
        shape->setObjectName(QLatin1String(nome));
        layout->aggiungi(shape, posto);
    };
    forma("Shape1", QRect(90, 90, 8220, 1935), Arancio, 2);
    forma("Shape2", QRect(90, 60, 8160, 1875), Pesca, 1);
    forma("Shape4", QRect(8340, 30, 3180, 1935), Blu, 1);
    forma("Shape3", QRect(8385, 60, 3120, 1875), Pesca, 1);

    auto *label4 = new Etichetta(QStringLiteral("Contalino"), m_frmTitolo);
    label4->setObjectName(QStringLiteral("Label4"));
    label4->setAlignment(Qt::AlignCenter);
    label4->setFont(carattere(QStringLiteral("Arial"), 27.75, true));
    label4->setColoreTesto(coloreBGR(BluNotte));
    label4->setColoreSfondo(coloreBGR(Pesca));
    layout->aggiungi(label4, QRect(330, 330, 7800, 1395));

    m_label7 = new Etichetta(QString(), m_frmTitolo);
    m_label7->setObjectName(QStringLiteral("Label7"));
    m_label7->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_label7->setFont(carattere(QStringLiteral("Arial"), 9.75, true));
    m_label7->setColoreTesto(coloreBGR(Blu));
    layout->aggiungi(m_label7, QRect(8730, 405, 2250, 1140));

    m_label1 = new Etichetta(QStringLiteral("Tabella "), area);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_label1->setFont(carattere(QStringLiteral("Arial"), 18, true));
    m_label1->setColoreTesto(coloreBGR(RossoScuro));
    layout->aggiungi(m_label1, QRect(585, 2625, 8925, 645));

    QFrame *frame1 = cornice(area);
    frame1->setObjectName(QStringLiteral("frame1"));
    frame1->setAccessibleName(QStringLiteral("Tabelle"));
    layout->aggiungi(frame1, QRect(1980, 4485, 4125, 2805));
    for (int i = 0; i < NumeroTabelle; ++i) {
        auto *pulsante = new PulsanteOpzione(QString::number(i), frame1);
        pulsante->setObjectName(QStringLiteral("Option1(%1)").arg(i));
        pulsante->setFont(carattere(QStringLiteral("Arial"), 15.75, true));
        pulsante->setColoreTesto(coloreBGR(BluNotte));
        layout->aggiungi(pulsante, PostiTabelle.at(i));
        m_option1.append(pulsante);
    }

    QFrame *frame2 = cornice(area);
    frame2->setObjectName(QStringLiteral("Frame2"));
    frame2->setAccessibleName(QStringLiteral("Comandi"));
    layout->aggiungi(frame2, QRect(6675, 4485, 4125, 2805));
    for (int i = 0; i < int(Comandi.size()); ++i) {
        auto *pulsante = new PulsanteOpzione(Comandi.at(i), frame2);
        pulsante->setObjectName(QStringLiteral("Option2(%1)").arg(i));
        pulsante->setFont(carattere(QStringLiteral("MS Sans Serif"), 18, true));
        pulsante->setColoreTesto(coloreBGR(BluNotte));
        layout->aggiungi(pulsante, PostiComandi.at(i));
        m_option2.append(pulsante);
    }

    auto *label5 = new Etichetta(QStringLiteral("Il nuovo software di Ulmo"), area);
    label5->setObjectName(QStringLiteral("Label5"));
    label5->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label5->setFont(carattere(QStringLiteral("Arial"), 18, true));
    label5->setColoreTesto(coloreBGR(RossoScuro));
    label5->setColoreSfondo(coloreBGR(Pesca));
    layout->aggiungi(label5, QRect(420, 7515, 5340, 465));

    m_mnuInfo = menuBar()->addAction(QStringLiteral("Autore"));
    m_mnuInfo->setObjectName(QStringLiteral("mnuInfo"));

    // Tab order: the tables 0 to 10, then "Esci", "Ripristina", "Vai".
    QVector<QWidget *> ordine(m_option1.cbegin(), m_option1.cend());
    ordine << m_option2.at(2) << m_option2.at(1) << m_option2.at(0);
    for (int i = 1; i < ordine.size(); ++i)
        setTabOrder(ordine.at(i - 1), ordine.at(i));
}

void FrmInizio::collegaSegnali()
{
    m_tabelle = new GruppoScelta(m_option1, configurazioneTabelle(), this);
    m_comandi = new GruppoScelta(m_option2, configurazioneComandi(), this);
    connect(m_tabelle, &GruppoScelta::confermato, this, &FrmInizio::ScegliTabella);
    connect(m_comandi, &GruppoScelta::confermato, this, &FrmInizio::EseguiComando);
    connect(m_mnuInfo, &QAction::triggered, this, &FrmInizio::mnuInfo_Click);

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

QString FrmInizio::testoTabella(int tabella)
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

void FrmInizio::ScegliTabella(int indice)
{
    if (indice >= 0 && indice < NumeroTabelle) {
        Module1::Tabella = qint16(indice);
        m_label1->setText(testoTabella(indice));
    }
    m_option1.at(0)->setValue(false);
    m_option2.at(0)->setFocus(Qt::OtherFocusReason);
}

void FrmInizio::EseguiComando(int indice)
{
    switch (indice) {
    case 0:
        Schermate::carica<frmOperativo>()->mostra();
        break;
    case 1:
        m_option1.at(0)->setFocus(Qt::OtherFocusReason);
        break;
    case 2:
        // Queued: closing the start screen destroys the button being confirmed.
        Schermate::dopo([] { Schermate::scarica<FrmInizio>(); });
        break;
    default:
        break;
    }
}

void FrmInizio::mnuInfo_Click()
{
    Schermate::carica<frmAutore>()->exec();
}

bool FrmInizio::event(QEvent *evento)
{
    // Back to "0" at the first display and whenever this screen takes over from another window of the
    // program (the exercise screen or a modal screen closing). Coming back from another program or
    // from the minimised window keeps the child's place: the next Enter is still meant for "Vai".
    if (evento->type() == QEvent::WindowActivate) {
        if (!m_giaAttivata || !m_ritornoAlProgramma)
            m_option1.at(0)->setFocus(Qt::ActiveWindowFocusReason);
        m_giaAttivata = true;
    }
    return Schermata::event(evento);
}

void FrmInizio::Form_Unload()
{
    ChiudiTutto();
}

void FrmInizio::ChiudiTutto()
{
    Schermate::scarica<FrmInizio>();
    Schermate::scarica<frmAutore>();
    Schermate::scarica<frmOperativo>();
    Schermate::scarica<FrmStampaEsercizio>();
}

void FrmInizio::VerificaEsistenzaFile(const QString &nomeFile)
{
    // Whether it opens changes nothing; the probe never holds up the start of the program.
    Sonda::apriEChiudi(nomeFile);
}
