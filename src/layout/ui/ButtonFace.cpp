// The gradient face shared by call points and the main window's face buttons:
// base colour at the edge, light grey in the middle.
#include "core/ui/Colors.h"
#include "layout/ui/PointDrawing.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {


// Colour `step` of `steps` on the way from `from` to `to`, each channel
// rounded to the nearest integer with halves going to the even neighbour.
QColor Blend(TColor from, TColor to, int step, int steps)
{
    const auto channel = [&](int shift) {
        const double a = (from >> shift) & 0xFF;
        const double b = (to >> shift) & 0xFF;
        return static_cast<TColor>(std::nearbyint(a - step * (a - b) / steps));
    };
    return ToQColor(channel(0) | (channel(8) << 8) | (channel(16) << 16));
}

// Face shapes are measured with right and bottom exclusive; Qt's outlined
// shapes cover one pixel beyond their rectangle's right and bottom.
QRect OutlineRect(int left, int top, int right, int bottom)
{
    return QRect(left, top, right - left - 1, bottom - top - 1);
}

void FillRow(QPainter& p, int y, int width, const QColor& colour)
{
    p.fillRect(0, y, width, 1, colour);
}

// An ellipse outlined in `colour` over a white inside. Filling and outlining in
// one call lets Qt's fill cover part of the outline of a flat ellipse.
void DrawFilledEllipse(QPainter& p, const QRect& r, const QColor& colour)
{
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(r);
    p.setPen(colour);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(r);
}

// Outline of (left, top, right, bottom) whose corners are quarters of an
// ew x eh ellipse, in the painter's pen colour. Built from straight edges and
// clipped whole ellipses, which Qt rasterises symmetrically, unlike a stroked
// rounded-rectangle path.
void DrawRoundRect(QPainter& p, int left, int top, int right, int bottom, int ew, int eh)
{
    // Corners never reach past the middle of a small rectangle.
    ew = std::min(ew, right - left);
    eh = std::min(eh, bottom - top);
    const QColor colour = p.pen().color();
    const int rx = ew / 2;
    const int ry = eh / 2;
    p.fillRect(QRect(QPoint(left + rx, top), QPoint(right - 1 - rx, top)), colour);
    p.fillRect(QRect(QPoint(left + rx, bottom - 1), QPoint(right - 1 - rx, bottom - 1)), colour);
    p.fillRect(QRect(QPoint(left, top + ry), QPoint(left, bottom - 1 - ry)), colour);
    p.fillRect(QRect(QPoint(right - 1, top + ry), QPoint(right - 1, bottom - 1 - ry)), colour);
    const QPoint corners[] = {{left, top}, {right - ew, top}, {left, bottom - eh}, {right - ew, bottom - eh}};
    for (const QPoint& c : corners) {
        const int clipX = c.x() == left ? left : right - rx;
        const int clipY = c.y() == top ? top : bottom - ry;
        p.setClipRect(QRect(clipX, clipY, rx, ry));
        p.drawEllipse(OutlineRect(c.x(), c.y(), c.x() + ew, c.y() + eh));
    }
    p.setClipping(false);
}

} // namespace

void DrawButtonFace(QImage& surface, TColor base, TFaceStyle style)
{
    if (surface.isNull())
        return;
    const int w = surface.width();
    const int h = surface.height();
    const int half = h / 2;
    QPainter p(&surface);
    p.setRenderHint(QPainter::Antialiasing, false);
    if (half == 0) {
        // Too flat for a gradient, whose steps are counted over half the height.
        p.fillRect(surface.rect(), ToQColor(base));
        return;
    }
    p.fillRect(surface.rect(), Qt::white);

    for (int y = 0; y <= half; ++y) {
        const QColor colour = Blend(base, FaceLightGrey, y, half);
        if (style != TFaceStyle::Round) {
            FillRow(p, y, w, colour);
        } else if (h - y > y) {
            // Each flatter ellipse covers the inside of the previous one, leaving its rim.
            DrawFilledEllipse(p, OutlineRect(0, y, w, h - y), colour);
        }
    }
    if (style != TFaceStyle::Round) {
        for (int y = half; y < h; ++y)
            FillRow(p, y, w, Blend(FaceLightGrey, base, y - half, h - half));
    }

    p.setPen(Qt::white);
    p.setBrush(Qt::NoBrush);
    switch (style) {
    case TFaceStyle::Square:
        DrawRoundRect(p, 0, 0, w, h, 2, 2);
        break;
    case TFaceStyle::Tab:
        // Taller than the face, so only the two top corners are rounded.
        DrawRoundRect(p, 0, 0, w, h + 10, 10, 10);
        break;
    case TFaceStyle::Round:
        p.drawEllipse(OutlineRect(0, 0, w, h));
        break;
    }
}
