// The web API's data answers: the same rows as the history and report commands on one
// call log, refusals as a table, and today's figures on a small log with known percentiles.
#include "core/Environment.h"
#include "e2e/CommandRun.h"
#include "layout/LayoutStore.h"
#include "operators/LoginMsg.h"
#include "reports/CallLogRows.h"
#include "reports/XlsxContent.h"
#include "web/WebData.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QRegularExpression>

namespace {

constexpr int32_t HistoryOnly = 1 << PopHistory, ReportsOnly = 1 << PopStatistics;

// The fields of a CSV text, line by line (quotes as RFC 4180 has them).
std::vector<QStringList> CsvLines(const QString& text)
{
    std::vector<QStringList> lines;
    QStringList fields;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"')
                field += text[++i];
            else if (c == u'"')
                quoted = false;
            else
                field += c;
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            fields << field;
            field.clear();
        } else if (c == u'\n') {
            fields << field;
            field.clear();
            lines.push_back(fields);
            fields.clear();
        } else if (c != u'\r') {
            field += c;
        }
    }
    return lines;
}

// Whether a JSON value is the cell the CSV shows: a text as it stands, a duration's seconds
// for hh:mm:ss, a count or rate by its number, null for an empty field.
bool SameCell(const QJsonValue& json, const QString& csv)
{
    if (json.isNull())
        return csv.isEmpty();
    if (json.isString())
        return json.toString() == csv;
    static const QRegularExpression duration(QStringLiteral(R"(^(\d+):(\d\d):(\d\d)$)"));
    const QRegularExpressionMatch m = duration.match(csv);
    if (m.hasMatch())
        return json.toInteger() == m.captured(1).toLongLong() * 3600 + m.captured(2).toInt() * 60 + m.captured(3).toInt();
    bool ok = false;
    return std::abs(csv.toDouble(&ok) - json.toDouble()) < 1e-9 && ok;
}

class WebDataRows : public CallLogTest {
protected:
    void SetUp() override
    {
        CallLogTest::SetUp();
        const QString servers[] = {QStringLiteral("张三"), QStringLiteral("李,四"), QStringLiteral("王\"五")};
        ASSERT_TRUE(store.InTransaction([&] {
            for (int i = 0; i < 60; ++i)
                Log({.date = QStringLiteral("2026-03-%1").arg(1 + i % 10, 2, 10, QLatin1Char('0')),
                     .time = QTime(10, 0).addSecs(i * 97).toString(QStringLiteral("HH:mm:ss")),
                     .area = i % 2 ? QStringLiteral("大厅") : QStringLiteral("包间"),
                     .desktop = QStringLiteral("A%1").arg(i % 4),
                     .server = servers[i % 3],
                     .serverTime = i % 7 == 0 ? QVariant() : QVariant((20 + i * 37) % 400),
                     .state = i % 5 == 0 ? 1 : 0,
                     .userNumber = i % 3 ? QVariant(QStringLiteral("00%1").arg(i % 3)) : QVariant()});
            return true;
        }));
        store.Close();
    }

    TWebReply Web(const QString& kind, const QString& query, const QString& format, int32_t popedom = PopedomAll)
    {
        QUrlQuery q(query);
        if (!format.isEmpty())
            q.addQueryItem(QStringLiteral("format"), format);
        const QString dir = tmp.path();
        const QDate today = QDate::currentDate();
        const QString config = dir + QStringLiteral("/Config.ini");
        // Spreadsheets and headings show dates as the command shows them on this system.
        const QString display = SystemDateFormats(SystemUsesChineseCodePage()).Display;
        return kind == QLatin1String("history") ? HistoryReply(dir, config, display, q, popedom, today)
                                                : ReportReply(dir, config, display, kind, q, popedom, today);
    }
};

struct SameRowsCase {
    const char* name;
    QStringList command;   // after the data directory
    QString kind;          // history or the report
    QString query;
};

void PrintTo(const SameRowsCase& c, std::ostream* os)
{
    *os << c.name;
}

class WebSameRows : public WebDataRows, public ::testing::WithParamInterface<SameRowsCase> {};

