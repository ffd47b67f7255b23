#include "fonts.h"

#include <array>
#include <utility>

namespace platform {

namespace {
struct FaceMapping {
    std::string_view face;
    const char* family;
};

constexpr std::array kFaces = {
    FaceMapping{"Arial", "Liberation Sans"},
    FaceMapping{"Tahoma", "DejaVu Sans"},
    FaceMapping{"MS Shell Dlg 2", "DejaVu Sans"},
    FaceMapping{"MS Sans Serif", "DejaVu Sans"},
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
    font.setPixelSize(pixelHeight);
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferDefault);
    return font;
}

} // namespace platform
