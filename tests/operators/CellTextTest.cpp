// The grid cell writer: where a text lands in its cell, and that it never leaves it.
#include "operators/ui/CellTextDelegate.h"

#include <QImage>
#include <algorithm>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

struct Ink {
    int left = -1, right = -1, top = -1;
};

// The written text's extent on a white image.
Ink Write(const QRect& cell, Qt::Alignment alignment, const QString& text)
{
    QImage image(200, 60, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        p.setPen(Qt::black);
        WriteCellText(p, cell, 2, alignment, text, 2);
    }
    Ink ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == qRgb(255, 255, 255))
                continue;
            EXPECT_TRUE(cell.contains(x, y)) << "ink outside the cell at " << x << "," << y;
            if (ink.top < 0)
                ink.top = y;
            ink.left = ink.left < 0 ? x : std::min(ink.left, x);
            ink.right = std::max(ink.right, x);
        }
    }
    return ink;
}

TEST(WriteCellText, LeftRightAndCentredPlacesInsideTheCell)
{
    const QRect cell(40, 10, 100, 30);
    const QString text = QStringLiteral("男女");
    const Ink left = Write(cell, Qt::AlignLeft, text);
    ASSERT_GE(left.left, 0);
    EXPECT_GE(left.left, cell.left() + 2);
    EXPECT_LT(left.left, cell.left() + 8);
    EXPECT_GE(left.top, cell.top() + 2);

    const Ink right = Write(cell, Qt::AlignRight, text);
    EXPECT_LE(right.right, cell.right() - 3);
    EXPECT_GT(right.right, cell.right() - 10);

    const Ink centred = Write(cell, Qt::AlignHCenter, text);
    const int middle = (centred.left + centred.right) / 2;
    EXPECT_NEAR(middle, cell.center().x(), 3);
}

TEST(WriteCellText, LongTextIsClippedToTheCell)
{
    const Ink ink = Write(QRect(60, 10, 30, 20), Qt::AlignLeft, QStringLiteral("操作员管理操作员管理"));
    EXPECT_GE(ink.left, 0);
}

}  // namespace
