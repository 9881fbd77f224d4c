#include "schermate/esercizio/SchermataEsercizio.h"

#include "componenti/disposizione/Controlli.h"
#include "componenti/disposizione/LayoutProporzionale.h"
#include "componenti/disposizione/Proporzioni.h"
#include "componenti/disposizione/Unita.h"
#include "componenti/tasti/CodiciTasto.h"
#include "componenti/tasti/GruppoScelta.h"
#include "componenti/tasti/PulsanteOpzione.h"

#include <QFrame>
#include <QMenuBar>

#include <array>

using namespace Unita;

namespace {

constexpr QSize Progetto(11910, 8595);
constexpr int N = Regole::NumeroColonne;

// Design places inside the exercise area, column by column (twips).
constexpr std::array<int, N> SinistraSegno = {360, 1380, 2445, 3495, 4620, 5640, 6645, 7740, 8790, 9750};
constexpr std::array<int, N> SinistraBox = {45, 1095, 2145, 3180, 4230, 5265, 6315, 7350, 8400, 9450};
constexpr std::array<int, N> SinistraBarra = {525, 1545, 2595, 3645, 4695, 5745, 6810, 7845, 8880, 9915};
constexpr std::array<int, N> SinistraUguale = {420, 1440, 2490, 3525, 4590, 5640, 6705, 7725, 8775, 9810};

constexpr QRect PostoPannello(6090, 5775, 5040, 2400);

struct TastoProgetto
{
    const char *caption;
    QRect posto;
    qreal punti;
};

// The keypad's buttons by their role: the digits "tasto(0)" to "tasto(9)", then the commands.
QString nomeTasto(int i)
{
    switch (i) {
    case Serie::TastoCancella:
        return QStringLiteral("cancella");
    case Serie::TastoInvio:
        return QStringLiteral("invio");
    case Serie::TastoNuovaTabella:
        return QStringLiteral("nuovaTabella");
    case Serie::TastoEsco:
        return QStringLiteral("esco");
    default:
        return QStringLiteral("tasto(%1)").arg(i);
    }
}

const std::array<TastoProgetto, Serie::NumeroTasti> TastiTastierino = {{
    {"0", {72, 120, 960, 510}, 20.25},
    {"1", {1056, 120, 960, 510}, 20.25},
    {"2", {2040, 120, 960, 510}, 20.25},
    {"3", {3015, 120, 960, 510}, 20.25},
    {"4", {3990, 120, 960, 510}, 20.25},
    {"5", {72, 645, 960, 510}, 20.25},
    {"6", {1056, 645, 960, 510}, 20.25},
    {"7", {2040, 645, 960, 510}, 20.25},
    {"8", {3015, 645, 960, 510}, 20.25},
    {"9", {3990, 645, 960, 510}, 20.25},
    {"Cancella", {75, 1170, 2916, 510}, 18},
    {"Invio", {3012, 1170, 1944, 510}, 18},
    {"Nuova Tabella", {72, 1710, 2916, 510}, 18},
    {"Esco", {3012, 1710, 1956, 510}, 18},
}};

ConfigurazioneGruppo configurazioneTastierino()
{
    using namespace CodiciTasto;
    ConfigurazioneGruppo c;
    c.tasti = {
        {tasto(Qt::Key_0), tasto(Qt::Key_9), Effetto::Cifra, 0},
        {tastierino(Qt::Key_0), tastierino(Qt::Key_9), Effetto::Cifra, 0},
        {tasto(Qt::Key_C), tasto(Qt::Key_C), Effetto::Cancella},
        {tasto(Qt::Key_I), tasto(Qt::Key_I), Effetto::Fuoco, Serie::TastoInvio},
        {tasto(Qt::Key_N), tasto(Qt::Key_N), Effetto::Fuoco, Serie::TastoNuovaTabella},
        {tasto(Qt::Key_E), tasto(Qt::Key_E), Effetto::Fuoco, Serie::TastoEsco},
        {Invio, Invio, Effetto::Conferma},
        {Backspace, Backspace, Effetto::Nessuno},
        {tasto(Qt::Key_V), tasto(Qt::Key_V), Effetto::Nessuno},
        {F2, F2, Effetto::Nessuno},
    };
    c.scansione = Scansione::Salto;
    c.frecce = Frecce::Sempre;
    c.ordineTab = {0,
                   1,
                   2,
                   3,
                   4,
                   5,
                   6,
                   7,
                   8,
                   9,
                   Serie::TastoInvio,
                   Serie::TastoCancella,
                   Serie::TastoNuovaTabella,
                   Serie::TastoEsco};
    return c;
}

// The two-button groups: one key set moves the focus to the first button, another to the second.
// They have no latches: the key that answers them usually goes up over another panel or screen, and
// a latch left set would swallow the next fresh press a child makes here.
ConfigurazioneGruppo configurazioneDuePulsanti(Qt::Key lettera0, Qt::Key lettera1)
{
    using namespace CodiciTasto;
    ConfigurazioneGruppo c;
    c.blocchi = false;
    c.tasti = {
        {tasto(lettera0), tasto(lettera0), Effetto::Fuoco, 0},
        {tasto(Qt::Key_1), tasto(Qt::Key_1), Effetto::Fuoco, 0},
        {tastierino(Qt::Key_1), tastierino(Qt::Key_1), Effetto::Fuoco, 0},
        {tasto(lettera1), tasto(lettera1), Effetto::Fuoco, 1},
        {tasto(Qt::Key_2), tasto(Qt::Key_2), Effetto::Fuoco, 1},
        {tastierino(Qt::Key_2), tastierino(Qt::Key_2), Effetto::Fuoco, 1},
        {Invio, Invio, Effetto::Conferma},
    };
    c.scansione = Scansione::DuePulsanti;
    c.frecce = Frecce::Mai;
    return c;
}

ConfigurazioneGruppo configurazioneOK()
{
    ConfigurazioneGruppo c;
    c.scansione = Scansione::Nessuna;
    c.evidenziaFuoco = false;
    c.ogniTastoConferma = true;
    return c;
}

Etichetta *etichetta(QWidget *parent, const QString &nome, const QString &testo, qreal punti, quint32 colore,
                     Qt::Alignment allineamento = Qt::AlignCenter)
{
    auto *label = new Etichetta(testo, parent);
    label->setObjectName(nome);
    label->setFont(carattere(QStringLiteral("Arial"), punti, true));
    label->setColoreTesto(coloreBGR(colore));
    label->setAlignment(allineamento);
    return label;
}

QFrame *pannello(QWidget *parent, const QString &nome)
{
    auto *frame = new QFrame(parent);
    frame->setObjectName(nome);
    frame->setFrameStyle(QFrame::NoFrame);
    frame->setAutoFillBackground(true);
    QPalette tavolozza = frame->palette();
    tavolozza.setColor(QPalette::Window, coloreBGR(Pesca));
    frame->setPalette(tavolozza);
    return frame;
}

PulsanteOpzione *pulsante(QWidget *parent, const QString &nome, const QString &caption, qreal punti,
                          quint32 coloreTesto)
{
    auto *tasto = new PulsanteOpzione(caption, parent);
    tasto->setObjectName(nome);
    tasto->setFont(carattere(QStringLiteral("Arial"), punti, true));
    tasto->setColoreTesto(coloreBGR(coloreTesto));
    return tasto;
}

} // namespace

