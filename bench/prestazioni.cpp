// The benchmark of the program: every figure is timed several times, side by side with a floor that
// shows what the toolkit alone costs for the same thing, and the medians are written to results.md.
// It is run by `make bench` on a Release build and is never part of the tests.
//
//   prestazioni <results.md>

#include "applicazione/Avvio.h"
#include "applicazione/Navigatore.h"
#include "componenti/tasti/ScansioneAutomatica.h"
#include "narratore/Narratore.h"
#include "schermate/esercizio/SchermataEsercizio.h"
#include "schermate/inizio/SchermataInizio.h"
#include "schermate/stampa/SchermataStampa.h"
#include "serie/Regole.h"
#include "serie/Serie.h"
#include "stampa/Stampante.h"
#include "voce/Voce.h"

#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTest>
#include <QTextStream>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int RipetizioniAvvio = 41;
constexpr int Ripetizioni = 11;
constexpr int EventiRidimensionamento = 1000;
constexpr int TabellaProvata = 7;

using Orologio = std::chrono::steady_clock;

double secondiDa(Orologio::time_point inizio)
{
    return std::chrono::duration<double>(Orologio::now() - inizio).count();
}

// The value below which the given share of the values lies (0.25 for the lower quartile).
double quantile(std::vector<double> valori, double quota)
{
    if (valori.empty())
        return 0;
    std::sort(valori.begin(), valori.end());
    const double posto = quota * double(valori.size() - 1);
    const size_t sotto = size_t(posto);
    const size_t sopra = std::min(sotto + 1, valori.size() - 1);
    return valori[sotto] + (valori[sopra] - valori[sotto]) * (posto - double(sotto));
}

double mediana(const std::vector<double> &valori)
{
    return quantile(valori, 0.5);
}

// The offscreen platform's notes about window hints it ignores would bury the figures.
void messaggi(QtMsgType tipo, const QMessageLogContext &contesto, const QString &testo)
{
    if (tipo == QtWarningMsg
        && (testo.startsWith(QLatin1String("This plugin does not support"))
            || testo.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR"))))
        return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(tipo, contesto, testo)));
}

[[noreturn]] void fallisce(const QString &perche)
{
    std::fprintf(stderr, "bench: %s\n", qPrintable(perche));
    std::exit(1);
}

// --- Whole processes ---

struct Processo
{
    double secondi;
    double memoriaMiB;
    double primoFotogramma; // from fork to the first frame, as the program itself said it
};

// Runs one start-up program from fork to exit, with one option or none; its peak resident set comes from
// wait4().
Processo esegui(const QByteArray &eseguibile, const char *opzione = nullptr)
{
    int tubo[2];
    if (pipe(tubo) != 0)
        fallisce(QStringLiteral("pipe failed"));
    const auto inizio = Orologio::now();
    const pid_t pid = fork();
    if (pid < 0)
        fallisce(QStringLiteral("fork failed"));
    if (pid == 0) {
        // The offscreen platform's notes about window hints it ignores are not wanted here; the program
        // says on its standard output when its first frame is painted.
        const int nulla = open("/dev/null", O_WRONLY);
        dup2(tubo[1], STDOUT_FILENO);
        dup2(nulla, STDERR_FILENO);
        alarm(60); // a program that never paints must not hold the benchmark forever
        execl(eseguibile.constData(), eseguibile.constData(), opzione, static_cast<char *>(nullptr));
        _exit(127);
    }
    close(tubo[1]);
    int stato = 0;
    rusage uso = {};
    if (wait4(pid, &stato, 0, &uso) != pid)
        fallisce(QStringLiteral("wait4 failed"));
    const double secondi = secondiDa(inizio);
    if (!WIFEXITED(stato) || WEXITSTATUS(stato) != 0)
        fallisce(
            QStringLiteral("%1 did not end normally (status %2)").arg(QString::fromLocal8Bit(eseguibile)).arg(stato));
    char letto[64] = {};
    const ssize_t n = read(tubo[0], letto, sizeof(letto) - 1);
    close(tubo[0]);
    const auto fotogramma = Orologio::time_point(std::chrono::nanoseconds(n > 0 ? std::atoll(letto) : 0));
    return {secondi, double(uso.ru_maxrss) / 1024.0, std::chrono::duration<double>(fotogramma - inizio).count()};
}

