#include "normalise.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <vector>

namespace picture {

namespace {

struct CellInk {
    long darker = 0;
    long lighter = 0;
};

int median(std::vector<std::uint8_t> v) {
    auto mid = v.begin() + long(v.size() / 2);
    std::nth_element(v.begin(), mid, v.end());
    return *mid;
}

int median(const cv::Mat& grey) {
    return median({grey.begin<std::uint8_t>(), grey.end<std::uint8_t>()});
}

// A cell's background shows in its corners, clear of the lines and of a centred digit, however
// large and bold; the middle is where the ink is.
CellInk cellInk(const cv::Mat& grid, int r, int c) {
    const int cell = grid.cols / 9;
    const int edge = std::max(2, cell * 3 / 20);
    const int patch = std::max(1, cell / 10);
    const int inset = cell / 5;
    const cv::Rect box(c * cell, r * cell, cell, cell);
    std::vector<std::uint8_t> corners;
    for (const cv::Point at : {cv::Point(edge, edge), cv::Point(cell - edge - patch, edge),
                               cv::Point(edge, cell - edge - patch),
                               cv::Point(cell - edge - patch, cell - edge - patch)}) {
        const cv::Mat p = grid(cv::Rect(box.tl() + at, cv::Size(patch, patch)));
        corners.insert(corners.end(), p.begin<std::uint8_t>(), p.end<std::uint8_t>());
    }
    const int background = median(std::move(corners));
    CellInk ink;
    const cv::Mat inner =
        grid(cv::Rect(box.x + inset, box.y + inset, cell - 2 * inset, cell - 2 * inset));
    for (auto it = inner.begin<std::uint8_t>(); it != inner.end<std::uint8_t>(); ++it) {
        ink.darker += *it < background - 40;
        ink.lighter += *it > background + 40;
    }
    return ink;
}

} // namespace

bool lightInk(const cv::Mat& grid) {
    long darker = 0;
    long lighter = 0;
    for (int r = 0; r < 9; ++r)
        for (int c = 0; c < 9; ++c) {
            const CellInk ink = cellInk(grid, r, c);
            darker += ink.darker;
            lighter += ink.lighter;
        }
    return lighter > darker;
}

cv::Mat normalise(const cv::Mat& straightened) {
    cv::Mat grey = straightened.clone();
    if (lightInk(grey))
        cv::bitwise_not(grey, grey);
    const int cell = grey.cols / 9;
    const int paperLevel = median(grey);
    // A selected cell is often drawn the other way round, light on a dark fill. Its fill is
    // most of it; the corners alone mislead where candidates sit in them.
    for (int r = 0; r < 9; ++r)
        for (int c = 0; c < 9; ++c) {
            const CellInk ink = cellInk(grey, r, c);
            const int inset = cell / 10;
            const cv::Rect inner(c * cell + inset, r * cell + inset, cell - 2 * inset,
                                 cell - 2 * inset);
            if (ink.lighter > 2 * ink.darker + cell && median(grey(inner)) < paperLevel - 40) {
                cv::Mat box = grey(cv::Rect(c * cell, r * cell, cell, cell));
                cv::bitwise_not(box, box);
            }
        }
    // The paper's brightness without the ink: a closing wider than the boldest stroke.
    const int k = (cell / 4) | 1;
    cv::Mat paper;
    cv::morphologyEx(grey, paper, cv::MORPH_CLOSE,
                     cv::getStructuringElement(cv::MORPH_ELLIPSE, cv::Size(k, k)));
    cv::GaussianBlur(paper, paper, cv::Size(k, k), 0);
    cv::Mat ratio;
    grey.convertTo(ratio, CV_32F);
    paper.convertTo(paper, CV_32F);
    cv::max(paper, 1.0f, paper);
    cv::divide(ratio, paper, ratio);
    cv::min(ratio, 1.0f, ratio);
    // Stretch so that the darkest ink is black: faint print and washed-out photos look alike.
    std::vector<float> values(ratio.begin<float>(), ratio.end<float>());
    auto at = values.begin() + long(values.size() / 200);
    std::nth_element(values.begin(), at, values.end());
    const float low = std::min(*at, 0.75f);
    cv::Mat out;
    ratio = (ratio - low) / (1.0f - low);
    ratio.convertTo(out, CV_8U, 255.0);
    cv::Mat small;
    cv::resize(out, small, cv::Size(kGridPixels, kGridPixels), 0, 0, cv::INTER_AREA);
    return small;
}

} // namespace picture