SchermataEsercizio::SchermataEsercizio(Serie &serie, QWidget *parent)
    : Schermata(QStringLiteral("TABELLA"), Progetto, false, parent)
    , m_serie(serie)
{
    creaControlli();
    collegaSegnali();
    seguiSerie();

    for (int c = 0; c < N; ++c) {
        m_fattori.at(c)->setText(QString());
        m_segni.at(c)->hide();
        m_uguali.at(c)->hide();
        m_barre.at(c)->show();
        m_linee.at(c)->show();
    }
    calcolaLinee();
    portaAvanti(m_pannelloTastierino);
    // Opening the screen starts a new series, whatever the last visit left.
    m_serie.lascia();
    m_serie.nuovaSerie();
}

void SchermataEsercizio::creaControlli()
{
    QWidget *area = client();
    QPalette tavolozza = area->palette();
    tavolozza.setColor(QPalette::Window, coloreBGR(Pesca));
    area->setPalette(tavolozza);
    area->setFont(carattere(QStringLiteral("MS Sans Serif"), 12, false));

    m_areaOperazioni = pannello(area, QStringLiteral("operazioni"));
    m_areaOperazioni->setAccessibleName(QStringLiteral("Operazioni"));
    proporzioni()->aggiungi(m_areaOperazioni, QRect(600, 1170, 10644, 4575));
    creaColonne(m_areaOperazioni);

    // The anchor of the panels' common place; its caption is the one the screen was designed with.
    m_riferimento = new Etichetta(QStringLiteral("Label5"), area);
    m_riferimento->setObjectName(QStringLiteral("riferimento"));
    proporzioni()->aggiungi(m_riferimento, QRect(6090, 5775, 105, 105));

    creaPannelli(area);

    m_menuStampa = menuBar()->addAction(QStringLiteral("Stampa esercizio"));
    m_menuStampa->setObjectName(QStringLiteral("menuStampa"));
    m_menuStampa->setEnabled(false);
    m_menuAutore = menuBar()->addAction(QStringLiteral("Autore"));
    m_menuAutore->setObjectName(QStringLiteral("menuAutore"));
    m_menuIstruzioni = menuBar()->addAction(QStringLiteral("Istruzioni"));
    m_menuIstruzioni->setObjectName(QStringLiteral("menuIstruzioni"));
    m_menuIstruzioni->setEnabled(false);
}