// Instructions one start-up program executes from start to exit, counted by callgrind: unlike the
// time, the count hardly moves with the load of the machine. Empty when valgrind is not installed
// or the run fails.
std::optional<double> istruzioni(const QByteArray &eseguibile)
{
    const QString valgrind = QStandardPaths::findExecutable(QStringLiteral("valgrind"));
    if (valgrind.isEmpty())
        return std::nullopt;
    QProcess processo;
    processo.setStandardOutputFile(QProcess::nullDevice());
    processo.start(valgrind, {QStringLiteral("--tool=callgrind"), QStringLiteral("--callgrind-out-file=/dev/null"),
                              QString::fromLocal8Bit(eseguibile)});
    if (!processo.waitForFinished(120000) || processo.exitStatus() != QProcess::NormalExit || processo.exitCode() != 0)
        return std::nullopt;
    static const QRegularExpression raccolti(QStringLiteral("Collected : (\\d+)"));
    const QRegularExpressionMatch trovato = raccolti.match(QString::fromLocal8Bit(processo.readAllStandardError()));
    if (!trovato.hasMatch())
        return std::nullopt;
    return trovato.captured(1).toDouble();
}

// --- The floor window: one maximized window with one button ---

// A key typed over the button becomes its caption, so one key changes one control, as a digit does
// on the keypad.
class FinestraMinima : public QWidget
{
public:
    FinestraMinima()
    {
        m_pulsante = new QPushButton(QStringLiteral("Vai"), this);
        m_pulsante->setGeometry(20, 20, 120, 40);
        m_pulsante->installEventFilter(this);
        m_pulsante->setFocus();
    }

    QString testo() const { return m_pulsante->text(); }

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override
    {
        if (oggetto == m_pulsante && evento->type() == QEvent::KeyPress) {
            m_pulsante->setText(static_cast<QKeyEvent *>(evento)->text());
            return true;
        }
        return QWidget::eventFilter(oggetto, evento);
    }

private:
    QPushButton *m_pulsante;
};

// --- In-process helpers ---

// A voice that only notes when it was asked to speak.
class VoceCronometrata : public Voce
{
public:
    void di(const QString &) override { nota(); }
    void aggiungi(const QString &) override { nota(); }
    void taci() override { }
    int detti = 0;
    Orologio::time_point ultimo;

private:
    void nota()
    {
        ultimo = Orologio::now();
        ++detti;
    }
};

void premi(QWidget *finestra, Qt::Key tasto)
{
    QTest::keyClick(finestra->windowHandle(), tasto);
}

// Paints whatever the last event made dirty: the update requests are posted events.
void ridisegna()
{
    QCoreApplication::processEvents();
}

// Counts the widgets painted while it lives.
class ContaPitture : public QObject
{
public:
    ContaPitture() { qApp->installEventFilter(this); }
    ~ContaPitture() override { qApp->removeEventFilter(this); }
    int conteggio = 0;

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override
    {
        if (evento->type() == QEvent::Paint)
            ++conteggio;
        return QObject::eventFilter(oggetto, evento);
    }
};

SchermataEsercizio *apriEsercizio(Serie &serie)
{
    serie.scegliTabella(TabellaProvata);
    auto *w = new SchermataEsercizio(serie);
    w->mostra();
    if (!QTest::qWaitForWindowExposed(w))
        fallisce(QStringLiteral("the exercise screen was not shown"));
    ridisegna();
    return w;
}

void chiudiEsercizio(SchermataEsercizio *w)
{
    w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ridisegna();
}

// Mean time of one resize event over many, alternating between two window sizes.
double ridimensionamento(QWidget *finestra)
{
    const QSize grande(1024, 768);
    const QSize piccola(640, 480);
    const auto inizio = Orologio::now();
    for (int i = 0; i < EventiRidimensionamento; ++i)
        finestra->resize(i % 2 ? grande : piccola);
    const double secondi = secondiDa(inizio);
    ridisegna();
    return secondi / EventiRidimensionamento;
}

struct TempiTabella
{
    std::vector<double> cifre;
    std::vector<double> invii;
    double tabella = 0;
    int tasti = 0;
};

