#include "jvgifimage.h"

#include "giflzw.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

constexpr char kStreamReadError[] = "Stream read error";
constexpr char kUnknownVersion[] = "Unknown GIF version";
constexpr char kWrongColorCount[] = "Wrong number of colors; must be a power of 2";
constexpr char kTooLarge[] = "Image too large";

constexpr std::uint8_t kExtensionIntroducer = 0x21; // '!'
constexpr std::uint8_t kImageSeparator = 0x2C;      // ','
constexpr std::uint8_t kTrailer = 0x3B;             // ';'

constexpr std::uint8_t kGraphicControlLabel = 0xF9;
constexpr std::uint8_t kCommentLabel = 0xFE;
constexpr std::uint8_t kPlainTextLabel = 0x01;
constexpr std::uint8_t kApplicationLabel = 0xFF;

constexpr std::uint8_t kColorTableFlag = 0x80;
constexpr std::uint8_t kInterlaceFlag = 0x40;

constexpr int kMaxRepeatCount = 30000;

[[noreturn]] void fail(const char* message) {
    throw EInvalidGraphicOperation(message);
}

// Sequential reader over the GIF bytes; every read states how many bytes it needs.
class ByteCursor {
public:
    explicit ByteCursor(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    bool atEnd() const { return m_pos >= m_bytes.size(); }
    std::size_t remaining() const { return m_bytes.size() - m_pos; }
    void skipToEnd() { m_pos = m_bytes.size(); }

    std::uint8_t byte() {
        if (atEnd())
            fail(kStreamReadError);
        return m_bytes[m_pos++];
    }
    std::span<const std::uint8_t> take(std::size_t count) {
        if (remaining() < count)
            fail(kStreamReadError);
        auto part = m_bytes.subspan(m_pos, count);
        m_pos += count;
        return part;
    }
    // Takes at most count bytes.
    std::span<const std::uint8_t> takeUpTo(std::size_t count) {
        return take(std::min(count, remaining()));
    }

private:
    std::span<const std::uint8_t> m_bytes;
    std::size_t m_pos = 0;
};

int le16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return bytes[at] | (bytes[at + 1] << 8);
}

bool equalsIgnoringCase(std::span<const std::uint8_t> bytes, std::string_view text) {
    if (bytes.size() != text.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto lower = [](unsigned c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; };
        if (lower(bytes[i]) != lower(static_cast<unsigned char>(text[i])))
            return false;
    }
    return true;
}

void readColorTable(ByteCursor& in, int bitsPerPixel, TGIFColorTable& table) {
    table.count = 1 << bitsPerPixel;
    auto bytes = in.take(static_cast<std::size_t>(table.count) * 3);
    for (int i = 0; i < table.count; ++i) {
        const auto at = static_cast<std::size_t>(i) * 3;
        table.entries[static_cast<std::size_t>(i)] = {bytes[at], bytes[at + 1], bytes[at + 2]};
    }
}

int bitsForCount(int count) {
    int bits = 0;
    while ((1 << bits) < count)
        ++bits;
    return bits;
}

} // namespace

// Holds the state of one pass over a GIF file; frames go straight into the picture's list so
// that those read before an error stay there.
class TGIFReader {
public:
    TGIFReader(std::span<const std::uint8_t> gif, TGIFData& data, std::vector<TJvGIFFrame>& frames)
        : m_in(gif), m_data(data), m_frames(frames) {}

    void read();

private:
    std::uint8_t nextSeparator();
    std::uint8_t separatorOrTrailer() { return m_in.atEnd() ? kTrailer : nextSeparator(); }
    void readExtension();
    void readSubBlocks(std::vector<std::string>& lines);
    void checkLooping(const TExtension& application);
    void readImage(TJvGIFFrame& frame);
    void applyGraphicControls(TJvGIFFrame& frame) const;

    ByteCursor m_in;
    TGIFData& m_data;
    std::vector<TJvGIFFrame>& m_frames;
    std::vector<TExtension> m_collected;
};

