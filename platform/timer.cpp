#include "timer.h"

namespace platform {

Timer::Timer(int intervalMs) {
    m_timer.setInterval(intervalMs);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { fire(); });
}

void Timer::start() {
    if (m_timer.isActive())
        return;
    m_timer.start();
    ++m_intervalsBegun;
}

void Timer::fire() {
    if (m_handler)
        m_handler();
}

} // namespace platform
