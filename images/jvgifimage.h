#pragma once

// The GIF picture class: reads GIF 87a/89a files from bytes, keeps each frame's compressed data,
// and decodes a frame on first use into an in-memory device-independent bitmap file image.
// Plain C++ only; drawing lives in the Qt adapter (gifpainter.h).

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// Every failure of reading or decoding a picture surfaces as this one error type; the message is
// the whole of the information the caller gets.
class EInvalidGraphicOperation : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct TGIFColor {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const TGIFColor&, const TGIFColor&) = default;
};

struct TGIFColorTable {
    int count = 0; // 0, or a power of two from 2 to 256
    std::array<TGIFColor, 256> entries{};
};

enum class TGIFVersion { GIF87a, GIF89a };

enum class TExtensionKind { GraphicControl, PlainText, Application, Comment };

struct TExtension {
    TExtensionKind kind = TExtensionKind::Comment;
    std::vector<std::uint8_t> header; // the fixed bytes after the label, exactly as read
    std::vector<std::string> lines;   // one text line per data sub-block
};

// Per-frame data that copies of a picture share.
struct TGIFItem {
    // Minimum code size byte, then the sub-blocks with their length bytes as they stood.
    std::vector<std::uint8_t> compressedData;
    TGIFColorTable colorTable;
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
};

// Picture-wide values that copies of a picture share.
struct TGIFData {
    TGIFVersion version = TGIFVersion::GIF87a;
    int screenWidth = 0;
    int screenHeight = 0;
    int colorResolution = 0;
    int bitsPerPixel = 0;
    int aspectRatio = 0;
    TGIFColorTable globalTable;
    std::optional<TGIFColor> backgroundColor;
    bool looping = false;
    int repeatCount = 1;
    std::vector<std::string> comment;
};

// A device-independent bitmap file image: 14-byte file header, 40-byte information header,
// 2^depth palette entries (blue, green, red, reserved), then bottom-up rows padded to 32 bits.
class TGIFBitmap {
public:
    static constexpr std::size_t kFileHeaderSize = 14;
    static constexpr std::size_t kInfoHeaderSize = 40;

    // Throws when the file image would exceed byteLimit; nothing is allocated then.
    TGIFBitmap(int width, int height, int depth, const TGIFColorTable& colors,
               std::uint64_t byteLimit);

    int width() const { return m_width; }
    int height() const { return m_height; }
    int depth() const { return m_depth; }
    std::size_t rowStride() const { return m_stride; }
    std::span<const std::uint8_t> fileImage() const { return m_file; }

    // y counts from the top of the image, as the GIF stores it.
    const std::uint8_t* row(int y) const { return m_file.data() + rowOffset(y); }
    std::uint8_t* row(int y) { return m_file.data() + rowOffset(y); }
    int pixelIndex(int x, int y) const;
    int paletteSize() const { return 1 << m_depth; }
    TGIFColor paletteColor(int index) const;

private:
    std::size_t rowOffset(int y) const {
        return m_pixelOffset + static_cast<std::size_t>(m_height - 1 - y) * m_stride;
    }

    std::vector<std::uint8_t> m_file;
    int m_width = 0;
    int m_height = 0;
    int m_depth = 0;
    std::size_t m_stride = 0;
    std::size_t m_pixelOffset = 0;
};

enum class TProgressStage { Starting, Running, Ending };
// percent is 0..100; message is empty except when decoding ended with an error.
using TProgressEvent = std::function<void(TProgressStage, int percent, const std::string& message)>;

class TJvGIFFrame {
public:
    const TGIFItem& item() const { return *m_item; }
    std::span<const std::uint8_t> compressedData() const { return m_item->compressedData; }
    const TGIFColorTable& colorTable() const { return m_item->colorTable; }
    int bitsPerPixel() const { return m_item->bitsPerPixel; }
    int width() const { return m_item->width; }
    int height() const { return m_item->height; }
    int left() const { return m_left; }
    int top() const { return m_top; }
    std::uint8_t packedFields() const { return m_packed; }
    bool interlaced() const { return m_interlaced; }
    bool localColorTable() const { return m_localColorTable; }
    bool corrupted() const { return m_corrupted; }
    const std::optional<TGIFColor>& transparentColor() const { return m_transparentColor; }
    int delayMs() const { return m_delayMs; }
    int disposal() const { return m_disposal; }
    const std::vector<TExtension>& extensions() const { return m_extensions; }