TEST_P(WebSameRows, CsvJsonAndXlsxHoldTheCommandsRows)
{
    const SameRowsCase& c = GetParam();
    const TCommandRun command = RunCallstation(tmp.path(), c.command);
    ASSERT_EQ(command.status, 0) << command.err.toStdString();
    ASSERT_GT(command.out.count(QStringLiteral("\r\n")), 2) << "the case should show rows";

    const TWebReply csv = Web(c.kind, c.query, QStringLiteral("csv"));
    ASSERT_EQ(csv.Status, 200) << csv.Body.toStdString();
    EXPECT_EQ(csv.ContentType, "text/csv; charset=utf-8");
    EXPECT_EQ(QString::fromUtf8(csv.Body), command.out);

    const TWebReply json = Web(c.kind, c.query, QString());
    ASSERT_EQ(json.Status, 200) << json.Body.toStdString();
    const QJsonArray rows = QJsonDocument::fromJson(json.Body).array();
    const std::vector<QStringList> lines = CsvLines(command.out);
    ASSERT_EQ(static_cast<size_t>(rows.size()) + 1, lines.size());
    for (qsizetype r = 0; r < rows.size(); ++r) {
        const QJsonObject row = rows[r].toObject();
        const QStringList& fields = lines[static_cast<size_t>(r) + 1];
        ASSERT_EQ(row.size(), fields.size()) << "row " << r;
        for (qsizetype f = 0; f < fields.size(); ++f)
            EXPECT_TRUE(SameCell(row.value(lines[0][f]), fields[f]))
                << "row " << r << " " << lines[0][f].toStdString() << ": " << fields[f].toStdString();
    }

    const QString commandXlsx = tmp.filePath(QStringLiteral("command.xlsx"));
    ASSERT_EQ(RunCallstation(tmp.path(), c.command + QStringList{QStringLiteral("--out"), commandXlsx}).status, 0);
    const TWebReply xlsx = Web(c.kind, c.query, QStringLiteral("xlsx"));
    ASSERT_EQ(xlsx.Status, 200) << xlsx.Body.toStdString();
    QFile webXlsx(tmp.filePath(QStringLiteral("web.xlsx")));
    ASSERT_TRUE(webXlsx.open(QIODevice::WriteOnly) && webXlsx.write(xlsx.Body) == xlsx.Body.size());
    webXlsx.close();
    const XlsxContent fromCommand = ReadXlsx(commandXlsx), fromWeb = ReadXlsx(webXlsx.fileName());
    ASSERT_TRUE(fromWeb.error.isEmpty()) << fromWeb.error.toStdString();
    EXPECT_EQ(fromWeb.sheetNames, fromCommand.sheetNames);
    EXPECT_EQ(fromWeb.rows, fromCommand.rows);
    ASSERT_EQ(fromWeb.cells.size(), fromCommand.cells.size());
    for (const auto& [ref, cell] : fromCommand.cells) {
        const XlsxCell* web = fromWeb.at(ref);
        ASSERT_NE(web, nullptr) << ref.toStdString();
        EXPECT_EQ(web->value, cell.value) << ref.toStdString();
        EXPECT_EQ(web->format, cell.format) << ref.toStdString();
    }
}

const QStringList March = {"--from", "2026-03-01", "--to", "2026-03-31"};
const QString WebMarch = QStringLiteral("from=2026-03-01&to=2026-03-31");

INSTANTIATE_TEST_SUITE_P(
    EveryKind, WebSameRows,
    ::testing::Values(
        SameRowsCase{"History", QStringList{"history"} + March, "history", WebMarch},
        SameRowsCase{"HistoryFiltered",
                     QStringList{"history"} + March + QStringList{"--area", "大厅", "--state", "answered", "--service-time", "0-250"},
                     "history", WebMarch + "&area=%E5%A4%A7%E5%8E%85&state=answered&service=0-250"},
        SameRowsCase{"StaffReport", QStringList{"report", "staff"} + March, "staff", WebMarch},
        SameRowsCase{"OneStaffMember", QStringList{"report", "staff", "--staff", "李,四"} + March, "staff",
                     WebMarch + "&server=%E6%9D%8E%2C%E5%9B%9B"},
        SameRowsCase{"PositionReport", {"report", "position", "--area", "包间", "--from", "2026-03-01", "--to", "2026-03-05"},
                     "position", "area=%E5%8C%85%E9%97%B4&from=2026-03-01&to=2026-03-05"},
        SameRowsCase{"Monthly", {"report", "monthly", "--month", "2026-03"}, "monthly", "month=2026-03"},
        SameRowsCase{"Yearly", {"report", "yearly", "--year", "2026"}, "yearly", "year=2026"},
        SameRowsCase{"ResponseByHour", QStringList{"report", "response", "--by", "hour"} + March, "response",
                     WebMarch + "&by=hour"}),
    [](const auto& info) { return std::string(info.param.name); });

