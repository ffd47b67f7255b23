#include "faces.h"
#include "fixture.h"
#include "pixels.h"
#include "platform/colorscheme.h"

#include <QFontMetrics>
#include <QPainter>

namespace {

using widgets::GlyphLayout;
using widgets::TJvXPButton;

constexpr QRgb kOutline = qRgb(0, 56, 115);
constexpr QRgb kCornerLines = qRgb(123, 158, 173);
constexpr QRgb kDisabledEdges = qRgb(206, 199, 189);
const QRgb kContainerRgb = qRgb(90, 160, 60);

constexpr QRgb kGlyphBlock = qRgb(0, 64, 192);
constexpr QRgb kGlyphDot = qRgb(200, 40, 40);

// 16 x 16 on a white ground: a 6 x 6 blue block at 5,5 and a 3 x 3 red dot at 1,1.
QImage testGlyph() {
    QImage glyph(16, 16, QImage::Format_RGB888);
    glyph.fill(Qt::white);
    QPainter painter(&glyph);
    painter.fillRect(5, 5, 6, 6, QColor(kGlyphBlock));
    painter.fillRect(1, 1, 3, 3, QColor(kGlyphDot));
    return glyph;
}

QRect boundsOf(const QImage& image, QRgb colour) {
    return boundsWhere(image, image.rect(),
                       [colour](QRgb c) { return (c | 0xff000000u) == (colour | 0xff000000u); });
}

class ButtonPaint : public ButtonWindow {
protected:
    void SetUp() override {
        ButtonWindow::SetUp();
        pointerAway();
        button = addButton({10, 10, 73, 25}, QStringLiteral("Undo"));
        showWindow();
    }

