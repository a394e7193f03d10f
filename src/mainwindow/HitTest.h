#pragma once
// Where a point of the borderless main window lies for the window manager:
// the title band moves the window, the 2-pixel rim resizes it.
#include <QPoint>
#include <QSize>
#include <Qt>

enum class THitZone { Client, Caption, Left, Right, Top, Bottom, TopLeft, TopRight, BottomLeft, BottomRight };

// The zone of client point p in a window of that client size; a point over a
// button is always client area.
THitZone MainHitTest(const QPoint& p, const QSize& clientSize, bool overButton);

// The edges a resize from that zone moves; none for client area and caption.
Qt::Edges ResizeEdges(THitZone zone);
// The pointer shape over that zone.
Qt::CursorShape ZoneCursor(THitZone zone);
