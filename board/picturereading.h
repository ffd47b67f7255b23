#pragma once

#include "puzzletext.h"

#include <string>
#include <string_view>
#include <vector>

namespace board {

// What the picture reader (a helper program of ours) answered, made ready to lay: the digits it
// is sure of, and the cells it could not read, which stay empty and are named to the player.
struct PictureRead {
    PuzzleDigits digits{};
    std::vector<int> unread; // grid indices (1..81), ascending
    std::string problem;     // empty when a grid was read

    bool ok() const { return problem.empty(); }
};

// Reads the reader's answer: "cells" with 81 characters ("1" to "9" a digit, "." an empty cell,
// "?" a cell it could not read) and "confidence" with 81 numbers from 0 to 100, each a line;
// or "nogrid"; or "refused" followed by a sentence. Two digits read that clash in a row, column
// or block cannot both be right: the less certain one joins the unread cells, until no clash is
// left, so a clashing puzzle is never laid. Anything else is a fault of the reader, said as
// such. A failed reading leaves every digit 0.
PictureRead readPictureAnswer(std::string_view answer);

// "Row 2, column 5 could not be read and is left empty.", several cells in one sentence.
std::string unreadCellsMessage(const std::vector<int>& unread);

} // namespace board
