#pragma once
// The chart window of the statistics: two stacked series per group, with the
// report's title and period, 12/8-pixel margins around the chart.
#include "reports/ChartData.h"

#include <QDialog>

class QChart;
class QChartView;
struct TStatReport;

class TFrm_Chart final : public QDialog {
    Q_OBJECT
public:
    explicit TFrm_Chart(QWidget* parent);

    // caption: the menu item's own text; the chart shows the report's groups.
    void ShowReport(const TStatReport& report, TChartKind kind, const QString& caption);

    QChartView* Chart;
};
