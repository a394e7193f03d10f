#include "reports/StatPrintLayout.h"

#include "reports/StatGrid.h"

using namespace StatPrint;

std::vector<std::pair<double, double>> StatPrintColumns(int count)
{
    std::vector<std::pair<double, double>> columns = {{5.8, 39.7}, {46.6, 39.7}, {87.3, 26.5}, {114.8, 26.5}, {142.3, 26.5}};
    if (count <= 5) {
        columns.resize(std::max(count, 0));
        return columns;
    }
    // The value columns share 87.3 to 168.8 mm, as the three of the five-column report do.
    columns.resize(2);
    const double left = 87.3, right = 142.3 + 26.5, gap = 1.0;
    const double step = (right - left + gap) / (count - 2);
    for (int c = 0; c < count - 2; ++c)
        columns.push_back({left + c * step, step - gap});
    return columns;
}

std::vector<TPrintPage> LayoutStatPrint(const TStatGrid& grid, const QString& caption, const QString& dateFormat)
{
    const auto columns = StatPrintColumns(grid.ColumnCount());
    const auto labels = [&](TPrintPage& page, double bandTop, int row) {
        for (int c = 0; c < static_cast<int>(columns.size()); ++c)
            page.Items.push_back({TPrintItem::Label, QRectF(columns[c].first, bandTop + LabelTop, columns[c].second, LabelHeight),
                                  grid.Text(row, c, dateFormat)});
    };
    const auto header = [&](TPrintPage& page, double bandTop) {
        labels(page, bandTop, 0);
        page.Items.push_back({TPrintItem::Line, QRectF(RuleLeft, bandTop + RuleTop, RuleLength, 0), QString()});
        return bandTop + HeaderBand;
    };

    std::vector<TPrintPage> pages(1);
    pages[0].Items.push_back({TPrintItem::Label, QRectF(0, LabelTop, BodyWidth, LabelHeight), caption, true});
    double y = header(pages[0], TitleBand);
    // The row counter: every grid row after the titles gets a detail band.
    for (int row = 1; row < grid.RowCount(); ++row) {
        if (y + DetailBand > BodyHeight) {
            pages.emplace_back();
            y = header(pages.back(), 0);
        }
        labels(pages.back(), y, row);
        y += DetailBand;
    }
    return pages;
}
