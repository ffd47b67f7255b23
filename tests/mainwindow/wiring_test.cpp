#include "mainwindow/SUnit1.h"
#include "platform/bell.h"

#include <QTest>
#include <gtest/gtest.h>

#include <string>

namespace {

CandidateButton& candidate(TForm1& form, int k) {
    return *static_cast<CandidateButton*>(form.ControlByName("SpeedButton" + std::to_string(k)));
}

CellPanel& cell(TForm1& form, int n) {
    return *static_cast<CellPanel*>(form.ControlByName("Panel" + std::to_string(n)));
}

} // namespace

TEST(MainWindowWiring, startsOnAnEmptyBoard) {
    TForm1 form;
    for (int n = 1; n <= board::kCellCount; ++n)
        EXPECT_TRUE(cell(form, n).TPanel::caption().isEmpty());
    for (int k = 1; k <= board::kButtonCount; ++k) {
        const CandidateButton& button = candidate(form, k);
        ASSERT_FALSE(button.isHidden());
        ASSERT_EQ(button.fontColor(), platform::kWindowText);
        ASSERT_EQ(button.fontPointSize(), 10);
        ASSERT_EQ(button.TSpeedButton::caption(), QString::number(board::digitOfButton(k)));
        ASSERT_EQ(form.board().mark(k), board::MarkPlain);
    }
    EXPECT_TRUE(form.moveLog().empty());
    EXPECT_TRUE(form.redoLog().empty());
}

TEST(MainWindowWiring, mouseClicksEnterAndClearADigit) {
    TForm1 form;
    form.show();
    int beeps = 0;
    platform::setBeepHook([&beeps](unsigned type) {
        EXPECT_EQ(type, 0u);
        ++beeps;
    });

    QTest::mouseClick(&candidate(form, 104), Qt::LeftButton); // candidate 5 of panel 12
    EXPECT_EQ(cell(form, 12).TPanel::caption(), "5");
    EXPECT_TRUE(candidate(form, 104).isHidden());
    EXPECT_EQ(candidate(form, board::buttonNumber(11, 5)).fontColor(), platform::kYellow);
    EXPECT_EQ(form.moveLog().last(), "104,clicked");
    EXPECT_EQ(beeps, 0);

    // A yellow candidate still enters its digit, with a beep.
    QTest::mouseClick(&candidate(form, board::buttonNumber(11, 5)), Qt::LeftButton);
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(cell(form, 11).TPanel::caption(), "5");

    // The border of a cell panel, beside its candidates, clears the cell.
    QTest::mouseClick(&cell(form, 12), Qt::LeftButton, {}, QPoint(1, 1));
    EXPECT_EQ(cell(form, 12).TPanel::caption(), "");
    EXPECT_FALSE(candidate(form, 104).isHidden());
    EXPECT_EQ(form.moveLog().last(), "12,declicked,5");
    platform::setBeepHook({});
}

TEST(MainWindowWiring, aPressThatLeavesTheButtonDoesNotClick) {
    TForm1 form;
    form.show();
    CandidateButton& button = candidate(form, 1);
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(40, 40));
    EXPECT_TRUE(form.moveLog().empty());
    EXPECT_FALSE(button.isHidden());
}

TEST(MainWindowWiring, rightPressStrikesAndRestores) {
    TForm1 form;
    form.show();
    QTest::mousePress(&candidate(form, 23), Qt::RightButton);
    EXPECT_EQ(candidate(form, 23).fontColor(), platform::kWhite);
    EXPECT_EQ(form.board().mark(23), board::MarkStruck);
    QTest::mouseRelease(&candidate(form, 23), Qt::RightButton);
    QTest::mousePress(&candidate(form, 23), Qt::RightButton);
    EXPECT_EQ(candidate(form, 23).fontColor(), platform::kWindowText);
    EXPECT_EQ(form.moveLog().lines(), (std::vector<std::string>{"23,highlight", "23,dehighlight"}));
}

TEST(MainWindowWiring, aSecondHintWithinTheIntervalDoesNotRestartTheTimer) {
    TForm1 form;
    form.show();
    EXPECT_FALSE(form.TimerRegFonts.isActive());
    form.btnRemainingClick(); // a blank board: nothing found, the timer stays off
    EXPECT_FALSE(form.TimerRegFonts.isActive());
    form.btnSinglesClick();
    ASSERT_TRUE(form.TimerRegFonts.isActive());
    const int begun = form.TimerRegFonts.intervalsBegun();
    form.btnSinglesClick();
    EXPECT_EQ(form.TimerRegFonts.intervalsBegun(), begun) << "the interval started anew";

    QTest::mousePress(&candidate(form, 1), Qt::RightButton); // panel 1 keeps 2..9 plain
    for (int d = 2; d <= 8; ++d)
        QTest::mousePress(&candidate(form, d), Qt::RightButton);
    form.btnSinglesClick();
    EXPECT_EQ(candidate(form, 9).fontPointSize(), 16);
    EXPECT_EQ(form.TimerRegFonts.intervalsBegun(), begun);

    // The tick, as the event loop delivers it, shrinks every candidate and stops the timer.
    form.TimerRegFonts.fire();
    EXPECT_EQ(candidate(form, 9).fontPointSize(), 10);
    EXPECT_FALSE(form.TimerRegFonts.isActive());
}
