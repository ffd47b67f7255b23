#pragma once
// The digit network: 32x32 cell crops in, ten class probabilities per cell out (0 = empty).

#include <opencv2/core.hpp>
#include <opencv2/dnn.hpp>

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace picture {

using ClassProbabilities = std::array<float, 10>;

// The 81 crops of a normalised grid as the network's input: 81 x 1 x 32 x 32, ink near 1.
cv::Mat cellBatch(const cv::Mat& grid);

class DigitNet {
public:
    explicit DigitNet(std::span<const std::uint8_t> onnx);
    std::vector<ClassProbabilities> classify(const cv::Mat& batch);

private:
    cv::dnn::Net m_net;
};

// The network built into the program.
std::span<const std::uint8_t> builtInDigitNet();

} // namespace picture
