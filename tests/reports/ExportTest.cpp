// Exported tables read back: sheet name, typed cells, empty cells for missing
// values, CSV quoting, and no file at all from an export that did not finish.
#include "XlsxContent.h"

#include "reports/StatReports.h"
#include "reports/TableSink.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTime>
#include <gtest/gtest.h>

namespace {

TStatReport SampleReport(const QString& caption)
{
    TStatReport r;
    r.Caption = caption;
    r.Period = "2026-03-01  ~  2026-03-31";
    r.Grid.Kinds = {TCellKind::Text, TCellKind::Date, TCellKind::Integer, TCellKind::Integer, TCellKind::Rate};
    r.Grid.Rows = {{"员工姓名", "日期", "呼叫次数", "超时次数", "合格率%"},
                   {"李\"四, 二", QDate(2026, 3, 2), qint64(2), qint64(1), qint64(5000)},
                   {QString(), "合计", qint64(2), qint64(1), qint64(5000)}};
    return r;
}

QByteArray FileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(XlsxExport, CellsAreTypedAndShownAsOnScreenUnderTheReportAndItsPeriod)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("report.xlsx");
    QString error;
    ASSERT_TRUE(WriteStatReport(SampleReport("本周各员工服务合格率统计表"), *NewXlsxSink(path, "dd/MM/yyyy"), &error))
        << error.toStdString();
    const XlsxContent x = ReadXlsx(path);
    ASSERT_TRUE(x.error.isEmpty()) << x.error.toStdString();
    EXPECT_EQ(x.sheetName, "本周各员工服务合格率统计表");
    EXPECT_EQ(x.rows, 5);
    EXPECT_EQ(x.frozenRows, 3);   // heading and titles stay in view
    const struct {
        const char* ref;
        const char* type;
        const char* value;
        const char* format;
        bool bold;
    } cells[] = {
        {"A1", "inlineStr", "本周各员工服务合格率统计表", "", true},
        {"A2", "inlineStr", "2026-03-01  ~  2026-03-31", "", true},
        {"A3", "inlineStr", "员工姓名", "", true},
        {"E3", "inlineStr", "合格率%", "", true},
        {"A4", "inlineStr", "李\"四, 二", "", false},
        {"B4", "n", "46083", "dd/mm/yyyy", false},   // 2 March 2026 as a day number
        {"C4", "n", "2", "", false},
        {"E4", "n", "50", "0.00", false},
        {"B5", "inlineStr", "合计", "", false},
    };
    for (const auto& c : cells) {
        const XlsxCell* cell = x.at(c.ref);
        ASSERT_NE(cell, nullptr) << c.ref;
        EXPECT_EQ(cell->type, c.type) << c.ref;
        EXPECT_EQ(cell->value, c.value) << c.ref;
        EXPECT_EQ(cell->format, c.format) << c.ref;
        EXPECT_EQ(cell->bold, c.bold) << c.ref;
    }
    EXPECT_EQ(x.at("A5"), nullptr);   // the totals row's empty key
}

TEST(XlsxExport, RowsBeyondASheetGoOnOnTheNextUnderTheSameHeading)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("history.xlsx");
    auto sink = NewXlsxSink(path, "yyyy-MM-dd", 5);   // heading, titles and two rows a sheet
    ASSERT_TRUE(sink->Begin({"历史呼叫记录", {"n"}, {TCellKind::Integer}, {}, {"历史呼叫记录", "2026-12-01 ~ 2026-12-31"}}));
    for (int i = 1; i <= 5; ++i)
        ASSERT_TRUE(sink->Row({qint64(i)}));
    QString error;
    ASSERT_TRUE(sink->Finish(&error)) << error.toStdString();
    EXPECT_EQ(ReadXlsx(path).sheetNames, QStringList({"历史呼叫记录", "历史呼叫记录（续 2）", "历史呼叫记录（续 3）"}));
    for (int sheet = 1; sheet <= 3; ++sheet) {
        const XlsxContent x = ReadXlsx(path, sheet);
        ASSERT_TRUE(x.error.isEmpty()) << x.error.toStdString();
        ASSERT_NE(x.at("A2"), nullptr);
        EXPECT_EQ(x.at("A2")->value, "2026-12-01 ~ 2026-12-31");
        EXPECT_EQ(x.at("A3")->value, "n");
        EXPECT_EQ(x.frozenRows, 3);
        ASSERT_NE(x.at("A4"), nullptr) << sheet;
        EXPECT_EQ(x.at("A4")->value.toInt(), 2 * sheet - 1);   // every row once, in order
        EXPECT_EQ(x.rows, sheet < 3 ? 5 : 4);
    }
}

