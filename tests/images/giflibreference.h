#pragma once

// Frame 0 as an independent decoder sees it, for comparisons only.

#include <cstdint>
#include <optional>
#include <vector>

namespace testgif {

struct ReferenceFrame {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> indexes; // top row first
};

std::optional<ReferenceFrame> giflibFrame0(const std::vector<std::uint8_t>& gif);

} // namespace testgif
