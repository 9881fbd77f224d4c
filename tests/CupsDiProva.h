#pragma once

// A CUPS scheduler of the test's own, never the machine's: `cupsd -f` with its configuration, spool, logs
// and socket in a temporary folder of its own, so two test runs at once never meet. The test process and
// every command it runs (lpadmin, cupsreject, lpstat...) reach it through CUPS_SERVER, and read no client
// configuration of the machine (CUPS_SERVERROOT). It needs no root, and works as root too, as in CI.
// Stopped, with all it started, when the object goes.
//
// The queue's printer has an A4 page whose printable area starts 18 pt from the left and 36 pt from
// the top, and a file as its device: what reaches the file is the document exactly as the program
// handed it to the queue.

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointF>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <grp.h>
#include <signal.h>
#include <unistd.h>

class CupsDiProva
{
public:
    static inline const QString Coda = QStringLiteral("ContalinoPDF");
    static inline const QString Descrizione = QStringLiteral("Aula 3");
    static constexpr QPointF Origine {18, 36};

    CupsDiProva() = default;
    CupsDiProva(const CupsDiProva &) = delete;
    CupsDiProva &operator=(const CupsDiProva &) = delete;
    ~CupsDiProva() { ferma(); }

    QString cartella() const { return m_cartella.path(); }

    // Starts the scheduler and waits until it answers. Empty when it does, otherwise why not.
    QString avvia()
    {
        if (!m_cartella.isValid())
            return QStringLiteral("no temporary folder: %1").arg(m_cartella.errorString());
        const QString cupsd = programma(QStringLiteral("cupsd"));
        if (cupsd.isEmpty())
            return QStringLiteral("cupsd is not installed (Debian package cups)");
        const QDir dir(m_cartella.path());
        // A Unix socket's path has room for 107 bytes.
        if (QFile::encodeName(socket()).size() > 100)
            return QStringLiteral("the temporary folder's path is too long for a socket: %1").arg(socket());
        // As root, cupsd runs its filters as the user lp, who must reach the spool inside.
        if (::geteuid() == 0)
            QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ExeGroup
                                                  | QFile::ExeOther);
        for (const char *sotto : {"spool", "tmp", "cache", "state", "log"})
            dir.mkpath(QLatin1String(sotto));

        const group *gruppo = ::getgrgid(::getgid());
        QString errore = scrivi(
            QStringLiteral("cups-files.conf"),
            QStringLiteral("ServerRoot %1\nRequestRoot %1/spool\nTempDir %1/tmp\nCacheDir %1/cache\n"
                           "StateDir %1/state\nAccessLog %1/log/access_log\n"
                           "ErrorLog %1/log/error_log\nPageLog %1/log/page_log\n"
                           "Printcap %1/printcap\nFileDevice Yes\nSystemGroup %2\n")
                .arg(dir.path(), gruppo ? QString::fromLocal8Bit(gruppo->gr_name) : QString::number(::getgid())));
        // Anyone may do anything: only the test reaches this socket.
        errore += scrivi(QStringLiteral("cupsd.conf"), QStringLiteral("Listen %1\nLogLevel debug\nBrowsing No\n"
                                                                      "BrowseLocalProtocols none\nWebInterface No\n"
                                                                      "DefaultAuthType None\n"
                                                                      "<Location />\nOrder deny,allow\n</Location>\n"
                                                                      "<Policy default>\n<Limit All>\n"
                                                                      "Order deny,allow\n</Limit>\n</Policy>\n")
                                                           .arg(socket()));
        errore += scrivi(QStringLiteral("contalino.ppd"), QString::fromLatin1(Ppd));
        // Nothing of the machine's client setup (client.conf, lpoptions): this scheduler and nothing else.
        qputenv("CUPS_SERVER", QFile::encodeName(socket()));
        qputenv("CUPS_SERVERROOT", QFile::encodeName(dir.path()));
        qunsetenv("PRINTER");
        qunsetenv("LPDEST");
        if (!errore.isEmpty())
            return errore;

