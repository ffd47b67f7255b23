#include "speedbutton.h"

#include "frame3d.h"
#include "platform/colorscheme.h"
#include "platform/fonts.h"

#include <QMouseEvent>
#include <QPainter>

#include <map>

namespace widgets {

using platform::SystemColor;
using platform::systemColor;

namespace {
// All candidates share a handful of font sizes; building a QFont per paint would dominate.
const QFont& arialOfPoints(int points) {
    static std::map<int, QFont> fonts;
    auto it = fonts.find(points);
    if (it == fonts.end())
        it = fonts.emplace(points, platform::makeFont("Arial", platform::pointsToPixels(points)))
                 .first;
    return it->second;
}
} // namespace

TSpeedButton::TSpeedButton(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TSpeedButton::setCaption(const QString& caption) {
    if (caption == m_caption)
        return;
    m_caption = caption;
    update();
}

void TSpeedButton::setFontColor(platform::ColorSetting color) {
    if (color == m_fontColor)
        return;
    m_fontColor = color;
    update();
}

void TSpeedButton::setFontPointSize(int points) {
    if (points == m_pointSize)
        return;
    m_pointSize = points;
    update();
}

void TSpeedButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QRect face = rect();
    if (m_down) {
        face = frame3D(painter, face, systemColor(SystemColor::DarkShadow),
                       systemColor(SystemColor::ButtonHighlight), 1);
        face = frame3D(painter, face, systemColor(SystemColor::ButtonShadow),
                       systemColor(SystemColor::Light), 1);
    } else {
        face = frame3D(painter, face, systemColor(SystemColor::ButtonHighlight),
                       systemColor(SystemColor::DarkShadow), 1);
        face = frame3D(painter, face, systemColor(SystemColor::Light),
                       systemColor(SystemColor::ButtonShadow), 1);
    }
    painter.fillRect(face, systemColor(SystemColor::ButtonFace));
    painter.setFont(arialOfPoints(m_pointSize));
    painter.setPen(platform::resolve(m_fontColor));
    const QRect textRect = m_down ? rect().translated(1, 1) : rect();
    painter.drawText(textRect, Qt::AlignCenter | Qt::TextSingleLine, m_caption);
}

void TSpeedButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_pressed = true;
        m_down = true;
        update();
    }
    if (m_onMouseDown)
        m_onMouseDown(*this, event->button());
}

void TSpeedButton::mouseMoveEvent(QMouseEvent* event) {
    if (!m_pressed)
        return;
    const bool over = rect().contains(event->position().toPoint());
    if (over != m_down) {
        m_down = over;
        update();
    }
}

void TSpeedButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_pressed)
        return;
    const bool over = rect().contains(event->position().toPoint());
    m_pressed = false;
    m_down = false;
    update();
    if (over && m_onClick)
        m_onClick(*this);
}

} // namespace widgets
