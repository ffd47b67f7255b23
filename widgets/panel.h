#pragma once

#include "platform/colorsetting.h"

#include <QFont>
#include <QWidget>

#include <functional>

namespace widgets {

enum class Bevel { None, Lowered, Raised };

// A plain panel: outer bevel, a border in the panel's colour, inner bevel, then the caption
// centred on one line. A left click that ends over it calls the click handler.
class TPanel : public QWidget {
public:
    explicit TPanel(QWidget* parent);

    QString caption() const { return m_caption; }
    void setCaption(const QString& caption);
    platform::ColorSetting color() const { return m_color; }
    void setColor(platform::ColorSetting color);
    platform::ColorSetting fontColor() const { return m_fontColor; }
    void setFontColor(platform::ColorSetting color);
    void setCaptionFont(const QFont& font);
    void setBevels(Bevel outer, Bevel inner, int bevelWidth, int borderWidth);

    void setOnClick(std::function<void(TPanel&)> handler) { m_onClick = std::move(handler); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QString m_caption;
    platform::ColorSetting m_color = platform::kButtonFace;
    platform::ColorSetting m_fontColor = platform::kWindowText;
    QFont m_captionFont;
    Bevel m_outer = Bevel::Raised;
    Bevel m_inner = Bevel::None;
    int m_bevelWidth = 1;
    int m_borderWidth = 0;
    bool m_pressed = false;
    std::function<void(TPanel&)> m_onClick;
};

// A group box: an etched frame whose top line runs through the middle of the caption.
class TGroupBox : public QWidget {
public:
    TGroupBox(QWidget* parent, const QString& caption, const QFont& font);

    QString caption() const { return m_caption; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_caption;
    QFont m_font;
};

} // namespace widgets
