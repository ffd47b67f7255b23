#pragma once
// The whole reading of a decoded picture: grid, warp, normalisation, cells, verdicts.

#include "digitnet.h"

#include <opencv2/core.hpp>

#include <array>
#include <optional>
#include <string>

namespace picture {

struct Reading {
    std::string cells; // 81 of '1'-'9', '.' empty, '?' not read surely
    std::array<int, 81> confidence{};
};

// Below this probability a verdict is not trusted and the cell becomes '?'.
inline constexpr float kSureProbability = 0.80f;

// One cell's verdict from its class probabilities.
std::pair<char, int> verdict(const ClassProbabilities& p, float sure = kSureProbability);

// The normalised grid (kGridPixels square), or nothing when the picture holds no grid.
std::optional<cv::Mat> normalisedGrid(const cv::Mat& grey);

// Cells with enough ink in their middle to hold a digit (or pencil marks).
std::array<bool, 81> inkedCells(const cv::Mat& grid);

// The grid turned clockwise by a quarter turns.
cv::Mat turned(const cv::Mat& grid, int quarters);

class PictureReader {
public:
    explicit PictureReader(std::span<const std::uint8_t> onnx) : m_net(onnx) {}
    std::optional<Reading> read(const cv::Mat& grey, float sure = kSureProbability);
    // The probabilities of the 81 cells, the grid first turned upright: phones often store
    // photos sideways without saying so.
    std::vector<ClassProbabilities> classifyGrid(const cv::Mat& normalised, bool turn = true);

private:
    DigitNet m_net;
};

} // namespace picture
