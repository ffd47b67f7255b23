#pragma once

#include "platform/colorsetting.h"

#include <QWidget>

#include <functional>

namespace widgets {

// A text label. A word-wrapped label keeps its width and takes the height its lines need;
// any other label takes the size of its one line. A label with a click handler acts as a link.
class TLabel : public QWidget {
public:
    TLabel(QWidget* parent, const QString& text, bool wordWrap);

    QString text() const { return m_text; }
    void setText(const QString& text);
    bool wordWrap() const { return m_wordWrap; }
    platform::ColorSetting fontColor() const { return m_fontColor; }
    void setFontColor(platform::ColorSetting color);
    void setOnClick(std::function<void()> handler) { m_onClick = std::move(handler); }
    bool isLink() const { return static_cast<bool>(m_onClick); }
    // Runs the click handler, as a left click on the label does.
    void click();

    // Places the label at the designed rectangle; it sizes itself to its text when it is first
    // shown, so that a window built at start-up and shown later measures no text before then.
    void place(const QRect& designed);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;

private:
    void fit();
    bool m_polished = false;

    QString m_text;
    bool m_wordWrap;
    platform::ColorSetting m_fontColor = platform::kWindowText;
    std::function<void()> m_onClick;
};

} // namespace widgets
