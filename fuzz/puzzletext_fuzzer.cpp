// libFuzzer entry: read any bytes as pasted or dropped puzzle text. Beyond crashes it checks
// what the reader promises. A puzzle is 81 digits from 0 to 9, no digit twice in a row, column
// or block, and both texts the program writes read back as the same puzzle. A refusal is one
// short sentence of valid UTF-8 and leaves every digit 0. A byte-order mark in front, or CRLF
// for every line end, changes nothing.

#include "puzzletext.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

// Far above the longest message: the subject, a field of 12 quoted characters, two numbers.
constexpr std::size_t kMaxProblemBytes = 200;

void check(bool holds) {
    if (!holds)
        __builtin_trap();
}

bool isUtf8(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        const auto lead = static_cast<unsigned char>(text[at]);
        const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        if ((lead >= 0x80 && lead < 0xC2) || lead > 0xF4 || at + length > text.size())
            return false;
        for (std::size_t i = 1; i < length; ++i) {
            if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80)
                return false;
        }
        at += length;
    }
    return true;
}

bool repeatsADigit(const board::PuzzleDigits& digits) {
    for (int unit = 0; unit < 27; ++unit) {
        unsigned seen = 0;
        for (int i = 0; i < 9; ++i) {
            const int u = unit % 9;
            const int cell = unit < 9    ? u * 9 + i
                             : unit < 18 ? i * 9 + u
                                         : (u / 3 * 3 + i / 3) * 9 + u % 3 * 3 + i % 3;
            const int digit = digits[static_cast<std::size_t>(cell)];
            if (digit != 0 && (seen & (1u << digit)) != 0)
                return true;
            seen |= 1u << digit;
        }
    }
    return false;
}

bool sameReading(const board::PuzzleRead& a, const board::PuzzleRead& b) {
    return a.digits == b.digits && a.problem == b.problem;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const board::PuzzleRead read = board::readPuzzleText(text, "The clipboard");

    if (!text.starts_with("\xEF\xBB\xBF"))
        check(sameReading(
            board::readPuzzleText("\xEF\xBB\xBF" + std::string(text), "The clipboard"), read));
    if (text.find('\r') == std::string_view::npos) {
        std::string crlf;
        for (const char ch : text)
            crlf += ch == '\n' ? std::string_view("\r\n") : std::string_view(&ch, 1);
        check(sameReading(board::readPuzzleText(crlf, "The clipboard"), read));
    }

    if (!read.ok()) {
        check(read.digits == board::PuzzleDigits{});
        check(read.problem.size() <= kMaxProblemBytes && read.problem.back() == '.');
        check(isUtf8(read.problem));
        return 0;
    }
    for (const std::int8_t digit : read.digits)
        check(digit >= 0 && digit <= 9);
    check(!repeatsADigit(read.digits));
    check(board::readPuzzleText(board::puzzleLine(read.digits), "x").digits == read.digits);
    check(board::readPuzzleText(board::commaPuzzleText(read.digits), "x").digits == read.digits);
    return 0;
}
