#pragma once

#include <QImage>

#include <cstdint>
#include <span>

// Pictures with more pixels than this are refused before anything of their size is allocated.
inline constexpr std::uint64_t kJpegMaxPixels = 64u * 1024u * 1024u;
// libjpeg's own buffers, beside the returned image: a progressive picture needs its whole
// coefficient arrays (about 2 bytes per sample), so this also bounds progressive pictures.
inline constexpr long kJpegMaxWorkingBytes = 32l * 1024 * 1024;
// Progressive scans read before the picture is refused; encoders write about ten.
inline constexpr int kJpegMaxScans = 50;

// Decodes a JPEG file image with libjpeg. A damaged, unsupported or too large picture gives a
// null image; it never ends the program, and a stream that ends early stops the decode there.
QImage loadJpeg(std::span<const std::uint8_t> bytes);
