#include "app/ReportCommand.h"

#include "app/CentralChoice.h"
#include "app/CommandLine.h"
#include "app/ReportOutput.h"
#include "app/Subcommands.h"
#include "central/CentralSettings.h"
#include "central/CentralTexts.h"
#include "central/PgLink.h"
#include "core/DataStore.h"
#include "reports/ReportsTexts.h"
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
    {"central", "Across the chain's sites, on the central server of [Central] Connect=."},
    {"connect", "Across the sites on this central server (a libpq connection string).", "CONNINFO"},
    {"site", "Only this site of the central server (repeatable; default: every site).", "NAME"},
};

bool IsPdf(const QString& out)
{
    return QFileInfo(out).suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) == 0;
}

std::optional<TArgumentError> ReadRequest(const TCommandLine& p, TReportRequest& r)
{
    const QStringList words = p.Positional();
    if (words.size() != 1)
        return TArgumentError{QStringLiteral("report: name one report: staff, position, monthly, yearly, response or sites")};
    if (const auto condition = ReadReportConditions(words.first(), CommandConditions(p), QDate::currentDate(), r))
        return TArgumentError{*condition};
    return std::nullopt;
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
    TCentralChoice central;
    if (!bad)
        bad = ReadCentralChoice(env, p, central);
    if (!bad && request.Kind == TReportKind::Sites && !central.Chosen)
        bad = TArgumentError{QStringLiteral("report sites: ") + LoadResStr(TxtSitesAcrossSitesOnly)};
    const QString out = p.Value(QStringLiteral("out"));
    const bool pdf = IsPdf(out);
    QFile standardOutput;
    TArgumentError sinkError;
    std::unique_ptr<ITableSink> sink;
    if (!bad && !pdf && !(sink = OutputSink(out, env.Formats.Display, standardOutput, sinkError)))
        bad = sinkError;
    if (bad)
        return ReportBadArguments(bad->Text);

    TStatReport report;
    QString error;
    if (central.Chosen) {
        const TCentralTiming timing;
        TPgLink link;
        if (!link.Connect(central.Connect, timing.ConnectTimeoutMs, &error))
            return ReportFailed(LoadResStr(TxtCentralFailed).arg(error));
        if (!RunCentralReport(link, central.Scope, request, timing.ReportTimeoutMs, report, &error))
            return ReportFailed(LoadResStr(TxtReportsStatisticsFailed).arg(error));
    } else {
        TDM_Sys store;
        if (!store.Open(env.DataDir, &error) || !RunReport(store, request, report, &error))
            return ReportFailed(LoadResStr(TxtReportsStatisticsFailed).arg(error));
    }
    const bool written = pdf ? PrintStatReportToPdf(report, out, &error) : WriteStatReport(report, *sink, &error);
    if (!written)
        return ReportFailed(LoadResStr(TxtReportsCannotExport).arg(OutputName(out), error));
    return ExitDone;
}