struct RefusalCase {
    const char* name;
    QString kind;
    QString query;
    int32_t popedom;
    int status;
    QString error;
};

void PrintTo(const RefusalCase& c, std::ostream* os)
{
    *os << c.name;
}

class WebRefusals : public WebDataRows, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(WebRefusals, AnswerWithTheCommandsMessage)
{
    const RefusalCase& c = GetParam();
    const TWebReply reply = Web(c.kind, c.query, QString(), c.popedom);
    EXPECT_EQ(reply.Status, c.status);
    EXPECT_EQ(QJsonDocument::fromJson(reply.Body).object().value(QStringLiteral("error")).toString(), c.error);
}

INSTANTIATE_TEST_SUITE_P(
    Table, WebRefusals,
    ::testing::Values(
        RefusalCase{"HistoryWithoutItsPermission", "history", "", PopedomAll & ~HistoryOnly, 403, "没有“历史查询”权限"},
        RefusalCase{"ReportWithoutItsPermission", "staff", "", HistoryOnly, 403, "没有“数据统计”权限"},
        RefusalCase{"BadDate", "history", "from=2026-13-01", HistoryOnly, 400,
                    "from: '2026-13-01' is not a date (yyyy-MM-dd)"},
        RefusalCase{"BadState", "history", "state=late", HistoryOnly, 400, "state: 'late' is none of all, answered, timeout"},
        RefusalCase{"PlusIsABlankAsFormsSendIt", "history", "state=late+lunch", HistoryOnly, 400,
                    "state: 'late lunch' is none of all, answered, timeout"},
        RefusalCase{"EncodedPlusStaysAPlus", "history", "state=a%2Bb", HistoryOnly, 400,
                    "state: 'a+b' is none of all, answered, timeout"},
        RefusalCase{"BadServiceTime", "history", "service=5", HistoryOnly, 400, "service: '5' is not MIN-MAX in seconds"},
        RefusalCase{"PositionWithoutArea", "history", "position=A1", HistoryOnly, 400,
                    "position needs area (a position is a point of one area)"},
        RefusalCase{"UnknownHistoryCondition", "history", "colour=red", HistoryOnly, 400, "history takes no colour"},
        RefusalCase{"ConditionOfAnotherReport", "staff", "month=2026-03", ReportsOnly, 400, "report staff takes no month"},
        RefusalCase{"HistoryNameInAReport", "staff", "service=1-2", ReportsOnly, 400, "report staff takes no service"},
        RefusalCase{"BadPeriod", "staff", "period=year", ReportsOnly, 400, "period: 'year' is none of today, week, month"},
        RefusalCase{"PeriodAndRange", "position", "period=week&to=2026-03-01", ReportsOnly, 400,
                    "period and from/to exclude each other"},
        RefusalCase{"ResponseWithoutGroup", "response", "", ReportsOnly, 400, "by: '' is none of staff, position, hour"},
        RefusalCase{"BadYear", "yearly", "year=26", ReportsOnly, 400, "year: '26' is not a year (yyyy)"},
        RefusalCase{"UnknownReport", "weekly", "", ReportsOnly, 404,
                    "report: unknown report 'weekly' (staff, position, monthly, yearly, response)"},
        RefusalCase{"UnknownFormat", "monthly", "format=pdf", ReportsOnly, 400, "format: 'pdf' is none of json, csv, xlsx"},
        RefusalCase{"CentralWithoutAServer", "history", "central=1", HistoryOnly, 400,
                    "central=1: this station has no central server ([Central] Connect= in Config.ini)"},
        RefusalCase{"SiteWithoutCentral", "staff", "site=east", ReportsOnly, 400,
                    "a site is one of the central server's: give --central or --connect (central=1 on the web page)"},
        RefusalCase{"SitesOnTheLocalLog", "sites", "", ReportsOnly, 400,
                    "the sites are compared on the chain's central server only"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(WebDataRows, TheCommandGivesTheSameMessageUnderItsOptionsName)
{
    const TCommandRun command = RunCallstation(tmp.path(), {"history", "--service-time", "5"});
    EXPECT_EQ(command.status, 2);
    EXPECT_EQ(command.err.trimmed(), QStringLiteral("callstation: --service-time: '5' is not MIN-MAX in seconds"));
}

class WebToday : public CallLogTest {};

TEST_F(WebToday, FiguresOfTodaysCallsWithNearestRankPercentiles)
{
    const QString day = QStringLiteral("2026-03-10");
    const QString zhang = QStringLiteral("张三"), li = QStringLiteral("李四");
    for (int seconds : {10, 20, 30, 40, 100})
        Log({.date = day, .server = zhang, .serverTime = seconds, .userNumber = QStringLiteral("001")});
    Log({.date = day, .server = zhang, .serverTime = 300, .state = 1, .userNumber = QStringLiteral("001")});
    Log({.date = day, .server = li, .serverTime = 50, .userNumber = QStringLiteral("002")});
    Log({.date = day, .server = li, .serverTime = QVariant(), .state = 1, .userNumber = QStringLiteral("002")});
    Log({.date = QStringLiteral("2026-03-09"), .server = li, .serverTime = 1, .userNumber = QStringLiteral("002")});
    store.Close();

    const TWebReply reply = TodayReply(tmp.path(), QDate(2026, 3, 10), 3);
    ASSERT_EQ(reply.Status, 200) << reply.Body.toStdString();
    const QJsonObject today = QJsonDocument::fromJson(reply.Body).object();
    const QJsonObject expected = QJsonDocument::fromJson(R"({
        "date": "2026-03-10", "calls": 8, "answered": 6, "timedout": 2, "rate": 75, "live": 3,
        "response": {"mean": 42, "median": 30, "p90": 100, "max": 100},
        "staff": [
            {"number": "001", "name": "张三", "calls": 6, "timedout": 1, "rate": 83.33, "mean": 40, "p90": 100},
            {"number": "002", "name": "李四", "calls": 2, "timedout": 1, "rate": 50, "mean": 50, "p90": 50}
        ]})").object();
    EXPECT_EQ(today, expected) << reply.Body.toStdString();

    const QJsonObject quiet = QJsonDocument::fromJson(TodayReply(tmp.path(), QDate(2026, 3, 11), 0).Body).object();
    EXPECT_EQ(quiet.value(QStringLiteral("calls")).toInt(-1), 0);
    EXPECT_TRUE(quiet.value(QStringLiteral("response")).toObject().value(QStringLiteral("p90")).isNull());
    EXPECT_TRUE(quiet.value(QStringLiteral("staff")).toArray().isEmpty());
}

TEST_F(WebToday, LayoutsCarryTheirStoredNumbersAndPoints)
{
    TLayOutTree tree;
    for (const char* name : {"大厅", "包间"}) {
        auto node = std::make_unique<TLayOutNode>();
        node->Name = QString::fromUtf8(name);
        TLayOutPoint p;
        p.Address = 7;
        p.Name = QStringLiteral("A1");
        p.Shape = 1;
        p.XPos = 10;
        p.YPos = 20;
        p.Width = 30;
        p.Height = 40;
        node->Points.push_back(p);
        tree.Layouts.push_back(std::move(node));
    }
    ASSERT_TRUE(WriteSiteLayOutData(store, tree));
    Exec("update LayOutName set SN = SN + 4");
    Exec("update LayOutPoint set LayOut = LayOut + 4");
    store.Close();
    const QJsonArray layouts = QJsonDocument::fromJson(LayoutsReply(tmp.path()).Body).array();
    ASSERT_EQ(layouts.size(), 2);
    EXPECT_EQ(layouts[1].toObject().value(QStringLiteral("sn")).toInt(), 6);
    EXPECT_EQ(layouts[1].toObject().value(QStringLiteral("name")).toString(), QStringLiteral("包间"));
    EXPECT_EQ(layouts[1].toObject().value(QStringLiteral("points")).toArray()[0].toObject(),
              QJsonDocument::fromJson(R"({"address": 7, "name": "A1", "x": 10, "y": 20, "width": 30, "height": 40,
                                          "shape": "square"})").object());
}

}  // namespace
