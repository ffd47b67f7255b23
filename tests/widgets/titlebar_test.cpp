#include "platform/colorscheme.h"
#include "platform/titlebar.h"

#include <QDialog>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using platform::TitleBar;
using Button = TitleBar::Button;
constexpr int kBar = TitleBar::kHeight;

// Groups of neighbouring columns, right of the title, where the bar shows anything but its
// face: one per button glyph.
int glyphsRightOf(TitleBar& bar, int left) {
    const QImage image = bar.grab().toImage();
    const QRgb face = platform::systemColor(platform::SystemColor::ButtonFace).rgb() | 0xff000000u;
    int groups = 0;
    bool inGlyph = false;
    for (int x = left; x < image.width(); ++x) {
        bool ink = false;
        for (int y = 0; y < kBar - 1; ++y)
            ink = ink || (image.pixel(x, y) | 0xff000000u) != face;
        groups += ink && !inGlyph ? 1 : 0;
        inGlyph = ink;
    }
    return groups;
}

TEST(TitleBar, standsAboveTheUnchangedClientAreaAndOffersMinimiseAndCloseOnly) {
    QWidget window(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint |
                                Qt::WindowCloseButtonHint);
    auto* child = new QWidget(&window);
    child->setGeometry(0, 0, 50, 40);
    auto* bar = new TitleBar(&window);
    window.setFixedSize(300, 100);
    window.show();
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(window.minimumSize(), QSize(300, 100 + kBar)) << "not grown by the bar, or resizable";
    EXPECT_EQ(window.maximumSize(), window.minimumSize());
    EXPECT_EQ(child->geometry(), QRect(0, kBar, 50, 40));
    EXPECT_EQ(bar->geometry(), QRect(0, 0, 300, kBar));
    EXPECT_EQ(bar->buttons(), (std::vector{Button::Minimise, Button::Close}));
    // Where a third button would stand, right of the title, only two glyphs are drawn.
    EXPECT_EQ(glyphsRightOf(*bar, 300 - 8 - 3 * 18 - 2 * 5), 2);

    // Shown again, the window keeps its place for the bar instead of making room twice.
    window.hide();
    window.show();
    EXPECT_EQ(child->y(), kBar);
    EXPECT_EQ(window.height(), 100 + kBar);
}

TEST(TitleBar, dialogGetsOnlyCloseAndAPressThatEndsOnItCloses) {
    QDialog dialog(nullptr, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    auto* bar = new TitleBar(&dialog);
    dialog.setFixedSize(200, 80);
    dialog.show();
    ASSERT_EQ(bar->buttons(), std::vector{Button::Close});
    EXPECT_EQ(glyphsRightOf(*bar, 200 - 8 - 2 * 18 - 5), 1);
    const QPoint close = bar->buttonRect(Button::Close).center();
    QTest::mousePress(bar, Qt::LeftButton, {}, close);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(close.x() - 30, close.y()));
    EXPECT_TRUE(dialog.isVisible()) << "closed by a press that ended off the button";
    QTest::mouseClick(bar, Qt::LeftButton, {}, close);
    EXPECT_FALSE(dialog.isVisible());
}

} // namespace
