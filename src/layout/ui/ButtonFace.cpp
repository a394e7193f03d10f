// The gradient face shared by call points and the main window's face buttons:
// base colour at the edge, light grey in the middle.
#include "core/ui/Colors.h"
#include "layout/ui/PointDrawing.h"

#include <QPainter>
#include <cmath>

namespace {

constexpr TColor LightGrey = 0xEBEBEB; // 235, 235, 235

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
    p.setFont(StationFont());
    if (half == 0) {
        // Too flat for a gradient, whose steps are counted over half the height.
        p.fillRect(surface.rect(), ToQColor(base));
        return;
    }
    p.fillRect(surface.rect(), Qt::white);

    p.setBrush(Qt::white);
    for (int y = 0; y <= half; ++y) {
        const QColor colour = Blend(base, LightGrey, y, half);
        if (style != TFaceStyle::Round) {
            FillRow(p, y, w, colour);
        } else if (h - y > y) {
            // Each flatter ellipse covers the inside of the previous one, leaving its rim.
            p.setPen(colour);
            p.drawEllipse(OutlineRect(0, y, w, h - y));
        }
    }
    if (style != TFaceStyle::Round) {
        for (int y = half; y < h; ++y)
            FillRow(p, y, w, Blend(LightGrey, base, y - half, h - half));
    }

    p.setPen(Qt::white);
    p.setBrush(Qt::NoBrush);
    switch (style) {
    case TFaceStyle::Square:
        p.drawRoundedRect(OutlineRect(0, 0, w, h), 1, 1);
        break;
    case TFaceStyle::Tab:
        // Taller than the face, so only the two top corners are rounded.
        p.drawRoundedRect(OutlineRect(0, 0, w, h + 10), 5, 5);
        break;
    case TFaceStyle::Round:
        p.drawEllipse(OutlineRect(0, 0, w, h));
        break;
    }
}
