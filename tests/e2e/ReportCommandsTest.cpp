// The history and report commands as a nightly job runs them: CSV on standard
// output, files by suffix, and one-line errors (status 2) that write nothing.
#include "CommandRun.h"

#include "core/DataStore.h"
#include "core/ResStrings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

using Result = TCommandRun;

class ReportCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TDM_Sys store;
        ASSERT_TRUE(store.Open(dir.path()));
        const QString insert = "insert into CallInfo values (?, ?, ?, ?, 'BUTTON1', ?, ?, ?, ?, ?, ?)";
        const QVariantList rows[] = {
            {"2026-03-02", "19:00:00", "大厅", "A,1", "张\"三", "19:01:05", "张\"三", 65, 0, "007"},
            {"2026-03-02", "19:30:00", "大厅", "A2", "李四", QVariant(), QVariant(), 121, 1, QVariant()},
        };
        for (const QVariantList& row : rows) {
            store.DQ_Set.SetSQL(insert);
            for (const QVariant& v : row)
                store.DQ_Set.Bind(v);
            ASSERT_TRUE(store.DQ_Set.ExecSQL()) << store.DQ_Set.LastError().toStdString();
        }
    }
    QTemporaryDir dir;
};

TEST_F(ReportCommandsTest, HistoryWritesTheWindowsTextsAsCsv)
{
    const Result r = RunCallstation(dir.path(), {"history", "--from", "2026-03-01", "--to", "2026-03-31"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out,
              "呼叫日期,呼叫时间,呼叫区域,呼叫位置,服务类型,服务人员,服务计时,服务状态,处理时间,处理人员\r\n"
              "2026-03-02,19:00:00,大厅,\"A,1\",BUTTON1,\"张\"\"三\",00:01:05,已应答,19:01:05,\"张\"\"三\"\r\n"
              "2026-03-02,19:30:00,大厅,A2,BUTTON1,李四,00:02:01,服务超时,,\r\n");
    const Result timedOut = RunCallstation(dir.path(), {"history", "--from", "2026-03-01", "--state", "timeout", "--service-time", "121-121"});
    EXPECT_EQ(timedOut.out.count("\r\n"), 2);
}

TEST_F(ReportCommandsTest, ReportsRunAsTheWindowRunsThem)
{
    const Result staff = RunCallstation(dir.path(), {"report", "staff", "--from", "2026-03-01", "--to", "2026-03-31"});
    ASSERT_EQ(staff.status, 0) << staff.err.toStdString();
    EXPECT_EQ(staff.out,
              "员工编号,员工姓名,呼叫次数,超时次数,合格率%\r\n"
              ",李四,1,1,0.00\r\n"
              "007,\"张\"\"三\",1,0,100.00\r\n"
              ",合计,2,1,50.00\r\n");
    const Result yearly = RunCallstation(dir.path(), {"report", "yearly", "--year", "2026", "--out", dir.filePath("y.xlsx")});
    EXPECT_EQ(yearly.status, 0) << yearly.err.toStdString();
    EXPECT_TRUE(yearly.out.isEmpty());
    EXPECT_GT(QFile(dir.filePath("y.xlsx")).size(), 0);
    const Result response = RunCallstation(dir.path(), {"report", "response", "--by", "hour", "--from", "2026-03-01", "--to", "2026-03-31"});
    EXPECT_TRUE(response.out.contains("19,19:00~19:59,1,00:01:05,00:01:05,00:01:05,00:01:05\r\n")) << response.out.toStdString();
    // Every date there is: the days without calls cost nothing (this ran for hours a day at a time).
    const Result allDates = RunCallstation(dir.path(), {"report", "response", "--by", "hour", "--from", "0001-01-01", "--to", "9999-12-31"});
    EXPECT_EQ(allDates.status, 0) << allDates.err.toStdString();
    EXPECT_EQ(allDates.out, response.out);
    const Result pdf = RunCallstation(dir.path(), {"report", "position", "--period", "month", "--out", dir.filePath("p.pdf")});
    EXPECT_EQ(pdf.status, 0) << pdf.err.toStdString();
    EXPECT_GT(QFile(dir.filePath("p.pdf")).size(), 0);
}

TEST_F(ReportCommandsTest, AWriteThatFailsNamesItsTargetAndFails)
{
    // A print-out on a full disk, and standard output on one (as "> /dev/full").
    const QString fullPdf = dir.filePath("full.pdf");
    ASSERT_TRUE(QFile::link("/dev/full", fullPdf));
    // An export named through a link to a pipe is refused: the pipe is not replaced by a file.
    const QString pipe = dir.filePath("pipe");
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString pipedCsv = dir.filePath("piped.csv"), pipedXlsx = dir.filePath("piped.xlsx");
    ASSERT_TRUE(QFile::link(pipe, pipedCsv) && QFile::link(pipe, pipedXlsx));
    const struct {
        QStringList args;
        QString stdoutFile, target;
    } cases[] = {
        {{"report", "staff", "--period", "month", "--out", fullPdf}, {}, fullPdf},
        {{"report", "staff", "--from", "2026-03-01", "--to", "2026-03-31"}, "/dev/full", LoadResStr(3022)},
        {{"history", "--from", "2026-03-01"}, "/dev/full", LoadResStr(3022)},
        {{"cleanup", "--through", "2000-01-01"}, "/dev/full", LoadResStr(3022)},
        {{"history", "--from", "2026-03-01", "--out", pipedCsv}, {}, pipedCsv},
        {{"report", "staff", "--period", "month", "--out", pipedXlsx}, {}, pipedXlsx},
    };
    for (const auto& c : cases) {
        const Result r = RunCallstation(dir.path(), c.args, c.stdoutFile);
        EXPECT_EQ(r.status, 1) << c.args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(c.target)) << c.args.join(' ').toStdString() << ": " << r.err.toStdString();
    }
    EXPECT_FALSE(QFileInfo(pipe).isFile());
}

TEST_F(ReportCommandsTest, BadArgumentsGiveOneLineAndWriteNothing)
{
    const QString missing = dir.filePath("no-such-dir");
    const struct {
        QString dataDir;
        QStringList args;
    } cases[] = {
        {dir.path(), {"history", "--colour", "red"}},
        {dir.path(), {"history", "--from", "2026-02-30"}},
        {dir.path(), {"history", "--state", "lost"}},
        {dir.path(), {"history", "--service-time", "60"}},
        {dir.path(), {"history", "--out", dir.filePath("h.txt")}},
        {missing, {"history"}},
        {dir.path(), {"report", "weekly"}},
        {dir.path(), {"report", "staff", "--period", "week", "--from", "2026-03-01", "--out", dir.filePath("s.xlsx")}},
        {dir.path(), {"report", "monthly", "--month", "2026-13", "--out", dir.filePath("m.csv")}},
        {dir.path(), {"report", "yearly", "--staff", "张三"}},
        {dir.path(), {"report", "response", "--by", "table"}},
        {missing, {"report", "yearly"}},
    };
    for (const auto& c : cases) {
        const Result r = RunCallstation(c.dataDir, c.args);
        EXPECT_EQ(r.status, 2) << c.args.join(' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << c.args.join(' ').toStdString();
        const QStringList lines = r.err.split('\n', Qt::SkipEmptyParts).filter("callstation:");
        EXPECT_EQ(lines.size(), 1) << c.args.join(' ').toStdString() << ": " << r.err.toStdString();
    }
    EXPECT_FALSE(QDir(missing).exists());
    EXPECT_EQ(QDir(dir.path()).entryList({"*.txt", "*.xlsx", "*.csv"}, QDir::Files), QStringList());
}

}  // namespace
