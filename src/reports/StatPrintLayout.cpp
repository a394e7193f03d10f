#include "reports/StatPrintLayout.h"

#include "core/ResStrings.h"
#include "reports/ReportsTexts.h"
#include "reports/StatGrid.h"

using namespace StatPrint;

std::vector<std::pair<double, double>> StatPrintColumns(int count)
{
    std::vector<std::pair<double, double>> columns = {{5.8, 39.7}, {46.6, 39.7}, {87.3, 26.5}, {114.8, 26.5}, {142.3, 26.5}};
    if (count <= 5) {
        columns.resize(std::max(count, 0));
        return columns;
    }
    // The two keys keep room for a name or an hour range ("19:00~19:59"); the
    // value columns share the rest of the rule's width, each wide enough for a
    // seven-character title at 10 points.
    const double left = 5.8, right = RuleLeft + RuleLength, gap = 1.0;
    const double keys[] = {18.0, 26.0};
    columns = {{left, keys[0]}, {left + keys[0] + gap, keys[1]}};
    const double valuesLeft = left + keys[0] + gap + keys[1] + gap;
    const double step = (right - valuesLeft + gap) / (count - 2);
    for (int c = 0; c < count - 2; ++c)
        columns.push_back({valuesLeft + c * step, step - gap});
    return columns;
}

std::vector<TPrintPage> LayoutStatPrint(const TStatGrid& grid, const QString& caption, const QString& period,
                                        const QDate& printed, const QString& dateFormat)
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
    const QRectF titleBox(0, LabelTop, BodyWidth, LabelHeight);

    std::vector<TPrintPage> pages(1);
    pages[0].Items.push_back({TPrintItem::Label, titleBox, caption, Qt::AlignHCenter});
    if (!period.isEmpty())
        pages[0].Items.push_back({TPrintItem::Label, titleBox, period, Qt::AlignRight});
    double y = header(pages[0], TitleBand);
    // The row counter: every grid row after the titles gets a detail band.
    for (int row = 1; row < grid.RowCount(); ++row) {
        if (y + DetailBand > BodyHeight - FootBand) {
            pages.emplace_back();
            y = header(pages.back(), 0);
        }
        labels(pages.back(), y, row);
        y += DetailBand;
    }
    const QRectF footBox(0, BodyHeight - LabelHeight, BodyWidth, LabelHeight);
    const QString date = LoadResStr(TxtReportsPrintDate).arg(printed.toString(dateFormat));
    for (size_t i = 0; i < pages.size(); ++i) {
        pages[i].Items.push_back({TPrintItem::Label, footBox, date});
        pages[i].Items.push_back({TPrintItem::Label, footBox,
                                  LoadResStr(TxtReportsPageOf).arg(i + 1).arg(pages.size()), Qt::AlignRight});
    }
    return pages;
}
