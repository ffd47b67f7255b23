#pragma once

#include "platform/timer.h"

#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QWidget>

namespace widgets {

// The shared pointer-leave poller: one per process, watching at most one control. It catches
// a pointer that left the control without the idle-time tracking noticing, for instance by
// leaving the application's windows quickly, and tells the control its leave.
class TJvMouseTimer : public QObject {
public:
    static constexpr int kInterval = 200;

    // The poller of this process, created at first use and destroyed with the application.
    static TJvMouseTimer& instance();

    // Watches control instead of the one watched so far, which is told its leave first.
    void attach(QWidget* control);
    // Stops watching control, if it is the one watched.
    void detach(QWidget* control);

    QWidget* attached() const { return m_control; }
    bool isActive() const { return m_timer.isActive(); }
    int interval() const { return m_timer.interval(); }
    // One tick, as the timer runs it.
    void tick();

private:
    explicit TJvMouseTimer(QObject* parent);
    void stopWatching();

    QPointer<QWidget> m_control;
    QMetaObject::Connection m_destroyed;
    platform::Timer m_timer{kInterval};
};

} // namespace widgets
