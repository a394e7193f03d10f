// The print-out's bands on the page, in millimetres, and a real PDF from it.
#include "reports/StatPrintLayout.h"
#include "reports/StatReports.h"
#include "reports/ui/StatPrint.h"

#include <QDate>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TStatGrid Grid(int groups, int columns = 5)
{
    TStatGrid g;
    g.Kinds.assign(columns, TCellKind::Text);
    for (int r = 0; r <= groups + 1; ++r) {
        std::vector<QVariant> row;
        for (int c = 0; c < columns; ++c)
            row.push_back(QStringLiteral("r%1c%2").arg(r).arg(c));
        g.Rows.push_back(row);
    }
    return g;
}

// The labels of a page whose text starts with prefix, as (left, top, width) in mm.
std::vector<std::array<double, 3>> Labels(const TPrintPage& page, const QString& prefix)
{
    std::vector<std::array<double, 3>> found;
    for (const TPrintItem& i : page.Items)
        if (i.Kind == TPrintItem::Label && i.Text.startsWith(prefix))
            found.push_back({i.Mm.left(), i.Mm.top(), i.Mm.width()});
    return found;
}

TEST(StatPrintLayout, BandsAndLabelsSitWhereTheReportPutsThem)
{
    const std::vector<TPrintPage> pages = LayoutStatPrint(Grid(3), "本月各员工服务合格率统计表", "", QDate(2026, 3, 9), "yyyy-MM-dd");
    ASSERT_EQ(pages.size(), 1u);
    const TPrintPage& page = pages[0];
    const TPrintItem& title = page.Items.front();
    EXPECT_EQ(title.Text, "本月各员工服务合格率统计表");
    EXPECT_EQ(title.Align, Qt::AlignHCenter);
    EXPECT_EQ(title.Mm, QRectF(0, 1.6, 190, 4.5));

    const std::vector<std::array<double, 3>> header = {
        {5.8, 12.2, 39.7}, {46.6, 12.2, 39.7}, {87.3, 12.2, 26.5}, {114.8, 12.2, 26.5}, {142.3, 12.2, 26.5}};
    EXPECT_EQ(Labels(page, "r0"), header);
    const auto line = std::find_if(page.Items.begin(), page.Items.end(), [](const TPrintItem& i) { return i.Kind == TPrintItem::Line; });
    ASSERT_NE(line, page.Items.end());
    EXPECT_EQ(line->Mm, QRectF(2.6, 17.2, 185.2, 0));

    // Three groups print four detail lines: the groups and the totals row.
    for (int row = 1; row <= 4; ++row) {
        const auto labels = Labels(page, QStringLiteral("r%1c").arg(row));
        ASSERT_EQ(labels.size(), 5u) << row;
        EXPECT_NEAR(labels[0][1], 10.6 + 8.2 + (row - 1) * 8.7 + 1.6, 1e-9) << row;
    }
    EXPECT_TRUE(Labels(page, "r5").empty());
}

TEST(StatPrintLayout, LaterPagesRepeatTheColumnHeaderWithoutTheTitle)
{
    const std::vector<TPrintPage> pages = LayoutStatPrint(Grid(39), "t", "", QDate(2026, 3, 9), "yyyy-MM-dd");   // 40 detail lines
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(Labels(pages[0], "r29c0").size(), 1u);   // 29 lines fit under title and header
    EXPECT_TRUE(Labels(pages[0], "r30c0").empty());
    EXPECT_TRUE(Labels(pages[1], "t").empty());
    EXPECT_EQ(Labels(pages[1], "r0c0"), (std::vector<std::array<double, 3>>{{5.8, 1.6, 39.7}}));
    EXPECT_EQ(Labels(pages[1], "r30c0"), (std::vector<std::array<double, 3>>{{5.8, 8.2 + 1.6, 39.7}}));
    for (const TPrintPage& p : pages)
        for (const TPrintItem& i : p.Items)
            EXPECT_LE(i.Mm.bottom(), StatPrint::BodyHeight) << i.Text.toStdString();
}

TEST(StatPrintLayout, SevenColumnsSpreadOverThePrintableWidthAndHoldTheirTitles)
{
    // The response-time report's titles; at 10 points a Chinese character takes 3.53 mm, a figure about 2.
    const QStringList titles = {"员工编号", "19:00~19:59", "应答次数", "平均服务时间", "服务时间中位数", "90%服务时间", "最长服务时间"};
    const auto columns = StatPrintColumns(7);
    ASSERT_EQ(columns.size(), 7u);
    for (size_t c = 0; c < columns.size(); ++c) {
        double needed = 0;
        for (const QChar ch : titles[int(c)])
            needed += ch.unicode() > 0x2E80 ? 3.53 : 2.0;
        EXPECT_GE(columns[c].second, needed) << c;
        if (c > 0)
            EXPECT_LE(columns[c - 1].first + columns[c - 1].second, columns[c].first) << c;
    }
    // From the left of the five-column report to the end of the rule, nothing left empty at the right.
    EXPECT_EQ(columns.front().first, 5.8);
    EXPECT_NEAR(columns.back().first + columns.back().second, StatPrint::RuleLeft + StatPrint::RuleLength, 1.0);
}

TEST(StatPrintLayout, PagesCarryThePeriodThePrintDateAndTheirNumbers)
{
    const std::vector<TPrintPage> pages = LayoutStatPrint(Grid(39), "t", "2026-12-01 ~ 2026-12-31", QDate(2026, 12, 9), "yyyy-MM-dd");
    ASSERT_EQ(pages.size(), 2u);
    const auto find = [](const TPrintPage& page, const QString& text) {
        const auto it = std::find_if(page.Items.begin(), page.Items.end(), [&](const TPrintItem& i) { return i.Text == text; });
        return it == page.Items.end() ? nullptr : &*it;
    };
    const TPrintItem* period = find(pages[0], "2026-12-01 ~ 2026-12-31");
    ASSERT_NE(period, nullptr);
    EXPECT_EQ(period->Mm.top(), find(pages[0], "t")->Mm.top());   // in the title band, at its right
    EXPECT_EQ(period->Align, Qt::AlignRight);
    for (int p = 0; p < 2; ++p) {
        const TPrintItem* number = find(pages[p], QStringLiteral("第 %1 页，共 2 页").arg(p + 1));
        const TPrintItem* date = find(pages[p], "打印日期：2026-12-09");
        ASSERT_NE(number, nullptr) << p;
        ASSERT_NE(date, nullptr) << p;
        EXPECT_EQ(number->Mm.bottom(), StatPrint::BodyHeight);
        // No detail line runs into the foot.
        for (const TPrintItem& i : pages[p].Items)
            if (&i != number && &i != date)
                EXPECT_LE(i.Mm.bottom(), number->Mm.top()) << i.Text.toStdString();
    }
}

TEST(StatPrint, WritesTheReportAsPdf)
{
    QTemporaryDir dir;
    TStatReport report;
    report.Caption = "年度统计表";
    report.Grid = Grid(39);
    QString error;
    ASSERT_TRUE(PrintStatReportToPdf(report, dir.filePath("r.pdf"), &error)) << error.toStdString();
    QFile pdf(dir.filePath("r.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF-"));
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "), 2);
    EXPECT_FALSE(PrintStatReportToPdf(report, dir.filePath("missing/r.pdf"), &error));
}

}  // namespace
