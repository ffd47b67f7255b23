#include "titlebar.h"

#include "colorscheme.h"
#include "compositorframes.h"
#include "fonts.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

namespace platform {

namespace {

constexpr int kButtonSize = 18;
constexpr int kButtonSpacing = 5;
constexpr int kRightMargin = 8;
constexpr int kIconSize = 16;

std::optional<bool>& ownTitleBarOverride() {
    static std::optional<bool> own;
    return own;
}

const QString kObjectName = QStringLiteral("zarvickTitleBar");

int titleBarHeight(const QWidget* window) {
    // By name: TitleBar has no meta-object of its own for findChild to tell it from any widget.
    return window->findChild<QWidget*>(kObjectName, Qt::FindDirectChildrenOnly) != nullptr
               ? TitleBar::kHeight
               : 0;
}

} // namespace

bool isWayland() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void placeCentred(QWidget* window) {
    if (isWayland())
        return;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

TitleBar::TitleBar(QWidget* window) : QWidget(window) {
    setObjectName(kObjectName);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    window->setWindowFlag(Qt::FramelessWindowHint);
    window->installEventFilter(this);
    setGeometry(0, 0, window->width(), kHeight);
}

std::vector<TitleBar::Button> TitleBar::buttons() const {
    std::vector<Button> shown;
    if (window()->windowFlags().testFlag(Qt::WindowMinimizeButtonHint))
        shown.push_back(Button::Minimise);
    shown.push_back(Button::Close);
    return shown;
}

QRect TitleBar::buttonRect(Button button) const {
    const std::vector<Button> shown = buttons();
    const auto it = std::find(shown.begin(), shown.end(), button);
    if (it == shown.end())
        return {};
    // Counted from the right: close is the last button.
    const int fromRight = static_cast<int>(shown.end() - it);
    return {width() - kRightMargin - fromRight * kButtonSize - (fromRight - 1) * kButtonSpacing,
            (kHeight - kButtonSize) / 2, kButtonSize, kButtonSize};
}

std::optional<TitleBar::Button> TitleBar::buttonAt(QPoint at) const {
    for (Button button : buttons()) {
        if (buttonRect(button).contains(at))
            return button;
    }
    return std::nullopt;
}

void TitleBar::makeRoom() {
    // Children stand at fixed places in the client area: move them all below the bar.
    QWidget* window = this->window();
    for (QObject* child : window->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget != nullptr && widget != this && !widget->isWindow())
            widget->move(widget->x(), widget->y() + kHeight);
    }
    m_roomMade = true;
}

bool TitleBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched != window())
        return false;
    switch (event->type()) {
    case QEvent::Show:
        // Before the window is mapped.
        if (!m_roomMade)
            makeRoom();
        break;
    case QEvent::Resize:
        setGeometry(0, 0, window()->width(), kHeight);
        raise();
        break;
    case QEvent::WindowTitleChange:
    case QEvent::WindowIconChange:
    case QEvent::ActivationChange:
        update();
        break;
    default:
        break;
    }
    return false;
}

void TitleBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), systemColor(SystemColor::ButtonFace));
    painter.setPen(systemColor(SystemColor::ButtonShadow));
    painter.drawLine(0, kHeight - 1, width() - 1, kHeight - 1);

    const QColor ink = window()->isActiveWindow() ? systemColor(SystemColor::WindowText)
                                                  : systemColor(SystemColor::GrayText);
    int textLeft = kButtonSpacing;
    if (const QIcon icon = window()->windowIcon(); !icon.isNull()) {
        icon.paint(&painter,
                   QRect(kButtonSpacing + 2, (kHeight - kIconSize) / 2, kIconSize, kIconSize));
        textLeft += kIconSize + 2 * kButtonSpacing;
    }
    const std::vector<Button> shown = buttons();
    const int textRight = buttonRect(shown.front()).left() - kButtonSpacing;
    painter.setPen(ink);
    painter.setFont(makeFont("Tahoma", 14));
    const QRect text(textLeft, 0, textRight - textLeft, kHeight);
    const QString title =
        painter.fontMetrics().elidedText(window()->windowTitle(), Qt::ElideRight, text.width());
    painter.drawText(text, Qt::AlignCenter, title);

    QPen pen(ink, 2);
    painter.setPen(pen);
    for (Button button : shown) {
        const QRect glyph = buttonRect(button).adjusted(5, 5, -5, -5);
        if (button == Button::Minimise) {
            painter.drawLine(glyph.left(), glyph.bottom(), glyph.right(), glyph.bottom());
        } else {
            painter.setRenderHint(QPainter::Antialiasing);
            painter.drawLine(glyph.topLeft(), glyph.bottomRight());
            painter.drawLine(glyph.bottomLeft(), glyph.topRight());
            painter.setRenderHint(QPainter::Antialiasing, false);
        }
    }
}

void TitleBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    m_pressed = buttonAt(event->position().toPoint());
    if (!m_pressed && window()->windowHandle() != nullptr)
        window()->windowHandle()->startSystemMove();
}

void TitleBar::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const std::optional<Button> released = buttonAt(event->position().toPoint());
    const std::optional<Button> pressed = std::exchange(m_pressed, std::nullopt);
    if (!pressed || released != pressed)
        return;
    if (*pressed == Button::Close)
        window()->close();
    else
        window()->showMinimized();
}

bool wantOwnTitleBar(bool wayland, QByteArrayView forced,
                     const std::function<bool()>& compositorOffersFrames) {
    if (!wayland)
        return false;
    if (forced == "own")
        return true;
    if (forced == "compositor")
        return false;
    if (!forced.isEmpty())
        qWarning("ZARVICK_TITLE_BAR=%.*s: want \"own\" or \"compositor\"",
                 static_cast<int>(forced.size()), forced.data());
    return !compositorOffersFrames();
}

void useOwnTitleBarWhereNeeded(QWidget* window) {
    // Without FramelessWindowHint Qt asks a compositor that offers frames for one, and then
    // draws none of its own.
    static const bool own =
        wantOwnTitleBar(isWayland(), qgetenv("ZARVICK_TITLE_BAR"), compositorOffersFrames);
    if (ownTitleBarOverride().value_or(own))
        new TitleBar(window);
}

void setOwnTitleBarOverride(std::optional<bool> own) {
    ownTitleBarOverride() = own;
}

QSize clientSize(const QWidget* window) {
    return window->size() - QSize(0, titleBarHeight(window));
}

void setFixedClientSize(QWidget* window, QSize client) {
    const QSize outer = client + QSize(0, titleBarHeight(window));
    if (window->size() != outer || window->minimumSize() != outer || window->maximumSize() != outer)
        window->setFixedSize(outer);
}

} // namespace platform
