#pragma once
// The statistics window's reports: which statement, titles and period text
// each one has, and running it into a grid. The window and the report command
// both run reports through here.
#include "core/CancelFlag.h"
#include "core/DateFormats.h"
#include "reports/StatGrid.h"
#include "reports/Statement.h"

#include <QDate>
#include <QString>
#include <functional>
#include <utility>

class TDM_Sys;

enum class TReportKind {
    StaffToday, StaffWeek, StaffMonth,
    PositionToday, PositionWeek, PositionMonth,
    StaffConditions,      // From..To, Staff (empty: every staff member)
    PositionConditions,   // From..To, Area and Position (empty: all)
    Yearly,               // Year, through StatYear
    Monthly,              // Month (its year and month)
    Response,             // From..To, grouped By
    Sites,                // From..To, one row per site: across the chain's sites only
};

enum class TResponseGroup { Staff, Position, Hour };

struct TReportRequest {
    TReportKind Kind = TReportKind::StaffToday;
    QDate Today;                  // the station's date, for today, this week and this month
    QDate From, To;
    QString Staff;
    QString Area, Position;
    int Year = 0;
    QDate Month;                  // any day of the month
    TResponseGroup By = TResponseGroup::Staff;
    QString DateFormat = IsoDateFormat;  // how the period text shows its dates (the display format)
};

struct TStatReport {
    QString Caption;   // the report's title, which becomes the window caption
    QString Period;    // the period text the chart shows
    TStatGrid Grid;
    QString DateFormat = IsoDateFormat;  // how its date cells show: the request's
};

// Monday and Sunday of the week of day; first and last day of its month.
std::pair<QDate, QDate> WeekBounds(const QDate& day);
std::pair<QDate, QDate> MonthBounds(const QDate& day);

// Fills StatYear with one row per month of year that had calls (calls and time-outs),
// emptied and refilled in one transaction. The months are counted a day per
// statement, so the call log is never held for long. readBack, when given, runs in
// that transaction after the refill, so no other summary can change the table before
// it is read. False when cancelled or failing.
bool RunYearlySummary(TDM_Sys& store, int year, QString* error = nullptr, const TCancelFlag& cancel = {},
                      const std::function<bool(QString* why)>& readBack = {});

// Runs the report into out. False with the reason when a statement fails (or cancelled).
bool RunReport(TDM_Sys& store, const TReportRequest& request, TStatReport& out, QString* error = nullptr,
               const TCancelFlag& cancel = {});

// A pass-rate report (every kind but the response report) as a statement: its caption, key
// titles and kinds, the calls statement (F1, F2, Total per group) and the period text.
struct TPassRatePlan {
    int Caption = 0;
    int Title1 = 0, Title2 = 0;
    TCellKind Kind1 = TCellKind::Text, Kind2 = TCellKind::Text;
    TStatement Calls;   // the yearly summary's reads StatYear
    QString Period;
};
TPassRatePlan PlanPassRateReport(const TReportRequest& request);

// Runs a pass-rate plan, with its time-outs statement, through run into out. leadTitle, when
// not empty, titles a first key column that the statements yield before F1 (the site).
bool RunPassRateReport(const TRunStatement& run, const TPassRatePlan& plan, const TStatement& timeOuts,
                       const QString& leadTitle, const QString& dateFormat, TStatReport& out, QString* error = nullptr);

// The response-time report: per group the answered calls with a service time,
// their mean, median, 90th percentile (nearest rank) and longest service time,
// then the same over all of them. leadTitle as for RunPassRateReport: the grouping
// statements then yield the site before their keys.
bool RunResponseReport(const TRunStatement& run, const TReportRequest& request, const QString& leadTitle,
                       TStatReport& out, QString* error = nullptr, const TCancelFlag& cancel = {});

class ITableSink;
// The whole grid of a report to sink: the titles, every group and the totals
// row, on a sheet named after the caption.
bool WriteStatReport(const TStatReport& report, ITableSink& sink, QString* error = nullptr);
