// Random input on the whole program, as a child, a switch device or a curious teacher could send it,
// with the invariants a user relies on checked after every single event. Seeded: a failure prints
// the seed and the last events, and CONTALINO_SOAK_SEME=<seed> repeats the same run.
// CONTALINO_SOAK_EVENTI sets the number of events (20,000 by default). A long run also watches the
// resident memory, which must stay flat once the first screens have filled their caches.

#include "StampaSupporto.h"

#include "aiuto.h"
#include "applicazione/Avvio.h"
#include "applicazione/Navigatore.h"
#include "componenti/tasti/PulsanteOpzione.h"
#include "schermate/esercizio/SchermataEsercizio.h"
#include "schermate/informazioni/FinestraAutore.h"
#include "schermate/inizio/SchermataInizio.h"
#include "schermate/stampa/SchermataStampa.h"
#include "serie/Serie.h"

#include <QAction>
#include <QFile>
#include <QPixmapCache>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include <optional>

#include <limits>
#include <memory>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {

constexpr qint64 eventiPredefiniti = 20000;
// The resident size is taken every so many events; from the sample at inizioMemoria, when the first
// screens' caches are warm, to the end it may grow by crescitaMassima at most.
constexpr qint64 passoMemoria = 100000;
constexpr qint64 inizioMemoria = 200000;
constexpr double crescitaMassima = 0.10;
// Time allowed per event before QtTest's watchdog calls the run hung. On a machine busy compiling the
// sanitizer build sends about 400 events a second and the RelWithDebInfo build 2,000: twice and ten
// times what they need. Never less than QtTest's own five minutes, the limit ctest sets too.
constexpr qint64 msPerEvento = 5;
constexpr qint64 msMinimi = 5 * 60 * 1000;

// AddressSanitizer keeps freed memory in quarantine: the resident size grows without a leak.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool memoriaMisurabile = false;
#else
constexpr bool memoriaMisurabile = true;
#endif

// A whole number from the environment: unset, or a value from minimo to massimo, or refused with the
// reason in errore.
struct Numero
{
    bool impostato = false;
    qint64 valore = 0;
    QString errore;
};

Numero numeroDa(const char *variabile, qint64 minimo, qint64 massimo, qint64 esempio)
{
    Numero n;
    n.impostato = qEnvironmentVariableIsSet(variabile);
    if (!n.impostato)
        return n;
    const QString testo = qEnvironmentVariable(variabile);
    bool ok = false;
    n.valore = testo.toLongLong(&ok);
    if (!ok || n.valore < minimo || n.valore > massimo)
        n.errore = QStringLiteral("%1=\"%2\" is not a whole number from %3 to %4 (for example %1=%5): no run")
                       .arg(QLatin1String(variabile), testo)
                       .arg(minimo)
                       .arg(massimo)
                       .arg(esempio);
    return n;
}

Numero eventiRichiesti()
{
    Numero n = numeroDa("CONTALINO_SOAK_EVENTI", 1, std::numeric_limits<qint64>::max(), 1000000);
    if (!n.impostato)
        n.valore = eventiPredefiniti;
    return n;
}

