// libFuzzer entry: any bytes through the picture helper's path, from decoding to the verdicts.
// Qt's image plugins are fuzzed by their makers; what this covers is our use of them and every
// step after: odd sizes, flat or striped pictures, grids found at the edge of a picture.

#include "decode.h"
#include "reader.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static picture::PictureReader reader(picture::builtInDigitNet());
    const auto decoded = picture::decodePicture(std::span<const std::uint8_t>(data, size));
    if (decoded.status != picture::DecodeStatus::Ok)
        return 0;
    if (std::uint64_t(decoded.grey.total()) > picture::kMaxPixels)
        __builtin_trap();
    if (const auto reading = reader.read(decoded.grey)) {
        if (reading->cells.size() != 81)
            __builtin_trap();
        for (std::size_t i = 0; i < 81; ++i) {
            const char c = reading->cells[i];
            if (!(c == '.' || c == '?' || (c >= '1' && c <= '9')) || reading->confidence[i] < 0 ||
                reading->confidence[i] > 100)
                __builtin_trap();
        }
    }
    return 0;
}
