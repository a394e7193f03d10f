#include "comm/BcdTime.h"
#include "core/DateFormats.h"

#include <QString>

QTime BcdTime(uint8_t hours, uint8_t minutes, uint8_t seconds)
{
    // Each byte's two hex digits are its two decimal digits; a letter digit
    // makes the text unreadable as a time.
    const QString text = QString::asprintf("%02x:%02x:%02x", hours, minutes, seconds);
    const QTime time = QTime::fromString(text, IsoTimeFormat);
    return time.isValid() ? time : QTime(0, 0);
}
