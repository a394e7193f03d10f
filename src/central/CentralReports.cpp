#include "central/CentralReports.h"

#include "central/CentralTexts.h"
#include "central/PgLink.h"
#include "core/DateFormats.h"
#include "core/Failure.h"
#include "core/ResStrings.h"
#include "reports/HistoryColumns.h"
#include "reports/HistoryQuery.h"
#include "reports/StatReports.h"
#include "reports/Statistics.h"
#include "reports/TableSink.h"

namespace {

// The call log's table and columns over the central calls. The station's statements name them
// unquoted, which PostgreSQL reads in lower case. Times are texts, as in the log; texts take the
// byte order of the log's comparisons. The planner folds this into the statement, so the date and
// site indexes serve it.
const QString CallInfoSource = QStringLiteral(
    "(select site collate \"C\" site, id, call_date calldate, call_time::text calltime, area collate \"C\" callarea, "
    "position collate \"C\" calldesktop, type collate \"C\" calltype, server collate \"C\" serverpersonnel, "
    "server_number collate \"C\" usernumber, service_seconds servertime, state serverstate, "
    "proc_time::text proctime, proc_personnel collate \"C\" procpersonnel from calls%1) CallInfo");

constexpr int HistoryPiece = 2000;
constexpr int SiteWidth = 100;

void InsertAfter(QString& sql, const QString& word, const QString& text)
{
    const qsizetype at = sql.indexOf(word, 0, Qt::CaseInsensitive);
    if (at >= 0)
        sql.insert(at + word.size(), text);
}

// The statement on the central calls: grouped by site first when bySite, the sites chosen where
// the table is read, '?' numbered as PostgreSQL takes them. A value in the select list (a group's
// fixed key) is text: the server cannot tell its type from anything else.
TStatement OnCentral(const TStatement& local, const QStringList& sites, bool bySite)
{
    TStatement s = local;
    if (bySite && s.Sql.contains(QLatin1String("group by "), Qt::CaseInsensitive)) {
        InsertAfter(s.Sql, QStringLiteral("select "), QStringLiteral("site S, "));
        InsertAfter(s.Sql, QStringLiteral("group by "), QStringLiteral("site, "));
        InsertAfter(s.Sql, QStringLiteral("order by "), QStringLiteral("S, "));
    }
    // The station's engine sorts a group's null key first; PostgreSQL, asked nothing, last.
    const QString order = QStringLiteral(" order by ");
    const qsizetype orderAt = s.Sql.lastIndexOf(order, -1, Qt::CaseInsensitive);
    if (orderAt >= 0 && s.Sql.contains(QLatin1String("group by "), Qt::CaseInsensitive)) {
        QStringList keys = s.Sql.mid(orderAt + order.size()).split(QStringLiteral(", "));
        for (QString& key : keys)
            key += QStringLiteral(" nulls first");
        s.Sql = s.Sql.left(orderAt + order.size()) + keys.join(QStringLiteral(", "));
    }
    const QString table = QStringLiteral("from CallInfo");
    const qsizetype at = s.Sql.indexOf(table, 0, Qt::CaseInsensitive);
    if (at >= 0) {
        QString filter;
        if (!sites.isEmpty()) {
            QStringList marks;
            for (qsizetype i = 0; i < sites.size(); ++i)
                marks << QStringLiteral("?");
            filter = QStringLiteral(" where site in (%1)").arg(marks.join(QStringLiteral(", ")));
        }
        // The sites' values go where their marks stand among the statement's own.
        const qsizetype before = s.Sql.left(at).count(QLatin1Char('?'));
        for (qsizetype i = 0; i < sites.size(); ++i)
            s.Values.insert(before + i, sites[i]);
        s.Sql.replace(at + 5, table.size() - 5, CallInfoSource.arg(filter));
    }
    const qsizetype listEnd = s.Sql.indexOf(QLatin1String(" from "), 0, Qt::CaseInsensitive);
    QString numbered;
    int n = 0;
    for (qsizetype i = 0; i < s.Sql.size(); ++i) {
        if (s.Sql[i] != QLatin1Char('?'))
            numbered += s.Sql[i];
        else
            numbered += QString::fromLatin1(i < listEnd ? "$%1::text" : "$%1").arg(++n);
    }
    s.Sql = numbered;
    return s;
}

// One row per site, then the totals, all figured by the server: calls, time-outs, and over the
// answered calls with a service time the mean (rounded as the response report rounds it), median
// and 90th percentile (nearest rank: percentile_disc's).
const QString SitesStatement = QStringLiteral(
    "select S, count(*), count(*) filter (where ServerState=1), "
    "(2 * sum(ServerTime) filter (where %1) + count(*) filter (where %1)) / nullif(2 * count(*) filter (where %1), 0), "
    "percentile_disc(0.5) within group (order by ServerTime) filter (where %1), "
    "percentile_disc(0.9) within group (order by ServerTime) filter (where %1), grouping(S) "
    "from (select site S, ServerState, ServerTime from CallInfo where CallDate>=? and CallDate<=?) Calls "
    "group by rollup(S) order by grouping(S), S");

bool RunSitesReport(const TRunStatement& run, const TReportRequest& request, TStatReport& out, QString* error)
{
    TStatementRows rows;
    const QString answered = QStringLiteral("ServerState=0 and ServerTime is not null");
    if (!run({SitesStatement.arg(answered), {StoredDate(request.From), StoredDate(request.To)}}, rows, error))
        return false;
    TStatReport report;
    report.Caption = LoadResStr(TxtCentralSitesCaption);
    report.Period = request.From.toString(request.DateFormat) + QStringLiteral("  ~  ") + request.To.toString(request.DateFormat);
    report.DateFormat = request.DateFormat;
    report.Grid.Kinds = {TCellKind::Text, TCellKind::Integer, TCellKind::Integer, TCellKind::Rate,
                         TCellKind::Duration, TCellKind::Duration, TCellKind::Duration};
    report.Grid.Rows = {{LoadResStr(TxtCentralSite), LoadResStr(1524), LoadResStr(1525), LoadResStr(1526),
                         LoadResStr(3107), LoadResStr(3108), LoadResStr(3109)}};
    const auto number = [](const QVariant& v) { return v.isNull() ? QVariant() : QVariant(v.toLongLong()); };
    for (const std::vector<QVariant>& r : rows) {
        const bool totals = r[6].toInt() == 1;
        const qint64 calls = r[1].toLongLong(), timeOuts = r[2].toLongLong();
        report.Grid.Rows.push_back({totals ? LoadResStr(1529) : r[0].toString(), calls, timeOuts,
                                    PassRate(calls, timeOuts), number(r[3]), number(r[4]), number(r[5])});
    }
    if (rows.empty())   // no calls at all: the server gives no totals row either
        report.Grid.Rows.push_back({LoadResStr(1529), qint64(0), qint64(0), PassRate(0, 0), QVariant(), QVariant(), QVariant()});
    out = std::move(report);
    return true;
}

}  // namespace

