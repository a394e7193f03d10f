#pragma once
// Stored colours are 0x00BBGGRR (red in the low byte); Qt's are RGB.
#include "core/Config.h"

#include <QColor>

inline QColor ToQColor(TColor c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }
inline TColor FromQColor(const QColor& q)
{
    return static_cast<TColor>(q.red()) | (static_cast<TColor>(q.green()) << 8) | (static_cast<TColor>(q.blue()) << 16);
}
