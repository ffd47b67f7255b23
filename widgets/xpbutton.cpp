#include "xpbutton.h"

#include "platform/bufferedpaint.h"
#include "platform/colorscheme.h"
#include "platform/drawtext.h"
#include "platform/windowservices.h"

#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

namespace widgets {

namespace {

using platform::TextFlag;

struct Gradient {
    QColor top;
    QColor bottom;
};

constexpr QRgb kOutline = qRgb(0, 56, 115);
constexpr QRgb kCornerLines = qRgb(123, 158, 173);
constexpr QRgb kDisabledEdges = qRgb(206, 199, 189);
const Gradient kBackgroundFace{{255, 255, 255}, {239, 235, 231}};
const Gradient kPressedFace{{214, 207, 198}, {247, 243, 235}};
const Gradient kFocusRing{{206, 231, 255}, {109, 132, 239}};
const Gradient kHoverRing{{255, 243, 206}, {231, 150, 0}};

constexpr int kColourSteps = 64;
constexpr int kDitherStrip = 16;

// a * b / c rounded to the nearest integer, a half away from zero.
int mulDiv(int a, int b, int c) {
    const long long product = static_cast<long long>(a) * b;
    const long long magnitude = (2 * std::llabs(product) + std::abs(c)) / (2LL * std::abs(c));
    return static_cast<int>((product < 0) != (c < 0) ? -magnitude : magnitude);
}

// The dither's row offset r(j): uniform in 0 .. j-1, and 0 for j = 0 and 1. Only buttons at
// least 126 pixels high ever draw beyond r(0), so any fixed generator does.
int ditherOffset(int j) {
    static std::minstd_rand generator(1);
    if (j < 2)
        return 0;
    return std::uniform_int_distribution<int>(0, j - 1)(generator);
}

int bandChannel(int from, int to, int k) {
    // The default rounding mode takes an exact half to the even neighbour.
    return from + static_cast<int>(
                      std::nearbyint(k * (static_cast<double>(to - from) / (kColourSteps - 1))));
}

// Copies the top-left w x h of src to (x, y) of dst, clipped to both. Same pixel format.
void blit(QImage& dst, const QImage& src, int w, int h, int x, int y) {
    w = std::min({w, src.width(), dst.width() - x});
    h = std::min({h, src.height(), dst.height() - y});
    if (w <= 0 || h <= 0 || x < 0 || y < 0)
        return;
    for (int row = 0; row < h; ++row)
        std::memcpy(dst.scanLine(y + row) + static_cast<std::size_t>(x) * 4, src.constScanLine(row),
                    static_cast<std::size_t>(w) * 4);
}

void plot(QImage& image, int x, int y, QRgb colour) {
    if (x >= 0 && y >= 0 && x < image.width() && y < image.height())
        reinterpret_cast<QRgb*>(image.scanLine(y))[x] = colour;
}

// A one-pixel line from (x0, y0) up to but not including (x1, y1); where the ideal line
// passes exactly between two pixels the one nearer the end point is taken.
void lineTo(QImage& image, int x0, int y0, int x1, int y1, QRgb colour) {
    const int dx = x1 - x0;
    const int dy = y1 - y0;
    const int steps = std::max(std::abs(dx), std::abs(dy));
    for (int i = 0; i < steps; ++i) {
        if (std::abs(dx) >= std::abs(dy))
            plot(image, x0 + (dx > 0 ? i : -i), y0 + mulDiv(i, dy, steps), colour);
        else
            plot(image, x0 + mulDiv(i, dx, steps), y0 + (dy > 0 ? i : -i), colour);
    }
}

// The one-pixel outline of a rounded rectangle (0, 0, w, h) with 5 x 5 corner ellipses: each
// corner arc is the three pixels (0, 2), (1, 1), (2, 0) mirrored into place.
void roundedOutline(QImage& image, int w, int h, QRgb colour) {
    for (int x = 2; x <= w - 3; ++x) {
        plot(image, x, 0, colour);
        plot(image, x, h - 1, colour);
    }
    for (int y = 2; y <= h - 3; ++y) {
        plot(image, 0, y, colour);
        plot(image, w - 1, y, colour);
    }
    plot(image, 1, 1, colour);
    plot(image, w - 2, 1, colour);
    plot(image, 1, h - 2, colour);
    plot(image, w - 2, h - 2, colour);
}

QChar acceleratorOf(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&')
            continue;
        if (caption[i + 1] != u'&')
            return caption[i + 1].toLower();
        ++i;
    }
    return {};
}

} // namespace

