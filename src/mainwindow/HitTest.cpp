#include "mainwindow/HitTest.h"

namespace {

constexpr int Rim = 2;
constexpr int CaptionBottom = 30;

}  // namespace

THitZone MainHitTest(const QPoint& p, const QSize& clientSize, bool overButton)
{
    if (overButton)
        return THitZone::Client;
    const int x = p.x();
    const int y = p.y();
    const bool atLeft = x <= Rim;
    const bool atRight = x >= clientSize.width() - Rim;
    if (y < CaptionBottom) {
        if (y > Rim)
            return THitZone::Caption;
        return atLeft ? THitZone::TopLeft : atRight ? THitZone::TopRight : THitZone::Top;
    }
    if (y >= clientSize.height() - Rim)
        return atLeft ? THitZone::BottomLeft : atRight ? THitZone::BottomRight : THitZone::Bottom;
    return atLeft ? THitZone::Left : atRight ? THitZone::Right : THitZone::Client;
}

Qt::Edges ResizeEdges(THitZone zone)
{
    switch (zone) {
    case THitZone::Left: return Qt::LeftEdge;
    case THitZone::Right: return Qt::RightEdge;
    case THitZone::Top: return Qt::TopEdge;
    case THitZone::Bottom: return Qt::BottomEdge;
    case THitZone::TopLeft: return Qt::TopEdge | Qt::LeftEdge;
    case THitZone::TopRight: return Qt::TopEdge | Qt::RightEdge;
    case THitZone::BottomLeft: return Qt::BottomEdge | Qt::LeftEdge;
    case THitZone::BottomRight: return Qt::BottomEdge | Qt::RightEdge;
    case THitZone::Client:
    case THitZone::Caption: break;
    }
    return {};
}

Qt::CursorShape ZoneCursor(THitZone zone)
{
    switch (zone) {
    case THitZone::Left:
    case THitZone::Right: return Qt::SizeHorCursor;
    case THitZone::Top:
    case THitZone::Bottom: return Qt::SizeVerCursor;
    case THitZone::TopLeft:
    case THitZone::BottomRight: return Qt::SizeFDiagCursor;
    case THitZone::TopRight:
    case THitZone::BottomLeft: return Qt::SizeBDiagCursor;
    case THitZone::Client:
    case THitZone::Caption: break;
    }
    return Qt::ArrowCursor;
}
