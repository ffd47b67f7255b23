// jpeg2ppm IN.jpg OUT.ppm: decodes a JPEG with the program's loader and writes it as binary PPM.

#include "images/jpegloader.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: jpeg2ppm IN.jpg OUT.ppm\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot open %s\n", argv[1]);
        return 1;
    }
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                          std::istreambuf_iterator<char>());
    const QImage image = loadJpeg(bytes);
    if (image.isNull()) {
        std::fprintf(stderr, "no image\n");
        return 1;
    }
    std::ofstream file(argv[2], std::ios::binary);
    file << "P6\n" << image.width() << " " << image.height() << "\n255\n";
    // Row by row: the image is the one large buffer.
    for (int y = 0; y < image.height(); ++y)
        file.write(reinterpret_cast<const char*>(image.constScanLine(y)),
                   std::streamsize(image.width()) * 3);
    if (!file) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
