#pragma once

#include <QImage>

#include <cstdint>
#include <span>

// Decodes a JPEG file image with libjpeg. A damaged or unsupported picture gives a null image;
// it never ends the program.
QImage loadJpeg(std::span<const std::uint8_t> bytes);
