#include "straighten.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace picture {

namespace {

// The lines are looked for in a first, plain perspective warp at this many pixels per cell.
constexpr int kCell = 40;
constexpr int kMargin = kCell / 2;
constexpr int kSide = 9 * kCell + 2 * kMargin;

// Centre of the ink across a window of a line mask, or nothing where too little of it is ink.
std::optional<double> lineCentre(const cv::Mat& mask, cv::Rect window, bool horizontal) {
    window &= cv::Rect(0, 0, mask.cols, mask.rows);
    if (window.empty())
        return std::nullopt;
    cv::Mat profile;
    cv::reduce(mask(window), profile, horizontal ? 1 : 0, cv::REDUCE_SUM, CV_32S);
    const int n = int(profile.total());
    const int* p = profile.ptr<int>();
    const int peak = *std::max_element(p, p + n);
    const int along = horizontal ? window.width : window.height;
    if (peak < 255 * along * 0.4)
        return std::nullopt;
    double sum = 0;
    double weight = 0;
    for (int i = 0; i < n; ++i)
        if (p[i] >= peak / 2) {
            sum += double(i) * p[i];
            weight += p[i];
        }
    return (horizontal ? window.y : window.x) + sum / weight;
}

// Fits a line's ten positions with a quadratic, dropping outliers; gaps take the fit.
std::array<double, 10> smoothLine(const std::array<std::optional<double>, 10>& found,
                                  double expected) {
    std::vector<int> use;
    for (int j = 0; j < 10; ++j)
        if (found[j])
            use.push_back(j);
    std::array<double, 10> out;
    for (int round = 0; round < 4; ++round) {
        if (use.size() < 4) {
            out.fill(expected);
            for (int j : use)
                out[j] = *found[j];
            return out;
        }
        cv::Mat a(int(use.size()), 3, CV_64F);
        cv::Mat b(int(use.size()), 1, CV_64F);
        for (int i = 0; i < int(use.size()); ++i) {
            const double t = use[i] / 9.0 - 0.5;
            a.at<double>(i, 0) = 1;
            a.at<double>(i, 1) = t;
            a.at<double>(i, 2) = t * t;
            b.at<double>(i) = *found[use[i]];
        }
        cv::Mat coef;
        cv::solve(a, b, coef, cv::DECOMP_SVD);
        int worst = -1;
        double worstError = 0;
        for (int j = 0; j < 10; ++j) {
            const double t = j / 9.0 - 0.5;
            out[j] = coef.at<double>(0) + coef.at<double>(1) * t + coef.at<double>(2) * t * t;
        }
        for (int i = 0; i < int(use.size()); ++i) {
            const double e = std::abs(*found[use[i]] - out[use[i]]);
            if (e > worstError) {
                worstError = e;
                worst = i;
            }
        }
        if (worstError < kCell * 0.08)
            break;
        use.erase(use.begin() + worst);
    }
    // Where a crossing was not found the curve is extrapolated, and a few crossings of scattered
    // height can bend it far off: it may stray from the crossings found by little more than
    // they stray from each other.
    double lowest = 1e18;
    double highest = -1e18;
    for (int j : use) {
        lowest = std::min(lowest, *found[j]);
        highest = std::max(highest, *found[j]);
    }
    for (double& position : out)
        position = std::clamp(position, lowest - kCell * 0.1, highest + kCell * 0.1);
    return out;
}

bool lightLines(const cv::Mat& warped) {
    return inkIsLighter({warped.begin<std::uint8_t>(), warped.end<std::uint8_t>()});
}

} // namespace

