#include "operators/ui/CellTextDelegate.h"

#include <QApplication>
#include <QPainter>

void WriteCellText(QPainter& painter, const QRect& cell, int dx, Qt::Alignment alignment,
                   const QString& text, int dy)
{
    const int width = painter.fontMetrics().horizontalAdvance(text);
    int x = cell.left() + dx;
    if (alignment & Qt::AlignRight)
        x = cell.right() + 1 - 3 - width;
    else if (alignment & Qt::AlignHCenter)
        x = cell.left() + cell.width() / 2 - width / 2;
    painter.save();
    painter.setClipRect(cell, Qt::IntersectClip);
    // On the font's own baseline, so Latin and Chinese texts of one row line up.
    painter.drawText(QPoint(x, cell.top() + dy + painter.fontMetrics().ascent()), text);
    painter.restore();
}

void TCellTextDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QString text = opt.text;
    opt.text.clear();
    // Background, selection and focus as every other cell; then the text.
    QStyle* style = opt.widget ? opt.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);

    painter->save();
    painter->setFont(opt.font);
    const bool selected = opt.state & QStyle::State_Selected;
    painter->setPen(opt.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    const Qt::Alignment alignment = QStyle::visualAlignment(opt.direction, opt.displayAlignment);
    WriteCellText(*painter, opt.rect, 2, alignment, text, 2);
    painter->restore();
}
