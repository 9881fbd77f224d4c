#include "voce/Voce.h"

#include <QList>
#include <QMutex>
#include <QThread>
#include <QWaitCondition>
#include <QtGlobal>

#include <windows.h>

#include <sapi.h>
#include <wrl/client.h>

#include <memory>
#include <string>
#include <utility>

namespace {

using Microsoft::WRL::ComPtr;

// Italian's language identifier, as SAPI's voices name the languages they speak (in hex, in their
// "Language" attribute, a list separated by semicolons).
constexpr LANGID Italiano = 0x410;
constexpr const wchar_t *SoloItaliano = L"Language=410";

// Where Windows lists its voices: SAPI's own list, then the one that Windows 10 and 11 fill when a
// language's voices are added in Settings, whose voices are not always in SAPI's list as well. SAPI's
// voice speaks with a voice of either.
constexpr const wchar_t *ElenchiDiVoci[]
    = {SPCAT_VOICES, L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Speech_OneCore\\Voices"};

unsigned long codice(HRESULT esito)
{
    return static_cast<unsigned long>(esito);
}

QString testoDi(wchar_t *testo)
{
    const QString copia = testo ? QString::fromWCharArray(testo) : QString();
    CoTaskMemFree(testo);
    return copia;
}

// The voice's name as Windows shows it, or where it is listed.
QString nomeDi(ISpObjectToken *voce)
{
    wchar_t *testo = nullptr;
    QString nome = SUCCEEDED(voce->GetStringValue(nullptr, &testo)) ? testoDi(testo) : QString();
    if (nome.isEmpty() && SUCCEEDED(voce->GetId(&testo)))
        nome = testoDi(testo);
    return nome;
}

bool parlaItaliano(ISpObjectToken *voce)
{
    ComPtr<ISpDataKey> attributi;
    wchar_t *lingue = nullptr;
    if (FAILED(voce->OpenKey(L"Attributes", &attributi)) || FAILED(attributi->GetStringValue(L"Language", &lingue)))
        return false;
    for (const QString &lingua : testoDi(lingue).split(QLatin1Char(';'))) {
        bool letta = false;
        if (lingua.trimmed().toUShort(&letta, 16) == Italiano && letta)
            return true;
    }
    return false;
}

// The voice that the user chose in Windows when it speaks Italian, otherwise the first Italian voice
// listed; none when no installed voice speaks Italian: Italian texts in another language's voice would
// only confuse a child.
ComPtr<ISpObjectToken> voceItaliana(ISpVoice *sintesi)
{
    ComPtr<ISpObjectToken> voce;
    if (SUCCEEDED(sintesi->GetVoice(&voce)) && voce && parlaItaliano(voce.Get()))
        return voce;
    for (const wchar_t *elenco : ElenchiDiVoci) {
        ComPtr<ISpObjectTokenCategory> categoria;
        ComPtr<IEnumSpObjectTokens> voci;
        if (FAILED(CoCreateInstance(__uuidof(SpObjectTokenCategory), nullptr, CLSCTX_INPROC_SERVER,
                                    IID_PPV_ARGS(&categoria)))
            || FAILED(categoria->SetId(elenco, FALSE)) || FAILED(categoria->EnumTokens(SoloItaliano, nullptr, &voci))
            || !voci)
            continue;
        // Each one is checked again: not every SAPI filters by the attributes it is given.
        for (voce.Reset(); voci->Next(1, voce.ReleaseAndGetAddressOf(), nullptr) == S_OK && voce;)
            if (parlaItaliano(voce.Get()))
                return voce;
    }
    return {};
}

// SAPI's voice, made at the first text and used on this thread alone.
class Motore
{
public:
    ~Motore()
    {
        if (m_sintesi)
            m_sintesi->Speak(nullptr, SPF_PURGEBEFORESPEAK, nullptr);
    }

    // Cuts what is being said first, or says the text after it; SAPI keeps the queue. An empty text
    // only cuts.
    void di(const QString &testo, bool taglia)
    {
        if (testo.isEmpty()) {
            if (m_sintesi && taglia)
                m_sintesi->Speak(nullptr, SPF_ASYNC | SPF_PURGEBEFORESPEAK, nullptr);
            return;
        }
        if (!pronta())
            return;
        // Plain text: a "<" typed or shown is said, never read as markup.
        const std::wstring largo = testo.toStdWString();
        const HRESULT esito = m_sintesi->Speak(
            largo.c_str(), SPF_ASYNC | SPF_IS_NOT_XML | (taglia ? SPF_PURGEBEFORESPEAK : 0), nullptr);
        if (FAILED(esito)) {
            qInfo("Contalino: la voce tace: la sintesi vocale di Windows non pronuncia il testo (errore 0x%08lx)",
                  codice(esito));
            m_sintesi.Reset();
        }
    }

private:
    bool pronta()
    {
        if (m_provata)
            return m_sintesi;
        m_provata = true;
        ComPtr<ISpVoice> sintesi;
        HRESULT esito = CoCreateInstance(__uuidof(SpVoice), nullptr, CLSCTX_ALL, IID_PPV_ARGS(&sintesi));
        if (FAILED(esito)) {
            qInfo("Contalino: la voce tace: manca la sintesi vocale di Windows (SAPI, errore 0x%08lx)", codice(esito));
            return false;
        }
        const ComPtr<ISpObjectToken> voce = voceItaliana(sintesi.Get());
        if (!voce) {
            qInfo("Contalino: la voce tace: Windows non ha una voce italiana (Impostazioni > Ora e lingua > Voce > "
                  "Aggiungi voci: Italiano)");
            return false;
        }
        esito = sintesi->SetVoice(voce.Get());
        if (FAILED(esito)) {
            qInfo("Contalino: la voce tace: la voce italiana \"%s\" non si avvia (errore 0x%08lx)",
                  qPrintable(nomeDi(voce.Get())), codice(esito));
            return false;
        }
        m_sintesi = sintesi;
        return true;
    }

    ComPtr<ISpVoice> m_sintesi;
    bool m_provata = false;
};

// What the window asks of the voice, in order. A request that cuts makes those waiting before it
// pointless, so it replaces them: a voice that lags behind the presses skips to the last one, never
// reads out a backlog.
struct Richiesta
{
    QString testo; // empty: silence
    bool taglia = true;
};

struct Richieste
{
    QMutex mutex;
    QWaitCondition arrivata;
    QList<Richiesta> inAttesa;
    bool fine = false;
};

// SAPI lives on a thread of its own: the audio device or a third-party voice may keep a call waiting,
// and the window never waits for it. The thread waits on its requests and pumps no messages, so its
// apartment is the multithreaded one.
void lavora(const std::shared_ptr<Richieste> &richieste)
{
    const HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    {
        Motore motore;
        QMutexLocker blocco(&richieste->mutex);
        for (;;) {
            while (richieste->inAttesa.isEmpty() && !richieste->fine)
                richieste->arrivata.wait(&richieste->mutex);
            if (richieste->fine)
                break;
            const QList<Richiesta> daFare = std::exchange(richieste->inAttesa, {});
            blocco.unlock();
            for (const Richiesta &richiesta : daFare)
                motore.di(richiesta.testo, richiesta.taglia);
            blocco.relock();
        }
    }
    if (SUCCEEDED(com))
        CoUninitialize();
}

class VoceSapi : public Voce
{
public:
    VoceSapi()
    {
        m_filo->setObjectName(QStringLiteral("voce"));
        m_filo->start(QThread::LowPriority);
    }

    ~VoceSapi() override
    {
        {
            QMutexLocker blocco(&m_richieste->mutex);
            m_richieste->fine = true;
            m_richieste->arrivata.wakeOne();
        }
        // A voice that hangs must not hold up the end of the program: its thread is left behind, with the
        // requests it shares.
        if (m_filo->wait(1000))
            delete m_filo;
        else
            qInfo("Contalino: la sintesi vocale di Windows non risponde; la voce è lasciata indietro");
    }

    void di(const QString &testo) override { chiedi({testo, true}); }
    void aggiungi(const QString &testo) override { chiedi({testo, false}); }
    void taci() override { chiedi({QString(), true}); }

private:
    void chiedi(const Richiesta &richiesta)
    {
        QMutexLocker blocco(&m_richieste->mutex);
        if (richiesta.taglia)
            m_richieste->inAttesa.clear();
        m_richieste->inAttesa.append(richiesta);
        m_richieste->arrivata.wakeOne();
    }

    std::shared_ptr<Richieste> m_richieste = std::make_shared<Richieste>();
    QThread *m_filo = QThread::create(lavora, m_richieste);
};

} // namespace

std::unique_ptr<Voce> voceDiSistema()
{
    return std::make_unique<VoceSapi>();
}
