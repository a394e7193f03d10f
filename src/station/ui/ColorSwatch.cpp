#include "station/ui/ColorSwatch.h"

#include "core/ui/Colors.h"

#include <QColorDialog>
#include <QPainter>

TColorSwatch::TColorSwatch(QWidget* parent) : QPushButton(parent)
{
    setMinimumSize(56, 22);
    connect(this, &QPushButton::clicked, this, &TColorSwatch::PickColor);
}

void TColorSwatch::SetColor(TColor color)
{
    color_ = color;
    update();
}

void TColorSwatch::paintEvent(QPaintEvent* event)
{
    QPushButton::paintEvent(event);
    QPainter painter(this);
    const QRect face = rect().adjusted(5, 5, -6, -6);
    painter.fillRect(face, ToQColor(color_));
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(face);
}

void TColorSwatch::PickColor()
{
    const QColor chosen = QColorDialog::getColor(ToQColor(color_), this);
    if (chosen.isValid())
        SetColor(FromQColor(chosen));
}
