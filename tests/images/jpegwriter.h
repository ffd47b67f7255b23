#pragma once

// Test-only JPEG writer on libjpeg: small real pictures, baseline or progressive, and the header
// surgery that makes them claim another size.

#include <cstdint>
#include <vector>

namespace testjpeg {

enum class Kind {
    Baseline,
    Progressive,     // libjpeg's usual progressive script, three components
    GreyProgressive, // one component, a DC scan then AC bands: as many scans as asked
};

// A gradient picture of width x height. `scans` counts the scans of a GreyProgressive picture
// (2 to 64); the other kinds ignore it.
std::vector<std::uint8_t> encode(int width, int height, Kind kind, int scans = 8);

// The same bytes with the frame header (any SOF marker) declaring width x height instead.
std::vector<std::uint8_t> withDimensions(std::vector<std::uint8_t> jpeg, int width, int height);

} // namespace testjpeg
