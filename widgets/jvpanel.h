#pragma once

#include "panel.h"
#include "platform/colorsetting.h"

#include <QFont>
#include <QImage>
#include <QWidget>

namespace widgets {

class TJvPanelClient;

// The block panel: a sunken two-pixel client edge around a client area that draws its colour,
// a flat one-pixel border line and its caption. Children go into client(), so that their
// positions count from the client area, inside the edge. While the pointer is over
// the panel itself (not over one of its children) it takes its hot colour.
class TJvPanel : public QWidget {
public:
    explicit TJvPanel(QWidget* parent);
    ~TJvPanel() override;

    QWidget* client() const;

    QString caption() const { return m_caption; }
    void setCaption(const QString& caption);
    platform::ColorSetting color() const { return m_color; }
    void setColor(platform::ColorSetting color);
    bool flatBorder() const { return m_flatBorder; }
    void setFlatBorder(bool on);
    platform::ColorSetting flatBorderColor() const { return m_flatBorderColor; }
    void setFlatBorderColor(platform::ColorSetting color);
    platform::ColorSetting hotColor() const { return m_hotColor; }
    void setHotColor(platform::ColorSetting color);
    bool borderSingle() const { return m_borderSingle; }
    void setBorderSingle(bool single);
    void setBevels(Bevel outer, Bevel inner, int bevelWidth, int borderWidth);
    bool multiLine() const { return m_multiLine; }
    void setMultiLine(bool on);
    void setAlignment(Qt::Alignment horizontal);
    void setCaptionFont(const QFont& font);

    // Width of the window edge on each side: two with the sunken client edge, else none.
    int edgeWidth() const { return m_borderSingle ? 2 : 0; }

    // The pointer is over the panel itself.
    bool isMouseOver() const { return m_mouseOver; }

protected:
    // Pointer enter and leave: control is null for the panel itself, else the child on whose
    // behalf the notification comes.
    virtual void mouseEnter(QWidget* control);
    virtual void mouseLeave(QWidget* control);

    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    friend class TJvPanelClient;
    void paintClient(QWidget& client);
    void placeClient();

    TJvPanelClient* m_client;
    QString m_caption;
    platform::ColorSetting m_color = platform::kButtonFace;
    platform::ColorSetting m_flatBorderColor =
        platform::ColorSetting::system(platform::SystemColor::ButtonShadow);
    platform::ColorSetting m_hotColor = platform::kButtonFace;
    bool m_flatBorder = false;
    bool m_borderSingle = false;
    bool m_multiLine = false;
    Bevel m_bevelOuter = Bevel::Raised;
    Bevel m_bevelInner = Bevel::None;
    int m_bevelWidth = 1;
    int m_borderWidth = 0;
    Qt::Alignment m_alignment = Qt::AlignHCenter;
    QFont m_captionFont;
    QImage m_buffer;
    bool m_mouseOver = false;
    platform::ColorSetting m_savedColor = platform::kButtonFace;
};

} // namespace widgets
