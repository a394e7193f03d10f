#include "reports/StatReports.h"

#include "core/DataStore.h"
#include "core/DateFormats.h"
#include "core/Failure.h"
#include "core/ResStrings.h"
#include "reports/DatePieces.h"
#include "reports/ReportsTexts.h"
#include "reports/Statement.h"
#include "reports/Statistics.h"


namespace {

// Column titles 2 to 4 of every pass-rate report.
constexpr int CallsTitle = 1524, TimeOutsTitle = 1525, RateTitle = 1526;
// Staff reports join their dates with wide separators, the week and month position reports with a bare one.
const QString WideTilde = QStringLiteral("  ~  ");
const QString BareTilde = QStringLiteral("~");

const QString StaffGroups = QStringLiteral(
    "select UserNumber F1, ServerPersonnel F2, count(*) Total from CallInfo where %1 "
    "group by UserNumber, ServerPersonnel order by F1, F2");
const QString PositionGroups = QStringLiteral(
    "select CallArea F1, CallDesktop F2, count(*) Total from CallInfo where %1 "
    "group by CallArea, CallDesktop order by F1, F2");
const QString DayGroups = QStringLiteral(
    "select ? F1, CallDate F2, count(*) Total from CallInfo where %1 group by CallDate order by F2");
const QString InPeriod = QStringLiteral("CallDate>=? and CallDate<=?");

QString Shown(const QDate& d, const QString& format)
{
    return d.toString(format);
}

TStatement Grouped(const QString& form, const QString& where, const QVariantList& values)
{
    return {form.arg(where), values};
}

// A report of groups over a period: staff (wide "~") or positions (bare "~" over a week or month).
TPassRatePlan GroupPlan(int caption, bool staff, const QDate& from, const QDate& to, const QString& format)
{
    TPassRatePlan plan{caption, staff ? 1522 : 1527, staff ? 1523 : 1528, TCellKind::Text, TCellKind::Text, {}, Shown(from, format)};
    const QString& form = staff ? StaffGroups : PositionGroups;
    if (from == to) {
        plan.Calls = Grouped(form, QStringLiteral("CallDate=?"), {StoredDate(from)});
    } else {
        plan.Calls = Grouped(form, InPeriod, {StoredDate(from), StoredDate(to)});
        plan.Period += (staff ? WideTilde : BareTilde) + Shown(to, format);
    }
    return plan;
}

}  // namespace

TPassRatePlan PlanPassRateReport(const TReportRequest& r)
{
    const auto [monday, sunday] = WeekBounds(r.Today);
    const auto [first, last] = MonthBounds(r.Today);
    const QString conditionsPeriod = Shown(r.From, r.DateFormat) + WideTilde + Shown(r.To, r.DateFormat);
    const QVariantList period = {StoredDate(r.From), StoredDate(r.To)};
    switch (r.Kind) {
    case TReportKind::StaffToday:
        return GroupPlan(1514, true, r.Today, r.Today, r.DateFormat);
    case TReportKind::StaffWeek:
        return GroupPlan(1515, true, monday, sunday, r.DateFormat);
    case TReportKind::StaffMonth:
        return GroupPlan(1516, true, first, last, r.DateFormat);
    case TReportKind::PositionToday:
        return GroupPlan(1518, false, r.Today, r.Today, r.DateFormat);
    case TReportKind::PositionWeek:
        return GroupPlan(1519, false, monday, sunday, r.DateFormat);
    case TReportKind::PositionMonth:
        return GroupPlan(1520, false, first, last, r.DateFormat);
    case TReportKind::StaffConditions:
        if (r.Staff.isEmpty())
            return {1517, 1522, 1523, TCellKind::Text, TCellKind::Text, Grouped(StaffGroups, InPeriod, period),
                    conditionsPeriod};
        return {1517, 1523, 1543, TCellKind::Text, TCellKind::Date,
                Grouped(DayGroups, QStringLiteral("ServerPersonnel=? and ") + InPeriod,
                        {r.Staff, r.Staff, StoredDate(r.From), StoredDate(r.To)}),
                conditionsPeriod};
    case TReportKind::PositionConditions:
        if (!r.Area.isEmpty() && !r.Position.isEmpty())
            return {1521, 1528, 1543, TCellKind::Text, TCellKind::Date,
                    Grouped(DayGroups, InPeriod + QStringLiteral(" and CallArea=? and CallDesktop=?"),
                            {r.Position, StoredDate(r.From), StoredDate(r.To), r.Area, r.Position}),
                    conditionsPeriod};
        if (!r.Area.isEmpty())
            return {1521, 1527, 1528, TCellKind::Text, TCellKind::Text,
                    Grouped(PositionGroups, InPeriod + QStringLiteral(" and CallArea=?"), period + QVariantList{r.Area}),
                    conditionsPeriod};
        return {1521, 1527, 1528, TCellKind::Text, TCellKind::Text, Grouped(PositionGroups, InPeriod, period),
                conditionsPeriod};
    case TReportKind::Monthly: {
        const auto [monthFirst, monthLast] = MonthBounds(r.Month);
        const QString month = r.Month.toString(QStringLiteral("MM"));
        return {1550, 1545, 1546, TCellKind::Text, TCellKind::Date,
                Grouped(DayGroups, InPeriod, {month, StoredDate(monthFirst), StoredDate(monthLast)}),
                r.Month.toString(YearFormat) + QLatin1Char('.') + month};
    }
    case TReportKind::Yearly:
        return {1549, 1544, 1545, TCellKind::Integer, TCellKind::Integer,
                {QStringLiteral("select StatYear F1, StatMonth F2, Total from StatYear"), {}},
                QString::number(r.Year) + LoadResStr(1544)};
    case TReportKind::Response:
    case TReportKind::Sites:
        break;
    }
    return {};
}

