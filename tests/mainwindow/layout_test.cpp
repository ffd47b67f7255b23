#include "mainwindow/SUnit1.h"
#include "platform/screen.h"
#include "widgets/jvpanel.h"
#include "widgets/xpbutton.h"

#include <QFile>

#include <gtest/gtest.h>

#include <string>

namespace {

QRect geometryOf(const TForm1& form, const std::string& name) {
    const QWidget* widget = form.ControlByName(name);
    return widget != nullptr ? widget->geometry() : QRect();
}

// Position of a control relative to the main window's client area.
QPoint windowPosition(const TForm1& form, const std::string& name) {
    const QWidget* widget = form.ControlByName(name);
    return widget->mapTo(&form, QPoint(0, 0));
}

} // namespace

TEST(MainWindowLayout, windowClientAreaAndFixedSize) {
    TForm1 form;
    EXPECT_EQ(form.size(), QSize(876, 722));
    EXPECT_EQ(form.minimumSize(), form.maximumSize()) << "the user cannot resize the window";
    EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(form.windowTitle().startsWith("Zarvick V0.9 "));
    EXPECT_EQ(form.programVersion(), "0.9");
}

TEST(MainWindowLayout, candidatesStandAsOnAKeypadInEveryCell) {
    TForm1 form;
    for (int n = 1; n <= board::kCellCount; ++n) {
        const int first = board::buttonNumber(n, 1);
        const int last = board::buttonNumber(n, 9);
        ASSERT_EQ(geometryOf(form, "SpeedButton" + std::to_string(first)), QRect(2, 3, 23, 22))
            << "panel " << n;
        ASSERT_EQ(geometryOf(form, "SpeedButton" + std::to_string(last)), QRect(50, 51, 23, 22))
            << "panel " << n;
        ASSERT_EQ(geometryOf(form, "SpeedButton" + std::to_string(first + 4)),
                  QRect(26, 27, 23, 22));
        ASSERT_EQ(form.ControlByName("SpeedButton" + std::to_string(first))->parentWidget(),
                  form.ControlByName("Panel" + std::to_string(n)));
    }
}

TEST(MainWindowLayout, cellsOverlapByTwoInsideTheirBlocks) {
    TForm1 form;
    for (int block = 1; block <= 9; ++block) {
        const int first = (block - 1) * 9 + 1;
        EXPECT_EQ(geometryOf(form, "Panel" + std::to_string(first)), QRect(0, 0, 78, 78));
        EXPECT_EQ(geometryOf(form, "Panel" + std::to_string(first + 4)), QRect(76, 76, 78, 78));
        EXPECT_EQ(geometryOf(form, "Panel" + std::to_string(first + 8)), QRect(152, 152, 78, 78));
        auto* blockPanel =
            static_cast<widgets::TJvPanel*>(form.ControlByName("JvPanel" + std::to_string(block)));
        EXPECT_EQ(form.ControlByName("Panel" + std::to_string(first))->parentWidget(),
                  blockPanel->client());
    }
}

TEST(MainWindowLayout, blocksStandAtTheirUnevenPositions) {
    TForm1 form;
    const int lefts[] = {5, 243, 482};
    const int tops[] = {5, 242, 479};
    for (int block = 1; block <= 9; ++block) {
        const QRect want(lefts[(block - 1) % 3], tops[(block - 1) / 3], 241, 241);
        EXPECT_EQ(geometryOf(form, "JvPanel" + std::to_string(block)), want) << "block " << block;
        EXPECT_EQ(form.ControlByName("JvPanel" + std::to_string(block))->parentWidget(),
                  form.ControlByName("Panel82"));
    }
    // The first cell of block 5 sits inside the block's two-pixel client edge.
    EXPECT_EQ(windowPosition(form, "Panel37"), QPoint(243 + 2, 242 + 2));
}

TEST(MainWindowLayout, framesPanelsAndGroupBoxes) {
    TForm1 form;
    EXPECT_EQ(geometryOf(form, "Panel82"), QRect(0, 0, 721, 721));
    EXPECT_EQ(geometryOf(form, "Panel83"), QRect(724, 0, 153, 721));
    EXPECT_EQ(geometryOf(form, "GroupBox4"), QRect(8, 0, 137, 57));
    EXPECT_EQ(geometryOf(form, "GroupBox1"), QRect(8, 56, 137, 89));
    EXPECT_EQ(geometryOf(form, "GroupBox2"), QRect(8, 216, 137, 177));
    EXPECT_EQ(geometryOf(form, "GroupBox3"), QRect(8, 392, 137, 145));
    EXPECT_EQ(geometryOf(form, "btnUnDo"), QRect(32, 24, 73, 25));
    EXPECT_EQ(geometryOf(form, "btnUpgrade"), QRect(12, 56, 113, 33));
    EXPECT_EQ(geometryOf(form, "btnDifficult"), QRect(32, 136, 73, 25));
    EXPECT_EQ(windowPosition(form, "btnHelp"), QPoint(724 + 8 + 32, 392 + 96));
}

