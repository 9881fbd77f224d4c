#include "componenti/tasti/GruppoScelta.h"

#include "componenti/tasti/CodiciTasto.h"
#include "componenti/tasti/EventoScansione.h"
#include "componenti/tasti/PulsanteOpzione.h"

#include <QKeyEvent>
#include <QPointer>

#include <algorithm>

GruppoScelta::GruppoScelta(const QVector<PulsanteOpzione *> &pulsanti, ConfigurazioneGruppo configurazione,
                           QObject *parent)
    : QObject(parent)
    , m_pulsanti(pulsanti)
    , m_configurazione(std::move(configurazione))
{
    if (m_configurazione.ordineTab.isEmpty()) {
        for (int i = 0; i < m_pulsanti.size(); ++i)
            m_configurazione.ordineTab.append(i);
    }
    for (PulsanteOpzione *pulsante : std::as_const(m_pulsanti)) {
        pulsante->installEventFilter(this);
        pulsante->setBackColor(m_configurazione.evidenziaFuoco ? m_configurazione.coloreNormale
                                                               : m_configurazione.coloreEvidenza);
    }
}

int GruppoScelta::indiceDi(const QObject *oggetto) const
{
    for (int i = 0; i < m_pulsanti.size(); ++i) {
        if (m_pulsanti.at(i) == oggetto)
            return i;
    }
    return -1;
}

const RegolaTasto *GruppoScelta::regolaPer(int codice) const
{
    for (const RegolaTasto &regola : m_configurazione.tasti) {
        if (codice >= regola.primo && codice <= regola.ultimo)
            return &regola;
    }
    return nullptr;
}

int GruppoScelta::passoScansione(int da)
{
    const int n = int(m_pulsanti.size());
    int destinazione = -1;
    if (m_configurazione.scansione == Scansione::DuePulsanti) {
        destinazione = da == 0 ? 1 : 0;
    } else {
        // Walk forward in index order, wrapping round; a group with nothing enabled keeps its focus.
        for (int passo = 1; passo <= n; ++passo) {
            const int i = (da + passo) % n;
            if (m_pulsanti.at(i)->isEnabled()) {
                destinazione = i;
                break;
            }
        }
    }
    if (destinazione >= 0 && destinazione < n)
        m_pulsanti.at(destinazione)->setFocus(Qt::TabFocusReason);
    return destinazione;
}

