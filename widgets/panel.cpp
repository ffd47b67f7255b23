#include "panel.h"

#include "frame3d.h"
#include "platform/colorscheme.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

namespace widgets {

using platform::SystemColor;
using platform::systemColor;

TPanel::TPanel(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPanel::setCaption(const QString& caption) {
    if (caption == m_caption)
        return;
    m_caption = caption;
    update();
}

void TPanel::setColor(platform::ColorSetting color) {
    if (color == m_color)
        return;
    m_color = color;
    update();
}

void TPanel::setFontColor(platform::ColorSetting color) {
    if (color == m_fontColor)
        return;
    m_fontColor = color;
    update();
}

void TPanel::setCaptionFont(const QFont& font) {
    m_captionFont = font;
    update();
}

void TPanel::setBevels(Bevel outer, Bevel inner, int bevelWidth, int borderWidth) {
    m_outer = outer;
    m_inner = inner;
    m_bevelWidth = bevelWidth;
    m_borderWidth = borderWidth;
    update();
}

namespace {
QRect bevel(QPainter& painter, const QRect& rect, Bevel kind, int width) {
    if (kind == Bevel::None)
        return rect;
    const QColor highlight = systemColor(SystemColor::ButtonHighlight);
    const QColor shadow = systemColor(SystemColor::ButtonShadow);
    return kind == Bevel::Raised ? frame3D(painter, rect, highlight, shadow, width)
                                 : frame3D(painter, rect, shadow, highlight, width);
}
} // namespace

void TPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor color = platform::resolve(m_color);
    QRect inside = bevel(painter, rect(), m_outer, m_bevelWidth);
    if (m_inner == Bevel::None) {
        // The border is the face's colour: one fill covers both, where the rings would take
        // four lines each, every one of them cut by the clip that the candidates leave.
        painter.fillRect(inside, color);
        for (int i = 0; i < m_borderWidth && inside.width() > 0 && inside.height() > 0; ++i)
            inside.adjust(1, 1, -1, -1);
    } else {
        inside = frame3D(painter, inside, color, color, m_borderWidth);
        inside = bevel(painter, inside, m_inner, m_bevelWidth);
        painter.fillRect(inside, color);
    }
    if (m_caption.isEmpty())
        return;
    painter.setFont(m_captionFont);
    painter.setPen(platform::resolve(m_fontColor));
    painter.drawText(inside, Qt::AlignCenter | Qt::TextSingleLine, m_caption);
}

void TPanel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        m_pressed = true;
}

void TPanel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_pressed)
        return;
    m_pressed = false;
    if (rect().contains(event->position().toPoint()) && m_onClick)
        m_onClick(*this);
}

TGroupBox::TGroupBox(QWidget* parent, const QString& caption, const QFont& font)
    : QWidget(parent), m_caption(caption), m_font(font) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TGroupBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor face = systemColor(SystemColor::ButtonFace);
    painter.fillRect(rect(), face);
    const QFontMetrics metrics(m_font);
    const int textHeight = metrics.height();
    // Etched frame: a highlight rectangle one pixel down and right under a shadow one.
    const QRect frame(0, textHeight / 2 - 1, width() - 1, height() - (textHeight / 2 - 1) - 1);
    painter.setPen(systemColor(SystemColor::ButtonHighlight));
    painter.drawRect(frame.translated(1, 1).adjusted(0, 0, -1, -1));
    painter.setPen(systemColor(SystemColor::ButtonShadow));
    painter.drawRect(frame.adjusted(0, 0, -1, -1));
    if (m_caption.isEmpty())
        return;
    painter.setFont(m_font);
    const QRect textRect(8, 0, metrics.horizontalAdvance(m_caption), textHeight);
    painter.fillRect(textRect, face);
    painter.setPen(systemColor(SystemColor::WindowText));
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, m_caption);
}

} // namespace widgets
