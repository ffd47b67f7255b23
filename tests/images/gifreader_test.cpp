#include "giftestutil.h"

#include <algorithm>
#include <cstring>

using namespace testgif;

namespace {

TJvGIFImage load(const std::vector<std::uint8_t>& bytes) {
    TJvGIFImage gif;
    gif.loadFromStream(bytes);
    return gif;
}

std::vector<std::uint8_t> ramp(int count, int colors) {
    std::vector<std::uint8_t> p(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        p[std::size_t(i)] = static_cast<std::uint8_t>((i * 7 + i / 5) % colors);
    return p;
}

std::uint32_t le32(std::span<const std::uint8_t> b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | std::uint32_t(b[at + 3]) << 24;
}

struct DepthCase {
    int bits;
    int depth;
};

class DecodeDepth : public ::testing::TestWithParam<DepthCase> {};

} // namespace

// Every bits-per-pixel value lands in its bitmap depth with the pixels, odd widths and
// interlacing intact.
TEST_P(DecodeDepth, pixelsSurviveAtEveryWidthAndInterlace) {
    const auto [bits, depth] = GetParam();
    for (int width : {1, 3, 7, 8, 9, 17}) {
        for (bool interlaced : {false, true}) {
            const int height = 11;
            auto file = simple(width, height, bits, noise(width * height, 1 << bits, width + 17));
            file.frames[0].interlaced = interlaced;
            TJvGIFImage gif = load(write(file));
            const TGIFBitmap* bitmap = gif.currentBitmap();
            ASSERT_NE(bitmap, nullptr);
            EXPECT_EQ(bitmap->depth(), depth);
            EXPECT_FALSE(gif.frame(0).corrupted());
            EXPECT_TRUE(samePixels(*bitmap, width, height, file.frames[0].pixels))
                << "width " << width << " interlaced " << interlaced;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllDepths, DecodeDepth,
                         ::testing::Values(DepthCase{1, 1}, DepthCase{2, 4}, DepthCase{3, 4},
                                           DepthCase{4, 4}, DepthCase{5, 8}, DepthCase{6, 8},
                                           DepthCase{7, 8}, DepthCase{8, 8}));

TEST(GifBitmapFile, headerPaletteAndBottomUpRowsAreLaidOutAsAFileImage) {
    // A 4-colour 3 x 2 picture: 4-bit rows of 4 bytes, palette of 16 with 12 grey entries.
    auto file = simple(3, 2, 2, {1, 2, 3, 3, 0, 1});
    file.globalTable = {{10, 20, 30}, {40, 50, 60}, {70, 80, 90}, {1, 2, 3}};
    TJvGIFImage gif = load(write(file));
    const auto image = gif.currentBitmap()->fileImage();
    const std::uint32_t offset = 54 + 4 * 16;
    ASSERT_EQ(image.size(), offset + 2 * 4);
    EXPECT_EQ(image[0], 'B');
    EXPECT_EQ(image[1], 'M');
    EXPECT_EQ(le32(image, 2), image.size());
    EXPECT_EQ(le32(image, 10), offset);
    EXPECT_EQ(le32(image, 14), 40u);
    EXPECT_EQ(le32(image, 18), 3u);
    EXPECT_EQ(le32(image, 22), 2u);
    EXPECT_EQ(image[26] | image[27] << 8, 1);
    EXPECT_EQ(image[28] | image[29] << 8, 4);
    EXPECT_EQ(le32(image, 30), 0u);
    EXPECT_EQ(le32(image, 34), 8u);
    for (std::size_t at = 38; at < 54; ++at)
        EXPECT_EQ(image[at], 0) << "info header byte " << at;
    const std::uint8_t firstEntries[] = {30, 20, 10, 0, 60, 50, 40, 0};
    EXPECT_TRUE(std::equal(std::begin(firstEntries), std::end(firstEntries), image.begin() + 54));
    for (std::size_t entry = 4; entry < 16; ++entry)
        for (std::size_t k = 0; k < 4; ++k)
            EXPECT_EQ(image[54 + 4 * entry + k], 128) << "palette entry " << entry;
    // Bottom-up: the GIF's last row comes first; odd widths leave the low nibble clear.
    const std::uint8_t rows[] = {0x30, 0x10, 0, 0, 0x12, 0x30, 0, 0};
    EXPECT_TRUE(std::equal(std::begin(rows), std::end(rows), image.begin() + offset));
}

TEST(GifBitmapFile, oneBitRowsPackMostSignificantBitFirst) {
    TJvGIFImage gif = load(write(simple(10, 1, 1, {1, 0, 0, 0, 0, 0, 0, 1, 1, 1})));
    const auto image = gif.currentBitmap()->fileImage();
    const std::size_t offset = 54 + 8;
    ASSERT_EQ(image.size(), offset + 4);
    EXPECT_EQ(image[offset], 0x81);
    EXPECT_EQ(image[offset + 1], 0xC0);
}

TEST(GifHeader, signatureAndVersionAreCheckedIgnoringCase) {
    auto good = write(simple(2, 2, 1, {0, 1, 1, 0}));
    auto with = [&](const char* six) {
        auto bytes = good;
        std::memcpy(bytes.data(), six, 6);
        return bytes;
    };
    EXPECT_EQ(errorOf(with("gif89A")), "no error");
    EXPECT_EQ(errorOf(with("Gif87a")), "no error");
    EXPECT_EQ(load(with("GIF87A")).version(), TGIFVersion::GIF87a);
    EXPECT_EQ(errorOf(with("GIF88a")), "Unknown GIF version");
    EXPECT_EQ(errorOf(with("GIT89a")), "Unknown GIF version");
    EXPECT_EQ(errorOf({'G', 'I', 'F', '8', '9'}), "Unknown GIF version");
}

// Each entry cuts or bends a good file at one place and names the error that must follow.
TEST(GifFailures, damagedStructureGivesItsErrorMessage) {
    auto file = simple(4, 4, 2, ramp(16, 4));
    file.frames[0].localTable = greyRamp(4);
    const auto good = write(file);
    const std::size_t afterHeader = 6, afterScreen = 13, afterGlobal = 13 + 12;
    const std::size_t afterDescriptor = afterGlobal + 10, afterLocal = afterDescriptor + 12;
    auto cut = [&](std::size_t n) {
        return std::vector<std::uint8_t>(good.begin(), good.begin() + std::ptrdiff_t(n));
    };
    auto withByteAt = [&](std::size_t at, std::uint8_t v) {
        auto bytes = std::vector<std::uint8_t>(good.begin(), good.begin() + std::ptrdiff_t(at));
        bytes.push_back(v);
        bytes.insert(bytes.end(), good.begin() + std::ptrdiff_t(at), good.end());
        return bytes;
    };
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
        const char* error;
    };
    const Case cases[] = {
        {"screen descriptor cut", cut(afterHeader + 3), "Stream read error"},
        {"global table cut", cut(afterScreen + 5), "Stream read error"},
        {"image descriptor cut", cut(afterGlobal + 6), "Stream read error"},
        {"local table cut", cut(afterDescriptor + 4), "Stream read error"},
        {"code size byte missing", cut(afterLocal), "Stream read error"},
        {"unknown extension label", withByteAt(afterGlobal, 0x21),
         "Unrecognized extension block: 2c"},
        {"graphic control cut",
         [&] {
             auto b = cut(afterGlobal);
             b.insert(b.end(), {0x21, 0xF9, 4, 0});
             return b;
         }(),
         "Stream read error"},
        {"extension then junk",
         [&] {
             auto b = cut(afterGlobal);
             b.insert(b.end(), {0x21, 0xFE, 0, 'x', 1});
             return b;
         }(),
         "Stream read error"},
        {"junk after header", withByteAt(afterGlobal, 'x'), "Stream read error"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(errorOf(c.bytes), c.error) << c.name;
    auto label = withByteAt(afterGlobal, 0x21);
    label[afterGlobal + 1] = 0xAB;
    EXPECT_EQ(errorOf(label), "Unrecognized extension block: ab");
}

TEST(GifFailures, failedLoadKeepsFramesReadButNoCurrentFrame) {
    auto file = simple(2, 2, 1, {0, 1, 1, 0});
    file.frames.push_back(file.frames[0]);
    auto bytes = write(file);
    bytes.back() = 0x21; // the trailer becomes an extension with an unknown label
    bytes.push_back(0x42);
    TJvGIFImage gif;
    EXPECT_THROW(gif.loadFromStream(bytes), EInvalidGraphicOperation);
    EXPECT_EQ(gif.frameCount(), 2);
    EXPECT_EQ(gif.frameIndex(), -1);
    EXPECT_TRUE(gif.empty());
    EXPECT_EQ(gif.currentBitmap(), nullptr);
}

TEST(GifFailures, frameWithoutColourTableIsRemovedWhenItFailsToDecode) {
    auto file = simple(2, 2, 1, {0, 1, 1, 0});
    file.globalTable.clear();
    file.frames.push_back(file.frames[0]);
    file.frames[1].localTable = greyRamp(2);
    TJvGIFImage gif;
    try {
        gif.loadFromStream(write(file));
        FAIL() << "no error";
    } catch (const EInvalidGraphicOperation& error) {
        EXPECT_STREQ(error.what(), "Wrong number of colors; must be a power of 2");
    }
    EXPECT_EQ(gif.frameCount(), 1);
    EXPECT_TRUE(gif.frame(0).localColorTable());
    EXPECT_EQ(gif.frameIndex(), -1);
}

TEST(GifFailures, anyOtherByteAfterAnImageEndsReadingQuietly) {
    auto file = simple(2, 2, 1, {0, 1, 1, 0});
    file.trailer = false;
    auto bytes = write(file);
    bytes.insert(bytes.end(), {0, 0, 'z', 0x2C, 1, 2});
    TJvGIFImage gif = load(bytes);
    EXPECT_EQ(gif.frameCount(), 1);
    EXPECT_EQ(gif.frameIndex(), 0);
}

TEST(GifFailures, hugeFrameIsRefusedBeforeAnyAllocation) {
    auto file = simple(1, 1, 8, {0});
    file.frames[0].width = 65535;
    file.frames[0].height = 65535;
    EXPECT_EQ(errorOf(write(file)), "Image too large");
    // The same bytes decode once the bound allows it (a small frame just fits).
    auto small = simple(100, 100, 8, noise(10000, 256, 3));
    TJvGIFImage gif;
    gif.setBitmapByteLimit(54 + 1024 + 100 * 100);
    EXPECT_NO_THROW(gif.loadFromStream(write(small)));
    gif.setBitmapByteLimit(54 + 1024 + 100 * 100 - 1);
    EXPECT_THROW(gif.loadFromStream(write(small)), EInvalidGraphicOperation);
}

// Damaged compressed data: the frame keeps what was decoded, is marked, and the rest is 0.
TEST(GifCorruption, dataEndingEarlyLeavesTheRestAtIndexZero) {
    auto pixels = std::vector<std::uint8_t>(40 * 30, 3);
    auto file = simple(40, 30, 2, pixels);
    auto full = encode(pixels, 2);
    file.frames[0].rawData = std::vector<std::uint8_t>(full.begin(), full.begin() + 20);
    TJvGIFImage gif = load(write(file));
    ASSERT_TRUE(gif.frame(0).corrupted());
    const TGIFBitmap& bitmap = *gif.currentBitmap();
    EXPECT_EQ(bitmap.pixelIndex(0, 0), 3);
    EXPECT_EQ(bitmap.pixelIndex(39, 29), 0);
    int written = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            written += bitmap.pixelIndex(x, y) == 3;
    EXPECT_GT(written, 40);
    EXPECT_LT(written, 40 * 30);
    // In stream order: a prefix of threes, then zeros.
    for (int i = 1; i < 40 * 30; ++i) {
        if (bitmap.pixelIndex(i % 40, i / 40) == 3) {
            ASSERT_EQ(bitmap.pixelIndex((i - 1) % 40, (i - 1) / 40), 3) << "pixel " << i;
        }
    }
}

TEST(GifCorruption, sufficientDataWithoutEndCodeIsNotCorrupted) {
    auto file = simple(8, 8, 2, ramp(64, 4));
    file.frames[0].endCode = false;
    file.frames[0].blockTerminator = false;
    file.trailer = false;
    TJvGIFImage gif = load(write(file));
    EXPECT_FALSE(gif.frame(0).corrupted());
    EXPECT_TRUE(samePixels(*gif.currentBitmap(), 8, 8, file.frames[0].pixels));
}

TEST(GifCorruption, subBlockLongerThanTheDataKeepsTheBlocksBefore) {
    auto file = simple(64, 64, 8, noise(64 * 64, 256, 5));
    file.frames[0].subBlockSize = 100;
    auto bytes = write(file);
    bytes.resize(bytes.size() - 150);
    TJvGIFImage gif = load(bytes);
    const TJvGIFFrame& frame = gif.frame(0);
    EXPECT_TRUE(frame.corrupted());
    EXPECT_EQ((frame.compressedData().size() - 1) % 101, 0u);
    EXPECT_GT(frame.compressedData().size(), 1u);
}

TEST(GifCorruption, codeSizeOutOfRangeIsClampedAndMarked) {
    for (std::uint8_t size : {0, 1, 10, 12, 255}) {
        auto file = simple(8, 8, 2, ramp(64, 4));
        file.frames[0].minCodeSize = size;
        file.frames[0].rawData = encode(file.frames[0].pixels, 2);
        TJvGIFImage gif = load(write(file));
        EXPECT_TRUE(gif.frame(0).corrupted()) << "code size " << int(size);
    }
}

TEST(GifCorruption, cyclicCodeChainStopsDecoding) {
    // Code size 2 (clear 4, end 5): after the clear, 7 and the not-yet-defined 6 and 7 make
    // entries 6 and 7 each other's prefix; the 4-bit 6 then loops.
    auto file = simple(100, 100, 2, {});
    file.frames[0].rawData = packCodes({{4, 3}, {7, 3}, {6, 3}, {7, 3}, {6, 4}, {0, 4}, {5, 4}});
    TJvGIFImage gif = load(write(file));
    EXPECT_TRUE(gif.frame(0).corrupted());
    const std::vector<int> want = {3, 0, 0, 3, 0, 0, 0, 0, 0};
    for (int x = 0; x < int(want.size()); ++x)
        EXPECT_EQ(gif.currentBitmap()->pixelIndex(x, 0), want[std::size_t(x)]) << "x " << x;
}

// Beyond what common decoders accept, but inside the range this reader takes as it stands.
TEST(GifLzw, codeSizeNineDecodesExactly) {
    auto file = simple(40, 30, 8, noise(1200, 256, 2));
    file.frames[0].minCodeSize = 9;
    TJvGIFImage gif = load(write(file));
    EXPECT_FALSE(gif.frame(0).corrupted());
    EXPECT_TRUE(samePixels(*gif.currentBitmap(), 40, 30, file.frames[0].pixels));
}

TEST(GifLzw, interlacedRowsOfShortImagesFollowThePassOrder) {
    // One pixel per row, given in stream order: the value tells which row it lands on.
    for (auto [height, order] : std::vector<std::pair<int, std::vector<int>>>{
             {1, {0}}, {2, {0, 1}}, {3, {0, 2, 1}}, {5, {0, 4, 2, 1, 3}}}) {
        auto file = simple(1, height, 3, {});
        file.frames[0].interlaced = true;
        std::vector<std::uint8_t> stream;
        for (int i = 0; i < height; ++i)
            stream.push_back(static_cast<std::uint8_t>(i + 1));
        file.frames[0].rawData = encode(stream, 3);
        TJvGIFImage gif = load(write(file));
        for (int i = 0; i < height; ++i)
            EXPECT_EQ(gif.currentBitmap()->pixelIndex(0, order[std::size_t(i)]), i + 1)
                << "height " << height << " stream pixel " << i;
    }
}

TEST(GifFrames, descriptorAndGraphicControlsShapeTheFrame) {
    File file = simple(6, 5, 2, {});
    file.backgroundIndex = 2;
    Frame f;
    f.left = 3;
    f.top = 4;
    f.width = 0; // takes the screen's width
    f.height = 5;
    f.pixels = ramp(30, 4);
    f.transparentIndex = 1;
    f.delay = 7;
    f.disposal = 2;
    f.comments = {"hello", "world"};
    file.frames = {f};
    file.frames[0].rawData = encode(f.pixels, 2);
    file.loopCount = 40000;
    file.trailingComments = {"bye"};
    TJvGIFImage gif = load(write(file));
    const TJvGIFFrame& frame = gif.frame(0);
    EXPECT_EQ(frame.width(), 6);
    EXPECT_EQ(frame.left(), 3);
    EXPECT_EQ(frame.top(), 4);
    EXPECT_EQ(frame.delayMs(), 70);
    EXPECT_EQ(frame.disposal(), 2);
    ASSERT_TRUE(frame.transparentColor());
    EXPECT_EQ(*frame.transparentColor(), gif.data().globalTable.entries[1]);
    ASSERT_EQ(frame.extensions().size(), 3u);
    EXPECT_EQ(frame.extensions()[0].lines, std::vector<std::string>{"hello"});
    EXPECT_EQ(frame.extensions()[2].kind, TExtensionKind::GraphicControl);
    EXPECT_EQ(gif.comment(), std::vector<std::string>{"bye"});
    EXPECT_TRUE(gif.data().looping);
    EXPECT_EQ(gif.data().repeatCount, 30000);
    ASSERT_TRUE(gif.data().backgroundColor);
    EXPECT_EQ(*gif.data().backgroundColor, gif.data().globalTable.entries[2]);
    EXPECT_TRUE(gif.transparent());
    EXPECT_EQ(gif.width(), 6);
}

TEST(GifFrames, transparentIndexBeyondTheTableOrSwitchedOffLeavesNoTransparency) {
    auto file = simple(2, 2, 2, {0, 1, 2, 3});
    file.frames[0].transparentIndex = 200;
    file.backgroundIndex = 4;
    TJvGIFImage gif = load(write(file));
    EXPECT_FALSE(gif.frame(0).transparentColor());
    EXPECT_FALSE(gif.transparent());
    EXPECT_FALSE(gif.data().backgroundColor);

    // A later graphic control without the transparency bit clears an earlier one.
    auto bytes = write(simple(2, 2, 2, {0, 1, 2, 3}));
    const std::uint8_t set[] = {0x21, 0xF9, 4, 1, 5, 0, 2, 0};
    const std::uint8_t unset[] = {0x21, 0xF9, 4, 0, 1, 0, 2, 0};
    bytes.insert(bytes.begin() + 25, std::begin(unset), std::end(unset));
    bytes.insert(bytes.begin() + 25, std::begin(set), std::end(set));
    TJvGIFImage twice = load(bytes);
    EXPECT_FALSE(twice.frame(0).transparentColor());
    EXPECT_EQ(twice.frame(0).delayMs(), 50);
}

TEST(GifFrames, plainTextDropsCollectedExtensionsAndApplicationsNeedTheLoopingBlock) {
    auto bytes = write(simple(2, 2, 1, {0, 1, 1, 0}));
    std::vector<std::uint8_t> extra = {
        0x21, 0xFE, 2,   'h', 'i', 0, // comment: dropped below
        0x21, 0x01, 12,  0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0, 0, 1, 'x', 0, 0x21,
        0xFF, 11,   'A', 'N', 'I', 'M', 'E', 'X', 'T', 'S', '1', '.', '0', 3, 2, 9, 0,   0};
    bytes.insert(bytes.begin() + 19, extra.begin(), extra.end());
    TJvGIFImage gif = load(bytes);
    EXPECT_TRUE(gif.frame(0).extensions().empty());
    EXPECT_FALSE(gif.data().looping); // the sub-block does not start with 1
    EXPECT_EQ(gif.data().repeatCount, 1);
}

TEST(GifFrames, twoFramesReadInOrderWithTheirOwnTables) {
    File file = simple(4, 4, 1, ramp(16, 2));
    Frame second;
    second.width = 2;
    second.height = 2;
    second.pixels = {5, 6, 7, 0};
    second.localTable = greyRamp(8);
    file.frames.push_back(second);
    TJvGIFImage gif = load(write(file));
    ASSERT_EQ(gif.frameCount(), 2);
    EXPECT_EQ(gif.frameIndex(), 0);
    EXPECT_EQ(gif.frame(1).decodedBitmap(), nullptr); // only frame 0 is decoded at load
    EXPECT_EQ(gif.frame(1).bitsPerPixel(), 3);
    EXPECT_TRUE(samePixels(gif.frame(1).bitmap(), 2, 2, second.pixels));
    EXPECT_EQ(gif.frame(0).bitsPerPixel(), 1);
}

TEST(GifPicture, copiesShareFrameItemsAndPictureData) {
    TJvGIFImage gif = load(write(simple(3, 3, 1, ramp(9, 2))));
    TJvGIFImage copy = gif;
    EXPECT_EQ(&copy.frame(0).item(), &gif.frame(0).item());
    EXPECT_EQ(&copy.data(), &gif.data());
    gif.loadFromStream({});
    EXPECT_EQ(gif.frameCount(), 0);
    EXPECT_TRUE(samePixels(*copy.currentBitmap(), 3, 3, ramp(9, 2)));
}

TEST(GifPicture, formDataCarriesACountAndThePictureMachineryKnowsTheClass) {
    const auto gifBytes = write(simple(3, 2, 1, ramp(6, 2)));
    std::vector<std::uint8_t> property = {11};
    for (char c : std::string("TJvGIFImage"))
        property.push_back(static_cast<std::uint8_t>(c));
    const auto n = static_cast<std::uint32_t>(gifBytes.size());
    property.insert(property.end(), {std::uint8_t(n), std::uint8_t(n >> 8), std::uint8_t(n >> 16),
                                     std::uint8_t(n >> 24)});
    property.insert(property.end(), gifBytes.begin(), gifBytes.end());
    property.insert(property.end(), {9, 9, 9}); // whatever follows in the form stays unread

    auto picture = readPictureProperty(property);
    EXPECT_EQ(picture->width(), 3);
    TJvGIFImage direct;
    EXPECT_EQ(direct.loadFromFormData(std::span(property).subspan(12)), 4 + gifBytes.size());

    auto shortCount = std::vector<std::uint8_t>(property.begin() + 12, property.end() - 4 - 3);
    EXPECT_THROW(direct.loadFromFormData(shortCount), EInvalidGraphicOperation);
    EXPECT_EQ(direct.frameCount(), 0);
    EXPECT_EQ(direct.loadFromFormData(std::vector<std::uint8_t>{0, 0, 0, 0}), 4u);
    EXPECT_TRUE(direct.empty());

    ASSERT_NE(findGraphicClass("TJvGIFImage"), nullptr);
    const TGraphicClassInfo* info = findGraphicClassByExtension("gif");
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->description, "CompuServe GIF Image");
    EXPECT_EQ(findGraphicClassByClipboardFormat("GIF Image"), info);
    EXPECT_EQ(findGraphicClassByExtension("jpg"), nullptr);
}

TEST(GifPicture, progressReportsStartEachCodeAndEndOrTheError) {
    TJvGIFImage gif;
    std::vector<std::pair<TProgressStage, int>> seen;
    std::string endMessage = "unset";
    gif.setOnProgress([&](TProgressStage stage, int percent, const std::string& message) {
        seen.emplace_back(stage, percent);
        if (stage == TProgressStage::Ending)
            endMessage = message;
    });
    gif.loadFromStream(write(simple(20, 20, 2, ramp(400, 4))));
    ASSERT_GE(seen.size(), 3u);
    EXPECT_EQ(seen.front(), std::make_pair(TProgressStage::Starting, 0));
    EXPECT_EQ(seen.back(), std::make_pair(TProgressStage::Ending, 100));
    EXPECT_EQ(endMessage, "");
    EXPECT_TRUE(std::is_sorted(seen.begin() + 1, seen.end() - 1,
                               [](auto a, auto b) { return a.second < b.second; }));

    auto noTable = simple(2, 2, 1, {0, 1, 1, 0});
    noTable.globalTable.clear();
    EXPECT_THROW(gif.loadFromStream(write(noTable)), EInvalidGraphicOperation);
    EXPECT_EQ(endMessage, "Wrong number of colors; must be a power of 2");
}
