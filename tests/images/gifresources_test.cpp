// What a hostile GIF can make the converter spend: frame descriptors that claim up to
// 65535 x 65535 pixels over a few bytes of data. Each file is converted in its own process;
// the process must end by itself and stay within the returned bitmap plus a small slack.

#include "childrun.h"
#include "giftestutil.h"

using namespace testgif;
using testrun::ChildCost;
using testrun::kSlackBytes;
using testrun::runConverter;
using testrun::Worst;

namespace {

// The bitmap file image the reader returns for such a frame, or 0 when its limit refuses it.
std::uint64_t bitmapBytes(int width, int height, int paletteBits) {
    const int depth = paletteBits == 1 ? 1 : paletteBits <= 4 ? 4 : 8;
    const std::uint64_t stride = (std::uint64_t(width) * std::uint64_t(depth) + 31) / 32 * 4;
    const std::uint64_t bytes = stride * std::uint64_t(height) + 54 + (4u << depth);
    return bytes > TJvGIFFrame::kDefaultBitmapByteLimit ? 0 : bytes;
}

// A clear code, two literals and two table codes, then the data simply stops.
std::vector<std::uint8_t> fewCodes(int codeSize) {
    const unsigned width = unsigned(codeSize) + 1;
    const unsigned clear = 1u << codeSize;
    return packCodes(
        {{clear, width}, {0, width}, {1, width}, {clear + 2, width}, {clear + 3, width}});
}

File hostile(int width, int height, int paletteBits, bool interlaced, int codeSize) {
    File file = simple(1, 1, paletteBits, {0});
    Frame& frame = file.frames[0];
    frame.width = width;
    frame.height = height;
    frame.interlaced = interlaced;
    frame.minCodeSize = codeSize;
    frame.rawData = codeSize >= 2 && codeSize <= 9
                        ? fewCodes(codeSize)
                        : std::vector<std::uint8_t>{0x0F, 0xF0, 0x55, 0xAA};
    return file;
}

::testing::AssertionResult withinBounds(const ChildCost& cost, std::uint64_t pictureBytes) {
    if (cost.signal != 0)
        return ::testing::AssertionFailure()
               << "killed by signal " << cost.signal << " after " << cost.cpuSeconds << " s";
    if (cost.exitStatus != 0 && cost.exitStatus != 1)
        return ::testing::AssertionFailure() << "exit status " << cost.exitStatus;
    if (cost.peakRssBytes > pictureBytes + kSlackBytes)
        return ::testing::AssertionFailure()
               << "peak RSS: have " << cost.peakRssBytes << " bytes, want at most " << pictureBytes
               << " + " << kSlackBytes;
    return ::testing::AssertionSuccess();
}

} // namespace

TEST(GifResources, hugeFrameDescriptorsCostAtMostTheirBitmap) {
    const std::pair<int, int> sizes[] = {{65535, 65535}, {65535, 4096}, {40000, 40000},
                                         {16384, 16384}, {9030, 46081}, {65535, 1},
                                         {1, 65535}};
    Worst worst;
    for (const auto& [width, height] : sizes)
        for (const int bits : {1, 2, 8})
            for (const bool interlaced : {false, true}) {
                SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height) + ", " +
                             std::to_string(bits) + " bpp, interlaced " +
                             std::to_string(interlaced));
                const std::uint64_t bitmap = bitmapBytes(width, height, bits);
                const ChildCost cost = runConverter(
                    GIF2PPM_PATH,
                    write(hostile(width, height, bits, interlaced, std::max(2, bits))));
                // A bitmap within the limit is returned (the frame marked corrupted); a larger
                // one is refused with an error.
                EXPECT_EQ(cost.exitStatus, bitmap > 0 ? 0 : 1);
                const std::uint64_t returned = cost.exitStatus == 0 ? bitmap : 0;
                EXPECT_TRUE(withinBounds(cost, returned));
                worst.add(cost, returned);
            }
    worst.print("huge frame descriptors");
}

TEST(GifResources, everyCodeSizeOverAFewBytes) {
    Worst worst;
    for (const int codeSize : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 255})
        for (const bool interlaced : {false, true}) {
            SCOPED_TRACE("code size " + std::to_string(codeSize) + ", interlaced " +
                         std::to_string(interlaced));
            const std::uint64_t bitmap = bitmapBytes(9030, 46081, 1);
            const ChildCost cost =
                runConverter(GIF2PPM_PATH, write(hostile(9030, 46081, 1, interlaced, codeSize)));
            EXPECT_EQ(cost.exitStatus, 0);
            EXPECT_TRUE(withinBounds(cost, bitmap));
            worst.add(cost, bitmap);
        }
    worst.print("every code size");
}

TEST(GifResources, truncatedAtEveryByteOfTheFirst64) {
    Worst worst;
    for (const bool interlaced : {false, true}) {
        File file = hostile(9030, 46081, 1, interlaced, 2);
        file.frames[0].rawData = noise(60, 256, 5);
        const auto whole = write(file);
        ASSERT_GT(whole.size(), 64u);
        const std::uint64_t bitmap = bitmapBytes(9030, 46081, 1);
        for (std::size_t length = 1; length <= 64; ++length) {
            SCOPED_TRACE(std::to_string(length) + " bytes, interlaced " +
                         std::to_string(interlaced));
            const ChildCost cost = runConverter(
                GIF2PPM_PATH,
                std::vector<std::uint8_t>(whole.begin(), whole.begin() + std::ptrdiff_t(length)));
            const std::uint64_t returned = cost.exitStatus == 0 ? bitmap : 0;
            EXPECT_TRUE(withinBounds(cost, returned));
            worst.add(cost, returned);
        }
    }
    worst.print("truncated");
}
