// What a hostile JPEG can make the converter spend: headers that declare huge pictures over a
// few bytes of data, and a real picture cut short. Each file is converted in its own process,
// which must end by itself and stay within the returned image plus a small slack.

#include "childrun.h"
#include "images/jpegloader.h"
#include "jpegwriter.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

using namespace testjpeg;
using testrun::ChildCost;
using testrun::kSlackBytes;
using testrun::runConverter;
using testrun::Worst;

namespace {

::testing::AssertionResult refusedCheaply(const ChildCost& cost) {
    if (cost.signal != 0)
        return ::testing::AssertionFailure()
               << "killed by signal " << cost.signal << " after " << cost.cpuSeconds << " s";
    if (cost.exitStatus != 1)
        return ::testing::AssertionFailure()
               << "exit status: have " << cost.exitStatus << ", want 1 (no image)";
    if (cost.peakRssBytes > kSlackBytes)
        return ::testing::AssertionFailure()
               << "peak RSS: have " << cost.peakRssBytes << " bytes, want at most " << kSlackBytes;
    return ::testing::AssertionSuccess();
}

std::vector<std::uint8_t> asset(const char* name) {
    std::ifstream in(std::string(ZARVICK_ASSETS_DIR) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

} // namespace

TEST(JpegResources, hugeDeclaredPicturesOverAFewBytesAreRefusedCheaply) {
    const std::pair<int, int> sizes[] = {{65000, 65000}, {65535, 1024}, {8192, 8192},
                                         {16384, 4096},  {8000, 8000},  {2000, 1500}};
    Worst worst;
    for (const Kind kind : {Kind::Baseline, Kind::Progressive, Kind::GreyProgressive}) {
        const auto small = encode(64, 48, kind);
        for (const auto& [width, height] : sizes) {
            SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height) + ", kind " +
                         std::to_string(static_cast<int>(kind)));
            const auto claimed = withDimensions(small, width, height);
            // Whole, and cut inside the first scan.
            for (const std::size_t length : {claimed.size(), claimed.size() * 3 / 4}) {
                const ChildCost cost = runConverter(
                    JPEG2PPM_PATH, {claimed.begin(), claimed.begin() + std::ptrdiff_t(length)});
                EXPECT_TRUE(refusedCheaply(cost)) << length << " bytes";
                worst.add(cost, 0);
            }
        }
    }
    worst.print("huge declared JPEG pictures");
}

TEST(JpegResources, anAssetCutShortIsRefusedCheaplyAtEveryCut) {
    const auto whole = asset("HelpPicture2.jpg");
    ASSERT_GT(whole.size(), 10000u);
    const ChildCost intact = runConverter(JPEG2PPM_PATH, whole);
    EXPECT_EQ(intact.exitStatus, 0);
    Worst worst;
    // Every byte of the first 64, then every 151st.
    for (std::size_t length = 1; length < whole.size(); length += length < 64 ? 1 : 151) {
        SCOPED_TRACE(std::to_string(length) + " bytes");
        const ChildCost cost =
            runConverter(JPEG2PPM_PATH, {whole.begin(), whole.begin() + std::ptrdiff_t(length)});
        EXPECT_TRUE(refusedCheaply(cost));
        worst.add(cost, 0);
    }
    worst.print("asset JPEG cut short");
}
