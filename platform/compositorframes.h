#pragma once

namespace platform {

// Whether the Wayland compositor offers to draw the frames of client windows: it announces the
// xdg-decoration manager among its globals. Asked once, over a short connection of its own.
bool compositorOffersFrames();

} // namespace platform
