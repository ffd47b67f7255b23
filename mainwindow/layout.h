#pragma once

#include <array>
#include <string_view>

// The designed geometry of the main window, in pixels of a 96 dpi screen, each position
// relative to the client area of the control's parent.
namespace layout {

struct Rect {
    int left;
    int top;
    int width;
    int height;
};

inline constexpr int kClientWidth = 876;
inline constexpr int kClientHeight = 722;

inline constexpr Rect kGridFrame{0, 0, 721, 721};
inline constexpr Rect kSidePanel{724, 0, 153, 721};

inline constexpr int kBlockSize = 241;
inline constexpr std::array kBlockLefts{5, 243, 482};
inline constexpr std::array kBlockTops{5, 242, 479};

constexpr Rect blockRect(int block) {
    const auto column = static_cast<std::size_t>((block - 1) % 3);
    const auto row = static_cast<std::size_t>((block - 1) / 3);
    return {kBlockLefts[column], kBlockTops[row], kBlockSize, kBlockSize};
}

// Cell place p = (N-1) mod 9 inside its block; pitch 76, size 78, so neighbours overlap by 2.
constexpr Rect cellRect(int panel) {
    const int place = (panel - 1) % 9;
    return {76 * (place % 3), 76 * (place / 3), 78, 78};
}

// Candidate digits stand as on a telephone keypad: 1 2 3 on top, 7 8 9 at the bottom.
constexpr Rect candidateRect(int button) {
    const int index = (button - 1) % 9;
    return {2 + 24 * (index % 3), 3 + 24 * (index / 3), 23, 22};
}

struct GroupBoxSpec {
    std::string_view name;
    std::string_view caption;
    Rect rect;
};

inline constexpr std::array kGroupBoxes{
    GroupBoxSpec{"GroupBox4", "  Undo  ", {8, 0, 137, 57}},
    GroupBoxSpec{"GroupBox1", "  Hints  ", {8, 56, 137, 89}},
    GroupBoxSpec{"GroupBox2", "  New  ", {8, 216, 137, 177}},
    GroupBoxSpec{"GroupBox3", "  About  ", {8, 392, 137, 145}},
};

enum class Command {
    UnDo,
    Singles,
    Remaining,
    Blank,
    Easy,
    Medium,
    Difficult,
    About,
    Upgrade,
    Help
};

struct CommandSpec {
    Command command;
    std::string_view name;
    std::string_view caption;
    std::size_t groupBox; // index into kGroupBoxes
    Rect rect;
    std::string_view face;
    int tabOrder;
};

inline constexpr std::array kCommands{
    CommandSpec{Command::UnDo, "btnUnDo", "Undo", 0, {32, 24, 73, 25}, "MS Shell Dlg 2", 0},
    CommandSpec{
        Command::Singles, "btnSingles", "Check for Stragglers", 1, {12, 24, 113, 25}, "Tahoma", 1},
    CommandSpec{Command::Remaining,
                "btnRemaining",
                "Check for Remaining",
                1,
                {12, 56, 113, 25},
                "Tahoma",
                2},
    CommandSpec{Command::Blank, "btnBlank", "Blank", 2, {32, 24, 73, 25}, "MS Shell Dlg 2", 3},
    CommandSpec{Command::Easy, "btnEasy", "Easy", 2, {32, 72, 73, 25}, "MS Shell Dlg 2", 4},
    CommandSpec{Command::Medium, "btnMedium", "Medium", 2, {32, 104, 73, 25}, "MS Shell Dlg 2", 5},
    CommandSpec{
        Command::Difficult, "btnDifficult", "Hard", 2, {32, 136, 73, 25}, "MS Shell Dlg 2", 6},
    CommandSpec{Command::About, "btnAbout", "About", 3, {32, 24, 73, 25}, "Tahoma", 7},
    CommandSpec{Command::Upgrade,
                "btnUpgrade",
                "Check for News and Upgrades",
                3,
                {12, 56, 113, 33},
                "Tahoma",
                9},
    CommandSpec{Command::Help, "btnHelp", "Help", 3, {32, 96, 73, 25}, "Tahoma", 8},
};

inline constexpr int kCommandFontHeight = 11;
inline constexpr int kGroupBoxFontHeight = 16;
inline constexpr int kCellFontHeight = 48;
inline constexpr int kWindowFontHeight = 11;

struct HiddenSpec {
    std::string_view name;
    Rect rect;
};
inline constexpr HiddenSpec kMoveLog{"reMoves", {752, 424, 105, 121}};
inline constexpr HiddenSpec kRedoLog{"reRedo", {752, 560, 105, 65}};
inline constexpr HiddenSpec kCleanButton{"btnClean", {792, 496, 73, 21}};

inline constexpr int kHintInterval = 2000;

// The compact layout for low screens: every candidate becomes an s x s square and the rest
// follows from s by whole-number arithmetic.
struct CompactLengths {
    int l1, l2, l3, l4, l5, l6, l7, l8, l9, l10, l11, l12;
};

constexpr CompactLengths compactLengths(int s) {
    return {s + 4,       2 * s + 6,   3 * s + 8,   6 * s + 16,   9 * s + 32,   9 * s + 34,
            18 * s + 63, 27 * s + 95, 27 * s + 94, 27 * s + 105, 27 * s + 130, 27 * s + 250};
}

// Where a control stands in the compact layout along one axis: its place r = number mod 9
// (0 standing for the ninth) picks the designed edge, the second or the third position.
constexpr int compactLeft(int number, int designed, int second, int third) {
    switch (number % 9) {
    case 2:
    case 5:
    case 8:
        return second;
    case 3:
    case 6:
    case 0:
        return third;
    default:
        return designed;
    }
}

constexpr int compactTop(int number, int designed, int second, int third) {
    switch (number % 9) {
    case 4:
    case 5:
    case 6:
        return second;
    case 7:
    case 8:
    case 0:
        return third;
    default:
        return designed;
    }
}

} // namespace layout
