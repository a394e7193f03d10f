#pragma once
// The station's logging categories, one per subsystem that writes to the log.
// Warnings show by default; the debug lines (each frame dropped, bytes skipped,
// acknowledgements not written) only when asked for, for example
//     QT_LOGGING_RULES="callstation.comm.debug=true" callstation --headless
#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(LogCore)        // callstation.core: settings file, data store, text codec
Q_DECLARE_LOGGING_CATEGORY(LogComm)        // callstation.comm: the receive path
Q_DECLARE_LOGGING_CATEGORY(LogMainWindow)  // callstation.mainwindow
