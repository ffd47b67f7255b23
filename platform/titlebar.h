#pragma once

#include <QByteArrayView>
#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

namespace platform {

// The program runs as a Wayland client: the compositor places its windows, frames them only
// where it offers to, and has no bell.
bool isWayland();

// Centres a window's frame on the primary screen's free area. On Wayland a client cannot place
// its windows, so this leaves placement to the compositor.
void placeCentred(QWidget* window);

// A title bar drawn by the window itself, for a fixed-size window on a desktop whose title
// bars are drawn by the program: Qt's own decoration there offers maximising and resizing to
// every window. The bar offers what the window's flags ask for, minimise and close, and never
// maximise; dragging it moves the window. It sits above the client area, whose children move
// below it when the window is first shown; size the window with setFixedClientSize.
class TitleBar : public QWidget {
public:
    static constexpr int kHeight = 30;

    enum class Button { Minimise, Close };

    explicit TitleBar(QWidget* window);

    // The buttons it shows, left to right, and where.
    std::vector<Button> buttons() const;
    QRect buttonRect(Button button) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void makeRoom();
    std::optional<Button> buttonAt(QPoint at) const;

    bool m_roomMade = false;
    std::optional<Button> m_pressed;
};

// Whether windows draw their own title bars: on Wayland where the compositor offers no frames,
// or as ZARVICK_TITLE_BAR ("own" or "compositor") forces it there; never on X.
bool wantOwnTitleBar(bool wayland, QByteArrayView forced,
                     const std::function<bool()>& compositorOffersFrames);

// Gives window a TitleBar where the program draws its own title bars, and leaves the frame to
// the window manager or the compositor elsewhere. Call before the window is first shown.
void useOwnTitleBarWhereNeeded(QWidget* window);

// Tests put bars on windows of any platform, or none; nullopt restores the platform's answer.
void setOwnTitleBarOverride(std::optional<bool> own);

// The window's size without its TitleBar, if it has one.
QSize clientSize(const QWidget* window);

// Fixes the window's client area at client, with the TitleBar's height added where the window
// has one. Does nothing when the window already has that fixed size.
void setFixedClientSize(QWidget* window, QSize client);

} // namespace platform
