#pragma once

#include <QColor>
#include <QRect>

class QPainter;

namespace widgets {

// Draws width nested one-pixel frames inward from rect: top and left in topColor, right and
// bottom in bottomColor, the top-right and bottom-left corner pixels in bottomColor. Returns
// the rectangle left inside the frames.
QRect frame3D(QPainter& painter, QRect rect, const QColor& topColor, const QColor& bottomColor,
              int width);

} // namespace widgets
