#include "reports/ui/ChartWindow.h"

#include "core/Paths.h"
#include "core/ResStrings.h"
#include "core/ui/StationDialog.h"
#include "reports/StatReports.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QStackedBarSeries>
#include <QValueAxis>
#include <QVBoxLayout>

namespace {

constexpr int Caption = 1534;
constexpr int SideMargin = 12;
constexpr int TopMargin = 8;
const QColor TimeOutColor(255, 0, 0);

}  // namespace

TFrm_Chart::TFrm_Chart(QWidget* parent) : QDialog(parent), Chart(new QChartView(this))
{
    setObjectName(QStringLiteral("Frm_Chart"));
    SetupStationDialog(this, Caption);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    resize(760, 480);
    auto* layout = new QVBoxLayout(this);
    // The margins stay as they are whatever the window's size.
    layout->setContentsMargins(SideMargin, TopMargin, SideMargin, TopMargin);
    layout->addWidget(Chart);
    Chart->setRenderHint(QPainter::Antialiasing);
}

void TFrm_Chart::ShowReport(const TStatReport& report, TChartKind kind, const QString& caption)
{
    setWindowTitle(caption);
    const TChartData data = ChartData(report.Grid, kind, DisplayDateFormat);
    auto* chart = new QChart();
    const QFont font = StationFont();
    chart->setTitleFont(font);
    chart->setTitle(QStringLiteral("<b>%1</b><br>%2").arg(report.Caption.toHtmlEscaped(), report.Period.toHtmlEscaped()));
    chart->legend()->setFont(font);
    chart->legend()->setAlignment(Qt::AlignBottom);

    auto* series = new QStackedBarSeries(chart);
    for (int s = 0; s < 2; ++s) {
        auto* set = new QBarSet(data.SeriesLabel[s], series);
        for (double v : data.Values[s])
            set->append(v);
        if (s == 1)
            set->setColor(TimeOutColor);
        series->append(set);
    }
    series->setLabelsVisible(true);
    series->setLabelsFormat(QStringLiteral("@value"));
    series->setLabelsPrecision(data.Decimals == 0 ? 6 : 5);
    chart->addSeries(series);

    auto* categories = new QBarCategoryAxis(chart);
    categories->append(data.Labels);
    categories->setLabelsFont(font);
    chart->addAxis(categories, Qt::AlignBottom);
    series->attachAxis(categories);
    auto* values = new QValueAxis(chart);
    values->setLabelFormat(data.Decimals == 0 ? QStringLiteral("%.0f") : QStringLiteral("%.2f"));
    values->setLabelsFont(font);
    if (kind == TChartKind::Rates)
        values->setRange(0, 100);
    chart->addAxis(values, Qt::AlignLeft);
    series->attachAxis(values);
    if (kind == TChartKind::CallsAndTimeOuts)
        values->applyNiceNumbers();

    QChart* old = Chart->chart();
    Chart->setChart(chart);
    delete old;
}