void SchermataEsercizio::creaColonne(QWidget *areaOperazioni)
{
    LayoutProporzionale *layout = proporzioni();
    const QColor rosso = coloreBGR(Rosso);

    // Lines first, so that the boxes they lead to are drawn over their ends.
    for (int c = 0; c < N; ++c) {
        auto *linea = new Linea(rosso, 2, areaOperazioni);
        linea->setObjectName(QStringLiteral("linea(%1)").arg(c));
        m_linee.append(linea);
    }

    m_tabella = etichetta(areaOperazioni, QStringLiteral("tabella"), QString(), 36, 0);
    m_tabella->setBordo(true);
    layout->aggiungi(m_tabella, QRect(4752, 24, 1032, 852));

    for (int c = 0; c < N; ++c) {
        auto *segno
            = etichetta(areaOperazioni, QStringLiteral("segno(%1)").arg(c), QString(Regole::SegnoPer), 15.75, Rosso);
        layout->aggiungi(segno, QRect(SinistraSegno.at(c), 1275, 285, 300));
        m_segni.append(segno);

        auto *fattore = etichetta(areaOperazioni, QStringLiteral("fattore(%1)").arg(c), QString(), 36, 0);
        fattore->setBordo(true);
        layout->aggiungi(fattore, QRect(SinistraBox.at(c), 1710, 1035, 810));
        m_fattori.append(fattore);

        auto *barra = new Forma(Forma::Tipo::Rettangolo, rosso, 0, areaOperazioni);
        barra->setObjectName(QStringLiteral("barra(%1)").arg(c));
        layout->aggiungi(barra, QRect(SinistraBarra.at(c), c == 2 ? 2535 : 2520, 45, 855));
        m_barre.append(barra);

        auto *uguale
            = etichetta(areaOperazioni, QStringLiteral("uguale(%1)").arg(c), QStringLiteral("="), 15.75, Rosso);
        layout->aggiungi(uguale, QRect(SinistraUguale.at(c), 3315, 285, 285));
        m_uguali.append(uguale);

        auto *risultato = etichetta(areaOperazioni, QStringLiteral("risultato(%1)").arg(c), QString(), 36, 0);
        risultato->setBordo(true);
        risultato->setColoreSfondo(coloreBGR(Crema));
        layout->aggiungi(risultato, QRect(SinistraBox.at(c), 3630, 1035, 810));
        m_risultati.append(risultato);
    }
}