// One whole table answered right, key by key, each key timed up to the end of its repaint.
TempiTabella rispondiTabella(const Serie &serie, SchermataEsercizio *w)
{
    TempiTabella tempi;
    const auto inizioTabella = Orologio::now();
    for (int c = 0; c < Regole::NumeroColonne; ++c) {
        if (serie.colonna() != c)
            fallisce(QStringLiteral("column %1 is not armed").arg(c));
        const QString risposta = serie.attesa(c).trimmed();
        for (QChar cifra : risposta) {
            const auto inizio = Orologio::now();
            premi(w, Qt::Key(Qt::Key_0 + cifra.digitValue()));
            ridisegna();
            tempi.cifre.push_back(secondiDa(inizio));
        }
        const auto inizio = Orologio::now();
        premi(w, Qt::Key_Return);
        ridisegna();
        tempi.invii.push_back(secondiDa(inizio));
        tempi.tasti += int(risposta.size()) + 1;
    }
    tempi.tabella = secondiDa(inizioTabella);
    if (serie.operazioni() != Regole::NumeroColonne)
        fallisce(QStringLiteral("the table was not completed (%1 operations)").arg(serie.operazioni()));
    return tempi;
}

// Keys typed on the floor window, each timed up to the end of its repaint.
std::vector<double> tastiMinimi(QWidget *finestra, int tasti)
{
    std::vector<double> tempi;
    for (int i = 0; i < tasti; ++i) {
        const auto inizio = Orologio::now();
        premi(finestra, Qt::Key(Qt::Key_0 + i % 10));
        ridisegna();
        tempi.push_back(secondiDa(inizio));
    }
    return tempi;
}

// A printer that keeps the page as a list of calls.
class StampanteMemoria : public Stampante
{
public:
    QStringList elencoFont() const override { return {QStringLiteral("Arial"), QStringLiteral("Courier New")}; }
    void setNomeFont(const QString &nome) override { m_pagina << QStringLiteral("font ") + nome; }
    void setDimensioneFont(qreal punti) override { m_pagina << QStringLiteral("dimensione %1").arg(punti); }
    void setGrassetto(bool grassetto) override { m_pagina << QStringLiteral("grassetto %1").arg(grassetto); }
    void setX(int twips) override { m_pagina << QStringLiteral("x %1").arg(twips); }
    void setY(int twips) override { m_pagina << QStringLiteral("y %1").arg(twips); }
    void stampa(const QString &testo) override { m_pagina << QStringLiteral("stampa ") + testo; }
    Esito fineDocumento() override
    {
        m_pagina << QStringLiteral("fine");
        ++s_pagine;
        return Esito::Stampato;
    }
    QString motivo() const override { return {}; }
    QString nome() const override { return {}; }

    static inline int s_pagine = 0;

private:
    QStringList m_pagina;
};

// A finished series of three tables, as the print screen finds it.
void riempiRegistro(Serie &serie)
{
    std::array<QString, Serie::NumeroRighe> registro;
    for (int riga = 0; riga < 30; ++riga) {
        const int tabella = 3 + riga / 10;
        const int fattore = riga % 10 + 1;
        registro.at(riga)
            = Regole::rigaDomanda(tabella, fattore) + QString::number(tabella * fattore) + QStringLiteral("  ");
    }
    registro.at(30) = Regole::rigaDomanda(6, 4);
    serie.caricaRegistro(registro, 30);
}

// The same calls the print screen makes, straight into the printer: what the page costs by itself.
void stampaDiretta(Stampante &stampante, const Serie &serie)
{
    stampante.setNomeFont(QStringLiteral("Courier New"));
    stampante.setX(1000);
    stampante.setY(1000);
    stampante.setDimensioneFont(18);
    stampante.stampa(QStringLiteral("SCUOLA ELEMENTARE DI "));
    stampante.setDimensioneFont(12);
    stampante.setGrassetto(true);
    for (int riga = 0; riga <= serie.operazioni(); ++riga) {
        stampante.setX(riga);
        stampante.setY(riga);
        stampante.stampa(serie.registro().at(riga));
    }
    stampante.fineDocumento();
}

// --- Results ---

enum class Obiettivo
{
    Rapporto, // the ratio to the floor must not exceed the limit
    Assoluto, // the median must stay under the limit
    Nessuno
};

struct Cifra
{
    QString nome;
    QString unita;
    double scala; // from the measured unit to the one shown
    double valore;
    double pavimento;
    Obiettivo obiettivo;
    double limite;
    int campioni;

