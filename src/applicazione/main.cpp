#include "applicazione/Avvio.h"
#include "applicazione/Navigatore.h"
#include "applicazione/Piattaforma.h"
#include "narratore/Narratore.h"
#include "serie/Serie.h"
#include "voce/Voce.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication applicazione(argc, argv);
    Avvio::preparaApplicazione(applicazione);
    const Avvio::Opzioni opzioni = Avvio::leggiOpzioni(QApplication::arguments() + opzioniDellaPiattaforma());
    // The series lives as long as the program: every screen is handed it.
    Serie serie;
    // The voice, when asked for, listens from the first screen on.
    std::unique_ptr<Voce> voce;
    std::unique_ptr<Narratore> narratore;
    if (opzioni.voce) {
        voce = voceDiSistema();
        narratore = std::make_unique<Narratore>(serie, *voce);
    }
    Navigatore navigatore(serie);
    navigatore.apriInizio();
    const int esito = applicazione.exec();
    // The screens closed by "Esci" are destroyed after the event loop has already stopped.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return esito;
}
