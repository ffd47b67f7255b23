#include "jpegwriter.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include <jpeglib.h>

namespace testjpeg {

std::vector<std::uint8_t> encode(int width, int height, Kind kind, int scans) {
    const int components = kind == Kind::GreyProgressive ? 1 : 3;
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors); // a writer error ends the test program, which is fine
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = components;
    info.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 80, TRUE);

    // Spectral selection only: the DC scan, then the 63 AC coefficients in scans - 1 bands.
    std::vector<jpeg_scan_info> script;
    if (kind == Kind::Progressive) {
        jpeg_simple_progression(&info);
    } else if (kind == Kind::GreyProgressive) {
        if (scans < 2 || scans > 64)
            throw std::invalid_argument("a grey progressive picture has 2 to 64 scans");
        script.push_back({1, {0}, 0, 0, 0, 0});
        const int bands = scans - 1;
        for (int band = 0; band < bands; ++band)
            script.push_back({1, {0}, 1 + band * 63 / bands, (band + 1) * 63 / bands, 0, 0});
        info.scan_info = script.data();
        info.num_scans = static_cast<int>(script.size());
    }

    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(std::size_t(width) * std::size_t(components));
    while (info.next_scanline < info.image_height) {
        const int y = static_cast<int>(info.next_scanline);
        for (std::size_t i = 0; i < row.size(); ++i)
            row[i] = static_cast<JSAMPLE>((int(i) * 5 + y * 3) % 256);
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    std::vector<std::uint8_t> out(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return out;
}

// Segments: 0xFF, marker, 16-bit big-endian length (counting itself), payload. A frame header's
// payload is precision, height, width, then the components.
std::vector<std::uint8_t> withDimensions(std::vector<std::uint8_t> jpeg, int width, int height) {
    std::size_t at = 2;
    while (at + 9 <= jpeg.size() && jpeg[at] == 0xFF) {
        const std::uint8_t marker = jpeg[at + 1];
        if (marker >= 0xC0 && marker <= 0xC2) {
            jpeg[at + 5] = static_cast<std::uint8_t>(height >> 8);
            jpeg[at + 6] = static_cast<std::uint8_t>(height);
            jpeg[at + 7] = static_cast<std::uint8_t>(width >> 8);
            jpeg[at + 8] = static_cast<std::uint8_t>(width);
            return jpeg;
        }
        at += 2 + (std::size_t{jpeg[at + 2]} << 8 | jpeg[at + 3]);
    }
    throw std::invalid_argument("no frame header");
}

} // namespace testjpeg
