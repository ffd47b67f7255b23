#include "board/puzzleboard.h"
#include "board/puzzletext.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using board::PuzzleDigits;
using board::readPuzzleText;

// The Easy puzzle, row by row, "." for an empty cell.
constexpr std::string_view kEasyLine = "5.68.............6...6..132.8.3..2.5...9.1...7.1..8.6."
                                       "679..3...2.............94.8";

PuzzleDigits easyDigits() {
    PuzzleDigits digits{};
    for (std::size_t i = 0; i < digits.size(); ++i)
        digits[i] = static_cast<std::int8_t>(kEasyLine[i] == '.' ? 0 : kEasyLine[i] - '0');
    return digits;
}

std::string problemOf(std::string_view text) {
    return readPuzzleText(text, "The clipboard").problem;
}

} // namespace

TEST(PuzzleText, readsEveryFormatOfTheSamePuzzle) {
    const std::string boxed = "# from a puzzle file\n"
                              "  #indented comment\n"
                              "+-------+-------+-------+\n"
                              "| 5 . 6 | 8 . . | . . . |\r\n"
                              "| . . . | . . . | . . 6 |\r\n"
                              "| . . . | 6 . . | 1 3 2 |\n"
                              "|=======+=======+=======|\n"
                              "| . 8 . | 3 . . | 2 . 5 |\n"
                              "| . . . | 9 . 1 | . . . |\n"
                              ": 7 . 1 : . . 8 : . 6 . :\n"
                              "+-------+-------+-------+\n"
                              "| 6 7 9 | . . 3 | . . . |\r"
                              "| 2 . . | . . . | . . . |\r"
                              "| . . . | . . 9 | 4 . 8 |\n"
                              "+-------+-------+-------+\n";
    std::string mixedEmpties(kEasyLine);
    const std::string_view empties = "0._*xX";
    for (std::size_t i = 0, e = 0; i < mixedEmpties.size(); ++i) {
        if (mixedEmpties[i] == '.')
            mixedEmpties[i] = empties[e++ % empties.size()];
    }
    const std::string texts[] = {
        std::string(kEasyLine),
        std::string(board::kEasyPuzzle),
        boxed,
        mixedEmpties,
        "\xEF\xBB\xBF" + std::string(kEasyLine) + "\n",
        "\t" + std::string(kEasyLine) + " and whatever follows: #, ! or a second puzzle 123",
    };
    for (const std::string& text : texts) {
        const board::PuzzleRead read = readPuzzleText(text, "The clipboard");
        EXPECT_EQ(read.problem, "") << text;
        EXPECT_EQ(read.digits, easyDigits()) << text;
    }
}

TEST(PuzzleText, writesTextsThatReadBackToTheSameDigits) {
    const PuzzleDigits digits = easyDigits();
    EXPECT_EQ(board::puzzleLine(digits), kEasyLine);
    EXPECT_EQ(board::commaPuzzleText(digits), board::kEasyPuzzle);
    EXPECT_EQ(readPuzzleText(board::puzzleLine(digits), "x").digits, digits);

    PuzzleDigits full{}; // a solved grid is a puzzle too
    for (int i = 0; i < 81; ++i)
        full[static_cast<std::size_t>(i)] =
            static_cast<std::int8_t>((i / 9 * 3 + i / 27 + i % 9) % 9 + 1);
    const board::PuzzleRead read = readPuzzleText(board::puzzleLine(full), "x");
    EXPECT_TRUE(read.ok()) << read.problem;
    EXPECT_EQ(read.digits, full);
}

TEST(PuzzleText, saysWhyATextIsNoPuzzle) {
    const std::string line(kEasyLine);
    std::string secondSevenInRowThree = line;
    secondSevenInRowThree[18] = '7';
    secondSevenInRowThree[19] = '7';
    std::string column = line;
    column[9 * 4 + 1] = '8'; // row 5 under the 8 of row 4, column 2
    std::string block = line;
    block[9 + 1] = '5'; // row 2, column 2: block 1 holds the 5 of row 1
    std::string threeSixes(81, '.');
    threeSixes[3] = threeSixes[4] = threeSixes[5] = '6';

    const std::pair<std::string, std::string> cases[] = {
        {line.substr(0, 17), "The clipboard holds 17 cells, a puzzle has 81."},
        {"5", "The clipboard holds 1 cell, a puzzle has 81."},
        {"", "The clipboard holds no cells, a puzzle has 81."},
        {"# only a comment\n+---+\n", "The clipboard holds no cells, a puzzle has 81."},
        {"5.6\n..a" + line, "The clipboard holds \u201Ca\u201D in line 2, column 3, which is "
                            "neither a digit nor an empty cell."},
        {"5.6#" + line, "The clipboard holds \u201C#\u201D in line 1, column 4, which is "
                        "neither a digit nor an empty cell."},
        {"\u00E9\u00E9" + line, "The clipboard holds \u201C\u00E9\u201D in line 1, column 1, "
                                "which is neither a digit nor an empty cell."},
        {"12\u00E93" + line, "The clipboard holds \u201C\u00E9\u201D in line 1, column 3, "
                             "which is neither a digit nor an empty cell."},
        {"1\x07" + line, "The clipboard holds a control character in line 1, column 2, which is "
                         "neither a digit nor an empty cell."},
        {"1\xFF" + line, "The clipboard holds a byte that is not text in line 1, column 2, which "
                         "is neither a digit nor an empty cell."},
        {secondSevenInRowThree, "Row 3 holds two 7s."},
        {column, "Column 2 holds two 8s."},
        {block, "Block 1 holds two 5s."},
        {threeSixes, "Row 1 holds three 6s."},
    };
    for (const auto& [text, problem] : cases)
        EXPECT_EQ(problemOf(text), problem) << text;
    EXPECT_EQ(readPuzzleText("", "The dropped text").problem,
              "The dropped text holds no cells, a puzzle has 81.");
}