void TGIFReader::read() {
    // Header: "GIF" then "87a" or "89a", letter case ignored.
    if (m_in.remaining() < 6)
        fail(kUnknownVersion);
    auto header = m_in.take(6);
    if (!equalsIgnoringCase(header.first(3), "GIF"))
        fail(kUnknownVersion);
    if (equalsIgnoringCase(header.subspan(3), "87a"))
        m_data.version = TGIFVersion::GIF87a;
    else if (equalsIgnoringCase(header.subspan(3), "89a"))
        m_data.version = TGIFVersion::GIF89a;
    else
        fail(kUnknownVersion);

    // Logical screen descriptor: width u16, height u16, packed (bit 7 global table,
    // bits 4-6 colour resolution - 1, bits 0-2 table bits - 1), background index, aspect ratio.
    // A descriptor or global table cut short is a read error like any other fixed-size field.
    auto screen = m_in.take(7);
    m_data.screenWidth = le16(screen, 0);
    m_data.screenHeight = le16(screen, 2);
    const std::uint8_t packed = screen[4];
    m_data.bitsPerPixel = (packed & 7) + 1;
    m_data.colorResolution = ((packed >> 4) & 7) + 1;
    m_data.aspectRatio = screen[6];
    if (packed & kColorTableFlag) {
        readColorTable(m_in, m_data.bitsPerPixel, m_data.globalTable);
        if (screen[5] < m_data.globalTable.count)
            m_data.backgroundColor = m_data.globalTable.entries[screen[5]];
    }

    std::uint8_t separator = nextSeparator();
    while (separator != 0 && separator != kTrailer && !m_in.atEnd()) {
        while (separator == kExtensionIntroducer) {
            readExtension();
            separator = separatorOrTrailer();
        }
        if (separator == kImageSeparator) {
            TJvGIFFrame frame;
            if (m_data.globalTable.count > 0)
                frame.m_item->bitsPerPixel = bitsForCount(m_data.globalTable.count);
            frame.m_extensions = std::move(m_collected);
            m_collected.clear();
            readImage(frame);
            m_frames.push_back(std::move(frame));
            separator = separatorOrTrailer();
            if (separator != kExtensionIntroducer && separator != kImageSeparator &&
                separator != kTrailer)
                separator = 0;
        } else if (m_data.comment.empty() && !m_collected.empty()) {
            for (const auto& extension : m_collected)
                if (extension.kind == TExtensionKind::Comment)
                    m_data.comment.insert(m_data.comment.end(), extension.lines.begin(),
                                          extension.lines.end());
            m_collected.clear();
        } else if (separator != 0 && separator != kTrailer) {
            fail(kStreamReadError);
        }
    }
}

std::uint8_t TGIFReader::nextSeparator() {
    while (!m_in.atEnd()) {
        if (const std::uint8_t b = m_in.byte(); b != 0)
            return b;
    }
    return 0;
}

// Data sub-blocks: a length byte L, then L bytes, until L = 0. A block cut short by the end of
// the data keeps what is there; the end of the data ends the list.
void TGIFReader::readSubBlocks(std::vector<std::string>& lines) {
    while (!m_in.atEnd()) {
        const std::uint8_t length = m_in.byte();
        if (length == 0)
            break;
        auto bytes = m_in.takeUpTo(length);
        lines.emplace_back(bytes.begin(), bytes.end());
    }
}

// Extension: label byte, then a fixed header by label, then (except graphic control) sub-blocks.
//   0xF9 graphic control: size 4, packed, delay u16 (1/100 s), transparent index, terminator
//   0xFE comment: sub-blocks only
//   0x01 plain text: size 12 and 12 header bytes
//   0xFF application: size 11, 8-byte identifier, 3-byte authentication code
void TGIFReader::readExtension() {
    const std::uint8_t label = m_in.byte();
    TExtension extension;
    switch (label) {
    case kGraphicControlLabel: {
        extension.kind = TExtensionKind::GraphicControl;
        auto bytes = m_in.take(6);
        extension.header.assign(bytes.begin(), bytes.end());
        m_collected.push_back(std::move(extension));
        return;
    }
    case kCommentLabel:
        extension.kind = TExtensionKind::Comment;
        readSubBlocks(extension.lines);
        m_collected.push_back(std::move(extension));
        return;
    case kPlainTextLabel: {
        extension.kind = TExtensionKind::PlainText;
        auto bytes = m_in.take(13);
        extension.header.assign(bytes.begin(), bytes.end());
        readSubBlocks(extension.lines);
        // Text drawn over the picture is not supported, and neither is what belongs with it.
        m_collected.clear();
        return;
    }
    case kApplicationLabel: {
        extension.kind = TExtensionKind::Application;
        auto bytes = m_in.take(12);
        extension.header.assign(bytes.begin(), bytes.end());
        readSubBlocks(extension.lines);
        checkLooping(extension);
        return;
    }
    default: {
        char message[48];
        std::snprintf(message, sizeof message, "Unrecognized extension block: %.2x", label);
        fail(message);
    }
    }
}