TEST(MainWindowLayout, hiddenControlsExistButNeverShow) {
    TForm1 form;
    form.show();
    for (const char* name : {"reMoves", "reRedo", "btnClean"}) {
        const QWidget* widget = form.ControlByName(name);
        ASSERT_NE(widget, nullptr) << name;
        EXPECT_FALSE(widget->isVisible()) << name;
    }
    EXPECT_EQ(geometryOf(form, "btnClean").size(), QSize(73, 21));
    EXPECT_FALSE(form.TimerRegFonts.isActive());
    EXPECT_EQ(form.TimerRegFonts.interval(), 2000);
}

TEST(MainWindowLayout, focusMovesThroughTheCommandsInTheirOrder) {
    TForm1 form;
    const char* order[] = {"btnUnDo",   "btnSingles",   "btnRemaining", "btnBlank", "btnEasy",
                           "btnMedium", "btnDifficult", "btnAbout",     "btnHelp",  "btnUpgrade"};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        EXPECT_EQ(form.ControlByName(order[i - 1])->nextInFocusChain(),
                  form.ControlByName(order[i]))
            << order[i - 1];
    }
    EXPECT_EQ(form.ControlByName("SpeedButton1")->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(form.ControlByName("Panel1")->focusPolicy(), Qt::NoFocus);
}

TEST(MainWindowLayout, lookupIgnoresLetterCase) {
    TForm1 form;
    const QWidget* panel7 = form.ControlByName("Panel7");
    ASSERT_NE(panel7, nullptr);
    EXPECT_EQ(panel7->objectName(), "Panel7");
    for (const char* name : {"panel7", "PANEL7", "pAnEl7"})
        EXPECT_EQ(form.ControlByName(name), panel7) << name;
    const QWidget* button12 = form.ControlByName("SpeedButton12");
    ASSERT_NE(button12, nullptr);
    for (const char* name : {"speedbutton12", "Speedbutton12", "SPEEDBUTTON12"})
        EXPECT_EQ(form.ControlByName(name), button12) << name;
    ASSERT_NE(form.ControlByName("JvPanel3"), nullptr);
    EXPECT_EQ(form.ControlByName("JVPanel3"), form.ControlByName("JvPanel3"));
    EXPECT_EQ(form.ControlByName("Panel0"), nullptr);
    EXPECT_EQ(form.ControlByName("SpeedButton730"), nullptr);
    EXPECT_EQ(form.controlByName("JvPanel3"), nullptr) << "a block panel is no board control";
    EXPECT_NE(form.controlByName("speedbutton729"), nullptr);
}

TEST(MainWindowLayout, screenHeightChoosesTheSizeFactor) {
    struct Case {
        int height;
        std::optional<int> factor;
    };
    for (const Case c : {Case{600, 16}, Case{755, 16}, Case{756, 20}, Case{899, 20},
                         Case{900, std::nullopt}, Case{1200, std::nullopt}}) {
        platform::setScreenHeightOverride(c.height);
        TForm1 form;
        EXPECT_EQ(form.sizeFactor(), c.factor) << "screen height " << c.height;
    }
    platform::setScreenHeightOverride(1024);
}

TEST(MainWindowLayout, newsButtonCarriesItsStoredGlyph) {
    QFile stored(QStringLiteral(":/assets/UpgradeGlyph.dat"));
    ASSERT_TRUE(stored.open(QIODevice::ReadOnly));
    const QByteArray data = stored.readAll();
    ASSERT_EQ(data.size(), 4 + 822);
    EXPECT_EQ(static_cast<unsigned char>(data[0]) | static_cast<unsigned char>(data[1]) << 8, 822);
    EXPECT_EQ(data.mid(4, 2), "BM");
    EXPECT_EQ(static_cast<unsigned char>(data[4 + 28]), 24) << "bits per pixel";

    TForm1 form;
    const auto* button = static_cast<widgets::TJvXPButton*>(form.ControlByName("btnUpgrade"));
    ASSERT_EQ(button->glyph().size(), QSize(16, 16));
    EXPECT_EQ(button->glyph().pixelColor(0, 15), QColor(Qt::white)) << "the white ground";
    EXPECT_FALSE(form.windowIcon().isNull());
}
