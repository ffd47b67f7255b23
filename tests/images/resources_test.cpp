// What a hostile picture can make a converter spend: headers that claim up to 65535 x 65535
// pixels over a few bytes, and files cut short. Each file is converted in its own process, which
// must end by itself and peak at most a small slack above the picture it returns.

#include "giftestutil.h"
#include "images/jpegloader.h"
#include "jpegwriter.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct Cost {
    int exitStatus = -1; // -1 when the child did not exit normally
    int signal = 0;
    double cpuSeconds = 0;
    std::uint64_t peakRssBytes = 0;
};

// The converter reads a temporary copy of `bytes` and writes to /dev/null, so the figures are
// the decoder's and the conversion's, not the disk's. The CPU limit only catches a hang.
Cost convert(const char* tool, const std::vector<std::uint8_t>& bytes) {
    const auto input = std::filesystem::temp_directory_path() /
                       ("zarvick-resource-" + std::to_string(::getpid()) + ".bin");
    std::ofstream(input, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    const pid_t pid = ::fork();
    if (pid == 0) {
        const rlimit cpu{10, 11};
        ::setrlimit(RLIMIT_CPU, &cpu);
        ::dup2(::open("/dev/null", O_WRONLY), STDERR_FILENO);
        ::execl(tool, tool, input.c_str(), "/dev/null", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    Cost cost;
    int status = 0;
    rusage usage{};
    if (pid > 0 && ::wait4(pid, &status, 0, &usage) == pid) {
        cost.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        cost.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
        cost.cpuSeconds = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                          double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
        cost.peakRssBytes = std::uint64_t(usage.ru_maxrss) * 1024;
    }
    std::filesystem::remove(input);
    return cost;
}

// Runs a family of files, checks each and prints the family's worst figures.
class Family {
public:
    explicit Family(const char* name) : m_name(name) {}
    ~Family() {
        std::printf("%s: %d runs, slowest %.3f s CPU, peak RSS at most %.1f MiB over the picture\n",
                    m_name, m_runs, m_cpu, double(m_over) / (1 << 20));
    }
    // pictureBytes: the size of what the converter returns when it exits 0.
    Cost run(const char* tool, const std::vector<std::uint8_t>& bytes, std::uint64_t pictureBytes) {
        const Cost cost = convert(tool, bytes);
        const std::uint64_t returned = cost.exitStatus == 0 ? pictureBytes : 0;
        EXPECT_EQ(cost.signal, 0) << "after " << cost.cpuSeconds << " s";
        EXPECT_TRUE(cost.exitStatus == 0 || cost.exitStatus == 1) << cost.exitStatus;
        EXPECT_LE(cost.peakRssBytes, returned + kSlack) << "picture of " << returned << " bytes";
        ++m_runs;
        m_cpu = std::max(m_cpu, cost.cpuSeconds);
        m_over = std::max(m_over, cost.peakRssBytes - std::min(cost.peakRssBytes, returned));
        return cost;
    }

private:
    static constexpr std::uint64_t kSlack = std::uint64_t{64} << 20;
    const char* m_name;
    int m_runs = 0;
    double m_cpu = 0;
    std::uint64_t m_over = 0;
};

// The bitmap file image the GIF reader returns for such a frame, or 0 when its limit refuses it.
std::uint64_t bitmapBytes(int width, int height, int paletteBits) {
    const int depth = paletteBits == 1 ? 1 : paletteBits <= 4 ? 4 : 8;
    const std::uint64_t stride = (std::uint64_t(width) * std::uint64_t(depth) + 31) / 32 * 4;
    const std::uint64_t bytes = stride * std::uint64_t(height) + 54 + (4u << depth);
    return bytes > TJvGIFFrame::kDefaultBitmapByteLimit ? 0 : bytes;
}

// One frame of the claimed size over `data`, by default a clear code, two literals and two
// table codes, after which the data stops; invalid code sizes get four arbitrary bytes.
std::vector<std::uint8_t> hostileGif(int width, int height, int bits, bool interlaced, int codeSize,
                                     std::vector<std::uint8_t> data = {}) {
    testgif::File file = testgif::simple(1, 1, bits, {0});
    testgif::Frame& frame = file.frames[0];
    frame.width = width;
    frame.height = height;
    frame.interlaced = interlaced;
    frame.minCodeSize = codeSize;
    const unsigned w = unsigned(codeSize) + 1;
    const unsigned clear = 1u << (codeSize & 15);
    frame.rawData =
        !data.empty() ? data
        : codeSize >= 2 && codeSize <= 9
            ? testgif::packCodes({{clear, w}, {0, w}, {1, w}, {clear + 2, w}, {clear + 3, w}})
            : std::vector<std::uint8_t>{0x0F, 0xF0, 0x55, 0xAA};
    return testgif::write(file);
}

} // namespace

TEST(GifResources, hugeFrameDescriptorsEveryCodeSizeAndEveryCut) {
    {
        Family family("GIF frame descriptors up to 65535 x 65535");
        const std::pair<int, int> sizes[] = {{65535, 65535}, {65535, 4096}, {40000, 40000},
                                             {16384, 16384}, {9030, 46081}, {65535, 1},
                                             {1, 65535}};
        for (const auto& [width, height] : sizes)
            for (const int bits : {1, 2, 8})
                for (const bool interlaced : {false, true}) {
                    SCOPED_TRACE(testing::Message() << width << "x" << height << ", " << bits
                                                    << " bpp, interlaced " << interlaced);
                    const std::uint64_t bitmap = bitmapBytes(width, height, bits);
                    const auto gif = hostileGif(width, height, bits, interlaced, std::max(2, bits));
                    // Within the limit the (corrupted) frame converts; beyond it, an error.
                    EXPECT_EQ(family.run(GIF2PPM_PATH, gif, bitmap).exitStatus, bitmap ? 0 : 1);
                }
    }
    {
        Family family("GIF code sizes 0 to 12 and 255");
        for (const int codeSize : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 255})
            for (const bool interlaced : {false, true}) {
                SCOPED_TRACE(testing::Message()
                             << "code size " << codeSize << ", interlaced " << interlaced);
                const auto gif = hostileGif(9030, 46081, 1, interlaced, codeSize);
                EXPECT_EQ(family.run(GIF2PPM_PATH, gif, bitmapBytes(9030, 46081, 1)).exitStatus, 0);
            }
    }
    Family family("GIF cut at every byte of the first 64");
    for (const bool interlaced : {false, true}) {
        const auto whole = hostileGif(9030, 46081, 1, interlaced, 2, testgif::noise(60, 256, 5));
        for (std::size_t length = 1; length <= 64; ++length) {
            SCOPED_TRACE(testing::Message() << length << " bytes, interlaced " << interlaced);
            family.run(GIF2PPM_PATH, {whole.begin(), whole.begin() + std::ptrdiff_t(length)},
                       bitmapBytes(9030, 46081, 1));
        }
    }
}

TEST(JpegResources, hugeDeclaredPicturesAndCutAssetsAreRefusedCheaply) {
    using namespace testjpeg;
    {
        Family family("JPEG headers declaring up to 65000 x 65000");
        const std::pair<int, int> sizes[] = {{65000, 65000}, {65535, 1024}, {8192, 8192},
                                             {16384, 4096},  {8000, 8000},  {2000, 1500}};
        for (const Kind kind : {Kind::Baseline, Kind::Progressive, Kind::GreyProgressive}) {
            const auto small = encode(64, 48, kind);
            for (const auto& [width, height] : sizes) {
                const auto claimed = withDimensions(small, width, height);
                // Whole, and cut inside the first scan.
                for (const std::size_t length : {claimed.size(), claimed.size() * 3 / 4}) {
                    SCOPED_TRACE(testing::Message() << width << "x" << height << ", kind "
                                                    << int(kind) << ", " << length << " bytes");
                    const auto bytes =
                        std::vector(claimed.begin(), claimed.begin() + std::ptrdiff_t(length));
                    EXPECT_EQ(family.run(JPEG2PPM_PATH, bytes, 0).exitStatus, 1);
                }
            }
        }
    }
    std::ifstream in(std::string(ZARVICK_ASSETS_DIR) + "/HelpPicture2.jpg", std::ios::binary);
    const std::vector<std::uint8_t> whole{std::istreambuf_iterator<char>(in), {}};
    ASSERT_GT(whole.size(), 10000u);
    Family family("JPEG asset cut at every byte of the first 64, then every 151st");
    EXPECT_EQ(family.run(JPEG2PPM_PATH, whole, (237 * 3 + 3) / 4 * 4 * 238).exitStatus, 0);
    for (std::size_t length = 1; length < whole.size(); length += length < 64 ? 1 : 151) {
        SCOPED_TRACE(testing::Message() << length << " bytes");
        EXPECT_EQ(
            family.run(JPEG2PPM_PATH, {whole.begin(), whole.begin() + std::ptrdiff_t(length)}, 0)
                .exitStatus,
            1);
    }
}
