#pragma once

#include <QChar>
#include <QEvent>
#include <QWidget>

namespace platform {

// Tells a control which widget now holds the focus in its window (null for none). Sent to
// every subscribed control of a window after each focus change there.
class FocusAnnouncement : public QEvent {
public:
    explicit FocusAnnouncement(QWidget* focused) : QEvent(eventType()), m_focused(focused) {}
    static QEvent::Type eventType();
    QWidget* focused() const { return m_focused; }

private:
    QWidget* m_focused;
};

// Enter, Escape or a typed character that the focused control left alone, offered to each
// control of the window in turn until one acts on it and calls consume().
class DialogKey : public QEvent {
public:
    enum class Kind { Enter, Escape, Character };

    DialogKey(Kind kind, QChar character, Qt::KeyboardModifiers modifiers)
        : QEvent(eventType()), m_kind(kind), m_character(character), m_modifiers(modifiers) {}
    static QEvent::Type eventType();

    Kind kind() const { return m_kind; }
    // The typed character for Kind::Character, lower-cased.
    QChar character() const { return m_character; }
    Qt::KeyboardModifiers modifiers() const { return m_modifiers; }
    bool alt() const { return m_modifiers.testFlag(Qt::AltModifier); }
    void consume() { m_consumed = true; }
    bool isConsumed() const { return m_consumed; }

private:
    Kind m_kind;
    QChar m_character;
    Qt::KeyboardModifiers m_modifiers;
    bool m_consumed = false;
};

// Registers a control for the focus announcements of whatever window it is in.
void subscribeToFocusAnnouncements(QWidget* control);
// Announces the current focus of window to all its subscribed controls.
void announceFocus(QWidget* window);

// Dialog keys for window, and the focus to its first focusable control whenever it is shown
// or activated without a focused one. Installing twice is harmless.
void installWindowServices(QWidget* window);

// The first control in window's focus order that can take the focus from the keyboard.
QWidget* firstFocusable(QWidget* window);

// Offers key to every control of window in creation order until one consumes it.
bool offerDialogKey(QWidget* window, DialogKey& key);

} // namespace platform
