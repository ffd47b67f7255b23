// libFuzzer entry: load any bytes as a GIF, decode every frame, then draw the current one.

#include "gifpainter.h"
#include "jvgifimage.h"

#include <QImage>
#include <QPainter>

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace {

// Small enough that hostile sizes are rejected quickly, large enough to reach every code path.
constexpr std::uint64_t kFuzzByteLimit = 64u << 10;

void exercise(TJvGIFImage& gif, std::span<const std::uint8_t> bytes) {
    for (int i = 0; i < gif.frameCount() && i < 8; ++i) {
        try {
            gif.frame(i).bitmap({}, kFuzzByteLimit);
        } catch (const EInvalidGraphicOperation&) {
        }
    }
    if (gif.frameIndex() < 0)
        return;
    const std::uint8_t a = bytes.empty() ? 1 : bytes.back();
    const std::uint8_t b = bytes.size() < 2 ? 1 : bytes[bytes.size() - 2];
    const QSize size(1 + a % 97, 1 + b % 89);
    gif.setTransparentSwitch((a & 0x80) == 0);
    QImage canvas(size.width() + 4, size.height() + 4, QImage::Format_RGB32);
    canvas.fill(0x336699);
    QPainter painter(&canvas);
    drawGif(painter, QRect(QPoint(2, 2), size), gif);
    painter.end();
    if (const TGIFBitmap* bitmap = gif.currentBitmap())
        (void)gifBitmapToImage(*bitmap);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    TJvGIFImage gif;
    gif.setBitmapByteLimit(kFuzzByteLimit);
    // Odd first bytes also exercise the decoder's reporting variant.
    if (size > 0 && (data[0] & 1))
        gif.setOnProgress([](TProgressStage, int, const std::string&) {});
    try {
        gif.loadFromStream(bytes);
    } catch (const EInvalidGraphicOperation&) {
    }
    TJvGIFImage copy = gif;
    exercise(copy, bytes);

    // As a picture property: a length-prefixed class name, then the class's form data. The
    // lookup is done here so that the fuzzing byte limit applies before the load.
    if (size > 0 && size - 1 >= data[0]) {
        const std::string_view name(reinterpret_cast<const char*>(data + 1), data[0]);
        if (const TGraphicClassInfo* info = findGraphicClass(name)) {
            auto picture = info->create();
            picture->setBitmapByteLimit(kFuzzByteLimit);
            try {
                picture->loadFromFormData(bytes.subspan(1 + data[0]));
            } catch (const EInvalidGraphicOperation&) {
            }
            exercise(*picture, bytes);
        }
    }
    return 0;
}
