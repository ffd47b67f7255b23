#pragma once

#include <cstdint>

namespace platform {

// The colour roles a stored colour setting may name instead of an RGB triple.
enum class SystemColor : std::uint8_t {
    WindowText,
    ButtonFace,
    ButtonShadow,
    ButtonHighlight,
    DarkShadow,
    Light,
    GrayText,
    Window,
};

// A colour as the program stores it: either a system role or an RGB triple. Two settings are
// equal only when they are the same setting; a role never equals an RGB triple, even when the
// scheme paints both alike, because the board decides on the setting, not on the pixel.
class ColorSetting {
public:
    static constexpr ColorSetting system(SystemColor role) {
        return ColorSetting(true, role, 0, 0, 0);
    }
    static constexpr ColorSetting rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
        return ColorSetting(false, SystemColor::WindowText, r, g, b);
    }

    constexpr bool isSystem() const { return m_system; }
    constexpr SystemColor role() const { return m_role; }
    constexpr std::uint8_t red() const { return m_r; }
    constexpr std::uint8_t green() const { return m_g; }
    constexpr std::uint8_t blue() const { return m_b; }

    friend constexpr bool operator==(const ColorSetting&, const ColorSetting&) = default;

private:
    constexpr ColorSetting(bool system, SystemColor role, std::uint8_t r, std::uint8_t g,
                           std::uint8_t b)
        : m_system(system), m_role(role), m_r(r), m_g(g), m_b(b) {}

    bool m_system;
    SystemColor m_role;
    std::uint8_t m_r;
    std::uint8_t m_g;
    std::uint8_t m_b;
};

inline constexpr ColorSetting kWindowText = ColorSetting::system(SystemColor::WindowText);
inline constexpr ColorSetting kButtonFace = ColorSetting::system(SystemColor::ButtonFace);
inline constexpr ColorSetting kYellow = ColorSetting::rgb(255, 255, 0);
inline constexpr ColorSetting kWhite = ColorSetting::rgb(255, 255, 255);
inline constexpr ColorSetting kNavy = ColorSetting::rgb(0, 0, 128);
inline constexpr ColorSetting kBlue = ColorSetting::rgb(0, 0, 255);

} // namespace platform