TEST(XlsxExport, TimesAndDurationsAreDayFractionsAndMissingValuesStayEmpty)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("history.xlsx");
    auto sink = NewXlsxSink(path, "yyyy-MM-dd");
    ASSERT_TRUE(sink->Begin({"历史呼叫记录", {"时间", "计时", "状态"}, {TCellKind::Time, TCellKind::Duration, TCellKind::Text}, {}, {}}));
    ASSERT_TRUE(sink->Row({QTime(18, 0, 0), qint64(360000), "已应答"}));
    ASSERT_TRUE(sink->Row({QVariant(), QVariant(), QVariant()}));
    QString error;
    ASSERT_TRUE(sink->Finish(&error)) << error.toStdString();
    const XlsxContent x = ReadXlsx(path);
    EXPECT_EQ(x.sheetName, "历史呼叫记录");
    ASSERT_NE(x.at("A2"), nullptr);
    EXPECT_EQ(x.at("A2")->value.toDouble(), 0.75);
    EXPECT_EQ(x.at("A2")->format, "hh:mm:ss");
    EXPECT_EQ(x.at("B2")->value.toDouble(), 360000.0 / 86400.0);   // 100 hours
    EXPECT_EQ(x.at("B2")->format, "[hh]:mm:ss");
    for (const char* ref : {"A3", "B3", "C3"})
        EXPECT_EQ(x.at(ref), nullptr) << ref;
}

TEST(XlsxExport, LongCaptionsAreCutToThirtyOneBytes)
{
    const QString caption = QString(20, QChar(0x7EDF));   // 40 GBK bytes
    EXPECT_EQ(SheetName(caption), QString(15, QChar(0x7EDF)));
    EXPECT_EQ(SheetName(QString(15, QChar(0x7EDF))), QString(15, QChar(0x7EDF)));
    EXPECT_EQ(SheetName("a[b]:c"), "a b  c");
    EXPECT_EQ(SpreadsheetPath("/x/报表.xls"), "/x/报表.xlsx");
    EXPECT_EQ(SpreadsheetPath("/x/报表.XLSX"), "/x/报表.XLSX");
    EXPECT_EQ(SpreadsheetPath("/x/报表"), "/x/报表.xlsx");
}

TEST(Export, AnUnfinishedExportLeavesTheTargetAsItWas)
{
    QTemporaryDir dir;
    for (const QString name : {"old.xlsx", "old.csv"}) {
        const QString path = dir.filePath(name);
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old");
        old.close();
        {
            auto sink = NewFileSink(path, "yyyy-MM-dd");
            ASSERT_TRUE(sink->Begin({"s", {"a"}, {TCellKind::Text}, {}, {}}));
            ASSERT_TRUE(sink->Row({"new"}));
        }   // dropped without Finish: cancelled
        EXPECT_EQ(FileBytes(path), "old") << name.toStdString();
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);
}

TEST(CsvExport, QuotesAsRfc4180AndWritesDatesIsoStyle)
{
    const struct {
        const char* text;
        const char* field;
    } fields[] = {{"plain", "plain"}, {"a,b", "\"a,b\""}, {"say \"hi\"", "\"say \"\"hi\"\"\""}, {"two\nlines", "\"two\nlines\""},
                  {"", ""}};
    for (const auto& f : fields)
        EXPECT_EQ(CsvField(f.text), f.field) << f.text;

    QTemporaryDir dir;
    const QString path = dir.filePath("report.csv");
    QString error;
    ASSERT_TRUE(WriteStatReport(SampleReport("x"), *NewFileSink(path, "dd/MM/yyyy"), &error)) << error.toStdString();
    EXPECT_EQ(QString::fromUtf8(FileBytes(path)),
              "员工姓名,日期,呼叫次数,超时次数,合格率%\r\n"
              "\"李\"\"四, 二\",2026-03-02,2,1,50.00\r\n"
              ",合计,2,1,50.00\r\n");
}

}  // namespace