void GruppoScelta::spostaConFrecce(int indice, int codice)
{
    const QVector<int> &ordine = m_configurazione.ordineTab;
    const int n = int(ordine.size());
    const int posizione = int(ordine.indexOf(indice));
    if (posizione < 0)
        return;
    const int verso = (codice == CodiciTasto::Sinistra || codice == CodiciTasto::Su) ? -1 : 1;
    for (int passo = 1; passo < n; ++passo) {
        PulsanteOpzione *candidato = m_pulsanti.at(ordine.at(((posizione + verso * passo) % n + n) % n));
        if (candidato->isEnabled()) {
            candidato->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

// Returns false when the group must stop: the action it triggered destroyed the group.
bool GruppoScelta::applica(const RegolaTasto &regola, int codice, int indice)
{
    QPointer<GruppoScelta> vivo(this);
    const int argomento = regola.indice + (codice - regola.primo);
    switch (regola.effetto) {
    case Effetto::Nessuno:
        break;
    case Effetto::Fuoco:
        if (argomento >= 0 && argomento < m_pulsanti.size())
            m_pulsanti.at(argomento)->setFocus(Qt::ShortcutFocusReason);
        break;
    case Effetto::Conferma:
        Q_EMIT confermato(indice);
        break;
    case Effetto::Cifra:
        Q_EMIT cifraDigitata(argomento);
        break;
    case Effetto::Cancella:
        Q_EMIT cancellaRichiesta();
        break;
    }
    return !vivo.isNull();
}

// Automatic scanning steps as the space bar does, and chooses as Enter does. A group the space bar does not
// walk (the intervention's single "OK") holds its one item.
bool GruppoScelta::scansioneAutomatica(int indice, EventoScansione *evento)
{
    if (!m_pulsanti.at(indice)->isEnabled())
        return true;
    if (evento->azione() == EventoScansione::Azione::Scelta) {
        Q_EMIT confermato(indice);
        return true;
    }
    switch (m_configurazione.scansione) {
    case Scansione::Nessuna:
        evento->elementi = 1;
        break;
    case Scansione::DuePulsanti:
        evento->elementi = 2;
        passoScansione(indice);
        break;
    case Scansione::Salto:
        evento->elementi = int(std::count_if(m_pulsanti.cbegin(), m_pulsanti.cend(),
                                             [](const PulsanteOpzione *p) { return p->isEnabled(); }));
        passoScansione(indice);
        break;
    }
    return true;
}

bool GruppoScelta::tastoPremuto(int indice, QKeyEvent *evento)
{
    const bool ripetuto = evento->isAutoRepeat();
    const int codice = CodiciTasto::codice(evento);

    if (m_configurazione.ogniTastoConferma) {
        if (!ripetuto)
            Q_EMIT confermato(indice);
        return true;
    }

    // A held key acts once: its repeats are swallowed in every group, the arrows and Tab included, so a
    // hand resting on a key never walks the focus away.
    if (ripetuto)
        return true;

    // Tab and Shift+Tab stay with the window, which walks the tab order.
    if (evento->key() == Qt::Key_Tab || evento->key() == Qt::Key_Backtab)
        return false;

    if (CodiciTasto::eFreccia(codice)) {
        const bool muovi = m_configurazione.frecce == Frecce::Sempre
                           || (m_configurazione.frecce == Frecce::SoloSeBloccato && m_bloccoTasti);
        if (muovi)
            spostaConFrecce(indice, codice);
        if (m_configurazione.frecce == Frecce::Sempre)
            m_bloccoTasti = true;
        return true;
    }

    // Key-down: while the latch is set the group lets the key go by untouched.
    if (!m_bloccoTasti) {
        if (const RegolaTasto *regola = regolaPer(codice)) {
            m_bloccoTasti = m_configurazione.blocchi;
            if (!applica(*regola, codice, indice))
                return true;
        }
    }

    // The typed character: only the space bar means something, a scanning step.
    const QString testo = evento->text();
    if (m_configurazione.scansione != Scansione::Nessuna && !testo.isEmpty() && !m_bloccoSpazio
        && testo.at(0) == QLatin1Char(' ')) {
        passoScansione(indice);
        m_bloccoSpazio = m_configurazione.blocchi;
    }
    return true;
}

void GruppoScelta::tastoRilasciato(int indice, QKeyEvent *evento)
{
    // The release half of an auto-repeat must not free the latches, or a held key would act again.
    if (evento->isAutoRepeat())
        return;
    m_bloccoTasti = false;
    m_bloccoSpazio = false;
    m_pulsanti.at(indice)->setValue(false);
}

bool GruppoScelta::eventFilter(QObject *oggetto, QEvent *evento)
{
    const int indice = indiceDi(oggetto);
    // While a window is destroyed its buttons lose the focus after their own destructor has run:
    // the cast fails then, and a half-destroyed button is left alone.
    auto *pulsante = qobject_cast<PulsanteOpzione *>(oggetto);
    if (indice < 0 || !pulsante)
        return QObject::eventFilter(oggetto, evento);
    if (evento->type() == EventoScansione::tipo())
        return scansioneAutomatica(indice, static_cast<EventoScansione *>(evento));

    // A disabled button, or one in a panel behind the front one, still receives the presses that
    // land on it; they must not confirm anything. Its focus events still count: a button that loses
    // the focus because its panel went behind must lose its highlight too.
    if (!pulsante->isEnabled()) {
        switch (evento->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseButtonRelease:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            return true;
        default:
            break;
        }
    }

    switch (evento->type()) {
    case QEvent::FocusIn:
        if (m_configurazione.evidenziaFuoco) {
            pulsante->setBackColor(m_configurazione.coloreEvidenza);
            pulsante->setValue(false);
        }
        return false;
    case QEvent::FocusOut:
        if (m_configurazione.evidenziaFuoco) {
            pulsante->setBackColor(m_configurazione.coloreNormale);
            pulsante->setValue(false);
        }
        return false;
    case QEvent::KeyPress:
        return tastoPremuto(indice, static_cast<QKeyEvent *>(evento));
    case QEvent::KeyRelease:
        if (m_configurazione.ogniTastoConferma)
            return true;
        tastoRilasciato(indice, static_cast<QKeyEvent *>(evento));
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        // Any mouse button confirms, on the press: a child who slips off the button has still chosen.
        pulsante->setValue(true);
        if (m_configurazione.evidenziaFuoco)
            pulsante->setFocus(Qt::MouseFocusReason);
        Q_EMIT confermato(indice);
        return true;
    }
    case QEvent::MouseButtonRelease:
        m_bloccoTasti = false;
        m_bloccoSpazio = false;
        pulsante->setValue(false);
        return true;
    default:
        return QObject::eventFilter(oggetto, evento);
    }
}
