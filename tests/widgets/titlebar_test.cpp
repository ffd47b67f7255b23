#include "platform/titlebar.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

using platform::TitleBar;
using Button = TitleBar::Button;
constexpr int kBar = TitleBar::kHeight;

TEST(TitleBar, standsAboveTheUnchangedClientAreaOffersNoMaximiseAndClosesOnAFullClick) {
    QWidget window(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint |
                                Qt::WindowCloseButtonHint);
    auto* child = new QWidget(&window);
    child->setGeometry(0, 0, 50, 40);
    auto* bar = new TitleBar(&window);
    platform::setFixedClientSize(&window, QSize(300, 100));
    window.show();
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(window.minimumSize(), QSize(300, 100 + kBar)) << "not grown by the bar, or resizable";
    EXPECT_EQ(window.maximumSize(), window.minimumSize());
    EXPECT_EQ(child->geometry(), QRect(0, kBar, 50, 40));
    EXPECT_EQ(bar->geometry(), QRect(0, 0, 300, kBar));
    EXPECT_EQ(bar->buttons(), (std::vector{Button::Minimise, Button::Close}));
    // Shown again, the window keeps its room for the bar instead of making room twice.
    window.hide();
    window.show();
    EXPECT_EQ(child->y(), kBar);

    const QPoint close = bar->buttonRect(Button::Close).center();
    QTest::mousePress(bar, Qt::LeftButton, {}, close);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, bar->buttonRect(Button::Minimise).center());
    EXPECT_TRUE(window.isVisible()) << "closed by a press that ended off the button";
    QTest::mouseClick(bar, Qt::LeftButton, {}, close);
    EXPECT_FALSE(window.isVisible());
}

TEST(TitleBar, isOursOnlyOnWaylandWhereTheCompositorOffersNoFramesOrTheUserForcesIt) {
    struct Case {
        bool wayland;
        const char* forced;
        bool offers;
        bool want;
    };
    for (const Case& c :
         {Case{false, "", false, false}, Case{false, "own", false, false},
          Case{true, "", false, true}, Case{true, "", true, false}, Case{true, "own", true, true},
          Case{true, "compositor", false, false}, Case{true, "Own", true, false}}) {
        EXPECT_EQ(platform::wantOwnTitleBar(c.wayland, c.forced, [&] { return c.offers; }), c.want)
            << c.wayland << " '" << c.forced << "' " << c.offers;
    }
}

} // namespace
