#include "reports/ChartData.h"

#include "core/ResStrings.h"
#include "reports/ReportsTexts.h"
#include "reports/StatGrid.h"

namespace {

enum { Key1 = 0, Key2 = 1, Calls = 2, TimeOuts = 3, Rate = 4 };

// The labels that are empty or stand more than once.
std::vector<bool> Unclear(const QStringList& labels)
{
    std::vector<bool> unclear;
    for (const QString& l : labels)
        unclear.push_back(l.isEmpty() || labels.count(l) > 1);
    return unclear;
}

}  // namespace

QStringList GroupLabels(const TStatGrid& grid, const QString& dateFormat)
{
    QStringList labels;
    for (int r = 1; r <= grid.GroupCount(); ++r)
        labels << grid.Text(r, Key2, dateFormat);
    // A table name in two areas, a name with and without a staff number: both keys.
    std::vector<bool> unclear = Unclear(labels);
    for (int i = 0; i < labels.size(); ++i)
        if (unclear[i])
            labels[i] = QStringList{grid.Text(i + 1, Key1, dateFormat), labels[i]}.join(QLatin1Char(' ')).trimmed();
    // Still alike (a null and an empty name): the group's place in the report.
    unclear = Unclear(labels);
    for (int i = 0; i < labels.size(); ++i)
        if (unclear[i])
            labels[i] = QStringLiteral("%1 (%2)").arg(labels[i]).arg(i + 1).trimmed();
    return labels;
}

TChartData ChartData(const TStatGrid& grid, TChartKind kind, const QString& dateFormat)
{
    TChartData d;
    const bool rates = kind == TChartKind::Rates;
    d.SeriesLabel[0] = LoadResStr(rates ? TxtReportsAnsweredPercent : TxtReportsAnswered);
    d.SeriesLabel[1] = LoadResStr(rates ? TxtReportsTimeOutPercent : TxtReportsTimeOuts);
    d.Decimals = rates ? 2 : 0;
    d.Labels = GroupLabels(grid, dateFormat);
    for (int r = 1; r <= grid.GroupCount(); ++r) {
        if (rates) {
            const double rate = static_cast<double>(grid.Number(r, Rate)) / 100.0;
            d.Values[0].push_back(rate);
            d.Values[1].push_back(100.0 - rate);
        } else {
            d.Values[0].push_back(static_cast<double>(grid.Number(r, Calls) - grid.Number(r, TimeOuts)));
            d.Values[1].push_back(static_cast<double>(grid.Number(r, TimeOuts)));
        }
    }
    return d;
}
