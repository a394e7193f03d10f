#pragma once
// The statistics print-out as data: A4 portrait, 10 mm margins, measured in
// millimetres from the top-left corner inside the margins. A title band on the
// first page (the caption, the period at its right), a column-header band on
// every page, then one detail band per grid row after the titles (the groups,
// then the totals row); at the foot of every page the print date and the page number.
#include <QDate>
#include <QRectF>
#include <QString>
#include <vector>

struct TStatGrid;

struct TPrintItem {
    enum Kind { Label, Line } Kind = Label;
    QRectF Mm;             // a label's box; a line from its top-left to its top-right
    QString Text;
    Qt::Alignment Align = Qt::AlignLeft;   // of a label's text in its box
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
constexpr double FootBand = 5.5;       // the print date and page number, at the foot of the body
constexpr double FontPoints = 10.0;
}  // namespace StatPrint

// The left edge and width in mm of each of count columns: five columns as the
// report places them; more columns spread over the width of the rule.
std::vector<std::pair<double, double>> StatPrintColumns(int count);

// The pages of the print-out of grid under caption and period, printed on
// printed; dates in dateFormat.
std::vector<TPrintPage> LayoutStatPrint(const TStatGrid& grid, const QString& caption, const QString& period,
                                        const QDate& printed, const QString& dateFormat);
