// Frame 0 of every corpus file must decode to exactly the indexes an independent decoder gives.

#include "giflibreference.h"
#include "giftestutil.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <tuple>

using namespace testgif;

namespace {

// Written when its test runs: every test is its own process under CTest.
struct CorpusFile {
    std::string name;
    File file;
};

void PrintTo(const CorpusFile& file, std::ostream* os) {
    *os << file.name;
}

std::vector<std::uint8_t> gradient(int w, int h, int colors) {
    std::vector<std::uint8_t> p(std::size_t(w) * std::size_t(h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            p[std::size_t(y) * std::size_t(w) + std::size_t(x)] =
                static_cast<std::uint8_t>(((x / 3) ^ (y / 5)) * 7 % colors);
    return p;
}

std::vector<CorpusFile> writerCorpus() {
    std::vector<CorpusFile> out;
    auto add = [&](std::string name, const File& file) { out.push_back({std::move(name), file}); };
    for (int bits = 1; bits <= 8; ++bits)
        add("noise_" + std::to_string(bits) + "bpp",
            simple(37, 23, bits, noise(37 * 23, 1 << bits, bits)));
    for (int h : {1, 2, 3, 7, 8, 9, 17}) {
        const int bits = h % 2 ? 4 : 8;
        auto file = simple(13, h, bits, noise(13 * h, 1 << bits, h));
        file.frames[0].interlaced = true;
        add("interlaced_h" + std::to_string(h), file);
    }
    {
        auto file = simple(64, 64, 1, gradient(64, 64, 2));
        file.frames[0].interlaced = true;
        add("interlaced_1bpp", file);
    }
    for (int bits : {2, 8}) {
        auto file = simple(50, 40, bits, gradient(50, 40, 1 << bits));
        file.frames[0].localTable = greyRamp(1 << bits);
        file.globalTable = greyRamp(2);
        add("local_table_" + std::to_string(bits), file);
    }
    {
        auto file = simple(50, 40, 4, gradient(50, 40, 16));
        file.frames[0].localTable = greyRamp(16);
        file.globalTable.clear();
        add("local_table_only", file);
    }
    for (bool clear : {true, false}) {
        add(clear ? "full_table_clear_8bpp" : "full_table_deferred_8bpp", [&] {
            auto f = simple(400, 300, 8, noise(400 * 300, 256, 9));
            f.frames[0].clearWhenFull = clear;
            return f;
        }());
        add(clear ? "full_table_clear_2bpp" : "full_table_deferred_2bpp", [&] {
            auto f = simple(300, 300, 2, noise(300 * 300, 4, 10));
            f.frames[0].clearWhenFull = clear;
            return f;
        }());
    }
    {
        // Far more data than the decoder reads in one go, in blocks that do not divide it.
        auto file = simple(300, 200, 8, noise(300 * 200, 256, 21));
        file.frames[0].subBlockSize = 7;
        add("large_data_in_sub_blocks_of_7", file);
    }
    for (int block : {1, 2, 5}) {
        auto file = simple(70, 30, 3, gradient(70, 30, 8));
        file.frames[0].subBlockSize = block;
        add("sub_blocks_of_" + std::to_string(block), file);
    }
    for (int bits : {1, 8}) {
        auto file = simple(31, 17, bits, noise(31 * 17, 1 << bits, 77));
        file.signature = "GIF87a";
        add("gif87a_" + std::to_string(bits), file);
    }
    for (auto [bits, code] :
         std::vector<std::pair<int, int>>{{1, 5}, {1, 8}, {2, 6}, {3, 8}, {4, 7}}) {
        auto file = simple(45, 33, bits, gradient(45, 33, 1 << bits));
        file.frames[0].minCodeSize = code;
        add("code_size_" + std::to_string(code) + "_for_" + std::to_string(bits) + "bpp", file);
    }
    {
        auto file = simple(20, 20, 4, gradient(20, 20, 16));
        Frame second = file.frames[0];
        second.pixels = noise(400, 16, 4);
        second.localTable = greyRamp(16);
        file.frames.push_back(second);
        file.frames.push_back(second);
        file.loopCount = 0;
        add("three_frames", file);
    }
    add("one_by_one", simple(1, 1, 1, {1}));
    add("one_by_1000", simple(1, 1000, 2, gradient(1, 1000, 4)));
    add("1000_by_one", simple(1000, 1, 8, noise(1000, 256, 8)));
    add("solid_500", simple(500, 500, 2, std::vector<std::uint8_t>(250000, 2)));
    add("large_2000x1500_8bpp", simple(2000, 1500, 8, gradient(2000, 1500, 256)));
    add("large_2000x1500_2bpp", simple(2000, 1500, 2, gradient(2000, 1500, 4)));
    return out;
}

void expectLikeGiflib(const std::vector<std::uint8_t>& bytes) {
    const auto reference = giflibFrame0(bytes);
    ASSERT_TRUE(reference) << "the reference decoder rejected the file";
    TJvGIFImage gif;
    gif.loadFromStream(bytes);
    EXPECT_FALSE(gif.frame(0).corrupted());
    EXPECT_TRUE(
        samePixels(*gif.currentBitmap(), reference->width, reference->height, reference->indexes));
}

class WriterCorpus : public ::testing::TestWithParam<CorpusFile> {};

} // namespace

TEST_P(WriterCorpus, frameZeroMatchesGiflib) {
    expectLikeGiflib(write(GetParam().file));
}

INSTANTIATE_TEST_SUITE_P(Gif, WriterCorpus, ::testing::ValuesIn(writerCorpus()),
                         [](const auto& info) { return info.param.name; });

// Files from a second, unrelated writer. They are made here rather than checked in.
TEST(ImageMagickCorpus, frameZeroMatchesGiflib) {
    if (std::system("convert -version >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "ImageMagick's convert is not installed";
    const auto dir =
        std::filesystem::temp_directory_path() /
        ("zarvick-gif-corpus-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    std::filesystem::create_directories(dir);
    // name, options, output coder prefix
    const std::vector<std::tuple<std::string, std::string, std::string>> recipes = {
        {"plasma256", "-size 160x120 plasma:fractal -colors 256", ""},
        {"plasma16_interlaced", "-size 99x77 plasma:fractal -colors 16 -interlace GIF", ""},
        {"gradient4", "-size 120x80 gradient:white-navy -colors 4", ""},
        {"mono", "-size 77x50 gradient:black-white -monochrome", ""},
        {"colors7", "-size 64x64 plasma:fractal -colors 7", ""},
        {"transparent", "-size 40x30 xc:none -fill red -draw \"circle 20,15 20,5\"", ""},
        {"one_pixel", "-size 1x1 xc:green", ""},
        {"animation", "-delay 10 -size 30x20 xc:red xc:blue -loop 0", ""},
        {"gif87", "-size 50x50 plasma:fractal -colors 32", "GIF87:"},
        {"large256", "-size 1600x1000 radial-gradient:yellow-navy -colors 256", ""},
        {"large4", "-size 2000x1500 gradient:red-blue -colors 4", ""},
        {"wide_interlaced", "-size 1500x3 gradient:white-black -colors 64 -interlace GIF", ""},
    };
    int checked = 0;
    for (const auto& [name, args, coder] : recipes) {
        SCOPED_TRACE(name);
        const auto path = dir / (name + ".gif");
        const std::string command =
            "convert -seed 7 " + args + " '" + coder + path.string() + "' >/dev/null 2>&1";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        std::ifstream in(path, std::ios::binary);
        const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
        expectLikeGiflib(bytes);
        ++checked;
    }
    std::filesystem::remove_all(dir);
    EXPECT_EQ(checked, int(recipes.size()));
}
