#include "schermate/esercizio/SchermataEsercizio.h"

#include "componenti/disposizione/Controlli.h"
#include "componenti/disposizione/LayoutProporzionale.h"
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

const std::array<TastoProgetto, SchermataEsercizio::NumeroTasti> TastiTastierino = {{
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
    ConfigurazioneGruppo c;
    c.tasti = {
        {48, 57, Effetto::Cifra, 0},
        {96, 105, Effetto::Cifra, 0},
        {67, 67, Effetto::Cancella},
        {73, 73, Effetto::Fuoco, SchermataEsercizio::TastoInvio},
        {78, 78, Effetto::Fuoco, SchermataEsercizio::TastoNuovaTabella},
        {69, 69, Effetto::Fuoco, SchermataEsercizio::TastoEsco},
        {CodiciTasto::Invio, CodiciTasto::Invio, Effetto::Conferma},
        {CodiciTasto::Backspace, CodiciTasto::Backspace, Effetto::Nessuno},
        {86, 86, Effetto::Nessuno},
        {CodiciTasto::F2, CodiciTasto::F2, Effetto::Nessuno},
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
                   SchermataEsercizio::TastoInvio,
                   SchermataEsercizio::TastoCancella,
                   SchermataEsercizio::TastoNuovaTabella,
                   SchermataEsercizio::TastoEsco};
    return c;
}

// The two-button groups: one key set moves the focus to the first button, another to the second.
// They have no latches: the key that answers them usually goes up over another panel or screen, and
// a latch left set would swallow the next fresh press a child makes here.
ConfigurazioneGruppo configurazioneDuePulsanti(int lettera0, int lettera1)
{
    ConfigurazioneGruppo c;
    c.blocchi = false;
    c.tasti = {
        {lettera0, lettera0, Effetto::Fuoco, 0},
        {49, 49, Effetto::Fuoco, 0},
        {97, 97, Effetto::Fuoco, 0},
        {lettera1, lettera1, Effetto::Fuoco, 1},
        {50, 50, Effetto::Fuoco, 1},
        {98, 98, Effetto::Fuoco, 1},
        {CodiciTasto::Invio, CodiciTasto::Invio, Effetto::Conferma},
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

    for (int c = 0; c < N; ++c) {
        m_fattori.at(c)->setText(QString());
        m_segni.at(c)->hide();
        m_uguali.at(c)->hide();
        m_caselle.at(c)->show();
        m_linee.at(c)->show();
    }
    calcolaLinee();
    portaAvanti(m_pannelloTastierino);
    nuovaSerie();
}

int SchermataEsercizio::colonna() const
{
    return m_serie.colonna();
}

void SchermataEsercizio::creaControlli()
{
    QWidget *area = client();
    QPalette tavolozza = area->palette();
    tavolozza.setColor(QPalette::Window, coloreBGR(Pesca));
    area->setPalette(tavolozza);
    area->setFont(carattere(QStringLiteral("MS Sans Serif"), 12, false));

    m_areaOperazioni = pannello(area, QStringLiteral("Frame1"));
    m_areaOperazioni->setAccessibleName(QStringLiteral("Operazioni"));
    proporzioni()->aggiungi(m_areaOperazioni, QRect(600, 1170, 10644, 4575));
    creaColonne(m_areaOperazioni);

    m_lblRiferimento = new Etichetta(QStringLiteral("Label5"), area);
    m_lblRiferimento->setObjectName(QStringLiteral("lblRiferimento"));
    proporzioni()->aggiungi(m_lblRiferimento, QRect(6090, 5775, 105, 105));

    creaPannelli(area);

    m_menuStampa = menuBar()->addAction(QStringLiteral("Stampa esercizio"));
    m_menuStampa->setObjectName(QStringLiteral("MnuStampaEsercizio"));
    m_menuStampa->setEnabled(false);
    m_menuAutore = menuBar()->addAction(QStringLiteral("Autore"));
    m_menuAutore->setObjectName(QStringLiteral("mnuInfo"));
    m_menuIstruzioni = menuBar()->addAction(QStringLiteral("Istruzioni"));
    m_menuIstruzioni->setObjectName(QStringLiteral("mnuIstruzioni"));
    m_menuIstruzioni->setEnabled(false);
}

void SchermataEsercizio::creaColonne(QWidget *areaOperazioni)
{
    LayoutProporzionale *layout = proporzioni();
    const QColor rosso = coloreBGR(Rosso);

    // Lines first, so that the boxes they lead to are drawn over their ends.
    for (int c = 0; c < N; ++c) {
        auto *linea = new Linea(rosso, 2, areaOperazioni);
        linea->setObjectName(QStringLiteral("Line2(%1)").arg(c));
        m_linee.append(linea);
    }

    m_tabella = etichetta(areaOperazioni, QStringLiteral("Label1"), QString(), 36, 0);
    m_tabella->setBordo(true);
    layout->aggiungi(m_tabella, QRect(4752, 24, 1032, 852));

    for (int c = 0; c < N; ++c) {
        auto *segno
            = etichetta(areaOperazioni, QStringLiteral("lblSegno(%1)").arg(c), QString(Regole::SegnoPer), 15.75, Rosso);
        layout->aggiungi(segno, QRect(SinistraSegno.at(c), 1275, 285, 300));
        m_segni.append(segno);

        auto *fattore = etichetta(areaOperazioni, QStringLiteral("Label2(%1)").arg(c), QString(), 36, 0);
        fattore->setBordo(true);
        layout->aggiungi(fattore, QRect(SinistraBox.at(c), 1710, 1035, 810));
        m_fattori.append(fattore);

        auto *barra = new Forma(Forma::Tipo::Rettangolo, rosso, 0, areaOperazioni);
        barra->setObjectName(QStringLiteral("Shape4(%1)").arg(c));
        layout->aggiungi(barra, QRect(SinistraBarra.at(c), c == 2 ? 2535 : 2520, 45, 855));
        m_caselle.append(barra);

        auto *uguale
            = etichetta(areaOperazioni, QStringLiteral("lblUguale(%1)").arg(c), QStringLiteral("="), 15.75, Rosso);
        layout->aggiungi(uguale, QRect(SinistraUguale.at(c), 3315, 285, 285));
        m_uguali.append(uguale);

        auto *risultato = etichetta(areaOperazioni, QStringLiteral("lblRisultato(%1)").arg(c), QString(), 36, 0);
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
    m_pannelloTastierino = pannello(area, QStringLiteral("fraTastierino"));
    m_pannelloTastierino->setAccessibleName(QStringLiteral("Tastierino"));
    layout->aggiungi(m_pannelloTastierino, PostoPannello);
    for (int i = 0; i < NumeroTasti; ++i) {
        const TastoProgetto &progetto = TastiTastierino.at(i);
        auto *tasto = pulsante(m_pannelloTastierino, QStringLiteral("Option1(%1)").arg(i),
                               QString::fromLatin1(progetto.caption), progetto.punti, Blu);
        layout->aggiungi(tasto, progetto.posto);
        m_tastiTastierino.append(tasto);
    }
    m_tastiTastierino.at(TastoInvio)->setEnabled(false);
    m_tastiTastierino.at(TastoNuovaTabella)->setEnabled(false);
    m_tastiTastierino.at(TastoEsco)->setEnabled(false);

    m_pannelloAiuto = pannello(area, QStringLiteral("fraAiuto"));
    m_pannelloAiuto->setAccessibleName(QStringLiteral("Aiuto"));
    layout->aggiungi(m_pannelloAiuto, PostoPannello);
    auto *lblAiuto = etichetta(m_pannelloAiuto, QStringLiteral("LblAiuto"), QStringLiteral("Ti aiuto ?"), 21.75, 0,
                               Qt::AlignHCenter | Qt::AlignTop);
    layout->aggiungi(lblAiuto, QRect(270, 255, 3825, 855));
    m_tastiAiuto = {pulsante(m_pannelloAiuto, QStringLiteral("Option3(0)"), QStringLiteral("SI"), 20.25, 0),
                    pulsante(m_pannelloAiuto, QStringLiteral("Option3(1)"), QStringLiteral("NO"), 20.25, 0)};
    layout->aggiungi(m_tastiAiuto.at(0), QRect(330, 795, 4380, 660));
    layout->aggiungi(m_tastiAiuto.at(1), QRect(330, 1530, 4380, 660));

    m_pannelloIntervento = pannello(area, QStringLiteral("fraIntervento"));
    m_pannelloIntervento->setAccessibleName(QStringLiteral("Intervento"));
    layout->aggiungi(m_pannelloIntervento, PostoPannello);
    auto *lblIntervento = etichetta(m_pannelloIntervento, QStringLiteral("lblIntervento"),
                                    QStringLiteral("Intervengo io"), 26.25, 0, Qt::AlignHCenter | Qt::AlignTop);
    layout->aggiungi(lblIntervento, QRect(210, 300, 4095, 945));
    m_ok = pulsante(m_pannelloIntervento, QStringLiteral("optOK"), QStringLiteral("OK"), 20.25, 0);
    layout->aggiungi(m_ok, QRect(780, 1155, 3330, 840));

    m_pannelloAvviso = pannello(area, QStringLiteral("fraAvviso"));
    m_pannelloAvviso->setAccessibleName(QStringLiteral("Avviso"));
    layout->aggiungi(m_pannelloAvviso, PostoPannello);
    auto *avviso = etichetta(m_pannelloAvviso, QStringLiteral("Label4(4)"),
                             QStringLiteral("Se ricominci gli esercizi andranno persi"), 15.75, 0,
                             Qt::AlignHCenter | Qt::AlignTop);
    avviso->setWordWrap(true);
    layout->aggiungi(avviso, QRect(135, 180, 4755, 780));
    m_tastiAvviso
        = {pulsante(m_pannelloAvviso, QStringLiteral("optAvviso(0)"), QStringLiteral("Stampa"), 20.25, 0),
           pulsante(m_pannelloAvviso, QStringLiteral("optAvviso(1)"), QStringLiteral("Ricomincia"), 20.25, 0)};
    layout->aggiungi(m_tastiAvviso.at(0), QRect(780, 1080, 3330, 585));
    layout->aggiungi(m_tastiAvviso.at(1), QRect(780, 1740, 3330, 585));

    // Tab order: the keypad ("0" to "9", "Invio", "Cancella", "Nuova Tabella", "Esco"), then the
    // warning, the intervention and the help offer.
    QVector<QWidget *> ordine;
    for (int i :
         {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, int(TastoInvio), int(TastoCancella), int(TastoNuovaTabella), int(TastoEsco)})
        ordine << m_tastiTastierino.at(i);
    ordine << m_tastiAvviso.at(1) << m_tastiAvviso.at(0) << m_ok << m_tastiAiuto.at(0) << m_tastiAiuto.at(1);
    for (int i = 1; i < ordine.size(); ++i)
        setTabOrder(ordine.at(i - 1), ordine.at(i));
}

void SchermataEsercizio::collegaSegnali()
{
    m_tastierino = new GruppoScelta(m_tastiTastierino, configurazioneTastierino(), this);
    m_aiuto = new GruppoScelta(m_tastiAiuto, configurazioneDuePulsanti(83, 78), this);
    m_avviso = new GruppoScelta(m_tastiAvviso, configurazioneDuePulsanti(83, 82), this);
    m_intervento = new GruppoScelta({m_ok}, configurazioneOK(), this);

    connect(m_tastierino, &GruppoScelta::confermato, this, &SchermataEsercizio::premiTasto);
    connect(m_tastierino, &GruppoScelta::cifraDigitata, this, &SchermataEsercizio::cifraDaTastiera);
    connect(m_tastierino, &GruppoScelta::cancellaRichiesta, this, &SchermataEsercizio::cancellaDaTastiera);
    connect(m_aiuto, &GruppoScelta::confermato, this,
            [this](int indice) { indice == 0 ? accettaAiuto() : rifiutaAiuto(); });
    connect(m_intervento, &GruppoScelta::confermato, this, &SchermataEsercizio::confermaIntervento);
    connect(m_avviso, &GruppoScelta::confermato, this, &SchermataEsercizio::sceltaAvviso);
    connect(m_menuAutore, &QAction::triggered, this, &SchermataEsercizio::mostraAutore);
}

// --- Series, tables and columns ---

void SchermataEsercizio::nuovaSerie()
{
    portaAvanti(m_pannelloTastierino);
    m_serie.nuovaSerie();
    mostraTabella();
}

void SchermataEsercizio::nuovaTabella()
{
    m_serie.nuovaTabella();
    mostraTabella();
}

// A table just drawn: every column closed and empty, the first one armed.
void SchermataEsercizio::mostraTabella()
{
    for (int c = 0; c < N; ++c) {
        impostaRisultato(c, QString());
        m_risultati.at(c)->setColoreSfondo(coloreBGR(Crema));
        chiudiColonna(c);
    }
    tastierinoAttivo();
    armaColonna(0);
    m_tabella->setText(QString::number(m_serie.tabella()));
    for (int c = 0; c < N; ++c)
        m_fattori.at(c)->setText(QString::number(m_serie.fattore(c)));
}

void SchermataEsercizio::armaColonna(int c)
{
    impostaRisultato(c, QStringLiteral("?"));
    m_segni.at(c)->show();
    m_uguali.at(c)->show();
    m_caselle.at(c)->show();
    m_linee.at(c)->show();
}

void SchermataEsercizio::chiudiColonna(int c)
{
    m_segni.at(c)->hide();
    m_uguali.at(c)->hide();
    m_caselle.at(c)->hide();
    m_linee.at(c)->hide();
}

// A correct or revealed answer: the column closes, the warning comes forward once the series is over,
// and the next column is armed, or the table ends.
void SchermataEsercizio::colonnaCompletata(int colonna, Serie::Esito esito)
{
    chiudiColonna(colonna);
    controllaFineEsercizi();
    if (esito == Serie::Esito::TabellaFinita) {
        tabellaFinita();
        return;
    }
    tastierinoAttivo();
    armaColonna(m_serie.colonna());
}

void SchermataEsercizio::impostaRisultato(int c, const QString &testo)
{
    m_risultati.at(c)->setText(testo);
    // "Invio" is available exactly while a result box shows something other than "?".
    m_tastiTastierino.at(TastoInvio)->setEnabled(testo != QLatin1String("?"));
}

// --- Panels and keypad states ---

void SchermataEsercizio::disabilitaPannelli()
{
    for (QFrame *frame : {m_pannelloAiuto, m_pannelloTastierino, m_pannelloAvviso, m_pannelloIntervento})
        frame->setEnabled(false);
}

void SchermataEsercizio::portaAvanti(QFrame *pannello, QWidget *fuoco)
{
    disabilitaPannelli();
    pannello->setEnabled(true);
    pannello->raise();
    if (fuoco)
        fuoco->setFocus(Qt::OtherFocusReason);
}

void SchermataEsercizio::posizionaPannelli()
{
    const QList<QFrame *> pannelli = {m_pannelloAiuto, m_pannelloTastierino, m_pannelloAvviso, m_pannelloIntervento};
    const QPoint angolo = m_lblRiferimento->pos();
    for (QFrame *frame : pannelli)
        frame->move(frame->x(), angolo.y());
    for (QFrame *frame : pannelli)
        frame->move(angolo.x(), frame->y());
}

void SchermataEsercizio::tastierinoAttivo()
{
    for (int i = 0; i < NumeroTasti; ++i)
        m_tastiTastierino.at(i)->setEnabled(i < TastoNuovaTabella);
    m_tastiTastierino.at(0)->setFocus(Qt::OtherFocusReason);
}

void SchermataEsercizio::tabellaFinita()
{
    for (int i = 0; i < NumeroTasti; ++i)
        m_tastiTastierino.at(i)->setEnabled(i >= TastoNuovaTabella);
    m_tastiTastierino.at(TastoNuovaTabella)->setFocus(Qt::OtherFocusReason);
}

void SchermataEsercizio::controllaFineEsercizi()
{
    if (m_serie.finita())
        portaAvanti(m_pannelloAvviso, m_tastiAvviso.at(0));
}

// --- Layout ---

void SchermataEsercizio::dopoRidimensionamento()
{
    calcolaLinee();
    posizionaPannelli();
}

void SchermataEsercizio::calcolaLinee()
{
    auto inTwips = [](const QRect &r) {
        return QRectF(r.x() * TwipsPerPixel, r.y() * TwipsPerPixel, r.width() * TwipsPerPixel,
                      r.height() * TwipsPerPixel);
    };
    const QRectF numero = inTwips(m_tabella->geometry());
    for (int k = 0; k < N; ++k) {
        const QLineF linea = Regole::estremiLinea(k, numero, inTwips(m_segni.at(k)->geometry()).topLeft());
        m_linee.at(k)->setEstremi(QPointF(linea.p1() / TwipsPerPixel).toPoint(),
                                  QPointF(linea.p2() / TwipsPerPixel).toPoint());
    }
}

// --- Keypad ---

void SchermataEsercizio::premiTasto(int n)
{
    if (n >= 0 && n <= 9) {
        aggiungiCifra(n);
        return;
    }
    switch (n) {
    case TastoCancella:
        togliCifra();
        break;
    case TastoInvio:
        verificaRisposta();
        break;
    case TastoNuovaTabella:
        nuovaTabella();
        break;
    case TastoEsco:
        Q_EMIT escoScelto();
        break;
    default:
        break;
    }
}

void SchermataEsercizio::aggiungiCifra(int cifra)
{
    m_serie.digita(cifra);
    mostraRisposta();
}

void SchermataEsercizio::togliCifra()
{
    m_serie.cancella();
    mostraRisposta();
}

void SchermataEsercizio::mostraRisposta()
{
    impostaRisultato(m_serie.colonna(), m_serie.risposta().isEmpty() ? QStringLiteral("?") : m_serie.risposta());
}

void SchermataEsercizio::cifraDaTastiera(int cifra)
{
    // A finished table has its digit buttons disabled, and then typed digits do nothing either.
    if (cifra < 0 || cifra > 9 || !m_tastiTastierino.at(cifra)->isEnabled())
        return;
    aggiungiCifra(cifra);
    m_tastiTastierino.at(TastoInvio)->setFocus(Qt::ShortcutFocusReason);
}

void SchermataEsercizio::cancellaDaTastiera()
{
    if (m_tastiTastierino.at(TastoCancella)->isEnabled())
        togliCifra();
}

void SchermataEsercizio::verificaRisposta()
{
    const int colonna = m_serie.colonna();
    const Serie::Esito esito = m_serie.conferma();
    if (esito != Serie::Esito::Sbagliata) {
        colonnaCompletata(colonna, esito);
        return;
    }
    m_risultati.at(colonna)->setColoreSfondo(coloreBGR(Giallo));
    portaAvanti(m_pannelloAiuto, m_tastiAiuto.at(0));
}

// --- Help, intervention, warning ---

void SchermataEsercizio::accettaAiuto()
{
    const int colonna = m_serie.colonna();
    impostaRisultato(colonna, m_serie.attesa(colonna));
    const Serie::Esito esito = m_serie.accettaAiuto();
    portaAvanti(m_pannelloTastierino);
    colonnaCompletata(colonna, esito);
}

void SchermataEsercizio::rifiutaAiuto()
{
    if (m_serie.rifiutaAiuto() == Serie::Rifiuto::Riprova) {
        portaAvanti(m_pannelloTastierino);
        tastierinoAttivo();
        armaColonna(m_serie.colonna());
        return;
    }
    portaAvanti(m_pannelloIntervento, m_ok);
    m_ok->setValue(false);
}

void SchermataEsercizio::confermaIntervento()
{
    m_ok->setValue(false);
    accettaAiuto();
    controllaFineEsercizi();
}

void SchermataEsercizio::sceltaAvviso(int indice)
{
    if (indice == 0)
        Q_EMIT stampaScelta();
    else
        nuovaSerie();
}

void SchermataEsercizio::mostraAutore()
{
    // The author's window is modal: on the desktop this returns once it has closed.
    Q_EMIT autoreScelto();
    // Back to the keypad's "1"; when the keypad is behind another panel the focus stays put.
    m_tastiTastierino.at(1)->setFocus(Qt::OtherFocusReason);
}
