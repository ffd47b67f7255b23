// libFuzzer entry: load any bytes with the program's JPEG loader. libjpeg itself is fuzzed
// elsewhere; what this covers is our wrapper: its error and warning jumps and its limits.

#include "jpegloader.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QImage image = loadJpeg(std::span<const std::uint8_t>(data, size));
    // Whatever the header says, a picture that comes back keeps to the loader's limit.
    if (!image.isNull() &&
        std::uint64_t(image.width()) * std::uint64_t(image.height()) > kJpegMaxPixels)
        __builtin_trap();
    return 0;
}
