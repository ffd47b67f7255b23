// The reader's steps on grids drawn here, where every line's true position is known.

#include "decode.h"
#include "digitnet.h"
#include "gridfinder.h"
#include "normalise.h"
#include "reader.h"
#include "straighten.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>

#include <gtest/gtest.h>
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace picture;

struct Style {
    const char* name;
    int cell = 40;
    int thin = 1;
    int thick = 3;
    bool dark = false;
    bool shaded = false;   // grey backgrounds in alternate blocks
    bool text = false;     // words all around the grid
    double degrees = 0;    // turned by this much
    double keystone = 0;   // top edge shorter by this fraction, as a photo from below
    bool gradient = false; // light falling off across the picture
    int jpegQuality = 0;   // through JPEG at this quality when not 0
};

struct Drawn {
    cv::Mat grey;
    std::vector<cv::Point2f> points; // the 100 line intersections, row by row
};

Drawn draw(const Style& s) {
    const int margin = s.text ? 6 * s.cell : 2 * s.cell;
    const int side = 9 * s.cell + 2 * margin;
    const int paper = s.dark ? 30 : 250;
    const int ink = s.dark ? 220 : 20;
    cv::Mat g(side, side, CV_8UC1, cv::Scalar(paper));
    if (s.shaded)
        for (int b = 0; b < 9; b += 2)
            cv::rectangle(g,
                          cv::Rect(margin + (b % 3) * 3 * s.cell, margin + (b / 3) * 3 * s.cell,
                                   3 * s.cell, 3 * s.cell),
                          cv::Scalar(s.dark ? 60 : 215), cv::FILLED);
    std::mt19937 random(7);
    if (s.text)
        for (int y = s.cell; y < side - s.cell; y += s.cell / 2 + 4)
            cv::putText(g, "morning puzzle 4 7 9 results archive grid 1 2 3 4 5 6 7 8 9 sudoku",
                        cv::Point(4, y), cv::FONT_HERSHEY_SIMPLEX, s.cell / 60.0, cv::Scalar(ink),
                        1, cv::LINE_AA);
    if (s.text)
        cv::rectangle(g,
                      cv::Rect(margin - s.cell / 2, margin - s.cell / 2, 10 * s.cell, 10 * s.cell),
                      cv::Scalar(paper), cv::FILLED);
    for (int k = 0; k <= 9; ++k) {
        const int w = k % 3 == 0 ? s.thick : s.thin;
        const int at = margin + k * s.cell;
        cv::line(g, {at, margin}, {at, margin + 9 * s.cell}, cv::Scalar(ink), w);
        cv::line(g, {margin, at}, {margin + 9 * s.cell, at}, cv::Scalar(ink), w);
    }
    for (int i = 0; i < 81; ++i)
        if (random() % 3 == 0)
            cv::putText(g, std::to_string(1 + random() % 9),
                        cv::Point(margin + (i % 9) * s.cell + s.cell * 3 / 10,
                                  margin + (i / 9) * s.cell + s.cell * 8 / 10),
                        cv::FONT_HERSHEY_SIMPLEX, s.cell / 36.0, cv::Scalar(ink),
                        std::max(1, s.cell / 16), cv::LINE_AA);
    Drawn d;
    for (int r = 0; r <= 9; ++r)
        for (int c = 0; c <= 9; ++c)
            d.points.emplace_back(margin + c * s.cell, margin + r * s.cell);
    const cv::Point2f centre(side / 2.0f, side / 2.0f);
    cv::Mat h = cv::Mat::eye(3, 3, CV_64F);
    if (s.degrees != 0) {
        const cv::Mat r = cv::getRotationMatrix2D(centre, s.degrees, 1.0);
        r.copyTo(h.rowRange(0, 2));
    }
    if (s.keystone != 0) {
        const float in = float(s.keystone * side / 2);
        const cv::Point2f from[] = {
            {0, 0}, {float(side), 0}, {float(side), float(side)}, {0, float(side)}};
        const cv::Point2f to[] = {
            {in, 0}, {side - in, 0}, {float(side), float(side)}, {0, float(side)}};
        h = cv::getPerspectiveTransform(from, to) * h;
    }
    cv::warpPerspective(g, d.grey, h, g.size(), cv::INTER_LINEAR, cv::BORDER_CONSTANT,
                        cv::Scalar(paper));
    cv::perspectiveTransform(d.points, d.points, h);
    if (s.gradient) {
        cv::Mat light(side, side, CV_32F);
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x)
                light.at<float>(y, x) = 0.35f + 0.65f * float(x + y) / float(2 * side);
        d.grey.convertTo(d.grey, CV_32F);
        d.grey = d.grey.mul(light);
        d.grey.convertTo(d.grey, CV_8U);
    }
    if (s.jpegQuality) {
        QImage q(d.grey.data, d.grey.cols, d.grey.rows, int(d.grey.step),
                 QImage::Format_Grayscale8);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        q.save(&buffer, "JPEG", s.jpegQuality);
        d.grey = decodePicture({reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                std::size_t(bytes.size())})
                     .grey;
    }
    return d;
}

