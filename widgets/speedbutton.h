#pragma once

#include "platform/colorsetting.h"

#include <QPixmap>
#include <QWidget>

#include <functional>
#include <optional>

namespace widgets {

// A small raised push button that never takes the keyboard focus. It clicks when a left press
// that began on it ends over it, and reports every press of any mouse button.
class TSpeedButton : public QWidget {
public:
    explicit TSpeedButton(QWidget* parent);

    QString caption() const { return m_caption; }
    void setCaption(const QString& caption);
    platform::ColorSetting fontColor() const { return m_fontColor; }
    void setFontColor(platform::ColorSetting color);
    int fontPointSize() const { return m_pointSize; }
    void setFontPointSize(int points);

    void setOnClick(std::function<void(TSpeedButton&)> handler) { m_onClick = std::move(handler); }
    void setOnMouseDown(std::function<void(TSpeedButton&, Qt::MouseButton)> handler) {
        m_onMouseDown = std::move(handler);
    }

    bool isDown() const { return m_down; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    struct Look {
        platform::ColorSetting color;
        int points;
        bool down;
        friend bool operator==(const Look&, const Look&) = default;
    };
    Look look() const { return {m_fontColor, m_pointSize, m_down}; }
    // Repaints at most once per batch of changes, and only when the button would look different
    // from what it last painted: a clear resets every yellow candidate and the recomputation
    // makes most of them yellow again within one handler.
    void lookChanged();
    QPixmap face() const;

    QString m_caption;
    std::optional<Look> m_painted;
    bool m_checkPending = false;
    platform::ColorSetting m_fontColor = platform::kWindowText;
    int m_pointSize = 10;
    bool m_pressed = false; // a left press began here and has not ended
    bool m_down = false;    // drawn sunken: pressed and the pointer is over the button
    std::function<void(TSpeedButton&)> m_onClick;
    std::function<void(TSpeedButton&, Qt::MouseButton)> m_onMouseDown;
};

} // namespace widgets
