#include "voce/Voce.h"

#include <QLocale>
#include <QMetaObject>
#include <QPointer>
#include <QTextToSpeech>
#include <QThread>
#include <QVoice>

namespace {

// The engine lives on a thread of its own: speech-dispatcher is reached through a socket, started on
// demand where it is installed, and may take its time or never answer; the window never waits for it.
class Motore : public QObject
{
public:
    void di(const QString &testo)
    {
        m_coda.clear();
        if (!pronto())
            return;
        m_sintesi->stop();
        m_sintesi->say(testo);
    }

    void aggiungi(const QString &testo)
    {
        if (!pronto())
            return;
        if (m_sintesi->state() == QTextToSpeech::Speaking)
            m_coda.append(testo);
        else
            m_sintesi->say(testo);
    }

    void taci()
    {
        m_coda.clear();
        if (m_sintesi)
            m_sintesi->stop();
    }

private:
    // Made at the first text, with an Italian voice, or never usable.
    bool pronto()
    {
        if (m_provato)
            return m_sintesi;
        m_provato = true;
        if (!QTextToSpeech::availableEngines().contains(QLatin1String("speechd"))) {
            qInfo("Contalino: la voce tace: manca il modulo speech-dispatcher di Qt TextToSpeech "
                  "(pacchetto qt6-speech-speechd-plugin)");
            return false;
        }
        auto *sintesi = new QTextToSpeech(QStringLiteral("speechd"), this);
        if (sintesi->state() == QTextToSpeech::Error) {
            qInfo("Contalino: la voce tace: speech-dispatcher non risponde (%s)", qPrintable(sintesi->errorString()));
            delete sintesi;
            return false;
        }
        const QLocale italiano(QLocale::Italian, QLocale::Italy);
        bool trovata = false;
        for (const QLocale &lingua : sintesi->availableLocales())
            trovata = trovata || lingua.language() == QLocale::Italian;
        if (!trovata) {
            qInfo("Contalino: la voce tace: speech-dispatcher non ha una voce italiana (pacchetti speech-dispatcher, "
                  "speech-dispatcher-espeak-ng, espeak-ng)");
            delete sintesi;
            return false;
        }
        sintesi->setLocale(italiano);
        // What was added while the voice spoke follows once it is silent again.
        connect(sintesi, &QTextToSpeech::stateChanged, this, [this](QTextToSpeech::State stato) {
            if (stato == QTextToSpeech::Ready && !m_coda.isEmpty())
                m_sintesi->say(m_coda.takeFirst());
        });
        m_sintesi = sintesi;
        return true;
    }

    QPointer<QTextToSpeech> m_sintesi;
    QStringList m_coda;
    bool m_provato = false;
};

class VoceSpeechd : public Voce
{
public:
    VoceSpeechd()
    {
        m_filo->setObjectName(QStringLiteral("voce"));
        m_motore->moveToThread(m_filo);
        m_filo->start(QThread::LowPriority);
    }

    ~VoceSpeechd() override
    {
        Motore *motore = m_motore;
        QMetaObject::invokeMethod(motore, [motore] { delete motore; });
        m_filo->quit();
        // A dispatcher that hangs must not hold up the end of the program: its thread is left behind.
        if (m_filo->wait(1000))
            delete m_filo;
        else
            qInfo("Contalino: speech-dispatcher non risponde; la voce è lasciata indietro");
    }

    void di(const QString &testo) override
    {
        Motore *motore = m_motore;
        QMetaObject::invokeMethod(motore, [motore, testo] { motore->di(testo); });
    }

    void aggiungi(const QString &testo) override
    {
        Motore *motore = m_motore;
        QMetaObject::invokeMethod(motore, [motore, testo] { motore->aggiungi(testo); });
    }

    void taci() override
    {
        Motore *motore = m_motore;
        QMetaObject::invokeMethod(motore, [motore] { motore->taci(); });
    }

private:
    QThread *m_filo = new QThread;
    Motore *m_motore = new Motore;
};

} // namespace

std::unique_ptr<Voce> voceDiSistema()
{
    return std::make_unique<VoceSpeechd>();
}
