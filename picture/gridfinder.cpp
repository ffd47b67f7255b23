#include "gridfinder.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>
#include <vector>

namespace picture {

namespace {

// Detection needs no more resolution than this; the warp later reads the full picture.
constexpr int kFindLongSide = 1600;
// The smallest grid looked for: 16 px cells, less a little for the scale-down above.
constexpr double kMinGridSide = 9 * 12;
constexpr double kMinScore = 0.15;
constexpr double kGoodScore = 0.4;

cv::Matx33d unitSquareTo(const std::array<cv::Point2f, 4>& c) {
    const std::array<cv::Point2f, 4> unit{cv::Point2f(0, 0), cv::Point2f(1, 0), cv::Point2f(1, 1),
                                          cv::Point2f(0, 1)};
    return cv::getPerspectiveTransform(unit.data(), c.data());
}

cv::Point2d apply(const cv::Matx33d& h, double u, double v) {
    const cv::Vec3d p = h * cv::Vec3d(u, v, 1);
    return {p[0] / p[2], p[1] / p[2]};
}

bool inkNear(const cv::Mat& ink, const cv::Matx33d& h, double u, double v, bool horizontal,
             double tolerance, int steps) {
    for (int i = -steps; i <= steps; ++i) {
        const double d = tolerance * i / steps;
        const cv::Point2d p = horizontal ? apply(h, u, v + d) : apply(h, u + d, v);
        const int x = int(std::lround(p.x));
        const int y = int(std::lround(p.y));
        if (x >= 0 && y >= 0 && x < ink.cols && y < ink.rows && ink.at<std::uint8_t>(y, x))
            return true;
    }
    return false;
}

// The share of a line with ink near it, the horizontal and the vertical one at the same place.
// Steps of a pixel across the tolerance, so that no one-pixel line slips between them.
std::pair<double, double> coverage(const cv::Mat& ink, const cv::Matx33d& h, double at,
                                   double tolerance, int steps) {
    constexpr int kSamples = 72;
    int across = 0;
    int down = 0;
    for (int i = 0; i < kSamples; ++i) {
        const double t = (i + 0.5) / kSamples;
        across += inkNear(ink, h, t, at, true, tolerance, steps);
        down += inkNear(ink, h, at, t, false, tolerance, steps);
    }
    return {double(across) / kSamples, double(down) / kSamples};
}

std::array<cv::Point2f, 4> cornersOf(const std::vector<cv::Point>& contour) {
    std::vector<cv::Point> hull;
    cv::convexHull(contour, hull);
    std::vector<cv::Point> poly;
    cv::approxPolyDP(hull, poly, 0.02 * cv::arcLength(hull, true), true);
    const std::vector<cv::Point>& pts = poly.size() == 4 ? poly : hull;
    // Extremes along the diagonals order the corners for any tilt well below 45 degrees.
    std::array<cv::Point2f, 4> c;
    auto pick = [&](auto key) {
        return cv::Point2f(*std::max_element(pts.begin(), pts.end(),
                                             [&](auto& a, auto& b) { return key(a) < key(b); }));
    };
    c[0] = pick([](const cv::Point& p) { return -(p.x + p.y); });
    c[1] = pick([](const cv::Point& p) { return p.x - p.y; });
    c[2] = pick([](const cv::Point& p) { return p.x + p.y; });
    c[3] = pick([](const cv::Point& p) { return p.y - p.x; });
    return c;
}

// The hull, not the contour: where a faint outer line breaks, the contour runs into the cells.
bool plausible(const std::array<cv::Point2f, 4>& c, double hullArea) {
    std::vector<cv::Point2f> poly(c.begin(), c.end());
    if (!cv::isContourConvex(poly))
        return false;
    const double area = cv::contourArea(poly);
    if (area <= 0 || hullArea < 0.8 * area || hullArea > 1.25 * area)
        return false;
    double shortest = 1e18;
    double longest = 0;
    for (int i = 0; i < 4; ++i) {
        const double side = cv::norm(c[i] - c[(i + 1) % 4]);
        shortest = std::min(shortest, side);
        longest = std::max(longest, side);
    }
    return shortest >= kMinGridSide && shortest > 0.5 * longest;
}

// Whether the ink in a region is lighter than its paper, from how far the brightest and the
// darkest few pixels stray from the median.
bool lightInkIn(const cv::Mat& grey, cv::Rect region) {
    region &= cv::Rect(0, 0, grey.cols, grey.rows);
    std::vector<std::uint8_t> v;
    const int step = std::max(1, std::min(region.width, region.height) / 200);
    for (int y = region.y; y < region.y + region.height; y += step)
        for (int x = region.x; x < region.x + region.width; x += step)
            v.push_back(grey.at<std::uint8_t>(y, x));
    return inkIsLighter(std::move(v));
}

} // namespace

bool inkIsLighter(std::vector<std::uint8_t> samples) {
    if (samples.empty())
        return false;
    const auto at = [&](double q) {
        auto it = samples.begin() + long(q * double(samples.size() - 1));
        std::nth_element(samples.begin(), it, samples.end());
        return int(*it);
    };
    const int median = at(0.5);
    return at(0.97) - median > median - at(0.03);
}

double gridScore(const cv::Mat& ink, const std::array<cv::Point2f, 4>& corners) {
    const cv::Matx33d h = unitSquareTo(corners);
    // Perspective and curved paper move the inner lines off the straight prediction; a fifth of
    // a cell still keeps clear of the digits in the middle of the cells.
    const double tolerance = 0.2 / 9;
    const double side =
        std::max(cv::norm(corners[0] - corners[2]), cv::norm(corners[1] - corners[3]));
    const int steps = std::max(2, int(tolerance * side / 1.5));
    int present = 0;
    double lines = 0;
    double weakest = 1;
    for (int k = 1; k <= 8; ++k) {
        const auto [across, down] = coverage(ink, h, k / 9.0, tolerance, steps);
        present += (across >= 0.3) + (down >= 0.3);
        lines += across + down;
        weakest = std::min({weakest, across, down});
    }
    // A grid of another size, or a grid found in part, meets only some of our lines.
    if (present < 12)
        return -1;
    // Against lines through the middle of the cells, where only digits are: texture has ink
    // everywhere.
    double between = 0;
    for (int k = 0; k < 9; ++k) {
        const auto [across, down] = coverage(ink, h, (k + 0.5) / 9.0, tolerance, steps);
        between += across + down;
    }
    // Each line missing counts against: those grids read wrong digits. Every line drawn from
    // end to end makes a grid however busy its cells, as a board that shows every candidate
    // in a small box of its own.
    return lines / 16 - between / 18 - 0.025 * (16 - present) + (weakest >= 0.9 ? 0.1 : 0);
}

std::optional<GridQuad> findGrid(const cv::Mat& grey) {
    if (grey.empty() || std::min(grey.cols, grey.rows) < kMinGridSide)
        return std::nullopt;
    cv::Mat work = grey;
    double scale = 1;
    if (const int longSide = std::max(grey.cols, grey.rows); longSide > kFindLongSide) {
        scale = double(kFindLongSide) / longSide;
        cv::resize(grey, work, cv::Size(), scale, scale, cv::INTER_AREA);
    }
    const auto blockFor = [](const cv::Mat& m) {
        return std::max(11, std::min(m.cols, m.rows) / 40) | 1;
    };
    struct Pass {
        const cv::Mat* image;
        double scale;
        int block;
        int join;
    };
    // Blurred photos break faint outer lines into pieces; a wider joining, tried only when the
    // narrow one finds no convincing grid, mends them without gluing text to sharper grids.
    // In a large page the window grows to a cell, where bright digits outshine faint lines
    // beside them, as dark themes draw them: a small window sees those lines. And a grid of
    // small cells in a large screenshot vanishes when scaled down: the picture as it came.
    const int block = blockFor(work);
    std::vector<Pass> passes{{&work, scale, block, 3}, {&work, scale, block, 7}};
    if (block > 11)
        passes.push_back({&work, scale, 11, 3});
    if (scale < 1)
        passes.push_back({&grey, 1, blockFor(grey), 3});

    std::optional<GridQuad> best;
    double bestScore = kMinScore;
    // Every grid seen, for the containment rule below.
    std::vector<GridQuad> seen;
    cv::Mat blurred;
    const cv::Mat* blurredOf = nullptr;
    for (const Pass& pass : passes)
        for (const bool light : {false, true}) {
            if (bestScore >= kGoodScore)
                break;
            if (blurredOf != pass.image) {
                cv::GaussianBlur(*pass.image, blurred, cv::Size(3, 3), 0);
                blurredOf = pass.image;
            }
            cv::Mat ink;
            cv::adaptiveThreshold(blurred, ink, 255, cv::ADAPTIVE_THRESH_MEAN_C,
                                  light ? cv::THRESH_BINARY : cv::THRESH_BINARY_INV, pass.block,
                                  light ? -7 : 7);
            cv::Mat joined;
            cv::dilate(ink, joined,
                       cv::getStructuringElement(cv::MORPH_RECT, cv::Size(pass.join, pass.join)));
            std::vector<std::vector<cv::Point>> contours;
            cv::findContours(joined, contours, cv::RETR_LIST, cv::CHAIN_APPROX_SIMPLE);
            std::vector<std::pair<double, std::size_t>> byArea;
            std::vector<cv::Point> hull;
            for (std::size_t i = 0; i < contours.size(); ++i) {
                cv::convexHull(contours[i], hull);
                const double area = cv::contourArea(hull);
                if (area >= kMinGridSide * kMinGridSide)
                    byArea.emplace_back(area, i);
            }
            std::sort(byArea.begin(), byArea.end(), std::greater<>());
            if (byArea.size() > 16)
                byArea.resize(16);
            for (const auto& [area, i] : byArea) {
                const auto corners = cornersOf(contours[i]);
                // A local threshold of the wrong polarity outlines every line on both sides.
                if (!plausible(corners, area) ||
                    lightInkIn(*pass.image, cv::boundingRect(contours[i])) != light)
                    continue;
                const double score = gridScore(ink, corners);
                GridQuad quad;
                for (int k = 0; k < 4; ++k)
                    quad.corners[k] = corners[k] * float(1 / pass.scale);
                if (score > kMinScore)
                    seen.push_back(quad);
                if (score > bestScore) {
                    bestScore = score;
                    best = quad;
                }
            }
        }
    // A board whose every cell shows its candidates as a 3x3 of small boxes holds, in each
    // block, a 9x9 grid of candidates that is cleaner than the board itself: a grid found
    // inside a larger one about three times its side is one of that grid's blocks.
    for (bool grew = best.has_value(); grew;) {
        grew = false;
        const std::vector<cv::Point2f> inner(best->corners.begin(), best->corners.end());
        const double innerArea = cv::contourArea(inner);
        const cv::Point2f centre = (inner[0] + inner[1] + inner[2] + inner[3]) * 0.25f;
        for (const GridQuad& quad : seen) {
            const std::vector<cv::Point2f> outer(quad.corners.begin(), quad.corners.end());
            const double ratio = cv::contourArea(outer) / innerArea;
            if (ratio > 6 && ratio < 13 && cv::pointPolygonTest(outer, centre, false) > 0) {
                best = quad;
                grew = true;
                break;
            }
        }
    }
    return best;
}

} // namespace picture
