#pragma once
// One run of a back-office command (callstation --data-dir DIR ARGS...) to its end:
// exit status, standard output and standard error.
#include <QProcess>
#include <QStringList>

struct TCommandRun {
    int status = -1;  // -1: crashed or did not end within 60 s
    QString out, err;
};

// stdoutFile: where standard output goes instead of being read back ("/dev/full").
inline TCommandRun RunCallstation(const QString& dataDir, const QStringList& args, const QString& stdoutFile = {})
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("XDG_RUNTIME_DIR"));  // as under cron: Qt has its warning about it
    p.setProcessEnvironment(env);
    if (!stdoutFile.isEmpty())
        p.setStandardOutputFile(stdoutFile);
    p.start(QStringLiteral(STATION_BINARY_DIR "/callstation"), QStringList{"--data-dir", dataDir} + args);
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return {};
    }
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}
