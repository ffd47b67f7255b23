#pragma once

#include <QAccessible>
#include <QString>

#include <functional>

class QWidget;
class TForm1;

// How the main window presents itself to assistive technology: the grid frame is a table of
// 9 x 9 cells in reading order, each cell a leaf that names what it shows and offers the clicks
// of its candidates as its own actions; after each action one sentence says what it changed.
// The command buttons and the other controls are described by widgets/accessiblewidgets.h.
namespace accessibility {

// Installs the one factory behind every accessible object of the program's own controls and
// starts following whether an assistive technology listens. Called once, at start-up.
void install();

// Lets tests see the changes that would be reported and the sentences that would be said; an
// empty hook reports them to the assistive technology again.
void setReportHook(std::function<void(QObject*, QAccessible::Event)> hook);
void setAnnouncementHook(std::function<void(const QString&)> hook);

// What the player is about to do, for the sentence said once it has been done.
enum class Deed {
    Enter,  // target: the candidate clicked
    Strike, // target: the candidate right-clicked
    Clear,  // target: the cell
    Look,   // target: the cell, which the action left as it was
    Undo,
    Redo,
    BuiltIn, // source: the puzzle's name
    Blank,
    Laid, // source: where the puzzle came from
    Stragglers,
    Remaining,
};

namespace detail {
inline bool listening = false;
void remember(QWidget& cell);
void note(TForm1& form, Deed deed, QWidget* target, const QString& source);
} // namespace detail

// Called before a cell or one of its candidates changes; costs one test while nobody listens.
// The cell's name is kept, and once the running action has ended it is reported if it differs.
inline void aboutToChange(QWidget& cell) {
    if (detail::listening)
        detail::remember(cell);
}

// Called as an action starts; costs one test while nobody listens. Once the action has ended,
// one sentence says what it changed; a later call in the same action replaces an earlier one.
inline void willDo(TForm1& form, Deed deed, QWidget* target = nullptr, const QString& source = {}) {
    if (detail::listening)
        detail::note(form, deed, target, source);
}

} // namespace accessibility
