#include "gifwriter.h"

#include <algorithm>

namespace testgif {
namespace {

struct BitSink {
    std::vector<std::uint8_t> bytes;
    std::uint32_t acc = 0;
    unsigned count = 0;
    void put(unsigned code, unsigned width) {
        acc |= code << count;
        count += width;
        while (count >= 8) {
            bytes.push_back(static_cast<std::uint8_t>(acc));
            acc >>= 8;
            count -= 8;
        }
    }
    std::vector<std::uint8_t> finish() {
        if (count > 0)
            bytes.push_back(static_cast<std::uint8_t>(acc));
        return std::move(bytes);
    }
};

int bitsFor(std::size_t entries) {
    int bits = 1;
    while ((std::size_t(1) << bits) < entries)
        ++bits;
    return bits;
}

void put16(std::vector<std::uint8_t>& out, int v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void putTable(std::vector<std::uint8_t>& out, const std::vector<Rgb>& table) {
    for (const Rgb& c : table) {
        out.push_back(c.r);
        out.push_back(c.g);
        out.push_back(c.b);
    }
}

void putSubBlocks(std::vector<std::uint8_t>& out, const std::vector<std::uint8_t>& data,
                  int blockSize, bool terminator) {
    for (std::size_t at = 0; at < data.size(); at += std::size_t(blockSize)) {
        const std::size_t n = std::min<std::size_t>(std::size_t(blockSize), data.size() - at);
        out.push_back(static_cast<std::uint8_t>(n));
        out.insert(out.end(), data.begin() + std::ptrdiff_t(at),
                   data.begin() + std::ptrdiff_t(at + n));
    }
    if (terminator)
        out.push_back(0);
}

void putComment(std::vector<std::uint8_t>& out, const std::string& text) {
    out.insert(out.end(), {0x21, 0xFE});
    putSubBlocks(out, std::vector<std::uint8_t>(text.begin(), text.end()), 255, true);
}

std::vector<std::uint8_t> interlaceOrder(const Frame& f) {
    std::vector<std::uint8_t> out;
    out.reserve(f.pixels.size());
    const int starts[] = {0, 4, 2, 1};
    const int steps[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
        for (int y = starts[pass]; y < f.height; y += steps[pass])
            out.insert(out.end(), f.pixels.begin() + std::ptrdiff_t(y) * f.width,
                       f.pixels.begin() + std::ptrdiff_t(y + 1) * f.width);
    return out;
}

} // namespace

std::vector<std::uint8_t> packCodes(const std::vector<std::pair<unsigned, unsigned>>& codes) {
    BitSink sink;
    for (auto [code, width] : codes)
        sink.put(code, width);
    return sink.finish();
}

std::vector<std::uint8_t> encode(const std::vector<std::uint8_t>& pixels, int minCodeSize,
                                 bool clearWhenFull, bool endCode) {
    const unsigned clear = 1u << minCodeSize;
    const unsigned end = clear + 1;
    unsigned width = unsigned(minCodeSize) + 1;
    unsigned next = clear + 2;
    // Dictionary keyed by (prefix code, pixel); an entry is live when it carries this epoch.
    std::vector<std::uint32_t> dict(4096 * 256, 0);
    std::uint32_t epoch = 1;
    BitSink sink;
    sink.put(clear, width);
    if (pixels.empty()) {
        sink.put(end, width);
        return sink.finish();
    }
    auto grow = [&] {
        if (next < 4096) {
            ++next;
            if (next > (1u << width) && width < 12)
                ++width;
        }
    };
    unsigned current = pixels[0];
    for (std::size_t i = 1; i < pixels.size(); ++i) {
        const unsigned key = current * 256 + pixels[i];
        if (dict[key] >> 12 == epoch) {
            current = dict[key] & 0xFFF;
            continue;
        }
        sink.put(current, width);
        if (next < 4096) {
            dict[key] = epoch << 12 | next;
            grow();
        } else if (clearWhenFull) {
            sink.put(clear, width);
            ++epoch;
            width = unsigned(minCodeSize) + 1;
            next = clear + 2;
        }
        current = pixels[i];
    }
    sink.put(current, width);
    grow(); // the decoder adds an entry on this code before it reads the end code
    if (endCode)
        sink.put(end, width);
    return sink.finish();
}

std::vector<std::uint8_t> write(const File& file) {
    std::vector<std::uint8_t> out(file.signature.begin(), file.signature.end());
    put16(out, file.screenWidth);
    put16(out, file.screenHeight);
    std::uint8_t packed = 0x70; // colour resolution 8
    if (!file.globalTable.empty())
        packed |= static_cast<std::uint8_t>(0x80 | (bitsFor(file.globalTable.size()) - 1));
    out.push_back(packed);
    out.push_back(static_cast<std::uint8_t>(file.backgroundIndex));
    out.push_back(0);
    putTable(out, file.globalTable);
    if (file.loopCount) {
        out.insert(out.end(), {0x21, 0xFF, 11});
        const std::string id = "NETSCAPE2.0";
        out.insert(out.end(), id.begin(), id.end());
        out.insert(out.end(), {3, 1});
        put16(out, *file.loopCount);
        out.push_back(0);
    }
    for (const Frame& f : file.frames) {
        for (const auto& text : f.comments)
            putComment(out, text);
        if (f.graphicControl || f.transparentIndex) {
            out.insert(out.end(), {0x21, 0xF9, 4});
            out.push_back(
                static_cast<std::uint8_t>(f.disposal << 2 | (f.transparentIndex ? 1 : 0)));
            put16(out, f.delay);
            out.push_back(static_cast<std::uint8_t>(f.transparentIndex.value_or(0)));
            out.push_back(0);
        }
        out.push_back(0x2C);
        put16(out, f.left);
        put16(out, f.top);
        put16(out, f.width);
        put16(out, f.height);
        std::uint8_t imagePacked = f.interlaced ? 0x40 : 0;
        if (!f.localTable.empty())
            imagePacked |= static_cast<std::uint8_t>(0x80 | (bitsFor(f.localTable.size()) - 1));
        out.push_back(imagePacked);
        putTable(out, f.localTable);
        const auto& table = f.localTable.empty() ? file.globalTable : f.localTable;
        const int minCode = f.minCodeSize >= 0
                                ? f.minCodeSize
                                : std::max(2, bitsFor(std::max<std::size_t>(table.size(), 2)));
        out.push_back(static_cast<std::uint8_t>(minCode));
        const auto data = f.rawData ? *f.rawData
                                    : encode(f.interlaced ? interlaceOrder(f) : f.pixels, minCode,
                                             f.clearWhenFull, f.endCode);
        putSubBlocks(out, data, f.subBlockSize, f.blockTerminator);
    }
    for (const auto& text : file.trailingComments)
        putComment(out, text);
    if (file.trailer)
        out.push_back(0x3B);
    return out;
}

std::vector<Rgb> greyRamp(int count) {
    std::vector<Rgb> table;
    for (int i = 0; i < count; ++i) {
        const auto v = static_cast<std::uint8_t>(count == 1 ? 0 : i * 255 / (count - 1));
        table.push_back({v, static_cast<std::uint8_t>(255 - v), static_cast<std::uint8_t>(i)});
    }
    return table;
}

std::vector<std::uint8_t> noise(int count, int colors, std::uint32_t seed) {
    std::vector<std::uint8_t> out(static_cast<std::size_t>(count));
    std::uint32_t s = seed * 2654435761u + 1;
    for (auto& p : out) {
        s ^= s << 13;
        s ^= s >> 17;
        s ^= s << 5;
        p = static_cast<std::uint8_t>(s % static_cast<std::uint32_t>(colors));
    }
    return out;
}

File simple(int width, int height, int bits, std::vector<std::uint8_t> pixels) {
    File file;
    file.screenWidth = width;
    file.screenHeight = height;
    file.globalTable = greyRamp(1 << bits);
    Frame frame;
    frame.width = width;
    frame.height = height;
    frame.pixels = std::move(pixels);
    file.frames.push_back(std::move(frame));
    return file;
}

} // namespace testgif
