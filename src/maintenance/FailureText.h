#pragma once
// A failure as the user sees it, in a window and on the command line alike.
#include "core/ResStrings.h"

#include <QString>

// The text of textId, then the reason on a line of its own when there is one.
inline QString FailureText(int textId, const QString& reason)
{
    return reason.isEmpty() ? LoadResStr(textId) : LoadResStr(textId) + QLatin1Char('\n') + reason;
}
