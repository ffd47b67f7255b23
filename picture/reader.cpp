#include "reader.h"

#include "gridfinder.h"
#include "normalise.h"
#include "straighten.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

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
    auto quad = findGrid(grey);
    if (!quad)
        return std::nullopt;
    // OpenCV's warps take pictures under 32767 pixels a side. A grid in a picture of at most
    // 50 megapixels is far smaller, so a longer picture is cut down to the grid and its margin.
    cv::Mat region = grey;
    if (std::max(grey.cols, grey.rows) >= SHRT_MAX) {
        const cv::Rect box =
            cv::boundingRect(std::vector<cv::Point2f>(quad->corners.begin(), quad->corners.end()));
        const int margin = std::max(box.width, box.height) / 4 + 2;
        const cv::Rect cut = cv::Rect(box.x - margin, box.y - margin, box.width + 2 * margin,
                                      box.height + 2 * margin) &
                             cv::Rect(0, 0, grey.cols, grey.rows);
        region = grey(cut);
        for (cv::Point2f& corner : quad->corners)
            corner -= cv::Point2f(cut.tl());
    }
    const GridPoints points = locateLines(region, *quad);
    return normalise(straighten(region, points, kStraightCell));
}

std::array<bool, 81> inkedCells(const cv::Mat& grid) {
    std::array<bool, 81> inked{};
    const int inset = kCellPixels / 4;
    const int side = kCellPixels - 2 * inset;
    for (int i = 0; i < 81; ++i) {
        const cv::Mat middle = grid(
            cv::Rect((i % 9) * kCellPixels + inset, (i / 9) * kCellPixels + inset, side, side));
        inked[std::size_t(i)] = cv::countNonZero(middle < 128) >= side * side / 20;
    }
    return inked;
}

cv::Mat turned(const cv::Mat& grid, int quarters) {
    static constexpr cv::RotateFlags kTurns[] = {cv::ROTATE_90_CLOCKWISE, cv::ROTATE_180,
                                                 cv::ROTATE_90_COUNTERCLOCKWISE};
    if (quarters % 4 == 0)
        return grid;
    cv::Mat out;
    cv::rotate(grid, out, kTurns[quarters % 4 - 1]);
    return out;
}

namespace {

// How sure the network is of the inked cells of a grid: the log of the chance that every verdict
// is right. Turned digits read as some digit often enough, but rarely all of them surely.
struct Likeness {
    double log = 0;
    int digits = 0; // inked cells surely read as a digit
};

Likeness digitLikeness(const cv::Mat& grid, const ClassProbabilities* p) {
    const auto inked = inkedCells(grid);
    Likeness l;
    for (std::size_t i = 0; i < 81; ++i)
        if (inked[i]) {
            const auto top = std::max_element(p[i].begin(), p[i].end());
            l.log += std::log(std::max(1e-6f, *top));
            l.digits += top != p[i].begin() && *top >= kSureProbability;
        }
    return l;
}

} // namespace

std::vector<ClassProbabilities> PictureReader::classifyGrid(const cv::Mat& normalised, bool turn) {
    auto upright = m_net.classify(cellBatch(normalised));
    const Likeness uprightLikeness = digitLikeness(normalised, upright.data());
    // Screenshots are upright; only a doubtful reading pays for trying the other three turns.
    if (!turn || uprightLikeness.log >= -0.5)
        return upright;
    std::vector<cv::Mat> grids;
    std::vector<cv::Mat> rows;
    for (int q = 1; q < 4; ++q) {
        grids.push_back(turned(normalised, q));
        rows.push_back(cellBatch(grids.back()).reshape(1, 81));
    }
    cv::Mat all;
    cv::vconcat(rows, all);
    const int dims[] = {3 * 81, 1, kCellPixels, kCellPixels};
    const auto others = m_net.classify(all.reshape(1, 4, dims));
    int best = -1;
    // A turn must be surer than the picture as it came and read more digits surely, or be
    // clearly surer and read as many: a network sure that turned digits are blank ink is no
    // reason to turn, nor is a little more certainty about the same digits.
    const auto better = [&](const Likeness& l) {
        return (l.log > uprightLikeness.log && l.digits > uprightLikeness.digits) ||
               (l.log > uprightLikeness.log + 1.0 && l.digits >= uprightLikeness.digits);
    };
    double bestLog = uprightLikeness.log;
    for (int q = 0; q < 3; ++q) {
        const Likeness l = digitLikeness(grids[std::size_t(q)], &others[std::size_t(q) * 81]);
        if (better(l) && l.log > bestLog) {
            bestLog = l.log;
            best = q;
        }
    }
    if (best < 0)
        return upright;
    return {others.begin() + best * 81, others.begin() + (best + 1) * 81};
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
