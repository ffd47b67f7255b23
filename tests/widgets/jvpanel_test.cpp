#include "crossing.h"
#include "pixels.h"
#include "platform/colorscheme.h"
#include "platform/fonts.h"
#include "platform/pointer.h"
#include "widgets/jvpanel.h"
#include "widgets/mousetimer.h"
#include "widgets/panel.h"

#include <QApplication>
#include <QTest>

#include <memory>
#include <set>
#include <vector>

namespace {

using platform::ColorSetting;
using platform::PointerCrossing;
using widgets::TJvMouseTimer;
using widgets::TJvPanel;

constexpr QRgb kNavy = qRgb(0, 0, 128);

// Records every enter and leave the panel hears, own or on behalf of a child.
class RecordingPanel : public TJvPanel {
public:
    using TJvPanel::TJvPanel;

    struct Crossing {
        bool enter;
        QWidget* control;
        QWidget* attachedMeanwhile;
    };
    std::vector<Crossing> heard;

    std::vector<Crossing> own() const {
        std::vector<Crossing> result;
        for (const auto& c : heard)
            if (c.control == nullptr)
                result.push_back(c);
        return result;
    }

protected:
    void mouseEnter(QWidget* control) override {
        heard.push_back({true, control, TJvMouseTimer::instance().attached()});
        TJvPanel::mouseEnter(control);
    }
    void mouseLeave(QWidget* control) override {
        heard.push_back({false, control, TJvMouseTimer::instance().attached()});
        TJvPanel::mouseLeave(control);
    }
};

// A grid frame with two block panels set up as the main window does, each with its nine cells.
class BlockPanel : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<QWidget>();
        window->setGeometry(100, 100, 500, 260);
        for (int i = 0; i < 2; ++i) {
            auto* panel = new RecordingPanel(window.get());
            panel->setGeometry(5 + 243 * i, 5, 241, 241);
            panel->setColor(platform::kNavy);
            panel->setFlatBorder(true);
            panel->setFlatBorderColor(platform::kNavy);
            panel->setHotColor(kHot);
            panel->setBevels(widgets::Bevel::Raised, widgets::Bevel::None, 3, 3);
            panel->setBorderSingle(true);
            panel->setCaptionFont(platform::makeFont("MS Shell Dlg 2", 11));
            panel->setCaption(QStringLiteral("JvPanel1"));
            for (int place = 0; place < 9; ++place) {
                auto* cell = new widgets::TPanel(panel->client());
                cell->setGeometry(76 * (place % 3), 76 * (place / 3), 78, 78);
                cell->setBevels(widgets::Bevel::Raised, widgets::Bevel::None, 5, 3);
                cells[i].push_back(cell);
            }
            panels[i] = panel;
        }
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    void TearDown() override {
        window.reset();
        platform::setPointerPositionOverride(std::nullopt);
        QCoreApplication::processEvents();
    }

    // Puts the pointer at a point of a widget and lets the tracking look.
    static void pointAt(QWidget* widget, QPoint at) {
        platform::setPointerPositionOverride(widget->mapToGlobal(at));
        platform::PointerTracker::instance().check();
    }
    // A point on the navy margin of panel i, right of and below its cells.
    QPoint margin(int i) const { return panels[i]->client()->mapTo(panels[i], QPoint(233, 233)); }

    static constexpr ColorSetting kHot = ColorSetting::rgb(200, 0, 0);
    std::unique_ptr<QWidget> window;
    RecordingPanel* panels[2] = {};
    std::vector<widgets::TPanel*> cells[2];
};

