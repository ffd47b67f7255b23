#pragma once

#include "platform/colorsetting.h"
#include "xpcontrol.h"

#include <QColor>
#include <QImage>

namespace widgets {

enum class GlyphLayout { Left, Right, Top, Bottom };

// A vertical gradient image of width x height in 64 colour bands from start (top row) to
// end, dithered at the band borders. Null when either side is not positive.
QImage verticalGradient(int width, int height, QColor start, QColor end);

// The XP-style push button used for every command of the main window: a rounded outline
// around a gradient face, a two-pixel ring while hovered, focused or default, a darker face
// while pressed, and the caption centred with an optional glyph beside it.
class TJvXPButton : public TJvXPCustomControl {
public:
    explicit TJvXPButton(QWidget* parent);

    QImage glyph() const { return m_glyph; }
    void setGlyph(const QImage& glyph);
    GlyphLayout layout() const { return m_layout; }
    void setLayout(GlyphLayout layout);
    int spacing() const { return m_spacing; }
    void setSpacing(int pixels);
    bool wordWrap() const { return m_wordWrap; }
    void setWordWrap(bool on);
    bool showAccelChar() const { return m_showAccelChar; }
    void setShowAccelChar(bool on);
    bool showFocusRect() const { return m_showFocusRect; }
    void setShowFocusRect(bool on);
    bool smoothEdges() const { return m_smoothEdges; }
    void setSmoothEdges(bool on);
    bool autoGray() const { return m_autoGray; }
    void setAutoGray(bool on);
    bool isDefault() const { return m_default; }
    void setDefault(bool on);
    bool isCancel() const { return m_cancel; }
    void setCancel(bool on) { m_cancel = on; }
    platform::ColorSetting fontColor() const { return m_fontColor; }
    void setFontColor(platform::ColorSetting color);

    // The four face images, rebuilt at every size change and only then.
    const QImage& backgroundImage() const { return m_background; }
    const QImage& pressedImage() const { return m_pressedFace; }
    const QImage& focusImage() const { return m_focusFace; }
    const QImage& hoverImage() const { return m_hoverFace; }

    // Framed: a ring shows around the face. withDefault adds the default-button condition.
    bool isFramed(bool withDefault = true) const;

protected:
    void resized() override;
    void dialogKey(platform::DialogKey& key) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void rebuildImages();
    const QImage& glyphToDraw();
    void setVisual(bool& field, bool on);

    QImage m_background;
    QImage m_pressedFace;
    QImage m_focusFace;
    QImage m_hoverFace;
    QSize m_imagesFor;
    QImage m_buffer;

    QImage m_glyph;
    QImage m_glyphPrepared; // transparent ground left out, greyed if drawn disabled
    bool m_glyphPreparedGray = false;
    GlyphLayout m_layout = GlyphLayout::Left;
    int m_spacing = 3;
    bool m_wordWrap = true;
    bool m_showAccelChar = true;
    bool m_showFocusRect = false;
    bool m_smoothEdges = true;
    bool m_autoGray = true;
    bool m_default = false;
    bool m_cancel = false;
    platform::ColorSetting m_fontColor = platform::kWindowText;
};

} // namespace widgets
