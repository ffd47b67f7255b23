#include "jpegloader.h"

#include <csetjmp>
#include <cstdio>
#include <limits>
#include <vector>

#include <jpeglib.h>

namespace {

// libjpeg reports fatal errors through error_exit, which must not return: it jumps back to the
// decoder instead of ending the program.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

void onFatalError(j_common_ptr info) {
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    std::longjmp(manager->jump, 1);
}

void onMessage(j_common_ptr) {}

// Pictures larger than this are refused rather than allocated.
constexpr std::uint64_t kMaxPixels = 64u * 1024u * 1024u;

struct Decoded {
    std::vector<std::uint8_t> rgb;
    unsigned width = 0;
    unsigned height = 0;
};

// Only trivially destructible locals live between setjmp and longjmp here; the pixel buffer
// belongs to the caller, so a jump skips no destructor.
bool decode(const std::uint8_t* data, std::size_t size, Decoded* out) {
    jpeg_decompress_struct info;
    ErrorManager errors;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = onFatalError;
    errors.base.output_message = onMessage;
    if (setjmp(errors.jump) != 0) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    const std::uint64_t pixels = std::uint64_t{info.output_width} * info.output_height;
    if (info.output_components != 3 || pixels == 0 || pixels > kMaxPixels) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    out->width = info.output_width;
    out->height = info.output_height;
    out->rgb.resize(static_cast<std::size_t>(pixels) * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = out->rgb.data() + std::size_t{info.output_scanline} * out->width * 3;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    // libjpeg patches over data that ends early or is corrupt with a warning and grey pixels;
    // such a picture counts as damaged.
    const bool intact = errors.base.num_warnings == 0;
    jpeg_destroy_decompress(&info);
    return intact;
}

} // namespace

QImage loadJpeg(std::span<const std::uint8_t> bytes) {
    if (bytes.empty() || bytes.size() > std::numeric_limits<unsigned long>::max())
        return {};
    Decoded decoded;
    if (!decode(bytes.data(), bytes.size(), &decoded))
        return {};
    QImage image(static_cast<int>(decoded.width), static_cast<int>(decoded.height),
                 QImage::Format_RGB888);
    for (unsigned y = 0; y < decoded.height; ++y) {
        std::copy_n(decoded.rgb.data() + std::size_t{y} * decoded.width * 3, decoded.width * 3,
                    image.scanLine(static_cast<int>(y)));
    }
    return image;
}
