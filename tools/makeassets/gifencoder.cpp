#include "gifencoder.h"

#include <unordered_map>

namespace {

class BitWriter {
public:
    void write(unsigned code, int width) {
        m_buffer |= static_cast<std::uint32_t>(code) << m_bits;
        m_bits += width;
        while (m_bits >= 8) {
            m_bytes.push_back(static_cast<std::uint8_t>(m_buffer & 0xff));
            m_buffer >>= 8;
            m_bits -= 8;
        }
    }
    std::vector<std::uint8_t> finish() {
        if (m_bits > 0)
            m_bytes.push_back(static_cast<std::uint8_t>(m_buffer & 0xff));
        return std::move(m_bytes);
    }

private:
    std::vector<std::uint8_t> m_bytes;
    std::uint32_t m_buffer = 0;
    int m_bits = 0;
};

} // namespace

std::vector<std::uint8_t> gifImageData(const std::vector<std::uint8_t>& indexes, int minCodeSize) {
    const unsigned clear = 1u << minCodeSize;
    const unsigned end = clear + 1;
    BitWriter writer;
    std::unordered_map<std::uint32_t, unsigned> table; // (prefix << 8 | pixel) -> code
    unsigned next = clear + 2;
    int width = minCodeSize + 1;
    writer.write(clear, width);
    if (!indexes.empty()) {
        unsigned prefix = indexes[0];
        for (std::size_t i = 1; i < indexes.size(); ++i) {
            const std::uint32_t key = (prefix << 8) | indexes[i];
            if (const auto it = table.find(key); it != table.end()) {
                prefix = it->second;
                continue;
            }
            writer.write(prefix, width);
            if (next < 4096) {
                table.emplace(key, next++);
                // The decoder widens one code later than the encoder adds the entry.
                if (next > (1u << width) && width < 12)
                    ++width;
            } else {
                writer.write(clear, width);
                table.clear();
                next = clear + 2;
                width = minCodeSize + 1;
            }
            prefix = indexes[i];
        }
        writer.write(prefix, width);
    }
    writer.write(end, width);
    const std::vector<std::uint8_t> packed = writer.finish();

    std::vector<std::uint8_t> data{static_cast<std::uint8_t>(minCodeSize)};
    for (std::size_t at = 0; at < packed.size(); at += 255) {
        const std::size_t length = std::min<std::size_t>(255, packed.size() - at);
        data.push_back(static_cast<std::uint8_t>(length));
        data.insert(data.end(), packed.begin() + static_cast<std::ptrdiff_t>(at),
                    packed.begin() + static_cast<std::ptrdiff_t>(at + length));
    }
    data.push_back(0);
    return data;
}
