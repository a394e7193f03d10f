#pragma once
// Starting the station with the operating system: the Run value "QORA" on Windows, an XDG autostart
// entry elsewhere.
#include <QString>
#include <QStringList>

// The command that starts this station on dataDir: the executable, then --data-dir DIR when dataDir
// is not the default one beside it.
QStringList AutoRunCommand(const QString& dataDir);

// Writes (on) or removes (off) the start entry for command. A place that cannot be written leaves the
// entry as it was, silently.
void SetAutoRun(bool on, const QStringList& command);

#ifndef Q_OS_WIN
// The autostart entry: $XDG_CONFIG_HOME/autostart/callstation.desktop (~/.config when unset).
QString AutoStartEntryPath();
// The Exec value of a desktop entry running command, every argument quoted as desktop entries require.
QString DesktopExecLine(const QStringList& command);
#endif
