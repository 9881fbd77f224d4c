#include "voce/Voce.h"

#include <emscripten.h>

namespace {

// The browser's speechSynthesis, from the page's JavaScript; the bodies are JavaScript, which clang-format
// does not know. Nothing here waits: speak() queues the utterance and returns, and a voice the browser
// lists late is taken when it comes. No exception may leave a body, since it would unwind through the
// program. The page's state is Module.voce: the Italian voice chosen (or null), and whether the browser
// has listed its voices yet.
// clang-format off

// Returns 1 where the browser speaks, 0 where it has no speechSynthesis. The voices are chosen now and
// again at every voiceschanged: Chromium lists them only after that event. A local Italian voice is
// preferred, since it speaks offline too.
EM_JS(int, preparaNelBrowser, (), {
    try {
        if (typeof speechSynthesis === 'undefined' || typeof SpeechSynthesisUtterance === 'undefined') {
            console.info('Contalino: la voce tace: questo browser non ha la sintesi vocale');
            return 0;
        }
        const stato = Module.voce = {italiana: null, elencate: false, detto: false};
        const scegli = function() {
            const voci = speechSynthesis.getVoices();
            if (voci.length === 0)
                return;
            const italiane = voci.filter(function(voce) { return voce.lang.toLowerCase().split(/[-_]/)[0] === 'it'; });
            stato.italiana = italiane.find(function(voce) { return voce.localService; }) || italiane[0] || null;
            stato.elencate = true;
            if (!stato.italiana && !stato.detto) {
                stato.detto = true;
                console.info('Contalino: la voce tace: il browser non ha una voce italiana');
            }
        };
        scegli();
        speechSynthesis.addEventListener('voiceschanged', scegli);
        return 1;
    } catch (e) {
        console.info('Contalino: la voce tace: la sintesi vocale del browser non risponde', e);
        return 0;
    }
});

// Cuts what is being said and, unless the browser has listed its voices without an Italian one, says
// the text in Italian: with the voice chosen, or, while no voice is listed yet, with the browser's own
// for it-IT.
EM_JS(void, diNelBrowser, (const char *testo), {
    try {
        const stato = Module.voce;
        if (speechSynthesis.speaking || speechSynthesis.pending)
            speechSynthesis.cancel();
        if (stato.elencate && !stato.italiana)
            return;
        const frase = new SpeechSynthesisUtterance(UTF8ToString(testo));
        frase.lang = 'it-IT';
        if (stato.italiana)
            frase.voice = stato.italiana;
        speechSynthesis.speak(frase);
    } catch (e) {
        console.warn('Contalino: la voce non ha parlato', e);
    }
});

EM_JS(void, taciNelBrowser, (), {
    try {
        speechSynthesis.cancel();
    } catch (e) {
        console.warn('Contalino: la voce non ha taciuto', e);
    }
});
// clang-format on

// A browser whose voices are all of other languages stays silent, as the desktop does: "7 per 8" read
// with English sounds, and the numbers said in English, would mislead a child rather than help.
class VoceBrowser : public Voce
{
public:
    void di(const QString &testo) override
    {
        if (pronta())
            diNelBrowser(testo.toUtf8().constData());
    }

    void taci() override
    {
        if (pronta())
            taciNelBrowser();
    }

private:
    bool pronta()
    {
        if (!m_provata) {
            m_provata = true;
            m_pronta = preparaNelBrowser() != 0;
        }
        return m_pronta;
    }

    bool m_provata = false;
    bool m_pronta = false;
};

} // namespace

std::unique_ptr<Voce> voceDiSistema()
{
    return std::make_unique<VoceBrowser>();
}
