#include "puzzletext.h"

#include <algorithm>

namespace board {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kSeparators = "|+-=:,";
constexpr std::string_view kEmptyCells = "0._*xX";
constexpr std::size_t kFieldsPerRow = 9;

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
    // The second byte's range rules out overlong forms, surrogates and code points beyond
    // U+10FFFF, so that the name quoted in a message is text itself.
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    const unsigned low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
    const unsigned high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
    const unsigned second = at + 1 < text.size() ? static_cast<unsigned char>(text[at + 1]) : 0;
    bool valid = lead >= 0xC2 && lead <= 0xF4 && at + length <= text.size() && second >= low &&
                 second <= high;
    for (std::size_t i = 2; valid && i < length; ++i)
        valid = isContinuationByte(text[at + i]);
    if (!valid)
        return "a byte that is not text";
    // C1 controls, U+0080 to U+009F, and the no-break space would show as nothing.
    if (lead == 0xC2 && second <= 0xA0)
        return "a control character";
    return "\u201C" + std::string(text.substr(at, length)) + "\u201D";
}

// The digit of a cell character, 0 for an empty cell, -1 for any other character.
int cellDigit(char ch) {
    if (ch >= '1' && ch <= '9')
        return ch - '0';
    return kEmptyCells.find(ch) != std::string_view::npos ? 0 : -1;
}

// A field quoted as the person sees it, a tab as a space, cut short after a few characters; a
// field holding a character that shows as nothing is named by that character.
std::string fieldName(std::string_view field) {
    constexpr int kShownCharacters = 12;
    std::string shown;
    int characters = 0;
    for (std::size_t at = 0; at < field.size(); ++characters) {
        if (characters == kShownCharacters)
            return "\u201C" + shown + "\u2026\u201D";
        const bool space = field[at] == ' ' || field[at] == '\t';
        std::string name = space ? "\u201C \u201D" : characterName(field, at);
        if (!name.starts_with("\u201C"))
            return name;
        // Drop the quotation marks, three bytes each, around the character.
        name = name.substr(3, name.size() - 6);
        shown += name;
        at += space ? 1 : name.size();
    }
    return "\u201C" + shown + "\u201D";
}

// "no cells", "1 cell", "32 cells".
std::string countOf(std::size_t count, std::string_view thing) {
    if (count == 0)
        return "no " + std::string(thing) + "s";
    return std::to_string(count) + " " + std::string(thing) + (count == 1 ? "" : "s");
}

// The line that starts at text[at], without its end ("\n", "\r\n" or "\r"); at moves past it.
std::string_view nextLine(std::string_view text, std::size_t& at) {
    const std::size_t start = at;
    const std::size_t end = std::min(text.find_first_of("\r\n", start), text.size());
    at = end;
    if (at < text.size())
        at += text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n' ? 2 : 1;
    return text.substr(start, end - start);
}

// A web page's empty table cell often holds a no-break space; in a field it is a blank.
std::string_view trimmed(std::string_view field) {
    constexpr std::string_view kNoBreakSpace = "\xC2\xA0";
    for (;;) {
        if (!field.empty() && isBlank(field.front()))
            field.remove_prefix(1);
        else if (!field.empty() && isBlank(field.back()))
            field.remove_suffix(1);
        else if (field.starts_with(kNoBreakSpace))
            field.remove_prefix(kNoBreakSpace.size());
        else if (field.ends_with(kNoBreakSpace))
            field.remove_suffix(kNoBreakSpace.size());
        else
            return field;
    }
}

bool isCommentLine(std::string_view line) {
    const std::size_t first = line.find_first_not_of(" \t\v\f");
    return first != std::string_view::npos && line[first] == '#';
}

// The fields of a line split at separator: how many there are, and the first nine. A clipboard
// may hold megabytes of commas on one line, so the rest are counted, not kept.
struct Fields {
    std::array<std::string_view, kFieldsPerRow> first;
    std::size_t count = 0;
};

