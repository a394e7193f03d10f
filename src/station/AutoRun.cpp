#include "station/AutoRun.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>

QStringList AutoRunCommand(const QString& dataDir)
{
    QStringList command{QDir::toNativeSeparators(QCoreApplication::applicationFilePath())};
    const QString defaultDir = QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/Data"));
    if (!dataDir.isEmpty() && dataDir != defaultDir)
        command << QStringLiteral("--data-dir") << QDir::toNativeSeparators(dataDir);
    return command;
}

#ifdef Q_OS_WIN

namespace {

QString QuoteWindowsArg(const QString& arg)
{
    return arg.contains(QLatin1Char(' ')) ? QLatin1Char('"') + arg + QLatin1Char('"') : arg;
}

}  // namespace

void SetAutoRun(bool on, const QStringList& command)
{
    // The key exists on every Windows system; without rights the write fails and nothing changes.
    QSettings run(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run"),
                  QSettings::NativeFormat);
    if (on) {
        QStringList quoted;
        for (const QString& arg : command)
            quoted << (command.size() > 1 ? QuoteWindowsArg(arg) : arg);
        run.setValue(QStringLiteral("QORA"), quoted.join(QLatin1Char(' ')));
    } else if (run.contains(QStringLiteral("QORA"))) {
        run.remove(QStringLiteral("QORA"));
    }
    run.sync();
}

#else

QString AutoStartEntryPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + QStringLiteral("/autostart/callstation.desktop");
}

QString DesktopExecLine(const QStringList& command)
{
    QStringList args;
    for (const QString& arg : command) {
        QString quoted;
        for (const QChar c : arg) {
            if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
                quoted += QLatin1Char('\\');
            quoted += c;
        }
        // The value itself is an escaped string (backslash doubled) where % starts a field code.
        quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
        quoted.replace(QLatin1Char('%'), QStringLiteral("%%"));
        args << QLatin1Char('"') + quoted + QLatin1Char('"');
    }
    return args.join(QLatin1Char(' '));
}

void SetAutoRun(bool on, const QStringList& command)
{
    const QString path = AutoStartEntryPath();
    if (!on) {
        QFile::remove(path);
        return;
    }
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return;
    const QString entry = QStringLiteral("[Desktop Entry]\n"
                                         "Type=Application\n"
                                         "Name=QORA\n"
                                         "Exec=%1\n"
                                         "Terminal=false\n"
                                         "X-GNOME-Autostart-enabled=true\n")
                              .arg(DesktopExecLine(command));
    file.write(entry.toUtf8());
    file.commit();
}

#endif
