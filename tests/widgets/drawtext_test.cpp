#include "platform/drawtext.h"
#include "platform/fonts.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

using platform::TextFlag;
using platform::textLines;

class DrawText : public ::testing::Test {
protected:
    QFont font = platform::makeFont("Tahoma", 11);
    QFontMetrics metrics{font};
    int width(const QString& text) const { return metrics.horizontalAdvance(text); }
};

TEST_F(DrawText, wordBreakFillsEachLineAsFarAsItFitsAndDropsTheBlanksAtBreaks) {
    const QString text = QStringLiteral("one two three four");
    const int fits = width(QStringLiteral("one two three"));
    EXPECT_EQ(textLines(font, text, fits, TextFlag::WordBreak),
              (QStringList{QStringLiteral("one two three"), QStringLiteral("four")}));
    EXPECT_EQ(textLines(font, text, fits - 1, TextFlag::WordBreak),
              (QStringList{QStringLiteral("one two"), QStringLiteral("three four")}));
    EXPECT_EQ(textLines(font, text, 10000, TextFlag::WordBreak), QStringList{text});
}

TEST_F(DrawText, aWordWiderThanTheRectangleStaysWholeUnlessEllipsisCutsIt) {
    const QString word = QStringLiteral("Supercalifragilistic");
    EXPECT_EQ(textLines(font, word, 40, TextFlag::WordBreak), QStringList{word});
    const QStringList cut = textLines(font, word, 40, TextFlag::WordBreak | TextFlag::EndEllipsis);
    ASSERT_EQ(cut.size(), 1);
    EXPECT_TRUE(cut[0].endsWith(QStringLiteral("..."))) << cut[0].toStdString();
    EXPECT_TRUE(word.startsWith(cut[0].chopped(3)));
    EXPECT_LE(width(cut[0]), 40);
    EXPECT_GT(width(cut[0].chopped(3) + word[cut[0].size() - 3] + QStringLiteral("...")), 40)
        << "cut shorter than needed";
}

TEST_F(DrawText, measuringKeepsTheCornerAndTakesTheWidestLineAndAllLines) {
    const int widest =
        std::max(width(QStringLiteral("one two")), width(QStringLiteral("three four")));
    QRect rect(7, 9, widest, 5);
    const int height = platform::drawText(nullptr, font, QStringLiteral("one two three four"), rect,
                                          TextFlag::WordBreak | TextFlag::CalcRect);
    EXPECT_EQ(rect.topLeft(), QPoint(7, 9));
    EXPECT_EQ(height, 2 * metrics.height());
    EXPECT_EQ(rect.height(), 2 * metrics.height());
    EXPECT_EQ(rect.width(),
              std::max(width(QStringLiteral("one two")), width(QStringLiteral("three four"))));

    QRect empty(0, 0, 50, 50);
    platform::drawText(nullptr, font, QString(), empty, TextFlag::CalcRect);
    EXPECT_EQ(empty.height(), 0) << "an empty text has no lines";
}

TEST_F(DrawText, prefixMarksAreRemovedUnlessTurnedOff) {
    EXPECT_EQ(textLines(font, QStringLiteral("&Save && Quit"), 1000, {}),
              QStringList{QStringLiteral("Save & Quit")});
    EXPECT_EQ(textLines(font, QStringLiteral("&Save && Quit"), 1000, TextFlag::NoPrefix),
              QStringList{QStringLiteral("&Save && Quit")});
}

TEST_F(DrawText, singleLineIgnoresLineFeedsAndWordBreak) {
    EXPECT_EQ(
        textLines(font, QStringLiteral("a b\nc"), 1, TextFlag::SingleLine | TextFlag::WordBreak)
            .size(),
        1);
    EXPECT_EQ(textLines(font, QStringLiteral("a b\nc"), 1000, {}).size(), 2);
}

TEST_F(DrawText, alignmentPlacesEachLineAndNothingIsDrawnOutsideTheRectangle) {
    QImage image(200, 40, QImage::Format_RGB32);
    auto inkLeft = [&](platform::TextFlags flags) {
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setPen(Qt::black);
        QRect rect(20, 5, 160, 30);
        platform::drawText(&painter, font, QStringLiteral("Help"), rect, flags);
        painter.end();
        int left = -1, right = -1;
        for (int x = 0; x < image.width(); ++x)
            for (int y = 0; y < image.height(); ++y)
                if (qRed(image.pixel(x, y)) < 128) {
                    if (left < 0)
                        left = x;
                    right = x;
                }
        return std::pair{left, right};
    };
    const auto [l, lr] = inkLeft(TextFlag::Left);
    const auto [c, cr] = inkLeft(TextFlag::Center);
    const auto [r, rr] = inkLeft(TextFlag::Right);
    EXPECT_LE(std::abs(l - 20), 1);
    EXPECT_LE(std::abs(rr - 179), 1);
    EXPECT_LE(std::abs((c + cr) / 2 - 100), 1);
    EXPECT_LT(l, c);
    EXPECT_LT(c, r);
    Q_UNUSED(lr);
}

} // namespace
