// Pass-rate reports: groups, time-outs matched to their group, rates, the
// totals row, periods, and the yearly summary through StatYear.
#include "CallLogRows.h"

#include "reports/ChartData.h"
#include "reports/StatReports.h"

#include <QSet>

namespace {

using Rows = std::vector<QStringList>;

class StatisticsTest : public CallLogTest {
protected:
    // The grid's texts below the titles, dates as yyyy-MM-dd.
    Rows Run(TReportRequest r, TStatReport* kept = nullptr)
    {
        TStatReport report;
        QString error;
        EXPECT_TRUE(RunReport(store, r, report, &error)) << error.toStdString();
        Rows rows;
        for (int row = 1; row < report.Grid.RowCount(); ++row) {
            QStringList texts;
            for (int c = 0; c < report.Grid.ColumnCount(); ++c)
                texts << report.Grid.Text(row, c, "yyyy-MM-dd");
            rows.push_back(texts);
        }
        if (kept)
            *kept = report;
        return rows;
    }

    static TReportRequest Request(TReportKind kind, QDate from = {2026, 3, 1}, QDate to = {2026, 3, 31})
    {
        TReportRequest r;
        r.Kind = kind;
        r.Today = QDate(2026, 3, 15);   // a Sunday
        r.From = from;
        r.To = to;
        return r;
    }
};

TEST(PassRate, RoundsHalvesAwayFromZero)
{
    const struct {
        qint64 calls, timeOuts;
        const char* text;
    } cases[] = {
        {800, 3, "99.63"},     // 99.625
        {8000, 7990, "0.13"},  // 0.125
        {3, 1, "66.67"},
        {3, 2, "33.33"},
        {7, 0, "100.00"},
        {7, 7, "0.00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RateText(PassRate(c.calls, c.timeOuts)), c.text) << c.calls << "/" << c.timeOuts;
}

TEST(Periods, WeeksRunMondayToSundayAndMonthsToTheirLastDay)
{
    using D = QDate;
    EXPECT_EQ(WeekBounds(D(2026, 3, 15)), std::pair(D(2026, 3, 9), D(2026, 3, 15)));     // Sunday
    EXPECT_EQ(WeekBounds(D(2026, 3, 9)), std::pair(D(2026, 3, 9), D(2026, 3, 15)));      // Monday
    EXPECT_EQ(WeekBounds(D(2026, 12, 31)), std::pair(D(2026, 12, 28), D(2027, 1, 3)));   // across the year
    EXPECT_EQ(MonthBounds(D(2024, 2, 10)), std::pair(D(2024, 2, 1), D(2024, 2, 29)));    // leap February
    EXPECT_EQ(MonthBounds(D(2025, 2, 28)), std::pair(D(2025, 2, 1), D(2025, 2, 28)));
    EXPECT_EQ(MonthBounds(D(2026, 12, 31)), std::pair(D(2026, 12, 1), D(2026, 12, 31)));
}

TEST_F(StatisticsTest, EmptyPeriodGivesTheSingleTotalsRow)
{
    TStatReport report;
    EXPECT_EQ(Run(Request(TReportKind::StaffConditions), &report), Rows({{"", "合计", "0", "0", "0.00"}}));
    EXPECT_EQ(report.Grid.GroupCount(), 0);
    EXPECT_EQ(report.Grid.Text(0, 0, ""), "员工编号");
}

TEST_F(StatisticsTest, StaffGroupsGetTheirOwnTimeOutsAndRates)
{
    Log({.server = "张三"});
    Log({.server = "张三", .state = 1});
    Log({.server = "张三"});
    Log({.server = "李四"});                       // no time-outs
    Log({.server = "w1", .state = 1});             // all timed out
    Log({.server = "W1"});                         // another name: must not take w1's time-out
    Log({.server = "张三", .userNumber = "007"});  // numbered rows are a group of their own
    Log({.date = "2026-02-28", .server = "张三", .state = 1});   // outside the period
    TStatReport report;
    const Rows rows = Run(Request(TReportKind::StaffConditions), &report);
    EXPECT_EQ(rows, Rows({{"", "W1", "1", "0", "100.00"},
                          {"", "w1", "1", "1", "0.00"},
                          {"", "张三", "3", "1", "66.67"},
                          {"", "李四", "1", "0", "100.00"},
                          {"007", "张三", "1", "0", "100.00"},
                          {"", "合计", "7", "2", "71.43"}}));

    // The charts plot the groups only, stacking to the calls and to 100.
    const TChartData calls = ChartData(report.Grid, TChartKind::CallsAndTimeOuts, "yyyy-MM-dd");
    EXPECT_EQ(calls.Labels.size(), 5);
    EXPECT_EQ(calls.Values[0][2], 2);
    EXPECT_EQ(calls.Values[1][2], 1);
    const TChartData rates = ChartData(report.Grid, TChartKind::Rates, "yyyy-MM-dd");
    EXPECT_DOUBLE_EQ(rates.Values[0][2], 66.67);
    EXPECT_DOUBLE_EQ(rates.Values[0][2] + rates.Values[1][2], 100.0);
    EXPECT_EQ(rates.Decimals, 2);
}

TEST_F(StatisticsTest, ANullAndAnEmptyServerAreGroupsWithTheirOwnTimeOuts)
{
    Log({.server = "", .state = 1});
    Log({.server = "", .state = 1});
    Log({.server = "null", .state = 1});
    Log({.server = "null"});
    Exec("update CallInfo set ServerPersonnel=null where ServerPersonnel='null'");
    const Rows rows = Run(Request(TReportKind::StaffConditions));
    ASSERT_EQ(rows.size(), 3u);
    // Whichever comes first, each row keeps its own time-outs and the rows add up to the totals.
    EXPECT_EQ(QSet<QString>({rows[0][3], rows[1][3]}), QSet<QString>({"2", "1"}));
    EXPECT_EQ(rows[0][3].toInt() + rows[1][3].toInt(), rows[2][3].toInt());
    EXPECT_EQ(rows[2], QStringList({"", "合计", "4", "3", "25.00"}));
}

TEST(ChartLabels, EveryGroupGetsALabelOfItsOwnInOrder)
{
    const auto grid = [](std::vector<std::pair<QVariant, QVariant>> keys) {
        TStatGrid g;
        g.Kinds = {TCellKind::Text, TCellKind::Text, TCellKind::Integer, TCellKind::Integer, TCellKind::Rate};
        g.Rows.push_back({"k1", "k2", "n", "t", "r"});
        for (const auto& [k1, k2] : keys)
            g.Rows.push_back({k1, k2, qint64(1), qint64(0), qint64(10000)});
        g.Rows.push_back({QString(), "合计", qint64(1), qint64(0), qint64(10000)});
        return g;
    };
    const struct {
        const char* name;
        TStatGrid grid;
        QStringList labels;
    } cases[] = {
        {"distinct names stay as they are", grid({{"大厅", "T1"}, {"大厅", "T2"}}), {"T1", "T2"}},
        {"a table name in two areas", grid({{"包间", "T1"}, {"大厅", "T1"}, {"大厅", "T2"}}), {"包间 T1", "大厅 T1", "T2"}},
        {"a waiter with and without number", grid({{QVariant(), "张三"}, {"007", "张三"}}), {"张三", "007 张三"}},
        {"no name twice, null and empty", grid({{QVariant(), QVariant()}, {QVariant(), ""}, {"", "李四"}}), {"(1)", "(2)", "李四"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GroupLabels(c.grid, "yyyy-MM-dd"), c.labels) << c.name;
}

TEST_F(StatisticsTest, ConditionReportsNamePeopleAndPlacesThatHoldQuotes)
{
    Log({.date = "2026-03-02", .area = "包\"间", .desktop = "A\"1", .server = "李\"四"});
    Log({.date = "2026-03-02", .area = "包\"间", .desktop = "A\"1", .server = "李\"四", .state = 1});
    Log({.date = "2026-03-05", .area = "包\"间", .desktop = "A2", .server = "李\"四"});
    Log({.date = "2026-03-05", .server = "张三"});

    TReportRequest staff = Request(TReportKind::StaffConditions);
    staff.Staff = "李\"四";
    EXPECT_EQ(Run(staff), Rows({{"李\"四", "2026-03-02", "2", "1", "50.00"},
                                {"李\"四", "2026-03-05", "1", "0", "100.00"},
                                {"", "合计", "3", "1", "66.67"}}));

    TReportRequest position = Request(TReportKind::PositionConditions);
    position.Area = "包\"间";
    position.Position = "A\"1";
    EXPECT_EQ(Run(position), Rows({{"A\"1", "2026-03-02", "2", "1", "50.00"}, {"", "合计", "2", "1", "50.00"}}));
    position.Position.clear();   // the area, every position
    EXPECT_EQ(Run(position), Rows({{"包\"间", "A\"1", "2", "1", "50.00"},
                                   {"包\"间", "A2", "1", "0", "100.00"},
                                   {"", "合计", "3", "1", "66.67"}}));
}

TEST_F(StatisticsTest, PeriodReportsCoverTodayTheWeekAndTheMonth)
{
    for (const char* date : {"2026-03-08", "2026-03-09", "2026-03-15", "2026-03-16", "2026-03-31", "2026-04-01"})
        Log({.date = date, .desktop = date});
    const auto positions = [&](TReportKind kind) {
        QStringList shown;
        for (const QStringList& row : Run(Request(kind)))
            shown << row[1];
        return shown;
    };
    EXPECT_EQ(positions(TReportKind::PositionToday), QStringList({"2026-03-15", "合计"}));
    EXPECT_EQ(positions(TReportKind::PositionWeek), QStringList({"2026-03-09", "2026-03-15", "合计"}));
    EXPECT_EQ(positions(TReportKind::PositionMonth).size(), 6);

    // The period shows its dates in the request's format.
    TStatReport report;
    TReportRequest staffWeek = Request(TReportKind::StaffWeek);
    staffWeek.DateFormat = QStringLiteral("dd/MM/yyyy");
    Run(staffWeek, &report);
    EXPECT_EQ(report.Caption, "本周各员工服务合格率统计表");
    EXPECT_EQ(report.Period, "09/03/2026  ~  15/03/2026");
    EXPECT_EQ(report.DateFormat, "dd/MM/yyyy");
    Run(Request(TReportKind::PositionWeek), &report);
    EXPECT_EQ(report.Period, "2026-03-09~2026-03-15");
}

TEST_F(StatisticsTest, MonthlySummaryListsTheDaysOfTheMonth)
{
    Log({.date = "2025-09-01"});
    Log({.date = "2025-09-30", .state = 1});
    Log({.date = "2025-10-01"});
    TReportRequest r = Request(TReportKind::Monthly);
    r.Month = QDate(2025, 9, 17);
    TStatReport report;
    EXPECT_EQ(Run(r, &report), Rows({{"09", "2025-09-01", "1", "0", "100.00"},
                                     {"09", "2025-09-30", "1", "1", "0.00"},
                                     {"", "合计", "2", "1", "50.00"}}));
    EXPECT_EQ(report.Period, "2025.09");
}

TEST_F(StatisticsTest, YearlySummaryLeavesExactlyTheMonthsWithCalls)
{
    Exec("insert into StatYear values (1999, 5, 10, 1)");   // left from an earlier summary
    Log({.date = "2024-12-31"});
    Log({.date = "2025-01-01"});
    Log({.date = "2025-01-31", .state = 1});
    Log({.date = "2025-03-15", .state = 1});
    Log({.date = "2025-12-31"});
    Log({.date = "2026-01-01", .state = 1});
    TReportRequest r = Request(TReportKind::Yearly);
    r.Year = 2025;
    TStatReport report;
    EXPECT_EQ(Run(r, &report), Rows({{"2025", "1", "2", "1", "50.00"},
                                     {"2025", "3", "1", "1", "0.00"},
                                     {"2025", "12", "1", "0", "100.00"},
                                     {"", "合计", "4", "2", "50.00"}}));
    EXPECT_EQ(report.Period, "2025年");
    TQuery q(store);
    q.SetSQL("select count(*) N from StatYear where StatYear <> 2025");
    ASSERT_TRUE(q.Open());
    EXPECT_EQ(q.FieldAsInteger("N"), 0);
}

TEST_F(StatisticsTest, ResponseTimesOfAnsweredCallsPerGroup)
{
    for (int seconds : {40, 10, 30, 20})
        Log({.time = "19:05:00", .server = "张三", .serverTime = seconds});
    Log({.time = "19:10:00", .server = "张三", .serverTime = 999, .state = 1});   // timed out: not counted
    Log({.time = "19:20:00", .server = "张三", .serverTime = {}});                // no time: not counted
    Log({.time = "08:00:00", .server = "李四", .serverTime = 3725});
    TReportRequest r = Request(TReportKind::Response);
    r.By = TResponseGroup::Staff;
    EXPECT_EQ(Run(r), Rows({{"", "张三", "4", "00:00:25", "00:00:20", "00:00:40", "00:00:40"},
                            {"", "李四", "1", "01:02:05", "01:02:05", "01:02:05", "01:02:05"},
                            {"", "合计", "5", "00:12:45", "00:00:30", "01:02:05", "01:02:05"}}));
    r.By = TResponseGroup::Hour;
    EXPECT_EQ(Run(r), Rows({{"8", "08:00~08:59", "1", "01:02:05", "01:02:05", "01:02:05", "01:02:05"},
                            {"19", "19:00~19:59", "4", "00:00:25", "00:00:20", "00:00:40", "00:00:40"},
                            {"", "合计", "5", "00:12:45", "00:00:30", "01:02:05", "01:02:05"}}));
}

}  // namespace
