#pragma once
// A throwaway PostgreSQL server for tests: initdb and pg_ctl in a temporary directory, on a free TCP
// port of 127.0.0.1, password authentication for TCP (so a wrong password is refused). PostgreSQL
// refuses to run as root: then the server runs as the system user postgres, which owns the directory.
// Skip reason when the server binaries are missing.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTemporaryDir>
#include <memory>
#include <csignal>
#include <unistd.h>

class TPgServer {
public:
    static constexpr const char* User = "station";
    static constexpr const char* Password = "secret";

    // Starts a new server; null (and why) when it cannot.
    static std::unique_ptr<TPgServer> Start(QString* why)
    {
        const QString bin = BinDir();
        if (bin.isEmpty()) {
            *why = QStringLiteral("PostgreSQL server binaries (initdb, pg_ctl) not installed");
            return nullptr;
        }
        auto server = std::unique_ptr<TPgServer>(new TPgServer(bin));
        if (!server->Init(why) || !server->Up(why))
            return nullptr;
        return server;
    }
    ~TPgServer() { Down(); }

    int Port() const { return port_; }
    QString ConnInfo(const QString& password = QString::fromLatin1(Password)) const
    {
        return QStringLiteral("host=127.0.0.1 port=%1 dbname=postgres user=%2 password=%3")
            .arg(port_)
            .arg(QString::fromLatin1(User), password);
    }
    // Stops the server (fast shutdown: sessions are cut) and starts it again on the same port.
    bool Down()
    {
        if (running_)
            running_ = !Run({bin_ + "/pg_ctl", "-D", data_, "-m", "fast", "-w", "stop"});
        return !running_;
    }
    bool Up(QString* why = nullptr)
    {
        running_ = Run({bin_ + "/pg_ctl", "-D", data_, "-w", "-t", "30", "-l", dir_.filePath("log"), "-o",
                        QStringLiteral("-p %1 -k %2 -c listen_addresses=127.0.0.1 -c fsync=off").arg(port_).arg(dir_.path()),
                        "start"},
                       why);
        return running_;
    }
    // Stops (SIGSTOP) or continues (SIGCONT) the server and its sessions: a server that hangs.
    void Pause(bool paused) const
    {
        QFile pidFile(data_ + "/postmaster.pid");
        if (!pidFile.open(QIODevice::ReadOnly))
            return;
        const qint64 postmaster = pidFile.readLine().trimmed().toLongLong();
        QList<qint64> pids{postmaster};
        for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
            QFile stat(QStringLiteral("/proc/%1/stat").arg(entry));
            if (stat.open(QIODevice::ReadOnly)
                && stat.readAll().split(')').last().trimmed().split(' ').value(1).toLongLong() == postmaster)
                pids << entry.toLongLong();
        }
        for (const qint64 pid : pids)
            ::kill(static_cast<pid_t>(pid), paused ? SIGSTOP : SIGCONT);
    }
    // Runs SQL through psql as the test user; the output, or a null string on failure.
    QString Psql(const QString& sql) const
    {
        QProcess p;
        p.setEnvironment(QProcess::systemEnvironment() << QStringLiteral("PGPASSWORD=%1").arg(Password));
        p.start(QStringLiteral("psql"), {"-X", "-q", "-t", "-A", "-v", "ON_ERROR_STOP=1", "-h", "127.0.0.1", "-p",
                                         QString::number(port_), "-U", User, "-d", "postgres", "-c", sql});
        if (!p.waitForFinished(30000) || p.exitCode() != 0)
            return QString();
        return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    }

private:
    explicit TPgServer(QString bin) : bin_(std::move(bin)), data_(dir_.filePath("data")) {}

    static QString BinDir()
    {
        for (const QString& v : QDir(QStringLiteral("/usr/lib/postgresql")).entryList(QDir::Dirs | QDir::NoDotAndDotDot,
                                                                                      QDir::Name | QDir::Reversed))
            if (QFile::exists(QStringLiteral("/usr/lib/postgresql/%1/bin/pg_ctl").arg(v)))
                return QStringLiteral("/usr/lib/postgresql/%1/bin").arg(v);
        return QStandardPaths::findExecutable(QStringLiteral("pg_ctl")).isEmpty()
                   ? QString()
                   : QFileInfo(QStandardPaths::findExecutable(QStringLiteral("pg_ctl"))).path();
    }
    static int FreePort()
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        return probe.serverPort();
    }

    bool Init(QString* why)
    {
        port_ = FreePort();
        QFile pw(dir_.filePath("pw"));
        if (!pw.open(QIODevice::WriteOnly) || pw.write(Password) < 0)
            return false;
        pw.close();
        if (geteuid() == 0 && !Chown(why))
            return false;
        return Run({bin_ + "/initdb", "-D", data_, "-U", User, "--pwfile", dir_.filePath("pw"), "--auth-local=trust",
                    "--auth-host=scram-sha-256", "-E", "UTF8", "--locale=C.UTF-8", "--no-sync"},
                   why);
    }
    bool Chown(QString* why)
    {
        QProcess p;
        p.start(QStringLiteral("chown"), {"-R", "postgres:postgres", dir_.path()});
        if (p.waitForFinished(10000) && p.exitCode() == 0)
            return true;
        *why = QStringLiteral("running as root and there is no user postgres to run the server");
        return false;
    }
    // Runs a server program, as the user postgres when root.
    bool Run(QStringList command, QString* why = nullptr) const
    {
        if (geteuid() == 0)
            command = QStringList{"-u", "postgres", "--"} + command;
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(geteuid() == 0 ? QStringLiteral("runuser") : command.takeFirst(), command);
        const bool ok = p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
        if (!ok && why)
            *why = QString::fromLocal8Bit(p.readAll());
        return ok;
    }

    QTemporaryDir dir_;
    QString bin_;
    QString data_;
    int port_ = 0;
    bool running_ = false;
};