TEST_F(BlockPanel, designedSizeShowsSunkenEdgeCellsAndANavyStripWithoutCaption) {
    TJvPanel* panel = panels[0];
    EXPECT_EQ(panel->client()->geometry(), QRect(2, 2, 237, 237));
    const QImage image = shot(*panel);
    using platform::SystemColor;
    const QRgb shadow = platform::systemColor(SystemColor::ButtonShadow).rgb();
    const QRgb highlight = platform::systemColor(SystemColor::ButtonHighlight).rgb();
    const QRgb dark = platform::systemColor(SystemColor::DarkShadow).rgb();
    const QRgb light = platform::systemColor(SystemColor::Light).rgb();
    for (int i = 0; i <= 239; ++i) {
        ASSERT_TRUE(pixelIs(image, i, 0, shadow));
        ASSERT_TRUE(pixelIs(image, 0, i, shadow));
    }
    for (int i = 1; i <= 240; ++i) {
        ASSERT_TRUE(pixelIs(image, 240, i, highlight));
        ASSERT_TRUE(pixelIs(image, i, 240, highlight));
    }
    for (int i = 1; i <= 238; ++i) {
        ASSERT_TRUE(pixelIs(image, i, 1, dark));
        ASSERT_TRUE(pixelIs(image, 1, i, dark));
    }
    for (int i = 2; i <= 239; ++i) {
        ASSERT_TRUE(pixelIs(image, 239, i, light));
        ASSERT_TRUE(pixelIs(image, i, 239, light));
    }
    // Cells over client 0..229 (panel 2..231), then navy to the edge.
    for (int i = 2; i <= 238; ++i) {
        for (int strip = 232; strip <= 238; ++strip) {
            ASSERT_TRUE(pixelIs(image, strip, i, kNavy));
            ASSERT_TRUE(pixelIs(image, i, strip, kNavy));
        }
    }
    const QRgb face = platform::systemColor(SystemColor::ButtonFace).rgb();
    EXPECT_TRUE(pixelIs(image, 2 + 229, 2 + 229 - 10, shadow)) << "last cell's right bevel";
    EXPECT_TRUE(pixelIs(image, 2 + 40, 2 + 40, face));
    // Nothing but the edge, cell and navy colours: a caption would add its own.
    const std::set<QRgb> allowed = {shadow | 0xff000000u, highlight | 0xff000000u,
                                    dark | 0xff000000u,   light | 0xff000000u,
                                    face | 0xff000000u,   kNavy | 0xff000000u};
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ASSERT_TRUE(allowed.count(image.pixel(x, y) | 0xff000000u))
                << "unexpected colour " << rgbText(image.pixel(x, y)) << " at " << x << "," << y;
}

TEST_F(BlockPanel, captionWouldShowWhereNoCellCoversIt) {
    // The same panel without its middle cell: the caption lands in the gap, so the colour
    // check above would see it.
    delete cells[0][4];
    const QImage image = shot(*panels[0]);
    EXPECT_FALSE(
        boundsWhere(image, QRect(80, 80, 80, 80), [](QRgb c) { return qBlue(c) < 64; }).isNull());
}

TEST_F(BlockPanel, marginIsThePanelItselfAndACellCountsAsLeavingIt) {
    RecordingPanel* panel = panels[0];
    pointAt(panel, margin(0));
    EXPECT_TRUE(panel->isMouseOver());
    EXPECT_EQ(panel->color(), kHot);
    EXPECT_EQ(TJvMouseTimer::instance().attached(), panel);
    EXPECT_TRUE(TJvMouseTimer::instance().isActive());
    EXPECT_TRUE(pixelIs(shot(*panel), 235, 120, qRgb(200, 0, 0))) << "hot colour not painted";

    pointAt(cells[0][8], QPoint(40, 40));
    EXPECT_FALSE(panel->isMouseOver());
    EXPECT_EQ(panel->color(), platform::kNavy);
    EXPECT_EQ(TJvMouseTimer::instance().attached(), nullptr);
    EXPECT_FALSE(TJvMouseTimer::instance().isActive());

    // Cell to cell: only reports on behalf of the cells reach the block panel.
    const std::size_t ownBefore = panel->own().size();
    panel->heard.clear();
    pointAt(cells[0][7], QPoint(40, 40));
    EXPECT_EQ(panel->own().size(), 0u);
    ASSERT_EQ(panel->heard.size(), 2u);
    EXPECT_EQ(panel->heard[0].control, cells[0][8]);
    EXPECT_FALSE(panel->heard[0].enter);
    EXPECT_EQ(panel->heard[1].control, cells[0][7]);
    EXPECT_TRUE(panel->heard[1].enter);
    EXPECT_FALSE(panel->isMouseOver());
    EXPECT_EQ(ownBefore, 2u);
}

