#include "label.h"

#include "platform/colorscheme.h"
#include "platform/drawtext.h"

#include <QMouseEvent>
#include <QPainter>

namespace widgets {

namespace {
platform::TextFlags flagsFor(bool wordWrap) {
    return wordWrap ? platform::TextFlags(platform::TextFlag::WordBreak)
                    : platform::TextFlags(platform::TextFlag::SingleLine);
}
} // namespace

TLabel::TLabel(QWidget* parent, const QString& text, bool wordWrap)
    : QWidget(parent), m_text(text), m_wordWrap(wordWrap) {
    setFocusPolicy(Qt::NoFocus);
}

void TLabel::setText(const QString& text) {
    if (text == m_text)
        return;
    m_text = text;
    fit();
    update();
}

void TLabel::setFontColor(platform::ColorSetting color) {
    m_fontColor = color;
    update();
}

void TLabel::place(const QRect& designed) {
    setGeometry(designed);
    fit();
}

bool TLabel::event(QEvent* event) {
    if (event->type() == QEvent::Polish) {
        m_polished = true;
        fit();
    }
    return QWidget::event(event);
}

void TLabel::fit() {
    if (!m_polished)
        return;
    QRect measured(0, 0, m_wordWrap ? width() : 0, 0);
    platform::drawText(nullptr, font(), m_text.isEmpty() ? QStringLiteral(" ") : m_text, measured,
                       flagsFor(m_wordWrap) | platform::TextFlag::CalcRect);
    resize(m_wordWrap ? width() : measured.width(), measured.height());
}

void TLabel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange)
        fit();
    QWidget::changeEvent(event);
}

void TLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(platform::resolve(m_fontColor));
    QRect area = rect();
    platform::drawText(&painter, font(), m_text, area, flagsFor(m_wordWrap));
}

void TLabel::click() {
    // Copied: the handler may replace itself.
    if (auto handler = m_onClick)
        handler();
}

void TLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        click();
}

} // namespace widgets
