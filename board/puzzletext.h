#pragma once

#include "numbering.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace board {

// 81 digits in reading order, row by row; 0 is an empty cell.
using PuzzleDigits = std::array<std::int8_t, kCellCount>;

// A puzzle read from text, or the reason why the text is not one.
struct PuzzleRead {
    PuzzleDigits digits{};
    std::string problem; // empty when the text is a puzzle

    bool ok() const { return problem.empty(); }
};

// Reads the usual puzzle text formats: one character per cell in reading order, "1" to "9" a
// given digit and "0", ".", "_", "*", "x" or "X" an empty cell. Blanks, commas and the grid
// separators "|", "+", "-", "=", ":" are skipped, and so are lines that begin with "#". The
// first 81 cells make the puzzle; whatever follows them is ignored.
// A text whose first line splits at tabs, or else at commas, into nine fields is read as rows
// of fields instead, as a spreadsheet or a web page's table copies a grid: nine rows of nine
// fields, each field one cell character, or empty or blank for an empty cell, and whatever
// follows the ninth row ignored. Where the fields make no puzzle but the characters do, the
// characters are read.
// The text is UTF-8; subject names where it came from ("The clipboard") in the sentence that
// says why it is no puzzle. A text that is no puzzle leaves every digit 0.
PuzzleRead readPuzzleText(std::string_view text, std::string_view subject);

// The puzzle as one line of 81 characters, "." for an empty cell.
std::string puzzleLine(const PuzzleDigits& digits);

// The puzzle as the comma-separated text that the built-in puzzles use.
std::string commaPuzzleText(const PuzzleDigits& digits);

} // namespace board
