#include "puzzletext.h"

namespace board {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kSeparators = "|+-=:,";
constexpr std::string_view kEmptyCells = "0._*xX";

bool isBlank(char ch) {
    return ch == ' ' || ch == '\t' || ch == '\v' || ch == '\f';
}

bool isContinuationByte(char ch) {
    return (static_cast<unsigned char>(ch) & 0xC0) == 0x80;
}

// The character that starts at text[at], named so that a person can find it in the text.
std::string characterName(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead >= 0x21 && lead < 0x7F)
        return "\u201C" + std::string(1, static_cast<char>(lead)) + "\u201D";
    if (lead < 0x80)
        return "a control character";
    std::size_t end = at + 1;
    while (end < text.size() && end - at < 4 && isContinuationByte(text[end]))
        ++end;
    const std::size_t expected = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (expected == 0 || end - at != expected)
        return "a byte that is not text";
    // C1 controls, U+0080 to U+009F, and the no-break space would show as nothing.
    if (lead == 0xC2 && static_cast<unsigned char>(text[at + 1]) <= 0xA0)
        return "a control character";
    return "\u201C" + std::string(text.substr(at, end - at)) + "\u201D";
}

std::string countOfCells(int cells) {
    if (cells == 0)
        return "no cells";
    return std::to_string(cells) + (cells == 1 ? " cell" : " cells");
}

// "Row 3 holds two 7s." for the first unit, in the order rows, columns, blocks, in which a
// given digit repeats; empty when none does.
std::string repeatedDigit(const PuzzleDigits& digits) {
    static constexpr std::string_view kCounts[] = {"",     "",    "two",   "three", "four",
                                                   "five", "six", "seven", "eight", "nine"};
    static constexpr std::string_view kUnits[] = {"Row", "Column", "Block"};
    for (int kind = 0; kind < 3; ++kind) {
        for (int unit = 1; unit <= 9; ++unit) {
            std::array<int, 10> seen{};
            for (int i = 1; i <= 9; ++i) {
                int row = unit;
                int column = i;
                if (kind == 1)
                    std::swap(row, column);
                else if (kind == 2) {
                    row = (unit - 1) / 3 * 3 + (i - 1) / 3 + 1;
                    column = (unit - 1) % 3 * 3 + (i - 1) % 3 + 1;
                }
                ++seen[static_cast<std::size_t>(
                    digits[static_cast<std::size_t>(gridIndex(row, column) - 1)])];
            }
            for (int d = 1; d <= 9; ++d) {
                const int times = seen[static_cast<std::size_t>(d)];
                if (times > 1) {
                    return std::string(kUnits[kind]) + " " + std::to_string(unit) + " holds " +
                           std::string(kCounts[times]) + " " + std::to_string(d) + "s.";
                }
            }
        }
    }
    return {};
}

} // namespace

PuzzleRead readPuzzleText(std::string_view text, std::string_view subject) {
    PuzzleRead read;
    std::size_t at = text.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
    std::size_t lineStart = at;
    int line = 1;
    bool onlyBlanksSoFar = true; // on this line
    int cells = 0;
    while (at < text.size() && cells < kCellCount) {
        const char ch = text[at];
        if (ch == '\n' || ch == '\r') {
            at += ch == '\r' && at + 1 < text.size() && text[at + 1] == '\n' ? 2 : 1;
            lineStart = at;
            ++line;
            onlyBlanksSoFar = true;
            continue;
        }
        if (ch == '#' && onlyBlanksSoFar) {
            while (at < text.size() && text[at] != '\n' && text[at] != '\r')
                ++at;
            continue;
        }
        ++at;
        if (isBlank(ch))
            continue;
        onlyBlanksSoFar = false;
        if (kSeparators.find(ch) != std::string_view::npos)
            continue;
        if (ch >= '1' && ch <= '9') {
            read.digits[static_cast<std::size_t>(cells++)] = static_cast<std::int8_t>(ch - '0');
        } else if (kEmptyCells.find(ch) != std::string_view::npos) {
            read.digits[static_cast<std::size_t>(cells++)] = 0;
        } else {
            int column = 1;
            for (std::size_t i = lineStart; i + 1 < at; ++i)
                column += isContinuationByte(text[i]) ? 0 : 1;
            read.problem = std::string(subject) + " holds " + characterName(text, at - 1) +
                           " in line " + std::to_string(line) + ", column " +
                           std::to_string(column) + ", which is neither a digit nor an empty cell.";
            return read;
        }
    }
    if (cells < kCellCount) {
        read.problem = std::string(subject) + " holds " + countOfCells(cells) + ", a puzzle has " +
                       std::to_string(kCellCount) + ".";
        return read;
    }
    read.problem = repeatedDigit(read.digits);
    return read;
}

std::string puzzleLine(const PuzzleDigits& digits) {
    std::string line;
    line.reserve(digits.size());
    for (const std::int8_t d : digits)
        line += d == 0 ? '.' : static_cast<char>('0' + d);
    return line;
}

std::string commaPuzzleText(const PuzzleDigits& digits) {
    std::string text;
    text.reserve(2 * digits.size());
    for (const std::int8_t d : digits) {
        if (!text.empty())
            text += ',';
        text += static_cast<char>('0' + d);
    }
    return text;
}

} // namespace board
