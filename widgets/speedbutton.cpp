#include "speedbutton.h"

#include "frame3d.h"
#include "platform/colorscheme.h"
#include "platform/fonts.h"

#include <QMouseEvent>
#include <QPainter>

#include <map>
#include <tuple>

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
    m_painted.reset();
    update();
}

void TSpeedButton::setFontColor(platform::ColorSetting color) {
    if (color == m_fontColor)
        return;
    m_fontColor = color;
    lookChanged();
}

void TSpeedButton::setFontPointSize(int points) {
    if (points == m_pointSize)
        return;
    m_pointSize = points;
    lookChanged();
}

void TSpeedButton::lookChanged() {
    if (m_checkPending)
        return;
    m_checkPending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_checkPending = false;
            if (m_painted != look())
                update();
        },
        Qt::QueuedConnection);
}

void TSpeedButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, face());
    m_painted = look();
}

// Every candidate looks like one of a few dozen faces, so each face is drawn once and copied.
// The key is compared field by field: a whole board repaints 729 faces, and formatting a text
// key for each cost more than copying the face.
QPixmap TSpeedButton::face() const {
    using Key = std::tuple<QString, QRgb, int, bool, int, int, qreal>;
    static std::map<Key, QPixmap> faces;
    const qreal ratio = devicePixelRatioF();
    const Key key{
        m_caption, platform::resolve(m_fontColor).rgb(), m_pointSize, m_down, width(), height(),
        ratio};
    if (const auto found = faces.find(key); found != faces.end())
        return found->second;
    // Faces differ only by caption, colour, size and layout: a few hundred at most. A bound
    // still keeps odd sizes from piling up.
    if (faces.size() >= 1024)
        faces.clear();
    QPixmap pixmap(QSize(width(), height()) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    QPainter painter(&pixmap);
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
    painter.end();
    faces.emplace(key, pixmap);
    return pixmap;
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
