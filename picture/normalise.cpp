#include "normalise.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <vector>

namespace picture {

bool lightInk(const cv::Mat& grid) {
    const int cell = grid.cols / 9;
    // Only the middle of each cell: lines of a dark theme may be darker or lighter than its cells.
    const int inset = cell / 5;
    long darker = 0;
    long lighter = 0;
    std::vector<std::uint8_t> values;
    for (int r = 0; r < 9; ++r)
        for (int c = 0; c < 9; ++c) {
            const cv::Mat inner = grid(
                cv::Rect(c * cell + inset, r * cell + inset, cell - 2 * inset, cell - 2 * inset));
            values.assign(inner.begin<std::uint8_t>(), inner.end<std::uint8_t>());
            auto mid = values.begin() + long(values.size() / 2);
            std::nth_element(values.begin(), mid, values.end());
            const int median = *mid;
            for (const std::uint8_t v : values) {
                darker += v < median - 40;
                lighter += v > median + 40;
            }
        }
    return lighter > darker;
}

cv::Mat normalise(const cv::Mat& straightened) {
    cv::Mat grey = straightened.clone();
    if (lightInk(grey))
        cv::bitwise_not(grey, grey);
    const int cell = grey.cols / 9;
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
