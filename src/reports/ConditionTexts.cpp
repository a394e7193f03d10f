#include "reports/ConditionTexts.h"

#include "core/DateFormats.h"
#include "reports/HistoryQuery.h"
#include "reports/StatReports.h"

#include <QRegularExpression>
#include <algorithm>
#include <array>

TConditionTexts::TConditionTexts(std::function<QString(const QString& name)> shown) : shown_(std::move(shown)) {}

void TConditionTexts::Add(const QString& name, const QString& value)
{
    const auto it = std::find_if(given_.begin(), given_.end(), [&](const auto& g) { return g.first == name; });
    if (it == given_.end())
        given_.emplace_back(name, value);
    else
        it->second = value;
}

bool TConditionTexts::IsSet(const QString& name) const
{
    return std::any_of(given_.begin(), given_.end(), [&](const auto& g) { return g.first == name; });
}

QString TConditionTexts::Value(const QString& name) const
{
    for (const auto& [n, value] : given_)
        if (n == name)
            return value;
    return QString();
}

QStringList TConditionTexts::Names() const
{
    QStringList names;
    for (const auto& g : given_)
        names << g.first;
    return names;
}

namespace {

using TError = std::optional<QString>;

// The condition's date; fallback when it is not given.
std::optional<QDate> DateCondition(const TConditionTexts& given, const QString& name, const QDate& fallback,
                                   QString& error)
{
    if (!given.IsSet(name))
        return fallback;
    const QDate date = QDate::fromString(given.Value(name), IsoDateFormat);
    if (!date.isValid()) {
        error = QStringLiteral("%1: '%2' is not a date (yyyy-MM-dd)").arg(given.Shown(name), given.Value(name));
        return std::nullopt;
    }
    return date;
}

// from and to into the two dates, each kept when not given.
TError ReadDates(const TConditionTexts& given, QDate& from, QDate& to)
{
    QString error;
    const auto first = DateCondition(given, QStringLiteral("from"), from, error);
    const auto last = first ? DateCondition(given, QStringLiteral("to"), to, error) : std::nullopt;
    if (!first || !last)
        return error;
    from = *first;
    to = *last;
    return std::nullopt;
}

TError PositionNeedsArea(const TConditionTexts& given)
{
    return QStringLiteral("%1 needs %2 (a position is a point of one area)")
        .arg(given.Shown(QStringLiteral("position")), given.Shown(QStringLiteral("area")));
}

// The first condition given that the command does not take.
TError Unknown(const TConditionTexts& given, const QString& command, const QStringList& taken)
{
    for (const QString& name : given.Names())
        if (!taken.contains(name))
            return QStringLiteral("%1 takes no %2").arg(command, given.Shown(name));
    return std::nullopt;
}

const QStringList PeriodConditions = {QStringLiteral("period"), QStringLiteral("from"), QStringLiteral("to")};

struct TReportName {
    const char* Name;
    QStringList Conditions;
};

const std::array<TReportName, 6>& ReportNames()
{
    static const std::array<TReportName, 6> names = {{
        {"staff", PeriodConditions + QStringList{QStringLiteral("staff")}},
        {"position", PeriodConditions + QStringList{QStringLiteral("area"), QStringLiteral("position")}},
        {"monthly", {QStringLiteral("month")}},
        {"yearly", {QStringLiteral("year")}},
        {"response", PeriodConditions + QStringList{QStringLiteral("by")}},
        {"sites", PeriodConditions},
    }};
    return names;
}

// period or from/to into the request: the named period's kind, or the conditions
// kind with its dates (the period's, today when no period is named, when not given).
TError ReadPeriod(const TConditionTexts& given, TReportRequest& r, TReportKind conditions,
                  const std::array<TReportKind, 3>& periods, bool conditionsAsked)
{
    const QString from = QStringLiteral("from"), to = QStringLiteral("to"), periodName = QStringLiteral("period");
    const bool range = given.IsSet(from) || given.IsSet(to);
    if (range && given.IsSet(periodName))
        return QStringLiteral("%1 and %2/%3 exclude each other")
            .arg(given.Shown(periodName), given.Shown(from), given.Shown(to));
    const QStringList names = {QStringLiteral("today"), QStringLiteral("week"), QStringLiteral("month")};
    const QString period = given.IsSet(periodName) ? given.Value(periodName) : names[0];
    const qsizetype which = names.indexOf(period);
    if (which < 0)
        return QStringLiteral("%1: '%2' is none of today, week, month").arg(given.Shown(periodName), period);
    if (!range && !conditionsAsked) {
        r.Kind = periods[static_cast<size_t>(which)];
        return std::nullopt;
    }
    r.Kind = conditions;
    std::pair<QDate, QDate> bounds = {r.Today, r.Today};
    if (which == 1)
        bounds = WeekBounds(r.Today);
    else if (which == 2)
        bounds = MonthBounds(r.Today);
    r.From = bounds.first;
    r.To = bounds.second;
    return ReadDates(given, r.From, r.To);
}

}  // namespace