TEST_F(BlockPanel, pollerSendsTheLeaveOnceThePointerIsOutsideAndStops) {
    RecordingPanel* panel = panels[0];
    pointAt(panel, margin(0));
    ASSERT_TRUE(panel->isMouseOver());
    TJvMouseTimer& poller = TJvMouseTimer::instance();
    EXPECT_EQ(poller.interval(), 200);

    // Still inside: a tick changes nothing.
    poller.tick();
    EXPECT_TRUE(panel->isMouseOver());

    // The pointer leaves the window faster than the tracking looks.
    platform::setPointerPositionOverride(QPoint(-3000, -3000));
    poller.tick();
    EXPECT_FALSE(panel->isMouseOver());
    EXPECT_EQ(panel->color(), platform::kNavy);
    EXPECT_EQ(poller.attached(), nullptr);
    EXPECT_FALSE(poller.isActive());
}

TEST_F(BlockPanel, leavingTheWindowDropsTheHotColourAtOnceAndEnteringOnTheMarginRestoresIt) {
    RecordingPanel* panel = panels[0];
    pointAt(panel, margin(0));
    ASSERT_TRUE(panel->isMouseOver());

    // The last known position is still on the margin; the window's leave alone counts.
    leaveWindow(*window);
    EXPECT_FALSE(panel->isMouseOver());
    EXPECT_EQ(panel->color(), platform::kNavy);
    EXPECT_TRUE(pixelIs(shot(*panel), 235, 120, kNavy)) << "hot colour kept after the leave";
    EXPECT_EQ(TJvMouseTimer::instance().attached(), nullptr);
    EXPECT_FALSE(TJvMouseTimer::instance().isActive());

    enterWindowAt(*window, panel->mapToGlobal(margin(0)));
    EXPECT_TRUE(panel->isMouseOver());
    EXPECT_EQ(panel->color(), kHot);
    EXPECT_TRUE(pixelIs(shot(*panel), 235, 120, qRgb(200, 0, 0))) << "hot colour not back";
    EXPECT_EQ(TJvMouseTimer::instance().attached(), panel);
}

TEST_F(BlockPanel, pollerTimerRunsWithoutHelp) {
    RecordingPanel* panel = panels[0];
    pointAt(panel, margin(0));
    ASSERT_TRUE(panel->isMouseOver());
    platform::setPointerPositionOverride(QPoint(-3000, -3000));
    QTRY_VERIFY_WITH_TIMEOUT(!panel->isMouseOver(), 1000);
    EXPECT_FALSE(TJvMouseTimer::instance().isActive());
}

TEST_F(BlockPanel, attachingASecondPanelSendsTheFirstItsLeaveFirst) {
    pointAt(panels[0], margin(0));
    ASSERT_TRUE(panels[0]->isMouseOver());
    // The second panel is entered without the first being told it was left.
    platform::sendPointerCrossing(panels[1], PointerCrossing::Kind::Enter);
    EXPECT_FALSE(panels[0]->isMouseOver());
    EXPECT_EQ(panels[0]->color(), platform::kNavy);
    ASSERT_FALSE(panels[0]->heard.empty());
    EXPECT_FALSE(panels[0]->heard.back().enter);
    EXPECT_NE(panels[0]->heard.back().attachedMeanwhile, panels[1]);
    EXPECT_EQ(TJvMouseTimer::instance().attached(), panels[1]);
    EXPECT_TRUE(TJvMouseTimer::instance().isActive());
}

TEST_F(BlockPanel, destroyingTheWatchedPanelStopsThePoller) {
    pointAt(panels[1], margin(1));
    ASSERT_EQ(TJvMouseTimer::instance().attached(), panels[1]);
    delete panels[1];
    EXPECT_EQ(TJvMouseTimer::instance().attached(), nullptr);
    EXPECT_FALSE(TJvMouseTimer::instance().isActive());
}

} // namespace