    // Null until the frame has been decoded.
    const TGIFBitmap* decodedBitmap() const { return m_bitmap.get(); }
    // Decodes on first use; an empty frame (no compressed data) gives a 0 x 0 bitmap.
    const TGIFBitmap& bitmap(const TProgressEvent& progress = {},
                             std::uint64_t byteLimit = kDefaultBitmapByteLimit);

    // Room for any picture up to 16384 x 16384 at 8 bits per pixel, while a few hostile header
    // bytes cannot make us commit gigabytes (65535 x 65535 would need 4 GiB).
    static constexpr std::uint64_t kDefaultBitmapByteLimit = std::uint64_t{256} << 20;

private:
    friend class TJvGIFImage;
    friend class TGIFReader;

    std::shared_ptr<TGIFItem> m_item = std::make_shared<TGIFItem>();
    std::shared_ptr<const TGIFBitmap> m_bitmap;
    std::vector<TExtension> m_extensions;
    std::optional<TGIFColor> m_transparentColor;
    int m_left = 0;
    int m_top = 0;
    int m_delayMs = 0;
    int m_disposal = 0;
    std::uint8_t m_packed = 0;
    bool m_interlaced = false;
    bool m_localColorTable = false;
    bool m_corrupted = false;
};

class TJvGIFImage {
public:
    // Reads the 32-bit little-endian count n and the n bytes of a GIF file; returns 4 + n.
    std::size_t loadFromFormData(std::span<const std::uint8_t> data);
    // Reads a GIF file made of all the given bytes.
    void loadFromStream(std::span<const std::uint8_t> data);

    bool empty() const;
    int width() const;
    int height() const;

    const TGIFData& data() const { return *m_data; }
    TGIFVersion version() const { return m_data->version; }
    const std::vector<std::string>& comment() const { return m_data->comment; }

    int frameCount() const { return static_cast<int>(m_frames.size()); }
    TJvGIFFrame& frame(int index) { return m_frames.at(static_cast<std::size_t>(index)); }
    const TJvGIFFrame& frame(int index) const {
        return m_frames.at(static_cast<std::size_t>(index));
    }
    int frameIndex() const { return m_frameIndex; }

    // On from creation; drawing is transparent only while it is on and some frame has a
    // transparent colour.
    bool transparentSwitch() const { return m_transparentSwitch; }
    void setTransparentSwitch(bool on) { m_transparentSwitch = on; }
    bool transparent() const;

    // The current frame's bitmap, decoded if needed; null without a current frame.
    const TGIFBitmap* currentBitmap();
    // The colour the current frame leaves unpainted, if drawing is transparent.
    std::optional<TGIFColor> drawingTransparentColor() const;

    void setOnProgress(TProgressEvent handler) { m_onProgress = std::move(handler); }
    void setBitmapByteLimit(std::uint64_t bytes) { m_byteLimit = bytes; }

private:
    void readGif(std::span<const std::uint8_t> gif);

    std::shared_ptr<const TGIFData> m_data = std::make_shared<TGIFData>();
    std::vector<TJvGIFFrame> m_frames;
    int m_frameIndex = -1;
    bool m_transparentSwitch = true;
    TProgressEvent m_onProgress;
    std::uint64_t m_byteLimit = TJvGIFFrame::kDefaultBitmapByteLimit;
};

// The picture machinery's view of the class: how form data, file names and the clipboard name it.
struct TGraphicClassInfo {
    std::string_view className;
    std::string_view extension;
    std::string_view description;
    std::string_view clipboardFormatName;
    std::unique_ptr<TJvGIFImage> (*create)();
};

const TGraphicClassInfo* findGraphicClass(std::string_view className);
const TGraphicClassInfo* findGraphicClassByExtension(std::string_view extension);
const TGraphicClassInfo* findGraphicClassByClipboardFormat(std::string_view formatName);

// A picture property as stored in form data: a length byte and the class name, then the class's
// own data. Throws EInvalidGraphicOperation for an unknown class or damaged data.
std::unique_ptr<TJvGIFImage> readPictureProperty(std::span<const std::uint8_t> data);
