#pragma once
// The chart window of the statistics: two stacked series per group, with the
// report's title and period, 12/8-pixel margins around the chart.
#include "reports/ChartData.h"

#include <QDialog>
#include <QPointF>
#include <vector>

class QBarCategoryAxis;
class QChart;
class QChartView;
class QGraphicsSimpleTextItem;
class QStackedBarSeries;
struct TStatReport;

class TFrm_Chart final : public QDialog {
    Q_OBJECT
public:
    explicit TFrm_Chart(QWidget* parent);

    // caption: the menu item's own text; the chart shows the report's groups.
    void ShowReport(const TStatReport& report, TChartKind kind, const QString& caption);

    QChartView* Chart;

private:
    // A value written on its bar segment, with the report's decimals.
    struct TValueLabel {
        QGraphicsSimpleTextItem* Item;
        QPointF Low, High;   // the segment's ends: (group, value)
    };
    // Follows the plot area: value labels onto their segments, group labels
    // turned upright when they do not fit side by side.
    void PlotAreaChanged();

    QStackedBarSeries* series_ = nullptr;
    QBarCategoryAxis* groups_ = nullptr;
    std::vector<TValueLabel> values_;
};
