// The reports across sites against a real PostgreSQL server: two sites' call logs are shipped, and
// every report over both equals what the sites' own logs give, site by site, with the totals of a
// log holding both sites' calls.
#include "central/CentralPush.h"
#include "central/CentralReports.h"
#include "central/CentralSchema.h"
#include "central/PgLink.h"
#include "core/Config.h"
#include "core/DataStore.h"
#include "reports/ConditionTexts.h"
#include "reports/HistoryQuery.h"
#include "reports/StatReports.h"
#include "reports/TableSink.h"
#include "support/PgServer.h"
#include "web/WebData.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <array>
#include <gtest/gtest.h>

// Cells shown as text when a comparison fails.
void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

const QDate Today(2026, 3, 18);
const QString Format = QStringLiteral("yyyy-MM-dd");
const QStringList Sites = {QStringLiteral("east"), QStringLiteral("west")};

using TTable = std::vector<QStringList>;

// A report's title row, groups and totals row as the texts it shows.
TTable Shown(const TStatReport& r)
{
    TTable t;
    for (int row = 0; row < r.Grid.RowCount(); ++row) {
        QStringList cells;
        for (int c = 0; c < r.Grid.ColumnCount(); ++c)
            cells << (row == 0 ? r.Grid.Rows[0][c].toString() : r.Grid.Text(row, c, Format));
        t.push_back(cells);
    }
    return t;
}

// The rows a history sink receives, as their texts.
class TRowsSink final : public ITableSink {
public:
    bool Begin(const TTableLayout& layout) override { return (layout_ = layout, true); }
    bool Row(const std::vector<QVariant>& cells) override
    {
        QStringList texts;
        for (size_t c = 0; c < cells.size(); ++c)
            texts << CellText(layout_.Kinds[c], cells[c], Format);
        rows.push_back(texts);
        return true;
    }
    bool Finish(QString*) override { return true; }
    TTable rows;

private:
    TTableLayout layout_;
};

class CentralReports : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        QString why;
        server = TPgServer::Start(&why).release();
        skipWhy = new QString(why);
        if (!server)
            return;
        ASSERT_TRUE(link.Connect(server->ConnInfo(), 5000, &why)) << why.toStdString();
        ASSERT_TRUE(InitCentralSchema(link, 10000, &why)) << why.toStdString();
        logs = new std::array<TStore, 3>;
        for (TStore& log : *logs)
            ASSERT_TRUE(log.store.Open(log.dir.path())) << log.dir.path().toStdString();
        // Each site's calls in its own log and all of them in a third; on a day the times rise.
        std::vector<QVariantList> calls;
        for (int i = 0; i < 3000; ++i) {
            calls.push_back({
                QDate(2026, 2, 20).addDays(i % 29).toString(Format), QTime(0, 0).addSecs(i / 29 * 800).toString("HH:mm:ss"),
                i % 5 ? QStringLiteral("大厅") : QStringLiteral("包间"), QStringLiteral("A%1").arg(i % 4),
                QStringLiteral("BUTTON%1").arg(i % 2), QStringLiteral("服务员%1").arg(i % 3),
                QTime(9, 0).toString("HH:mm:ss"), QStringLiteral("张三"), (i * 37) % 211, i % 7 == 0 ? 1 : 0,
                i % 6 ? QVariant(QStringLiteral("0%1").arg(i % 3)) : QVariant()});
        }
        for (int log = 0; log < 3; ++log) {
            ASSERT_TRUE((*logs)[log].store.InTransaction([&] {
                for (size_t i = 0; i < calls.size(); ++i)
                    if (log == 2 || (i % 3 == 0 ? 0 : 1) == log)
                        (*logs)[log].Log(calls[i]);
                return true;
            }));
        }
        for (int s = 0; s < 2; ++s) {
            TPushCount count;
            ASSERT_TRUE(PushCallLog((*logs)[s].dir.path(), link, Sites[s], 500, 10000, count, &why)) << why.toStdString();
        }
    }
    static void TearDownTestSuite()
    {
        link.Close();
        delete logs;
        delete server;
        delete skipWhy;
        logs = nullptr;
        server = nullptr;
    }
    void SetUp() override
    {
        if (!server)
            GTEST_SKIP() << skipWhy->toStdString();
    }

    struct TStore {
        QTemporaryDir dir;
        TDM_Sys store;
        void Log(const QVariantList& row)
        {
            TQuery q(store);
            q.SetSQL("insert into CallInfo (CallDate, CallTime, CallArea, CallDesktop, CallType, ServerPersonnel, "
                     "ProcTime, ProcPersonnel, ServerTime, ServerState, UserNumber) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
            for (const QVariant& v : row)
                q.Bind(v);
            ASSERT_TRUE(q.ExecSQL()) << q.LastError().toStdString();
        }
    };
    static TTable Local(int log, const TReportRequest& r)
    {
        TStatReport out;
        QString why;
        EXPECT_TRUE(RunReport((*logs)[log].store, r, out, &why)) << why.toStdString();
        return Shown(out);
    }
    static TTable Central(const QStringList& sites, const TReportRequest& r)
    {
        TStatReport out;
        QString why;
        EXPECT_TRUE(RunCentralReport(link, {sites}, r, 10000, out, &why)) << why.toStdString();
        return Shown(out);
    }
    static TReportRequest Request(const QString& kind, const std::vector<std::pair<QString, QString>>& given)
    {
        TConditionTexts texts([](const QString& n) { return n; });
        for (const auto& [name, value] : given)
            texts.Add(name, value);
        TReportRequest r;
        const auto bad = ReadReportConditions(kind, texts, Today, r);
        EXPECT_FALSE(bad) << bad->toStdString();
        r.DateFormat = Format;
        return r;
    }

    static inline TPgServer* server = nullptr;
    static inline QString* skipWhy = nullptr;
    static inline TPgLink link;
    static inline std::array<TStore, 3>* logs = nullptr;   // east, west, both
};

