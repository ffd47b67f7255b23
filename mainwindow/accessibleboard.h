#pragma once

#include <QAccessible>

#include <functional>

class QWidget;

// How the main window presents itself to assistive technology: the grid frame is one table of
// 9 x 9 cells in reading order, each cell names what it shows, and each candidate is a push
// button named by its digit and mark. The command buttons and the other controls are described
// by widgets/accessiblewidgets.h.
namespace accessibility {

// Installs the one factory behind every accessible object of the program's own controls and
// starts following whether an assistive technology listens. Called once, at start-up.
void install();

// Lets tests see the changes that would be reported; an empty hook reports them to the
// assistive technology again.
void setReportHook(std::function<void(QObject*, QAccessible::Event)> hook);

namespace detail {
inline bool listening = false;
void remember(QWidget& control, QWidget* cell);
} // namespace detail

// Called by a board control before it changes; costs one test while nobody listens. The
// control's and its cell's names are kept, and once the running action has ended, each one
// whose name or description now differs is reported, once.
inline void aboutToChange(QWidget& control, QWidget* cell) {
    if (detail::listening)
        detail::remember(control, cell);
}

} // namespace accessibility