QImage verticalGradient(int width, int height, QColor start, QColor end) {
    if (width <= 0 || height <= 0)
        return {};
    std::array<QRgb, kColourSteps> band{};
    for (int k = 0; k < kColourSteps; ++k)
        band[k] =
            qRgb(bandChannel(start.red(), end.red(), k), bandChannel(start.green(), end.green(), k),
                 bandChannel(start.blue(), end.blue(), k));

    // The bands are filled across the whole width and dithered on the left strip only, but the
    // strip is then tiled over the whole width: every row ends up in its strip colour, so
    // following the strip's colour per row gives the finished image.
    std::vector<QRgb> rowColour(static_cast<std::size_t>(height), start.rgb());
    for (int k = 0; k < kColourSteps; ++k) {
        const int s = mulDiv(k, height, kColourSteps);
        const int e = mulDiv(k + 1, height, kColourSteps);
        // The fill runs e rows from s, not e - s: later bands paint over the excess.
        for (int y = std::max(s, 0); y < std::min(s + e, height); ++y)
            rowColour[static_cast<std::size_t>(y)] = band[k];
        if (k == 0)
            continue;
        for (int j = 0; j <= height / (kColourSteps - 1); ++j) {
            const int y = s + ditherOffset(j);
            if (y >= 0 && y < height)
                rowColour[static_cast<std::size_t>(y)] = band[k - 1];
        }
    }

    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        std::fill(line, line + width, rowColour[static_cast<std::size_t>(y)]);
    }
    return image;
}

TJvXPButton::TJvXPButton(QWidget* parent) : TJvXPCustomControl(parent) {
    resize(73, 21);
}

void TJvXPButton::setGlyph(const QImage& glyph) {
    m_glyph = glyph;
    m_glyphPrepared = QImage();
    redrawRequest();
}

void TJvXPButton::setLayout(GlyphLayout layout) {
    if (layout == m_layout)
        return;
    m_layout = layout;
    redrawRequest();
}

void TJvXPButton::setSpacing(int pixels) {
    if (pixels == m_spacing)
        return;
    m_spacing = pixels;
    redrawRequest();
}

void TJvXPButton::setVisual(bool& field, bool on) {
    if (field == on)
        return;
    field = on;
    redrawRequest();
}

void TJvXPButton::setWordWrap(bool on) {
    setVisual(m_wordWrap, on);
}

void TJvXPButton::setShowAccelChar(bool on) {
    setVisual(m_showAccelChar, on);
}

void TJvXPButton::setShowFocusRect(bool on) {
    setVisual(m_showFocusRect, on);
}

void TJvXPButton::setSmoothEdges(bool on) {
    setVisual(m_smoothEdges, on);
}

void TJvXPButton::setAutoGray(bool on) {
    setVisual(m_autoGray, on);
}

void TJvXPButton::setFontColor(platform::ColorSetting color) {
    if (color == m_fontColor)
        return;
    m_fontColor = color;
    redrawRequest();
}

void TJvXPButton::setDefault(bool on) {
    if (on == m_default)
        return;
    m_default = on;
    // Every XP-style control of the window recomputes its framing from a fresh announcement.
    platform::announceFocus(window());
    redrawRequest();
}

bool TJvXPButton::isFramed(bool withDefault) const {
    bool framed = m_pressed ? !m_hovered : (m_hovered || m_focused);
    if (withDefault && m_default && canFocus() && !m_xpFocus)
        framed = true;
    return framed;
}

void TJvXPButton::resized() {
    rebuildImages();
    repaintUnlessSuspended();
}

void TJvXPButton::rebuildImages() {
    const int w = width();
    const int h = height();
    const int f = isFramed(false) ? 1 : 0;
    m_background =
        verticalGradient(w - 2 - 4 * f, h - 2 - 4 * f, kBackgroundFace.top, kBackgroundFace.bottom);
    m_pressedFace = verticalGradient(w - 2, h - 2, kPressedFace.top, kPressedFace.bottom);
    m_focusFace = verticalGradient(w - 2, h - 2, kFocusRing.top, kFocusRing.bottom);
    m_hoverFace = verticalGradient(w - 2, h - 2, kHoverRing.top, kHoverRing.bottom);
    m_imagesFor = size();
}

