// The history and the reports over the web: the commands' conditions, rules and tables.
#include "web/WebData.h"

#include "central/CentralReports.h"
#include "central/CentralSettings.h"
#include "central/CentralTexts.h"
#include "central/PgLink.h"
#include "core/Config.h"
#include "core/DataStore.h"
#include "core/Failure.h"
#include "core/ResStrings.h"
#include "operators/LoginMsg.h"
#include "operators/OperatorsTexts.h"
#include "reports/ConditionTexts.h"
#include "reports/HistoryExport.h"
#include "reports/HistoryQuery.h"
#include "reports/ReportsTexts.h"
#include "reports/StatReports.h"
#include "web/WebTable.h"
#include "web/WebTexts.h"

#include <QUrl>
#include <functional>

namespace {

// The web address names two conditions its own way: service for the history's service-time,
// server for a report's staff. Messages name them as the address does.
struct TWebName {
    const char* Web;
    const char* Condition;
};

// The address's conditions (format aside) as the commands take them. Values are decoded as
// a form sends them: "+" is a blank.
TConditionTexts WebConditions(const QUrlQuery& query, TWebName rename)
{
    TConditionTexts given([rename](const QString& name) {
        return name == QLatin1String(rename.Condition) ? QString::fromLatin1(rename.Web) : name;
    });
    const auto decoded = [](QString text) {
        return QUrl::fromPercentEncoding(text.replace(QLatin1Char('+'), QLatin1Char(' ')).toUtf8());
    };
    for (const auto& [key, value] : query.queryItems(QUrl::FullyEncoded)) {
        const QString name = decoded(key);
        if (name != QLatin1String("format") && name != QLatin1String("central") && name != QLatin1String("site"))
            given.Add(name == QLatin1String(rename.Web) ? QString::fromLatin1(rename.Condition) : name, decoded(value));
    }
    return given;
}

// Where the answer comes from: central=1 and site= of the address.
struct TWebSource {
    bool Central = false;
    QString Connect;
    TCentralScope Scope;
};

std::optional<QString> ReadSource(const QUrlQuery& query, const QString& configPath, TWebSource& source)
{
    source.Central = query.queryItemValue(QStringLiteral("central")) == QLatin1String("1");
    source.Scope.Sites = query.allQueryItemValues(QStringLiteral("site"), QUrl::FullyDecoded);
    source.Scope.Sites.removeDuplicates();
    if (!source.Central)
        return source.Scope.Sites.isEmpty() ? std::nullopt : std::optional(LoadResStr(TxtCentralSiteWithout));
    source.Connect = ReadCentralSettings(configPath).Connect;
    if (source.Connect.trimmed().isEmpty())
        return LoadResStr(TxtCentralWebNone);
    return std::nullopt;
}

// Runs read on a new connection to the central server.
bool OnCentral(const TWebSource& source, const std::function<bool(TPgLink&, int timeoutMs, QString*)>& read, QString* why)
{
    const TCentralTiming timing;
    TPgLink link;
    return (link.Connect(source.Connect, timing.ConnectTimeoutMs, why)
            || Fail(why, LoadResStr(TxtCentralFailed).arg(*why)))
           && read(link, timing.ReportTimeoutMs, why);
}

}  // namespace

TWebReply HistoryReply(const QString& dataDir, const QString& configPath, const QString& dateFormat,
                       const QUrlQuery& query, int32_t popedom, const QDate& today)
{
    if (!HasPopedom(popedom, PopHistory))
        return ErrorReply(403, LoadResStr(TxtWebNoPermission).arg(LoadResStr(TxtPopedomHistory)));
    QString error;
    const auto format = WebFormat(query, &error);
    if (!format)
        return ErrorReply(400, error);
    THistoryQuery conditions;
    if (const auto bad = ReadHistoryConditions(WebConditions(query, {"service", "service-time"}), today, conditions))
        return ErrorReply(400, *bad);
    TWebSource source;
    if (const auto bad = ReadSource(query, configPath, source))
        return ErrorReply(400, *bad);

    TConfig config;
    TStateTexts texts;
    ReadConfig(configPath, config, texts);
    return TableReply(*format, QStringLiteral("history"), dateFormat, LoadResStr(TxtReportsCannotReadCalls),
                      [&](ITableSink& sink, QString* why) {
                          if (source.Central)
                              return OnCentral(source, [&](TPgLink& link, int timeoutMs, QString* error) {
                                  return WriteCentralHistory(link, source.Scope, conditions, texts, dateFormat, sink,
                                                             LoadResStr(TxtReportsHistoryCaption), timeoutMs, error)
                                         == TExportResult::Done;
                              }, why);
                          TDM_Sys store;
                          return store.Open(dataDir, why)
                                 && WriteHistory(store, conditions, texts, dateFormat, sink, LoadResStr(TxtReportsHistoryCaption), {}, why)
                                        == TExportResult::Done;
                      });
}

TWebReply ReportReply(const QString& dataDir, const QString& configPath, const QString& dateFormat, const QString& kind,
                      const QUrlQuery& query, int32_t popedom, const QDate& today)
{
    if (!HasPopedom(popedom, PopStatistics))
        return ErrorReply(403, LoadResStr(TxtWebNoPermission).arg(LoadResStr(TxtPopedomStatistics)));
    QString error;
    const auto format = WebFormat(query, &error);
    if (!format)
        return ErrorReply(400, error);
    TReportRequest request;
    request.DateFormat = dateFormat;
    if (const auto bad = ReadReportConditions(kind, WebConditions(query, {"server", "staff"}), today, request))
        return ErrorReply(IsReportName(kind) ? 400 : 404, *bad);
    TWebSource source;
    if (const auto bad = ReadSource(query, configPath, source))
        return ErrorReply(400, *bad);
    if (request.Kind == TReportKind::Sites && !source.Central)
        return ErrorReply(400, LoadResStr(TxtSitesAcrossSitesOnly));

    return TableReply(*format, QStringLiteral("report-") + kind, dateFormat, LoadResStr(TxtReportsStatisticsFailed),
                      [&](ITableSink& sink, QString* why) {
                          TStatReport report;
                          if (source.Central)
                              return OnCentral(source, [&](TPgLink& link, int timeoutMs, QString* error) {
                                  return RunCentralReport(link, source.Scope, request, timeoutMs, report, error);
                              }, why) && WriteStatReport(report, sink, why);
                          TDM_Sys store;
                          return store.Open(dataDir, why) && RunReport(store, request, report, why)
                                 && WriteStatReport(report, sink, why);
                      });
}
