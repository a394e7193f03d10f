#pragma once
// What the two charts of a pass-rate report show: per group (the totals row is
// not plotted) a label and two stacked values, which add up to the group's calls
// or to 100.
#include <QStringList>
#include <vector>

struct TStatGrid;

enum class TChartKind {
    CallsAndTimeOuts,   // 1510: answered calls and time-outs
    Rates,              // 1511: answered and timed-out percentages
};

struct TChartData {
    QStringList Labels;                  // column 1 of each group row
    QString SeriesLabel[2];
    std::vector<double> Values[2];       // per group
    int Decimals = 0;
};

TChartData ChartData(const TStatGrid& grid, TChartKind kind, const QString& dateFormat);
