#pragma once
// The statistics print-out as data: A4 portrait, 10 mm margins, measured in
// millimetres from the top-left corner inside the margins. A title band on the
// first page, a column-header band on every page, then one detail band per
// grid row after the titles (the groups, then the totals row).
#include <QRectF>
#include <QString>
#include <vector>

struct TStatGrid;

struct TPrintItem {
    enum Kind { Label, Line } Kind = Label;
    QRectF Mm;             // a label's box; a line from its top-left to its top-right
    QString Text;
    bool Centred = false;  // labels are left-aligned unless centred
};

struct TPrintPage {
    std::vector<TPrintItem> Items;
};

namespace StatPrint {
constexpr double PaperWidth = 210.0, PaperHeight = 297.0, Margin = 10.0;
constexpr double BodyWidth = PaperWidth - 2 * Margin, BodyHeight = PaperHeight - 2 * Margin;
constexpr double TitleBand = 10.6, HeaderBand = 8.2, DetailBand = 8.7;
constexpr double LabelTop = 1.6, LabelHeight = 4.5;
constexpr double RuleTop = 6.6, RuleLeft = 2.6, RuleLength = 185.2;
constexpr double FontPoints = 10.0;
}  // namespace StatPrint

// The left edge and width in mm of each of count columns: five columns as the
// report places them; more columns share the space of columns 2 to 4.
std::vector<std::pair<double, double>> StatPrintColumns(int count);

// The pages of the print-out of grid under caption; dates in dateFormat.
std::vector<TPrintPage> LayoutStatPrint(const TStatGrid& grid, const QString& caption, const QString& dateFormat);
