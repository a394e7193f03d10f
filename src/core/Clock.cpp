#include "core/Clock.h"

#include <QDateTime>
#include <chrono>

uint32_t SystemClock::Tick() const
{
    using namespace std::chrono;
    const auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    return static_cast<uint32_t>(ms * rate_);
}

QDate SystemClock::Today() const { return QDate::currentDate(); }

QTime SystemClock::TimeOfDay() const
{
    const QTime t = QTime::currentTime();
    return QTime(t.hour(), t.minute(), t.second());
}
