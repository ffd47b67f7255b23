#pragma once

#include <QTimer>

#include <functional>

namespace platform {

// An event-loop timer whose start leaves a running interval alone: a second start while it
// runs must not push its tick further away.
class Timer {
public:
    explicit Timer(int intervalMs);

    void setHandler(std::function<void()> handler) { m_handler = std::move(handler); }
    void start();
    void stop() { m_timer.stop(); }
    bool isActive() const { return m_timer.isActive(); }
    int interval() const { return m_timer.interval(); }
    int remainingTime() const { return m_timer.remainingTime(); }
    // How often an interval has begun: a start while running does not count.
    int intervalsBegun() const { return m_intervalsBegun; }

    // Runs the tick at once, as the event loop would when the interval ends.
    void fire();

private:
    QTimer m_timer;
    std::function<void()> m_handler;
    int m_intervalsBegun = 0;
};

} // namespace platform
