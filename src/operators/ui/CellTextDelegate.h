#pragma once
// Grid cells written as the station's cell writer does: the text 2 pixels in from the
// left edge (or ending 3 pixels inside the right edge, or centred) and 2 pixels down,
// clipped to the cell.
#include <QStyledItemDelegate>

class QPainter;

void WriteCellText(QPainter& painter, const QRect& cell, int dx, Qt::Alignment alignment,
                   const QString& text, int dy);

class TCellTextDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
