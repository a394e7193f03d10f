#include "app/HistoryCommand.h"

#include "app/ReportOutput.h"
#include "app/Subcommands.h"
#include "core/Config.h"
#include "core/DataStore.h"
#include "core/Paths.h"
#include "core/ResStrings.h"
#include "reports/HistoryExport.h"
#include "reports/HistoryQuery.h"
#include "reports/TableSink.h"

#include <QCommandLineParser>
#include <QFile>
#include <QRegularExpression>

namespace {

constexpr int HistoryCaption = 1400;

std::optional<TArgumentError> ReadConditions(const QCommandLineParser& p, THistoryQuery& q)
{
    TArgumentError error;
    const auto from = DateOption(p, QStringLiteral("from"), q.SDate, error);
    const auto to = from ? DateOption(p, QStringLiteral("to"), q.EDate, error) : std::nullopt;
    if (!from || !to)
        return error;
    q.SDate = *from;
    q.EDate = *to;
    q.Area = p.value(QStringLiteral("area"));
    q.Desktop = p.value(QStringLiteral("position"));
    q.SvrType = p.value(QStringLiteral("type"));
    q.SvrPersonnel = p.value(QStringLiteral("server"));
    q.ProcPersonnel = p.value(QStringLiteral("handler"));
    if (p.isSet(QStringLiteral("position")) && q.Area.isEmpty())
        return TArgumentError{QStringLiteral("--position needs --area (a position is a point of one area)")};

    const QString state = p.value(QStringLiteral("state"));
    const QStringList states = {QStringLiteral("all"), QStringLiteral("answered"), QStringLiteral("timeout")};
    if (p.isSet(QStringLiteral("state")) && !states.contains(state))
        return TArgumentError{QStringLiteral("--state: '%1' is none of all, answered, timeout").arg(state)};
    q.SvrState = static_cast<uint8_t>(std::max<qsizetype>(0, states.indexOf(state)));

    if (p.isSet(QStringLiteral("service-time"))) {
        static const QRegularExpression range(QStringLiteral(R"(^(\d{1,9})-(\d{1,9})$)"));
        const QRegularExpressionMatch m = range.match(p.value(QStringLiteral("service-time")));
        if (!m.hasMatch())
            return TArgumentError{QStringLiteral("--service-time: '%1' is not MIN-MAX in seconds")
                                      .arg(p.value(QStringLiteral("service-time")))};
        q.SvrTimeOn = true;
        q.SSvrTime = m.captured(1).toInt();
        q.ESvrTime = m.captured(2).toInt();
    }
    return std::nullopt;
}

}  // namespace

int RunHistoryCommand(const QStringList& args)
{
    QCommandLineParser p;
    AddValueOptions(p, {
        {"from", "First call date (default: 1 January of this year).", "yyyy-MM-dd"},
        {"to", "Last call date (default: today).", "yyyy-MM-dd"},
        {"area", "Area (layout name).", "A"},
        {"position", "Position (call point name) within the area.", "P"},
        {"type", "Service type name.", "T"},
        {"server", "Server (staff) name, as stored.", "NAME"},
        {"state", "all, answered or timeout.", "STATE"},
        {"handler", "Processing person, as stored.", "NAME"},
        {"service-time", "Service time range in seconds, bounds included.", "MIN-MAX"},
        {"out", "Write FILE (.xlsx or .csv) instead of CSV on standard output.", "FILE"},
    });

    THistoryQuery query = DefaultHistoryQuery(QDate::currentDate());
    std::optional<TArgumentError> bad = ParseArguments(p, QStringLiteral("history"), args);
    if (!bad && !p.positionalArguments().isEmpty())
        bad = TArgumentError{QStringLiteral("history: unexpected argument %1").arg(p.positionalArguments().first())};
    if (!bad)
        bad = ReadConditions(p, query);
    if (!bad)
        bad = CheckDataDir();
    QFile standardOutput;
    TArgumentError sinkError;
    std::unique_ptr<ITableSink> sink;
    if (!bad && !(sink = OutputSink(p.value(QStringLiteral("out")), standardOutput, sinkError)))
        bad = sinkError;
    if (bad) {
        SayError(bad->Text);
        return ExitBadArguments;
    }

    ReadConfig(ConfigPath, Config, StateTexts);
    TDM_Sys store;
    QString error;
    if (!store.Open(DataDir, &error)) {
        SayError(LoadResStr(3119).arg(error));
        return ExitFailed;
    }
    switch (WriteHistory(store, query, StateTexts, *sink, LoadResStr(HistoryCaption), {}, &error)) {
    case TExportResult::Done:
        return ExitDone;
    case TExportResult::WriteFailed:
        SayError(LoadResStr(3118).arg(p.value(QStringLiteral("out")), error));
        break;
    case TExportResult::ReadFailed:
    case TExportResult::Cancelled:
        SayError(LoadResStr(3119).arg(error));
        break;
    }
    return ExitFailed;
}