const Style kStyles[] = {
    {"plain"},
    {"tiny cells", 16},
    {"large cells", 120, 2, 8},
    {"uniform lines", 40, 2, 2},
    {"dark theme", 40, 1, 3, true},
    {"shaded blocks", 40, 1, 3, false, true},
    {"text around", 30, 1, 3, false, false, true},
    {"turned", 40, 1, 3, false, false, false, 4},
    {"turned back", 40, 1, 3, false, false, false, -5},
    {"photo from below", 40, 1, 3, false, false, false, 2, 0.12},
    {"uneven light, JPEG", 36, 1, 3, false, false, true, 0, 0, true, 60},
    {"dark, turned, JPEG", 28, 1, 2, true, true, false, 3, 0, false, 70},
};

class GridStyle : public ::testing::TestWithParam<Style> {};

TEST_P(GridStyle, EveryIntersectionIsFound) {
    const Drawn d = draw(GetParam());
    const auto quad = findGrid(d.grey);
    ASSERT_TRUE(quad) << "no grid found";
    const GridPoints points = locateLines(d.grey, *quad);
    const double cell = cv::norm(d.points[0] - d.points[9]) / 9;
    double worst = 0;
    for (int i = 0; i < 100; ++i)
        worst = std::max(worst, cv::norm(points[std::size_t(i)] - d.points[std::size_t(i)]));
    // A tenth of a cell keeps each cell's digit well inside its crop.
    EXPECT_LT(worst, std::max(1.5, cell / 10)) << "cell " << cell << " px";
}

TEST_P(GridStyle, NormalisedGridHasWhitePaperAndBlackInk) {
    const Drawn d = draw(GetParam());
    const auto grid = normalisedGrid(d.grey);
    ASSERT_TRUE(grid);
    ASSERT_EQ(grid->size(), cv::Size(kGridPixels, kGridPixels));
    const auto inked = inkedCells(*grid);
    int empty = 0;
    for (int i = 0; i < 81; ++i) {
        const cv::Mat middle = (*grid)(cv::Rect((i % 9) * 32 + 8, (i / 9) * 32 + 8, 16, 16));
        double low = 0;
        double high = 0;
        cv::minMaxLoc(middle, &low, &high);
        if (inked[std::size_t(i)]) {
            EXPECT_LT(low, 100) << "cell " << i << " holds faint ink";
        } else {
            ++empty;
            EXPECT_GT(cv::mean(middle)[0], 225) << "cell " << i << " is not white";
        }
    }
    // The drawing fills about a third of the cells.
    EXPECT_GT(empty, 40);
    EXPECT_LT(empty, 70);
}

INSTANTIATE_TEST_SUITE_P(Styles, GridStyle, ::testing::ValuesIn(kStyles), [](const auto& info) {
    std::string name = info.param.name;
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return name;
});

// Scaled down to the size the finder works at, 16 px cells of a 2560 px screenshot fall below
// the smallest grid looked for.
TEST(FindGrid, SmallCellsInALargeScreenshot) {
    const Drawn d = draw({"tiny cells", 16});
    cv::Mat page;
    const int left = 1800;
    cv::copyMakeBorder(d.grey, page, 900, 1440 - 900 - d.grey.rows, left, 2560 - left - d.grey.cols,
                       cv::BORDER_CONSTANT, cv::Scalar(250));
    const auto quad = findGrid(page);
    ASSERT_TRUE(quad);
    const GridPoints points = locateLines(page, *quad);
    const cv::Point2f offset{float(left), 900.0f};
    for (int i : {0, 9, 45, 90, 99})
        EXPECT_LT(cv::norm(points[std::size_t(i)] - (d.points[std::size_t(i)] + offset)), 1.6)
            << "intersection " << i;
}

