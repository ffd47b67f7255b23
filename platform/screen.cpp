#include "screen.h"

#include <QGuiApplication>
#include <QScreen>

namespace platform {

namespace {
std::optional<int>& heightOverride() {
    static std::optional<int> height;
    return height;
}
} // namespace

int primaryScreenHeight() {
    if (heightOverride())
        return *heightOverride();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        return screen->geometry().height();
    return 0;
}

void setScreenHeightOverride(std::optional<int> height) {
    heightOverride() = height;
}

} // namespace platform