void TGIFReader::checkLooping(const TExtension& application) {
    // The block size byte says how much of the 11-byte identifier and code is compared.
    const std::size_t compared = std::min<std::size_t>(application.header[0], 11);
    const auto id = std::span(application.header).subspan(1, compared);
    auto matches = [&](std::string_view name) {
        return std::equal(id.begin(), id.end(), name.begin());
    };
    if (!matches("NETSCAPE2.0") && !matches("ANIMEXTS1.0"))
        return;
    if (application.lines.empty() || application.lines[0].size() < 3 ||
        application.lines[0][0] != 1)
        return;
    const auto& block = application.lines[0];
    const int count =
        static_cast<unsigned char>(block[1]) + 256 * static_cast<unsigned char>(block[2]);
    m_data.looping = true;
    m_data.repeatCount = std::min(count, kMaxRepeatCount);
}

// Image descriptor: left u16, top u16, width u16, height u16, packed (bit 7 local table,
// bit 6 interlaced, bits 0-2 table bits - 1); optional local table; code size byte; sub-blocks.
void TGIFReader::readImage(TJvGIFFrame& frame) {
    TGIFItem& item = *frame.m_item;
    auto descriptor = m_in.take(9);
    const std::uint8_t packed = descriptor[8];
    frame.m_interlaced = (packed & kInterlaceFlag) != 0;
    if (packed & kColorTableFlag) {
        item.bitsPerPixel = (packed & 7) + 1;
        frame.m_localColorTable = true;
        readColorTable(m_in, item.bitsPerPixel, item.colorTable);
    } else {
        frame.m_localColorTable = false;
        item.colorTable = {};
    }

    item.compressedData.push_back(m_in.byte());
    while (!m_in.atEnd()) {
        const std::uint8_t length = m_in.byte();
        if (m_in.remaining() < length) {
            frame.m_corrupted = true;
            m_in.skipToEnd();
            break;
        }
        item.compressedData.push_back(length);
        auto block = m_in.take(length);
        item.compressedData.insert(item.compressedData.end(), block.begin(), block.end());
        if (length == 0)
            break;
    }

    frame.m_left = le16(descriptor, 0);
    frame.m_top = le16(descriptor, 2);
    item.width = le16(descriptor, 4);
    item.height = le16(descriptor, 6);
    if (item.width == 0)
        item.width = m_data.screenWidth;
    if (item.height == 0)
        item.height = m_data.screenHeight;
    frame.m_packed = packed;

    if (!frame.m_localColorTable)
        item.colorTable = m_data.globalTable;
    applyGraphicControls(frame);
}

void TGIFReader::applyGraphicControls(TJvGIFFrame& frame) const {
    frame.m_delayMs = 0;
    const TGIFColorTable& table = frame.m_item->colorTable;
    for (const auto& extension : frame.m_extensions) {
        if (extension.kind != TExtensionKind::GraphicControl)
            continue;
        // header: block size, packed (bits 2-4 disposal, bit 0 transparency), delay u16, index
        const auto& h = extension.header;
        const std::uint8_t packed = h[1];
        if (packed & 1) {
            if (h[4] < table.count)
                frame.m_transparentColor = table.entries[h[4]];
        } else {
            frame.m_transparentColor.reset();
        }
        frame.m_delayMs = std::max(frame.m_delayMs, 10 * le16(h, 2));
        frame.m_disposal = (packed >> 2) & 7;
    }
}

// ---------------------------------------------------------------------------------------------

