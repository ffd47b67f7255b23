#include "speedbutton.h"

#include "frame3d.h"
#include "platform/colorscheme.h"
#include "platform/fonts.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPixmapCache>

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
QPixmap TSpeedButton::face() const {
    const qreal ratio = devicePixelRatioF();
    const QString key = QStringLiteral("TSpeedButton/%1/%2/%3/%4/%5x%6@%7")
                            .arg(m_caption)
                            .arg(platform::resolve(m_fontColor).rgb())
                            .arg(m_pointSize)
                            .arg(m_down)
                            .arg(width())
                            .arg(height())
                            .arg(ratio);
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap))
        return pixmap;
    pixmap = QPixmap(QSize(width(), height()) * ratio);
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
    QPixmapCache::insert(key, pixmap);
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
