#include "app/ReportCommand.h"

#include "app/ReportOutput.h"
#include "app/Subcommands.h"
#include "core/DataStore.h"
#include "core/Paths.h"
#include "core/ResStrings.h"
#include "reports/StatReports.h"
#include "reports/TableSink.h"
#include "reports/ui/StatPrint.h"

#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>

namespace {

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
std::optional<TArgumentError> ReadPeriod(const QCommandLineParser& p, TReportRequest& r, TReportKind conditions,
                                         const std::array<TReportKind, 3>& periods, bool conditionsAsked)
{
    const bool range = p.isSet(QStringLiteral("from")) || p.isSet(QStringLiteral("to"));
    if (range && p.isSet(QStringLiteral("period")))
        return TArgumentError{QStringLiteral("--period and --from/--to exclude each other")};
    const QStringList names = {QStringLiteral("today"), QStringLiteral("week"), QStringLiteral("month")};
    const QString period = p.isSet(QStringLiteral("period")) ? p.value(QStringLiteral("period")) : names[0];
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

std::optional<TArgumentError> ReadRequest(const QCommandLineParser& p, TReportRequest& r)
{
    const QStringList words = p.positionalArguments();
    if (words.size() != 1)
        return TArgumentError{QStringLiteral("report: name one report: staff, position, monthly, yearly or response")};
    const QString kind = words.first();
    const auto it = std::find_if(Kinds().begin(), Kinds().end(), [&](const TKind& k) { return kind == QLatin1String(k.Name); });
    if (it == Kinds().end())
        return TArgumentError{QStringLiteral("report: unknown report '%1' (staff, position, monthly, yearly, response)").arg(kind)};
    for (const QString& option : p.optionNames()) {
        if (option != QLatin1String("out") && !it->Options.contains(option))
            return TArgumentError{QStringLiteral("report %1 takes no --%2").arg(kind, option)};
    }

    r.Today = QDate::currentDate();
    if (kind == QLatin1String("staff")) {
        r.Staff = p.value(QStringLiteral("staff"));
        return ReadPeriod(p, r, TReportKind::StaffConditions,
                          {TReportKind::StaffToday, TReportKind::StaffWeek, TReportKind::StaffMonth},
                          p.isSet(QStringLiteral("staff")));
    }
    if (kind == QLatin1String("position")) {
        r.Area = p.value(QStringLiteral("area"));
        r.Position = p.value(QStringLiteral("position"));
        if (!r.Position.isEmpty() && r.Area.isEmpty())
            return TArgumentError{QStringLiteral("--position needs --area (a position is a point of one area)")};
        return ReadPeriod(p, r, TReportKind::PositionConditions,
                          {TReportKind::PositionToday, TReportKind::PositionWeek, TReportKind::PositionMonth},
                          p.isSet(QStringLiteral("area")) || p.isSet(QStringLiteral("position")));
    }
    if (kind == QLatin1String("monthly")) {
        r.Kind = TReportKind::Monthly;
        r.Month = r.Today;
        if (p.isSet(QStringLiteral("month"))) {
            r.Month = QDate::fromString(p.value(QStringLiteral("month")) + QStringLiteral("-01"), QStringLiteral("yyyy-MM-dd"));
            if (!r.Month.isValid())
                return TArgumentError{QStringLiteral("--month: '%1' is not a month (yyyy-MM)").arg(p.value(QStringLiteral("month")))};
        }
        return std::nullopt;
    }
    if (kind == QLatin1String("yearly")) {
        r.Kind = TReportKind::Yearly;
        r.Year = r.Today.year();
        if (p.isSet(QStringLiteral("year"))) {
            bool ok = false;
            r.Year = p.value(QStringLiteral("year")).toInt(&ok);
            if (!ok || r.Year < 1 || r.Year > 9999 || p.value(QStringLiteral("year")).size() != 4)
                return TArgumentError{QStringLiteral("--year: '%1' is not a year (yyyy)").arg(p.value(QStringLiteral("year")))};
        }
        return std::nullopt;
    }
    const QStringList groups = {QStringLiteral("staff"), QStringLiteral("position"), QStringLiteral("hour")};
    const qsizetype by = groups.indexOf(p.value(QStringLiteral("by")));
    if (by < 0)
        return TArgumentError{QStringLiteral("--by: '%1' is none of staff, position, hour").arg(p.value(QStringLiteral("by")))};
    r.By = static_cast<TResponseGroup>(by);
    const TReportKind response = TReportKind::Response;
    return ReadPeriod(p, r, response, {response, response, response}, true);
}

}  // namespace

int RunReportCommand(const QStringList& args)
{
    QCommandLineParser p;
    AddValueOptions(p, {
        {"period", "today, week or month.", "PERIOD"},
        {"from", "First call date.", "yyyy-MM-dd"},
        {"to", "Last call date.", "yyyy-MM-dd"},
        {"staff", "One staff member.", "NAME"},
        {"area", "One area.", "A"},
        {"position", "One position of the area.", "P"},
        {"month", "The month of the monthly summary.", "yyyy-MM"},
        {"year", "The year of the yearly summary.", "yyyy"},
        {"by", "Response times by staff, position or hour.", "GROUP"},
        {"out", "Write FILE (.xlsx, .csv, or the print-out as .pdf) instead of CSV on standard output.", "FILE"},
    });

    TReportRequest request;
    std::optional<TArgumentError> bad = ParseArguments(p, QStringLiteral("report"), args);
    if (!bad)
        bad = ReadRequest(p, request);
    if (!bad)
        bad = CheckDataDir();
    const QString out = p.value(QStringLiteral("out"));
    const bool pdf = QFileInfo(out).suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) == 0;
    QFile standardOutput;
    TArgumentError sinkError;
    std::unique_ptr<ITableSink> sink;
    if (!bad && !pdf && !(sink = OutputSink(out, standardOutput, sinkError)))
        bad = sinkError;
    if (bad) {
        SayError(bad->Text);
        return ExitBadArguments;
    }

    TDM_Sys store;
    TStatReport report;
    QString error;
    if (!store.Open(DataDir, &error) || !RunReport(store, request, report, &error)) {
        SayError(LoadResStr(3121).arg(error));
        return ExitFailed;
    }
    const bool written = pdf ? PrintStatReportToPdf(report, out, &error) : WriteStatReport(report, *sink, &error);
    if (!written) {
        SayError(LoadResStr(3118).arg(out.isEmpty() ? QStringLiteral("-") : out, error));
        return ExitFailed;
    }
    return ExitDone;
}
