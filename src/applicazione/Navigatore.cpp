#include "applicazione/Navigatore.h"

#include "componenti/finestre/Modale.h"
#include "schermate/esercizio/SchermataEsercizio.h"
#include "schermate/informazioni/FinestraAutore.h"
#include "schermate/inizio/SchermataInizio.h"
#include "schermate/stampa/SchermataStampa.h"

#include "componenti/finestre/Messaggio.h"
#include "stampa/Uscita.h"

#include <QApplication>

Navigatore::Navigatore(Serie &serie, QObject *parent)
    : QObject(parent)
    , m_serie(serie)
{
    qApp->installEventFilter(this);
}

Navigatore::~Navigatore()
{
    // The program is ending: the screens still loaded close, and go before the series they were handed.
    m_schermate.scarica<SchermataInizio>();
    chiudiTutto();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

SchermataInizio *Navigatore::apriInizio()
{
    SchermataInizio *inizio = m_schermate.istanza<SchermataInizio>();
    if (!inizio) {
        inizio = m_schermate.carica<SchermataInizio>(m_serie);
        connect(inizio, &SchermataInizio::vaiScelto, this, &Navigatore::apriEsercizio);
        // Queued, as every choice that closes the window holding the button being confirmed.
        connect(inizio, &SchermataInizio::esciScelto, inizio, &QWidget::close, Qt::QueuedConnection);
        connect(inizio, &SchermataInizio::autoreScelto, this, &Navigatore::mostraAutore);
        connect(inizio, &Schermata::scaricata, this, &Navigatore::chiudiTutto);
    }
    inizio->mostra();
    return inizio;
}

SchermataEsercizio *Navigatore::apriEsercizio()
{
    SchermataEsercizio *esercizio = m_schermate.istanza<SchermataEsercizio>();
    if (!esercizio) {
        esercizio = m_schermate.carica<SchermataEsercizio>(m_serie);
        connect(esercizio, &SchermataEsercizio::escoScelto, esercizio, &QWidget::close, Qt::QueuedConnection);
        connect(esercizio, &SchermataEsercizio::stampaScelta, this, &Navigatore::apriStampa);
        connect(esercizio, &SchermataEsercizio::autoreScelto, this, &Navigatore::mostraAutore);
    }
    esercizio->mostra();
    return esercizio;
}

SchermataStampa *Navigatore::apriStampa()
{
    SchermataStampa *stampa = m_schermate.istanza<SchermataStampa>();
    if (!stampa) {
        stampa = m_schermate.carica<SchermataStampa>(m_serie);
        connect(&stampa->consegna(), &ConsegnaFoglio::inCorsoCambiato, this, &Navigatore::stampaInCorso);
    }
    stampa->mostra();
    return stampa;
}

void Navigatore::mostraAutore()
{
    mostraModale(m_schermate.carica<FinestraAutore>());
}

// What the browser refused of a page after it went out is told on the print screen, or wherever the
// teacher is now.
bool Navigatore::eventFilter(QObject *oggetto, QEvent *evento)
{
    if (evento->type() != NotaTardiva::tipo() || oggetto != qApp)
        return QObject::eventFilter(oggetto, evento);
    const QString &testo = static_cast<NotaTardiva *>(evento)->testo();
    if (auto *stampa = m_schermate.istanza<SchermataStampa>())
        stampa->messaggi().mostra(stampa, testo, Messaggio::Tipo::Avviso);
    else
        Messaggio().mostra(QApplication::activeWindow(), testo, Messaggio::Tipo::Avviso);
    return true;
}

void Navigatore::chiudiTutto()
{
    m_schermate.scarica<FinestraAutore>();
    m_schermate.scarica<SchermataEsercizio>();
    m_schermate.scarica<SchermataStampa>();
}
