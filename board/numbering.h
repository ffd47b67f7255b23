#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace board {

inline constexpr int kCellCount = 81;
inline constexpr int kButtonCount = 729;

// Candidate marks; each goes with one font colour of the candidate button.
enum Mark : std::int32_t {
    MarkPlain = 0,    // window-text
    MarkExcluded = 1, // yellow: a peer holds the digit
    MarkStruck = 2,   // white: struck out by hand
};

// Row r and column c run 1..9; grid index P = (r-1)*9 + c; panels are numbered block by block.
constexpr int gridIndex(int row, int column) {
    return (row - 1) * 9 + column;
}
constexpr int gridRow(int p) {
    return (p - 1) / 9 + 1;
}
constexpr int gridColumn(int p) {
    return p - 9 * ((p - 1) / 9);
}
constexpr int blockOf(int row, int column) {
    return ((row - 1) / 3) * 3 + (column - 1) / 3 + 1;
}
constexpr int panelNumber(int row, int column) {
    return (blockOf(row, column) - 1) * 9 + ((row - 1) % 3) * 3 + (column - 1) % 3 + 1;
}
constexpr int buttonNumber(int panel, int digit) {
    return (panel - 1) * 9 + digit;
}
constexpr int panelOfButton(int button) {
    return (button - 1) / 9 + 1;
}
constexpr int digitOfButton(int button) {
    return (button - 1) % 9 + 1;
}

// PanelToGrid[N] is the grid index of Panel N, and, the map being its own inverse, the panel
// number of grid index N. Entry 0 is unused: every table counts from 1.
constexpr std::array<std::int32_t, kCellCount + 1> makePanelToGrid() {
    std::array<std::int32_t, kCellCount + 1> table{};
    for (int row = 1; row <= 9; ++row) {
        for (int column = 1; column <= 9; ++column)
            table[static_cast<std::size_t>(panelNumber(row, column))] = gridIndex(row, column);
    }
    return table;
}

// The same 81 numbers as one comma-separated text, read by PanelGridIndex and its friends.
inline constexpr std::string_view PanelMapText =
    "1,2,3,10,11,12,19,20,21,4,5,6,13,14,15,22,23,24,7,8,9,16,17,18,25,26,27,28,29,30,37,38,39,"
    "46,47,48,31,32,33,40,41,42,49,50,51,34,35,36,43,44,45,52,53,54,55,56,57,64,65,66,73,74,75,"
    "58,59,60,67,68,69,76,77,78,61,62,63,70,71,72,79,80,81";

// Field n (from 1) of a comma-separated text; n <= 1 gives the first field. A field past the
// last one is empty. Fields are not trimmed.
std::string_view CommaField(std::string_view text, int n);

// A decimal text as a number; text that is not a plain decimal number gives 0.
int decimalValue(std::string_view text);

// The number part of a control name: from the 12th character of "SpeedButtonK" and from the
// 6th of "PanelN", at most three characters. The move log records these texts unchanged.
std::string_view ButtonNumberText(std::string_view name);
std::string_view PanelNumberText(std::string_view name);
int ButtonNumberFromName(std::string_view name);
int PanelNumberFromName(std::string_view name);

int PanelGridIndex(int panel);
int PanelColumn(int panel);
int PanelRow(int panel);

} // namespace board