// OpenCV's warps refuse a picture of 32767 pixels a side or more; a long scrolling screenshot
// has its grid read all the same.
TEST(FindGrid, GridInAPictureLongerThanTheWarpsTake) {
    const Drawn d = draw({"plain"});
    cv::Mat tall(33000, d.grey.cols, CV_8UC1, cv::Scalar(250));
    d.grey.copyTo(tall(cv::Rect(0, 31000, d.grey.cols, d.grey.rows)));
    const auto expected = normalisedGrid(d.grey);
    const auto grid = normalisedGrid(tall);
    ASSERT_TRUE(expected && grid);
    EXPECT_EQ(inkedCells(*grid), inkedCells(*expected));
}

// The program's own board shows each empty cell's candidates in a 3 x 3 of small boxes, whose
// edges run close to the middle of every cell, where a grid should have little ink.
TEST(FindGrid, BoardWhoseCellsShowCandidateBoxes) {
    constexpr int kCell = 57;
    constexpr int kMargin = 20;
    cv::Mat g(9 * kCell + 2 * kMargin, 9 * kCell + 2 * kMargin, CV_8UC1, cv::Scalar(212));
    for (int cell = 0; cell < 81; ++cell)
        for (int box = 0; box < 9; ++box) {
            const cv::Rect r(kMargin + (cell % 9) * kCell + 2 + (box % 3) * (kCell - 4) / 3,
                             kMargin + (cell / 9) * kCell + 2 + (box / 3) * (kCell - 4) / 3,
                             (kCell - 4) / 3 - 1, (kCell - 4) / 3 - 1);
            cv::rectangle(g, r, cv::Scalar(box % 2 ? 240 : 255), cv::FILLED);
            cv::rectangle(g, r, cv::Scalar(120), 1);
        }
    for (int k = 0; k <= 9; ++k) {
        const int at = kMargin + k * kCell;
        cv::line(g, {at, kMargin}, {at, kMargin + 9 * kCell}, cv::Scalar(40), k % 3 ? 2 : 4);
        cv::line(g, {kMargin, at}, {kMargin + 9 * kCell, at}, cv::Scalar(40), k % 3 ? 2 : 4);
    }
    const auto quad = findGrid(g);
    ASSERT_TRUE(quad);
    EXPECT_NEAR(quad->corners[0].x, kMargin, 4);
    EXPECT_NEAR(quad->corners[2].y, kMargin + 9 * kCell, 4);
}

TEST(FindGrid, RefusesWhatIsNoNineByNineGrid) {
    cv::Mat blank(600, 800, CV_8UC1, cv::Scalar(255));
    EXPECT_FALSE(findGrid(blank));
    cv::Mat noise(600, 800, CV_8UC1);
    cv::randu(noise, 0, 256);
    EXPECT_FALSE(findGrid(noise));
    // A six by six grid of the same size: its lines meet the ninths only at a third and two.
    cv::Mat six(600, 600, CV_8UC1, cv::Scalar(255));
    for (int k = 0; k <= 6; ++k) {
        cv::line(six, {60 + k * 80, 60}, {60 + k * 80, 540}, cv::Scalar(0), k % 3 ? 1 : 3);
        cv::line(six, {60, 60 + k * 80}, {540, 60 + k * 80}, cv::Scalar(0), k % 3 ? 1 : 3);
    }
    EXPECT_FALSE(findGrid(six));
    EXPECT_FALSE(findGrid(cv::Mat(1, 1, CV_8UC1, cv::Scalar(0))));
}

TEST(FindGrid, AGridFoundInPartScoresAsNoGrid) {
    const Drawn d = draw(kStyles[0]);
    cv::Mat ink;
    cv::threshold(d.grey, ink, 128, 255, cv::THRESH_BINARY_INV);
    const auto at = [&](int r, int c) { return d.points[std::size_t(r * 10 + c)]; };
    EXPECT_GT(gridScore(ink, {at(0, 0), at(0, 9), at(9, 9), at(9, 0)}), 0.5);
    // The top six rows taken for nine: the columns fit, the rows do not.
    EXPECT_LT(gridScore(ink, {at(0, 0), at(0, 9), at(6, 9), at(6, 0)}), 0.15);
}

TEST(FindGrid, PicksTheSudokuBesideALargerDecoy) {
    cv::Mat page(700, 1100, CV_8UC1, cv::Scalar(255));
    for (int k = 0; k <= 6; ++k) {
        cv::line(page, {40 + k * 90, 40}, {40 + k * 90, 580}, cv::Scalar(0), 2);
        cv::line(page, {40, 40 + k * 90}, {580, 40 + k * 90}, cv::Scalar(0), 2);
    }
    for (int k = 0; k <= 9; ++k) {
        cv::line(page, {700 + k * 20, 100}, {700 + k * 20, 280}, cv::Scalar(0), k % 3 ? 1 : 2);
        cv::line(page, {700, 100 + k * 20}, {880, 100 + k * 20}, cv::Scalar(0), k % 3 ? 1 : 2);
    }
    const auto quad = findGrid(page);
    ASSERT_TRUE(quad);
    EXPECT_NEAR(quad->corners[0].x, 700, 3);
    EXPECT_NEAR(quad->corners[2].y, 280, 3);
}