const QImage& TJvXPButton::glyphToDraw() {
    const bool gray = m_autoGray && !isEnabled();
    if (m_glyph.isNull() || (!m_glyphPrepared.isNull() && m_glyphPreparedGray == gray))
        return m_glyphPrepared;
    QImage copy = m_glyph.convertToFormat(QImage::Format_RGB32);
    if (gray) {
        for (int y = 0; y < copy.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(copy.scanLine(y));
            for (int x = 0; x < copy.width(); ++x) {
                const int v =
                    std::min(255, (qRed(line[x]) + qGreen(line[x]) + qBlue(line[x])) / 3 + 100);
                line[x] = qRgb(v, v, v);
            }
        }
    }
    // The bottom-left pixel names the ground colour, which is left out wherever it occurs.
    const QRgb ground = copy.pixel(0, copy.height() - 1);
    QImage prepared(copy.size(), QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < copy.height(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(copy.constScanLine(y));
        auto* to = reinterpret_cast<QRgb*>(prepared.scanLine(y));
        for (int x = 0; x < copy.width(); ++x)
            to[x] = from[x] == ground ? 0 : from[x];
    }
    m_glyphPrepared = prepared;
    m_glyphPreparedGray = gray;
    return m_glyphPrepared;
}

void TJvXPButton::dialogKey(platform::DialogKey& key) {
    const bool focusedHere = window()->focusWidget() == this;
    bool clicks = false;
    switch (key.kind()) {
    case platform::DialogKey::Kind::Enter:
        clicks = canFocus() && (focusedHere || (m_default && !m_xpFocus));
        break;
    case platform::DialogKey::Kind::Escape:
        clicks = key.modifiers() == Qt::NoModifier && m_cancel && canFocus();
        break;
    case platform::DialogKey::Kind::Character: {
        const QChar accelerator = m_showAccelChar ? acceleratorOf(caption()) : QChar();
        clicks = !accelerator.isNull() && accelerator == key.character() && canFocus() &&
                 (focusedHere || key.alt());
        break;
    }
    }
    if (clicks) {
        key.consume();
        click();
    }
}

void TJvXPButton::paintEvent(QPaintEvent*) {
    if (m_imagesFor != size())
        rebuildImages();
    const int w = width();
    const int h = height();
    platform::BufferedPaint paint(*this, m_buffer);
    QImage& canvas = paint.image();

    canvas.fill(containerColor());
    const bool framed = isFramed();
    if (framed)
        blit(canvas, m_hovered ? m_hoverFace : m_focusFace, w, h, 1, 1);
    if (m_hovered && m_pressed) {
        blit(canvas, m_pressedFace, w, h, 1, 1);
    } else {
        const int f = framed ? 1 : 0;
        blit(canvas, m_background, w - 6 * f, h - 6 * f, 1 + 2 * f, 1 + 2 * f);
    }

    const bool enabled = isEnabled();
    roundedOutline(canvas, w, h, enabled ? kOutline : kDisabledEdges);
    if (m_smoothEdges) {
        const QRgb corner = enabled ? kCornerLines : kDisabledEdges;
        lineTo(canvas, 0, 1, 2, 0, corner);
        lineTo(canvas, w - 2, 0, w, 2, corner);
        lineTo(canvas, 0, h - 2, 2, h, corner);
        lineTo(canvas, w - 3, h, w, h - 3, corner);
    }

    platform::TextFlags flags = TextFlag::EndEllipsis;
    if (m_wordWrap)
        flags |= TextFlag::WordBreak;
    if (!m_showAccelChar)
        flags |= TextFlag::NoPrefix;

    const QImage& glyph = glyphToDraw();
    const int gw = glyph.width();
    const int gh = glyph.height();
    const int sp = m_spacing;
    int left = 0;
    int top = 0;
    int right = w;
    int bottom = h;
    if (!glyph.isNull()) {
        switch (m_layout) {
        case GlyphLayout::Left:
            left += gw + sp;
            break;
        case GlyphLayout::Right:
            left -= gw + sp;
            right -= 2 * (gw + sp);
            flags |= TextFlag::Right;
            break;
        case GlyphLayout::Top:
            top += gh + sp;
            break;
        case GlyphLayout::Bottom:
            top -= gh + sp;
            break;
        }
    }

    // An empty caption (or a lone accelerator mark) measures as a blank, so that the text
    // rectangle is always one line high and a top or bottom glyph keeps its place.
    const QString& text = caption();
    const bool blank = text.isEmpty() || (m_showAccelChar && text == QStringLiteral("&"));
    QRect measured(left, top, right - left, bottom - top);
    platform::drawText(nullptr, font(), blank ? QStringLiteral(" ") : text, measured,
                       flags | TextFlag::CalcRect);
    right = left + measured.width();
    bottom = top + measured.height();
    const int dx = (w - right) / 2;
    const int dy = (h - bottom) / 2;
    const int p = m_hovered && m_pressed ? 1 : 0;
    const QRect textRect(left + dx + p, top + dy + p, right - left, bottom - top);

    QPainter& painter = paint.painter();
    if (!glyph.isNull()) {
        QPoint at;
        switch (m_layout) {
        case GlyphLayout::Left:
            at = {textRect.left() - gw - sp, (h - gh) / 2 + p};
            break;
        case GlyphLayout::Right:
            at = {textRect.left() + textRect.width() + sp, (h - gh) / 2 + p};
            break;
        case GlyphLayout::Top:
            at = {(w - gw) / 2 + p, textRect.top() - gh - sp};
            break;
        case GlyphLayout::Bottom:
            at = {(w - gw) / 2 + p, textRect.top() + textRect.height() + sp};
            break;
        }
        painter.drawImage(at, glyph);
    }

    if (m_focused && m_showFocusRect) {
        painter.save();
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        QPen dots(Qt::white);
        dots.setDashPattern({1, 1});
        painter.setPen(dots);
        painter.drawRect(3, 3, w - 7, h - 7);
        painter.restore();
    }

    if (text.isEmpty())
        return;
    QRect target = textRect;
    if (enabled) {
        painter.setPen(platform::resolve(m_fontColor));
    } else {
        painter.setPen(platform::systemColor(platform::SystemColor::ButtonHighlight));
        QRect embossed = target.translated(1, 1);
        platform::drawText(&painter, font(), text, embossed, flags);
        painter.setPen(platform::systemColor(platform::SystemColor::ButtonShadow));
    }
    platform::drawText(&painter, font(), text, target, flags);
}

} // namespace widgets
