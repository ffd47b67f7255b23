#pragma once

// Test-only GIF writer: produces valid files with every knob the reader has to cope with, and
// raw code streams for the damaged cases no valid writer would produce.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace testgif {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
};

struct Frame {
    int left = 0, top = 0, width = 1, height = 1;
    std::vector<std::uint8_t> pixels; // width * height indexes, top row first
    std::vector<Rgb> localTable;      // empty: no local table; else a power of two entries
    bool interlaced = false;
    int minCodeSize = -1;      // -1: the smallest the colour table allows (at least 2)
    int subBlockSize = 255;    // payload bytes per data sub-block
    bool clearWhenFull = true; // false: keep coding with 12-bit codes and a full table
    bool endCode = true;
    bool blockTerminator = true;
    std::optional<std::vector<std::uint8_t>> rawData; // replaces the encoded payload bytes
    // Graphic control extension written before the image when set.
    std::optional<int> transparentIndex;
    bool graphicControl = false;
    int delay = 0;
    int disposal = 0;
    std::vector<std::string> comments; // comment extensions before the image
};

struct File {
    std::string signature = "GIF89a";
    int screenWidth = 1, screenHeight = 1;
    std::vector<Rgb> globalTable;
    int backgroundIndex = 0;
    std::optional<int> loopCount; // application extension with the looping sub-block
    std::vector<Frame> frames;
    std::vector<std::string> trailingComments;
    bool trailer = true;
};

std::vector<std::uint8_t> write(const File& file);

// LZW-compresses pixels given in stream order.
std::vector<std::uint8_t> encode(const std::vector<std::uint8_t>& pixels, int minCodeSize,
                                 bool clearWhenFull = true, bool endCode = true);
// Packs (code, width) pairs least significant bit first.
std::vector<std::uint8_t> packCodes(const std::vector<std::pair<unsigned, unsigned>>& codes);

std::vector<Rgb> greyRamp(int count);
// Deterministic noise that keeps the LZW table busy.
std::vector<std::uint8_t> noise(int count, int colors, std::uint32_t seed);
// A file with one frame over a global table of 2^bits entries.
File simple(int width, int height, int bits, std::vector<std::uint8_t> pixels);

} // namespace testgif
