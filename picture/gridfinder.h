#pragma once
// Finding a 9x9 grid anywhere in a picture: its four outer corners, roughly.

#include <opencv2/core.hpp>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace picture {

struct GridQuad {
    // Top-left, top-right, bottom-right, bottom-left, in the picture's pixels.
    std::array<cv::Point2f, 4> corners;
};

std::optional<GridQuad> findGrid(const cv::Mat& grey);

// Whether the ink among these grey samples is lighter than their paper, from how far the
// brightest and the darkest few stray from the median: the paper is most of any region.
bool inkIsLighter(std::vector<std::uint8_t> samples);

// How much a quadrilateral of a binary picture (ink 255) looks like a 9x9 grid: ink along the
// eight inner lines of each direction against ink half a cell away. Near 0 for no grid, near 1
// for a clean one.
double gridScore(const cv::Mat& ink, const std::array<cv::Point2f, 4>& corners);

} // namespace picture
