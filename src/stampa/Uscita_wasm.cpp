#include "stampa/Uscita.h"

#include "stampa/PaginaEsercizi.h"
#include "stampa/StampanteInoltro.h"
#include "stampa/StampanteQt.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <emscripten.h>
#include <emscripten/bind.h>

#include <string>

namespace {

enum Rifiuti
{
    DownloadRifiutato = 1,
    StampaRifiutata = 2
};

// What the teacher must know of what the browser refused of the page `nome`, and how to get it all the
// same; empty when it refused nothing.
QString notaDeiRifiuti(int rifiuti, const QString &nome)
{
    if (rifiuti == (DownloadRifiutato | StampaRifiutata))
        return QStringLiteral("Il browser non ha permesso né di salvare né di stampare il foglio delle "
                              "operazioni. Permettere i download e le finestre di stampa a questa pagina "
                              "(di solito dall'icona nella barra degli indirizzi), poi premere di nuovo "
                              "«STAMPA LE OPERAZIONI».");
    if (rifiuti == DownloadRifiutato)
        return QStringLiteral("Il browser non ha permesso di salvare il file «%1». Nella finestra di stampa "
                              "si può scegliere «Salva come PDF» per averlo.")
            .arg(nome);
    if (rifiuti == StampaRifiutata)
        return QStringLiteral("Il browser non ha aperto la finestra di stampa. Il foglio delle operazioni è "
                              "stato scaricato nel file «%1»: aprirlo dalla cartella dei download e "
                              "stamparlo da lì.")
            .arg(nome);
    return {};
}

// The print dialog fails only once its frame has the page, after the press has returned: the browser
// calls this then, with everything it refused, and the program says it as it says a refusal at once
// (NotaTardiva). The record is still there, in the print screen or the warning behind it, for another try.
void rifiutoDopo(int rifiuti, const std::string &nome)
{
    const QString nota = notaDeiRifiuti(rifiuti, QString::fromStdString(nome));
    qWarning("%s", qUtf8Printable(nota));
    QCoreApplication::postEvent(QCoreApplication::instance(), new NotaTardiva(nota));
}

EMSCRIPTEN_BINDINGS(stampa_nel_browser)
{
    emscripten::function("contalinoRifiutoDopo", &rifiutoDopo);
}

// Hands the PDF to the browser twice: as a download under its name, and to a hidden frame whose print
// dialog opens once the frame has it. Returns the Rifiuti the browser made at once; one it makes later,
// the print dialog's, goes to rifiutoDopo. Nothing it throws may reach the program, which would stop in
// the middle of the press. The body is JavaScript, which clang-format does not know.
// clang-format off
EM_JS(int, consegnaAlBrowser, (const char *nome, const unsigned char *dati, int lunghezza), {
    const file = UTF8ToString(nome);
    let rifiuti = 0;
    let url;
    try {
        url = URL.createObjectURL(new Blob([HEAPU8.slice(dati, dati + lunghezza)], {type : 'application/pdf'}));
    } catch (e) {
        console.warn('Contalino: foglio non consegnato al browser', e);
        return 3;
    }
    try {
        const link = document.createElement('a');
        link.href = url;
        link.download = file;
        link.style.display = 'none';
        document.body.appendChild(link);
        link.click();
        link.remove();
    } catch (e) {
        console.warn('Contalino: download rifiutato', e);
        rifiuti |= 1;
    }
    // A browser that shows no PDF inside a page (a phone's or a tablet's, or one set to download PDFs)
    // would print an empty frame.
    if (navigator.pdfViewerEnabled === false) {
        rifiuti |= 2;
    } else {
        try {
            const cornice = document.createElement('iframe');
            cornice.style.cssText = 'position:fixed;right:0;bottom:0;width:0;height:0;border:0';
            // The print dialog takes the keyboard to the frame; it must come back to the program once
            // the dialog closes, or keys and switches would reach nothing until a tap.
            const fuoco = document.activeElement;
            cornice.onload = function() {
                let aperta = true;
                try {
                    cornice.contentWindow.focus();
                    cornice.contentWindow.print();
                } catch (e) {
                    console.warn('Contalino: finestra di stampa non aperta', e);
                    aperta = false;
                }
                if (fuoco)
                    fuoco.focus();
                if (!aperta)
                    Module.contalinoRifiutoDopo(rifiuti | 2, file);
            };
            cornice.src = url;
            document.body.appendChild(cornice);
            setTimeout(function() { cornice.remove(); }, 600000);
        } catch (e) {
            console.warn('Contalino: finestra di stampa non aperta', e);
            rifiuti |= 2;
        }
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
        m_nota = notaDeiRifiuti(rifiuti, nome);
        // The browser's console keeps what the page told the teacher, for whoever helps them.
        if (!m_nota.isEmpty())
            qWarning("%s", qUtf8Printable(m_nota));
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
