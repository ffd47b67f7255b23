#include "windowservices.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>

#include <vector>

namespace platform {

namespace {

// One per application: watches focus changes and the windows it serves.
class WindowServices : public QObject {
public:
    static WindowServices& instance() {
        static QPointer<WindowServices> services;
        if (services == nullptr)
            services = new WindowServices(qApp);
        return *services;
    }

    void subscribe(QWidget* control) {
        for (const auto& known : m_subscribers) {
            if (known == control)
                return;
        }
        m_subscribers.emplace_back(control);
    }

    void announce(QWidget* window) {
        if (window == nullptr)
            return;
        std::erase_if(m_subscribers, [](const QPointer<QWidget>& c) { return c == nullptr; });
        // Copied: a control may subscribe another one while it handles the announcement.
        const std::vector<QPointer<QWidget>> subscribers = m_subscribers;
        for (const auto& control : subscribers) {
            if (control == nullptr || control->window() != window)
                continue;
            FocusAnnouncement announcement(window->focusWidget());
            QCoreApplication::sendEvent(control, &announcement);
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!watched->isWidgetType())
            return false;
        auto* window = static_cast<QWidget*>(watched);
        switch (event->type()) {
        case QEvent::Show:
        case QEvent::WindowActivate:
            if (window->isWindow())
                focusFirstIfNone(window);
            break;
        case QEvent::KeyPress:
            // Only what the focused control and its containers left alone reaches the window.
            return window->isWindow() && offerKey(window, *static_cast<QKeyEvent*>(event));
        default:
            break;
        }
        return false;
    }

private:
    explicit WindowServices(QObject* parent) : QObject(parent) {
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
            QWidget* oldWindow = old != nullptr ? old->window() : nullptr;
            QWidget* newWindow = now != nullptr ? now->window() : nullptr;
            announce(oldWindow);
            if (newWindow != oldWindow)
                announce(newWindow);
        });
    }

    void focusFirstIfNone(QWidget* window) {
        QWidget* focused = window->focusWidget();
        if (focused != nullptr && focused->isVisible() && focused->isEnabled())
            return;
        if (QWidget* first = firstFocusable(window)) {
            first->setFocus(Qt::ActiveWindowFocusReason);
            // An inactive window's focus moves without a focus-change signal.
            announce(window);
        }
    }

    static bool offerKey(QWidget* window, const QKeyEvent& event) {
        const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
        if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) {
            DialogKey key(DialogKey::Kind::Enter, QChar(), modifiers);
            return offerDialogKey(window, key);
        }
        if (event.key() == Qt::Key_Escape) {
            DialogKey key(DialogKey::Kind::Escape, QChar(), modifiers);
            return offerDialogKey(window, key);
        }
        QChar character;
        if (!event.text().isEmpty() && event.text().front().isPrint())
            character = event.text().front().toLower();
        else if (event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z)
            character = QChar(u'a' + (event.key() - Qt::Key_A));
        else if (event.key() >= Qt::Key_0 && event.key() <= Qt::Key_9)
            character = QChar(u'0' + (event.key() - Qt::Key_0));
        if (character.isNull() || modifiers.testFlag(Qt::ControlModifier))
            return false;
        DialogKey key(DialogKey::Kind::Character, character, modifiers);
        return offerDialogKey(window, key);
    }

    std::vector<QPointer<QWidget>> m_subscribers;
};

} // namespace

QEvent::Type FocusAnnouncement::eventType() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

QEvent::Type DialogKey::eventType() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

void subscribeToFocusAnnouncements(QWidget* control) {
    WindowServices::instance().subscribe(control);
}

void announceFocus(QWidget* window) {
    WindowServices::instance().announce(window);
}

void installWindowServices(QWidget* window) {
    // installEventFilter moves an existing installation to the front rather than doubling it.
    window->installEventFilter(&WindowServices::instance());
}

QWidget* firstFocusable(QWidget* window) {
    for (QWidget* w = window->nextInFocusChain(); w != nullptr && w != window;
         w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && w->isEnabled() &&
            w->isVisibleTo(window) && w->window() == window)
            return w;
    }
    return nullptr;
}

bool offerDialogKey(QWidget* window, DialogKey& key) {
    const QList<QPointer<QWidget>> controls = [window] {
        QList<QPointer<QWidget>> all;
        for (QWidget* w : window->findChildren<QWidget*>())
            all.append(w);
        return all;
    }();
    for (const auto& control : controls) {
        if (control == nullptr || control->window() != window)
            continue;
        QCoreApplication::sendEvent(control, &key);
        if (key.isConsumed())
            return true;
    }
    return false;
}

} // namespace platform
