#include "app/ReportCommand.h"

#include "app/CommandLine.h"
#include "app/ReportOutput.h"
#include "app/Subcommands.h"
#include "core/DataStore.h"
#include "core/DateFormats.h"
#include "core/Environment.h"
#include "core/ResStrings.h"
#include "reports/StatReports.h"
#include "reports/TableSink.h"
#include "reports/ui/StatPrint.h"

#include <QFile>
#include <QFileInfo>

namespace {

const TOptionSpec Options[] = {
    {"period", "today, week or month.", "PERIOD"},
    {"from", "First call date.", IsoDateFormat.data()},
    {"to", "Last call date.", IsoDateFormat.data()},
    {"staff", "One staff member.", "NAME"},
    {"area", "One area.", "A"},
    {"position", "One position of the area.", "P"},
    {"month", "The month of the monthly summary.", MonthFormat.data()},
    {"year", "The year of the yearly summary.", YearFormat.data()},
    {"by", "Response times by staff, position or hour.", "GROUP"},
    {"out", "Write FILE (.xlsx, .csv, or the print-out as .pdf) instead of CSV on standard output.", "FILE"},
};

bool IsPdf(const QString& out)
{
    return QFileInfo(out).suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) == 0;
}

// Which options each kind of report takes.
const QStringList PeriodOptions = {QStringLiteral("period"), QStringLiteral("from"), QStringLiteral("to")};

struct TKind {
    const char* Name;
    QStringList Options;
};

const std::vector<TKind>& Kinds()
{
    static const std::vector<TKind> kinds = {
        {"staff", PeriodOptions + QStringList{QStringLiteral("staff")}},
        {"position", PeriodOptions + QStringList{QStringLiteral("area"), QStringLiteral("position")}},
        {"monthly", {QStringLiteral("month")}},
        {"yearly", {QStringLiteral("year")}},
        {"response", PeriodOptions + QStringList{QStringLiteral("by")}},
    };
    return kinds;
}

// --period or --from/--to into the request: the named period's kind, or the
// conditions kind with its dates (today when not given).
std::optional<TArgumentError> ReadPeriod(const TCommandLine& p, TReportRequest& r, TReportKind conditions,
                                         const std::array<TReportKind, 3>& periods, bool conditionsAsked)
{
    const bool range = p.IsSet(QStringLiteral("from")) || p.IsSet(QStringLiteral("to"));
    if (range && p.IsSet(QStringLiteral("period")))
        return TArgumentError{QStringLiteral("--period and --from/--to exclude each other")};
    const QStringList names = {QStringLiteral("today"), QStringLiteral("week"), QStringLiteral("month")};
    const QString period = p.IsSet(QStringLiteral("period")) ? p.Value(QStringLiteral("period")) : names[0];
    const qsizetype which = names.indexOf(period);
    if (which < 0)
        return TArgumentError{QStringLiteral("--period: '%1' is none of today, week, month").arg(period)};
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
    TArgumentError error;
    const auto from = DateOption(p, QStringLiteral("from"), bounds.first, error);
    const auto to = from ? DateOption(p, QStringLiteral("to"), bounds.second, error) : std::nullopt;
    if (!from || !to)
        return error;
    r.From = *from;
    r.To = *to;
    return std::nullopt;
}

