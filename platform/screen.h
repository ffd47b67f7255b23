#pragma once

#include <optional>

namespace platform {

// Height of the primary screen in device-independent pixels.
int primaryScreenHeight();

// Tests stand in for the screen: the offscreen platform reports 800 pixels, which would
// otherwise put every test into the compact layout.
void setScreenHeightOverride(std::optional<int> height);

} // namespace platform
