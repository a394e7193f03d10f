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
    QStringList Labels;                  // GroupLabels
    QString SeriesLabel[2];
    std::vector<double> Values[2];       // per group
    int Decimals = 0;
};

// One label per group, in order, none empty and none twice: column 1 of the row;
// where that is empty or repeats, columns 0 and 1 ("大厅 T1", "007 张三"); where
// that still repeats, followed by the group's place "(3)".
QStringList GroupLabels(const TStatGrid& grid, const QString& dateFormat);

TChartData ChartData(const TStatGrid& grid, TChartKind kind, const QString& dateFormat);
