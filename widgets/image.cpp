#include "image.h"

#include <QPainter>

namespace widgets {

TImage::TImage(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
}

void TImage::setPicture(const QImage& picture) {
    m_source = nullptr;
    m_picture = picture;
    update();
}

void TImage::setPictureSource(std::function<QImage()> source) {
    m_source = std::move(source);
    m_picture = QImage();
    update();
}

const QImage& TImage::picture() const {
    if (m_source) {
        m_picture = m_source();
        m_source = nullptr;
    }
    return m_picture;
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
    if (!picture().isNull())
        painter.drawImage(QPoint(0, 0), picture());
}

} // namespace widgets