TGIFBitmap::TGIFBitmap(int width, int height, int depth, const TGIFColorTable& colors,
                       std::uint64_t byteLimit)
    : m_width(width), m_height(height), m_depth(depth) {
    // Widths and heights are 16-bit, so these products fit 64 bits with room to spare.
    const std::uint64_t stride = (std::uint64_t(width) * std::uint64_t(depth) + 31) / 32 * 4;
    const std::uint64_t imageBytes = stride * std::uint64_t(height);
    const std::uint64_t paletteBytes = 4ull << depth;
    const std::uint64_t pixelOffset = kFileHeaderSize + kInfoHeaderSize + paletteBytes;
    if (imageBytes + pixelOffset > byteLimit)
        fail(kTooLarge);
    m_stride = static_cast<std::size_t>(stride);
    m_pixelOffset = static_cast<std::size_t>(pixelOffset);
    m_file.assign(static_cast<std::size_t>(imageBytes + pixelOffset), 0);

    auto put16 = [this](std::size_t at, std::uint32_t v) {
        m_file[at] = std::uint8_t(v);
        m_file[at + 1] = std::uint8_t(v >> 8);
    };
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        put16(at, v & 0xFFFF);
        put16(at + 2, v >> 16);
    };
    // File header: "BM", file size, two reserved words, offset of the pixel rows.
    m_file[0] = 'B';
    m_file[1] = 'M';
    put32(2, static_cast<std::uint32_t>(imageBytes + pixelOffset));
    put32(10, static_cast<std::uint32_t>(pixelOffset));
    // Information header: size, width, height (positive: bottom-up), planes, bit count,
    // compression 0, image size; resolution and colour counts stay 0.
    put32(14, kInfoHeaderSize);
    put32(18, static_cast<std::uint32_t>(width));
    put32(22, static_cast<std::uint32_t>(height));
    put16(26, 1);
    put16(28, static_cast<std::uint32_t>(depth));
    put32(34, static_cast<std::uint32_t>(imageBytes));

    const int tableEntries = std::min(colors.count, 1 << depth);
    for (int i = 0; i < (1 << depth); ++i) {
        std::uint8_t* entry = m_file.data() + kFileHeaderSize + kInfoHeaderSize + 4 * i;
        if (i < tableEntries) {
            const TGIFColor c = colors.entries[static_cast<std::size_t>(i)];
            entry[0] = c.blue;
            entry[1] = c.green;
            entry[2] = c.red;
        } else {
            std::memset(entry, 128, 4);
        }
    }
}

int TGIFBitmap::pixelIndex(int x, int y) const {
    const std::uint8_t* r = row(y);
    switch (m_depth) {
    case 8:
        return r[x];
    case 4:
        return (x & 1) ? r[x / 2] & 0x0F : r[x / 2] >> 4;
    default:
        return (r[x / 8] >> (7 - x % 8)) & 1;
    }
}

TGIFColor TGIFBitmap::paletteColor(int index) const {
    const std::uint8_t* entry = m_file.data() + kFileHeaderSize + kInfoHeaderSize + 4 * index;
    return {entry[2], entry[1], entry[0]};
}

// ---------------------------------------------------------------------------------------------

const TGIFBitmap& TJvGIFFrame::bitmap(const TProgressEvent& progress, std::uint64_t byteLimit) {
    if (m_bitmap)
        return *m_bitmap;
    if (progress)
        progress(TProgressStage::Starting, 0, {});
    try {
        const TGIFItem& item = *m_item;
        std::shared_ptr<TGIFBitmap> bitmap;
        if (item.compressedData.empty()) {
            bitmap = std::make_shared<TGIFBitmap>(0, 0, 1, TGIFColorTable{}, byteLimit);
        } else {
            int depth = 0;
            if (item.bitsPerPixel == 1)
                depth = 1;
            else if (item.bitsPerPixel >= 2 && item.bitsPerPixel <= 4)
                depth = 4;
            else if (item.bitsPerPixel >= 5 && item.bitsPerPixel <= 8)
                depth = 8;
            else
                fail(kWrongColorCount);
            bitmap = std::make_shared<TGIFBitmap>(item.width, item.height, depth, item.colorTable,
                                                  byteLimit);
            gif_detail::decodeLzw(item.compressedData, *bitmap, item.bitsPerPixel, m_interlaced,
                                  m_corrupted, progress);
        }
        m_bitmap = std::move(bitmap);
    } catch (const EInvalidGraphicOperation& error) {
        if (progress)
            progress(TProgressStage::Ending, 100, error.what());
        throw;
    }
    if (progress)
        progress(TProgressStage::Ending, 100, {});
    return *m_bitmap;
}

// ---------------------------------------------------------------------------------------------

