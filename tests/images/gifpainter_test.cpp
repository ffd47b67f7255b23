#include "gifpainter.h"
#include "giftestutil.h"

#include <QPainter>

using namespace testgif;

namespace {

constexpr QRgb kBackground = 0xFF102030;
const QRgb kBlack = qRgb(0, 0, 0), kWhite = qRgb(255, 255, 255), kBlue = qRgb(0, 0, 255);

// Draws into a canvas pre-filled with a sentinel colour and returns the canvas.
QImage drawn(TJvGIFImage& gif, QSize size) {
    QImage canvas(size.width() + 2, size.height() + 2, QImage::Format_RGB32);
    canvas.fill(kBackground);
    QPainter painter(&canvas);
    drawGif(painter, QRect(QPoint(1, 1), size), gif);
    return canvas;
}

TJvGIFImage picture(int w, int h, std::vector<Rgb> table, std::vector<std::uint8_t> pixels,
                    std::optional<int> transparentIndex = std::nullopt) {
    File file;
    file.screenWidth = w;
    file.screenHeight = h;
    file.globalTable = std::move(table);
    Frame f;
    f.width = w;
    f.height = h;
    f.pixels = std::move(pixels);
    f.transparentIndex = transparentIndex;
    file.frames.push_back(f);
    TJvGIFImage gif;
    gif.loadFromStream(write(file));
    return gif;
}

// The About picture's table: black, white, blue, white.
const std::vector<Rgb> kAboutTable = {{0, 0, 0}, {255, 255, 255}, {0, 0, 255}, {255, 255, 255}};

std::string rgb(QRgb c) {
    char text[16];
    std::snprintf(text, sizeof text, "#%06x", c & 0xFFFFFF);
    return text;
}

} // namespace

TEST(GifDrawing, deeperBitmapsRepeatOrDropRowsAndColumns) {
    const std::vector<Rgb> table = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {9, 9, 9}};
    TJvGIFImage gif = picture(4, 4, table, {0, 1, 2, 3, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3});
    const QImage shrunk = drawn(gif, {2, 2});
    EXPECT_EQ(rgb(shrunk.pixel(1, 1)), rgb(qRgb(255, 0, 0)));
    EXPECT_EQ(rgb(shrunk.pixel(2, 1)), rgb(qRgb(0, 0, 255)));
    EXPECT_EQ(rgb(shrunk.pixel(1, 2)), rgb(qRgb(0, 0, 255)));
    EXPECT_EQ(rgb(shrunk.pixel(0, 0)), rgb(kBackground)); // outside the rectangle
    EXPECT_EQ(rgb(shrunk.pixel(3, 3)), rgb(kBackground));
    const QImage grown = drawn(gif, {8, 8});
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            ASSERT_EQ(grown.pixel(1 + x, 1 + y), drawn(gif, {4, 4}).pixel(1 + x / 2, 1 + y / 2))
                << x << "," << y;
}

TEST(GifDrawing, oneBitBitmapsShrinkByAndingTheirColours) {
    // Index 0 is white here, so only the colour AND (not the index AND) gives black.
    TJvGIFImage gif = picture(4, 1, {{255, 255, 255}, {0, 0, 0}}, {0, 1, 0, 0});
    const QImage shrunk = drawn(gif, {2, 1});
    EXPECT_EQ(rgb(shrunk.pixel(1, 1)), rgb(kBlack));
    EXPECT_EQ(rgb(shrunk.pixel(2, 1)), rgb(kWhite));
}

TEST(GifDrawing, transparentColourLeavesTheDestinationWhateverItsIndex) {
    // Index 1 is the transparent white; index 3 is white too and so just as transparent.
    TJvGIFImage gif = picture(2, 2, kAboutTable, {1, 2, 3, 0}, 1);
    const QImage same = drawn(gif, {2, 2});
    EXPECT_EQ(rgb(same.pixel(1, 1)), rgb(kBackground));
    EXPECT_EQ(rgb(same.pixel(2, 1)), rgb(kBlue));
    EXPECT_EQ(rgb(same.pixel(1, 2)), rgb(kBackground));
    EXPECT_EQ(rgb(same.pixel(2, 2)), rgb(kBlack));

    gif.setTransparentSwitch(false);
    const QImage opaque = drawn(gif, {2, 2});
    EXPECT_EQ(rgb(opaque.pixel(1, 1)), rgb(kWhite));
}

TEST(GifDrawing, shrinkingWithTransparencyKeepsOnlyWhollyTransparentBlocks) {
    // Four 2 x 2 blocks: all transparent; all blue; blue with transparent; blue with black.
    TJvGIFImage gif = picture(4, 4, kAboutTable,
                              {1, 1, 2, 2, //
                               1, 1, 2, 2, //
                               2, 1, 2, 0, //
                               2, 2, 2, 2},
                              1);
    const QImage shrunk = drawn(gif, {2, 2});
    EXPECT_EQ(rgb(shrunk.pixel(1, 1)), rgb(kBackground));
    EXPECT_EQ(rgb(shrunk.pixel(2, 1)), rgb(kBlue));
    EXPECT_EQ(rgb(shrunk.pixel(1, 2)), rgb(kBlack)); // transparent pixels count as black
    EXPECT_EQ(rgb(shrunk.pixel(2, 2)), rgb(kBlack));
    const QImage grown = drawn(gif, {8, 8});
    EXPECT_EQ(rgb(grown.pixel(1, 1)), rgb(kBackground));
    EXPECT_EQ(rgb(grown.pixel(2, 2)), rgb(kBackground));
    EXPECT_EQ(rgb(grown.pixel(8, 8)), rgb(kBlue));
}

TEST(GifDrawing, onlyTheCurrentFrameIsDrawnAndNothingWithoutOne) {
    File file = simple(2, 1, 1, {1, 1});
    Frame second = file.frames[0];
    second.pixels = {0, 0};
    file.frames.push_back(second);
    TJvGIFImage gif;
    gif.loadFromStream(write(file));
    const QRgb one = [&] {
        const TGIFColor c = gif.frame(0).colorTable().entries[1];
        return qRgb(c.red, c.green, c.blue);
    }();
    EXPECT_EQ(rgb(drawn(gif, {2, 1}).pixel(1, 1)), rgb(one));

    TJvGIFImage empty;
    EXPECT_EQ(rgb(drawn(empty, {5, 5}).pixel(3, 3)), rgb(kBackground));
    EXPECT_TRUE(renderGifFrame(gif, {0, 4}).isNull());
}

TEST(GifDrawing, bitmapConvertsToAnIndexedImage) {
    TJvGIFImage gif = picture(3, 1, kAboutTable, {2, 0, 1});
    const QImage image = gifBitmapToImage(*gif.currentBitmap());
    ASSERT_EQ(image.format(), QImage::Format_Indexed8);
    EXPECT_EQ(image.colorCount(), 16);
    EXPECT_EQ(image.pixelIndex(0, 0), 2);
    EXPECT_EQ(rgb(image.pixel(0, 0)), rgb(kBlue));
    EXPECT_EQ(rgb(image.color(15)), rgb(qRgb(128, 128, 128)));
}
