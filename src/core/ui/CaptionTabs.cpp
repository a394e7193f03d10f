#include "core/ui/CaptionTabs.h"

#include <QStyleOptionTab>
#include <QStylePainter>

void TCaptionTabBar::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    // The selected tab last: its shape overlaps its neighbours in most styles.
    auto paintTab = [&](int i) {
        QStyleOptionTab option;
        initStyleOption(&option, i);
        painter.drawControl(QStyle::CE_TabBarTabShape, option);
        painter.setPen(i == currentIndex() ? QColor(Qt::blue) : QColor(Qt::black));
        painter.drawText(option.rect, Qt::AlignCenter | Qt::TextSingleLine, tabText(i));
    };
    for (int i = 0; i < count(); ++i) {
        if (i != currentIndex())
            paintTab(i);
    }
    if (currentIndex() >= 0)
        paintTab(currentIndex());
}

TCaptionTabWidget::TCaptionTabWidget(QWidget* parent) : QTabWidget(parent)
{
    setTabBar(new TCaptionTabBar(this));
}
