#include "giflzw.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <vector>

namespace gif_detail {
namespace {

constexpr int kMaxCodeBits = 12;
constexpr unsigned kTableSize = 1u << kMaxCodeBits;
// A chain longer than the table can only come from a cycle in damaged data.
constexpr unsigned kMaxChain = 4096;
constexpr unsigned kNoCode = ~0u;

// The sub-block payloads glued together a window at a time, so codes that straddle blocks need
// no special case and the decoder's copy of the data stays the same small size whatever the
// frame holds. Zero-length blocks inside the data are skipped rather than ending it.
class BitReader {
public:
    explicit BitReader(std::span<const std::uint8_t> blocks) : m_blocks(blocks) {
        for (std::size_t at = 0; at < blocks.size(); at += std::size_t{blocks[at]} + 1)
            m_totalBits += std::uint64_t(std::min<std::size_t>(blocks[at], blocks.size() - at - 1));
        m_totalBits *= 8;
        fill();
    }

    // Least significant bit first; kNoCode once fewer than `bits` bits are left.
    unsigned read(unsigned bits) {
        if (m_pos + bits > m_windowBits) [[unlikely]] {
            fill();
            if (m_pos + bits > m_windowBits)
                return kNoCode;
        }
        std::uint32_t word;
        std::memcpy(&word, m_window.data() + (m_pos >> 3), sizeof word);
        word = littleEndian(word);
        const unsigned code = (word >> (m_pos & 7)) & ((1u << bits) - 1);
        m_pos += bits;
        return code;
    }

    int percentConsumed() const {
        return m_totalBits == 0 ? 100
                                : static_cast<int>((m_droppedBits + m_pos) * 100 / m_totalBits);
    }

private:
    static constexpr std::size_t kWindow = 16384;
    static constexpr std::size_t kPadding = 4; // one whole word can always be loaded

    static std::uint32_t littleEndian(std::uint32_t v) {
        if constexpr (std::endian::native == std::endian::big)
            return __builtin_bswap32(v);
        return v;
    }

    // Keeps the bytes not yet fully read at the window's start and appends payload behind them.
    void fill() {
        const std::size_t keep = m_windowBits / 8 - m_pos / 8;
        const std::size_t dropped = m_pos / 8;
        std::memmove(m_window.data(), m_window.data() + dropped, keep);
        m_droppedBits += dropped * 8;
        m_pos %= 8;
        std::size_t size = keep;
        while (size < kWindow && m_at < m_blocks.size()) {
            if (m_blockLeft == 0) {
                m_blockLeft = std::min<std::size_t>(m_blocks[m_at], m_blocks.size() - m_at - 1);
                ++m_at;
                continue;
            }
            const std::size_t take = std::min(m_blockLeft, kWindow - size);
            std::memcpy(m_window.data() + size, m_blocks.data() + m_at, take);
            size += take;
            m_at += take;
            m_blockLeft -= take;
        }
        m_windowBits = std::uint64_t(size) * 8;
    }

    std::span<const std::uint8_t> m_blocks;
    std::size_t m_at = 0;        // next byte of m_blocks to read
    std::size_t m_blockLeft = 0; // payload bytes left in the current sub-block
    std::uint64_t m_totalBits = 0;
    std::uint64_t m_droppedBits = 0;
    std::uint64_t m_windowBits = 0;
    std::uint64_t m_pos = 0;
    std::array<std::uint8_t, kWindow + kPadding> m_window{};
};

// Takes pixels in stream order and puts them on their rows: top-down image rows stored
// bottom-up, in interlace order if asked, packed to the bitmap's depth once a row is complete.
class RowWriter {
public:
    RowWriter(TGIFBitmap& bitmap, bool interlaced)
        : m_bitmap(bitmap), m_width(static_cast<unsigned>(bitmap.width())),
          m_height(bitmap.height()), m_interlaced(interlaced), m_depth(bitmap.depth()) {
        m_done = m_width == 0 || m_height == 0;
        if (m_depth != 8)
            m_scratch.assign(m_width, 0);
        if (!m_done)
            m_line = lineFor(0);
    }

    bool done() const { return m_done; }
    unsigned room() const { return m_width - m_x; }
    // Where the next `room()` pixels go.
    std::uint8_t* cursor() { return m_line + m_x; }
    void advance(unsigned count) {
        m_x += count;
        if (m_x == m_width)
            nextRow();
    }
    void put(std::uint8_t pixel) {
        m_line[m_x] = pixel;
        advance(1);
    }
    void put(const std::uint8_t* pixels, unsigned count) {
        while (count > 0 && !m_done) {
            const unsigned take = std::min(count, room());
            std::memcpy(cursor(), pixels, take);
            pixels += take;
            count -= take;
            advance(take);
        }
    }
    // A row left unfinished keeps index 0 in its unwritten pixels.
    void finish() {
        if (m_done || m_depth == 8 || m_x == 0)
            return;
        std::fill(m_scratch.begin() + m_x, m_scratch.end(), std::uint8_t{0});
        pack();
    }

private:
    std::uint8_t* lineFor(int row) { return m_depth == 8 ? m_bitmap.row(row) : m_scratch.data(); }

