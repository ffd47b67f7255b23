#include "jvpanel.h"

#include "frame3d.h"
#include "platform/colorscheme.h"

#include <QFontMetrics>
#include <QPainter>

namespace widgets {

using platform::SystemColor;
using platform::systemColor;

class TJvPanelClient : public QWidget {
public:
    TJvPanelClient(TJvPanel* panel) : QWidget(panel), m_panel(panel) {
        setFocusPolicy(Qt::NoFocus);
        setAttribute(Qt::WA_OpaquePaintEvent);
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
    QPainter painter(&client);
    const QRect area = client.rect();
    painter.fillRect(area, platform::resolve(m_color));
    if (m_flatBorder) {
        const QColor line = platform::resolve(m_flatBorderColor);
        frame3D(painter, area, line, line, 1);
    }
    if (m_caption.isEmpty())
        return;

    const int bevels = (m_bevelOuter != Bevel::None ? m_bevelWidth : 0) +
                       (m_bevelInner != Bevel::None ? m_bevelWidth : 0);
    const QRect captionArea = area.adjusted(m_borderWidth + bevels, m_borderWidth + bevels,
                                            -(m_borderWidth + bevels), -(m_borderWidth + bevels));
    const int flags = (m_multiLine ? Qt::TextWordWrap : Qt::TextSingleLine) | Qt::TextExpandTabs;
    painter.setFont(m_captionFont);
    const QRect measured =
        painter.boundingRect(captionArea, flags | Qt::AlignLeft | Qt::AlignTop, m_caption);
    // The caption is placed against the outer size, edge included, as the original panel did.
    const int top = (height() - measured.height()) / 2;
    int left = captionArea.left();
    if (m_alignment & Qt::AlignHCenter)
        left = (width() - measured.width()) / 2;
    else if (m_alignment & Qt::AlignRight)
        left = width() - measured.width() - m_borderWidth - bevels;
    painter.setPen(isEnabled() ? systemColor(SystemColor::WindowText)
                               : systemColor(SystemColor::GrayText));
    painter.drawText(QRect(left, top, measured.width(), measured.height()),
                     flags | Qt::AlignLeft | Qt::AlignTop, m_caption);
}

} // namespace widgets