std::pair<QDate, QDate> WeekBounds(const QDate& day)
{
    const QDate monday = day.addDays(1 - day.dayOfWeek());   // dayOfWeek: Monday 1 .. Sunday 7
    return {monday, monday.addDays(6)};
}

std::pair<QDate, QDate> MonthBounds(const QDate& day)
{
    const QDate first(day.year(), day.month(), 1);
    return {first, first.addMonths(1).addDays(-1)};
}

bool RunYearlySummary(TDM_Sys& store, int year, QString* error, const TCancelFlag& cancel,
                      const std::function<bool(QString*)>& readBack)
{
    struct TMonth {
        int Month;
        qint64 Calls, TimeOuts;
    };
    std::vector<TMonth> months;
    // One statement prepared once and run for every day: a day is a short read.
    QSqlQuery q(store.Database());
    q.setForwardOnly(true);
    if (!q.prepare(QStringLiteral("select ServerState, count(*) from CallInfo where CallDate>=? and CallDate<=? "
                                  "group by ServerState")))
        return Fail(error, q.lastError().text());
    for (int month = 1; month <= 12; ++month) {
        const auto [first, last] = MonthBounds(QDate(year, month, 1));
        qint64 answered = 0, timeOuts = 0;
        for (const auto& [from, to] : DatePieces(first, last)) {
            if (cancel && *cancel)
                return false;
            q.bindValue(0, StoredDate(from));
            q.bindValue(1, StoredDate(to));
            if (!q.exec())
                return Fail(error, q.lastError().text());
            while (q.next()) {
                const bool timedOut = !q.isNull(0) && q.value(0).toInt() == 1;
                (timedOut ? timeOuts : answered) += q.value(1).toLongLong();
            }
            if (q.lastError().isValid())
                return Fail(error, q.lastError().text());
            q.finish();
        }
        if (answered + timeOuts > 0)
            months.push_back({month, answered + timeOuts, timeOuts});
    }
    return store.Rewrite([&](QString* why) {
        TQuery w(store);
        w.SetSQL(QStringLiteral("delete from StatYear"));
        if (!w.ExecSQL())
            return Fail(why, w.LastError());
        for (const TMonth& m : months) {
            w.SetSQL(QStringLiteral("insert into StatYear (StatYear, StatMonth, Total, TimeOut) values(?, ?, ?, ?)"));
            for (const QVariant& v : {QVariant(year), QVariant(m.Month), QVariant(m.Calls), QVariant(m.TimeOuts)})
                w.Bind(v);
            if (!w.ExecSQL())
                return Fail(why, w.LastError());
        }
        return !readBack || readBack(why);
    }, error);
}

bool RunPassRateReport(const TRunStatement& run, const TPassRatePlan& plan, const TStatement& timeOuts,
                       const QString& leadTitle, const QString& dateFormat, TStatReport& out, QString* error)
{
    TStatReport report;
    report.Caption = LoadResStr(plan.Caption);
    report.Period = plan.Period;
    report.Grid.Kinds = {plan.Kind1, plan.Kind2, TCellKind::Integer, TCellKind::Integer, TCellKind::Rate};
    report.Grid.Rows = {{LoadResStr(plan.Title1), LoadResStr(plan.Title2), LoadResStr(CallsTitle),
                         LoadResStr(TimeOutsTitle), LoadResStr(RateTitle)}};
    if (!leadTitle.isEmpty()) {
        report.Grid.Kinds.insert(report.Grid.Kinds.begin(), TCellKind::Text);
        report.Grid.Rows[0].insert(report.Grid.Rows[0].begin(), leadTitle);
    }
    if (!StartStatistics(run, plan.Calls, timeOuts, report.Grid, error))
        return false;
    report.DateFormat = dateFormat;
    out = std::move(report);
    return true;
}

bool RunReport(TDM_Sys& store, const TReportRequest& request, TStatReport& out, QString* error,
               const TCancelFlag& cancel)
{
    if (request.Kind == TReportKind::Sites)
        return Fail(error, LoadResStr(TxtSitesAcrossSitesOnly));
    const TRunStatement run = StoreStatements(store);
    if (request.Kind == TReportKind::Response)
        return RunResponseReport(run, request, QString(), out, error, cancel);
    const TPassRatePlan plan = PlanPassRateReport(request);
    if (request.Kind != TReportKind::Yearly)
        return RunPassRateReport(run, plan, TimeOutsStatement(plan.Calls), QString(), request.DateFormat, out, error);
    const TStatement timeOuts{QStringLiteral("select StatYear F1, StatMonth F2, TimeOut Total from StatYear"), {}};
    return RunYearlySummary(store, request.Year, error, cancel, [&](QString* why) {
        return RunPassRateReport(run, plan, timeOuts, QString(), request.DateFormat, out, why);
    });
}
