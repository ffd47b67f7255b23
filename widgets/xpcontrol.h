#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

#include <functional>

namespace platform {
class DialogKey;
}

namespace widgets {

// The XP-style control base: draw state (hovered, pressed, focused), the press and click
// bookkeeping, the XP-focus flag and the overridable steps a self-drawn control reacts in.
// Everything that decides on the look lives in the derived control.
class TJvXPCustomControl : public QWidget {
public:
    explicit TJvXPCustomControl(QWidget* parent);

    QString caption() const { return m_caption; }
    void setCaption(const QString& caption);

    // TabStop: in the keyboard focus order. Off, a click still gives the control the focus.
    bool tabStop() const { return focusPolicy() == Qt::StrongFocus; }
    void setTabStop(bool on) { setFocusPolicy(on ? Qt::StrongFocus : Qt::ClickFocus); }

    int modalResult() const { return m_modalResult; }
    void setModalResult(int result) { m_modalResult = result; }

    void setOnClick(std::function<void()> handler) { m_onClick = std::move(handler); }
    void setOnMouseEnter(std::function<void()> handler) { m_onMouseEnter = std::move(handler); }
    void setOnMouseLeave(std::function<void()> handler) { m_onMouseLeave = std::move(handler); }

    bool isHovered() const { return m_hovered; }
    bool isPressed() const { return m_pressed; }
    bool isFocused() const { return m_focused; }
    bool isClicking() const { return m_clicking; }
    // The control holding the focus in this window is an XP-style control.
    bool hasXPFocus() const { return m_xpFocus; }

    // Visible and enabled up to the window, and not excluded from the focus altogether.
    bool canFocus() const;

    // Writes the modal result into the window, then calls the click handler.
    virtual void click();

    // Redraw suspension is a switch, not a counter: one resume ends any number of suspends.
    void suspendRedraws() { m_redrawsSuspended = true; }
    void resumeRedraws();

protected:
    // The overridable steps, in slot order.
    virtual void redrawRequest();
    virtual void borderChanged() {}
    virtual void enabledChanged();
    virtual void focusChanged(QWidget* focused);
    virtual void pressBegun();
    virtual void pointerEntered();
    virtual void pointerLeft();
    virtual void pointerMoved(QPoint) {}
    virtual void pressEnded();
    virtual void containerColorChanged();
    virtual void containerFontChanged();
    virtual void moved() {}
    virtual void resized();
    virtual void captionChanged();
    void repaintUnlessSuspended();

    // Enter, Escape and accelerators that the window offers; the base acts on none.
    virtual void dialogKey(platform::DialogKey&) {}

    // The colour of the container, which shows around a control that does not fill itself.
    QColor containerColor() const;

    // The pointer is inside the control, by the pointer tracking's last known position.
    bool pointerInside() const;

    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

    bool m_hovered = false;
    bool m_pressed = false;
    bool m_focused = false;
    bool m_clicking = false;
    bool m_xpFocus = false;

private:
    QString m_caption;
    int m_modalResult = 0;
    bool m_redrawsSuspended = false;
    std::function<void()> m_onClick;
    std::function<void()> m_onMouseEnter;
    std::function<void()> m_onMouseLeave;
};

} // namespace widgets
