#include "boardfixture.h"

using namespace board;
using platform::kWhite;
using platform::kWindowText;
using platform::kYellow;

namespace {
std::vector<std::string> lines(const LineList& list) {
    return list.lines();
}
} // namespace

TEST_F(BoardTest, rightPressTogglesBetweenStruckAndPlain) {
    struct Case {
        platform::ColorSetting before;
        platform::ColorSetting after;
        std::int32_t mark;
        const char* line;
    };
    // From yellow, from plain, and back from white: a restored candidate is plain, not yellow.
    enter(1, 5);
    const int yellow = buttonNumber(2, 5);
    const int plain = buttonNumber(2, 6);
    ASSERT_EQ(host.button(yellow).fontColor(), kYellow);
    for (const auto& [k, c] :
         {std::pair{yellow, Case{kYellow, kWhite, MarkStruck, "14,highlight"}},
          std::pair{yellow, Case{kWhite, kWindowText, MarkPlain, "14,dehighlight"}},
          std::pair{plain, Case{kWindowText, kWhite, MarkStruck, "15,highlight"}},
          std::pair{plain, Case{kWhite, kWindowText, MarkPlain, "15,dehighlight"}}}) {
        ASSERT_EQ(host.button(k).fontColor(), c.before) << c.line;
        puzzle.SpeedButton1MouseDown(host.button(k), MouseButton::Right);
        EXPECT_EQ(host.button(k).fontColor(), c.after) << c.line;
        EXPECT_EQ(puzzle.mark(k), c.mark) << c.line;
        EXPECT_EQ(host.moves.last(), c.line);
    }
    EXPECT_EQ(host.beeps, 0);
    EXPECT_EQ(puzzle.cell(2, 1), 0);
    // The restored candidate turns yellow again only at the next recomputation.
    enter(81, 1);
    EXPECT_EQ(puzzle.mark(yellow), MarkExcluded);
}

TEST_F(BoardTest, leftAndMiddlePressesDoNotStrike) {
    for (MouseButton b : {MouseButton::Left, MouseButton::Middle})
        puzzle.SpeedButton1MouseDown(host.button(7), b);
    EXPECT_EQ(puzzle.mark(7), MarkPlain);
    EXPECT_TRUE(host.moves.empty());
}

TEST_F(BoardTest, undoWithAnEmptyLogDoesNothing) {
    host.redo.append("7,clicked");
    puzzle.btnUnDoClick();
    EXPECT_TRUE(host.moves.empty());
    EXPECT_EQ(lines(host.redo), std::vector<std::string>{"7,clicked"});
    expectConsistent();
}

TEST_F(BoardTest, undoOfAnEntryEmptiesTheCellAndRebuildsExclusions) {
    enter(10, 5); // panel 12's peer: the 5s it excludes must come back after the undo
    strike(12, 2);
    strike(13, 5); // a peer of panel 12 struck by hand
    enter(12, 5);
    puzzle.btnUnDoClick();
    EXPECT_EQ(host.panel(12).caption(), "");
    EXPECT_EQ(cellOfPanel(12), 0);
    EXPECT_EQ(puzzle.mark(buttonNumber(12, 2)), MarkStruck);
    EXPECT_EQ(puzzle.mark(buttonNumber(13, 5)), MarkStruck);
    EXPECT_EQ(lines(host.redo), std::vector<std::string>{"104,clicked"});
    EXPECT_EQ(host.moves.size(), 3u);
    expectConsistent();
    expectExclusionsUpToDate();
}

TEST_F(BoardTest, undoOfAClearPutsTheDigitBack) {
    enter(12, 5);
    strike(11, 5);
    clear(12);
    puzzle.btnUnDoClick();
    EXPECT_EQ(host.panel(12).caption(), "5");
    EXPECT_EQ(cellOfPanel(12), 5);
    EXPECT_FALSE(host.button(104).isShown());
    EXPECT_EQ(puzzle.mark(buttonNumber(11, 5)), MarkStruck);
    EXPECT_EQ(puzzle.mark(buttonNumber(10, 5)), MarkExcluded);
    EXPECT_EQ(lines(host.redo), std::vector<std::string>{"12,declicked,5"});
    expectConsistent();
    expectExclusionsUpToDate();
}

TEST_F(BoardTest, undoOfAnEmptyClearOnlyMovesItsLine) {
    enter(1, 5);
    clear(12);
    puzzle.btnUnDoClick();
    EXPECT_EQ(lines(host.moves), std::vector<std::string>{"5,clicked"});
    EXPECT_EQ(lines(host.redo), std::vector<std::string>{"12,declicked,"});
    EXPECT_EQ(cellOfPanel(12), 0);
    expectConsistent();
}

