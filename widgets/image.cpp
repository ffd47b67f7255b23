#include "image.h"

#include <QPainter>

namespace widgets {

TImage::TImage(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
}

void TImage::setPicture(const QImage& picture) {
    m_picture = picture;
    update();
}

void TImage::setDrawer(std::function<void(QPainter&, const QRect&)> drawer) {
    m_drawer = std::move(drawer);
    update();
}

void TImage::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_drawer) {
        m_drawer(painter, rect());
        return;
    }
    if (!m_picture.isNull())
        painter.drawImage(QPoint(0, 0), m_picture);
}

} // namespace widgets