    void pack() {
        std::uint8_t* out = m_bitmap.row(m_row);
        const std::uint8_t* in = m_scratch.data();
        if (m_depth == 4) {
            const unsigned pairs = m_width / 2;
            for (unsigned i = 0; i < pairs; ++i)
                out[i] = static_cast<std::uint8_t>(in[2 * i] << 4 | in[2 * i + 1]);
            if (m_width & 1)
                out[pairs] = static_cast<std::uint8_t>(in[m_width - 1] << 4);
        } else {
            const unsigned octets = m_width / 8;
            for (unsigned i = 0; i < octets; ++i, in += 8)
                out[i] =
                    static_cast<std::uint8_t>(in[0] << 7 | in[1] << 6 | in[2] << 5 | in[3] << 4 |
                                              in[4] << 3 | in[5] << 2 | in[6] << 1 | in[7]);
            if (const unsigned rest = m_width % 8) {
                unsigned byte = 0;
                for (unsigned j = 0; j < rest; ++j)
                    byte |= unsigned(in[j]) << (7 - j);
                out[octets] = static_cast<std::uint8_t>(byte);
            }
        }
    }

    void nextRow() {
        if (m_depth != 8)
            pack();
        m_x = 0;
        if (!m_interlaced) {
            ++m_row;
        } else {
            // Passes start at rows 0, 4, 2, 1 and step by 8, 8, 4, 2.
            static constexpr int kStart[4] = {0, 4, 2, 1};
            static constexpr int kStep[4] = {8, 8, 4, 2};
            m_row += kStep[m_pass];
            while (m_row >= m_height && m_pass < 3)
                m_row = kStart[++m_pass];
        }
        if (m_row >= m_height)
            m_done = true;
        else
            m_line = lineFor(m_row);
    }

    TGIFBitmap& m_bitmap;
    std::vector<std::uint8_t> m_scratch;
    std::uint8_t* m_line = nullptr;
    unsigned m_width;
    int m_height;
    bool m_interlaced;
    int m_depth;
    unsigned m_x = 0;
    int m_row = 0;
    int m_pass = 0;
    bool m_done = false;
};

class LzwDecoder {
public:
    LzwDecoder(std::span<const std::uint8_t> compressed, TGIFBitmap& bitmap, int bitsPerPixel,
               bool interlaced, bool& corrupted)
        : m_bits(compressed.subspan(1)), m_rows(bitmap, interlaced), m_corrupted(corrupted),
          m_mask((1u << bitsPerPixel) - 1) {
        int minCodeSize = compressed[0];
        if (minCodeSize < 2 || minCodeSize > 9) {
            minCodeSize = std::clamp(minCodeSize, 2, 9);
            m_corrupted = true;
        }
        // A frame already known to be damaged only gets its literal codes.
        m_stopAtChains = m_corrupted;
        m_minCodeSize = static_cast<unsigned>(minCodeSize);
        m_clear = 1u << minCodeSize;
        m_end = m_clear + 1;
        m_firstFree = m_clear + 2;
        // Codes not above the mask are single pixels; those between the mask and the first
        // free slot walk through untouched (zero) table slots, giving two pixels of index 0.
        for (unsigned i = 0; i < std::max(m_firstFree, m_mask + 1); ++i)
            m_length[i] = i <= m_mask ? 1 : 2;
    }

    template <bool kProgress> void run(const TProgressEvent& progress);

private:
    // A code whose string is known in full: literal, or built in this table epoch from one.
    bool isRegular(unsigned code) const {
        return code <= m_mask || (code < m_free && m_length[code] != 0);
    }
    void emitRegular(unsigned start, unsigned length, int tail);
    bool emitChecked(unsigned start, int tail);
    void addEntry();

    BitReader m_bits;
    RowWriter m_rows;
    bool& m_corrupted;
    bool m_stopAtChains = false;
    const unsigned m_mask;
    unsigned m_minCodeSize = 2;
    unsigned m_clear = 0;
    unsigned m_end = 0;
    unsigned m_firstFree = 0;
    unsigned m_codeBits = 0;
    unsigned m_limit = 0;
    unsigned m_free = 0;
    unsigned m_previous = 0;
    std::uint8_t m_first = 0; // first pixel of the latest string
    bool m_tableFull = false;