    TJvXPButton* button = nullptr;
};

TEST_F(ButtonPaint, plainButtonShowsTheWorkedExampleFaceInsideTheOutline) {
    ASSERT_FALSE(button->isFramed());
    const QImage image = shot(*button);
    // Columns clear of the caption on both sides; the outline takes the corner pixels (1, 1)
    // and so on.
    for (int y = 2; y <= 22; ++y) {
        for (int x : {1, 2, 3, 4, 68, 69, 70, 71})
            ASSERT_TRUE(pixelIs(image, x, y, faces::kBackground[y - 1]));
    }
    for (int x = 2; x <= 70; ++x) {
        for (int y : {1, 2, 22, 23})
            ASSERT_TRUE(pixelIs(image, x, y, faces::kBackground[y - 1]));
    }
}

TEST_F(ButtonPaint, outlineCornerLinesAndContainerCornersSitAtTheirPoints) {
    const QImage image = shot(*button);
    // The rounded outline: straight edges from the third pixel, one diagonal pixel per corner.
    for (int x = 2; x <= 70; ++x) {
        ASSERT_TRUE(pixelIs(image, x, 0, kOutline));
        ASSERT_TRUE(pixelIs(image, x, 24, kOutline));
    }
    for (int y = 2; y <= 22; ++y) {
        ASSERT_TRUE(pixelIs(image, 0, y, kOutline));
        ASSERT_TRUE(pixelIs(image, 72, y, kOutline));
    }
    struct Point {
        int x, y;
        QRgb colour;
    };
    const Point points[] = {
        {1, 1, kOutline},
        {71, 1, kOutline},
        {1, 23, kOutline},
        {71, 23, kOutline},
        // (0,1)-(2,0), (71,0)-(73,2), (0,23)-(2,25), (70,25)-(73,22), end points excluded.
        {0, 1, kCornerLines},
        {1, 0, kCornerLines},
        {71, 0, kCornerLines},
        {72, 1, kCornerLines},
        {0, 23, kCornerLines},
        {1, 24, kCornerLines},
        {71, 24, kCornerLines},
        {72, 23, kCornerLines},
        {0, 0, kContainerRgb},
        {72, 0, kContainerRgb},
        {0, 24, kContainerRgb},
        {72, 24, kContainerRgb},
    };
    for (const Point& p : points)
        EXPECT_TRUE(pixelIs(image, p.x, p.y, p.colour));
}

TEST_F(ButtonPaint, cornersFollowTheContainerColour) {
    container->setColor(platform::ColorSetting::rgb(10, 20, 30));
    const QImage image = shot(*button);
    EXPECT_TRUE(pixelIs(image, 0, 0, qRgb(10, 20, 30)));
    EXPECT_TRUE(pixelIs(image, 72, 24, qRgb(10, 20, 30)));
}

TEST_F(ButtonPaint, hoverDrawsTheOrangeRingAroundTheTopOfTheFace) {
    platform::sendPointerCrossing(button, platform::PointerCrossing::Kind::Enter);
    ASSERT_TRUE(button->isHovered());
    const QImage image = shot(*button);
    for (int y = 2; y <= 22; ++y) {
        for (int x : {1, 2, 70, 71})
            ASSERT_TRUE(pixelIs(image, x, y, faces::kHover[y - 1]));
    }
    for (int x = 2; x <= 70; ++x) {
        for (int y : {1, 2, 22, 23})
            ASSERT_TRUE(pixelIs(image, x, y, faces::kHover[y - 1]));
    }
    // The face inside is the background image's top 19 rows, moved two pixels in.
    for (int y = 3; y <= 21; ++y) {
        for (int x : {3, 4, 5, 67, 68, 69})
            ASSERT_TRUE(pixelIs(image, x, y, faces::kBackground[y - 3]));
    }
}

TEST_F(ButtonPaint, hoveredAndPressedShowsThePressedFaceAndMovesTheCaption) {
    const QRect face(3, 3, 67, 19);
    const QRect captionBefore = boundsWhere(shot(*button), face, isDark);
    ASSERT_FALSE(captionBefore.isNull());

    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(36, 12));
    settle();
    platform::sendPointerCrossing(button, platform::PointerCrossing::Kind::Enter);
    ASSERT_TRUE(button->isPressed() && button->isHovered());
    const QImage image = shot(*button);
    for (int y = 2; y <= 22; ++y) {
        for (int x : {1, 2, 3, 69, 70, 71})
            ASSERT_TRUE(pixelIs(image, x, y, faces::kPressed[y - 1]));
    }
    EXPECT_EQ(boundsWhere(image, face, isDark), captionBefore.translated(1, 1));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(36, 12));
}

TEST_F(ButtonPaint, disabledButtonHasGreyEdgesAndAnEmbossedCaption) {
    button->setEnabled(false);
    const QImage image = shot(*button);
    EXPECT_TRUE(pixelIs(image, 30, 0, kDisabledEdges));
    EXPECT_TRUE(pixelIs(image, 0, 12, kDisabledEdges));
    EXPECT_TRUE(pixelIs(image, 1, 1, kDisabledEdges));
    EXPECT_TRUE(pixelIs(image, 0, 1, kDisabledEdges));
    EXPECT_TRUE(pixelIs(image, 72, 23, kDisabledEdges));
    EXPECT_TRUE(pixelIs(image, 0, 0, kContainerRgb));

    // The caption's highlight copy is the only thing brighter than the face row it lies on,
    // and its shadow copy the only grey; anti-aliased edges blend either into the face.
    const QRect face(3, 3, 67, 19);
    QRect grey;
    QRect white;
    for (int y = face.top(); y <= face.bottom(); ++y) {
        const QRgb row = faces::kBackground[static_cast<std::size_t>(y - 1)];
        for (int x = face.left(); x <= face.right(); ++x) {
            const QRgb c = image.pixel(x, y);
            if (qBlue(c) > qBlue(row) + 4)
                white |= QRect(x - face.left(), y - face.top(), 1, 1);
            if (qRed(c) < 170 && qRed(c) >= 100)
                grey |= QRect(x - face.left(), y - face.top(), 1, 1);
        }
    }
    ASSERT_FALSE(grey.isNull()) << "no caption in the shadow colour";
    ASSERT_FALSE(white.isNull()) << "no caption in the highlight colour";
    EXPECT_GT(white.right(), grey.right());
    EXPECT_GT(white.bottom(), grey.bottom());
    EXPECT_TRUE(boundsWhere(image, face, [](QRgb c) { return qRed(c) < 100; }).isNull())
        << "a disabled caption has no dark pixels";
}

