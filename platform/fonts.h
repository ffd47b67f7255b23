#pragma once

#include <QFont>
#include <QString>

#include <string_view>

namespace platform {

// The installed family that stands in for a face name of the window descriptions.
QString installedFamily(std::string_view face);

// A font by face and character height in pixels (the em height, as the window descriptions
// give it), independent of the screen's dots per inch.
QFont makeFont(std::string_view face, int pixelHeight, bool bold = false);

// Character height in pixels of a point size on the 96 dpi design screen.
constexpr int pointsToPixels(int points) {
    return (points * 96 + 36) / 72;
}

} // namespace platform
