#include "mainwindow/SUnit1.h"
#include "platform/screen.h"
#include "platform/titlebar.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <string>

namespace {

struct Figures {
    int screenHeight;
    int s;
    std::array<int, 3> buttonColumns, buttonRows, cells, blocks;
    int block, frame, sideLeft, sideHeight, windowWidth, windowHeight;
};

void PrintTo(const Figures& figures, std::ostream* out) {
    *out << "size factor " << figures.s;
}

class CompactLayout : public ::testing::TestWithParam<Figures> {
protected:
    void SetUp() override { platform::setScreenHeightOverride(GetParam().screenHeight); }
    void TearDown() override { platform::setScreenHeightOverride(1024); }
};

QRect geometryOf(const TForm1& form, const std::string& name) {
    return form.ControlByName(name)->geometry();
}

} // namespace

TEST_P(CompactLayout, everyControlFollowsTheSizeFactor) {
    const Figures& f = GetParam();
    TForm1 form;
    ASSERT_EQ(form.sizeFactor(), f.s);
    for (int k = 1; k <= board::kButtonCount; ++k) {
        const int place = (k - 1) % 9;
        const QRect want(f.buttonColumns[static_cast<std::size_t>(place % 3)],
                         f.buttonRows[static_cast<std::size_t>(place / 3)], f.s, f.s);
        ASSERT_EQ(geometryOf(form, "SpeedButton" + std::to_string(k)), want) << "button " << k;
    }
    for (int n = 1; n <= board::kCellCount; ++n) {
        const int place = (n - 1) % 9;
        const QRect want(f.cells[static_cast<std::size_t>(place % 3)],
                         f.cells[static_cast<std::size_t>(place / 3)], f.cells[1], f.cells[1]);
        ASSERT_EQ(geometryOf(form, "Panel" + std::to_string(n)), want) << "panel " << n;
    }
    for (int b = 1; b <= 9; ++b) {
        const QRect want(f.blocks[static_cast<std::size_t>((b - 1) % 3)],
                         f.blocks[static_cast<std::size_t>((b - 1) / 3)], f.block, f.block);
        EXPECT_EQ(geometryOf(form, "JvPanel" + std::to_string(b)), want) << "block " << b;
    }
    EXPECT_EQ(geometryOf(form, "Panel82"), QRect(0, 0, f.frame, f.frame));
    EXPECT_EQ(geometryOf(form, "Panel83"), QRect(f.sideLeft, 0, 153, f.sideHeight));
    form.show();
    QApplication::processEvents();
    EXPECT_EQ(form.frameGeometry().size(), QSize(f.windowWidth, f.windowHeight));
    EXPECT_TRUE(form.ControlByName("Panel82")->isVisible());
    // Nothing else changes: fonts, captions and the side panel's contents stay as designed.
    auto* candidate = static_cast<CandidateButton*>(form.ControlByName("SpeedButton1"));
    EXPECT_EQ(candidate->fontPointSize(), 10);
    EXPECT_EQ(geometryOf(form, "btnUnDo"), QRect(32, 24, 73, 25));
    // The third block column and row end exactly at the frame's edge.
    EXPECT_EQ(f.blocks[2] + f.block, f.frame);
}

INSTANTIATE_TEST_SUITE_P(Factors, CompactLayout,
                         ::testing::Values(Figures{755,
                                                   16,
                                                   {2, 20, 38},
                                                   {3, 20, 38},
                                                   {0, 56, 112},
                                                   {5, 178, 351},
                                                   176,
                                                   527,
                                                   526,
                                                   537,
                                                   682,
                                                   562},
                                           Figures{899,
                                                   20,
                                                   {2, 24, 46},
                                                   {3, 24, 46},
                                                   {0, 68, 136},
                                                   {5, 214, 423},
                                                   212,
                                                   635,
                                                   634,
                                                   645,
                                                   790,
                                                   670}),
                         [](const auto& info) { return "factor" + std::to_string(info.param.s); });

// Where the program draws its own title bar, the client area keeps the size of every layout
// and the bar is added above it, also when the compact layout sizes the shown window again.
TEST(OwnTitleBar, everyLayoutKeepsItsWholeClientAreaBelowTheBar) {
    platform::setOwnTitleBarOverride(true);
    constexpr int kBar = platform::TitleBar::kHeight;
    for (auto [screenHeight, client] :
         {std::pair{1024, QSize(876, 722)}, {899, QSize(790, 670)}, {755, QSize(682, 562)}}) {
        platform::setScreenHeightOverride(screenHeight);
        TForm1 form;
        form.show();
        QApplication::processEvents();
        EXPECT_EQ(form.size(), client + QSize(0, kBar)) << "screen " << screenHeight;
        EXPECT_EQ(platform::clientSize(&form), client) << "screen " << screenHeight;
        EXPECT_EQ(form.ControlByName("Panel82")->pos(), QPoint(0, kBar));
    }
    platform::setOwnTitleBarOverride(std::nullopt);
    platform::setScreenHeightOverride(1024);
}

namespace {
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};
} // namespace

TEST(CompactLayoutPainting, theGridFrameIsPaintedOnceAfterTheResize) {
    platform::setScreenHeightOverride(1024);
    TForm1 form;
    form.show();
    QApplication::processEvents();
    PaintCounter counter;
    QWidget* frame = form.ControlByName("Panel82");
    frame->installEventFilter(&counter);
    form.reSize(20);
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_EQ(counter.paints, 1);
    EXPECT_EQ(frame->size(), QSize(635, 635));
}
