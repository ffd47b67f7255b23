#include "jvpanel.h"

#include "frame3d.h"
#include "mousetimer.h"
#include "platform/bufferedpaint.h"
#include "platform/colorscheme.h"
#include "platform/drawtext.h"
#include "platform/pointer.h"

#include <QPainter>

namespace widgets {

using platform::SystemColor;
using platform::systemColor;

class TJvPanelClient : public QWidget {
public:
    TJvPanelClient(TJvPanel* panel) : QWidget(panel), m_panel(panel) {
        setFocusPolicy(Qt::NoFocus);
        setAttribute(Qt::WA_OpaquePaintEvent);
        platform::setPartOfParent(this);
    }

protected:
    void paintEvent(QPaintEvent*) override { m_panel->paintClient(*this); }

private:
    TJvPanel* m_panel;
};

TJvPanel::TJvPanel(QWidget* parent) : QWidget(parent), m_client(new TJvPanelClient(this)) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(185, 41);
    platform::PointerTracker::instance();
}

TJvPanel::~TJvPanel() {
    TJvMouseTimer::instance().detach(this);
}

bool TJvPanel::event(QEvent* event) {
    if (event->type() == platform::PointerCrossing::eventType()) {
        const auto& crossing = static_cast<const platform::PointerCrossing&>(*event);
        if (crossing.kind() == platform::PointerCrossing::Kind::Enter)
            mouseEnter(crossing.onBehalfOf());
        else
            mouseLeave(crossing.onBehalfOf());
        return true;
    }
    if (event->type() == QEvent::EnabledChange)
        m_client->update();
    return QWidget::event(event);
}

void TJvPanel::mouseEnter(QWidget* control) {
    if (control != nullptr)
        return;
    if (!m_mouseOver) {
        m_savedColor = m_color;
        setColor(m_hotColor);
        TJvMouseTimer::instance().attach(this);
    }
    m_mouseOver = true;
}

void TJvPanel::mouseLeave(QWidget* control) {
    if (control != nullptr)
        return;
    if (m_mouseOver) {
        setColor(m_savedColor);
        TJvMouseTimer::instance().detach(this);
    }
    m_mouseOver = false;
}

QWidget* TJvPanel::client() const {
    return m_client;
}

void TJvPanel::setCaption(const QString& caption) {
    if (caption == m_caption)
        return;
    m_caption = caption;
    m_client->update();
}

void TJvPanel::setColor(platform::ColorSetting color) {
    if (color == m_color)
        return;
    m_color = color;
    m_client->update();
}

void TJvPanel::setFlatBorder(bool on) {
    if (on == m_flatBorder)
        return;
    m_flatBorder = on;
    m_client->update();
}

void TJvPanel::setFlatBorderColor(platform::ColorSetting color) {
    if (color == m_flatBorderColor)
        return;
    m_flatBorderColor = color;
    m_client->update();
}

void TJvPanel::setHotColor(platform::ColorSetting color) {
    if (color == m_hotColor)
        return;
    m_hotColor = color;
    m_client->update();
}

void TJvPanel::setBorderSingle(bool single) {
    m_borderSingle = single;
    placeClient();
    update();
}

void TJvPanel::setBevels(Bevel outer, Bevel inner, int bevelWidth, int borderWidth) {
    m_bevelOuter = outer;
    m_bevelInner = inner;
    m_bevelWidth = bevelWidth;
    m_borderWidth = borderWidth;
    m_client->update();
}

void TJvPanel::setMultiLine(bool on) {
    if (on == m_multiLine)
        return;
    m_multiLine = on;
    m_client->update();
}

void TJvPanel::setAlignment(Qt::Alignment horizontal) {
    m_alignment = horizontal;
    m_client->update();
}

void TJvPanel::setCaptionFont(const QFont& font) {
    m_captionFont = font;
    m_client->update();
}

void TJvPanel::placeClient() {
    const int edge = edgeWidth();
    m_client->setGeometry(edge, edge, std::max(0, width() - 2 * edge),
                          std::max(0, height() - 2 * edge));
}

void TJvPanel::resizeEvent(QResizeEvent*) {
    placeClient();
}

void TJvPanel::paintEvent(QPaintEvent*) {
    if (!m_borderSingle)
        return;
    // The sunken client edge: shadow over highlight outside, dark shadow over light inside.
    QPainter painter(this);
    QRect r = frame3D(painter, rect(), systemColor(SystemColor::ButtonShadow),
                      systemColor(SystemColor::ButtonHighlight), 1);
    frame3D(painter, r, systemColor(SystemColor::DarkShadow), systemColor(SystemColor::Light), 1);
}

void TJvPanel::paintClient(QWidget& client) {
    platform::BufferedPaint paint(client, m_buffer);
    const QRect area = client.rect();
    paint.image().fill(platform::resolve(m_color));
    QPainter& painter = paint.painter();
    if (m_flatBorder) {
        const QColor line = platform::resolve(m_flatBorderColor);
        frame3D(painter, area, line, line, 1);
    }
    if (m_caption.isEmpty())
        return;

    const int inset = m_borderWidth + (m_bevelOuter != Bevel::None ? m_bevelWidth : 0) +
                      (m_bevelInner != Bevel::None ? m_bevelWidth : 0);
    platform::TextFlags flags = platform::TextFlag::ExpandTabs;
    flags |= m_multiLine ? platform::TextFlag::WordBreak : platform::TextFlag::SingleLine;
    if (m_alignment & Qt::AlignHCenter)
        flags |= platform::TextFlag::Center;
    else if (m_alignment & Qt::AlignRight)
        flags |= platform::TextFlag::Right;
    QRect text = area.adjusted(inset, inset, -inset, -inset);
    platform::drawText(nullptr, m_captionFont, m_caption, text,
                       flags | platform::TextFlag::CalcRect);
    // The caption is placed against the outer size, edge included, not the client size.
    text.moveTop((height() - text.height()) / 2);
    if (m_alignment & Qt::AlignHCenter)
        text.moveLeft((width() - text.width()) / 2);
    else if (m_alignment & Qt::AlignRight)
        text.moveLeft(width() - text.width() - inset);
    painter.setPen(isEnabled() ? systemColor(SystemColor::WindowText)
                               : systemColor(SystemColor::GrayText));
    platform::drawText(&painter, m_captionFont, m_caption, text, flags);
}

} // namespace widgets
