#pragma once
// The receiver simulator (tools/receiver-sim) as a child process on a
// pseudo-terminal: commands go to its standard input, its report lines are read back.
#include "ProcessLines.h"

#include <QProcess>
#include <QStringList>

class SimProcess {
public:
    SimProcess() : out_(p_) {}
    ~SimProcess()
    {
        p_.kill();
        p_.waitForFinished(2000);
    }
    // Starts it with extra arguments; pty gets the device the station is to open.
    bool Start(QString* pty, const QStringList& args = {})
    {
        p_.start(QStringLiteral(STATION_BINARY_DIR "/tools/receiver-sim/receiver-sim"),
                 QStringList{QStringLiteral("--pty")} + args);
        QString line;
        if (!p_.waitForStarted(5000) || !out_.WaitFor(QStringLiteral("PTY "), 5000, &line))
            return false;
        *pty = line.section(' ', 1).trimmed();
        return true;
    }
    void Send(const QString& command)
    {
        p_.write((command + QLatin1Char('\n')).toUtf8());
        p_.waitForBytesWritten(1000);
    }
    ProcessLines& Out() { return out_; }
    QProcess& Process() { return p_; }

private:
    QProcess p_;
    ProcessLines out_;
};
