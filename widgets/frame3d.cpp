#include "frame3d.h"

#include <QPainter>

namespace widgets {

QRect frame3D(QPainter& painter, QRect rect, const QColor& topColor, const QColor& bottomColor,
              int width) {
    for (int i = 0; i < width && rect.width() > 0 && rect.height() > 0; ++i) {
        const int l = rect.left();
        const int t = rect.top();
        const int r = rect.right();
        const int b = rect.bottom();
        painter.fillRect(QRect(l, t, 1, rect.height()), topColor);
        painter.fillRect(QRect(l, t, rect.width() - 1, 1), topColor);
        painter.fillRect(QRect(r, t, 1, rect.height()), bottomColor);
        painter.fillRect(QRect(l, b, rect.width(), 1), bottomColor);
        rect.adjust(1, 1, -1, -1);
    }
    return rect;
}

} // namespace widgets
