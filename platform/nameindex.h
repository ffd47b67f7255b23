#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

namespace platform {

// Finds controls by name without regard to ASCII letter case in constant time. Names are
// registered in creation order and the first control registered under a name wins, which is
// what a search through the controls in creation order would return.
template <typename T> class NameIndex {
public:
    void add(std::string_view name, T value) { m_index.try_emplace(folded(name), value); }

    T find(std::string_view name) const {
        const auto it = m_index.find(folded(name));
        return it == m_index.end() ? T{} : it->second;
    }

    std::size_t size() const { return m_index.size(); }

private:
    static std::string folded(std::string_view name) {
        std::string key(name);
        for (char& ch : key) {
            if (ch >= 'A' && ch <= 'Z')
                ch = static_cast<char>(ch - 'A' + 'a');
        }
        return key;
    }

    std::unordered_map<std::string, T> m_index;
};

} // namespace platform
