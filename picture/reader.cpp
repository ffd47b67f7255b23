#include "reader.h"

#include "gridfinder.h"
#include "normalise.h"
#include "straighten.h"

#include <algorithm>
#include <cmath>

namespace picture {

namespace {
// The straightened grid has twice the final resolution so that normalising has strokes to see.
constexpr int kStraightCell = 2 * kCellPixels;
} // namespace

std::pair<char, int> verdict(const ClassProbabilities& p, float sure) {
    const auto top = std::max_element(p.begin(), p.end());
    const int k = int(top - p.begin());
    const int percent = int(std::lround(*top * 100));
    if (*top < sure)
        return {'?', 100 - percent};
    return {k == 0 ? '.' : char('0' + k), percent};
}

std::optional<cv::Mat> normalisedGrid(const cv::Mat& grey) {
    const auto quad = findGrid(grey);
    if (!quad)
        return std::nullopt;
    const GridPoints points = locateLines(grey, *quad);
    return normalise(straighten(grey, points, kStraightCell));
}

std::vector<ClassProbabilities> PictureReader::classifyGrid(const cv::Mat& normalised) {
    return m_net.classify(cellBatch(normalised));
}

std::optional<Reading> PictureReader::read(const cv::Mat& grey, float sure) {
    const auto grid = normalisedGrid(grey);
    if (!grid)
        return std::nullopt;
    const auto probabilities = classifyGrid(*grid);
    Reading reading;
    reading.cells.resize(81);
    for (std::size_t i = 0; i < 81; ++i) {
        const auto [c, confidence] = verdict(probabilities[i], sure);
        reading.cells[i] = c;
        reading.confidence[i] = confidence;
    }
    return reading;
}

} // namespace picture
