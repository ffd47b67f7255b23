#include "boardfixture.h"

using namespace board;

TEST_F(BoardTest, startsEmptyWithEveryCandidatePlain) {
    for (int c = 1; c <= 9; ++c) {
        for (int r = 1; r <= 9; ++r)
            EXPECT_EQ(puzzle.cell(c, r), 0);
    }
    for (int k = 1; k <= kButtonCount; ++k)
        EXPECT_EQ(puzzle.mark(k), MarkPlain);
    expectConsistent();
    EXPECT_TRUE(host.moves.empty());
}

TEST_F(BoardTest, recomputationOnAnEmptyBoardChangesNothing) {
    puzzle.btnCleanClick();
    for (int k = 1; k <= kButtonCount; ++k)
        ASSERT_EQ(puzzle.mark(k), MarkPlain);
    EXPECT_TRUE(host.moves.empty());
    EXPECT_EQ(host.beeps, 0);
}

TEST_F(BoardTest, enteringMarksExactlyTheTwentyPeers) {
    enter(1, 5); // row 1, column 1
    EXPECT_EQ(puzzle.cell(1, 1), 5);
    EXPECT_EQ(host.panel(1).caption(), "5");
    const std::set<int> peers = peersOf(1);
    ASSERT_EQ(peers.size(), 20u);
    for (int n = 2; n <= kCellCount; ++n) {
        for (int d = 1; d <= 9; ++d) {
            const bool want = d == 5 && peers.count(n) != 0;
            EXPECT_EQ(puzzle.mark(buttonNumber(n, d)), want ? MarkExcluded : MarkPlain)
                << "panel " << n << " digit " << d;
        }
    }
    // The filled cell's own hidden candidates keep their marks.
    for (int d = 1; d <= 9; ++d)
        EXPECT_EQ(puzzle.mark(buttonNumber(1, d)), MarkPlain);
    expectConsistent();
    EXPECT_EQ(host.beeps, 0);
    ASSERT_EQ(host.moves.size(), 1u);
    EXPECT_EQ(host.moves.last(), "5,clicked");
}

TEST_F(BoardTest, enteringLogsTheButtonNumberAsItStandsInTheName) {
    enter(12, 5);
    enter(81, 9);
    ASSERT_EQ(host.moves.size(), 2u);
    EXPECT_EQ(host.moves.lines()[0], "104,clicked");
    EXPECT_EQ(host.moves.lines()[1], "729,clicked");
    EXPECT_TRUE(host.redo.empty());
}

TEST_F(BoardTest, struckCandidatesStayWhiteThroughEntries) {
    strike(2, 5);
    enter(1, 5);
    EXPECT_EQ(puzzle.mark(buttonNumber(2, 5)), MarkStruck);
    EXPECT_EQ(host.button(buttonNumber(2, 5)).fontColor(), platform::kWhite);
    expectConsistent();
}

TEST_F(BoardTest, beepsExactlyWhenTheCandidateIsNotPlain) {
    enter(1, 5); // plain: no beep
    EXPECT_EQ(host.beeps, 0);
    enter(2, 5); // yellow, a peer holds 5
    EXPECT_EQ(host.beeps, 1);
    EXPECT_EQ(puzzle.cell(2, 1), 5) << "an excluded digit is entered all the same";
    strike(81, 3);
    enter(81, 3); // white
    EXPECT_EQ(host.beeps, 2);
    EXPECT_EQ(puzzle.cell(9, 9), 3);
    enter(41, 1); // plain again
    EXPECT_EQ(host.beeps, 2);
    expectConsistent();
}

TEST_F(BoardTest, aClashMarksPeersOfBothCellsAndLeavesThemAlone) {
    enter(1, 7);
    enter(12, 7); // row 1 again
    EXPECT_EQ(host.panel(1).caption(), "7");
    EXPECT_EQ(host.panel(12).caption(), "7");
    expectConsistent();
    expectExclusionsUpToDate();
}

TEST_F(BoardTest, recomputationTwiceChangesNothingTheSecondTime) {
    enter(1, 5);
    enter(50, 3);
    std::vector<std::int32_t> before;
    for (int k = 1; k <= kButtonCount; ++k)
        before.push_back(puzzle.mark(k));
    puzzle.btnCleanClick();
    for (int k = 1; k <= kButtonCount; ++k)
        ASSERT_EQ(puzzle.mark(k), before[static_cast<std::size_t>(k - 1)]);
}

TEST_F(BoardTest, clearingLogsFirstWithTheCaptionItHeld) {
    enter(12, 5);
    clear(12);
    clear(12);
    ASSERT_EQ(host.moves.size(), 3u);
    EXPECT_EQ(host.moves.lines()[1], "12,declicked,5");
    EXPECT_EQ(host.moves.lines()[2], "12,declicked,");
    EXPECT_EQ(host.beeps, 0);
    EXPECT_TRUE(host.redo.empty());
}

TEST_F(BoardTest, clearingRemovesOnlyItsOwnExclusions) {
    enter(1, 5);  // row 1, column 1
    enter(81, 5); // row 9, column 9
    // Panel 73 (row 7, column 1) is excluded by both; panel 4 (row 2, column 1) by panel 1 only.
    clear(1);
    EXPECT_EQ(puzzle.cell(1, 1), 0);
    EXPECT_EQ(host.panel(1).caption(), "");
    EXPECT_EQ(puzzle.mark(buttonNumber(4, 5)), MarkPlain);
    EXPECT_EQ(puzzle.mark(buttonNumber(panelNumber(9, 1), 5)), MarkExcluded);
    EXPECT_EQ(puzzle.mark(buttonNumber(panelNumber(1, 9), 5)), MarkExcluded);
    expectConsistent();
    expectExclusionsUpToDate();
}

TEST_F(BoardTest, clearingKeepsStruckCandidatesEvenInTheClearedCell) {
    strike(1, 2);
    strike(30, 5);
    enter(1, 5);
    clear(1);
    EXPECT_EQ(puzzle.mark(buttonNumber(1, 2)), MarkStruck);
    EXPECT_EQ(puzzle.mark(buttonNumber(30, 5)), MarkStruck);
    expectConsistent();
}

TEST_F(BoardTest, clearingBringsTheClearedCellsOwnCandidatesUpToDate) {
    enter(2, 4);  // a peer of panel 1
    enter(1, 9);  // panel 1's candidate 4 is hidden while yellow
    enter(40, 3); // not a peer of panel 1
    clear(1);
    EXPECT_EQ(puzzle.mark(buttonNumber(1, 4)), MarkExcluded);
    EXPECT_EQ(puzzle.mark(buttonNumber(1, 3)), MarkPlain);
    expectConsistent();
    expectExclusionsUpToDate();
}

TEST_F(BoardTest, noHiddenCandidateIsYellowRightAfterAClear) {
    enter(1, 5);
    enter(2, 6); // panel 2 is filled while its 5 is yellow: the hidden 5 stays yellow
    EXPECT_EQ(puzzle.mark(buttonNumber(2, 5)), MarkExcluded);
    clear(30);
    // The reset covers all 729 buttons, the recomputation only empty cells.
    EXPECT_EQ(puzzle.mark(buttonNumber(2, 5)), MarkPlain);
    expectConsistent();
    expectExclusionsUpToDate();
}

TEST_F(BoardTest, clickingAnEmptyCellOnlyRefreshesTheExclusions) {
    enter(1, 5);
    clear(40);
    EXPECT_EQ(host.moves.last(), "40,declicked,");
    EXPECT_EQ(puzzle.cell(1, 1), 5);
    expectConsistent();
    expectExclusionsUpToDate();
}
