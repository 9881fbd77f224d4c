#include "stampa/ConsegnaFoglio.h"

#include "stampa/PaginaEsercizi.h"
#include "stampa/Sottofondo.h"
#include "stampa/StampanteQt.h"
#include "stampa/Uscita.h"

#include <QDateTime>
#include <QDir>

void ConsegnaFoglio::setFabbricaStampante(FabbricaStampante fabbrica)
{
    m_fabbrica = std::move(fabbrica);
}

void ConsegnaFoglio::setCartellaDocumenti(const QString &cartella)
{
    m_cartellaDocumenti = cartella;
}

QString ConsegnaFoglio::cartellaDocumenti() const
{
    return m_cartellaDocumenti.isEmpty() ? cartellaDiRiserva() : m_cartellaDocumenti;
}

void ConsegnaFoglio::setInCorso(bool inCorso)
{
    m_inCorso = inCorso;
    Q_EMIT inCorsoCambiato(inCorso);
}

ConsegnaFoglio::Esito ConsegnaFoglio::consegna(const QStringList &righe)
{
    if (m_inCorso)
        return {};
    const std::shared_ptr<Stampante> stampante = m_fabbrica ? m_fabbrica() : stampantePredefinita();
    const QString font = PaginaEsercizi::fontCourier(stampante->elencoFont());
    if (font.isEmpty())
        return {Esito::Tipo::Semplice, PaginaEsercizi::messaggioFontMancante()};
    setInCorso(true);
    const Esito esito = spiega(invia(stampante, font, righe), *stampante, font, righe);
    setInCorso(false);
    return esito;
}

ConsegnaFoglio::Risultato ConsegnaFoglio::invia(const std::shared_ptr<Stampante> &stampante, const QString &font,
                                                const QStringList &righe)
{
    // Read only once the thread has ended in time.
    auto esito = std::make_shared<Stampante::Esito>(Stampante::Esito::Errore);
    const bool inTempo = eseguiInSottofondo(
        [stampante, font, righe, esito] {
            PaginaEsercizi::disegna(*stampante, font, righe);
            *esito = stampante->fineDocumento();
        },
        m_limite, [stampante] { return stampante->attendeUtente(); }, LimiteConUtente);
    if (!inTempo) {
        stampante->annulla();
        return Risultato::NonRisponde;
    }
    switch (*esito) {
    case Stampante::Esito::Stampato:
        return Risultato::Stampata;
    case Stampante::Esito::NessunaStampante:
        return Risultato::NessunaStampante;
    case Stampante::Esito::Rifiutato:
        return Risultato::Rifiutata;
    case Stampante::Esito::Errore:
        break;
    }
    return Risultato::Errore;
}

// Whatever kept the page from the printer, it is saved as a PDF, and the message says what happened
// first, naming the printer as people know it.
ConsegnaFoglio::Esito ConsegnaFoglio::spiega(Risultato risultato, const Stampante &stampante, const QString &font,
                                             const QStringList &righe)
{
    const QString nome = stampante.nome();
    const QString laStampante
        = nome.isEmpty() ? QStringLiteral("La stampante predefinita") : QStringLiteral("La stampante «%1»").arg(nome);
    switch (risultato) {
    case Risultato::Stampata: {
        const QString nota = stampante.nota();
        return {nota.isEmpty() ? Esito::Tipo::Nessuno : Esito::Tipo::Avviso, nota};
    }
    case Risultato::NessunaStampante:
        return salvaInPdf(QStringLiteral("Non è stata trovata nessuna stampante"), risultato, font, righe);
    case Risultato::Rifiutata:
        return salvaInPdf(QStringLiteral("%1 %2").arg(laStampante, stampante.motivo()), risultato, font, righe);
    case Risultato::NonRisponde:
        return salvaInPdf(QStringLiteral("%1 non risponde").arg(laStampante), risultato, font, righe);
    case Risultato::Errore:
        break;
    }
    return salvaInPdf(
        nome.isEmpty() ? QStringLiteral("Il foglio delle operazioni non è stato stampato: %1").arg(stampante.motivo())
                       : QStringLiteral("Il foglio delle operazioni non è stato stampato sulla stampante «%1»: %2")
                             .arg(nome, stampante.motivo()),
        risultato, font, righe);
}

ConsegnaFoglio::Esito ConsegnaFoglio::salvaInPdf(const QString &accaduto, Risultato risultato, const QString &font,
                                                 const QStringList &righe)
{
    const QString cartella = cartellaDocumenti();
    std::shared_ptr<StampanteQt> pdf;
    if (!cartella.isEmpty())
        pdf = StampanteQt::pdf(QDir(cartella).filePath(PaginaEsercizi::nomeFileRiserva(QDateTime::currentDateTime())));

    // No printer at all is the usual case of a school computer: information, not a warning.
    const Esito::Tipo tipo = risultato == Risultato::NessunaStampante ? Esito::Tipo::Informazione : Esito::Tipo::Avviso;
    QString motivo = QStringLiteral("non è stata trovata la cartella dei documenti");
    if (pdf) {
        switch (invia(pdf, font, righe)) {
        case Risultato::Stampata:
            return {tipo, QStringLiteral("%1.\nIl foglio delle operazioni è stato salvato nel file:\n%2")
                              .arg(accaduto, QDir::toNativeSeparators(pdf->percorsoSalvato()))};
        case Risultato::NonRisponde:
            motivo = QStringLiteral("il disco non risponde");
            break;
        case Risultato::NessunaStampante:
        case Risultato::Rifiutata:
        case Risultato::Errore:
            motivo = pdf->motivo();
            break;
        }
    }
    return {Esito::Tipo::Avviso,
            risultato == Risultato::NessunaStampante
                ? QStringLiteral("%1 e il foglio delle operazioni non è stato salvato: %2.").arg(accaduto, motivo)
                : QStringLiteral("%1.\nIl foglio delle operazioni non è stato salvato: %2.").arg(accaduto, motivo)};
}
