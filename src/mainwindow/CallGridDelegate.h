#pragma once
// Cell colours and cell painting of both call lists.
#include "core/Config.h"

#include <QStyledItemDelegate>
#include <optional>

struct TCellColors {
    TColor Bk;
    TColor Txt;
};

// The colours of one list cell: the header sky blue on black, a selected row
// blue with white text, any other row the pair of the first state text (in the
// order served, timed out, pre-warning 1, pre-warning 2, waiting) equal to the
// row's state text; none (plain list colours) when no state text matches.
std::optional<TCellColors> CallCellColors(bool header, bool selected, const QString& rowStateText,
                                          const TConfig& cfg, const TStateTexts& texts);

// SGrd_CallRecordDrawCell: fills a data cell in its colours and centres its text on one line.
class TCallGridDelegate final : public QStyledItemDelegate {
    Q_OBJECT
public:
    // cfg and texts: the window thread's settings, read at each paint.
    TCallGridDelegate(const TConfig& cfg, const TStateTexts& texts, QObject* parent)
        : QStyledItemDelegate(parent), cfg_(cfg), texts_(texts)
    {
    }
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    const TConfig& cfg_;
    const TStateTexts& texts_;
};