std::optional<TArgumentError> ReadRequest(const TCommandLine& p, TReportRequest& r)
{
    const QStringList words = p.Positional();
    if (words.size() != 1)
        return TArgumentError{QStringLiteral("report: name one report: staff, position, monthly, yearly or response")};
    const QString kind = words.first();
    const auto it = std::find_if(Kinds().begin(), Kinds().end(), [&](const TKind& k) { return kind == QLatin1String(k.Name); });
    if (it == Kinds().end())
        return TArgumentError{QStringLiteral("report: unknown report '%1' (staff, position, monthly, yearly, response)").arg(kind)};
    for (const QString& option : p.OptionsGiven()) {
        if (option != QLatin1String("out") && !it->Options.contains(option))
            return TArgumentError{QStringLiteral("report %1 takes no --%2").arg(kind, option)};
    }

    r.Today = QDate::currentDate();
    if (kind == QLatin1String("staff")) {
        r.Staff = p.Value(QStringLiteral("staff"));
        return ReadPeriod(p, r, TReportKind::StaffConditions,
                          {TReportKind::StaffToday, TReportKind::StaffWeek, TReportKind::StaffMonth},
                          p.IsSet(QStringLiteral("staff")));
    }
    if (kind == QLatin1String("position")) {
        r.Area = p.Value(QStringLiteral("area"));
        r.Position = p.Value(QStringLiteral("position"));
        if (!r.Position.isEmpty() && r.Area.isEmpty())
            return TArgumentError{QStringLiteral("--position needs --area (a position is a point of one area)")};
        return ReadPeriod(p, r, TReportKind::PositionConditions,
                          {TReportKind::PositionToday, TReportKind::PositionWeek, TReportKind::PositionMonth},
                          p.IsSet(QStringLiteral("area")) || p.IsSet(QStringLiteral("position")));
    }
    if (kind == QLatin1String("monthly")) {
        r.Kind = TReportKind::Monthly;
        r.Month = r.Today;
        if (p.IsSet(QStringLiteral("month"))) {
            r.Month = QDate::fromString(p.Value(QStringLiteral("month")) + QStringLiteral("-01"), IsoDateFormat);
            if (!r.Month.isValid())
                return TArgumentError{QStringLiteral("--month: '%1' is not a month (yyyy-MM)").arg(p.Value(QStringLiteral("month")))};
        }
        return std::nullopt;
    }
    if (kind == QLatin1String("yearly")) {
        r.Kind = TReportKind::Yearly;
        r.Year = r.Today.year();
        if (p.IsSet(QStringLiteral("year"))) {
            bool ok = false;
            r.Year = p.Value(QStringLiteral("year")).toInt(&ok);
            if (!ok || r.Year < 1 || r.Year > 9999 || p.Value(QStringLiteral("year")).size() != 4)
                return TArgumentError{QStringLiteral("--year: '%1' is not a year (yyyy)").arg(p.Value(QStringLiteral("year")))};
        }
        return std::nullopt;
    }
    const QStringList groups = {QStringLiteral("staff"), QStringLiteral("position"), QStringLiteral("hour")};
    const qsizetype by = groups.indexOf(p.Value(QStringLiteral("by")));
    if (by < 0)
        return TArgumentError{QStringLiteral("--by: '%1' is none of staff, position, hour").arg(p.Value(QStringLiteral("by")))};
    r.By = static_cast<TResponseGroup>(by);
    const TReportKind response = TReportKind::Response;
    return ReadPeriod(p, r, response, {response, response, response}, true);
}

}  // namespace

bool ReportDraws(const QStringList& args)
{
    TCommandLine line("report", Options);
    return line.ParseQuietly(args) && IsPdf(line.Value(QStringLiteral("out")));
}

int RunReportCommand(const TEnvironment& env, const QStringList& args)
{
    TCommandLine p("report", Options);
    if (const auto end = p.Parse(args, env.DataDir))
        return *end;
    TReportRequest request;
    request.DateFormat = env.Formats.Display;
    std::optional<TArgumentError> bad = ReadRequest(p, request);
    const QString out = p.Value(QStringLiteral("out"));
    const bool pdf = IsPdf(out);
    QFile standardOutput;
    TArgumentError sinkError;
    std::unique_ptr<ITableSink> sink;
    if (!bad && !pdf && !(sink = OutputSink(out, env.Formats.Display, standardOutput, sinkError)))
        bad = sinkError;
    if (bad)
        return ReportBadArguments(bad->Text);

    TDM_Sys store;
    TStatReport report;
    QString error;
    if (!store.Open(env.DataDir, &error) || !RunReport(store, request, report, &error))
        return ReportFailed(LoadResStr(3121).arg(error));
    const bool written = pdf ? PrintStatReportToPdf(report, out, &error) : WriteStatReport(report, *sink, &error);
    if (!written)
        return ReportFailed(LoadResStr(3118).arg(OutputName(out), error));
    return ExitDone;
}
