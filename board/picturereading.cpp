#include "picturereading.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace board {
namespace {

constexpr std::string_view kFaultMessage = "The picture could not be read.";
constexpr std::size_t kMaxSentenceBytes = 300;
constexpr std::size_t kMaxNamedCells = 6;

// The next line of text, without its end; the text is left after it.
std::string_view takeLine(std::string_view& text) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    return line;
}

bool startsWith(std::string_view text, std::string_view head) {
    return text.substr(0, head.size()) == head;
}

// A refusal is shown to the player as it stands, so only a short line of printable ASCII
// passes: the helper reads hostile pictures, and what it says is not trusted further.
bool isPlainSentence(std::string_view text) {
    return !text.empty() && text.size() <= kMaxSentenceBytes &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c < 0x7f; });
}

std::optional<std::array<int, kCellCount>> readConfidences(std::string_view text) {
    std::array<int, kCellCount> values{};
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0) {
            if (text.empty() || text.front() != ' ')
                return std::nullopt;
            text.remove_prefix(1);
        }
        const auto [end, error] =
            std::from_chars(text.data(), text.data() + text.size(), values[i]);
        if (error != std::errc() || values[i] < 0 || values[i] > 100)
            return std::nullopt;
        text.remove_prefix(std::size_t(end - text.data()));
    }
    if (!text.empty())
        return std::nullopt;
    return values;
}

bool clash(const PuzzleDigits& digits, int a, int b) {
    const int rowA = gridRow(a + 1), columnA = gridColumn(a + 1);
    const int rowB = gridRow(b + 1), columnB = gridColumn(b + 1);
    return digits[std::size_t(a)] == digits[std::size_t(b)] &&
           (rowA == rowB || columnA == columnB || blockOf(rowA, columnA) == blockOf(rowB, columnB));
}

// Empties the least certain digit that clashes with another, one at a time: dropping one digit
// may settle several clashes, so the more certain digits are kept wherever they can be.
void dropClashes(PictureRead& read, const std::array<int, kCellCount>& confidence) {
    for (;;) {
        int weakest = -1;
        for (int a = 0; a < kCellCount; ++a) {
            if (read.digits[std::size_t(a)] == 0)
                continue;
            for (int b = 0; b < kCellCount; ++b) {
                if (a == b || !clash(read.digits, a, b))
                    continue;
                // Of equally certain digits, the later cell's is emptied.
                if (weakest < 0 || confidence[std::size_t(a)] <= confidence[std::size_t(weakest)])
                    weakest = a;
            }
        }
        if (weakest < 0)
            return;
        read.digits[std::size_t(weakest)] = 0;
        read.unread.push_back(weakest + 1);
    }
}

PictureRead failed(std::string problem) {
    PictureRead read;
    read.problem = std::move(problem);
    return read;
}

} // namespace

PictureRead readPictureAnswer(std::string_view answer) {
    std::string_view first = takeLine(answer);
    if (first == "nogrid" && answer.empty())
        return failed("No Sudoku grid was found in the picture.");
    if (startsWith(first, "refused ") && answer.empty()) {
        const std::string_view sentence = first.substr(8);
        return failed(std::string(isPlainSentence(sentence) ? sentence : kFaultMessage));
    }
    const std::string_view second = takeLine(answer);
    if (!startsWith(first, "cells ") || !startsWith(second, "confidence ") || !answer.empty())
        return failed(std::string(kFaultMessage));
    const std::string_view cells = first.substr(6);
    const auto confidence = readConfidences(second.substr(11));
    if (cells.size() != std::size_t(kCellCount) || !confidence)
        return failed(std::string(kFaultMessage));

    PictureRead read;
    for (int i = 0; i < kCellCount; ++i) {
        const char c = cells[std::size_t(i)];
        if (c >= '1' && c <= '9')
            read.digits[std::size_t(i)] = std::int8_t(c - '0');
        else if (c == '?')
            read.unread.push_back(i + 1);
        else if (c != '.')
            return failed(std::string(kFaultMessage));
    }
    dropClashes(read, *confidence);
    if (std::all_of(read.digits.begin(), read.digits.end(), [](auto d) { return d == 0; }))
        return failed("No digit in the picture's grid could be read.");
    std::sort(read.unread.begin(), read.unread.end());
    return read;
}

std::string unreadCellsMessage(const std::vector<int>& unread) {
    if (unread.empty())
        return {};
    // A long list is not read by anyone; past a handful the rest are counted.
    const std::size_t named = unread.size() > kMaxNamedCells ? kMaxNamedCells - 1 : unread.size();
    std::string text;
    for (std::size_t i = 0; i < named; ++i) {
        if (i > 0)
            text += (i + 1 == unread.size()) ? " and " : ", ";
        text += i == 0 ? "Row " : "row ";
        text += std::to_string(gridRow(unread[i])) + ", column " +
                std::to_string(gridColumn(unread[i]));
    }
    if (named < unread.size())
        text += " and " + std::to_string(unread.size() - named) + " other cells";
    text += unread.size() == 1 ? " could not be read and is left empty."
                               : " could not be read and are left empty.";
    return text;
}

} // namespace board