void SchermataEsercizio::creaPannelli(QWidget *area)
{
    LayoutProporzionale *layout = proporzioni();

    // The panels' names are what a screen reader announces when the focus enters one of them.
    m_pannelloTastierino = pannello(area, QStringLiteral("pannelloTastierino"));
    m_pannelloTastierino->setAccessibleName(QStringLiteral("Tastierino"));
    layout->aggiungi(m_pannelloTastierino, PostoPannello);
    for (int i = 0; i < Serie::NumeroTasti; ++i) {
        const TastoProgetto &progetto = TastiTastierino.at(i);
        auto *tasto
            = pulsante(m_pannelloTastierino, nomeTasto(i), QString::fromLatin1(progetto.caption), progetto.punti, Blu);
        layout->aggiungi(tasto, progetto.posto);
        // "Invio", "Nuova Tabella" and "Esco" wait for the series to make them live.
        tasto->setEnabled(i < Serie::TastoInvio);
        m_tastiTastierino.append(tasto);
    }

    m_pannelloAiuto = pannello(area, QStringLiteral("pannelloAiuto"));
    m_pannelloAiuto->setAccessibleName(QStringLiteral("Aiuto"));
    layout->aggiungi(m_pannelloAiuto, PostoPannello);
    auto *tiAiuto = etichetta(m_pannelloAiuto, QStringLiteral("tiAiuto"), QStringLiteral("Ti aiuto ?"), 21.75, 0,
                              Qt::AlignHCenter | Qt::AlignTop);
    layout->aggiungi(tiAiuto, QRect(270, 255, 3825, 855));
    m_tastiAiuto = {pulsante(m_pannelloAiuto, QStringLiteral("si"), QStringLiteral("SI"), 20.25, 0),
                    pulsante(m_pannelloAiuto, QStringLiteral("no"), QStringLiteral("NO"), 20.25, 0)};
    layout->aggiungi(m_tastiAiuto.at(0), QRect(330, 795, 4380, 660));
    layout->aggiungi(m_tastiAiuto.at(1), QRect(330, 1530, 4380, 660));

    m_pannelloIntervento = pannello(area, QStringLiteral("pannelloIntervento"));
    m_pannelloIntervento->setAccessibleName(QStringLiteral("Intervento"));
    layout->aggiungi(m_pannelloIntervento, PostoPannello);
    auto *intervengoIo = etichetta(m_pannelloIntervento, QStringLiteral("intervengoIo"),
                                   QStringLiteral("Intervengo io"), 26.25, 0, Qt::AlignHCenter | Qt::AlignTop);
    layout->aggiungi(intervengoIo, QRect(210, 300, 4095, 945));
    m_ok = pulsante(m_pannelloIntervento, QStringLiteral("ok"), QStringLiteral("OK"), 20.25, 0);
    layout->aggiungi(m_ok, QRect(780, 1155, 3330, 840));

    m_pannelloAvviso = pannello(area, QStringLiteral("pannelloAvviso"));
    m_pannelloAvviso->setAccessibleName(QStringLiteral("Avviso"));
    layout->aggiungi(m_pannelloAvviso, PostoPannello);
    auto *avviso = etichetta(m_pannelloAvviso, QStringLiteral("avviso"),
                             QStringLiteral("Se ricominci gli esercizi andranno persi"), 15.75, 0,
                             Qt::AlignHCenter | Qt::AlignTop);
    avviso->setWordWrap(true);
    layout->aggiungi(avviso, QRect(135, 180, 4755, 780));
    m_tastiAvviso = {pulsante(m_pannelloAvviso, QStringLiteral("stampa"), QStringLiteral("Stampa"), 20.25, 0),
                     pulsante(m_pannelloAvviso, QStringLiteral("ricomincia"), QStringLiteral("Ricomincia"), 20.25, 0)};
    layout->aggiungi(m_tastiAvviso.at(0), QRect(780, 1080, 3330, 585));
    layout->aggiungi(m_tastiAvviso.at(1), QRect(780, 1740, 3330, 585));

    // Tab order: the keypad ("0" to "9", "Invio", "Cancella", "Nuova Tabella", "Esco"), then the
    // warning, the intervention and the help offer.
    QVector<QWidget *> ordine;
    for (int i : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, int(Serie::TastoInvio), int(Serie::TastoCancella),
                  int(Serie::TastoNuovaTabella), int(Serie::TastoEsco)})
        ordine << m_tastiTastierino.at(i);
    ordine << m_tastiAvviso.at(1) << m_tastiAvviso.at(0) << m_ok << m_tastiAiuto.at(0) << m_tastiAiuto.at(1);
    for (int i = 1; i < ordine.size(); ++i)
        setTabOrder(ordine.at(i - 1), ordine.at(i));
}

void SchermataEsercizio::collegaSegnali()
{
    m_tastierino = new GruppoScelta(m_tastiTastierino, configurazioneTastierino(), this);
    m_aiuto = new GruppoScelta(m_tastiAiuto, configurazioneDuePulsanti(Qt::Key_S, Qt::Key_N), this);
    m_avviso = new GruppoScelta(m_tastiAvviso, configurazioneDuePulsanti(Qt::Key_S, Qt::Key_R), this);
    m_intervento = new GruppoScelta({m_ok}, configurazioneOK(), this);

    connect(m_tastierino, &GruppoScelta::confermato, this, &SchermataEsercizio::premiTasto);
    connect(m_tastierino, &GruppoScelta::cifraDigitata, this, &SchermataEsercizio::cifraDaTastiera);
    connect(m_tastierino, &GruppoScelta::cancellaRichiesta, &m_serie, &Serie::cancella);
    connect(m_aiuto, &GruppoScelta::confermato, this, [this](int indice) {
        if (RispostaAiuto(indice) == RispostaAiuto::Si)
            m_serie.accettaAiuto();
        else
            m_serie.rifiutaAiuto();
    });
    connect(m_intervento, &GruppoScelta::confermato, this, [this] {
        m_ok->setValue(false);
        m_serie.confermaIntervento();
    });
    connect(m_avviso, &GruppoScelta::confermato, this, &SchermataEsercizio::sceltaAvviso);
    connect(m_menuAutore, &QAction::triggered, this, &SchermataEsercizio::mostraAutore);
}