TRunStatement CentralStatements(TPgLink& link, const QStringList& sites, bool bySite, int timeoutMs)
{
    return [&link, sites, bySite, timeoutMs](const TStatement& local, TStatementRows& rows, QString* error) {
        const TStatement s = OnCentral(local, sites, bySite);
        std::vector<QStringList> texts;
        rows.clear();
        if (!link.Exec(s.Sql, s.Values, timeoutMs, error, &texts))
            return false;
        rows.reserve(texts.size());
        for (const QStringList& t : texts) {
            std::vector<QVariant>& row = rows.emplace_back();
            row.reserve(t.size());
            for (const QString& field : t)
                row.push_back(field.isNull() ? QVariant() : QVariant(field));
        }
        return true;
    };
}

bool RunCentralReport(TPgLink& link, const TCentralScope& scope, const TReportRequest& request, int timeoutMs,
                      TStatReport& out, QString* error)
{
    const QString lead = scope.ShowsSite() ? LoadResStr(TxtCentralSite) : QString();
    const TRunStatement run = CentralStatements(link, scope.Sites, scope.ShowsSite(), timeoutMs);
    if (request.Kind == TReportKind::Sites)   // its statement groups by the site itself
        return RunSitesReport(CentralStatements(link, scope.Sites, false, timeoutMs), request, out, error);
    if (request.Kind == TReportKind::Response)
        return RunResponseReport(run, request, lead, out, error);
    TPassRatePlan plan = PlanPassRateReport(request);
    if (request.Kind == TReportKind::Yearly) {
        // The station keeps a yearly summary table; here the months are counted directly.
        plan.Calls = {QStringLiteral("select ? F1, cast(extract(month from CallDate) as integer) F2, count(*) Total "
                                     "from CallInfo where CallDate>=? and CallDate<=? group by F2 order by F2"),
                      {request.Year, StoredDate(QDate(request.Year, 1, 1)), StoredDate(QDate(request.Year, 12, 31))}};
    }
    return RunPassRateReport(run, plan, TimeOutsStatement(plan.Calls), lead,
                             request.DateFormat, out, error);
}

TExportResult WriteCentralHistory(TPgLink& link, const TCentralScope& scope, const THistoryQuery& query,
                                  const TStateTexts& texts, const QString& dateFormat, ITableSink& sink,
                                  const QString& sheetName, int timeoutMs, QString* error)
{
    TTableLayout layout = HistoryLayout(query, dateFormat, sheetName);
    const bool site = scope.ShowsSite();
    if (site) {
        layout.Titles.prepend(LoadResStr(TxtCentralSite));
        layout.Kinds.insert(layout.Kinds.begin(), TCellKind::Text);
        layout.Widths.insert(layout.Widths.begin(), SiteWidth);
    }
    const TRunStatement run = CentralStatements(link, scope.Sites, false, timeoutMs);
    const TStatement where = HistoryWhere(query);
    // A piece at a time, each after the last row of the one before in the result's order.
    const QString order = QStringLiteral("CallDate, coalesce(CallTime, ''), site, id");
    const QString head = QStringLiteral("select ") + HistoryFieldList() + QStringLiteral(", site, id from CallInfo where ")
                         + where.Sql;
    const QString tail = QStringLiteral(" order by %1 limit %2").arg(order).arg(HistoryPiece);
    bool written = sink.Begin(layout);
    TStatementRows rows;
    QVariantList after;
    while (written) {
        const QString from = after.isEmpty() ? QString() : QStringLiteral(" and (%1) > (?, ?, ?, ?)").arg(order);
        const TStatement piece{head + from + tail, where.Values + after};
        if (!run(piece, rows, error))
            return TExportResult::ReadFailed;   // no Finish: a partial file would look complete
        for (const std::vector<QVariant>& row : rows) {
            std::vector<QVariant> cells =
                HistoryCells(std::vector<QVariant>(row.begin(), row.begin() + HistoryColumnCount), texts);
            if (site)
                cells.insert(cells.begin(), row[HistoryColumnCount]);
            written = written && sink.Row(cells);
        }
        if (static_cast<int>(rows.size()) < HistoryPiece)
            break;
        const std::vector<QVariant>& last = rows.back();
        after = {last[0], last[1].isNull() ? QVariant(QString()) : last[1], last[HistoryColumnCount],
                 last[HistoryColumnCount + 1]};
    }
    return sink.Finish(error) && written ? TExportResult::Done : TExportResult::WriteFailed;
}
