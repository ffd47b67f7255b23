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

PuzzleDigits digitsOf(std::string_view line) {
    PuzzleDigits digits{};
    for (std::size_t i = 0; i < digits.size(); ++i)
        digits[i] = static_cast<std::int8_t>(line[i] == '.' ? 0 : line[i] - '0');
    return digits;
}

PuzzleDigits easyDigits() {
    return digitsOf(kEasyLine);
}

// The puzzle line as nine rows of fields, an empty field for ".", each row ended by end.
std::string fieldRows(std::string_view line, std::string_view separator, std::string_view end) {
    std::string text;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] != '.')
            text += line[i];
        text += i % 9 == 8 ? end : separator;
    }
    return text;
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
    // As a spreadsheet saves it: a trailing comma on some rows, a blank and a no-break space
    // around some fields, comments and a blank line between the rows, no end to the last.
    const std::string csv = "\xEF\xBB\xBF# saved as CSV\n"
                            "5,,6,8,,,,,\n"
                            ",,,,,,,,6,\n"
                            ",,, 6 ,,\u00A0,1,3,2\r\n"
                            "\n"
                            "  # blocks 4 to 6\n"
                            ",8,,3,,,2,,5,\n"
                            ",,,9,,1,,,\n"
                            "7,,1,,,8,,6,\n"
                            "6,7,9,,,3,,,\n"
                            "2,,,,,,,,\n"
                            ",,,,,9,4,,8";
    std::string onlyLastCell(81, '.');
    onlyLastCell[80] = '5';
    const std::string easyFields = fieldRows(kEasyLine, "\t", "\n");
    const std::pair<std::string, std::string_view> texts[] = {
        {std::string(kEasyLine), kEasyLine},
        {std::string(board::kEasyPuzzle), kEasyLine},
        {boxed, kEasyLine},
        {mixedEmpties, kEasyLine},
        {"\xEF\xBB\xBF" + std::string(kEasyLine) + "\n", kEasyLine},
        {"\t" + std::string(kEasyLine) + " and whatever follows: #, ! or a second puzzle 123",
         kEasyLine},
        {easyFields, kEasyLine},
        {fieldRows(kEasyLine, "\t", "\t\r\n"), kEasyLine},
        {fieldRows(kEasyLine, ",", "\n"), kEasyLine},
        {csv, kEasyLine},
        // What follows the ninth row is ignored, fields or not.
        {easyFields + easyFields + "solved:\t12", kEasyLine},
        // Written as characters after a first row that happens to hold nine fields.
        {"5,.,6,8,.,.,.,.,.\n" + std::string(kEasyLine.substr(9)), kEasyLine},
        // A row of empty fields split at tabs holds nothing but blanks.
        {fieldRows(onlyLastCell, "\t", "\n"), onlyLastCell},
    };
    for (const auto& [text, line] : texts) {
        const board::PuzzleRead read = readPuzzleText(text, "The clipboard");
        EXPECT_EQ(read.problem, "") << text;
        EXPECT_EQ(read.digits, digitsOf(line)) << text;
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
    const std::string fields = fieldRows(kEasyLine, "\t", "\n");
    std::size_t rowStarts[10] = {};
    for (std::size_t row = 2, at = 0; row <= 9; ++row)
        rowStarts[row] = at = fields.find('\n', at) + 1;
    const std::size_t row3 = rowStarts[3]; // "\t\t\t6\t\t\t1\t3\t2\n"
    const std::size_t row4 = rowStarts[4]; // "\t8\t\t3\t\t\t2\t\t5\n"
    const std::size_t row9 = rowStarts[9];
    const auto replaced = [&](std::size_t at, std::size_t size, std::string_view by) {
        return std::string(fields).replace(at, size, by);
    };

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
        {"1\xC0\xA0" + line, "The clipboard holds a byte that is not text in line 1, column 2, "
                             "which is neither a digit nor an empty cell."},
        {secondSevenInRowThree, "Row 3 holds two 7s."},
        {column, "Column 2 holds two 8s."},
        {block, "Block 1 holds two 5s."},
        {threeSixes, "Row 1 holds three 6s."},
        {replaced(row3, 1, ""), "Row 3 holds 8 fields, a row has 9."},
        {replaced(row4 - 1, 0, "\t1"), "Row 3 holds 10 fields, a row has 9."},
        {replaced(row4 + 8, 1, " 12 "), "Row 4, field 7 holds \u201C12\u201D, which is neither a "
                                        "digit nor an empty cell."},
        {replaced(row4, 0, "# the rows below\n\t\t\r\n"), "Row 4 holds 2 fields, a row has 9."},
        {replaced(row4 + 8, 1, "Two or three, not sure"),
         "Row 4, field 7 holds \u201CTwo or three\u2026\u201D, which is neither a digit "
         "nor an empty cell."},
        {replaced(row4 + 8, 1, "2\x07"), "Row 4, field 7 holds a control character, which is "
                                         "neither a digit nor an empty cell."},
        {fields.substr(0, row9), "The clipboard holds 8 rows, a puzzle has 9."},
        {replaced(row3 + 1, 0, "3"), "Row 3 holds two 3s."},
    };
    for (const auto& [text, problem] : cases) {
        const board::PuzzleRead read = readPuzzleText(text, "The clipboard");
        EXPECT_EQ(read.problem, problem) << text;
        EXPECT_EQ(read.digits, PuzzleDigits{}) << text;
    }
    EXPECT_EQ(readPuzzleText("", "The dropped text").problem,
              "The dropped text holds no cells, a puzzle has 81.");
}