std::size_t TJvGIFImage::loadFromFormData(std::span<const std::uint8_t> data) {
    if (data.size() < 4)
        fail(kStreamReadError);
    const std::uint64_t count = std::uint64_t(data[0]) | std::uint64_t(data[1]) << 8 |
                                std::uint64_t(data[2]) << 16 | std::uint64_t(data[3]) << 24;
    const auto rest = data.subspan(4);
    // The reset comes first, so even a short count leaves an empty picture behind.
    if (count > rest.size()) {
        readGif({});
        fail(kStreamReadError);
    }
    readGif(rest.first(static_cast<std::size_t>(count)));
    return 4 + static_cast<std::size_t>(count);
}

void TJvGIFImage::loadFromStream(std::span<const std::uint8_t> data) {
    readGif(data);
}

void TJvGIFImage::readGif(std::span<const std::uint8_t> gif) {
    // A fresh value object rather than a reset one: copies of this picture keep theirs.
    auto data = std::make_shared<TGIFData>();
    m_data = data;
    m_frames.clear();
    m_frameIndex = -1;
    if (gif.empty())
        return;

    TGIFReader(gif, *data, m_frames).read();
    if (m_frames.empty())
        return;
    try {
        m_frames.front().bitmap(m_onProgress, m_byteLimit);
    } catch (...) {
        m_frames.erase(m_frames.begin());
        throw;
    }
    m_frameIndex = 0;
}

bool TJvGIFImage::empty() const {
    if (m_frameIndex < 0)
        return true;
    const TJvGIFFrame& f = frame(m_frameIndex);
    return f.decodedBitmap() == nullptr && f.compressedData().empty();
}

int TJvGIFImage::width() const {
    const TGIFBitmap* b = m_frameIndex < 0 ? nullptr : frame(m_frameIndex).decodedBitmap();
    return b ? b->width() : 0;
}

int TJvGIFImage::height() const {
    const TGIFBitmap* b = m_frameIndex < 0 ? nullptr : frame(m_frameIndex).decodedBitmap();
    return b ? b->height() : 0;
}

bool TJvGIFImage::transparent() const {
    return m_transparentSwitch &&
           std::any_of(m_frames.begin(), m_frames.end(),
                       [](const TJvGIFFrame& f) { return f.transparentColor().has_value(); });
}

const TGIFBitmap* TJvGIFImage::currentBitmap() {
    if (m_frameIndex < 0)
        return nullptr;
    return &frame(m_frameIndex).bitmap(m_onProgress, m_byteLimit);
}

std::optional<TGIFColor> TJvGIFImage::drawingTransparentColor() const {
    if (m_frameIndex < 0 || !transparent())
        return std::nullopt;
    return frame(m_frameIndex).transparentColor();
}

// ---------------------------------------------------------------------------------------------

namespace {

const TGraphicClassInfo kGifClass{"TJvGIFImage", "gif", "CompuServe GIF Image", "GIF Image",
                                  [] { return std::make_unique<TJvGIFImage>(); }};

bool sameText(std::string_view a, std::string_view b) {
    return equalsIgnoringCase(std::span(reinterpret_cast<const std::uint8_t*>(a.data()), a.size()),
                              b);
}

} // namespace

const TGraphicClassInfo* findGraphicClass(std::string_view className) {
    return sameText(className, kGifClass.className) ? &kGifClass : nullptr;
}

const TGraphicClassInfo* findGraphicClassByExtension(std::string_view extension) {
    if (!extension.empty() && extension.front() == '.')
        extension.remove_prefix(1);
    return sameText(extension, kGifClass.extension) ? &kGifClass : nullptr;
}

const TGraphicClassInfo* findGraphicClassByClipboardFormat(std::string_view formatName) {
    return formatName == kGifClass.clipboardFormatName ? &kGifClass : nullptr;
}

std::unique_ptr<TJvGIFImage> readPictureProperty(std::span<const std::uint8_t> data) {
    if (data.empty() || data.size() - 1 < data[0])
        fail(kStreamReadError);
    const std::string_view name(reinterpret_cast<const char*>(data.data() + 1), data[0]);
    const TGraphicClassInfo* info = findGraphicClass(name);
    if (!info)
        throw EInvalidGraphicOperation("Unknown picture class: " + std::string(name));
    auto picture = info->create();
    picture->loadFromFormData(data.subspan(1 + data[0]));
    return picture;
}
