#include "core/LogCategories.h"

Q_LOGGING_CATEGORY(LogCore, "callstation.core", QtWarningMsg)
Q_LOGGING_CATEGORY(LogComm, "callstation.comm", QtWarningMsg)
Q_LOGGING_CATEGORY(LogMainWindow, "callstation.mainwindow", QtWarningMsg)