TEST_F(BoardTest, undoOfAStrikeOrRestoreLeavesTheCandidate) {
    enter(1, 9);
    strike(12, 5);
    puzzle.btnUnDoClick();
    EXPECT_EQ(puzzle.mark(104), MarkStruck);
    EXPECT_EQ(host.button(104).fontColor(), kWhite);
    strike(12, 5);
    puzzle.btnUnDoClick();
    EXPECT_EQ(puzzle.mark(104), MarkPlain);
    EXPECT_EQ(lines(host.redo), (std::vector<std::string>{"104,highlight", "104,dehighlight"}));
    // The next Undo reaches the action before the strikes.
    puzzle.btnUnDoClick();
    EXPECT_EQ(cellOfPanel(1), 0);
    EXPECT_TRUE(host.moves.empty());
}

TEST_F(BoardTest, enterClearEnterThenThreeUndos) {
    enter(12, 5);
    clear(12);
    enter(12, 7);
    puzzle.btnUnDoClick();
    EXPECT_EQ(cellOfPanel(12), 0);
    puzzle.btnUnDoClick();
    EXPECT_EQ(cellOfPanel(12), 5);
    EXPECT_EQ(host.panel(12).caption(), "5");
    puzzle.btnUnDoClick();
    EXPECT_EQ(cellOfPanel(12), 0);
    EXPECT_TRUE(host.moves.empty());
    EXPECT_EQ(lines(host.redo),
              (std::vector<std::string>{"106,clicked", "12,declicked,5", "104,clicked"}));
    expectConsistent();
    expectExclusionsUpToDate();
    // Every candidate is plain again: the board is back where it started.
    for (int k = 1; k <= kButtonCount; ++k)
        ASSERT_EQ(puzzle.mark(k), MarkPlain) << k;
}

TEST_F(BoardTest, undoNeverTakesAGivenDigitButBringsBackAClearedOne) {
    puzzle.btnEasyClick();
    puzzle.btnUnDoClick();
    EXPECT_EQ(host.panel(1).caption(), "5");
    EXPECT_TRUE(host.moves.empty());
    clear(1);
    EXPECT_EQ(host.moves.last(), "1,declicked,5");
    EXPECT_EQ(cellOfPanel(1), 0);
    puzzle.btnUnDoClick();
    EXPECT_EQ(host.panel(1).caption(), "5");
    EXPECT_EQ(cellOfPanel(1), 5);
    expectConsistent();
    expectExclusionsUpToDate();
}

TEST_F(BoardTest, blankEmptiesEverythingAndMakesStruckCandidatesPlain) {
    enter(12, 5);
    strike(30, 2);
    puzzle.btnUnDoClick();
    puzzle.btnBlankClick();
    for (int k = 1; k <= kButtonCount; ++k) {
        ASSERT_EQ(puzzle.mark(k), MarkPlain);
        ASSERT_TRUE(host.button(k).isShown());
    }
    EXPECT_TRUE(host.moves.empty());
    EXPECT_TRUE(host.redo.empty());
    expectConsistent();
}

TEST_F(BoardTest, builtInPuzzlesLandOnTheRightPanels) {
    struct Puzzle {
        void (PuzzleBoard::*load)();
        std::string_view text;
        int givens;
    };
    for (const Puzzle p : {Puzzle{&PuzzleBoard::btnEasyClick, kEasyPuzzle, 26},
                           Puzzle{&PuzzleBoard::btnMediumClick, kMediumPuzzle, 26},
                           Puzzle{&PuzzleBoard::btnDifficultClick, kHardPuzzle, 28}}) {
        clear(81); // something to replace
        enter(81, 1);
        host.beeps = 0;
        (puzzle.*p.load)();
        int givens = 0;
        for (int r = 1; r <= 9; ++r) {
            for (int c = 1; c <= 9; ++c) {
                const int v = decimalValue(CommaField(p.text, gridIndex(r, c)));
                ASSERT_EQ(puzzle.cell(c, r), v);
                givens += v > 0 ? 1 : 0;
            }
        }
        EXPECT_EQ(givens, p.givens);
        EXPECT_TRUE(host.moves.empty());
        EXPECT_EQ(host.beeps, 0);
        expectConsistent();
        expectExclusionsUpToDate();
    }
}

TEST_F(BoardTest, easyMediumAndHardLookAsDrawn) {
    puzzle.btnEasyClick();
    EXPECT_EQ(host.panel(1).caption(), "5");
    EXPECT_EQ(host.panel(3).caption(), "6");
    EXPECT_EQ(host.panel(10).caption(), "8"); // row 1, column 4
    EXPECT_FALSE(host.button(buttonNumber(10, 1)).isShown());
    for (int peer : peersOf(1)) {
        if (cellOfPanel(peer) == 0) {
            EXPECT_EQ(puzzle.mark(buttonNumber(peer, 5)), MarkExcluded) << "panel " << peer;
        }
    }
    const auto rowIsEmpty = [this](int r) {
        for (int c = 1; c <= 9; ++c) {
            if (puzzle.cell(c, r) != 0 || !host.panel(panelNumber(r, c)).caption().empty())
                return false;
        }
        return true;
    };
    puzzle.btnMediumClick();
    EXPECT_TRUE(rowIsEmpty(5));
    EXPECT_FALSE(rowIsEmpty(4));
    puzzle.btnDifficultClick();
    EXPECT_TRUE(rowIsEmpty(3));
    EXPECT_TRUE(rowIsEmpty(7));
    EXPECT_FALSE(rowIsEmpty(1));
}

