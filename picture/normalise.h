#pragma once
// Making a straightened grid look alike whatever the theme and light: paper near white, ink near
// black, shading and coloured cell backgrounds flattened away.

#include <opencv2/core.hpp>

namespace picture {

inline constexpr int kCellPixels = 32;
inline constexpr int kGridPixels = 9 * kCellPixels;

// Takes the grid straightened at any multiple of 9 pixels, returns kGridPixels square.
cv::Mat normalise(const cv::Mat& straightened);

// True where the cells' contents are lighter than their backgrounds (a dark theme).
bool lightInk(const cv::Mat& straightened);

} // namespace picture
