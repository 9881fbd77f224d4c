#include "applicazione/Programma.h"

#include "componenti/tasti/ScansioneAutomatica.h"
#include "narratore/Narratore.h"
#include "voce/Voce.h"

Programma::Programma(const Avvio::Opzioni &opzioni)
    : m_voce(opzioni.voce ? voceDiSistema() : nullptr)
    , m_narratore(m_voce ? std::make_unique<Narratore>(m_serie, *m_voce) : nullptr)
    , m_navigatore(m_serie)
{
    if (opzioni.scansione) {
        m_scansione = std::make_unique<ScansioneAutomatica>(*opzioni.scansione);
        // Nothing moves while a page is on its way.
        QObject::connect(&m_navigatore, &Navigatore::stampaInCorso, m_scansione.get(), &ScansioneAutomatica::sospendi);
    }
}

Programma::~Programma() = default;

SchermataInizio *Programma::avvia()
{
    return m_navigatore.apriInizio();
}
