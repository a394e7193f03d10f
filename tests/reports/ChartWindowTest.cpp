// The chart as it is drawn: a bar and a readable label for every group, the
// grid's decimals on the bars, and the period as the report wrote it.
#include "reports/StatReports.h"
#include "reports/ui/ChartWindow.h"

#include <QApplication>
#include <QBarCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QElapsedTimer>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsTextItem>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace {

// A position report whose tables share names across areas, some of them long.
TStatReport Positions()
{
    TStatReport r;
    r.Caption = "本月各餐台服务合格率统计表";
    r.Period = "2026-12-01  ~  2026-12-31";
    r.Grid.Kinds = {TCellKind::Text, TCellKind::Text, TCellKind::Integer, TCellKind::Integer, TCellKind::Rate};
    r.Grid.Rows = {{"呼叫区域", "呼叫位置", "呼叫次数", "超时次数", "合格率%"},
                   {"包间", "T1", qint64(500), qint64(39), qint64(9220)},
                   {"大厅", "T1", qint64(10), qint64(0), qint64(10000)}};
    for (int i = 1; i <= 10; ++i)
        r.Grid.Rows.push_back({"大厅", QStringLiteral("靠窗的长条餐桌%1号").arg(i), qint64(4), qint64(1), qint64(7500)});
    r.Grid.Rows.push_back({QString(), "合计", qint64(550), qint64(49), qint64(9109)});
    return r;
}

// Every text the chart's scene shows.
QStringList SceneTexts(QChart* chart, std::vector<QRectF>* boxes = nullptr, const QStringList& boxesOf = {})
{
    QStringList texts;
    for (QGraphicsItem* item : chart->scene()->items()) {
        if (!item->isVisible())
            continue;
        QString text;
        if (auto* rich = dynamic_cast<QGraphicsTextItem*>(item))
            text = rich->toPlainText();
        else if (auto* plain = dynamic_cast<QGraphicsSimpleTextItem*>(item))
            text = plain->text();
        else
            continue;
        texts << text;
        if (boxes && boxesOf.contains(text))
            boxes->push_back(item->sceneBoundingRect());
    }
    return texts;
}

TEST(ChartWindow, EveryGroupHasItsBarAndAWholeLabel)
{
    TFrm_Chart window(nullptr);
    const TStatReport report = Positions();
    window.ShowReport(report, TChartKind::Rates, "合格率对比图");
    window.resize(1000, 700);
    window.show();
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 500)
        QApplication::processEvents(QEventLoop::AllEvents, 10);

    QChart* chart = window.Chart->chart();
    auto* groups = qobject_cast<QBarCategoryAxis*>(chart->axes(Qt::Horizontal).value(0));
    ASSERT_NE(groups, nullptr);
    const QStringList labels = GroupLabels(report.Grid, "yyyy-MM-dd");
    EXPECT_EQ(groups->categories(), labels);   // 12 groups, in order, the two T1 told apart

    std::vector<QRectF> boxes;
    const QStringList texts = SceneTexts(chart, &boxes, labels);
    for (const QString& label : labels)
        EXPECT_TRUE(texts.contains(label)) << label.toStdString();   // whole, not cut to "靠窗…"
    for (size_t i = 0; i < boxes.size(); ++i)
        for (size_t j = i + 1; j < boxes.size(); ++j)
            EXPECT_FALSE(boxes[i].intersects(boxes[j])) << i << " " << j;   // and not over one another

    // The rates as the grid shows them.
    for (const char* value : {"92.20", "7.80", "100.00", "75.00", "25.00"})
        EXPECT_TRUE(texts.contains(value)) << value;
    for (const char* value : {"92.2", "7.8", "100"})
        EXPECT_FALSE(texts.contains(value)) << value;

    // The period keeps its blanks.
    QTextDocument title;
    title.setHtml(chart->title());
    EXPECT_TRUE(title.toPlainText().contains(report.Period)) << title.toPlainText().toStdString();
}

}  // namespace
