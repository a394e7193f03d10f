#pragma once
// Where the layout editor opens: centred on the main window, and wholly on the
// screen's available area (task bar and panels excluded), shrunk when the
// screen is smaller than the editor.
#include <QRect>

class QWidget;

// The outer rectangle (frame included) for a window of outer size `size`: centred on owner,
// then moved into available; a side longer than available's is cut to it.
QRect CentredWithin(const QRect& owner, const QSize& size, const QRect& available);

// Places window (not shown yet) by CentredWithin on owner's frame and owner's screen. Its own frame
// is not known before it is shown: the frame of another framed window of the station stands in
// for its size, or a title bar of the style's height.
void PlaceCentredOn(QWidget* window, const QWidget* owner);
