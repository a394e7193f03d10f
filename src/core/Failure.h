#pragma once
// The one rule for a QString* error out-parameter: a caller that does not want the text
// passes null. Fail puts the text there when asked and returns false, so a failing step
// can return it.
#include <QString>

inline bool Fail(QString* error, const QString& text)
{
    if (error)
        *error = text;
    return false;
}
