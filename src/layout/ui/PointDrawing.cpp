// Call points drawn off screen and shown as image controls on a layout panel.
#include "layout/ui/PointDrawing.h"

#include "core/ServiceType.h"
#include "core/ui/Colors.h"
#include "core/ui/StationDialog.h"

#include <QBitmap>
#include <QLabel>
#include <QPainter>

#include <numbers>

namespace {

// The views find the point of a clicked or dragged image by this property.
constexpr char PointIndexProperty[] = "pointIndex";

// One line of text centred horizontally in the band [top, top + height), cut to the band.
void DrawInBand(QPainter& p, int width, int top, int height, const QString& text)
{
    p.drawText(QRect(0, top, width, height), Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, text);
}

// The point's picture; pixels of its bottom-left colour (white around a round
// face) let the panel show through.
QPixmap PointPixmap(const TLayOutPoint& point, const TConfig& cfg)
{
    const QImage image = DrawCallPoint(point, cfg);
    QPixmap pixmap = QPixmap::fromImage(image);
    if (!image.isNull())
        pixmap.setMask(pixmap.createMaskFromColor(image.pixelColor(0, image.height() - 1), Qt::MaskInColor));
    return pixmap;
}

} // namespace

QImage DrawCallPoint(const TLayOutPoint& point, const TConfig& cfg)
{
    QImage image(point.Width, point.Height, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    DrawButtonFace(image, point.BkColor, point.Shape == 0 ? TFaceStyle::Round : TFaceStyle::Square);

    QPainter p(&image);
    p.setFont(StationFont());
    p.setPen(ToQColor(point.TxtColor));
    const int w = image.width();
    // A round face's texts stay inside its circle: the top and bottom positions are those of the
    // square inscribed in it, not of the image's corners, which the panel shows through.
    const int inset = point.Shape == 0 ? qRound(image.height() * (1 - 1 / std::numbers::sqrt2) / 2) : 0;
    const int top = inset;
    const int bottom = image.height() - inset;
    // Name and service text share one font, so one line height serves both.
    const int line = p.fontMetrics().height();

    if (point.DrawnKey == 0) {
        if (point.TxtPos == 0)
            p.drawText(image.rect(), Qt::AlignCenter | Qt::TextSingleLine, point.Name);
        else if (point.TxtPos == 1)
            DrawInBand(p, w, top, line, point.Name);
        else
            DrawInBand(p, w, bottom - line, line, point.Name);
        return image;
    }

    int nameTop = 0;
    int serviceTop = 0;
    if (point.TxtPos == 0) {
        nameTop = (image.height() - (2 * line + 2)) / 2;
        serviceTop = nameTop + line + 2;
    } else if (point.TxtPos == 1) {
        nameTop = top;
        serviceTop = top + line + 2;
    } else {
        serviceTop = bottom - line;
        nameTop = serviceTop - 2 - line;
    }
    DrawInBand(p, w, nameTop, line, point.Name);
    DrawInBand(p, w, serviceTop, line, ServiceTypeText(cfg, point.DrawnKey));
    return image;
}

QLabel* CreateCallPointImage(const TLayOutPoint& point, int index, QWidget* panel, const TConfig& cfg)
{
    auto* image = new QLabel(panel);
    image->setObjectName(QStringLiteral("Img%1").arg(index));
    image->setGeometry(point.XPos, point.YPos, point.Width, point.Height);
    image->setProperty(PointIndexProperty, index);
    image->setPixmap(PointPixmap(point, cfg));
    image->show();
    return image;
}
