// gif2ppm IN.gif OUT.ppm: decodes frame 0 with our reader and writes its colours as binary PPM.

#include "jvgifimage.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: gif2ppm IN.gif OUT.ppm\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot open %s\n", argv[1]);
        return 1;
    }
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                          std::istreambuf_iterator<char>());
    try {
        TJvGIFImage gif;
        gif.loadFromStream(bytes);
        const TGIFBitmap* bitmap = gif.currentBitmap();
        if (!bitmap) {
            std::fprintf(stderr, "no image\n");
            return 1;
        }
        const int w = bitmap->width();
        const int h = bitmap->height();
        std::ofstream file(argv[2], std::ios::binary);
        file << "P6\n" << w << " " << h << "\n255\n";
        // One row at a time, so the bitmap stays the only buffer of the picture's size; a row
        // packed like the one before it (the zero rows of a frame whose data ended early, flat
        // areas) reuses that row's colours.
        std::vector<char> line(std::size_t(w) * 3);
        const std::uint8_t* previous = nullptr;
        for (int y = 0; y < h; ++y) {
            const std::uint8_t* packed = bitmap->row(y);
            if (!previous || std::memcmp(packed, previous, bitmap->rowStride()) != 0) {
                char* out = line.data();
                for (int x = 0; x < w; ++x) {
                    const TGIFColor c = bitmap->paletteColor(bitmap->pixelIndex(x, y));
                    *out++ = static_cast<char>(c.red);
                    *out++ = static_cast<char>(c.green);
                    *out++ = static_cast<char>(c.blue);
                }
                previous = packed;
            }
            file.write(line.data(), static_cast<std::streamsize>(line.size()));
        }
        if (!file) {
            std::fprintf(stderr, "cannot write %s\n", argv[2]);
            return 1;
        }
        if (gif.frame(0).corrupted())
            std::fprintf(stderr, "corrupted\n");
        return 0;
    } catch (const EInvalidGraphicOperation& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}