// A selected cell drawn light on a dark fill is turned round to dark on light; a light cell
// whose candidates fill its corners is not, though its corners are darker than its middle.
TEST(Normalise, OnlyACellFilledDarkIsTurnedRound) {
    constexpr int kCell = 64;
    cv::Mat grid(9 * kCell, 9 * kCell, CV_8UC1, cv::Scalar(245));
    for (int k = 0; k <= 9; ++k) {
        cv::line(grid, {k * kCell, 0}, {k * kCell, 9 * kCell}, cv::Scalar(30), k % 3 ? 2 : 5);
        cv::line(grid, {0, k * kCell}, {9 * kCell, k * kCell}, cv::Scalar(30), k % 3 ? 2 : 5);
    }
    const auto digit = [&](int r, int c, const char* d, cv::Point at, double size, int ink) {
        cv::putText(grid, d, cv::Point(c * kCell, r * kCell) + at, cv::FONT_HERSHEY_SIMPLEX, size,
                    cv::Scalar(ink), size > 1 ? 4 : 3, cv::LINE_AA);
    };
    for (int i = 0; i < 81; i += 4)
        digit(i / 9, i % 9, "5", {18, 48}, 1.4, 30);
    cv::rectangle(grid, cv::Rect(3 * kCell + 3, 5 * kCell + 3, kCell - 6, kCell - 6),
                  cv::Scalar(20), cv::FILLED);
    digit(5, 3, "7", {18, 48}, 1.4, 250);
    for (const cv::Point at : {cv::Point(4, 19), cv::Point(44, 19), cv::Point(4, 39),
                               cv::Point(24, 39), cv::Point(4, 59), cv::Point(44, 59)})
        digit(6, 7, "8", at, 0.6, 90);
    const cv::Mat out = normalise(grid);
    // The paper a cell's middle shows most of, light once the cell is the right way round.
    const auto paperIn = [&](int r, int c) {
        const cv::Mat m = out(cv::Rect(c * kCellPixels + 6, r * kCellPixels + 6, kCellPixels - 12,
                                       kCellPixels - 12))
                              .clone();
        std::vector<std::uint8_t> v(m.begin<std::uint8_t>(), m.end<std::uint8_t>());
        std::nth_element(v.begin(), v.begin() + long(v.size() / 2), v.end());
        return std::make_pair(int(v[v.size() / 2]), int(*std::min_element(v.begin(), v.end())));
    };
    EXPECT_GT(paperIn(5, 3).first, 200) << "the dark cell was left dark";
    EXPECT_LT(paperIn(5, 3).second, 100) << "the dark cell's digit was lost";
    EXPECT_GT(paperIn(6, 7).first, 200) << "the cell with candidates was turned round";
}

TEST(Cells, CropOrderAndInkScale) {
    cv::Mat grid(kGridPixels, kGridPixels, CV_8UC1, cv::Scalar(255));
    // One black pixel at the top-left corner of cell (2, 5).
    grid.at<std::uint8_t>(2 * 32, 5 * 32) = 0;
    const cv::Mat batch = cellBatch(grid);
    ASSERT_EQ(batch.size[0], 81);
    ASSERT_EQ(batch.size[1], 1);
    ASSERT_EQ(batch.size[2], 32);
    ASSERT_EQ(batch.size[3], 32);
    const float* p = batch.ptr<float>();
    for (int i = 0; i < 81 * 32 * 32; ++i)
        ASSERT_EQ(p[i], i == (2 * 9 + 5) * 32 * 32 ? 1.0f : 0.0f) << "at " << i;
}

TEST(Cells, TurnsAreClockwiseQuarters) {
    cv::Mat grid(kGridPixels, kGridPixels, CV_8UC1, cv::Scalar(255));
    cv::rectangle(grid, cv::Rect(8, 8, 16, 16), cv::Scalar(0), cv::FILLED); // cell (0, 0)
    EXPECT_TRUE(inkedCells(turned(grid, 0))[0]);
    EXPECT_TRUE(inkedCells(turned(grid, 1))[8]);
    EXPECT_TRUE(inkedCells(turned(grid, 2))[80]);
    EXPECT_TRUE(inkedCells(turned(grid, 3))[72]);
    const auto inked = inkedCells(grid);
    EXPECT_EQ(std::count(inked.begin(), inked.end(), true), 1);
}

