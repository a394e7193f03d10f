// Call-point images: where the name and the service text land for each text
// position, the face's shape, the image control and its repaint on change.
#include "core/ui/StationDialog.h"
#include "layout/ui/PointDrawing.h"

#include <QFontMetrics>

#include <cmath>
#include <QLabel>
#include <gtest/gtest.h>

namespace {

constexpr TColor Red = 0x0000FF;

// Red text, even where smoothed into the face: a sky-blue face has no green below 202.
bool IsInk(QRgb pixel) { return qGreen(pixel) < 190; }

TLayOutPoint Point(int w, int h, uint8_t txtPos, uint8_t key, const QString& name = QStringLiteral("TABLE"))
{
    TLayOutPoint p;
    p.Name = name;
    p.Shape = 1;
    p.TxtColor = Red;
    p.Width = static_cast<uint16_t>(w);
    p.Height = static_cast<uint16_t>(h);
    p.TxtPos = txtPos;
    p.DrawnKey = key;
    return p;
}

// Top rows of the runs of rows holding text pixels, top to bottom.
std::vector<int> InkRunTops(const QImage& image)
{
    std::vector<int> tops;
    bool inRun = false;
    for (int y = 0; y < image.height(); ++y) {
        bool ink = false;
        for (int x = 0; x < image.width() && !ink; ++x)
            ink = IsInk(image.pixel(x, y));
        if (ink && !inRun)
            tops.push_back(y);
        inRun = ink;
    }
    return tops;
}

class PointDrawingTest : public ::testing::Test {
protected:
    // Where a text's ink starts below the top of its line.
    int InkOffset(const QString& text) const
    {
        const std::vector<int> tops = InkRunTops(DrawCallPoint(Point(120, 3 * line, 1, 0, text), cfg));
        return tops.empty() ? -1 : tops.front();
    }

    TConfig cfg; // key 12 is ServerType1, "BUTTON1"
    const int line = QFontMetrics(StationFont()).height();
    const int nameInk = InkOffset(QStringLiteral("TABLE"));
    const int serviceInk = InkOffset(QStringLiteral("BUTTON1"));
};

TEST_F(PointDrawingTest, CentredNameWithoutKeyIsOneCentredLine)
{
    ASSERT_GT(nameInk, 0);
    const int h = 2 * line + 20;
    const QImage image = DrawCallPoint(Point(120, h, 0, 0), cfg);
    EXPECT_EQ(InkRunTops(image), std::vector<int>{(h - line) / 2 + nameInk});
}

TEST_F(PointDrawingTest, CentredNameWithKeyIsATwoLineBlockTwoPixelsApart)
{
    for (const int h : {3 * line, 2 * line - 1}) {
        // The block's top rounds toward zero, also when the block is taller than the point.
        const int top = (h - (2 * line + 2)) / 2;
        const QImage image = DrawCallPoint(Point(120, h, 0, 12), cfg);
        EXPECT_EQ(InkRunTops(image), (std::vector<int>{top + nameInk, top + line + 2 + serviceInk})) << h;
    }
}

TEST_F(PointDrawingTest, TopPositionStartsAtTheTopEdge)
{
    const int h = 4 * line;
    EXPECT_EQ(InkRunTops(DrawCallPoint(Point(120, h, 1, 0), cfg)), std::vector<int>{nameInk});
    EXPECT_EQ(InkRunTops(DrawCallPoint(Point(120, h, 1, 12), cfg)),
              (std::vector<int>{nameInk, line + 2 + serviceInk}));
}

TEST_F(PointDrawingTest, PositionsAboveOneDrawAtTheBottom)
{
    const int h = 4 * line;
    for (const uint8_t pos : {2, 3}) {
        SCOPED_TRACE(testing::Message() << "position " << int(pos));
        EXPECT_EQ(InkRunTops(DrawCallPoint(Point(120, h, pos, 0), cfg)), std::vector<int>{h - line + nameInk});
        EXPECT_EQ(InkRunTops(DrawCallPoint(Point(120, h, pos, 12), cfg)),
                  (std::vector<int>{h - 2 * line - 2 + nameInk, h - line + serviceInk}));
    }
}

// On a round face the name and the service text stay inside the circle, where the face
// shows them, at the top and at the bottom alike.
TEST_F(PointDrawingTest, RoundFaceKeepsBothLinesInsideItsCircle)
{
    for (const int size : {80, 100}) {
        for (const uint8_t pos : {1, 2}) {
            TLayOutPoint p = Point(size, size, pos, 12, QStringLiteral("A3"));
            p.Shape = 0;
            const QImage image = DrawCallPoint(p, cfg);
            EXPECT_EQ(InkRunTops(image).size(), 2u) << size << " at " << int(pos);
            const double r = size / 2.0;
            int outside = 0;
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x)
                    outside += IsInk(image.pixel(x, y)) && std::hypot(x + 0.5 - r, y + 0.5 - r) > r;
            EXPECT_EQ(outside, 0) << size << " at " << int(pos);
        }
    }
}

TEST_F(PointDrawingTest, ShapeZeroIsRoundAndAnyOtherSquare)
{
    TLayOutPoint p = Point(40, 30, 0, 0, QString());
    p.Shape = 0;
    EXPECT_EQ(DrawCallPoint(p, cfg).pixel(1, 1), qRgb(255, 255, 255));
    p.Shape = 2;
    const QImage square = DrawCallPoint(p, cfg);
    EXPECT_EQ(square.size(), QSize(40, 30));
    EXPECT_NE(square.pixel(1, 1), qRgb(255, 255, 255));
}

TEST_F(PointDrawingTest, ImageIsNamedPlacedAndTransparentAroundARoundFace)
{
    QWidget panel;
    TLayOutPoint p = Point(50, 40, 0, 0);
    p.Shape = 0;
    p.XPos = 30;
    p.YPos = 45;
    QLabel* image = CreateCallPointImage(p, 7, &panel, cfg);
    ASSERT_EQ(panel.findChild<QLabel*>(QStringLiteral("Img7")), image);
    EXPECT_EQ(image->geometry(), QRect(30, 45, 50, 40));
    EXPECT_EQ(image->property("pointIndex").toInt(), 7);
    const QImage shown = image->pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(qAlpha(shown.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(shown.pixel(49, 39)), 0);
    EXPECT_EQ(qAlpha(shown.pixel(25, 5)), 255);
    EXPECT_EQ(shown.pixel(25, 5), DrawCallPoint(p, cfg).pixel(25, 5));

    // A point without size gets an empty image rather than a crash.
    EXPECT_NE(CreateCallPointImage(Point(0, 0, 0, 0), 8, &panel, cfg), nullptr);
}

} // namespace
