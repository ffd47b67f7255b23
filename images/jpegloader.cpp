#include "jpegloader.h"

#include <csetjmp>
#include <cstdio>
#include <limits>

#include <jpeglib.h>

namespace {

// libjpeg reports fatal errors through error_exit, which must not return: it jumps back to the
// decoder instead of ending the program.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

// Everything libjpeg keeps between the two steps of a load. Trivially destructible, so a jump
// out of libjpeg skips no destructor; the caller destroys the decompressor explicitly.
struct Session {
    jpeg_decompress_struct info;
    ErrorManager errors;
    jpeg_progress_mgr progress;
    bool created = false;
};

[[noreturn]] void onFatalError(j_common_ptr info) {
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    std::longjmp(manager->jump, 1);
}

// libjpeg patches over corrupt data or data that ends early with a warning, and then goes on
// decoding grey rows that no data describes. A warning already makes the picture damaged, so
// the decode stops at the first one instead of paying for the rest of the declared picture.
void onMessage(j_common_ptr info, int level) {
    if (level < 0)
        onFatalError(info);
}

// Each progressive scan walks the whole coefficient buffer, however few bytes it holds; real
// progressive pictures have about ten.
void onProgress(j_common_ptr common) {
    if (!common->is_decompressor)
        return;
    if (reinterpret_cast<j_decompress_ptr>(common)->input_scan_number > kJpegMaxScans)
        onFatalError(common);
}

// Only trivially destructible locals live between setjmp and longjmp in these two functions.
bool readHeader(Session& s, const std::uint8_t* data, std::size_t size) {
    s.info.err = jpeg_std_error(&s.errors.base);
    s.errors.base.error_exit = onFatalError;
    s.errors.base.emit_message = onMessage;
    if (setjmp(s.errors.jump) != 0)
        return false;
    s.created = true;
    jpeg_create_decompress(&s.info);
    // Caps the buffers libjpeg sizes from the header, above all the whole-picture coefficient
    // arrays of a progressive file; beyond it libjpeg fails (it has no backing store).
    s.info.mem->max_memory_to_use = kJpegMaxWorkingBytes;
    s.progress.progress_monitor = onProgress;
    s.info.progress = &s.progress;
    jpeg_mem_src(&s.info, data, static_cast<unsigned long>(size));
    if (jpeg_read_header(&s.info, TRUE) != JPEG_HEADER_OK)
        return false;
    s.info.out_color_space = JCS_RGB;
    jpeg_calc_output_dimensions(&s.info);
    const std::uint64_t pixels = std::uint64_t{s.info.output_width} * s.info.output_height;
    return s.info.output_components == 3 && pixels > 0 && pixels <= kJpegMaxPixels;
}

bool readPixels(Session& s, std::uint8_t* bits, std::size_t bytesPerLine) {
    if (setjmp(s.errors.jump) != 0)
        return false;
    const JDIMENSION width = s.info.output_width;
    const JDIMENSION height = s.info.output_height;
    jpeg_start_decompress(&s.info);
    if (s.info.output_width != width || s.info.output_height != height ||
        s.info.output_components != 3)
        return false;
    while (s.info.output_scanline < height) {
        JSAMPROW row = bits + std::size_t{s.info.output_scanline} * bytesPerLine;
        jpeg_read_scanlines(&s.info, &row, 1);
    }
    jpeg_finish_decompress(&s.info);
    return true;
}

} // namespace

QImage loadJpeg(std::span<const std::uint8_t> bytes) {
    if (bytes.empty() || bytes.size() > std::numeric_limits<unsigned long>::max())
        return {};
    Session session;
    QImage image;
    // The pixels go straight into the image that is returned: the header's size is checked
    // before anything of that size exists, and no second copy is made.
    if (readHeader(session, bytes.data(), bytes.size())) {
        image = QImage(static_cast<int>(session.info.output_width),
                       static_cast<int>(session.info.output_height), QImage::Format_RGB888);
        if (image.isNull() ||
            !readPixels(session, image.bits(), static_cast<std::size_t>(image.bytesPerLine())))
            image = QImage();
    }
    if (session.created)
        jpeg_destroy_decompress(&session.info);
    return image;
}