struct TKindCase {
    const char* name;
    const char* kind;
    std::vector<std::pair<QString, QString>> given;
};

class CentralReportKinds : public CentralReports, public ::testing::WithParamInterface<TKindCase> {};

TEST_P(CentralReportKinds, AcrossSitesEqualTheSitesOwnReportsAndOneSiteEqualsItsOwn)
{
    const TReportRequest r = Request(QString::fromLatin1(GetParam().kind), GetParam().given);
    const TTable both = Central({}, r);
    // Titles: the site, then the report's own; each site's groups with the site before them;
    // the totals of a log holding both sites' calls.
    const TTable all = Local(2, r);
    TTable expected = {all.front(), all.back()};
    expected.front().prepend(QString::fromUtf8("站点"));
    expected.back().prepend(QString());
    for (int s = 1; s >= 0; --s) {
        const TTable own = Local(s, r);
        for (auto row = own.rbegin() + 1; row != own.rend() - 1; ++row)
            expected.insert(expected.begin() + 1, QStringList{Sites[s]} + *row);
    }
    EXPECT_EQ(both, expected);
    ASSERT_GT(both.size(), 4u) << "the case must have groups at both sites";
    EXPECT_EQ(Central({Sites[1]}, r), Local(1, r));
}

INSTANTIATE_TEST_SUITE_P(
    EveryKind, CentralReportKinds,
    ::testing::Values(TKindCase{"StaffMonth", "staff", {{"period", "month"}}},
                      TKindCase{"StaffPeriod", "staff", {{"from", "2026-02-01"}, {"to", "2026-03-31"}}},
                      TKindCase{"OneStaffByDay", "staff", {{"period", "month"}, {"staff", "服务员1"}}},
                      TKindCase{"PositionWeek", "position", {{"period", "week"}}},
                      TKindCase{"OneArea", "position", {{"from", "2026-02-01"}, {"to", "2026-03-31"}, {"area", "大厅"}}},
                      TKindCase{"OnePositionByDay", "position", {{"period", "month"}, {"area", "大厅"}, {"position", "A1"}}},
                      TKindCase{"Monthly", "monthly", {{"month", "2026-03"}}},
                      TKindCase{"Yearly", "yearly", {{"year", "2026"}}},
                      TKindCase{"ResponseByStaff", "response", {{"period", "month"}, {"by", "staff"}}},
                      TKindCase{"ResponseByPosition", "response", {{"from", "2026-02-01"}, {"to", "2026-03-31"}, {"by", "position"}}},
                      TKindCase{"ResponseByHour", "response", {{"from", "2026-02-01"}, {"to", "2026-03-31"}, {"by", "hour"}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CentralReports, SitesRowsHoldEachLogsCallsTimeOutsAndServiceTimes)
{
    const std::vector<std::pair<QString, QString>> period = {{"from", "2026-02-01"}, {"to", "2026-03-31"}};
    const TTable sites = Central({}, Request("sites", period));
    ASSERT_EQ(sites.size(), 4u);
    EXPECT_EQ(sites[0].join('|'), QString::fromUtf8("站点|呼叫次数|超时次数|合格率%|平均服务时间|服务时间中位数|90%服务时间"));
    // Per log: calls, time-outs and rate from the staff report's totals, mean, median and 90th
    // percentile from the response report's.
    for (int log = 0; log < 3; ++log) {
        const QStringList counts = Local(log, Request("staff", period)).back();
        const QStringList times = Local(log, Request("response", {period[0], period[1], {"by", "hour"}})).back();
        const QStringList expected = QStringList{log < 2 ? Sites[log] : QString::fromUtf8("合计")} + counts.mid(2, 3)
                                     + times.mid(3, 3);
        EXPECT_EQ(sites[log + 1], expected) << log;
    }
    EXPECT_EQ(Central({Sites[0]}, Request("sites", period)).size(), 3u) << "--site keeps one site and the totals";
}

TEST_F(CentralReports, HistoryAcrossSitesIsTheUnionAndOneSiteIsItsOwn)
{
    THistoryQuery q = DefaultHistoryQuery(Today);
    q.SvrState = 1;   // answered only: a condition reaches the server too
    TStateTexts texts;
    const auto central = [&](const QStringList& sites) {
        TRowsSink sink;
        QString why;
        EXPECT_EQ(WriteCentralHistory(link, {sites}, q, texts, Format, sink, "h", 10000, &why), TExportResult::Done)
            << why.toStdString();
        return sink.rows;
    };
    const auto local = [&](int log, const QString& site) {
        TRowsSink sink;
        EXPECT_EQ(WriteHistory((*logs)[log].store, q, texts, Format, sink, "h", {}, nullptr), TExportResult::Done);
        for (QStringList& row : sink.rows)
            if (!site.isEmpty())
                row.prepend(site);
        return sink.rows;
    };
    TTable both = central({});
    TTable expected = local(0, Sites[0]);
    for (const QStringList& row : local(1, Sites[1]))
        expected.push_back(row);
    ASSERT_GT(expected.size(), 2000u) << "more rows than one piece";
    std::sort(both.begin(), both.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(both, expected);
    EXPECT_EQ(central({Sites[1]}), local(1, QString()));
}

TEST_F(CentralReports, TheWebPageAnswersFromTheCentralServerThroughTheSameCode)
{
    QTemporaryDir station;
    QFile ini(station.filePath("Config.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write(("[Central]\nConnect=" + server->ConnInfo() + "\n").toUtf8());
    ini.close();
    const auto csv = [](const std::function<bool(ITableSink&)>& write) {
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        const auto sink = NewCsvStreamSink(out);
        QString why;
        EXPECT_TRUE(write(*sink) && sink->Finish(&why)) << why.toStdString();
        return out.data();
    };
    const TReportRequest r = Request("response", {{"period", "month"}, {"by", "position"}});
    const QByteArray report = csv([&](ITableSink& sink) {
        TStatReport out;
        return RunCentralReport(link, {{Sites[0]}}, r, 10000, out) && WriteStatReport(out, sink);
    });
    const TWebReply web = ReportReply(station.path(), station.filePath("Config.ini"), Format, "response",
                                      QUrlQuery("period=month&by=position&central=1&site=east&format=csv"), -1, Today);
    EXPECT_EQ(web.Status, 200) << web.Body.toStdString();
    EXPECT_EQ(web.Body, report);

    THistoryQuery q = DefaultHistoryQuery(Today);
    q.SDate = Today;
    TConfig config;
    TStateTexts texts;
    ReadConfig(station.filePath("Config.ini"), config, texts);
    const QByteArray history = csv([&](ITableSink& sink) {
        return WriteCentralHistory(link, {}, q, texts, Format, sink, "h", 10000) == TExportResult::Done;
    });
    const TWebReply webHistory = HistoryReply(station.path(), station.filePath("Config.ini"), Format,
                                              QUrlQuery("from=2026-03-18&central=1&format=csv"), -1, Today);
    EXPECT_EQ(webHistory.Status, 200) << webHistory.Body.toStdString();
    EXPECT_EQ(webHistory.Body, history);
    EXPECT_GT(history.count('\n'), 10);
}

}  // namespace