// One blank field after a last separator is a trailing separator that some programs write, not
// a field, unless it is the ninth.
Fields fieldsOf(std::string_view line, char separator) {
    Fields fields;
    std::string_view field;
    for (std::size_t start = 0;; start += field.size() + 1) {
        field = line.substr(start, line.find(separator, start) - start);
        if (fields.count < kFieldsPerRow)
            fields.first[fields.count] = field;
        ++fields.count;
        if (start + field.size() == line.size())
            break;
    }
    if (fields.count != kFieldsPerRow && fields.count > 1 && trimmed(field).empty())
        --fields.count;
    return fields;
}

// Comments and lines of nothing but blanks are skipped; a line that holds the separator is a
// row, even one of empty fields split at tabs.
bool isSkippedLine(std::string_view line, char separator) {
    return isCommentLine(line) ||
           (line.find(separator) == std::string_view::npos && trimmed(line).empty());
}

// A tab or a comma when the first line that is no comment splits at it into the nine fields
// of a row (tabs first), as a spreadsheet or a web page's table copies a grid; otherwise 0,
// for text of one character per cell.
char fieldSeparator(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        const std::string_view line = nextLine(text, at);
        if (isCommentLine(line))
            continue;
        for (const char separator : {'\t', ','}) {
            if (fieldsOf(line, separator).count == kFieldsPerRow)
                return separator;
        }
        if (!trimmed(line).empty())
            return 0;
    }
    return 0;
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

// One character per cell; the first 81 cells make the puzzle.
PuzzleRead readCells(std::string_view text, std::string_view subject) {
    PuzzleRead read;
    std::size_t at = 0;
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
        if (const int digit = cellDigit(ch); digit >= 0) {
            read.digits[static_cast<std::size_t>(cells++)] = static_cast<std::int8_t>(digit);
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
        read.problem = std::string(subject) + " holds " + countOf(std::size_t(cells), "cell") +
                       ", a puzzle has " + std::to_string(kCellCount) + ".";
    }
    return read;
}

// Nine rows of nine fields each; rows after the ninth are ignored. A field is one cell
// character, or empty or blank for an empty cell.
PuzzleRead readFields(std::string_view text, char separator, std::string_view subject) {
    PuzzleRead read;
    std::size_t row = 0;
    for (std::size_t at = 0; at < text.size() && row < kFieldsPerRow;) {
        const std::string_view line = nextLine(text, at);
        if (isSkippedLine(line, separator))
            continue;
        const Fields fields = fieldsOf(line, separator);
        ++row;
        if (fields.count != kFieldsPerRow) {
            read.problem = "Row " + std::to_string(row) + " holds " +
                           countOf(fields.count, "field") + ", a row has " +
                           std::to_string(kFieldsPerRow) + ".";
            return read;
        }
        for (std::size_t i = 0; i < kFieldsPerRow; ++i) {
            const std::string_view field = trimmed(fields.first[i]);
            const int digit = field.empty() ? 0 : field.size() == 1 ? cellDigit(field[0]) : -1;
            if (digit < 0) {
                read.problem = "Row " + std::to_string(row) + ", field " + std::to_string(i + 1) +
                               " holds " + fieldName(field) +
                               ", which is neither a digit nor an empty cell.";
                return read;
            }
            read.digits[(row - 1) * kFieldsPerRow + i] = static_cast<std::int8_t>(digit);
        }
    }
    if (row < kFieldsPerRow) {
        read.problem = std::string(subject) + " holds " + countOf(row, "row") + ", a puzzle has " +
                       std::to_string(kFieldsPerRow) + ".";
    }
    return read;
}

} // namespace

PuzzleRead readPuzzleText(std::string_view text, std::string_view subject) {
    if (text.starts_with(kByteOrderMark))
        text.remove_prefix(kByteOrderMark.size());
    const char separator = fieldSeparator(text);
    PuzzleRead read =
        separator == 0 ? readCells(text, subject) : readFields(text, separator, subject);
    // Where the fields make no puzzle, a text that reads one character per cell was written
    // that way, like "1,2,3,4,5,6,7,8,9" above 72 more cells: it keeps the meaning it always had.
    if (!read.ok() && separator != 0) {
        PuzzleRead cells = readCells(text, subject);
        if (cells.ok() && repeatedDigit(cells.digits).empty())
            read = cells;
    }
    if (read.ok())
        read.problem = repeatedDigit(read.digits);
    if (!read.ok())
        read.digits = {};
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