TError ReadHistoryConditions(const TConditionTexts& given, const QDate& today, THistoryQuery& q)
{
    q = DefaultHistoryQuery(today);
    if (const TError unknown = Unknown(given, QStringLiteral("history"),
                                       {QStringLiteral("from"), QStringLiteral("to"), QStringLiteral("area"),
                                        QStringLiteral("position"), QStringLiteral("type"), QStringLiteral("server"),
                                        QStringLiteral("state"), QStringLiteral("handler"),
                                        QStringLiteral("service-time")}))
        return unknown;
    if (const TError dates = ReadDates(given, q.SDate, q.EDate))
        return dates;
    q.Area = given.Value(QStringLiteral("area"));
    q.Desktop = given.Value(QStringLiteral("position"));
    q.SvrType = given.Value(QStringLiteral("type"));
    q.SvrPersonnel = given.Value(QStringLiteral("server"));
    q.ProcPersonnel = given.Value(QStringLiteral("handler"));
    if (given.IsSet(QStringLiteral("position")) && q.Area.isEmpty())
        return PositionNeedsArea(given);

    const QString state = given.Value(QStringLiteral("state"));
    const QStringList states = {QStringLiteral("all"), QStringLiteral("answered"), QStringLiteral("timeout")};
    if (given.IsSet(QStringLiteral("state")) && !states.contains(state))
        return QStringLiteral("%1: '%2' is none of all, answered, timeout").arg(given.Shown(QStringLiteral("state")), state);
    q.SvrState = static_cast<uint8_t>(std::max<qsizetype>(0, states.indexOf(state)));

    const QString serviceTime = QStringLiteral("service-time");
    if (given.IsSet(serviceTime)) {
        static const QRegularExpression range(QStringLiteral(R"(^(\d{1,9})-(\d{1,9})$)"));
        const QRegularExpressionMatch m = range.match(given.Value(serviceTime));
        if (!m.hasMatch())
            return QStringLiteral("%1: '%2' is not MIN-MAX in seconds").arg(given.Shown(serviceTime), given.Value(serviceTime));
        q.SvrTimeOn = true;
        q.SSvrTime = m.captured(1).toInt();
        q.ESvrTime = m.captured(2).toInt();
    }
    return std::nullopt;
}

bool IsReportName(const QString& report)
{
    return std::any_of(ReportNames().begin(), ReportNames().end(),
                       [&](const TReportName& n) { return report == QLatin1String(n.Name); });
}

TError ReadReportConditions(const QString& report, const TConditionTexts& given, const QDate& today, TReportRequest& r)
{
    const auto it = std::find_if(ReportNames().begin(), ReportNames().end(),
                                 [&](const TReportName& n) { return report == QLatin1String(n.Name); });
    if (it == ReportNames().end())
        return QStringLiteral("report: unknown report '%1' (staff, position, monthly, yearly, response)").arg(report);
    if (const TError unknown = Unknown(given, QStringLiteral("report ") + report, it->Conditions))
        return unknown;

    // How the caller shows dates is no condition: it stays as given.
    const QString dateFormat = r.DateFormat;
    r = TReportRequest();
    r.DateFormat = dateFormat;
    r.Today = today;
    if (report == QLatin1String("staff")) {
        r.Staff = given.Value(QStringLiteral("staff"));
        return ReadPeriod(given, r, TReportKind::StaffConditions,
                          {TReportKind::StaffToday, TReportKind::StaffWeek, TReportKind::StaffMonth},
                          given.IsSet(QStringLiteral("staff")));
    }
    if (report == QLatin1String("position")) {
        r.Area = given.Value(QStringLiteral("area"));
        r.Position = given.Value(QStringLiteral("position"));
        if (!r.Position.isEmpty() && r.Area.isEmpty())
            return PositionNeedsArea(given);
        return ReadPeriod(given, r, TReportKind::PositionConditions,
                          {TReportKind::PositionToday, TReportKind::PositionWeek, TReportKind::PositionMonth},
                          given.IsSet(QStringLiteral("area")) || given.IsSet(QStringLiteral("position")));
    }
    if (report == QLatin1String("monthly")) {
        const QString month = QStringLiteral("month");
        r.Kind = TReportKind::Monthly;
        r.Month = today;
        if (given.IsSet(month)) {
            r.Month = QDate::fromString(given.Value(month) + QStringLiteral("-01"), IsoDateFormat);
            if (!r.Month.isValid())
                return QStringLiteral("%1: '%2' is not a month (yyyy-MM)").arg(given.Shown(month), given.Value(month));
        }
        return std::nullopt;
    }
    if (report == QLatin1String("yearly")) {
        const QString year = QStringLiteral("year");
        r.Kind = TReportKind::Yearly;
        r.Year = today.year();
        if (given.IsSet(year)) {
            bool ok = false;
            r.Year = given.Value(year).toInt(&ok);
            if (!ok || r.Year < 1 || r.Year > 9999 || given.Value(year).size() != 4)
                return QStringLiteral("%1: '%2' is not a year (yyyy)").arg(given.Shown(year), given.Value(year));
        }
        return std::nullopt;
    }
    if (report == QLatin1String("sites")) {
        const TReportKind sites = TReportKind::Sites;
        return ReadPeriod(given, r, sites, {sites, sites, sites}, true);
    }
    const QStringList groups = {QStringLiteral("staff"), QStringLiteral("position"), QStringLiteral("hour")};
    const QString by = QStringLiteral("by");
    const qsizetype group = groups.indexOf(given.Value(by));
    if (group < 0)
        return QStringLiteral("%1: '%2' is none of staff, position, hour").arg(given.Shown(by), given.Value(by));
    r.By = static_cast<TResponseGroup>(group);
    const TReportKind response = TReportKind::Response;
    return ReadPeriod(given, r, response, {response, response, response}, true);
}
