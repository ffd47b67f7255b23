// The converter as a user runs it: exit status, standard error and the PPM bytes.

#include "giftestutil.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/wait.h>

using namespace testgif;

namespace {

struct ToolRun {
    int status;
    std::string errors;
    std::string ppm;
};

ToolRun convert(const std::vector<std::uint8_t>& gif) {
    const auto dir = std::filesystem::temp_directory_path();
    const auto tag = std::to_string(std::rand());
    const auto in = dir / ("gif2ppm-in-" + tag + ".gif");
    const auto out = dir / ("gif2ppm-out-" + tag + ".ppm");
    const auto err = dir / ("gif2ppm-err-" + tag + ".txt");
    std::ofstream(in, std::ios::binary)
        .write(reinterpret_cast<const char*>(gif.data()), std::streamsize(gif.size()));
    const std::string command = std::string(GIF2PPM_PATH) + " '" + in.string() + "' '" +
                                out.string() + "' 2>'" + err.string() + "'";
    const int raw = std::system(command.c_str());
    auto slurp = [](const std::filesystem::path& p) {
        std::ifstream f(p, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(f)), {});
    };
    ToolRun run{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, slurp(err), slurp(out)};
    for (const auto& p : {in, out, err})
        std::filesystem::remove(p);
    return run;
}

} // namespace

TEST(Gif2Ppm, writesEachPixelsPaletteColourAsBinaryPpm) {
    auto file = simple(3, 2, 2, {0, 1, 2, 3, 3, 0});
    file.globalTable = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {250, 251, 252}};
    const ToolRun run = convert(write(file));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.errors, "");
    const std::string want = std::string("P6\n3 2\n255\n") +
                             "\x01\x02\x03\x04\x05\x06\x07\x08\x09\xfa\xfb\xfc\xfa\xfb\xfc" +
                             std::string("\x01\x02\x03", 3);
    EXPECT_EQ(run.ppm, want);
}

TEST(Gif2Ppm, errorsExitOneAndCorruptedFramesStillConvert) {
    auto bad = write(simple(2, 2, 1, {0, 1, 1, 0}));
    bad[4] = '8'; // GIF88a
    const ToolRun failed = convert(bad);
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.errors, "Unknown GIF version\n");

    auto file = simple(4, 4, 1, std::vector<std::uint8_t>(16, 1));
    file.frames[0].rawData = packCodes({{4, 3}, {1, 3}});
    const ToolRun corrupted = convert(write(file));
    EXPECT_EQ(corrupted.status, 0);
    EXPECT_EQ(corrupted.errors, "corrupted\n");
    EXPECT_EQ(corrupted.ppm.size(), std::string("P6\n4 4\n255\n").size() + 16 * 3);
}
