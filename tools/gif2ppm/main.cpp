// gif2ppm IN.gif OUT.ppm: decodes frame 0 with our reader and writes its colours as binary PPM.

#include "jvgifimage.h"

#include <cstdio>
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
        std::string ppm = "P6\n" + std::to_string(w) + " " + std::to_string(h) + "\n255\n";
        const std::size_t header = ppm.size();
        ppm.resize(header + std::size_t(w) * std::size_t(h) * 3);
        char* out = ppm.data() + header;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const TGIFColor c = bitmap->paletteColor(bitmap->pixelIndex(x, y));
                *out++ = static_cast<char>(c.red);
                *out++ = static_cast<char>(c.green);
                *out++ = static_cast<char>(c.blue);
            }
        }
        std::ofstream file(argv[2], std::ios::binary);
        file.write(ppm.data(), static_cast<std::streamsize>(ppm.size()));
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
