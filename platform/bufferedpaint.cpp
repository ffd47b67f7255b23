#include "bufferedpaint.h"

namespace platform {

BufferedPaint::BufferedPaint(QWidget& widget, QImage& buffer) : m_widget(widget), m_buffer(buffer) {
    if (m_buffer.size() != widget.size())
        m_buffer = QImage(widget.size(), QImage::Format_RGB32);
}

BufferedPaint::~BufferedPaint() {
    m_painter.reset();
    QPainter screen(&m_widget);
    screen.drawImage(0, 0, m_buffer);
}

QPainter& BufferedPaint::painter() {
    if (!m_painter)
        m_painter.emplace(&m_buffer);
    return *m_painter;
}

} // namespace platform
