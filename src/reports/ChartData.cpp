#include "reports/ChartData.h"

#include "core/ResStrings.h"
#include "reports/StatGrid.h"

namespace {

enum { Key2 = 1, Calls = 2, TimeOuts = 3, Rate = 4 };

}  // namespace

TChartData ChartData(const TStatGrid& grid, TChartKind kind, const QString& dateFormat)
{
    TChartData d;
    const bool rates = kind == TChartKind::Rates;
    d.SeriesLabel[0] = LoadResStr(rates ? 1532 : 1530);
    d.SeriesLabel[1] = LoadResStr(rates ? 1533 : 1531);
    d.Decimals = rates ? 2 : 0;
    for (int r = 1; r <= grid.GroupCount(); ++r) {
        d.Labels << grid.Text(r, Key2, dateFormat);
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
