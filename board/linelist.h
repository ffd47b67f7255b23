#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace board {

// An ordered list of text lines, oldest first. Appending and taking the newest line off cost
// the same however long the list has grown.
class LineList {
public:
    void append(std::string_view line) { m_lines.emplace_back(line); }
    void removeLast() {
        if (!m_lines.empty())
            m_lines.pop_back();
    }
    void clear() { m_lines.clear(); }
    bool empty() const { return m_lines.empty(); }
    std::size_t size() const { return m_lines.size(); }
    const std::string& last() const { return m_lines.back(); }
    const std::vector<std::string>& lines() const { return m_lines; }

private:
    std::vector<std::string> m_lines;
};

} // namespace board
