#include "numbering.h"

#include <charconv>

namespace board {

std::string_view CommaField(std::string_view text, int n) {
    std::size_t start = 0;
    for (int field = 1; field < n; ++field) {
        const std::size_t comma = text.find(',', start);
        if (comma == std::string_view::npos)
            return {};
        start = comma + 1;
    }
    const std::size_t end = text.find(',', start);
    return text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
}

int decimalValue(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return 0;
    return value;
}

namespace {
std::string_view numberText(std::string_view name, std::size_t prefixLength) {
    if (name.size() <= prefixLength)
        return {};
    return name.substr(prefixLength, 3);
}
} // namespace

std::string_view ButtonNumberText(std::string_view name) {
    return numberText(name, 11);
}
std::string_view PanelNumberText(std::string_view name) {
    return numberText(name, 5);
}
int ButtonNumberFromName(std::string_view name) {
    return decimalValue(ButtonNumberText(name));
}
int PanelNumberFromName(std::string_view name) {
    return decimalValue(PanelNumberText(name));
}

int PanelGridIndex(int panel) {
    return decimalValue(CommaField(PanelMapText, panel));
}
int PanelColumn(int panel) {
    return gridColumn(PanelGridIndex(panel));
}
int PanelRow(int panel) {
    return gridRow(PanelGridIndex(panel));
}

} // namespace board
