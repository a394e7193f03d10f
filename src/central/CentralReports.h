#pragma once
// The history and the reports across the chain's sites, on the central server: the station's own
// statements and rules (reports/), run on the central calls table. Grouping, counting and the
// percentiles happen in PostgreSQL; the station reads only the groups, or the history a piece at
// a time. With more than one site the tables gain a first column, the site.
#include "reports/HistoryExport.h"
#include "reports/Statement.h"

#include <QDate>
#include <QString>
#include <QStringList>

class ITableSink;
class TPgLink;
struct THistoryQuery;
struct TReportRequest;
struct TStatReport;
struct TStateTexts;

// The sites a report covers.
struct TCentralScope {
    QStringList Sites;   // empty: every site

    // A first column for the site unless the report covers exactly one site.
    bool ShowsSite() const { return Sites.size() != 1; }
};

// Runs statements written for the station's call log (CallInfo and its columns, '?' for each
// value) on the central calls of sites (empty: every site). bySite: a grouping statement groups
// by the site first and yields it as its first field. Texts compare and sort byte by byte, as on
// the station.
TRunStatement CentralStatements(TPgLink& link, const QStringList& sites, bool bySite, int timeoutMs);

// A report of any kind (Sites included) as RunReport makes it on the local log.
bool RunCentralReport(TPgLink& link, const TCentralScope& scope, const TReportRequest& request, int timeoutMs,
                      TStatReport& out, QString* error = nullptr);

// The history as WriteHistory writes it from the local log (order: call date, call time, site).
TExportResult WriteCentralHistory(TPgLink& link, const TCentralScope& scope, const THistoryQuery& query,
                                  const TStateTexts& texts, const QString& dateFormat, ITableSink& sink,
                                  const QString& sheetName, int timeoutMs, QString* error = nullptr);
