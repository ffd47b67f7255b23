#pragma once

#include "gifwriter.h"
#include "jvgifimage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace testgif {

inline std::string errorOf(const std::vector<std::uint8_t>& bytes) {
    TJvGIFImage gif;
    try {
        gif.loadFromStream(bytes);
    } catch (const EInvalidGraphicOperation& error) {
        return error.what();
    }
    return "no error";
}

// Compares a decoded bitmap with the indexes it should hold, naming the first difference.
inline ::testing::AssertionResult samePixels(const TGIFBitmap& bitmap, int width, int height,
                                             const std::vector<std::uint8_t>& want) {
    if (bitmap.width() != width || bitmap.height() != height)
        return ::testing::AssertionFailure() << "have " << bitmap.width() << "x" << bitmap.height()
                                             << ", want " << width << "x" << height;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int have = bitmap.pixelIndex(x, y);
            const int expected = want[std::size_t(y) * std::size_t(width) + std::size_t(x)];
            if (have != expected)
                return ::testing::AssertionFailure()
                       << "pixel (" << x << "," << y << "): have " << have << ", want " << expected;
        }
    return ::testing::AssertionSuccess();
}

} // namespace testgif