GridPoints locateLines(const cv::Mat& grey, const GridQuad& quad) {
    const std::array<cv::Point2f, 4> target{cv::Point2f(kMargin, kMargin),
                                            cv::Point2f(kMargin + 9 * kCell, kMargin),
                                            cv::Point2f(kMargin + 9 * kCell, kMargin + 9 * kCell),
                                            cv::Point2f(kMargin, kMargin + 9 * kCell)};
    const cv::Mat h = cv::getPerspectiveTransform(quad.corners.data(), target.data());
    cv::Mat warped;
    // Area-averaging keeps one-pixel lines of a large grid that plain sampling would skip.
    cv::Mat source = grey;
    const double side = std::max(cv::norm(quad.corners[0] - quad.corners[2]),
                                 cv::norm(quad.corners[1] - quad.corners[3]));
    double shrink = 1;
    if (side > 2.5 * kSide) {
        shrink = 2 * kSide / side;
        cv::resize(grey, source, cv::Size(), shrink, shrink, cv::INTER_AREA);
    }
    const cv::Mat scaleBack =
        (cv::Mat_<double>(3, 3) << 1 / shrink, 0, 0, 0, 1 / shrink, 0, 0, 0, 1);
    cv::warpPerspective(source, warped, h * scaleBack, cv::Size(kSide, kSide), cv::INTER_LINEAR,
                        cv::BORDER_REPLICATE);
    // Lines have the ink's side of the paper: darker in light themes, lighter in dark ones. Both
    // show up next to a line in a local threshold, so decide by the grid's own brightness.
    const bool light = lightLines(warped);
    cv::Mat ink;
    cv::adaptiveThreshold(warped, ink, 255, cv::ADAPTIVE_THRESH_MEAN_C,
                          light ? cv::THRESH_BINARY : cv::THRESH_BINARY_INV, 15, light ? -5 : 5);
    // Digits are shorter than three quarters of a cell, lines are longer.
    cv::Mat hmask;
    cv::Mat vmask;
    const int run = kCell * 3 / 4;
    cv::morphologyEx(ink, hmask, cv::MORPH_OPEN,
                     cv::getStructuringElement(cv::MORPH_RECT, cv::Size(run, 1)));
    cv::morphologyEx(ink, vmask, cv::MORPH_OPEN,
                     cv::getStructuringElement(cv::MORPH_RECT, cv::Size(1, run)));

    const int reach = kCell / 3;
    std::array<std::array<double, 10>, 10> rowY; // [line i][crossing j]
    std::array<std::array<double, 10>, 10> colX; // [line j][crossing i]
    for (int i = 0; i < 10; ++i) {
        std::array<std::optional<double>, 10> found;
        for (int j = 0; j < 10; ++j)
            found[j] = lineCentre(hmask,
                                  cv::Rect(kMargin + j * kCell - kCell / 2,
                                           kMargin + i * kCell - reach, kCell, 2 * reach + 1),
                                  true);
        rowY[i] = smoothLine(found, kMargin + i * kCell);
    }
    for (int j = 0; j < 10; ++j) {
        std::array<std::optional<double>, 10> found;
        for (int i = 0; i < 10; ++i)
            found[i] = lineCentre(vmask,
                                  cv::Rect(kMargin + j * kCell - reach,
                                           kMargin + i * kCell - kCell / 2, 2 * reach + 1, kCell),
                                  false);
        colX[j] = smoothLine(found, kMargin + j * kCell);
    }
    std::vector<cv::Point2f> inWarp(100);
    for (int i = 0; i < 10; ++i)
        for (int j = 0; j < 10; ++j)
            inWarp[i * 10 + j] = cv::Point2f(float(colX[j][i]), float(rowY[i][j]));
    std::vector<cv::Point2f> inPicture;
    cv::perspectiveTransform(inWarp, inPicture, h.inv());
    GridPoints points;
    std::copy(inPicture.begin(), inPicture.end(), points.begin());
    return points;
}

cv::Mat straighten(const cv::Mat& grey, const GridPoints& input, int cell) {
    const int side = 9 * cell;
    // Sampling a much larger grid point by point would alias its thin lines and strokes away.
    GridPoints points = input;
    cv::Mat source = grey;
    const double extent =
        std::max(cv::norm(points[0] - points[99]), cv::norm(points[9] - points[90]));
    if (extent > 2.0 * std::sqrt(2.0) * side) {
        const double shrink = 1.5 * std::sqrt(2.0) * side / extent;
        cv::resize(grey, source, cv::Size(), shrink, shrink, cv::INTER_AREA);
        for (auto& p : points)
            p *= float(shrink);
    }
    cv::Mat mapX(side, side, CV_32F);
    cv::Mat mapY(side, side, CV_32F);
    for (int y = 0; y < side; ++y) {
        const int r = std::min(8, y / cell);
        const float t = float(y - r * cell) / float(cell);
        auto* mx = mapX.ptr<float>(y);
        auto* my = mapY.ptr<float>(y);
        for (int x = 0; x < side; ++x) {
            const int c = std::min(8, x / cell);
            const float s = float(x - c * cell) / float(cell);
            const cv::Point2f& a = points[r * 10 + c];
            const cv::Point2f& b = points[r * 10 + c + 1];
            const cv::Point2f& d = points[(r + 1) * 10 + c];
            const cv::Point2f& e = points[(r + 1) * 10 + c + 1];
            const cv::Point2f p =
                (1 - s) * (1 - t) * a + s * (1 - t) * b + (1 - s) * t * d + s * t * e;
            mx[x] = p.x;
            my[x] = p.y;
        }
    }
    cv::Mat out;
    cv::remap(source, out, mapX, mapY, cv::INTER_LINEAR, cv::BORDER_REPLICATE);
    return out;
}

} // namespace picture