TEST_F(ButtonPaint, glyphLeavesItsGroundOutAndTurnsGreyWhenDisabled) {
    button->setGlyph(testGlyph());
    QImage image = shot(*button);
    const QRect block = boundsOf(image, kGlyphBlock);
    ASSERT_EQ(block.size(), QSize(6, 6));
    const QPoint origin = block.topLeft() - QPoint(5, 5);
    EXPECT_EQ(boundsOf(image, kGlyphDot), QRect(origin + QPoint(1, 1), QSize(3, 3)));
    // The glyph is centred on the whole button's height.
    EXPECT_EQ(origin.y(), (25 - 16) / 2);
    for (QPoint ground : {QPoint(0, 15), QPoint(15, 0), QPoint(15, 15), QPoint(12, 12)}) {
        const QPoint at = origin + ground;
        EXPECT_TRUE(pixelIs(image, at.x(), at.y(), faces::kBackground[at.y() - 1]));
    }

    button->setEnabled(false);
    image = shot(*button);
    EXPECT_TRUE(boundsOf(image, kGlyphBlock).isNull());
    // v = min(255, (r + g + b) div 3 + 100)
    const QImage glyphArea = image.copy(QRect(origin, QSize(16, 16)));
    EXPECT_EQ(boundsOf(glyphArea, qRgb(185, 185, 185)), QRect(5, 5, 6, 6));
    EXPECT_EQ(boundsOf(glyphArea, qRgb(193, 193, 193)), QRect(1, 1, 3, 3));
    const QPoint ground = origin + QPoint(15, 15);
    EXPECT_TRUE(pixelIs(image, ground.x(), ground.y(), faces::kBackground[ground.y() - 1]));
}

TEST_F(ButtonPaint, newsButtonCentresGlyphGapAndLeftAlignedLinesAsOneBlock) {
    auto* news = addButton({100, 100, 113, 33}, QStringLiteral("Check for News and Upgrades"));
    news->setFont(platform::makeFont("Tahoma", 11));
    news->setGlyph(testGlyph());
    news->show();
    const QImage image = shot(*news);
    const QRect block = boundsOf(image, kGlyphBlock);
    ASSERT_EQ(block.size(), QSize(6, 6));
    const QPoint origin = block.topLeft() - QPoint(5, 5);
    EXPECT_EQ(origin.y(), (33 - 16) / 2) << "glyph centred on the button's height";

    const QRect textArea(origin.x() + 16, 2, 111 - (origin.x() + 16), 29);
    const QRect text = boundsWhere(image, textArea, isDark);
    ASSERT_FALSE(text.isNull());
    // The caption begins after the glyph and the three-pixel gap (a letter may start one
    // pixel into its cell).
    EXPECT_GE(text.left(), origin.x() + 16 + 3);
    EXPECT_LE(text.left(), origin.x() + 16 + 3 + 1);
    // Glyph, gap and text together are centred across the button.
    const int leftMargin = origin.x();
    const int rightMargin = 113 - 1 - text.right();
    EXPECT_LE(std::abs(leftMargin - rightMargin), 2)
        << "left margin " << leftMargin << ", right margin " << rightMargin;

    // Two lines, separated by a row without ink, both starting at the same left edge.
    int gap = -1;
    for (int y = text.top(); y <= text.bottom() && gap < 0; ++y) {
        if (boundsWhere(image, QRect(textArea.left(), y, textArea.width(), 1), isDark).isNull())
            gap = y;
    }
    ASSERT_GT(gap, 0) << "the caption did not wrap";
    const QRect first = boundsWhere(
        image, QRect(textArea.left(), text.top(), textArea.width(), gap - text.top()), isDark);
    const QRect second = boundsWhere(
        image, QRect(textArea.left(), gap, textArea.width(), text.bottom() - gap + 1), isDark);
    ASSERT_FALSE(second.isNull());
    EXPECT_LE(std::abs(first.left() - second.left()), 1)
        << "first line starts at " << first.left() << ", second at " << second.left();
    EXPECT_NE(first.width(), second.width());
}

