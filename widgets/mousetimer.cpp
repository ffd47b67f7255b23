#include "mousetimer.h"

#include "platform/pointer.h"

#include <QApplication>

namespace widgets {

TJvMouseTimer::TJvMouseTimer(QObject* parent) : QObject(parent) {
    m_timer.setHandler([this] { tick(); });
}

TJvMouseTimer& TJvMouseTimer::instance() {
    static QPointer<TJvMouseTimer> poller;
    if (poller == nullptr)
        poller = new TJvMouseTimer(qApp);
    return *poller;
}

void TJvMouseTimer::stopWatching() {
    disconnect(m_destroyed);
    m_control = nullptr;
}

void TJvMouseTimer::attach(QWidget* control) {
    m_timer.stop();
    if (m_control != nullptr && m_control != control) {
        QPointer<QWidget> previous = m_control;
        stopWatching();
        platform::sendPointerCrossing(previous, platform::PointerCrossing::Kind::Leave);
    }
    stopWatching();
    m_control = control;
    if (control == nullptr)
        return;
    m_destroyed = connect(control, &QObject::destroyed, this, [this, control] {
        // The pointer already reads null; compare the address the connection was made for.
        if (m_control == nullptr || m_control == control) {
            m_timer.stop();
            m_control = nullptr;
        }
    });
    m_timer.start();
}

void TJvMouseTimer::detach(QWidget* control) {
    if (control == nullptr || m_control != control)
        return;
    m_timer.stop();
    stopWatching();
}

void TJvMouseTimer::tick() {
    if (m_control == nullptr) {
        m_timer.stop();
        return;
    }
    // The control's outer rectangle on the screen: its bounds in its container's client area.
    QRect bounds = m_control->frameGeometry();
    if (QWidget* parent = m_control->parentWidget(); parent != nullptr && !m_control->isWindow())
        bounds.moveTopLeft(parent->mapToGlobal(bounds.topLeft()));
    // No known position means the pointer left our windows.
    const auto where = platform::PointerTracker::instance().position();
    if (!where || !bounds.contains(*where))
        platform::sendPointerCrossing(m_control, platform::PointerCrossing::Kind::Leave);
}

} // namespace widgets