    std::array<std::uint16_t, kTableSize> m_prefix{};
    std::array<std::uint8_t, kTableSize> m_suffix{};
    // String length per code; 0 marks a string that must be walked with the chain check.
    std::array<std::uint16_t, kTableSize> m_length{};
    std::array<std::uint8_t, kMaxChain + 4> m_stack{};
};

// Writes the string of `start` (plus `tail` when it is not negative) back to front. The loop
// runs exactly length - 1 times, so even a wrong length could not write outside the row.
inline void LzwDecoder::emitRegular(unsigned start, unsigned length, int tail) {
    const bool direct = length <= m_rows.room();
    std::uint8_t* out = direct ? m_rows.cursor() : m_stack.data();
    std::uint8_t* p = out + length - 1;
    if (tail >= 0)
        *p-- = static_cast<std::uint8_t>(tail);
    unsigned code = start;
    while (p > out) {
        *p-- = m_suffix[code];
        code = m_prefix[code];
    }
    *p = static_cast<std::uint8_t>(code);
    m_first = static_cast<std::uint8_t>(code);
    if (direct)
        m_rows.advance(length);
    else
        m_rows.put(out, length);
}

// The walk for strings of unknown shape: damaged data can make the chain loop on itself.
bool LzwDecoder::emitChecked(unsigned start, int tail) {
    std::size_t top = m_stack.size();
    if (tail >= 0)
        m_stack[--top] = static_cast<std::uint8_t>(tail);
    unsigned code = start;
    while (code > m_mask) {
        if (m_stack.size() - top > kMaxChain)
            return false;
        m_stack[--top] = m_suffix[code];
        code = m_prefix[code];
    }
    m_stack[--top] = static_cast<std::uint8_t>(code);
    m_first = static_cast<std::uint8_t>(code);
    m_rows.put(m_stack.data() + top, static_cast<unsigned>(m_stack.size() - top));
    return true;
}

inline void LzwDecoder::addEntry() {
    if (m_tableFull)
        return;
    m_prefix[m_free] = static_cast<std::uint16_t>(m_previous);
    m_suffix[m_free] = m_first;
    if (m_free > m_mask)
        m_length[m_free] = isRegular(m_previous)
                               ? static_cast<std::uint16_t>(m_length[m_previous] + 1)
                               : std::uint16_t{0};
    if (++m_free == m_limit) {
        if (m_codeBits < kMaxCodeBits) {
            ++m_codeBits;
            m_limit <<= 1;
        } else {
            m_tableFull = true;
        }
    }
}

template <bool kProgress> void LzwDecoder::run(const TProgressEvent& progress) {
    m_codeBits = m_minCodeSize + 1;
    m_limit = 1u << m_codeBits;
    m_free = m_firstFree;

    unsigned code = m_bits.read(m_codeBits);
    while (code != kNoCode && code != m_end && !m_rows.done()) {
        if (code == m_clear) {
            m_codeBits = m_minCodeSize + 1;
            m_limit = 1u << m_codeBits;
            m_free = m_firstFree;
            code = m_bits.read(m_codeBits);
            if (code == kNoCode)
                break;
            m_previous = code;
            m_first = static_cast<std::uint8_t>(code & m_mask);
            m_rows.put(m_first);
            m_tableFull = false;
        } else {
            // A code not yet in the table repeats the previous string plus its first pixel.
            const bool pending = code >= m_free;
            const unsigned start = pending ? m_previous : code;
            const int tail = pending ? m_first : -1;
            if (start <= m_mask) {
                m_first = static_cast<std::uint8_t>(start);
                if (pending) {
                    m_rows.put(m_first);
                    if (!m_rows.done())
                        m_rows.put(static_cast<std::uint8_t>(tail));
                } else {
                    m_rows.put(m_first);
                }
            } else if (m_stopAtChains) {
                break;
            } else if (isRegular(start)) {
                // Regular strings are shorter than the stack by construction; the walk with
                // the check is only a fallback that keeps the scratch use provably bounded.
                const unsigned length = m_length[start] + (pending ? 1u : 0u);
                if (length <= kMaxChain)
                    emitRegular(start, length, tail);
                else if (!emitChecked(start, tail)) {
                    m_corrupted = true;
                    break;
                }
            } else if (!emitChecked(start, tail)) {
                m_corrupted = true;
                break;
            }
            addEntry();
            m_previous = code;
        }
        if constexpr (kProgress)
            progress(TProgressStage::Running, m_bits.percentConsumed(), {});
        code = m_bits.read(m_codeBits);
    }
    // Data that ran out before the image was complete.
    if (code == kNoCode && !m_rows.done())
        m_corrupted = true;
    m_rows.finish();
}

} // namespace

void decodeLzw(std::span<const std::uint8_t> compressed, TGIFBitmap& bitmap, int bitsPerPixel,
               bool interlaced, bool& corrupted, const TProgressEvent& progress) {
    if (compressed.empty())
        return;
    // The tables are large; keep them off the stack.
    auto decoder =
        std::make_unique<LzwDecoder>(compressed, bitmap, bitsPerPixel, interlaced, corrupted);
    if (progress)
        decoder->run<true>(progress);
    else
        decoder->run<false>(progress);
}

} // namespace gif_detail