TEST_F(ButtonPaint, unbreakableCaptionIsCutAndEndsInDots) {
    button->setCaption(QStringLiteral("Supercalifragilisticexpialidocious"));
    const QImage image = shot(*button);
    const QRect text = boundsWhere(image, QRect(2, 2, 69, 21), isDark);
    ASSERT_FALSE(text.isNull());
    EXPECT_GE(text.left(), 2);
    EXPECT_LE(text.right(), 70);
    // The last ink is a dot: at most two rows high, on the baseline, below the letters' tops.
    const QRect lastColumns = boundsWhere(image, QRect(text.right() - 1, 2, 2, 21), isDark);
    EXPECT_LE(lastColumns.height(), 2);
    EXPECT_GT(lastColumns.top(), text.top() + 3);
}

TEST_F(ButtonPaint, emptyCaptionMeasuresAsOneLineAndDrawsNothing) {
    for (const QString& caption : {QString(), QStringLiteral("&")}) {
        auto* tall = addButton({100, 100, 73, 41}, caption);
        tall->setGlyph(testGlyph());
        tall->setLayout(GlyphLayout::Top);
        tall->show();
        const QImage image = shot(*tall);
        const QRect block = boundsOf(image, kGlyphBlock);
        ASSERT_EQ(block.size(), QSize(6, 6));
        // Text rectangle from 16 + 3 down, one line high, centred with the glyph above it.
        const int lineHeight = QFontMetrics(tall->font()).height();
        EXPECT_EQ(block.top() - 5, (41 - (16 + 3 + lineHeight)) / 2) << caption.toStdString();
        EXPECT_EQ(block.left() - 5, (73 - 16) / 2);
        const QRect belowGlyph(3, block.bottom() + 6, 67, 41 - 3 - (block.bottom() + 6));
        EXPECT_TRUE(boundsWhere(image, belowGlyph, isDark).isNull()) << "something was drawn";
        delete tall;
    }
}

TEST_F(ButtonPaint, imagesAreRebuiltAtASizeChangeOnlyAtTheFramedSizeIfFramed) {
    const qint64 before = button->backgroundImage().cacheKey();
    platform::sendPointerCrossing(button, platform::PointerCrossing::Kind::Enter);
    shot(*button);
    platform::sendPointerCrossing(button, platform::PointerCrossing::Kind::Leave);
    shot(*button);
    EXPECT_EQ(button->backgroundImage().cacheKey(), before);
    EXPECT_EQ(button->backgroundImage().size(), QSize(71, 23));

    // Sized while framed, the background is four pixels smaller each way.
    platform::sendPointerCrossing(button, platform::PointerCrossing::Kind::Enter);
    button->resize(80, 30);
    EXPECT_NE(button->backgroundImage().cacheKey(), before);
    EXPECT_EQ(button->backgroundImage().size(), QSize(74, 24));
    EXPECT_EQ(button->hoverImage().size(), QSize(78, 28));
    EXPECT_EQ(button->pressedImage().size(), QSize(78, 28));
    EXPECT_EQ(button->focusImage().size(), QSize(78, 28));
}

} // namespace
