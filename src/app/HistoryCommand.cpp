#include "app/HistoryCommand.h"

#include "app/CentralChoice.h"
#include "app/CommandLine.h"
#include "app/ReportOutput.h"
#include "app/Subcommands.h"
#include "central/CentralSettings.h"
#include "central/CentralTexts.h"
#include "central/PgLink.h"
#include "core/DataStore.h"
#include "core/DateFormats.h"
#include "core/Environment.h"
#include "core/ResStrings.h"
#include "reports/HistoryExport.h"
#include "reports/HistoryQuery.h"
#include "reports/TableSink.h"

#include <QFile>

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
    {"central", "Across the chain's sites, on the central server of [Central] Connect=."},
    {"connect", "Across the sites on this central server (a libpq connection string).", "CONNINFO"},
    {"site", "Only this site of the central server (repeatable; default: every site).", "NAME"},
};

}  // namespace

int RunHistoryCommand(const TEnvironment& env, const QStringList& args)
{
    TCommandLine p("history", Options);
    if (const auto end = p.Parse(args, env.DataDir))
        return *end;
    THistoryQuery query;
    std::optional<TArgumentError> bad;
    if (!p.Positional().isEmpty())
        bad = TArgumentError{QStringLiteral("history: unexpected argument %1").arg(p.Positional().first())};
    else if (const auto condition = ReadHistoryConditions(CommandConditions(p), QDate::currentDate(), query))
        bad = TArgumentError{*condition};
    TCentralChoice central;
    if (!bad)
        bad = ReadCentralChoice(env, p, central);
    QFile standardOutput;
    TArgumentError sinkError;
    std::unique_ptr<ITableSink> sink;
    if (!bad && !(sink = OutputSink(p.Value(QStringLiteral("out")), env.Formats.Display, standardOutput, sinkError)))
        bad = sinkError;
    if (bad)
        return ReportBadArguments(bad->Text);

    QString error;
    TExportResult result = TExportResult::ReadFailed;
    if (central.Chosen) {
        const TCentralTiming timing;
        TPgLink link;
        if (!link.Connect(central.Connect, timing.ConnectTimeoutMs, &error))
            return ReportFailed(LoadResStr(TxtCentralFailed).arg(error));
        result = WriteCentralHistory(link, central.Scope, query, env.StateTexts, env.Formats.Display, *sink,
                                     LoadResStr(HistoryCaption), timing.ReportTimeoutMs, &error);
    } else {
        TDM_Sys store;
        if (store.Open(env.DataDir, &error))
            result = WriteHistory(store, query, env.StateTexts, env.Formats.Display, *sink, LoadResStr(HistoryCaption), {},
                                  &error);
    }
    switch (result) {
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
