#include "fonts.h"

#include <QStringList>

#include <array>
#include <utility>

namespace platform {

namespace {
struct FaceMapping {
    std::string_view face;
    const char* family;
};

// The dialog faces are narrow sans faces; Liberation Sans keeps captions such as "Check for
// Remaining" on one line of their 113-pixel buttons, where the wider DejaVu Sans wraps them.
constexpr std::array kFaces = {
    FaceMapping{"Arial", "Liberation Sans"},
    FaceMapping{"Tahoma", "Liberation Sans"},
    FaceMapping{"MS Shell Dlg 2", "Liberation Sans"},
    FaceMapping{"MS Sans Serif", "Liberation Sans"},
};
} // namespace

QString installedFamily(std::string_view face) {
    for (const auto& mapping : kFaces) {
        if (mapping.face == face)
            return QString::fromLatin1(mapping.family);
    }
    return QStringLiteral("DejaVu Sans");
}

QFont makeFont(std::string_view face, int pixelHeight, bool bold) {
    QFont font(installedFamily(face));
    // Where the mapped face is missing, the always-present sans face stands in.
    font.setFamilies(QStringList{installedFamily(face), QStringLiteral("DejaVu Sans")});
    font.setPixelSize(pixelHeight);
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferDefault);
    return font;
}

} // namespace platform
