#include "bell.h"

#include "titlebar.h"

#include <QApplication>

#include <canberra.h>

#include <condition_variable>
#include <mutex>
#include <thread>

namespace platform {

namespace {

std::function<void(unsigned)>& beepHook() {
    static std::function<void(unsigned)> hook;
    return hook;
}

// The desktop's bell sound from its sound theme, for a platform without a bell of its own.
// libcanberra runs on a thread of its own: opening a context may wait for a sound server, and
// the click that rang must not. Rings that arrive while one is being played sound once.
class ThemeBell {
public:
    // Never destroyed: at exit its thread may still be waiting for a sound server.
    static ThemeBell& instance() {
        static auto* bell = new ThemeBell;
        return *bell;
    }

    void ring() {
        {
            const std::lock_guard lock(m_mutex);
            m_ringing = true;
        }
        m_wake.notify_one();
    }

private:
    ThemeBell() {
        std::thread([this] { run(); }).detach();
    }

    void run() {
        ca_context* context = nullptr;
        for (;;) {
            {
                std::unique_lock lock(m_mutex);
                m_wake.wait(lock, [this] { return m_ringing; });
                m_ringing = false;
            }
            // Opened at the first ring, and again after a failure: a sound server that was
            // missing may have started since.
            if (context == nullptr)
                context = open();
            if (context != nullptr && !play(context)) {
                ca_context_destroy(context);
                context = nullptr;
            }
        }
    }

    static ca_context* open() {
        ca_context* context = nullptr;
        if (ca_context_create(&context) != CA_SUCCESS)
            return nullptr;
        ca_context_change_props(context, CA_PROP_APPLICATION_NAME, "Zarvick",
                                CA_PROP_APPLICATION_ID, "org.example.zarvick", nullptr);
        if (ca_context_open(context) != CA_SUCCESS) {
            ca_context_destroy(context);
            return nullptr;
        }
        return context;
    }

    // False when the sound server is gone; a theme without a bell is no failure.
    static bool play(ca_context* context) {
        int result = CA_ERROR_NOTFOUND;
        for (const char* event : {"bell-window-system", "bell"}) {
            // The server keeps the short sound after its first ring.
            result = ca_context_play(context, 0, CA_PROP_EVENT_ID, event, CA_PROP_EVENT_DESCRIPTION,
                                     "Bell", CA_PROP_CANBERRA_CACHE_CONTROL, "permanent", nullptr);
            if (result != CA_ERROR_NOTFOUND)
                break;
        }
        return result == CA_SUCCESS || result == CA_ERROR_NOTFOUND;
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_ringing = false;
};

} // namespace

void messageBeep(unsigned type) {
    if (beepHook()) {
        beepHook()(type);
        return;
    }
    // Qt's Wayland plugin has no bell.
    if (isWayland())
        ThemeBell::instance().ring();
    else
        QApplication::beep();
}

void setBeepHook(std::function<void(unsigned)> hook) {
    beepHook() = std::move(hook);
}

} // namespace platform
