#pragma once

#include <cstdint>
#include <vector>

// LZW-compresses palette indexes into GIF image data: the minimum code size byte followed by
// data sub-blocks of at most 255 bytes and the closing empty block.
std::vector<std::uint8_t> gifImageData(const std::vector<std::uint8_t>& indexes, int minCodeSize);