    double rapporto() const { return pavimento > 0 ? valore / pavimento : 0; }
    std::optional<bool> raggiunto() const
    {
        switch (obiettivo) {
        case Obiettivo::Rapporto:
            return rapporto() <= limite;
        case Obiettivo::Assoluto:
            return valore < limite;
        case Obiettivo::Nessuno:
            break;
        }
        return std::nullopt;
    }
    QString testoObiettivo() const
    {
        switch (obiettivo) {
        case Obiettivo::Rapporto:
            return QStringLiteral("ratio ≤ %1").arg(limite, 0, 'f', 2);
        case Obiettivo::Assoluto:
            return QStringLiteral("< %1 %2").arg(limite * scala, 0, 'g', 3).arg(unita);
        case Obiettivo::Nessuno:
            break;
        }
        return QStringLiteral("none");
    }
};

QString misura(double valore, const Cifra &cifra)
{
    const double mostrato = valore * cifra.scala;
    return QStringLiteral("%1 %2").arg(mostrato, 0, 'f', mostrato < 10 ? 3 : 1).arg(cifra.unita);
}

QString modelloCpu()
{
    QFile cpuinfo(QStringLiteral("/proc/cpuinfo"));
    if (cpuinfo.open(QIODevice::ReadOnly)) {
        const QStringList righe = QString::fromLocal8Bit(cpuinfo.readAll()).split(QLatin1Char('\n'));
        for (const QString &riga : righe) {
            if (riga.startsWith(QLatin1String("model name")))
                return riga.section(QLatin1Char(':'), 1).trimmed();
        }
    }
    return QSysInfo::currentCpuArchitecture();
}

QString compilatore()
{
#if defined(__clang__)
    return QStringLiteral("Clang ") + QLatin1String(__clang_version__);
#elif defined(__GNUC__)
    return QStringLiteral("GCC ") + QLatin1String(__VERSION__);
#else
    return QStringLiteral("unknown");
#endif
}

