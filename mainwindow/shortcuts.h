#pragma once

#include <Qt>

#include <array>
#include <optional>

// The main window's keys. Each one ends in the handler that the click it stands for runs.
namespace shortcuts {

enum class Action {
    EnterDigit,  // a left click on that candidate of the cell under the pointer
    StrikeDigit, // a right click on that candidate
    ClearCell,   // a click on the cell panel under the pointer
    Paste,       // lays the clipboard's puzzle onto the board
    Copy,        // the board as one line of 81 characters
    Undo,        // the Undo button
    Redo,
    // The keyboard's cell cursor: each shows it where it is hidden.
    CursorLeft,
    CursorRight,
    CursorUp,
    CursorDown,
    CursorRowStart,
    CursorRowEnd,
    HideCursor, // only while the cursor is shown; otherwise Escape keeps its meaning
};

struct Binding {
    Qt::Key first; // a range of keys, for the digits; otherwise first == last
    Qt::Key last;
    Qt::KeyboardModifiers modifiers;
    Action action;
};

// The keypad's digits and arrows count as the main row's. Shift is ignored with digits, since some
// keyboards need it to type them.
inline constexpr std::array kBindings{
    Binding{Qt::Key_1, Qt::Key_9, Qt::NoModifier, Action::EnterDigit},
    Binding{Qt::Key_1, Qt::Key_9, Qt::ControlModifier, Action::StrikeDigit},
    Binding{Qt::Key_0, Qt::Key_0, Qt::NoModifier, Action::ClearCell},
    Binding{Qt::Key_Delete, Qt::Key_Delete, Qt::NoModifier, Action::ClearCell},
    Binding{Qt::Key_Backspace, Qt::Key_Backspace, Qt::NoModifier, Action::ClearCell},
    Binding{Qt::Key_V, Qt::Key_V, Qt::ControlModifier, Action::Paste},
    Binding{Qt::Key_Insert, Qt::Key_Insert, Qt::ShiftModifier, Action::Paste},
    Binding{Qt::Key_C, Qt::Key_C, Qt::ControlModifier, Action::Copy},
    Binding{Qt::Key_Insert, Qt::Key_Insert, Qt::ControlModifier, Action::Copy},
    Binding{Qt::Key_Z, Qt::Key_Z, Qt::ControlModifier, Action::Undo},
    Binding{Qt::Key_Y, Qt::Key_Y, Qt::ControlModifier, Action::Redo},
    Binding{Qt::Key_Z, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, Action::Redo},
    Binding{Qt::Key_Left, Qt::Key_Left, Qt::NoModifier, Action::CursorLeft},
    Binding{Qt::Key_Right, Qt::Key_Right, Qt::NoModifier, Action::CursorRight},
    Binding{Qt::Key_Up, Qt::Key_Up, Qt::NoModifier, Action::CursorUp},
    Binding{Qt::Key_Down, Qt::Key_Down, Qt::NoModifier, Action::CursorDown},
    Binding{Qt::Key_Home, Qt::Key_Home, Qt::NoModifier, Action::CursorRowStart},
    Binding{Qt::Key_End, Qt::Key_End, Qt::NoModifier, Action::CursorRowEnd},
    Binding{Qt::Key_Escape, Qt::Key_Escape, Qt::NoModifier, Action::HideCursor},
};

struct Hit {
    Action action;
    int digit; // 1..9 for EnterDigit and StrikeDigit, else 0
};

constexpr bool isDigitKey(int key) {
    return key >= Qt::Key_0 && key <= Qt::Key_9;
}

constexpr std::optional<Hit> match(int key, Qt::KeyboardModifiers modifiers) {
    modifiers &= ~Qt::KeyboardModifiers(Qt::KeypadModifier);
    if (isDigitKey(key))
        modifiers &= ~Qt::KeyboardModifiers(Qt::ShiftModifier);
    for (const Binding& binding : kBindings) {
        if (key >= binding.first && key <= binding.last && modifiers == binding.modifiers) {
            const bool digits = binding.first != binding.last;
            return Hit{binding.action, digits ? key - Qt::Key_0 : 0};
        }
    }
    return std::nullopt;
}

} // namespace shortcuts
