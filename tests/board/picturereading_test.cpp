#include "board/picturereading.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using board::readPictureAnswer;

constexpr std::string_view kEasyLine = "5.68.............6...6..132.8.3..2.5...9.1...7.1..8.6."
                                       "679..3...2.............94.8";

std::string confidences(int value, int cell = 0, int cellValue = 0) {
    std::string text;
    for (int i = 1; i <= 81; ++i) {
        if (i > 1)
            text += ' ';
        text += std::to_string(i == cell ? cellValue : value);
    }
    return text;
}

std::string answer(std::string cells, const std::string& confidence = confidences(99)) {
    return "cells " + cells + "\nconfidence " + confidence + "\n";
}

std::string withCell(std::string line, int gridIndex, char c) {
    line[std::size_t(gridIndex - 1)] = c;
    return line;
}

std::string lineOf(const board::PuzzleDigits& digits) {
    return board::puzzleLine(digits);
}

TEST(PictureReading, answersBecomeLaidDigitsUnreadCellsOrOneSentence) {
    const std::string easy(kEasyLine);
    // Row 1, column 2 is empty in Easy: a 5 there clashes with the 5 at column 1.
    const std::string clashing = withCell(easy, 2, '5');
    struct Case {
        const char* what;
        std::string answer;
        std::string line; // laid digits, or empty when refused
        std::vector<int> unread;
        std::string problem;
    };
    const Case cases[] = {
        {"a clean reading", answer(easy), easy, {}, ""},
        {"a cell not read surely", answer(withCell(easy, 2, '?')), easy, {2}, ""},
        {"a clash empties the less certain digit",
         answer(clashing, confidences(99, 2, 60)),
         easy,
         {2},
         ""},
        {"a clash the other way",
         answer(clashing, confidences(99, 1, 60)),
         withCell(withCell(easy, 1, '.'), 2, '5'),
         {1},
         ""},
        {"one digit against two peers goes, keeping both of them",
         answer(withCell(withCell(easy, 2, '9'), 11, '9'), confidences(90, 2, 40)),
         withCell(easy, 11, '9'),
         {2},
         ""},
        {"no grid", "nogrid\n", "", {}, "No Sudoku grid was found in the picture."},
        {"a refusal is said as it stands",
         "refused The picture is larger than 50 megapixels.\n",
         "",
         {},
         "The picture is larger than 50 megapixels."},
        {"a refusal that is not plain text",
         "refused <img src=x>\x1b[2J\n",
         "",
         {},
         "The picture could not be read."},
        {"a grid without a digit",
         answer(std::string(81, '.')),
         "",
         {},
         "No digit in the picture's grid could be read."},
        {"80 cells", answer(easy.substr(1)), "", {}, "The picture could not be read."},
        {"82 cells", answer(easy + "."), "", {}, "The picture could not be read."},
        {"a letter for a cell",
         answer(withCell(easy, 81, 'x')),
         "",
         {},
         "The picture could not be read."},
        {"a confidence over 100",
         answer(easy, confidences(99, 7, 101)),
         "",
         {},
         "The picture could not be read."},
        {"80 confidences",
         answer(easy, confidences(99).substr(3)),
         "",
         {},
         "The picture could not be read."},
        {"trailing words", answer(easy) + "more\n", "", {}, "The picture could not be read."},
        {"nothing", "", "", {}, "The picture could not be read."},
    };
    for (const Case& c : cases) {
        const board::PictureRead read = readPictureAnswer(c.answer);
        EXPECT_EQ(read.problem, c.problem) << c.what;
        EXPECT_EQ(lineOf(read.digits), c.line.empty() ? std::string(81, '.') : c.line) << c.what;
        EXPECT_EQ(read.unread, c.unread) << c.what;
    }
}

TEST(PictureReading, unreadCellsAreNamedInOneSentence) {
    const std::pair<std::vector<int>, std::string> cases[] = {
        {{}, ""},
        {{14}, "Row 2, column 5 could not be read and is left empty."},
        {{14, 81}, "Row 2, column 5 and row 9, column 9 could not be read and are left empty."},
        {{1, 2, 3, 4, 5, 6},
         "Row 1, column 1, row 1, column 2, row 1, column 3, row 1, column 4, row 1, column 5 "
         "and row 1, column 6 could not be read and are left empty."},
        {{1, 2, 3, 4, 5, 6, 7},
         "Row 1, column 1, row 1, column 2, row 1, column 3, row 1, column 4, row 1, column 5 "
         "and 2 other cells could not be read and are left empty."},
    };
    for (const auto& [unread, text] : cases)
        EXPECT_EQ(board::unreadCellsMessage(unread), text);
}

} // namespace
