#include "stampa/Uscita.h"

#include "stampa/PaginaEsercizi.h"
#include "stampa/StampanteInoltro.h"
#include "stampa/StampanteQt.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <emscripten.h>

namespace {

enum Rifiuti
{
    DownloadRifiutato = 1,
    StampaRifiutata = 2
};

// Hands the PDF to the browser twice: as a download under its name, and to a hidden frame whose print
// dialog opens once the frame has it. Returns the Rifiuti the browser made at once. The body is
// JavaScript, which clang-format does not know.
// clang-format off
EM_JS(int, consegnaAlBrowser, (const char *nome, const unsigned char *dati, int lunghezza), {
    let rifiuti = 0;
    const url = URL.createObjectURL(new Blob([HEAPU8.slice(dati, dati + lunghezza)], {type : 'application/pdf'}));
    try {
        const link = document.createElement('a');
        link.href = url;
        link.download = UTF8ToString(nome);
        link.style.display = 'none';
        document.body.appendChild(link);
        link.click();
        link.remove();
    } catch (e) {
        rifiuti |= 1;
    }
    try {
        const cornice = document.createElement('iframe');
        cornice.style.cssText = 'position:fixed;right:0;bottom:0;width:0;height:0;border:0';
        cornice.onload = function() {
            try {
                cornice.contentWindow.focus();
                cornice.contentWindow.print();
            } catch (e) {
                console.warn('Contalino: finestra di stampa non aperta', e);
            }
        };
        cornice.src = url;
        document.body.appendChild(cornice);
        setTimeout(function() { cornice.remove(); }, 600000);
    } catch (e) {
        rifiuti |= 2;
    }
    setTimeout(function() { URL.revokeObjectURL(url); }, 600000);
    return rifiuti;
});
// clang-format on

// The page drawn as a PDF in the program's own memory, by the same code as every other page, then
// handed to the browser. The outcome is Stampato once the browser has it; what the browser refused is
// the note, with how to get the page all the same.
class StampanteBrowser : public StampanteInoltro<StampanteQt>
{
public:
    StampanteBrowser()
        : StampanteInoltro(StampanteQt::pdf(
            QDir(QDir::tempPath()).filePath(PaginaEsercizi::nomeFileRiserva(QDateTime::currentDateTime()))))
    { }

    QString nota() const override { return m_nota; }
    QString motivo() const override { return m_motivo.isEmpty() ? m_interna->motivo() : m_motivo; }

    Esito fineDocumento() override
    {
        const Esito esito = m_interna->fineDocumento();
        if (esito != Esito::Stampato)
            return esito;
        QFile file(m_interna->percorsoSalvato());
        const QByteArray dati = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        file.remove();
        // An empty file handed to the browser would be a page lost in silence.
        if (dati.isEmpty()) {
            m_motivo = QStringLiteral("il file PDF non è stato preparato per intero");
            return Esito::Errore;
        }
        const QString nome = QFileInfo(file.fileName()).fileName();
        const int rifiuti = consegnaAlBrowser(
            nome.toUtf8().constData(), reinterpret_cast<const unsigned char *>(dati.constData()), int(dati.size()));
        if (rifiuti == (DownloadRifiutato | StampaRifiutata))
            m_nota = QStringLiteral("Il browser non ha permesso né di salvare né di stampare il foglio delle "
                                    "operazioni. Permettere i download e le finestre di stampa a questa pagina "
                                    "(di solito dall'icona nella barra degli indirizzi), poi premere di nuovo "
                                    "«STAMPA LE OPERAZIONI».");
        else if (rifiuti == DownloadRifiutato)
            m_nota = QStringLiteral("Il browser non ha permesso di salvare il file «%1». Nella finestra di stampa "
                                    "si può scegliere «Salva come PDF» per averlo.")
                         .arg(nome);
        else if (rifiuti == StampaRifiutata)
            m_nota = QStringLiteral("Il browser non ha aperto la finestra di stampa. Il foglio delle operazioni è "
                                    "stato scaricato nel file «%1»: aprirlo dalla cartella dei download e "
                                    "stamparlo da lì.")
                         .arg(nome);
        return Esito::Stampato;
    }

private:
    QString m_nota;
    QString m_motivo;
};

} // namespace

std::unique_ptr<Stampante> stampantePredefinita()
{
    return std::make_unique<StampanteBrowser>();
}

QString cartellaDiRiserva()
{
    return {};
}
