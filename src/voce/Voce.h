#pragma once

#include <QString>

#include <memory>

// A voice that says a text, in Italian, and stops. Each system has its own engine: speech-dispatcher
// through Qt TextToSpeech on Linux (Voce_unix.cpp), SAPI on Windows (Voce_win.cpp), the browser's
// speechSynthesis (Voce_wasm.cpp). Neither call ever waits on the engine: on the desktop the engine works
// on a thread of its own. An engine that is missing, has no Italian voice, or does not answer leaves the
// voice silent, and says so once in the log for the teacher or the technician.
class Voce
{
public:
    virtual ~Voce() = default;

    // Cuts whatever is still being said, and says the text.
    virtual void di(const QString &testo) = 0;
    // Says the text once whatever is being said has been said.
    virtual void aggiungi(const QString &testo) { di(testo); }
    // Cuts whatever is still being said.
    virtual void taci() = 0;
};

// The system's voice. Nothing is asked of the engine before the first text.
std::unique_ptr<Voce> voceDiSistema();
