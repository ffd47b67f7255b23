#pragma once

#include "jvgifimage.h"

#include <cstdint>
#include <span>

namespace gif_detail {

// Decodes a frame's stored compressed data (code size byte, then sub-blocks with their length
// bytes) into the bitmap's rows. `corrupted` comes in as the frame's mark and goes out set when
// the data turned out damaged; a damaged frame keeps what was decoded and index 0 elsewhere.
void decodeLzw(std::span<const std::uint8_t> compressed, TGIFBitmap& bitmap, int bitsPerPixel,
               bool interlaced, bool& corrupted, const TProgressEvent& progress);

} // namespace gif_detail
