#pragma once
// The fixed date and time formats, spelled once: how the data store, the call
// journal and exported files keep dates and times, how the commands take them, and
// the time of day the station shows; and the date formats shown to the user, which
// follow the system.
#include <QLatin1String>
#include <QString>

inline constexpr QLatin1String IsoDateFormat("yyyy-MM-dd");
inline constexpr QLatin1String IsoTimeFormat("HH:mm:ss");
inline constexpr QLatin1String IsoDateTimeFormat("yyyy-MM-dd HH:mm:ss");
inline constexpr QLatin1String MonthFormat("yyyy-MM");
inline constexpr QLatin1String YearFormat("yyyy");

struct TDateFormats {
    QString Display = IsoDateFormat;  // call dates, the clock, report periods and exports
    QString Picker = IsoDateFormat;   // date pickers of the history, statistics and cleanup dialogs
};

// ISO order on a simplified Chinese system, day first otherwise.
inline TDateFormats SystemDateFormats(bool chineseCodePage)
{
    const QString format = chineseCodePage ? QString(IsoDateFormat) : QStringLiteral("dd/MM/yyyy");
    return {format, format};
}