void SchermataEsercizio::seguiSerie()
{
    connect(&m_serie, &Serie::tabellaIniziata, this, &SchermataEsercizio::mostraTabella);
    connect(&m_serie, &Serie::colonnaArmata, this, &SchermataEsercizio::armaColonna);
    connect(&m_serie, &Serie::rispostaCambiata, this, &SchermataEsercizio::mostraRisposta);
    connect(&m_serie, &Serie::verdetto, this, &SchermataEsercizio::mostraVerdetto);
    connect(&m_serie, &Serie::rispostaRivelata, this,
            [this](int c, const QString &attesa) { m_risultati.at(c)->setText(attesa); });
    connect(&m_serie, &Serie::colonnaChiusa, this, &SchermataEsercizio::chiudiColonna);
    connect(&m_serie, &Serie::aiutoOfferto, this, &SchermataEsercizio::offriAiuto);
    connect(&m_serie, &Serie::intervento, this, &SchermataEsercizio::intervieni);
    connect(&m_serie, &Serie::tabellaFinita, this, &SchermataEsercizio::finisciTabella);
    connect(&m_serie, &Serie::avvisoDovuto, this, &SchermataEsercizio::avvisa);
}

void SchermataEsercizio::allaChiusura()
{
    m_serie.lascia();
}

// --- What the series announces ---

// A table just drawn: every column closed and empty, with its factor.
void SchermataEsercizio::mostraTabella()
{
    portaAvanti(m_pannelloTastierino);
    for (int c = 0; c < N; ++c) {
        m_risultati.at(c)->setText(QString());
        m_risultati.at(c)->setColoreSfondo(coloreBGR(Crema));
        chiudiColonna(c);
    }
    m_tabella->setText(QString::number(m_serie.tabella()));
    for (int c = 0; c < N; ++c)
        m_fattori.at(c)->setText(QString::number(m_serie.fattore(c)));
}

// The column asks for its answer, on the keypad brought forward with the focus on "0".
void SchermataEsercizio::armaColonna(int c)
{
    portaAvanti(m_pannelloTastierino);
    aggiornaTastierino(m_tastiTastierino.at(0));
    m_risultati.at(c)->setText(QStringLiteral("?"));
    m_segni.at(c)->show();
    m_uguali.at(c)->show();
    m_barre.at(c)->show();
    m_linee.at(c)->show();
}

void SchermataEsercizio::mostraRisposta(const QString &risposta)
{
    m_risultati.at(m_serie.colonna())->setText(risposta.isEmpty() ? QStringLiteral("?") : risposta);
    aggiornaTastierino(nullptr);
}

// A right answer stays in its box; a wrong one turns the box yellow until the next table.
void SchermataEsercizio::mostraVerdetto(int c, bool giusta)
{
    if (!giusta)
        m_risultati.at(c)->setColoreSfondo(coloreBGR(Giallo));
}

void SchermataEsercizio::chiudiColonna(int c)
{
    m_segni.at(c)->hide();
    m_uguali.at(c)->hide();
    m_barre.at(c)->hide();
    m_linee.at(c)->hide();
}

// The help offer in front, the focus on "SI"; the keypad behind it takes nothing.
void SchermataEsercizio::offriAiuto()
{
    portaAvanti(m_pannelloAiuto, m_tastiAiuto.at(0));
    aggiornaTastierino(nullptr);
}

void SchermataEsercizio::intervieni()
{
    portaAvanti(m_pannelloIntervento, m_ok);
    m_ok->setValue(false);
    aggiornaTastierino(nullptr);
}

// Only "Nuova Tabella" and "Esco" are left, the focus on the first.
void SchermataEsercizio::finisciTabella()
{
    portaAvanti(m_pannelloTastierino);
    aggiornaTastierino(m_tastiTastierino.at(Serie::TastoNuovaTabella));
}

