#include "decode.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>

#include <algorithm>
#include <cmath>

namespace picture {

namespace {

cv::Mat toGrey(const QImage& image) {
    cv::Mat grey(image.height(), image.width(), CV_8UC1);
    if (!image.hasAlphaChannel()) {
        const QImage g = image.convertToFormat(QImage::Format_Grayscale8);
        for (int y = 0; y < g.height(); ++y)
            std::copy_n(g.constScanLine(y), g.width(), grey.ptr<std::uint8_t>(y));
        return grey;
    }
    // A screenshot of a window with rounded corners is transparent there; the page behind it is
    // taken to be white, as the light themes most grids are drawn on.
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        auto* out = grey.ptr<std::uint8_t>(y);
        for (int x = 0; x < argb.width(); ++x) {
            const QRgb p = line[x];
            const int a = qAlpha(p);
            const int g = qGray(p);
            out[x] = static_cast<std::uint8_t>((g * a + 255 * (255 - a) + 127) / 255);
        }
    }
    return grey;
}

} // namespace

Decoded decodePicture(std::span<const std::uint8_t> bytes) {
    Decoded result;
    if (bytes.size() > kMaxInputBytes) {
        result.status = DecodeStatus::TooManyBytes;
        return result;
    }
    if (bytes.empty())
        return result;
    // The header check below misses formats that give no size before decoding; this bounds those.
    QImageReader::setAllocationLimit(256);
    const QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                                    static_cast<qsizetype>(bytes.size()));
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (size.isValid()) {
        const auto pixels = std::uint64_t(size.width()) * std::uint64_t(size.height());
        if (pixels > kMaxPixels) {
            result.status = DecodeStatus::TooManyPixels;
            return result;
        }
        const int longSide = std::max(size.width(), size.height());
        if (longSide > kDecodeLongSide && reader.format() == "jpeg") {
            // libjpeg scales by powers of two almost for free, so aim just above the target.
            const double f = double(kDecodeLongSide) / longSide;
            reader.setScaledSize(QSize(std::max(1, int(std::lround(size.width() * f))),
                                       std::max(1, int(std::lround(size.height() * f)))));
        }
    }
    const QImage image = reader.read();
    if (image.isNull() || image.width() < 1 || image.height() < 1)
        return result;
    if (std::uint64_t(image.width()) * std::uint64_t(image.height()) > kMaxPixels) {
        result.status = DecodeStatus::TooManyPixels;
        return result;
    }
    result.grey = toGrey(image);
    result.status = DecodeStatus::Ok;
    return result;
}

} // namespace picture