QString carico()
{
    double medie[3] = {};
    if (getloadavg(medie, 3) != 3)
        return QStringLiteral("unknown");
    return QStringLiteral("%1 %2 %3").arg(medie[0], 0, 'f', 2).arg(medie[1], 0, 'f', 2).arg(medie[2], 0, 'f', 2);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <results.md>\n", argv[0]);
        return 2;
    }
    const QString risultati = QString::fromLocal8Bit(argv[1]);
    const QByteArray programma = AVVIO_PROGRAMMA;
    const QByteArray minimo = AVVIO_MINIMO;
    const QByteArray contenuto = AVVIO_CONTENUTO;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(messaggi);
    const auto inizioBench = Orologio::now();
    // Every time here moves with what else the machine runs: the load it started under goes with them.
    const QString caricoIniziale = carico();
    std::vector<Cifra> cifre;
    QStringList note;

    // 1, 2. Start-up and peak memory of whole processes, alternated so that both see the same load.
    // One run of each first, so the font cache and the page cache are warm for both.
    std::printf("start-up: %d runs of each program\n", RipetizioniAvvio);
    std::fflush(stdout);
    esegui(programma);
    esegui(minimo);
    esegui(contenuto);
    esegui(programma, "--voce");
    std::vector<double> avvioP, avvioM, avvioC, avvioV, fotogrammaP, fotogrammaV, memoriaP, memoriaM;
    for (int i = 0; i < RipetizioniAvvio; ++i) {
        const Processo p = esegui(programma);
        const Processo m = esegui(minimo);
        const Processo c = esegui(contenuto);
        const Processo v = esegui(programma, "--voce");
        avvioP.push_back(p.secondi);
        avvioM.push_back(m.secondi);
        avvioC.push_back(c.secondi);
        avvioV.push_back(v.secondi);
        fotogrammaP.push_back(p.primoFotogramma);
        fotogrammaV.push_back(v.primoFotogramma);
        memoriaP.push_back(p.memoriaMiB);
        memoriaM.push_back(m.memoriaMiB);
    }
    cifre.push_back({QStringLiteral("1. Start-up to first frame of the start screen"), QStringLiteral("ms"), 1000,
                     mediana(avvioP), mediana(avvioM), Obiettivo::Rapporto, 1.25, RipetizioniAvvio});
    cifre.push_back({QStringLiteral("1b. Start-up of the floor window with the start screen's menu bar and fonts"),
                     QStringLiteral("ms"), 1000, mediana(avvioC), mediana(avvioM), Obiettivo::Nessuno, 0,
                     RipetizioniAvvio});
    cifre.push_back({QStringLiteral("1c. First frame with the voice on (--voce), against the program without it"),
                     QStringLiteral("ms"), 1000, mediana(fotogrammaV), mediana(fotogrammaP), Obiettivo::Rapporto, 1.1,
                     RipetizioniAvvio});
    note << QStringLiteral("With the voice on, from fork to exit: %1 ms against %2 ms without (speech-dispatcher "
                           "%3): a program that ends at its first frame waits at its end for the voice's engine, "
                           "which starts on a thread of its own with the first text.")
                .arg(mediana(avvioV) * 1000, 0, 'f', 1)
                .arg(mediana(avvioP) * 1000, 0, 'f', 1)
                .arg(QStandardPaths::findExecutable(QStringLiteral("speech-dispatcher")).isEmpty()
                         ? QStringLiteral("not installed")
                         : QStringLiteral("installed"));
    cifre.push_back({QStringLiteral("2. Peak memory (max RSS) of the start-up"), QStringLiteral("MiB"), 1,
                     mediana(memoriaP), mediana(memoriaM), Obiettivo::Rapporto, 1.25, RipetizioniAvvio});
    note << QStringLiteral("Start-up of the program against 1b, the toolkit's cost of what the start screen shows: "
                           "ratio %1.")
                .arg(mediana(avvioP) / mediana(avvioC), 0, 'f', 2);
    {
        // How much the start-up ratio moves with the machine's load: the ratio of each round, the
        // program against the floor run just after it.
        std::vector<double> rapporti;
        for (size_t i = 0; i < avvioP.size(); ++i)
            rapporti.push_back(avvioP[i] / avvioM[i]);
        note << QStringLiteral("Start-up ratio round by round (each program run against the floor run next to it): "
                               "lowest %1, middle half %2 to %3, highest %4.")
                    .arg(quantile(rapporti, 0), 0, 'f', 2)
                    .arg(quantile(rapporti, 0.25), 0, 'f', 2)
                    .arg(quantile(rapporti, 0.75), 0, 'f', 2)
                    .arg(quantile(rapporti, 1), 0, 'f', 2);
    }

    // Everything else runs in this process, set up as the program sets itself up.
    QApplication applicazione(argc, argv);
    Avvio::preparaApplicazione(applicazione);
    Serie serie(20261208);

    // The same three start-ups in instructions, which the machine's load hardly changes.
    std::printf("start-up: instructions under callgrind\n");
    std::fflush(stdout);
    {
        const std::optional<double> p = istruzioni(programma);
        const std::optional<double> m = istruzioni(minimo);
        const std::optional<double> c = istruzioni(contenuto);
        if (p && m && c) {
            note << QStringLiteral("Instructions from start to exit (callgrind, one run each; the count barely moves "
                                   "between runs): "
                                   "program %1 M, floor %2 M (ratio %3), floor with the menu bar and fonts %4 M "
                                   "(ratio %5); the program against the latter: ratio %6.")
                        .arg(*p / 1e6, 0, 'f', 1)
                        .arg(*m / 1e6, 0, 'f', 1)
                        .arg(*p / *m, 0, 'f', 2)
                        .arg(*c / 1e6, 0, 'f', 1)
                        .arg(*c / *m, 0, 'f', 2)
                        .arg(*p / *c, 0, 'f', 2);
        } else {
            note << QStringLiteral("Instructions: not counted (valgrind is missing or its run failed).");
        }
    }

    FinestraMinima minima;
    minima.showMaximized();
    if (!QTest::qWaitForWindowExposed(&minima))
        fallisce(QStringLiteral("the floor window was not shown"));

    // 3. Resize of the exercise screen against the resize of the floor window.
    std::printf("resize: %d rounds of %d events\n", Ripetizioni, EventiRidimensionamento);
    std::fflush(stdout);
    {
        SchermataEsercizio *w = apriEsercizio(serie);
        w->showNormal();
        minima.showNormal();
        ridisegna();
        // The pass must really move the controls, or the figure would time nothing.
        auto *risultato = w->findChild<QWidget *>(QStringLiteral("risultato(9)"));
        w->resize(1024, 768);
        const QRect grande = risultato->geometry();
        w->resize(640, 480);
        if (risultato->geometry() == grande)
            fallisce(QStringLiteral("resizing the exercise screen moved nothing"));
        std::vector<double> programmaR, minimaR;
        for (int i = 0; i < Ripetizioni; ++i) {
            programmaR.push_back(ridimensionamento(w));
            minimaR.push_back(ridimensionamento(&minima));
        }
        cifre.push_back({QStringLiteral("3. Resize of the exercise screen, per event"), QStringLiteral("ms"), 1000,
                         mediana(programmaR), mediana(minimaR), Obiettivo::Assoluto, 0.001, Ripetizioni});
        minima.showMaximized();
        chiudiEsercizio(w);
    }

    // 4, 5. Keys on the keypad: each digit and each right "Invio", up to the end of their repaint,
    // and the whole table they add up to.
    std::printf("input: %d tables of %d columns\n", Ripetizioni, Regole::NumeroColonne);
    std::fflush(stdout);
    {
        {
            // How many widgets one key repaints, once, outside the timed runs.
            SchermataEsercizio *w = apriEsercizio(serie);
            const QString risposta = serie.attesa(0).trimmed();
            ContaPitture conta;
            for (QChar cifra : risposta) {
                premi(w, Qt::Key(Qt::Key_0 + cifra.digitValue()));
                ridisegna();
            }
            const int perCifre = conta.conteggio;
            premi(w, Qt::Key_Return);
            ridisegna();
            note << QStringLiteral("Widgets repainted: %1 for the %2 digit(s) of the first answer, %3 for its "
                                   "\"Invio\".")
                        .arg(perCifre)
                        .arg(risposta.size())
                        .arg(conta.conteggio - perCifre);
            chiudiEsercizio(w);
        }
        std::vector<double> cifraP, invioP, tabellaP, tastoM, tabellaM;
        for (int i = 0; i < Ripetizioni; ++i) {
            SchermataEsercizio *w = apriEsercizio(serie);
            const TempiTabella tempi = rispondiTabella(serie, w);
            chiudiEsercizio(w);
            cifraP.push_back(mediana(tempi.cifre));
            invioP.push_back(mediana(tempi.invii));
            tabellaP.push_back(tempi.tabella);

            const auto inizio = Orologio::now();
            const std::vector<double> minimi = tastiMinimi(&minima, tempi.tasti);
            tabellaM.push_back(secondiDa(inizio));
            if (minima.testo() != QString::number((tempi.tasti - 1) % 10))
                fallisce(QStringLiteral("the floor window did not take its keys"));
            tastoM.push_back(mediana(minimi));
        }
        cifre.push_back({QStringLiteral("4a. Input: a digit typed, with its repaint"), QStringLiteral("ms"), 1000,
                         mediana(cifraP), mediana(tastoM), Obiettivo::Assoluto, 0.002, Ripetizioni});
        cifre.push_back({QStringLiteral("4b. Input: a right \"Invio\" arming the next column, with its repaint"),
                         QStringLiteral("ms"), 1000, mediana(invioP), mediana(tastoM), Obiettivo::Assoluto, 0.002,
                         Ripetizioni});
        cifre.push_back({QStringLiteral("5a. A whole table answered by key events (10 columns)"), QStringLiteral("ms"),
                         1000, mediana(tabellaP), mediana(tabellaM), Obiettivo::Nessuno, 0, Ripetizioni});
    }

    // 5. The printed page of a finished series, built into a printer that records it.
    std::printf("print: %d pages\n", Ripetizioni);
    std::fflush(stdout);
    {
        riempiRegistro(serie);
        auto *stampa = new SchermataStampa(std::as_const(serie));
        stampa->consegna().setFabbricaStampante([] { return std::make_unique<StampanteMemoria>(); });
        stampa->mostra();
        if (!QTest::qWaitForWindowExposed(stampa))
            fallisce(QStringLiteral("the print screen was not shown"));
        ridisegna();
        auto *comando = stampa->findChild<QPushButton *>(QStringLiteral("stampa"));
        std::vector<double> paginaP, paginaM;
        for (int i = 0; i < Ripetizioni; ++i) {
            const int prima = StampanteMemoria::s_pagine;
            auto inizio = Orologio::now();
            QTest::mouseClick(comando, Qt::LeftButton);
            ridisegna();
            paginaP.push_back(secondiDa(inizio));
            if (StampanteMemoria::s_pagine != prima + 1)
                fallisce(QStringLiteral("the print screen did not print its page"));

            inizio = Orologio::now();
            StampanteMemoria diretta;
            stampaDiretta(diretta, serie);
            paginaM.push_back(secondiDa(inizio));
        }
        stampa->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        cifre.push_back({QStringLiteral("5b. The printed page built into a recording printer"), QStringLiteral("ms"),
                         1000, mediana(paginaP), mediana(paginaM), Obiettivo::Nessuno, 0, Ripetizioni});
    }

    // 6. The voice and automatic scanning on the start screen: a step of the space bar to the voice's
    // request, a switch press to its choice shown, and the highlight's real pace over a minute.
    std::printf("voice and automatic scanning\n");
    std::fflush(stdout);
    {
        VoceCronometrata voce;
        Narratore narratore(serie, voce);
        Navigatore navigatore(serie);
        SchermataInizio *inizio = navigatore.apriInizio();
        if (!QTest::qWaitForWindowActive(inizio))
            fallisce(QStringLiteral("the start screen was not shown"));
        ridisegna();
        std::vector<double> voceP, tastoF;
        for (int i = 0; i < 200; ++i) {
            const int detti = voce.detti;
            const auto inizioPasso = Orologio::now();
            premi(inizio, Qt::Key_Space);
            while (voce.detti == detti)
                QCoreApplication::processEvents();
            voceP.push_back(std::chrono::duration<double>(voce.ultimo - inizioPasso).count());
            ridisegna();
        }
        cifre.push_back({QStringLiteral("6a. Voice: a space-bar step to its speech request, p50"), QStringLiteral("ms"),
                         1000, quantile(voceP, 0.5), 0, Obiettivo::Assoluto, 1.0 / 60, 200});
        cifre.push_back({QStringLiteral("6b. Voice: a space-bar step to its speech request, p99"), QStringLiteral("ms"),
                         1000, quantile(voceP, 0.99), 0, Obiettivo::Assoluto, 1.0 / 60, 200});

        // A switch press on the exercise's "1": the digit typed and drawn; C takes it away again.
        {
            ScansioneAutomatica scansione(ScansioneAutomatica::IntervalloPredefinito, nullptr, false);
            auto *w = navigatore.apriEsercizio();
            if (!QTest::qWaitForWindowActive(w))
                fallisce(QStringLiteral("the exercise screen was not shown"));
            w->findChild<QWidget *>(QStringLiteral("tasto(1)"))->setFocus();
            ridisegna();
            std::vector<double> sceltaP;
            for (int i = 0; i < 200; ++i) {
                const auto inizioScelta = Orologio::now();
                premi(w, Qt::Key_Space);
                ridisegna();
                sceltaP.push_back(secondiDa(inizioScelta));
                if (serie.risposta() != QLatin1String("1"))
                    fallisce(QStringLiteral("the switch did not choose the highlighted digit"));
                premi(w, Qt::Key_C);
                ridisegna();
            }
            cifre.push_back({QStringLiteral("7a. Automatic scanning: a switch press to its choice drawn, p99"),
                             QStringLiteral("ms"), 1000, quantile(sceltaP, 0.99), 0, Obiettivo::Assoluto, 1.0 / 60,
                             200});
            w->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }

        // The highlight left alone for a minute at the usual pace; where it stops after three loops, a
        // press wakes it, and the first item's longer hold is left out.
        {
            inizio->activateWindow();
            if (!QTest::qWaitForWindowActive(inizio))
                fallisce(QStringLiteral("the start screen did not come back"));
            ScansioneAutomatica scansione(ScansioneAutomatica::IntervalloPredefinito);
            std::vector<double> intervalli;
            Orologio::time_point ultimo = Orologio::now();
            bool dopoUnaSosta = true;
            QObject contesto;
            QObject::connect(qApp, &QApplication::focusChanged, &contesto, [&](QWidget *, QWidget *ora) {
                if (!ora)
                    return;
                const auto adesso = Orologio::now();
                if (!dopoUnaSosta)
                    intervalli.push_back(std::chrono::duration<double>(adesso - ultimo).count());
                dopoUnaSosta = false;
                ultimo = adesso;
            });
            const auto inizioMinuto = Orologio::now();
            while (secondiDa(inizioMinuto) < 60) {
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
                if (scansione.ferma()) {
                    dopoUnaSosta = true;
                    premi(inizio, Qt::Key_Space);
                }
            }
            const double nominale = std::chrono::duration<double>(ScansioneAutomatica::IntervalloPredefinito).count();
            double somma = 0;
            double peggiore = 0;
            for (double intervallo : intervalli) {
                somma += intervallo;
                peggiore = std::max(peggiore, std::abs(intervallo - nominale));
            }
            const double media = intervalli.empty() ? 0 : somma / double(intervalli.size());
            cifre.push_back({QStringLiteral("7b. Automatic scanning: the highlight's interval over a minute, mean"),
                             QStringLiteral("ms"), 1000, media, nominale, Obiettivo::Nessuno, 0,
                             int(intervalli.size())});
            note << QStringLiteral("Automatic scanning at %1 s: %2 steps in a minute, mean interval %3 ms, worst "
                                   "deviation from the pace %4 ms.")
                        .arg(nominale, 0, 'f', 1)
                        .arg(intervalli.size())
                        .arg(media * 1000, 0, 'f', 1)
                        .arg(peggiore * 1000, 0, 'f', 1);
        }
        inizio->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // --- Report ---
    QString tabella;
    QTextStream testo(&tabella);
    testo << "| Figure | Runs | Median | Floor | Ratio | Goal | Met |\n";
    testo << "|---|---|---|---|---|---|---|\n";
    for (const Cifra &cifra : cifre) {
        const std::optional<bool> esito = cifra.raggiunto();
        testo << "| " << cifra.nome << " | " << cifra.campioni << " | " << misura(cifra.valore, cifra) << " | "
              << misura(cifra.pavimento, cifra) << " | " << QString::number(cifra.rapporto(), 'f', 2) << " | "
              << cifra.testoObiettivo() << " | " << (esito ? (*esito ? "yes" : "**no**") : "—") << " |\n";
    }
    testo.flush();

    const double durata = secondiDa(inizioBench);
    QString rapporto;
    QTextStream md(&rapporto);
    md << "# Benchmark results\n\n"
       << "Written by `make bench` from a Release build; rewritten at every run.\n\n"
       << "- Machine: " << modelloCpu() << ", " << sysconf(_SC_NPROCESSORS_ONLN) << " cores, "
       << QSysInfo::prettyProductName() << "\n"
       << "- Qt: " << qVersion() << ", platform " << QGuiApplication::platformName() << "\n"
       << "- Compiler: " << compilatore() << "\n"
       << "- Date: " << QDateTime::currentDateTime().toString(Qt::ISODate) << "\n"
       << "- Load average (1, 5, 15 min) at the start: " << caricoIniziale << "\n"
       << "- Benchmark time: " << QString::number(durata, 'f', 1) << " s\n\n"
       << "Each figure is the median of its runs; the floor is measured in the same run, interleaved with it.\n\n"
       << tabella << "\n"
       << "Floors:\n\n"
       << "- 1, 2: a program built with the benchmark, with the same Qt and flags, that opens one maximized window "
          "with one button and ends after its first frame; both programs are timed from fork to exit, offscreen.\n"
       << "- 1b: the same floor with a menu bar and labels in the five fonts of the start screen (Arial 27.75, "
          "9.75, 18 and 15.75 bold, MS Sans Serif 18 bold), and none of the program's code.\n"
       << "- 3: the same one-button window resized between the same two sizes (1024×768 and 640×480).\n"
       << "- 4: a key typed on that window's button, which takes the key as its caption, with its repaint.\n"
       << "- 5a: as many keys on that window as the table took.\n"
       << "- 5b: the same printer calls made directly, without the print screen.\n"
       << "- 6, 7a: none; the goal is one frame at 60 Hz. 7b: the pace asked for.\n\n";
    for (const QString &nota : std::as_const(note))
        md << nota << "\n";
    md.flush();

    std::printf("\n%s\n", qPrintable(tabella));
    for (const QString &nota : std::as_const(note))
        std::printf("%s\n", qPrintable(nota));
    QFile file(risultati);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        fallisce(QStringLiteral("cannot write %1").arg(risultati));
    file.write(rapporto.toUtf8());
    std::printf("written to %s in %.1f s\n", qPrintable(risultati), durata);
    return 0;
}
