#include "faces.h"
#include "pixels.h"
#include "widgets/xpbutton.h"

#include <gtest/gtest.h>

namespace {

using widgets::verticalGradient;

struct GradientCase {
    const char* name;
    QColor top;
    QColor bottom;
    const std::array<QRgb, 23>& rows;
};

void PrintTo(const GradientCase& c, std::ostream* os) {
    *os << c.name;
}

class WorkedExample : public ::testing::TestWithParam<GradientCase> {};

TEST_P(WorkedExample, everyRowMatchesTheBandArithmeticAcrossTheWholeWidth) {
    const GradientCase& c = GetParam();
    const QImage image = verticalGradient(71, 23, c.top, c.bottom);
    ASSERT_EQ(image.size(), QSize(71, 23));
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 71; ++x)
            ASSERT_TRUE(pixelIs(image, x, y, c.rows[static_cast<std::size_t>(y)])) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    FaceImages, WorkedExample,
    ::testing::Values(
        GradientCase{"background", {255, 255, 255}, {239, 235, 231}, faces::kBackground},
        GradientCase{"pressed", {214, 207, 198}, {247, 243, 235}, faces::kPressed},
        GradientCase{"focus", {206, 231, 255}, {109, 132, 239}, faces::kFocus},
        GradientCase{"hover", {255, 243, 206}, {231, 150, 0}, faces::kHover}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(VerticalGradient, stopsOneStepShortOfTheEndColourOnTheLastRow) {
    // In 31 rows band 63 starts below the image; band 62 starts on the last row, which the
    // dither gives band 61.
    const QImage image = verticalGradient(5, 31, {255, 255, 255}, {239, 235, 231});
    EXPECT_TRUE(pixelIs(image, 0, 0, qRgb(255, 255, 255)));
    EXPECT_TRUE(pixelIs(image, 0, 30, qRgb(240, 236, 232)));
}

TEST(VerticalGradient, reachesTheEndColourWhereTheLastBandHasRowsOfItsOwn) {
    // 100 rows: band 63 starts on row 98, which the dither gives band 62; row 99 keeps 63.
    const QImage image = verticalGradient(3, 100, {206, 231, 255}, {109, 132, 239});
    EXPECT_TRUE(pixelIs(image, 0, 99, qRgb(109, 132, 239)));
    EXPECT_TRUE(pixelIs(image, 0, 98, qRgb(111, 134, 239)));
    EXPECT_TRUE(pixelIs(image, 0, 0, qRgb(206, 231, 255)));
}

TEST(VerticalGradient, tallImagesStillHaveRowsOfOneColourPastTheDitherStrip) {
    // From 126 rows on the dither draws random rows inside the 16-pixel strip; the strip is
    // tiled over the whole width, so no row may differ between its columns.
    for (int width : {7, 16, 17, 50}) {
        const QImage image = verticalGradient(width, 300, {206, 231, 255}, {109, 132, 239});
        for (int y = 0; y < image.height(); ++y)
            for (int x = 1; x < width; ++x)
                ASSERT_TRUE(pixelIs(image, x, y, image.pixel(0, y))) << "width " << width;
    }
}

TEST(VerticalGradient, isNullWithoutAreaAsForButtonsSmallerThanTheirFrame) {
    EXPECT_TRUE(verticalGradient(0, 10, Qt::white, Qt::black).isNull());
    EXPECT_TRUE(verticalGradient(10, -4, Qt::white, Qt::black).isNull());
}

} // namespace
