#include "pointer.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>

namespace platform {

namespace {

const char* const kPartOfParent = "zarvickPartOfParent";

std::optional<QPoint>& positionOverride() {
    static std::optional<QPoint> position;
    return position;
}

// The pointer left our windows and has not come back since.
bool& pointerOutside() {
    static bool outside = false;
    return outside;
}

QPointer<QWidget>& capture() {
    static QPointer<QWidget> control;
    return control;
}

} // namespace

QEvent::Type PointerCrossing::eventType() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

void sendPointerCrossing(QWidget* control, PointerCrossing::Kind kind) {
    QPointer<QWidget> guard(control);
    PointerCrossing own(kind, nullptr);
    QCoreApplication::sendEvent(control, &own);
    if (guard == nullptr)
        return;
    if (QWidget* container = containerOf(control)) {
        PointerCrossing onBehalf(kind, control);
        QCoreApplication::sendEvent(container, &onBehalf);
    }
}

void setPointerPositionOverride(std::optional<QPoint> position) {
    positionOverride() = position;
    pointerOutside() = false;
}

void setPartOfParent(QWidget* widget) {
    widget->setProperty(kPartOfParent, true);
}

bool isPartOfParent(const QWidget* widget) {
    return widget->property(kPartOfParent).toBool();
}

QWidget* containerOf(const QWidget* widget) {
    if (widget->isWindow())
        return nullptr;
    QWidget* parent = widget->parentWidget();
    while (parent != nullptr && isPartOfParent(parent) && !parent->isWindow())
        parent = parent->parentWidget();
    return parent;
}

void setCapture(QWidget* control) {
    capture() = control;
}

void releaseCapture(const QWidget* control) {
    if (capture() == control)
        capture() = nullptr;
}

QWidget* captureControl() {
    return capture();
}

PointerTracker::PointerTracker(QObject* parent) : QObject(parent) {
    qApp->installEventFilter(this);
    if (auto* dispatcher = QAbstractEventDispatcher::instance())
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &PointerTracker::check);
}

PointerTracker& PointerTracker::instance() {
    static QPointer<PointerTracker> tracker;
    if (tracker == nullptr)
        tracker = new PointerTracker(qApp);
    return *tracker;
}

std::optional<QPoint> PointerTracker::position() const {
    if (pointerOutside())
        return std::nullopt;
    if (positionOverride())
        return positionOverride();
    return m_eventPosition;
}

QWidget* PointerTracker::controlAt(QPoint global) {
    // The window the pointer was reported in comes first: on Wayland a window does not know
    // where it stands on the screen, so overlapping windows cannot be told apart by position.
    QWidget* control = nullptr;
    if (QWidget* window = instance().m_window; window != nullptr && window->isVisible()) {
        const QPoint local = window->mapFromGlobal(global);
        if (window->rect().contains(local)) {
            control = window->childAt(local);
            if (control == nullptr)
                control = window;
        }
    }
    if (control == nullptr)
        control = QApplication::widgetAt(global);
    while (control != nullptr && !control->isWindow() &&
           (isPartOfParent(control) || !control->isEnabled()))
        control = control->parentWidget();
    if (control == nullptr || !control->isEnabled())
        return nullptr;
    // A window that a modal one blocks gets no pointer messages.
    if (QWidget* modal = QApplication::activeModalWidget(); modal && control->window() != modal)
        return nullptr;
    return control;
}

void PointerTracker::check() {
    m_checkPending = false;
    const std::optional<QPoint> where = position();
    QWidget* now = where ? controlAt(*where) : nullptr;
    if (now == m_last)
        return;
    QPointer<QWidget> old = m_last;
    QPointer<QWidget> entered = now;
    m_last = now;
    const QWidget* captured = captureControl();
    if (old != nullptr && (captured == nullptr || old == captured))
        sendPointerCrossing(old, PointerCrossing::Kind::Leave);
    // The leave handler may have taken the capture away or destroyed the new control.
    captured = captureControl();
    if (entered != nullptr && (captured == nullptr || entered == captured))
        sendPointerCrossing(entered, PointerCrossing::Kind::Enter);
}

void PointerTracker::scheduleCheck() {
    if (m_checkPending)
        return;
    m_checkPending = true;
    QMetaObject::invokeMethod(this, &PointerTracker::check, Qt::QueuedConnection);
}

void PointerTracker::windowEntered(QWidget* window, QPoint global) {
    m_window = window;
    pointerOutside() = false;
    m_eventPosition = global;
    check();
}

void PointerTracker::windowLeft(QWidget* window) {
    // A leave that comes after the pointer was already reported in another window of ours.
    if (m_window != nullptr && m_window != window)
        return;
    m_window = nullptr;
    pointerOutside() = true;
    m_eventPosition.reset();
    check();
}

bool PointerTracker::eventFilter(QObject* watched, QEvent* event) {
    if (!watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    switch (event->type()) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        m_eventPosition = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
        pointerOutside() = false;
        if (m_window == nullptr)
            m_window = widget->window();
        scheduleCheck();
        break;
    case QEvent::Enter:
        if (widget->isWindow())
            windowEntered(widget, static_cast<QEnterEvent*>(event)->globalPosition().toPoint());
        break;
    case QEvent::Leave:
        if (widget->isWindow())
            windowLeft(widget);
        break;
    default:
        break;
    }
    return false;
}

} // namespace platform
