// The JPEG loader's limits, seen from its result: what it still decodes and what it refuses.

#include "images/jpegloader.h"
#include "jpegwriter.h"

#include <gtest/gtest.h>

using namespace testjpeg;

namespace {

QImage load(const std::vector<std::uint8_t>& bytes) {
    return loadJpeg(bytes);
}

} // namespace

TEST(JpegLoader, decodesEveryKindOfPictureWithinTheLimits) {
    for (const Kind kind : {Kind::Baseline, Kind::Progressive, Kind::GreyProgressive}) {
        SCOPED_TRACE(static_cast<int>(kind));
        const QImage image = load(encode(67, 45, kind));
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), QSize(67, 45));
        EXPECT_EQ(image.format(), QImage::Format_RGB888);
    }
}

TEST(JpegLoader, progressivePicturesWithTooManyScansAreRefused) {
    EXPECT_FALSE(load(encode(32, 32, Kind::GreyProgressive, kJpegMaxScans)).isNull());
    EXPECT_TRUE(load(encode(32, 32, Kind::GreyProgressive, kJpegMaxScans + 1)).isNull());
}

TEST(JpegLoader, dataEndingEarlyGivesNoImageAtAnyCut) {
    const auto whole = encode(40, 40, Kind::Progressive);
    ASSERT_FALSE(load(whole).isNull());
    for (std::size_t length = 0; length < whole.size(); ++length)
        EXPECT_TRUE(load({whole.begin(), whole.begin() + std::ptrdiff_t(length)}).isNull())
            << length << " of " << whole.size() << " bytes";
}
