// The gradient face: rows stepped from the base colour to light grey and back,
// halves rounded to even, white outlines per style, symmetric rasterisation.
#include "layout/ui/PointDrawing.h"

#include <QColor>
#include <gtest/gtest.h>

namespace {

constexpr TColor SkyBlueFace = 0xF0CAA6; // red 166, green 202, blue 240

QImage Face(int w, int h, TColor base, TFaceStyle style)
{
    QImage image(w, h, QImage::Format_RGB32);
    DrawButtonFace(image, base, style);
    return image;
}

QColor At(const QImage& image, int x, int y) { return image.pixelColor(x, y); }

const QColor White(255, 255, 255);

TEST(ButtonFaceTest, SquareRunsFromBaseToGreyAndBackInsideAWhiteOutline)
{
    const QImage face = Face(20, 20, SkyBlueFace, TFaceStyle::Square);
    // Row 1: 166 + 6.9, 202 + 3.3, 240 - 0.5 (a tie, kept even).
    EXPECT_EQ(At(face, 10, 1), QColor(173, 205, 240));
    EXPECT_EQ(At(face, 10, 10), QColor(235, 235, 235));
    // Row 18 of the lower half: 235 - 8 x (235 - base) / 10.
    EXPECT_EQ(At(face, 10, 18), QColor(180, 209, 239));
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(At(face, i, 0), White) << "top " << i;
        EXPECT_EQ(At(face, i, 19), White) << "bottom " << i;
        EXPECT_EQ(At(face, 0, i), White) << "left " << i;
        EXPECT_EQ(At(face, 19, i), White) << "right " << i;
    }
}

TEST(ButtonFaceTest, RowColoursRoundHalvesToEven)
{
    // Four rows: half = 2, so row 1 and row 3 lie exactly halfway: (base + 235) / 2.
    const TColor base = 102 | (100 << 8) | (2 << 16);
    const QColor halfway(168, 168, 118); // 168.5, 167.5 and 118.5 rounded to even
    EXPECT_EQ(At(Face(8, 4, base, TFaceStyle::Square), 4, 1), halfway);
    EXPECT_EQ(At(Face(8, 4, base, TFaceStyle::Tab), 4, 3), halfway);
}

TEST(ButtonFaceTest, TabRoundsOnlyItsTopCorners)
{
    const QImage face = Face(40, 20, SkyBlueFace, TFaceStyle::Tab);
    const QColor base(166, 202, 240);
    EXPECT_EQ(At(face, 0, 0), base) << "outside the rounded corner";
    EXPECT_EQ(At(face, 39, 0), base);
    EXPECT_EQ(At(face, 20, 0), White);
    EXPECT_EQ(At(face, 0, 10), White);
    EXPECT_EQ(At(face, 39, 10), White);
    EXPECT_EQ(At(face, 0, 19), White) << "the sides run straight to the bottom";
    EXPECT_EQ(At(face, 39, 19), White);
    // No outline along the bottom: its row 19 of the lower half, 235 - 9 x (235 - base) / 10.
    EXPECT_EQ(At(face, 20, 19), QColor(173, 205, 240));
}

TEST(ButtonFaceTest, RoundFaceHasRingsFromTheRimToALightCentre)
{
    const QImage face = Face(40, 31, SkyBlueFace, TFaceStyle::Round);
    EXPECT_EQ(At(face, 0, 0), White);
    EXPECT_EQ(At(face, 39, 30), White);
    EXPECT_EQ(At(face, 20, 0), White) << "the white rim";
    // The first ring inside the rim: 166 + 69 / 15, 202 + 33 / 15, 240 - 5 / 15.
    EXPECT_EQ(At(face, 20, 1), QColor(171, 204, 240));
    EXPECT_EQ(At(face, 20, 29), QColor(171, 204, 240));
    EXPECT_EQ(At(face, 20, 15), QColor(235, 235, 235));
}

TEST(ButtonFaceTest, EveryStyleIsMirrorSymmetric)
{
    for (const TFaceStyle style : {TFaceStyle::Square, TFaceStyle::Tab, TFaceStyle::Round}) {
        for (const QSize size : {QSize(16, 12), QSize(41, 23), QSize(75, 25)}) {
            const QImage face = Face(size.width(), size.height(), SkyBlueFace, style);
            EXPECT_EQ(face, face.mirrored(true, false)) << int(style) << " " << size.width();
            // Square and tab rows run to the base colour at row H, just outside the face.
            if (style == TFaceStyle::Round) {
                EXPECT_EQ(face, face.mirrored(false, true)) << size.width();
            }
        }
    }
}

TEST(ButtonFaceTest, FacesTooFlatForAGradientAreThePlainBaseColour)
{
    for (const TFaceStyle style : {TFaceStyle::Square, TFaceStyle::Tab, TFaceStyle::Round}) {
        SCOPED_TRACE(testing::Message() << "style " << int(style));
        const QImage face = Face(10, 1, SkyBlueFace, style);
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ(At(face, x, 0), QColor(166, 202, 240));
    }
    QImage empty;
    DrawButtonFace(empty, SkyBlueFace, TFaceStyle::Round);
    EXPECT_TRUE(empty.isNull());
}

} // namespace
