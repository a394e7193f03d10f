#pragma once
// Painting of gradient faces (call points and face buttons) and of call points.
#include "core/Config.h"
#include "layout/LayoutModel.h"

#include <QFont>
#include <QImage>

class QLabel;
class QWidget;

enum class TFaceStyle { Square, Tab, Round };

// Paints the face over the whole surface: base colour at the edge, light grey in the middle.
void DrawButtonFace(QImage& surface, TColor base, TFaceStyle style);
// The image of one call point in its current colours, with the service name of DrawnKey.
QImage DrawCallPoint(const TLayOutPoint& point, const TConfig& cfg);
// An image control for point `index` on the panel, transparent around a round face.
QLabel* CreateCallPointImage(const TLayOutPoint& point, int index, QWidget* panel, const TConfig& cfg);
