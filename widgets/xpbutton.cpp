#include "xpbutton.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace widgets {

TJvXPButton::TJvXPButton(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    resize(73, 21);
}

void TJvXPButton::setCaption(const QString& caption) {
    m_caption = caption;
    update();
}

void TJvXPButton::setGlyph(const QImage& glyph) {
    m_glyph = glyph;
    update();
}

void TJvXPButton::click() {
    if (m_onClick)
        m_onClick();
}

void TJvXPButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), m_pressed ? QColor(214, 207, 198) : QColor(247, 245, 242));
    painter.setPen(QColor(0, 56, 115));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.setPen(Qt::black);
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, m_caption);
}

void TJvXPButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    setFocus(Qt::MouseFocusReason);
    m_pressed = true;
    update();
}

void TJvXPButton::mouseReleaseEvent(QMouseEvent* event) {
    if (!m_pressed)
        return;
    if (rect().contains(event->position().toPoint()))
        click();
    m_pressed = false;
    update();
}

void TJvXPButton::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
        event->key() == Qt::Key_Enter) {
        if (event->key() != Qt::Key_Space)
            click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TJvXPButton::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        click();
        return;
    }
    QWidget::keyReleaseEvent(event);
}

} // namespace widgets
