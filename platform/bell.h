#pragma once

#include <functional>

namespace platform {

// The system's alert sound; type 0 is the default alert, the desktop bell here.
void messageBeep(unsigned type);

// Lets tests hear the bell. An empty hook restores the desktop bell.
void setBeepHook(std::function<void(unsigned)> hook);

} // namespace platform
