#include "giflibreference.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>

namespace testgif {
namespace {

struct Source {
    const std::vector<std::uint8_t>* bytes;
    std::size_t at;
};

int readBytes(GifFileType* file, GifByteType* out, int count) {
    auto* source = static_cast<Source*>(file->UserData);
    const std::size_t n = std::min(std::size_t(count), source->bytes->size() - source->at);
    std::memcpy(out, source->bytes->data() + source->at, n);
    source->at += n;
    return static_cast<int>(n);
}

} // namespace

std::optional<ReferenceFrame> giflibFrame0(const std::vector<std::uint8_t>& gif) {
    Source source{&gif, 0};
    int error = 0;
    GifFileType* file = DGifOpen(&source, readBytes, &error);
    if (!file)
        return std::nullopt;
    std::optional<ReferenceFrame> result;
    if (DGifSlurp(file) == GIF_OK && file->ImageCount > 0) {
        const SavedImage& image = file->SavedImages[0];
        ReferenceFrame frame;
        frame.width = image.ImageDesc.Width;
        frame.height = image.ImageDesc.Height;
        frame.indexes.assign(image.RasterBits, image.RasterBits + std::size_t(frame.width) *
                                                                      std::size_t(frame.height));
        result = std::move(frame);
    }
    DGifCloseFile(file, &error);
    return result;
}

} // namespace testgif