TEST_F(BoardTest, stragglersToggleTheLastPlainCandidateAndAlwaysStartTheTimer) {
    puzzle.btnSinglesClick();
    EXPECT_EQ(host.timerStarts, 1) << "the timer starts even when nothing qualifies";
    for (int k = 1; k <= kButtonCount; ++k)
        ASSERT_EQ(host.button(k).fontPointSize(), kNormalFontSize);

    for (int d = 1; d <= 8; ++d)
        strike(40, d); // only 9 stays plain in panel 40
    strike(50, 1);     // panel 50 keeps eight plain candidates
    puzzle.btnSinglesClick();
    EXPECT_EQ(host.button(buttonNumber(40, 9)).fontPointSize(), kHintFontSize);
    EXPECT_EQ(host.button(buttonNumber(50, 2)).fontPointSize(), kNormalFontSize);
    puzzle.btnSinglesClick();
    EXPECT_EQ(host.button(buttonNumber(40, 9)).fontPointSize(), kNormalFontSize);
    EXPECT_EQ(host.timerStarts, 3);
    strike(40, 9); // none plain: not shown
    puzzle.btnSinglesClick();
    for (int d = 1; d <= 9; ++d)
        EXPECT_EQ(host.button(buttonNumber(40, d)).fontPointSize(), kNormalFontSize);
}

TEST_F(BoardTest, remainingEnlargesWithoutTogglingAndStartsTheTimerOnlyWhenItFound) {
    puzzle.btnRemainingClick();
    EXPECT_EQ(host.timerStarts, 0) << "a blank board has nine places for every digit";

    // In column 1, strike the 7 of every cell but row 4's, and struck ones count for nothing.
    for (int r = 1; r <= 9; ++r) {
        if (r != 4)
            strike(panelNumber(r, 1), 7);
    }
    puzzle.btnRemainingClick();
    const int only = buttonNumber(panelNumber(4, 1), 7);
    EXPECT_EQ(host.button(only).fontPointSize(), kHintFontSize);
    EXPECT_GE(host.timerStarts, 1);
    int enlarged = 0;
    for (int k = 1; k <= kButtonCount; ++k)
        enlarged += host.button(k).fontPointSize() == kHintFontSize ? 1 : 0;
    EXPECT_EQ(enlarged, 1);
    puzzle.btnRemainingClick();
    EXPECT_EQ(host.button(only).fontPointSize(), kHintFontSize) << "a second press is no toggle";

    puzzle.TimerRegFontsTimer();
    EXPECT_EQ(host.button(only).fontPointSize(), kNormalFontSize);
    EXPECT_FALSE(host.timerRunning);
}

TEST_F(BoardTest, remainingIgnoresDigitsAlreadyEntered) {
    enter(1, 3); // row 1 holds 3: its other 3s are yellow, the count is 0
    puzzle.btnRemainingClick();
    for (int k = 1; k <= kButtonCount; ++k)
        ASSERT_EQ(host.button(k).fontPointSize(), kNormalFontSize) << k;
    EXPECT_EQ(host.timerStarts, 0);
}

TEST_F(BoardTest, hintsAndTheirSizesOutliveUndoAndNewPuzzles) {
    puzzle.btnEasyClick();
    puzzle.btnRemainingClick();
    puzzle.btnSinglesClick();
    std::vector<int> enlarged;
    for (int k = 1; k <= kButtonCount; ++k) {
        if (host.button(k).fontPointSize() == kHintFontSize)
            enlarged.push_back(k);
    }
    ASSERT_FALSE(enlarged.empty());
    std::vector<std::int32_t> marks;
    for (int k = 1; k <= kButtonCount; ++k)
        marks.push_back(puzzle.mark(k));
    EXPECT_TRUE(host.moves.empty()) << "hints log nothing";
    puzzle.btnUnDoClick();
    puzzle.btnMediumClick();
    for (int k : enlarged)
        EXPECT_EQ(host.button(k).fontPointSize(), kHintFontSize) << k;
    puzzle.TimerRegFontsTimer();
    for (int k = 1; k <= kButtonCount; ++k)
        ASSERT_EQ(host.button(k).fontPointSize(), kNormalFontSize);
}
