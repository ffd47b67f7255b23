#pragma once

#include <QEvent>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QWidget>

#include <optional>

namespace platform {

// Pointer enter or leave, as the idle-time tracking or the leave poller reports it. A control
// first hears of its own crossing (onBehalfOf null); its container then hears of it on behalf
// of that control, so a container can tell its own margin from one of its children.
class PointerCrossing : public QEvent {
public:
    enum class Kind { Enter, Leave };

    PointerCrossing(Kind kind, QWidget* onBehalfOf)
        : QEvent(eventType()), m_kind(kind), m_onBehalfOf(onBehalfOf) {}

    static QEvent::Type eventType();

    Kind kind() const { return m_kind; }
    QWidget* onBehalfOf() const { return m_onBehalfOf; }

private:
    Kind m_kind;
    QWidget* m_onBehalfOf;
};

// Tells control of its own crossing, then its container on its behalf.
void sendPointerCrossing(QWidget* control, PointerCrossing::Kind kind);

// Tests stand in for the pointer's position on the screen: the offscreen platform does not
// follow synthetic mouse events. Setting it counts as a pointer movement, so it also ends a
// window leave (below).
void setPointerPositionOverride(std::optional<QPoint> position);

// A widget that only carries its parent's children, such as a panel's client area: the
// pointer over it counts as over the parent, and crossings of its children are reported to
// the parent.
void setPartOfParent(QWidget* widget);
bool isPartOfParent(const QWidget* widget);
// The control that holds widget, skipping widgets that are part of their parent.
QWidget* containerOf(const QWidget* widget);

// Pointer capture from a press to its release. Qt's implicit grab already routes the mouse
// events; the capture decides who is told of crossings meanwhile.
void setCapture(QWidget* control);
void releaseCapture(const QWidget* control);
QWidget* captureControl();

// Looks up the control under the pointer each time the event loop runs out of work (and soon
// after every mouse event); when it differs from the one seen last, the last one is told
// leave and the new one enter. While a control holds the capture only it is told, but the
// record of the control under the pointer follows the pointer all the same.
//
// The pointer's position is only what our own windows were told: the last mouse event, or
// the position a window was entered at. A window's own leave is the truth that the pointer
// is over none of our controls, and is acted on at once; nothing asks the platform where the
// pointer is, since a Wayland program cannot learn that outside its windows.
class PointerTracker : public QObject {
public:
    // The tracker of this application, installed on first use.
    static PointerTracker& instance();

    void check();

    // The enabled control at a screen position, or null where no window of ours is, or where
    // a modal window blocks the one under the pointer.
    static QWidget* controlAt(QPoint global);
    // The position the tracking works from: none after the pointer left our windows, else
    // the override, else the last mouse event's or window entry's.
    std::optional<QPoint> position() const;
    QWidget* lastControl() const { return m_last; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit PointerTracker(QObject* parent);
    void scheduleCheck();
    void windowEntered(QWidget* window, QPoint global);
    void windowLeft(QWidget* window);

    QPointer<QWidget> m_last;
    // The window of ours the pointer was last reported in.
    QPointer<QWidget> m_window;
    std::optional<QPoint> m_eventPosition;
    bool m_checkPending = false;
};

} // namespace platform
