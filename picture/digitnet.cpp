#include "digitnet.h"

#include "normalise.h"

#include <algorithm>
#include <cmath>

namespace picture {

cv::Mat cellBatch(const cv::Mat& grid) {
    CV_Assert(grid.type() == CV_8UC1 && grid.cols == kGridPixels && grid.rows == kGridPixels);
    const int dims[] = {81, 1, kCellPixels, kCellPixels};
    cv::Mat batch(4, dims, CV_32F);
    auto* out = batch.ptr<float>();
    for (int r = 0; r < 9; ++r)
        for (int c = 0; c < 9; ++c)
            for (int y = 0; y < kCellPixels; ++y) {
                const auto* in = grid.ptr<std::uint8_t>(r * kCellPixels + y) + c * kCellPixels;
                for (int x = 0; x < kCellPixels; ++x)
                    *out++ = float(255 - in[x]) / 255.0f;
            }
    return batch;
}

DigitNet::DigitNet(std::span<const std::uint8_t> onnx)
    : m_net(cv::dnn::readNetFromONNX(reinterpret_cast<const char*>(onnx.data()), onnx.size())) {
    m_net.setPreferableBackend(cv::dnn::DNN_BACKEND_OPENCV);
    m_net.setPreferableTarget(cv::dnn::DNN_TARGET_CPU);
}

std::vector<ClassProbabilities> DigitNet::classify(const cv::Mat& batch) {
    m_net.setInput(batch);
    const cv::Mat logits = m_net.forward();
    const int n = batch.size[0];
    CV_Assert(logits.total() == std::size_t(n) * 10);
    std::vector<ClassProbabilities> result(static_cast<std::size_t>(n));
    const float* l = logits.ptr<float>();
    for (int i = 0; i < n; ++i, l += 10) {
        const float top = *std::max_element(l, l + 10);
        float sum = 0;
        for (int k = 0; k < 10; ++k)
            sum += result[std::size_t(i)][std::size_t(k)] = std::exp(l[k] - top);
        for (float& p : result[std::size_t(i)])
            p /= sum;
    }
    return result;
}

} // namespace picture
