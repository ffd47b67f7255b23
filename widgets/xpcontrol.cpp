#include "xpcontrol.h"

#include "jvpanel.h"
#include "panel.h"
#include "platform/colorscheme.h"
#include "platform/pointer.h"
#include "platform/windowservices.h"

#include <QDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>

namespace widgets {

TJvXPCustomControl::TJvXPCustomControl(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    platform::subscribeToFocusAnnouncements(this);
    platform::PointerTracker::instance();
}

void TJvXPCustomControl::setCaption(const QString& caption) {
    if (caption == m_caption)
        return;
    m_caption = caption;
    captionChanged();
}

bool TJvXPCustomControl::canFocus() const {
    return focusPolicy() != Qt::NoFocus && isEnabled() && isVisible();
}

void TJvXPCustomControl::click() {
    // A nonzero result ends a modal window; zero leaves any window as it is.
    if (auto* dialog = qobject_cast<QDialog*>(window())) {
        if (m_modalResult != 0)
            dialog->done(m_modalResult);
        else
            dialog->setResult(0);
    }
    // Copied: the handler may replace itself or destroy this control.
    if (auto handler = m_onClick)
        handler();
}

void TJvXPCustomControl::resumeRedraws() {
    if (!m_redrawsSuspended)
        return;
    m_redrawsSuspended = false;
    update();
}

void TJvXPCustomControl::redrawRequest() {
    repaintUnlessSuspended();
}

void TJvXPCustomControl::repaintUnlessSuspended() {
    if (!m_redrawsSuspended)
        update();
}

void TJvXPCustomControl::enabledChanged() {
    // A disabled control hears of no pointer or keyboard event, so nothing would ever clear
    // a hover or press it had when it was disabled.
    if (!isEnabled()) {
        m_hovered = false;
        m_pressed = false;
        m_clicking = false;
        platform::releaseCapture(this);
    }
    redrawRequest();
}

void TJvXPCustomControl::focusChanged(QWidget* focused) {
    if (focused == this) {
        m_focused = true;
    } else {
        m_focused = false;
        m_pressed = false;
    }
    m_xpFocus = dynamic_cast<TJvXPCustomControl*>(focused) != nullptr;
    redrawRequest();
}

void TJvXPCustomControl::pressBegun() {
    if (!hasFocus() && canFocus())
        setFocus(Qt::MouseFocusReason);
    m_pressed = true;
    redrawRequest();
}

void TJvXPCustomControl::pointerEntered() {
    m_hovered = true;
    redrawRequest();
    if (auto handler = m_onMouseEnter)
        handler();
}

void TJvXPCustomControl::pointerLeft() {
    m_hovered = false;
    redrawRequest();
    if (auto handler = m_onMouseLeave)
        handler();
}

void TJvXPCustomControl::pressEnded() {
    m_pressed = false;
    redrawRequest();
    // While this control held the capture nobody else was told the pointer came in; tell the
    // control under the pointer now rather than at its next movement.
    const auto where = platform::PointerTracker::instance().position();
    if (!where)
        return;
    auto* other = dynamic_cast<TJvXPCustomControl*>(platform::PointerTracker::controlAt(*where));
    if (other != nullptr && other != this)
        other->pointerEntered();
}

void TJvXPCustomControl::containerColorChanged() {
    redrawRequest();
}

void TJvXPCustomControl::containerFontChanged() {
    // The caption font follows the container's; what is drawn changes with it.
    redrawRequest();
}

void TJvXPCustomControl::resized() {
    redrawRequest();
}

void TJvXPCustomControl::captionChanged() {
    redrawRequest();
}

QColor TJvXPCustomControl::containerColor() const {
    const QWidget* parent = parentWidget();
    if (parent == nullptr)
        return platform::systemColor(platform::SystemColor::ButtonFace);
    if (const auto* panel = dynamic_cast<const TPanel*>(parent))
        return platform::resolve(panel->color());
    if (const auto* block = dynamic_cast<const TJvPanel*>(parent->parentWidget());
        block != nullptr && block->client() == parent)
        return platform::resolve(block->color());
    return parent->palette().color(parent->backgroundRole());
}

bool TJvXPCustomControl::pointerInside() const {
    const auto where = platform::PointerTracker::instance().position();
    return where && rect().contains(mapFromGlobal(*where));
}

bool TJvXPCustomControl::event(QEvent* event) {
    if (event->type() == platform::PointerCrossing::eventType()) {
        const auto& crossing = static_cast<const platform::PointerCrossing&>(*event);
        if (crossing.onBehalfOf() == nullptr) {
            if (crossing.kind() == platform::PointerCrossing::Kind::Enter)
                pointerEntered();
            else
                pointerLeft();
        }
        return true;
    }
    if (event->type() == platform::FocusAnnouncement::eventType()) {
        focusChanged(static_cast<platform::FocusAnnouncement*>(event)->focused());
        return true;
    }
    if (event->type() == platform::DialogKey::eventType()) {
        dialogKey(static_cast<platform::DialogKey&>(*event));
        return true;
    }
    if (event->type() == QEvent::Show) {
        platform::installWindowServices(window());
        focusChanged(window()->focusWidget());
    }
    return QWidget::event(event);
}

void TJvXPCustomControl::changeEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::EnabledChange:
        enabledChanged();
        break;
    case QEvent::PaletteChange:
        containerColorChanged();
        break;
    case QEvent::FontChange:
        containerFontChanged();
        break;
    default:
        break;
    }
    QWidget::changeEvent(event);
}

void TJvXPCustomControl::mousePressEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    m_clicking = true;
    platform::setCapture(this);
    pressBegun();
}

void TJvXPCustomControl::mouseMoveEvent(QMouseEvent* event) {
    pointerMoved(event->position().toPoint());
}

void TJvXPCustomControl::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    const QPointer<TJvXPCustomControl> self(this);
    const bool inside = rect().contains(event->position().toPoint());
    // Brings the record of the control under the pointer up to date while the capture still
    // holds, so that the control there is told it was entered once, by pressEnded.
    platform::PointerTracker::instance().check();
    if (self == nullptr)
        return;
    platform::releaseCapture(this);
    // The click comes before the pressed flag clears: a handler that opens a modal window runs
    // while the button still looks pressed.
    if (m_clicking && inside) {
        click();
        if (self == nullptr)
            return;
    }
    if (m_clicking) {
        m_clicking = false;
        pressEnded();
    }
}

void TJvXPCustomControl::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
        m_hovered = true;
        pressBegun();
        return;
    }
    event->ignore();
}

void TJvXPCustomControl::keyReleaseEvent(QKeyEvent* event) {
    // X11 reports a held key as release and press pairs; only the real release counts.
    if (event->isAutoRepeat())
        return;
    if (!m_pressed) {
        event->ignore();
        return;
    }
    if (!pointerInside())
        m_hovered = false;
    m_pressed = false;
    redrawRequest();
    click();
}

void TJvXPCustomControl::resizeEvent(QResizeEvent*) {
    resized();
}

void TJvXPCustomControl::moveEvent(QMoveEvent*) {
    moved();
}

} // namespace widgets
