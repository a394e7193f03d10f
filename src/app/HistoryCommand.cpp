#include "app/HistoryCommand.h"

#include "app/CommandLine.h"
#include "app/ReportOutput.h"
#include "app/Subcommands.h"
#include "core/DataStore.h"
#include "core/DateFormats.h"
#include "core/Environment.h"
#include "core/ResStrings.h"
#include "reports/HistoryExport.h"
#include "reports/HistoryQuery.h"
#include "reports/TableSink.h"

#include <QFile>
#include <QRegularExpression>

namespace {

constexpr int HistoryCaption = 1400;

const TOptionSpec Options[] = {
    {"from", "First call date (default: 1 January of this year).", IsoDateFormat.data()},
    {"to", "Last call date (default: today).", IsoDateFormat.data()},
    {"area", "Area (layout name).", "A"},
    {"position", "Position (call point name) within the area.", "P"},
    {"type", "Service type name.", "T"},
    {"server", "Server (staff) name, as stored.", "NAME"},
    {"state", "all, answered or timeout.", "STATE"},
    {"handler", "Processing person, as stored.", "NAME"},
    {"service-time", "Service time range in seconds, bounds included.", "MIN-MAX"},
    {"out", "Write FILE (.xlsx or .csv) instead of CSV on standard output.", "FILE"},
};

std::optional<TArgumentError> ReadConditions(const TCommandLine& p, THistoryQuery& q)
{
    TArgumentError error;
    const auto from = DateOption(p, QStringLiteral("from"), q.SDate, error);
    const auto to = from ? DateOption(p, QStringLiteral("to"), q.EDate, error) : std::nullopt;
    if (!from || !to)
        return error;
    q.SDate = *from;
    q.EDate = *to;
    q.Area = p.Value(QStringLiteral("area"));
    q.Desktop = p.Value(QStringLiteral("position"));
    q.SvrType = p.Value(QStringLiteral("type"));
    q.SvrPersonnel = p.Value(QStringLiteral("server"));
    q.ProcPersonnel = p.Value(QStringLiteral("handler"));
    if (p.IsSet(QStringLiteral("position")) && q.Area.isEmpty())
        return TArgumentError{QStringLiteral("--position needs --area (a position is a point of one area)")};

    const QString state = p.Value(QStringLiteral("state"));
    const QStringList states = {QStringLiteral("all"), QStringLiteral("answered"), QStringLiteral("timeout")};
    if (p.IsSet(QStringLiteral("state")) && !states.contains(state))
        return TArgumentError{QStringLiteral("--state: '%1' is none of all, answered, timeout").arg(state)};
    q.SvrState = static_cast<uint8_t>(std::max<qsizetype>(0, states.indexOf(state)));

    if (p.IsSet(QStringLiteral("service-time"))) {
        static const QRegularExpression range(QStringLiteral(R"(^(\d{1,9})-(\d{1,9})$)"));
        const QRegularExpressionMatch m = range.match(p.Value(QStringLiteral("service-time")));
        if (!m.hasMatch())
            return TArgumentError{QStringLiteral("--service-time: '%1' is not MIN-MAX in seconds")
                                      .arg(p.Value(QStringLiteral("service-time")))};
        q.SvrTimeOn = true;
        q.SSvrTime = m.captured(1).toInt();
        q.ESvrTime = m.captured(2).toInt();
    }
    return std::nullopt;
}

}  // namespace

int RunHistoryCommand(const TEnvironment& env, const QStringList& args)
{
    TCommandLine p("history", Options);
    if (const auto end = p.Parse(args, env.DataDir))
        return *end;
    THistoryQuery query = DefaultHistoryQuery(QDate::currentDate());
    std::optional<TArgumentError> bad;
    if (!p.Positional().isEmpty())
        bad = TArgumentError{QStringLiteral("history: unexpected argument %1").arg(p.Positional().first())};
    if (!bad)
        bad = ReadConditions(p, query);
    QFile standardOutput;
    TArgumentError sinkError;
    std::unique_ptr<ITableSink> sink;
    if (!bad && !(sink = OutputSink(p.Value(QStringLiteral("out")), env.Formats.Display, standardOutput, sinkError)))
        bad = sinkError;
    if (bad)
        return ReportBadArguments(bad->Text);

    TDM_Sys store;
    QString error;
    if (!store.Open(env.DataDir, &error))
        return ReportFailed(LoadResStr(3119).arg(error));
    switch (WriteHistory(store, query, env.StateTexts, env.Formats.Display, *sink, LoadResStr(HistoryCaption), {}, &error)) {
    case TExportResult::Done:
        return ExitDone;
    case TExportResult::WriteFailed:
        return ReportFailed(LoadResStr(3118).arg(OutputName(p.Value(QStringLiteral("out"))), error));
    case TExportResult::ReadFailed:
    case TExportResult::Cancelled:
        break;
    }
    return ReportFailed(LoadResStr(3119).arg(error));
}
