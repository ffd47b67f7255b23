#pragma once
// Turning the bytes of a picture file into a grey image. The only step that knows Qt: its image
// plugins read every format the machine supports.

#include <opencv2/core.hpp>

#include <cstddef>
#include <cstdint>
#include <span>

namespace picture {

inline constexpr std::size_t kMaxInputBytes = 40u * 1024u * 1024u;
inline constexpr std::uint64_t kMaxPixels = 50'000'000;
// Large JPEGs are decoded at a reduced scale: the grid needs no more than this on its long side.
inline constexpr int kDecodeLongSide = 2000;

enum class DecodeStatus { Ok, TooManyBytes, TooManyPixels, Unreadable };

struct Decoded {
    DecodeStatus status = DecodeStatus::Unreadable;
    cv::Mat grey; // CV_8UC1, transparent parts laid on white
};

Decoded decodePicture(std::span<const std::uint8_t> bytes);

} // namespace picture