TEST(Verdict, DoubtfulBelowTheThreshold) {
    ClassProbabilities sure{};
    sure[7] = 0.95f;
    sure[1] = 0.05f;
    EXPECT_EQ(verdict(sure, 0.95f), std::make_pair('7', 95));
    EXPECT_EQ(verdict(sure, 0.951f), std::make_pair('?', 5));
    ClassProbabilities empty{};
    empty[0] = 0.99f;
    empty[3] = 0.01f;
    EXPECT_EQ(verdict(empty, 0.9f), std::make_pair('.', 99));
}

std::vector<std::uint8_t> encoded(const QImage& image, const char* format, int transform = 0) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setTransformation(QImageIOHandler::Transformations(transform));
    EXPECT_TRUE(writer.write(image));
    return {bytes.begin(), bytes.end()};
}

TEST(Decode, ExifOrientationIsHonoured) {
    QImage image(40, 20, QImage::Format_Grayscale8);
    image.fill(255);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            image.setPixel(x, y, qRgb(0, 0, 0));
    // Stored as it is, tagged to be shown a quarter turn clockwise: the black half comes on top.
    const auto d = decodePicture(encoded(image, "jpeg", QImageIOHandler::TransformationRotate90));
    ASSERT_EQ(d.status, DecodeStatus::Ok);
    ASSERT_EQ(d.grey.size(), cv::Size(20, 40));
    EXPECT_LT(d.grey.at<std::uint8_t>(5, 10), 40);
    EXPECT_GT(d.grey.at<std::uint8_t>(35, 10), 215);
}

TEST(Decode, LargeJpegIsDecodedScaledDown) {
    QImage image(4000, 3000, QImage::Format_Grayscale8);
    image.fill(128);
    const auto d = decodePicture(encoded(image, "jpeg"));
    ASSERT_EQ(d.status, DecodeStatus::Ok);
    EXPECT_EQ(std::max(d.grey.cols, d.grey.rows), kDecodeLongSide);
    EXPECT_EQ(d.grey.cols * 3, d.grey.rows * 4);
}

TEST(Decode, TransparencyLiesOnWhite) {
    QImage image(4, 4, QImage::Format_ARGB32);
    image.fill(qRgba(0, 0, 0, 0));
    image.setPixel(0, 0, qRgba(0, 0, 0, 255));
    const auto d = decodePicture(encoded(image, "png"));
    ASSERT_EQ(d.status, DecodeStatus::Ok);
    EXPECT_EQ(d.grey.at<std::uint8_t>(0, 0), 0);
    EXPECT_EQ(d.grey.at<std::uint8_t>(3, 3), 255);
}

TEST(Decode, LimitsComeBeforeDecoding) {
    EXPECT_EQ(decodePicture({}).status, DecodeStatus::Unreadable);
    std::vector<std::uint8_t> bytes(kMaxInputBytes, 0);
    EXPECT_EQ(decodePicture(bytes).status, DecodeStatus::Unreadable);
    bytes.push_back(0);
    EXPECT_EQ(decodePicture(bytes).status, DecodeStatus::TooManyBytes);
    // A PNG header may claim anything; just over the pixel limit is refused, the limit itself
    // is not (it then fails only for lack of image data).
    for (const auto& [w, h, status] : {std::tuple{10000, 5001, DecodeStatus::TooManyPixels},
                                       std::tuple{10000, 5000, DecodeStatus::Unreadable}}) {
        QImage one(1, 1, QImage::Format_Grayscale8);
        one.fill(0);
        auto png = encoded(one, "png");
        for (int i = 0; i < 4; ++i) {
            png[16 + std::size_t(i)] = std::uint8_t(unsigned(w) >> (24 - 8 * i));
            png[20 + std::size_t(i)] = std::uint8_t(unsigned(h) >> (24 - 8 * i));
        }
        // The IHDR chunk's CRC over its type and data, so that the header itself is valid.
        std::uint32_t crc = 0xffffffffu;
        for (std::size_t i = 12; i < 29; ++i) {
            crc ^= png[i];
            for (int bit = 0; bit < 8; ++bit)
                crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
        }
        crc ^= 0xffffffffu;
        for (int i = 0; i < 4; ++i)
            png[29 + std::size_t(i)] = std::uint8_t(crc >> (24 - 8 * i));
        EXPECT_EQ(decodePicture(png).status, status) << w << "x" << h;
    }
}

} // namespace
