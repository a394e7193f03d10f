#pragma once
// The fixed date and time formats, spelled once: how the data store, the call
// journal and exported files keep dates and times, how the commands take them, and
// the time of day the station shows. The display and picker date formats, which
// follow the system, are in core/Paths.h.
#include <QLatin1String>

inline constexpr QLatin1String IsoDateFormat("yyyy-MM-dd");
inline constexpr QLatin1String IsoTimeFormat("HH:mm:ss");
inline constexpr QLatin1String IsoDateTimeFormat("yyyy-MM-dd HH:mm:ss");
inline constexpr QLatin1String MonthFormat("yyyy-MM");
inline constexpr QLatin1String YearFormat("yyyy");
