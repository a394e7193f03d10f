#include "reports/ui/ChartWindow.h"

#include "core/ResStrings.h"
#include "core/ui/StationDialog.h"
#include "reports/StatReports.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QGraphicsSimpleTextItem>
#include <QScreen>
#include <QScrollArea>
#include <QStackedBarSeries>
#include <QValueAxis>
#include <QVBoxLayout>

namespace {

constexpr int Caption = 1534;
constexpr int SideMargin = 12;
constexpr int TopMargin = 8;
const QColor TimeOutColor(255, 0, 0);
constexpr int UprightAngle = -90;
constexpr qreal BarWidth = 0.7;       // of a group's room
constexpr int ValueAxisRoom = 160;    // pixels beside the groups: the value axis and the chart's margins

// Rich text that keeps its blanks ("2026-03-09  ~  2026-03-15").
QString KeptBlanks(const QString& text)
{
    return text.toHtmlEscaped().replace(QLatin1Char(' '), QStringLiteral("&nbsp;"));
}

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
    // Many groups make the chart wider than the window: it then scrolls, so that every
    // group keeps a bar and a label of its own.
    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(Chart);
    layout->addWidget(scroll);
    Chart->setRenderHint(QPainter::Antialiasing);
}

void TFrm_Chart::ShowReport(const TStatReport& report, TChartKind kind, const QString& caption)
{
    setWindowTitle(caption);
    const TChartData data = ChartData(report.Grid, kind, report.DateFormat);
    auto* chart = new QChart();
    const QFont font = StationFont();
    chart->setTitleFont(font);
    chart->setTitle(QStringLiteral("<b>%1</b><br>%2").arg(KeptBlanks(report.Caption), KeptBlanks(report.Period)));
    chart->legend()->setFont(font);
    chart->legend()->setAlignment(Qt::AlignBottom);

    series_ = new QStackedBarSeries(chart);
    series_->setBarWidth(BarWidth);
    values_.clear();
    std::vector<double> base(data.Labels.size(), 0.0);
    for (int s = 0; s < 2; ++s) {
        auto* set = new QBarSet(data.SeriesLabel[s], series_);
        for (size_t g = 0; g < data.Values[s].size(); ++g) {
            const double v = data.Values[s][g];
            set->append(v);
            // The series' own labels cannot keep trailing zeros ("92.2", "100"): ours show the grid's decimals.
            if (v > 0) {
                auto* label = new QGraphicsSimpleTextItem(QString::number(v, 'f', data.Decimals), chart);
                label->setFont(font);
                label->setBrush(Qt::white);
                label->setZValue(1000);   // over the bars
                values_.push_back({label, QPointF(double(g), base[g]), QPointF(double(g), base[g] + v)});
            }
            base[g] += v;
        }
        if (s == 1)
            set->setColor(TimeOutColor);
        series_->append(set);
    }
    chart->addSeries(series_);

    groups_ = new QBarCategoryAxis(chart);
    groups_->append(data.Labels);
    groups_->setLabelsFont(font);
    groups_->setTruncateLabels(false);   // a long name is turned upright, never cut
    chart->addAxis(groups_, Qt::AlignBottom);
    series_->attachAxis(groups_);
    auto* values = new QValueAxis(chart);
    values->setLabelFormat(data.Decimals == 0 ? QStringLiteral("%.0f") : QStringLiteral("%.2f"));
    values->setLabelsFont(font);
    if (kind == TChartKind::Rates)
        values->setRange(0, 100);
    chart->addAxis(values, Qt::AlignLeft);
    series_->attachAxis(values);
    if (kind == TChartKind::CallsAndTimeOuts)
        values->applyNiceNumbers();
    connect(chart, &QChart::plotAreaChanged, this, &TFrm_Chart::PlotAreaChanged);

    QChart* old = Chart->chart();
    Chart->setChart(chart);
    delete old;

    // Room for every group's label standing upright, the window grown towards the screen's width first.
    const int needed = int(data.Labels.size()) * (QFontMetrics(font).height() + 8) + ValueAxisRoom;
    Chart->setMinimumWidth(needed);
    const int widest = screen() ? screen()->availableGeometry().width() * 9 / 10 : width();
    if (needed + 2 * SideMargin > width())
        resize(std::min(widest, needed + 2 * SideMargin), height());
}

void TFrm_Chart::PlotAreaChanged()
{
    QChart* chart = Chart->chart();
    const QFontMetricsF metrics(groups_->labelsFont());
    qreal widest = 0;
    for (const QString& label : groups_->categories())
        widest = std::max(widest, metrics.horizontalAdvance(label));
    const qreal room = chart->plotArea().width() / std::max<qsizetype>(1, groups_->count());
    const int angle = widest + metrics.height() > room ? UprightAngle : 0;
    if (groups_->labelsAngle() != angle)
        groups_->setLabelsAngle(angle);

    const qreal bar = chart->mapToPosition(QPointF(BarWidth / 2, 0), series_).x()
                      - chart->mapToPosition(QPointF(-BarWidth / 2, 0), series_).x();
    for (const TValueLabel& v : values_) {
        const QPointF low = chart->mapToPosition(v.Low, series_);
        const QPointF high = chart->mapToPosition(v.High, series_);
        const QRectF box = v.Item->boundingRect();
        // A segment too small for its figure shows none: the grid has every value.
        v.Item->setVisible(low.y() - high.y() >= box.height() && box.width() <= bar);
        v.Item->setPos((low + high) / 2 - box.center());
    }
}
