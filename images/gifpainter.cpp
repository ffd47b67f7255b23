#include "gifpainter.h"

#include "jvgifimage.h"

#include <QPainter>

#include <algorithm>
#include <optional>
#include <vector>

namespace {

constexpr QRgb kColorBits = 0x00FFFFFF;

// Source span [first, last) that lands on destination pixel d when n source pixels map onto m.
// Enlarging repeats one source pixel; shrinking gathers every pixel that falls on d.
struct Span {
    int first;
    int last;
};

std::vector<Span> spansFor(int sourceLength, int destLength, bool gather) {
    std::vector<Span> spans(static_cast<std::size_t>(destLength));
    for (int d = 0; d < destLength; ++d) {
        const int first = static_cast<int>(std::int64_t(d) * sourceLength / destLength);
        int last = first + 1;
        if (gather && sourceLength > destLength)
            last =
                std::max(last, static_cast<int>(std::int64_t(d + 1) * sourceLength / destLength));
        spans[static_cast<std::size_t>(d)] = {first, last};
    }
    return spans;
}

} // namespace

QImage renderGifFrame(TJvGIFImage& gif, QSize size) {
    if (size.width() <= 0 || size.height() <= 0)
        return {};
    const TGIFBitmap* bitmap = gif.currentBitmap();
    if (!bitmap || bitmap->width() == 0 || bitmap->height() == 0)
        return {};

    const std::optional<TGIFColor> transparent = gif.drawingTransparentColor();
    std::vector<QRgb> palette(static_cast<std::size_t>(bitmap->paletteSize()));
    for (int i = 0; i < bitmap->paletteSize(); ++i) {
        const TGIFColor c = bitmap->paletteColor(i);
        palette[static_cast<std::size_t>(i)] = qRgb(c.red, c.green, c.blue) & kColorBits;
    }
    const QRgb transparentRgb =
        transparent ? qRgb(transparent->red, transparent->green, transparent->blue) & kColorBits
                    : 0;

    // With transparency the picture is the mask (1 = transparent) and the colours with the
    // transparent ones blacked out, both shrunk by AND; 1-bit pictures always shrink by AND;
    // deeper ones drop rows and columns.
    const bool gather = transparent.has_value() || bitmap->depth() == 1;
    const int sw = bitmap->width();
    const int sh = bitmap->height();
    const auto columns = spansFor(sw, size.width(), gather);
    const auto rows = spansFor(sh, size.height(), gather);

    QImage out(size, QImage::Format_ARGB32);
    std::vector<QRgb> colorAcc(static_cast<std::size_t>(sw));
    std::vector<std::uint8_t> maskAcc(static_cast<std::size_t>(sw));
    for (int dy = 0; dy < size.height(); ++dy) {
        const Span rowSpan = rows[static_cast<std::size_t>(dy)];
        std::fill(colorAcc.begin(), colorAcc.end(), kColorBits);
        std::fill(maskAcc.begin(), maskAcc.end(), std::uint8_t{1});
        for (int sy = rowSpan.first; sy < rowSpan.last; ++sy) {
            for (int sx = 0; sx < sw; ++sx) {
                const QRgb c = palette[static_cast<std::size_t>(bitmap->pixelIndex(sx, sy))];
                const bool see = transparent && c == transparentRgb;
                colorAcc[static_cast<std::size_t>(sx)] &= see ? 0 : c;
                maskAcc[static_cast<std::size_t>(sx)] &= see ? 1 : 0;
            }
        }
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(dy));
        for (int dx = 0; dx < size.width(); ++dx) {
            const Span colSpan = columns[static_cast<std::size_t>(dx)];
            QRgb color = kColorBits;
            std::uint8_t mask = 1;
            for (int sx = colSpan.first; sx < colSpan.last; ++sx) {
                color &= colorAcc[static_cast<std::size_t>(sx)];
                mask &= maskAcc[static_cast<std::size_t>(sx)];
            }
            // Where every gathered pixel is transparent the colours are all black, so the
            // AND-then-OR onto the destination leaves the destination as it was.
            line[dx] = mask ? 0u : (0xFF000000u | color);
        }
    }
    return out;
}

void drawGif(QPainter& painter, const QRect& rect, TJvGIFImage& gif) {
    const QImage picture = renderGifFrame(gif, rect.size());
    if (picture.isNull())
        return;
    const auto mode = painter.compositionMode();
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.drawImage(rect.topLeft(), picture);
    painter.setCompositionMode(mode);
}

QImage gifBitmapToImage(const TGIFBitmap& bitmap) {
    QImage image(bitmap.width(), bitmap.height(), QImage::Format_Indexed8);
    if (image.isNull())
        return image;
    QList<QRgb> colors;
    for (int i = 0; i < bitmap.paletteSize(); ++i) {
        const TGIFColor c = bitmap.paletteColor(i);
        colors.append(qRgb(c.red, c.green, c.blue));
    }
    image.setColorTable(colors);
    for (int y = 0; y < bitmap.height(); ++y) {
        uchar* line = image.scanLine(y);
        for (int x = 0; x < bitmap.width(); ++x)
            line[x] = static_cast<uchar>(bitmap.pixelIndex(x, y));
    }
    return image;
}
