#pragma once

#include <QImage>
#include <QPainter>
#include <QWidget>

#include <optional>

namespace platform {

// Paints a widget into an off-screen image and copies the image to the widget in one step
// when it goes out of scope, so that a repaint never shows a half-drawn state. The widget keeps
// the buffer between paints; it is reallocated only when the widget's size changes.
class BufferedPaint {
public:
    BufferedPaint(QWidget& widget, QImage& buffer);
    ~BufferedPaint();
    BufferedPaint(const BufferedPaint&) = delete;
    BufferedPaint& operator=(const BufferedPaint&) = delete;

    // For direct pixel work; do it before the first painter() call.
    QImage& image() { return m_buffer; }
    QPainter& painter();

private:
    QWidget& m_widget;
    QImage& m_buffer;
    std::optional<QPainter> m_painter;
};

} // namespace platform