// The resident size of this process in KiB (VmRSS), or -1 where /proc does not give it.
qint64 residenteKiB()
{
    QFile stato(QStringLiteral("/proc/self/status"));
    if (!stato.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    for (const QByteArray &riga : stato.readAll().split('\n')) {
        if (riga.startsWith("VmRSS:"))
            return riga.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

QString mib(qint64 kib)
{
    return QString::number(double(kib) / 1024.0, 'f', 1) + QStringLiteral(" MiB");
}

// The offscreen platform warns at every raise(), size hint and keyboard grab the program asks of it,
// and QTest at every click of ours that lands beside a small popup: a long run would print hundreds of
// thousands of these. They are counted instead; every other message is shown.
QtMessageHandler gestorePrecedente = nullptr;
qint64 avvisiTaciuti = 0;

void senzaAvvisiNoti(QtMsgType tipo, const QMessageLogContext &contesto, const QString &testo)
{
    if (tipo == QtWarningMsg
        && (testo == QLatin1String("This plugin does not support raise()")
            || testo == QLatin1String("This plugin does not support propagateSizeHints()")
            || testo == QLatin1String("This plugin does not support grabbing the keyboard")
            || (testo.startsWith(QLatin1String("Mouse event at "))
                && testo.contains(QLatin1String(" occurs outside target window"))))) {
        ++avvisiTaciuti;
        return;
    }
    gestorePrecedente(tipo, contesto, testo);
}

// Keys a child can reach, and some a child should not need: every group's accepted set and more.
const QList<QPair<Qt::Key, Qt::KeyboardModifiers>> &tastiera()
{
    static const QList<QPair<Qt::Key, Qt::KeyboardModifiers>> tasti = [] {
        QList<QPair<Qt::Key, Qt::KeyboardModifiers>> elenco;
        for (int d = 0; d <= 9; ++d) {
            elenco.append({Qt::Key(Qt::Key_0 + d), Qt::NoModifier});
            elenco.append({Qt::Key(Qt::Key_0 + d), Qt::KeypadModifier});
        }
        for (Qt::Key k : {Qt::Key_C, Qt::Key_I, Qt::Key_N, Qt::Key_E, Qt::Key_S, Qt::Key_R, Qt::Key_V, Qt::Key_A,
                          Qt::Key_K, Qt::Key_Q, Qt::Key_Z})
            elenco.append({k, Qt::NoModifier});
        for (Qt::Key k :
             {Qt::Key_Space, Qt::Key_Space, Qt::Key_Space, Qt::Key_Return, Qt::Key_Return, Qt::Key_Left, Qt::Key_Right,
              Qt::Key_Up, Qt::Key_Down, Qt::Key_Backspace, Qt::Key_F2, Qt::Key_F1, Qt::Key_F5, Qt::Key_F12,
              Qt::Key_Escape, Qt::Key_Tab, Qt::Key_Home, Qt::Key_Delete, Qt::Key_Shift})
            elenco.append({k, Qt::NoModifier});
        elenco.append({Qt::Key_Enter, Qt::KeypadModifier});
        elenco.append({Qt::Key_Asterisk, Qt::KeypadModifier});
        elenco.append({Qt::Key_Plus, Qt::KeypadModifier});
        return elenco;
    }();
    return tasti;
}

QString testoTasto(Qt::Key k)
{
    if (k == Qt::Key_Space)
        return QStringLiteral(" ");
    if (k == Qt::Key_Return || k == Qt::Key_Enter)
        return QStringLiteral("\r");
    if ((k >= Qt::Key_0 && k <= Qt::Key_9) || (k >= Qt::Key_A && k <= Qt::Key_Z))
        return QString(QChar(k)).toLower();
    return QString();
}

// What the exercise screen showed before an event, to judge what the event did to the record.
struct Istantanea
{
    QPointer<SchermataEsercizio> operativo;
    qint16 numEsercizi = 0;
    int colonna = 0;
    QString riga;
    QString risposta;
    QString attesa;
};

} // namespace

class tst_Soak : public QObject
{
    Q_OBJECT
    std::optional<Serie> m_serie {std::in_place};
    std::optional<Navigatore> m_navigatore {std::in_place, *m_serie};

public:
    static void initMain();

private Q_SLOTS:
    void initTestCase();
    void numeriDallAmbiente_data();
    void numeriDallAmbiente();
    void inputCasuale();
    void cleanupTestCase();

private:
    // Takes the resident size, and tells it for the progress line.
    QString campionaMemoria(qint64 traguardo);
    void verificaMemoria();
    void passo();
    // One event as the user makes it: sent, handled completely, then every invariant checked.
    void atto(const QString &descrizione, const std::function<void()> &evento);
    void preparaStampa();
    void verifica(const Istantanea &prima);
    Istantanea istantanea() const;
    QWidget *bersaglio();
    void annota(const QString &evento);
    void fallisci(const QString &motivo);

    QRandomGenerator m_caso;
    quint32 m_seme = 0;
    QPointer<SchermataStampa> m_stampaPreparata;
    qint64 m_totale = 0;
    qint64 m_eventi = 0;
    qint64 m_rapportati = 0;
    // How far the run got: events seen in each state, so a run that never reached a state shows it.
    QMap<QString, qint64> m_stati;
    QStringList m_storia;
    bool m_fallito = false;
    QString m_fallimento;
    // The calls of the latest page only, and how many came before: a long run prints many pages.
    std::shared_ptr<QStringList> m_stampe = std::make_shared<QStringList>();
    qint64 m_chiamateStampa = 0;
    int m_limitePixmap = 0;
    // The resident size at every passoMemoria events and at the end: events, KiB.
    QList<QPair<qint64, qint64>> m_memoria;
};

// Before QtTest starts its watchdog: a limit that follows the number of events.
void tst_Soak::initMain()
{
    const Numero eventi = eventiRichiesti();
    if (!eventi.errore.isEmpty() || qEnvironmentVariableIsSet("QTEST_FUNCTION_TIMEOUT"))
        return;
    // QtTest reads the limit as an int of milliseconds: about 24 days at most.
    const qint64 limite = eventi.valore > std::numeric_limits<int>::max() / msPerEvento
                              ? std::numeric_limits<int>::max()
                              : qMax(msMinimi, eventi.valore * msPerEvento);
    qputenv("QTEST_FUNCTION_TIMEOUT", QByteArray::number(limite));
}

void tst_Soak::initTestCase()
{
    const Numero eventi = eventiRichiesti();
    const Numero seme = numeroDa("CONTALINO_SOAK_SEME", 0, std::numeric_limits<quint32>::max(), 45070958);
    for (const QString &errore : {eventi.errore, seme.errore}) {
        if (!errore.isEmpty())
            QFAIL(qPrintable(errore));
    }
    m_totale = eventi.valore;
    m_seme = seme.impostato ? quint32(seme.valore) : QRandomGenerator::system()->generate();
    m_caso.seed(m_seme);
    gestorePrecedente = qInstallMessageHandler(senzaAvvisiNoti);
    // Random sizes keep the style drawing icons and controls at sizes it has not cached yet: Qt's pixmap
    // cache fills up to its 10 MiB, and Qt 6.4 keeps the key of each drawing it drops. Resident memory
    // grew by 0.17 MiB every 100,000 events that way, which the memory check would blame on the
    // program. The soak draws without that cache.
    m_limitePixmap = QPixmapCache::cacheLimit();
    QPixmapCache::setCacheLimit(0);
    Aiuto::daCapo(m_serie, m_navigatore, m_seme);

    // A click can land on the menu bar and open the author screen modal, or the menu bar's overflow
    // button of a narrow window and open its popup: close either shortly after, as a teacher would.
    auto *custode = new QTimer(this);
    custode->setInterval(5);
    connect(custode, &QTimer::timeout, this, [] {
        if (QWidget *menu = QApplication::activePopupWidget())
            menu->close();
        else if (QWidget *modale = QApplication::activeModalWidget())
            modale->close();
    });
    custode->start();
    qInfo("soak of %lld events, seed %u (repeat with CONTALINO_SOAK_SEME=%u)", m_totale, m_seme, m_seme);
}

void tst_Soak::cleanupTestCase()
{
    if (gestorePrecedente)
        qInstallMessageHandler(gestorePrecedente);
    if (m_limitePixmap > 0)
        QPixmapCache::setCacheLimit(m_limitePixmap);
    m_navigatore->schermate().scarica<SchermataStampa>();
    m_navigatore->schermate().scarica<SchermataEsercizio>();
    m_navigatore->schermate().scarica<SchermataInizio>();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void tst_Soak::annota(const QString &evento)
{
    ++m_eventi;
    m_storia.append(QStringLiteral("%1: %2").arg(m_eventi).arg(evento));
    if (m_storia.size() > 40)
        m_storia.removeFirst();
}

void tst_Soak::fallisci(const QString &motivo)
{
    if (m_fallito)
        return;
    m_fallito = true;
    m_fallimento = QStringLiteral("after event %1: %2\n"
                                  "seed %3; repeat with: make soak SOAK_SEME=%3 SOAK_EVENTI=%1\n"
                                  "  (the test alone: CONTALINO_SOAK_SEME=%3 CONTALINO_SOAK_EVENTI=%1 tst_soak)\n"
                                  "last %4 events:\n%5")
                       .arg(m_eventi)
                       .arg(motivo)
                       .arg(m_seme)
                       .arg(m_storia.size())
                       .arg(m_storia.join(QLatin1Char('\n')));
}

// The window the next event goes to: the active one, or the topmost screen still open. A program
// whose start screen was closed is started again.
QWidget *tst_Soak::bersaglio()
{
    if (!m_navigatore->istanza<SchermataInizio>()) {
        m_navigatore->apriInizio();
    }
    QWidget *attiva = QApplication::activeWindow();
    if (attiva && attiva->isVisible())
        return attiva;
    QWidget *scelta = nullptr;
    if (auto *stampa = m_navigatore->istanza<SchermataStampa>())
        scelta = stampa;
    else if (auto *operativo = m_navigatore->istanza<SchermataEsercizio>())
        scelta = operativo;
    else
        scelta = m_navigatore->istanza<SchermataInizio>();
    if (scelta->isMinimized())
        scelta->showMaximized();
    scelta->activateWindow();
    return scelta;
}

Istantanea tst_Soak::istantanea() const
{
    Istantanea s;
    s.operativo = m_navigatore->istanza<SchermataEsercizio>();
    s.numEsercizi = m_serie->operazioni();
    s.risposta = m_serie->risposta();
    if (s.operativo) {
        s.colonna = m_serie->colonna();
        s.attesa = m_serie->attesa(s.colonna);
    }
    if (s.numEsercizi >= 0 && s.numEsercizi < Serie::NumeroRighe)
        s.riga = m_serie->registro().at(s.numEsercizi);
    return s;
}

void tst_Soak::atto(const QString &descrizione, const std::function<void()> &evento)
{
    if (m_fallito)
        return;
    annota(descrizione);
    const Istantanea prima = istantanea();
    evento();
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    verifica(prima);
    preparaStampa();
}

// A print screen just opened prints to a printer that writes its calls down, now and then one that fails
// and saves its PDF where nobody may write (/proc/self): the soak leaves no files. A step's events all
// go to one window, so none reaches the print screen before this.
void tst_Soak::preparaStampa()
{
    auto *stampa = m_navigatore->istanza<SchermataStampa>();
    if (!stampa || stampa == m_stampaPreparata)
        return;
    m_stampaPreparata = stampa;
    stampa->consegna().setCartellaDocumenti(QStringLiteral("/proc/self"));
    stampa->consegna().setFabbricaStampante([this]() -> std::unique_ptr<Stampante> {
        m_chiamateStampa += m_stampe->size();
        m_stampe->clear();
        if (m_caso.bounded(5) == 0)
            return std::make_unique<StampanteRegistrata>(m_stampe, QStringList {QStringLiteral("Courier")},
                                                         Stampante::Esito::Errore, QStringLiteral("carta finita"));
        return std::make_unique<StampanteRegistrata>(m_stampe);
    });
}

void tst_Soak::passo()
{
    QWidget *w = bersaglio();
    // A step of several events stops when one of them closes the window (a space on "ESCI").
    const QPointer<QWindow> finestra = w->windowHandle();
    if (!finestra)
        return;
    // Any message box the program asks for is answered at once.
    if (auto *stampa = m_navigatore->istanza<SchermataStampa>())
        stampa->messaggi().setProssimaRisposta(QMessageBox::Ok);

    const quint32 scelta = m_caso.bounded(1000);
    const auto &tasti = tastiera();
    if (scelta < 420) {
        const auto [tasto, modificatori] = tasti.at(int(m_caso.bounded(qsizetype(tasti.size()))));
        atto(QStringLiteral("key %1 mod %2 on %3").arg(tasto, 0, 16).arg(int(modificatori)).arg(w->objectName()), [&] {
            QTest::simulateEvent(finestra, true, tasto, modificatori, testoTasto(tasto), false);
            QTest::simulateEvent(finestra, false, tasto, modificatori, testoTasto(tasto), false);
        });
    } else if (scelta < 470) {
        // A key held down: the keyboard repeats it as release and press pairs flagged as repeats.
        // The whole hold is one event: it must act once.
        const auto [tasto, modificatori] = tasti.at(int(m_caso.bounded(qsizetype(tasti.size()))));
        const int ripetizioni = 1 + int(m_caso.bounded(6));
        atto(QStringLiteral("key %1 held, %2 repeats").arg(tasto, 0, 16).arg(ripetizioni), [&] {
            QTest::simulateEvent(finestra, true, tasto, modificatori, testoTasto(tasto), false);
            for (int i = 0; i < ripetizioni; ++i) {
                QTest::simulateEvent(finestra, false, tasto, modificatori, testoTasto(tasto), true);
                QTest::simulateEvent(finestra, true, tasto, modificatori, testoTasto(tasto), true);
            }
            QTest::simulateEvent(finestra, false, tasto, modificatori, testoTasto(tasto), false);
        });
    } else if (scelta < 820) {
        // A press of any mouse button: on a control (enabled or not) or anywhere in the window,
        // sometimes twice in a row as a double click.
        const Qt::MouseButton pulsanti[] = {Qt::LeftButton, Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};
        const Qt::MouseButton pulsante = pulsanti[m_caso.bounded(4)];
        QPoint punto(int(m_caso.bounded(qMax(1, w->width()))), int(m_caso.bounded(qMax(1, w->height()))));
        const QList<QAbstractButton *> bottoni = w->findChildren<QAbstractButton *>();
        if (!bottoni.isEmpty() && m_caso.bounded(3) != 0) {
            QAbstractButton *b = bottoni.at(int(m_caso.bounded(qsizetype(bottoni.size()))));
            if (b->isVisible())
                punto = b->mapTo(w, b->rect().center());
        }
        const int volte = m_caso.bounded(10) == 0 ? 2 : 1;
        const QPointer<QWidget> vivo(w);
        QWidget *sotto = w->childAt(punto);
        const QString descrizione = QStringLiteral("mouse %1 at %2,%3 on %4 (%5)")
                                        .arg(int(pulsante))
                                        .arg(punto.x())
                                        .arg(punto.y())
                                        .arg(w->objectName(), sotto ? sotto->objectName() : QString());
        for (int i = 0; i < volte && vivo && vivo->isVisible() && finestra; ++i) {
            atto(descrizione, [&] {
                QTest::mousePress(finestra, pulsante, Qt::NoModifier, punto);
                QTest::mouseRelease(finestra, pulsante, Qt::NoModifier, punto);
            });
        }
    } else if (scelta < 930) {
        // A child who knows the answer: the right digits, then Enter.
        auto *operativo = m_navigatore->istanza<SchermataEsercizio>();
        if (!operativo || w != operativo)
            return;
        const int fattore = Aiuto::testo(operativo, QStringLiteral("fattore(%1)").arg(m_serie->colonna())).toInt();
        const QString giusta = QString::number(m_serie->tabella() * fattore);
        for (QChar c : giusta) {
            if (finestra)
                atto(QStringLiteral("typed %1").arg(c),
                     [&] { QTest::keyClick(finestra, Qt::Key(Qt::Key_0 + c.digitValue())); });
        }
        if (finestra)
            atto(QStringLiteral("Enter"), [&] { QTest::keyClick(finestra, Qt::Key_Return); });
    } else if (scelta < 955) {
        const QSize dimensione(1 + int(m_caso.bounded(1600)), 1 + int(m_caso.bounded(1200)));
        atto(QStringLiteral("resize %1 to %2x%3").arg(w->objectName()).arg(dimensione.width()).arg(dimensione.height()),
             [&] {
                 w->showNormal();
                 w->resize(dimensione);
             });
    } else if (scelta < 970) {
        atto(QStringLiteral("minimise and restore %1").arg(w->objectName()), [&] {
            w->showMinimized();
            QCoreApplication::processEvents();
            w->showMaximized();
            w->activateWindow();
        });
    } else if (scelta < 980) {
        auto *menu = w->findChild<QAction *>(QStringLiteral("menuAutore"));
        if (!menu)
            return;
        atto(QStringLiteral("menu Autore on %1").arg(w->objectName()), [&] { menu->trigger(); });
    } else if (scelta < 990) {
        atto(QStringLiteral("close box of %1").arg(w->objectName()), [&] { w->close(); });
    } else {
        // Scanning: the space bar a few times, then Enter.
        const int passi = 1 + int(m_caso.bounded(8));
        for (int i = 0; i < passi && finestra; ++i)
            atto(QStringLiteral("space"), [&] { QTest::keyClick(finestra, Qt::Key_Space); });
        if (finestra)
            atto(QStringLiteral("Enter"), [&] { QTest::keyClick(finestra, Qt::Key_Return); });
    }
}

void tst_Soak::verifica(const Istantanea &prima)
{
    // At most one of each screen, and only the live ones are left once deletions have run.
    QHash<QByteArray, int> istanze;
    for (QWidget *w : QApplication::topLevelWidgets())
        ++istanze[w->metaObject()->className()];
    for (auto it = istanze.cbegin(); it != istanze.cend(); ++it) {
        if (it.key() != "QMenu" && it.value() > 1)
            return fallisci(QStringLiteral("%1 instances of %2").arg(it.value()).arg(QLatin1String(it.key())));
    }

    if (QWidget *f = QApplication::focusWidget()) {
        if (!f->isEnabled())
            return fallisci(QStringLiteral("focus on disabled %1").arg(f->objectName()));
    }

    const qint16 n = m_serie->operazioni();
    if (n < 0 || n > 30)
        return fallisci(QStringLiteral("NumEsercizi %1").arg(n));
    const QString &risposta = m_serie->risposta();
    static const QRegularExpression rispostaValida(QStringLiteral("^(|0|[1-9][0-9]{0,2})$"));
    if (!rispostaValida.match(risposta).hasMatch())
        return fallisci(QStringLiteral("answer \"%1\"").arg(risposta));

    // Completed lines: the question, then every entry followed by two blanks, and at most one
    // revealed answer at the end.
    static const QRegularExpression rigaCompleta(
        QStringLiteral("^\\d{1,2} \u00d7 ( [1-9]|10) = ((0|[1-9]\\d{0,2})  )*( \\d{1,3})?$"));
    for (int k = 0; k < n; ++k) {
        if (!rigaCompleta.match(m_serie->registro().at(k)).hasMatch())
            return fallisci(QStringLiteral("record line %1 is \"%2\"").arg(k).arg(m_serie->registro().at(k)));
    }

    if (m_navigatore->istanza<SchermataStampa>())
        ++m_stati[QStringLiteral("print screen open")];
    auto *w = m_navigatore->istanza<SchermataEsercizio>();
    if (!w)
        return;
    ++m_stati[Aiuto::pannelloDavanti(w)];
    if (n >= 20)
        ++m_stati[QStringLiteral("third table")];

    QStringList abilitati = Aiuto::pannelliAbilitati(w);
    if (abilitati.size() != 1 || abilitati.first() != Aiuto::pannelloDavanti(w))
        return fallisci(QStringLiteral("panels enabled %1, in front %2")
                            .arg(abilitati.join(QLatin1Char(',')), Aiuto::pannelloDavanti(w)));

    // The table on screen is the ten factors, each once.
    QList<int> fattori;
    for (int c = 0; c < 10; ++c)
        fattori << Aiuto::testo(w, QStringLiteral("fattore(%1)").arg(c)).toInt();
    std::sort(fattori.begin(), fattori.end());
    if (fattori != QList<int> {1, 2, 3, 4, 5, 6, 7, 8, 9, 10})
        return fallisci(QStringLiteral("factors on screen are not 1..10"));

    // The screen draws what the series says: each key live or grey as it says, the answer in its box.
    for (int i = 0; i < Serie::NumeroTasti; ++i) {
        if (Aiuto::tastoTastierino(w, i)->isEnabled() != m_serie->tastoAttivo(i))
            return fallisci(QStringLiteral("key %1 drawn otherwise than the series says").arg(i));
    }
    const int colonna = m_serie->colonna();
    if (m_serie->fase() == Serie::Fase::Risposta) {
        const QString mostrato = Aiuto::testo(w, QStringLiteral("risultato(%1)").arg(colonna));
        if (mostrato != (m_serie->risposta().isEmpty() ? QStringLiteral("?") : m_serie->risposta()))
            return fallisci(
                QStringLiteral("the box shows \"%1\" for the answer \"%2\"").arg(mostrato, m_serie->risposta()));
        // The line being answered starts with the question of the column on screen.
        const QString domanda = QStringLiteral("%1 \u00d7 %2 = ")
                                    .arg(Aiuto::testo(w, QStringLiteral("tabella")))
                                    .arg(Aiuto::testo(w, QStringLiteral("fattore(%1)").arg(colonna)), 2);
        if (!m_serie->registro().at(n).startsWith(domanda))
            return fallisci(QStringLiteral("line %1 \"%2\" does not start with \"%3\"")
                                .arg(n)
                                .arg(m_serie->registro().at(n), domanda));
    }

    // What happened to the record: nothing, an entry appended, a column completed, or a new start.
    if (prima.operativo != w)
        return;
    const QString aggiunta = prima.riga + prima.risposta + QStringLiteral("  ");
    if (n == prima.numEsercizi) {
        const QString &ora = m_serie->registro().at(n);
        const bool nuovaTabella
            = prima.numEsercizi % 10 == 0 && ora == m_serie->registro().at(n).left(ora.indexOf(QLatin1Char('=')) + 2);
        if (ora != prima.riga && ora != aggiunta && !nuovaTabella)
            return fallisci(QStringLiteral("line %1 went from \"%2\" to \"%3\"").arg(n).arg(prima.riga, ora));
    } else if (n == prima.numEsercizi + 1) {
        const QString &completata = m_serie->registro().at(prima.numEsercizi);
        const bool giusta = completata == aggiunta && prima.risposta.trimmed() == prima.attesa.trimmed();
        const bool rivelata = completata == prima.riga + prima.attesa;
        if (!giusta && !rivelata)
            return fallisci(QStringLiteral("completed line \"%1\" from \"%2\" with entry \"%3\"")
                                .arg(completata, prima.riga, prima.risposta));
    } else if (n != 0) {
        return fallisci(QStringLiteral("NumEsercizi went from %1 to %2").arg(prima.numEsercizi).arg(n));
    }
}

// Counts and seeds as a user types them: a value that is not one refuses the run instead of
// running another one.
void tst_Soak::numeriDallAmbiente_data()
{
    QTest::addColumn<QByteArray>("valore");
    QTest::addColumn<qint64>("atteso"); // -1: refused

    QTest::newRow("large") << QByteArray("10000000000") << qint64(10000000000);
    QTest::newRow("one") << QByteArray("1") << qint64(1);
    for (const char *sbagliato : {"abc", "0", "-5", "1e6", "1,000", "99999999999999999999"})
        QTest::newRow(sbagliato) << QByteArray(sbagliato) << qint64(-1);
#ifndef Q_OS_WIN
    // Windows has no empty variables: setting one to nothing removes it.
    QTest::newRow("empty") << QByteArray() << qint64(-1);
#endif
}

void tst_Soak::numeriDallAmbiente()
{
    QFETCH(QByteArray, valore);
    QFETCH(qint64, atteso);
    const char *variabile = "CONTALINO_SOAK_PROVA";
    qputenv(variabile, valore);
    const Numero n = numeroDa(variabile, 1, std::numeric_limits<qint64>::max(), 1000);
    qunsetenv(variabile);
    QVERIFY(n.impostato);
    if (atteso < 0) {
        QVERIFY2(n.errore.contains(QStringLiteral("\"%1\" is not a whole number").arg(QLatin1String(valore))),
                 qPrintable(n.errore));
    } else {
        QVERIFY2(n.errore.isEmpty(), qPrintable(n.errore));
        QCOMPARE(n.valore, atteso);
    }
}

QString tst_Soak::campionaMemoria(qint64 traguardo)
{
    // Every sample in one state, the start screen alone and maximised, with the heap's free pages
    // given back: one window's backing store alone can take 7 MiB, and freed memory stays resident
    // until the heap is trimmed.
    if (auto *stampa = m_navigatore->istanza<SchermataStampa>())
        stampa->messaggi().setProssimaRisposta(QMessageBox::Ok);
    atto(QStringLiteral("screens closed but the start one, maximised, for the memory sample"), [this] {
        m_navigatore->schermate().scarica<SchermataStampa>();
        m_navigatore->schermate().scarica<SchermataEsercizio>();
        if (!m_navigatore->istanza<SchermataInizio>())
            m_navigatore->apriInizio();
        m_navigatore->istanza<SchermataInizio>()->showMaximized();
    });
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
    const qint64 kib = residenteKiB();
    if (kib < 0)
        return QString();
    m_memoria.append({traguardo, kib});
    return QStringLiteral(", %1 resident").arg(mib(kib));
}

// Resident memory from inizioMemoria to the end: flat, or the run fails as any broken invariant does.
void tst_Soak::verificaMemoria()
{
    QStringList serie;
    for (const auto &[eventi, kib] : std::as_const(m_memoria))
        serie << QStringLiteral("%1 events %2").arg(eventi).arg(mib(kib));
    if (!serie.isEmpty())
        qInfo("resident memory: %s", qPrintable(serie.join(QStringLiteral(", "))));
    if (!memoriaMisurabile) {
        qInfo("memory check skipped: AddressSanitizer's quarantine grows the resident size");
        return;
    }
    const auto inizio = std::find_if(m_memoria.cbegin(), m_memoria.cend(),
                                     [](const auto &campione) { return campione.first == inizioMemoria; });
    if (inizio == m_memoria.cend() || m_memoria.last().first <= inizioMemoria) {
        qInfo("memory check skipped: it needs more than %lld events", inizioMemoria);
        return;
    }
    const double crescita = double(m_memoria.last().second) / double(inizio->second) - 1.0;
    qInfo("resident memory grew %.1f%% from event %lld to the end (at most %.0f%%)", crescita * 100.0, inizioMemoria,
          crescitaMassima * 100.0);
    if (crescita > crescitaMassima)
        fallisci(QStringLiteral("resident memory grew %1% from %2 at event %3 to %4 at the end (at most %5%): %6")
                     .arg(crescita * 100.0, 0, 'f', 1)
                     .arg(mib(inizio->second))
                     .arg(inizioMemoria)
                     .arg(mib(m_memoria.last().second))
                     .arg(crescitaMassima * 100.0, 0, 'f', 0)
                     .arg(serie.join(QStringLiteral(", "))));
}

void tst_Soak::inputCasuale()
{
    QElapsedTimer tempo;
    tempo.start();
    while (m_eventi < m_totale && !m_fallito) {
        passo();
        if (m_eventi / passoMemoria != m_rapportati && m_eventi < m_totale) {
            m_rapportati = m_eventi / passoMemoria;
            const QString memoria = campionaMemoria(m_rapportati * passoMemoria);
            qInfo("%lld events, %lld ms%s", m_eventi, tempo.elapsed(), qPrintable(memoria));
        }
    }
    const qint64 ms = qMax<qint64>(1, tempo.elapsed());
    if (!m_fallito) {
        campionaMemoria(m_eventi);
        verificaMemoria();
    }
    if (m_fallito)
        QFAIL(qPrintable(m_fallimento));
    QStringList stati;
    for (auto it = m_stati.cbegin(); it != m_stati.cend(); ++it)
        stati << QStringLiteral("%1 %2").arg(it.key()).arg(it.value());
    qInfo("events per state: %s", qPrintable(stati.join(QStringLiteral(", "))));
    qInfo("%lld events with the invariants checked after each, seed %u, %lld ms (%lld events/s), %lld print calls "
          "recorded",
          m_eventi, m_seme, ms, m_eventi * 1000 / ms, m_chiamateStampa + qint64(m_stampe->size()));
    qInfo("%lld warnings of the offscreen platform and of clicks beside a window left out", avvisiTaciuti);
}

QTEST_MAIN(tst_Soak)
#include "tst_soak.moc"
