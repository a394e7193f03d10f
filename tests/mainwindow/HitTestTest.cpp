#include "mainwindow/HitTest.h"

#include <gtest/gtest.h>

namespace {

const QSize Client(956, 608);

THitZone Zone(int x, int y) { return MainHitTest({x, y}, Client, false); }

TEST(MainHitTest, CornersAndEdgesAreTwoPixelsWide)
{
    EXPECT_EQ(Zone(1, 1), THitZone::TopLeft);
    EXPECT_EQ(Zone(2, 2), THitZone::TopLeft);
    EXPECT_EQ(Zone(3, 2), THitZone::Top);
    EXPECT_EQ(Zone(954, 0), THitZone::TopRight);
    EXPECT_EQ(Zone(953, 0), THitZone::Top);

    EXPECT_EQ(Zone(1, 200), THitZone::Left);
    EXPECT_EQ(Zone(3, 200), THitZone::Client);
    EXPECT_EQ(Zone(955, 200), THitZone::Right);

    EXPECT_EQ(Zone(0, 607), THitZone::BottomLeft);
    EXPECT_EQ(Zone(500, 606), THitZone::Bottom);
    EXPECT_EQ(Zone(500, 605), THitZone::Client);
    EXPECT_EQ(Zone(954, 606), THitZone::BottomRight);
}

TEST(MainHitTest, TitleBandIsTheCaptionBelowTheTopEdge)
{
    EXPECT_EQ(Zone(100, 15), THitZone::Caption);
    EXPECT_EQ(Zone(100, 3), THitZone::Caption);
    EXPECT_EQ(Zone(100, 29), THitZone::Caption);
    // The band's sides move the window; only the rim above resizes it.
    EXPECT_EQ(Zone(1, 15), THitZone::Caption);
    EXPECT_EQ(Zone(100, 30), THitZone::Client);
}

TEST(MainHitTest, ButtonsAreAlwaysClientArea)
{
    EXPECT_EQ(MainHitTest({1, 1}, Client, true), THitZone::Client);
    EXPECT_EQ(MainHitTest({100, 15}, Client, true), THitZone::Client);
}

TEST(MainHitTest, ZonesResizeTheirEdges)
{
    EXPECT_EQ(ResizeEdges(THitZone::TopLeft), Qt::TopEdge | Qt::LeftEdge);
    EXPECT_EQ(ResizeEdges(THitZone::BottomRight), Qt::BottomEdge | Qt::RightEdge);
    EXPECT_EQ(ResizeEdges(THitZone::Left), Qt::Edges(Qt::LeftEdge));
    EXPECT_EQ(ResizeEdges(THitZone::Caption), Qt::Edges());
    EXPECT_EQ(ResizeEdges(THitZone::Client), Qt::Edges());
    EXPECT_EQ(ZoneCursor(THitZone::TopRight), Qt::SizeBDiagCursor);
    EXPECT_EQ(ZoneCursor(THitZone::Caption), Qt::ArrowCursor);
}

}  // namespace