        m_cupsd.setProcessChannelMode(QProcess::MergedChannels);
        m_cupsd.start(cupsd, {QStringLiteral("-f"), QStringLiteral("-c"), dir.filePath(QStringLiteral("cupsd.conf")),
                              QStringLiteral("-s"), dir.filePath(QStringLiteral("cups-files.conf"))});
        if (!m_cupsd.waitForStarted(10000))
            return QStringLiteral("cupsd did not start: %1").arg(m_cupsd.errorString());
        m_pid = m_cupsd.processId();
        const QDeadlineTimer limite(20000);
        while (!limite.hasExpired()) {
            if (m_cupsd.state() != QProcess::Running)
                return QStringLiteral("cupsd ended (exit code %1): %2\n%3")
                    .arg(m_cupsd.exitCode())
                    .arg(QString::fromLocal8Bit(m_cupsd.readAll()), registro());
            QString risposta;
            if (QFileInfo::exists(socket())
                && esegui(QStringLiteral("lpstat"), {QStringLiteral("-r")}, &risposta).isEmpty()
                && risposta.contains(QLatin1String("is running")))
                return {};
            QTest::qWait(100);
        }
        return QStringLiteral("cupsd does not answer on %1 after 20 s\n%2").arg(socket(), registro());
    }

    void ferma()
    {
        if (m_cupsd.state() == QProcess::NotRunning)
            return;
        segnale(SIGCONT);
        m_cupsd.terminate();
        if (!m_cupsd.waitForFinished(10000)) {
            m_cupsd.kill();
            m_cupsd.waitForFinished(5000);
        }
    }

    bool attivo() const { return m_cupsd.state() == QProcess::Running; }

    // SIGSTOP hangs the scheduler with its socket open, SIGCONT wakes it, SIGTERM ends it. Safe from any
    // thread, the printing thread's too.
    void segnale(int numero) const
    {
        if (m_pid > 0)
            ::kill(pid_t(m_pid), numero);
    }

    // Runs one of CUPS's commands against this scheduler. Empty when it succeeds, otherwise what it said.
    QString esegui(const QString &comando, const QStringList &argomenti, QString *uscita = nullptr) const
    {
        const QString percorso = programma(comando);
        if (percorso.isEmpty())
            return QStringLiteral("%1 is not installed (Debian packages cups, cups-client)").arg(comando);
        QProcess processo;
        processo.start(percorso, argomenti);
        if (!processo.waitForFinished(20000)) {
            processo.kill();
            processo.waitForFinished();
            return QStringLiteral("%1 %2 did not finish").arg(comando, argomenti.join(QLatin1Char(' ')));
        }
        if (uscita)
            *uscita = QString::fromLocal8Bit(processo.readAllStandardOutput());
        if (processo.exitStatus() != QProcess::NormalExit || processo.exitCode() != 0)
            return QStringLiteral("%1 %2: %3")
                .arg(comando, argomenti.join(QLatin1Char(' ')),
                     QString::fromLocal8Bit(processo.readAllStandardError()));
        return {};
    }

    // The queue made anew, empty, accepting, enabled and the default destination, printing to the file given,
    // with the description a school would give it.
    QString nuovaCoda(const QString &dispositivo)
    {
        QString errore = esegui(QStringLiteral("cancel"), {QStringLiteral("-a"), QStringLiteral("-x")});
        esegui(QStringLiteral("lpadmin"), {QStringLiteral("-x"), Coda});
        errore += esegui(QStringLiteral("lpadmin"),
                         {QStringLiteral("-p"), Coda, QStringLiteral("-E"), QStringLiteral("-v"),
                          QStringLiteral("file:") + dispositivo, QStringLiteral("-D"), Descrizione,
                          QStringLiteral("-P"), QDir(cartella()).filePath(QStringLiteral("contalino.ppd"))});
        errore += esegui(QStringLiteral("lpadmin"), {QStringLiteral("-d"), Coda});
        return errore;
    }

    // The jobs the scheduler knows, one line each: "not-completed", "completed" or "all".
    QStringList lavori(const QString &quali) const
    {
        QString uscita;
        const QString errore
            = esegui(QStringLiteral("lpstat"), {QStringLiteral("-W"), quali, QStringLiteral("-o")}, &uscita);
        if (!errore.isEmpty())
            return {QStringLiteral("lpstat failed: ") + errore};
        return uscita.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    // The end of the scheduler's log, for a failure's report.
    QString registro() const
    {
        QFile file(QDir(cartella()).filePath(QStringLiteral("log/error_log")));
        if (!file.open(QIODevice::ReadOnly))
            return QStringLiteral("(no log)");
        const QByteArray tutto = file.readAll();
        return QString::fromLocal8Bit(tutto.right(3000));
    }

private:
    QString socket() const { return QDir(m_cartella.path()).filePath(QStringLiteral("cups.sock")); }

    // cupsd and lpadmin live in /usr/sbin, which a user's PATH may lack.
    static QString programma(const QString &nome)
    {
        const QString trovato = QStandardPaths::findExecutable(nome);
        return trovato.isEmpty()
                   ? QStandardPaths::findExecutable(nome, {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")})
                   : trovato;
    }

    QString scrivi(const QString &nome, const QString &testo) const
    {
        QFile file(QDir(m_cartella.path()).filePath(nome));
        if (!file.open(QIODevice::WriteOnly) || file.write(testo.toUtf8()) < 0)
            return QStringLiteral("%1 cannot be written: %2\n").arg(file.fileName(), file.errorString());
        return {};
    }

    // A PPD printer that takes PDF as it is: gziptoany copies the document to the device unchanged.
    static constexpr const char *Ppd = R"PPD(*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "CONTALIN.PPD"
*Manufacturer: "Contalino"
*Product: "(Contalino)"
*ModelName: "Contalino PDF"
*ShortNickName: "Contalino PDF"
*NickName: "Contalino PDF"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: False
*DefaultColorSpace: Gray
*FileSystem: False
*Throughput: "1"
*LandscapeOrientation: Plus90
*TTRasterizer: Type42
*cupsFilter2: "application/pdf application/vnd.cups-pdf 0 gziptoany"
*OpenUI *PageSize/Media Size: PickOne
*OrderDependency: 10 AnySetup *PageSize
*DefaultPageSize: A4
*PageSize A4/A4: ""
*PageSize Letter/Letter: ""
*CloseUI: *PageSize
*OpenUI *PageRegion/Media Size: PickOne
*OrderDependency: 10 AnySetup *PageRegion
*DefaultPageRegion: A4
*PageRegion A4/A4: ""
*PageRegion Letter/Letter: ""
*CloseUI: *PageRegion
*DefaultImageableArea: A4
*ImageableArea A4/A4: "18 36 577 806"
*ImageableArea Letter/Letter: "18 36 594 756"
*DefaultPaperDimension: A4
*PaperDimension A4/A4: "595 842"
*PaperDimension Letter/Letter: "612 792"
*DefaultFont: Courier
*Font Courier: Standard "(001.005)" Standard ROM
)PPD";

    QTemporaryDir m_cartella {QDir::temp().filePath(QStringLiteral("contalino-cups-XXXXXX"))};
    QProcess m_cupsd;
    qint64 m_pid = 0;
};
