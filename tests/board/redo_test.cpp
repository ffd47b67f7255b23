#include "boardfixture.h"

#include <functional>

using namespace board;

namespace {

// Everything of the board a player or a later Undo can tell apart.
struct Seen {
    PuzzleDigits digits;
    std::vector<std::int32_t> marks;
    std::vector<std::string> moves;
    int beeps;
    bool operator==(const Seen&) const = default;
};

} // namespace

class RedoTest : public BoardTest {
protected:
    Seen seen() {
        std::vector<std::int32_t> marks;
        for (int k = 1; k <= kButtonCount; ++k)
            marks.push_back(puzzle.mark(k));
        return {puzzle.digits(), marks, host.moves.lines(), host.beeps};
    }
};

TEST_F(RedoTest, redoingEveryUndoneMoveRestoresTheBoardAndBothLogs) {
    puzzle.btnEasyClick();
    enter(2, 4);  // a plain candidate
    enter(4, 5);  // a yellow one: its click beeps, and so does its redo
    clear(3);     // a given
    strike(5, 1); // only moves, both ways
    clear(6);     // an empty cell
    enter(6, 2);
    const Seen before = seen();
    const std::vector<std::string> moves = host.moves.lines();

    for (int i = 0; i < 6; ++i)
        puzzle.btnUnDoClick();
    ASSERT_TRUE(host.moves.empty());
    const int beepsAfterUndo = host.beeps;
    for (int i = 0; i < 6; ++i)
        puzzle.redo();
    EXPECT_EQ(host.moves.lines(), moves);
    EXPECT_TRUE(host.redo.empty());
    EXPECT_EQ(host.beeps, beepsAfterUndo + 1);
    Seen after = seen();
    after.beeps = before.beeps;
    EXPECT_EQ(after, before);
    expectConsistent();
    expectExclusionsUpToDate();

    // Nothing left to redo: a further Redo changes nothing.
    puzzle.redo();
    after.beeps = host.beeps;
    Seen again = seen();
    EXPECT_EQ(again, after);
}

TEST_F(RedoTest, anyOtherChangeEndsRedoAndLeavesTheRedoLogAsItIs) {
    const std::pair<const char*, std::function<void()>> changes[] = {
        {"entry", [this] { enter(40, 3); }},
        {"clear", [this] { clear(40); }},
        {"strike", [this] { strike(40, 3); }},
        {"new puzzle", [this] { puzzle.btnMediumClick(); }},
    };
    for (const auto& [what, change] : changes) {
        puzzle.btnBlankClick();
        enter(1, 1);
        enter(2, 2);
        puzzle.btnUnDoClick();
        puzzle.btnUnDoClick();
        puzzle.redo(); // the last undone move first
        EXPECT_EQ(host.moves.lines(), std::vector<std::string>{"1,clicked"}) << what;
        change();
        const std::vector<std::string> redoLog = host.redo.lines();
        EXPECT_EQ(redoLog.size(), what == std::string("new puzzle") ? 0u : 1u) << what;
        const Seen before = seen();
        puzzle.redo();
        EXPECT_EQ(seen(), before) << what;
        EXPECT_EQ(host.redo.lines(), redoLog) << what;
        // An Undo after the change starts a new run of redoable moves.
        enter(50, 6);
        const Seen withEntry = seen();
        puzzle.btnUnDoClick();
        puzzle.redo();
        Seen redone = seen();
        redone.beeps = withEntry.beeps; // the redone click beeps as the click did
        EXPECT_EQ(redone, withEntry) << what;
        EXPECT_EQ(host.redo.lines(), redoLog) << what;
    }
}
