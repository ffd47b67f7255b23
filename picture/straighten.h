#pragma once
// Warping a found grid square: its outer corners to the corners of the result, every inner line
// intersection to where it belongs, so that curved paper comes out flat too.

#include "gridfinder.h"

#include <opencv2/core.hpp>

#include <array>

namespace picture {

// The 10x10 line intersections, row by row, in the picture's pixels.
using GridPoints = std::array<cv::Point2f, 100>;

// Where the grid's lines cross, starting from the rough outer corners.
GridPoints locateLines(const cv::Mat& grey, const GridQuad& quad);

// The grid warped to 9 * cell pixels square, the outer line centres on the border.
cv::Mat straighten(const cv::Mat& grey, const GridPoints& points, int cell);

} // namespace picture