// The warning in front, the focus on "Stampa"; the keypad behind it takes nothing.
void SchermataEsercizio::avvisa()
{
    portaAvanti(m_pannelloAvviso, m_tastiAvviso.at(0));
    aggiornaTastierino(nullptr);
}

// --- What the child pressed ---

void SchermataEsercizio::premiTasto(int n)
{
    switch (n) {
    case Serie::TastoCancella:
        m_serie.cancella();
        break;
    case Serie::TastoInvio:
        m_serie.conferma();
        break;
    case Serie::TastoNuovaTabella:
        m_serie.nuovaTabella();
        break;
    case Serie::TastoEsco:
        if (m_serie.tastoAttivo(Serie::TastoEsco))
            Q_EMIT escoScelto();
        break;
    default:
        m_serie.digita(n);
        break;
    }
}

// A digit typed on the keyboard goes into the answer, and the focus to "Invio", so that the next Enter
// confirms it.
void SchermataEsercizio::cifraDaTastiera(int cifra)
{
    if (m_serie.digita(cifra))
        m_tastiTastierino.at(Serie::TastoInvio)->setFocus(Qt::ShortcutFocusReason);
}

void SchermataEsercizio::sceltaAvviso(int indice)
{
    if (SceltaAvviso(indice) == SceltaAvviso::Ricomincia)
        m_serie.nuovaSerie();
    else if (m_serie.fase() == Serie::Fase::Avviso)
        Q_EMIT stampaScelta();
}

void SchermataEsercizio::mostraAutore()
{
    // The author's window is modal: on the desktop this returns once it has closed.
    Q_EMIT autoreScelto();
    // Back to the keypad's "1"; when the keypad is behind another panel the focus stays put.
    m_tastiTastierino.at(1)->setFocus(Qt::OtherFocusReason);
}

// --- Panels and keys ---

// One panel in front and enabled, the others disabled behind it; then the focus, where one is given. The
// panel already in front stays enabled throughout: turning it off and on would repaint every key on it.
void SchermataEsercizio::portaAvanti(QFrame *pannello, QWidget *fuoco)
{
    for (QFrame *frame : {m_pannelloAiuto, m_pannelloTastierino, m_pannelloAvviso, m_pannelloIntervento}) {
        if (frame != pannello)
            frame->setEnabled(false);
    }
    pannello->setEnabled(true);
    pannello->raise();
    if (fuoco)
        fuoco->setFocus(Qt::OtherFocusReason);
}

// Each key live or not as the series says. The live ones first, then the focus, then the others go
// grey: the focus never passes through a key on its way out.
void SchermataEsercizio::aggiornaTastierino(PulsanteOpzione *fuoco)
{
    for (int i = 0; i < Serie::NumeroTasti; ++i) {
        if (m_serie.tastoAttivo(i))
            m_tastiTastierino.at(i)->setEnabled(true);
    }
    if (fuoco)
        fuoco->setFocus(Qt::OtherFocusReason);
    for (int i = 0; i < Serie::NumeroTasti; ++i) {
        if (!m_serie.tastoAttivo(i))
            m_tastiTastierino.at(i)->setEnabled(false);
    }
}

// --- Layout ---

void SchermataEsercizio::dopoRidimensionamento()
{
    calcolaLinee();
    posizionaPannelli();
}

void SchermataEsercizio::posizionaPannelli()
{
    const QList<QFrame *> pannelli = {m_pannelloAiuto, m_pannelloTastierino, m_pannelloAvviso, m_pannelloIntervento};
    const QPoint angolo = m_riferimento->pos();
    for (QFrame *frame : pannelli)
        frame->move(frame->x(), angolo.y());
    for (QFrame *frame : pannelli)
        frame->move(angolo.x(), frame->y());
}

void SchermataEsercizio::calcolaLinee()
{
    auto inTwips = [](const QRect &r) {
        return QRectF(r.x() * TwipsPerPixel, r.y() * TwipsPerPixel, r.width() * TwipsPerPixel,
                      r.height() * TwipsPerPixel);
    };
    const QRectF numero = inTwips(m_tabella->geometry());
    for (int k = 0; k < N; ++k) {
        const QLineF linea = lineaColonna(k, numero, inTwips(m_segni.at(k)->geometry()).topLeft());
        m_linee.at(k)->setEstremi(QPointF(linea.p1() / TwipsPerPixel).toPoint(),
                                  QPointF(linea.p2() / TwipsPerPixel).toPoint());
    }
}
