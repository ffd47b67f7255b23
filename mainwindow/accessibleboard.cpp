#include "accessibleboard.h"

#include "SUnit1.h"
#include "announcements.h"
#include "board/numbering.h"
#include "board/puzzleboard.h"
#include "widgets/accessiblewidgets.h"

#include <QAccessibleObject>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QPointer>
#include <QWindow>

#include <array>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

namespace accessibility {

namespace {

constexpr auto kPanelToGrid = board::makePanelToGrid();

// The cell's place on the board, from 1.
struct Place {
    int row;
    int column;
};

Place placeOf(const CellPanel& cell) {
    const int grid =
        kPanelToGrid[static_cast<std::size_t>(board::PanelNumberFromName(cell.controlName()))];
    return {board::gridRow(grid), board::gridColumn(grid)};
}

TForm1* formOf(const QWidget& widget) {
    return dynamic_cast<TForm1*>(widget.window());
}

CellPanel* cellPanelAt(const TForm1& form, int row, int column) {
    return static_cast<CellPanel*>(
        form.ControlByName("Panel" + std::to_string(board::panelNumber(row, column))));
}

CandidateButton* candidateOf(const TForm1& form, int panel, int digit) {
    return static_cast<CandidateButton*>(
        form.ControlByName("SpeedButton" + std::to_string(board::buttonNumber(panel, digit))));
}

// The cell's shown candidates, by digit, as the painting shows them.
std::array<const CandidateButton*, 10> shownCandidates(const CellPanel& cell) {
    std::array<const CandidateButton*, 10> shown{};
    for (const QObject* child : cell.children()) {
        const auto* candidate = dynamic_cast<const CandidateButton*>(child);
        if (candidate == nullptr || candidate->isHidden())
            continue;
        const int digit = candidate->TSpeedButton::caption().toInt();
        if (digit >= 1 && digit <= 9)
            shown[static_cast<std::size_t>(digit)] = candidate;
    }
    return shown;
}

announcements::Cell cellState(const CellPanel& cell) {
    const Place place = placeOf(cell);
    announcements::Cell state{place.row, place.column, cell.TPanel::caption().toInt(), {}, {}};
    if (state.digit != 0)
        return state;
    const auto shown = shownCandidates(cell);
    for (int d = 1; d <= 9; ++d) {
        const CandidateButton* c = shown[static_cast<std::size_t>(d)];
        if (c != nullptr && c->fontColor() == platform::kWindowText)
            state.candidates.push_back(d);
        else if (c != nullptr && c->fontColor() == platform::kWhite)
            state.struck.push_back(d);
    }
    return state;
}

QString cellName(const CellPanel& cell) {
    return announcements::reading(cellState(cell));
}

// A board cell as a leaf: its candidates are drawn inside it but are not objects of their own,
// since a screen reader reads a cell with children as those children and never by its name.
// Their two clicks are the cell's actions, "Enter 4" and "Strike out 4" or "Restore 4" for each
// shown candidate, and the click on the cell itself is "Clear".
class CellAccessible final : public QAccessibleWidget {
public:
    explicit CellAccessible(CellPanel* cell) : QAccessibleWidget(cell, QAccessible::Cell) {}

    // The table, not the block panel that holds the cell on the screen.
    QAccessibleInterface* parent() const override {
        const TForm1* form = formOf(*cell());
        return form == nullptr
                   ? nullptr
                   : QAccessible::queryAccessibleInterface(form->ControlByName("Panel82"));
    }
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name)
            return cellName(*cell());
        return QAccessibleWidget::text(t);
    }

    // The keyboard cursor's cell has the focus, while the keyboard focus proper stays on a
    // command button.
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.focusable = true;
        const TForm1* form = formOf(*cell());
        s.focused = form != nullptr && form->cursorCell() == cell();
        return s;
    }

    QStringList actionNames() const override {
        QStringList names;
        const auto shown = shownCandidates(*cell());
        for (int d = 1; d <= 9; ++d) {
            if (const CandidateButton* c = shown[static_cast<std::size_t>(d)])
                names << enterAction(d) << strikeAction(d, c->fontColor() == platform::kWhite);
        }
        names << clearAction();
        return names;
    }

    QString localizedActionDescription(const QString& name) const override {
        if (name == clearAction())
            return QStringLiteral("Clears the cell");
        for (int d = 1; d <= 9; ++d) {
            if (name == enterAction(d))
                return QStringLiteral("Enters %1 into the cell").arg(d);
            if (name == strikeAction(d, false) || name == strikeAction(d, true))
                return QStringLiteral("Strikes %1 out, or restores it once struck").arg(d);
        }
        return {};
    }

    void doAction(const QString& name) override {
        TForm1* form = formOf(*cell());
        if (form == nullptr)
            return;
        if (name == clearAction()) {
            form->Panel1Click(*cell());
            return;
        }
        // Only a shown candidate takes a click, as on the screen.
        const auto shown = shownCandidates(*cell());
        const int panel = board::PanelNumberFromName(cell()->controlName());
        for (int d = 1; d <= 9; ++d) {
            if (shown[static_cast<std::size_t>(d)] == nullptr)
                continue;
            CandidateButton* candidate = candidateOf(*form, panel, d);
            if (name == enterAction(d))
                form->SpeedButton1Click(*candidate);
            else if (name == strikeAction(d, candidate->fontColor() == platform::kWhite))
                form->SpeedButton1MouseDown(*candidate, Qt::RightButton);
        }
    }

    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    static QString enterAction(int d) { return QStringLiteral("Enter %1").arg(d); }
    static QString strikeAction(int d, bool struck) {
        return (struck ? QStringLiteral("Restore %1") : QStringLiteral("Strike out %1")).arg(d);
    }
    static QString clearAction() { return QStringLiteral("Clear"); }
    CellPanel* cell() const { return static_cast<CellPanel*>(widget()); }
};

// The sentences said after actions. A screen reader speaks an object of the Notification role
// as it is shown, and in a status bar without naming its role; neither object is drawn. A few
// are used in turn, so that a sentence is read before its object is given the next one.
class Spoken final : public QObject {
public:
    using QObject::QObject;
    QString text;
};

class SpokenBar final : public QObject {
public:
    static constexpr int kSentences = 4;

    explicit SpokenBar(TForm1* form) : QObject(form) {
        setObjectName(name());
        for (int i = 0; i < kSentences; ++i)
            new Spoken(this);
    }

    static QString name() { return QStringLiteral("spokenSentences"); }

    Spoken* next() {
        m_next = (m_next + 1) % kSentences;
        return at(m_next);
    }
    int indexOf(const QObject* object) const { return int(children().indexOf(object)); }
    Spoken* at(int i) const {
        return i >= 0 && i < kSentences ? static_cast<Spoken*>(children().at(i)) : nullptr;
    }

private:
    int m_next = 0;
};

SpokenBar* spokenBarOf(const TForm1& form) {
    // Found by name: without a meta-object of its own, the class cannot be looked up by type.
    return dynamic_cast<SpokenBar*>(
        form.findChild<QObject*>(SpokenBar::name(), Qt::FindDirectChildrenOnly));
}

class SpokenBarAccessible final : public QAccessibleObject {
public:
    explicit SpokenBarAccessible(SpokenBar* bar) : QAccessibleObject(bar) {}

    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(object()->parent());
    }
    QAccessibleInterface* child(int index) const override {
        return QAccessible::queryAccessibleInterface(bar()->at(index));
    }
    int childCount() const override { return SpokenBar::kSentences; }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child == nullptr ? -1 : bar()->indexOf(child->object());
    }
    QString text(QAccessible::Text) const override { return {}; }
    QAccessible::Role role() const override { return QAccessible::StatusBar; }
    QAccessible::State state() const override { return {}; }
    QWindow* window() const override {
        return static_cast<QWidget*>(object()->parent())->windowHandle();
    }

private:
    SpokenBar* bar() const { return static_cast<SpokenBar*>(object()); }
};

class SpokenAccessible final : public QAccessibleObject {
public:
    explicit SpokenAccessible(Spoken* spoken) : QAccessibleObject(spoken) {}

    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(object()->parent());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? static_cast<Spoken*>(object())->text : QString();
    }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override { return {}; }
    QWindow* window() const override {
        return static_cast<QWidget*>(object()->parent()->parent())->windowHandle();
    }
};

// The main window is the program's frame, and the cursor's cell is its focus while it shows.
// Its last child is the bar of spoken sentences, once there is one.
class FormAccessible final : public QAccessibleWidget {
public:
    explicit FormAccessible(TForm1* form) : QAccessibleWidget(form, QAccessible::Window) {}

    QAccessibleInterface* focusChild() const override {
        if (CellPanel* cell = form()->cursorCell())
            return QAccessible::queryAccessibleInterface(cell);
        return QAccessibleWidget::focusChild();
    }
    int childCount() const override {
        return QAccessibleWidget::childCount() + (spokenBarOf(*form()) != nullptr ? 1 : 0);
    }
    QAccessibleInterface* child(int index) const override {
        SpokenBar* bar = spokenBarOf(*form());
        if (bar != nullptr && index == QAccessibleWidget::childCount())
            return QAccessible::queryAccessibleInterface(bar);
        return QAccessibleWidget::child(index);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (child != nullptr && child->object() != nullptr &&
            child->object() == spokenBarOf(*form()))
            return QAccessibleWidget::childCount();
        return QAccessibleWidget::indexOfChild(child);
    }

private:
    TForm1* form() const { return static_cast<TForm1*>(widget()); }
};

// The grid frame: the 81 cells, row by row. The block panels between them on the screen are
// left out, so that rows and columns run across the whole board. It offers no table interface:
// with one, a screen reader reads the whole row on every move to another row, and each cell
// names its row and column itself.
class BoardTableAccessible final : public QAccessibleWidget {
public:
    explicit BoardTableAccessible(QWidget* gridFrame)
        : QAccessibleWidget(gridFrame, QAccessible::Table) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name)
            return QStringLiteral("Board");
        return QAccessibleWidget::text(t);
    }

    int childCount() const override { return board::kCellCount; }

    QAccessibleInterface* focusChild() const override {
        CellPanel* cell = form() == nullptr ? nullptr : form()->cursorCell();
        return cell == nullptr ? nullptr : QAccessible::queryAccessibleInterface(cell);
    }

    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= board::kCellCount || form() == nullptr)
            return nullptr;
        return QAccessible::queryAccessibleInterface(
            cellPanelAt(*form(), index / 9 + 1, index % 9 + 1));
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        const auto* cell = child == nullptr ? nullptr : dynamic_cast<CellPanel*>(child->object());
        if (cell == nullptr || formOf(*cell) != form())
            return -1;
        const Place place = placeOf(*cell);
        return (place.row - 1) * 9 + place.column - 1;
    }

    QAccessibleInterface* childAt(int x, int y) const override {
        for (int i = 0; i < board::kCellCount; ++i) {
            QAccessibleInterface* cell = child(i);
            if (cell != nullptr && cell->rect().contains(x, y))
                return cell;
        }
        return nullptr;
    }

private:
    TForm1* form() const { return formOf(*widget()); }
};

QAccessibleInterface* factory(const QString& className, QObject* object) {
    if (auto* spoken = dynamic_cast<Spoken*>(object))
        return new SpokenAccessible(spoken);
    if (auto* bar = dynamic_cast<SpokenBar*>(object))
        return new SpokenBarAccessible(bar);
    if (object == nullptr || !object->isWidgetType())
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    if (auto* form = dynamic_cast<TForm1*>(widget))
        return new FormAccessible(form);
    if (auto* cell = dynamic_cast<CellPanel*>(widget))
        return new CellAccessible(cell);
    if (const TForm1* form = dynamic_cast<TForm1*>(widget->parentWidget());
        form != nullptr && form->ControlByName("Panel82") == widget)
        return new BoardTableAccessible(widget);
    return widgets::accessibleWidget(className, object);
}

class ActivationObserver final : public QAccessible::ActivationObserver {
public:
    void accessibilityActiveChanged(bool active) override { detail::listening = active; }
};

// What the running action is, with what the sentence after it needs from before it.
struct Pending {
    QPointer<TForm1> form;
    Deed deed;
    QPointer<QWidget> target;
    QString source;
    platform::ColorSetting colorBefore; // of the candidate an entry clicks
    std::string line;                   // the log line that Undo or Redo takes
    bool canRedo = false;               // before Redo
    bool hintsShown = false;            // before a hint
};

// What a cell said before the running action first touched it.
struct Before {
    QPointer<QWidget> cell;
    QString name;
};

struct Report {
    std::vector<Before> before;
    std::unordered_set<const QWidget*> seen;
    std::optional<Pending> pending;
    bool queued = false;
};

Report& report() {
    static Report r;
    return r;
}

std::function<void(QObject*, QAccessible::Event)>& reportHook() {
    static std::function<void(QObject*, QAccessible::Event)> hook;
    return hook;
}

std::function<void(const QString&)>& announcementHook() {
    static std::function<void(const QString&)> hook;
    return hook;
}

void post(QWidget* widget, QAccessible::Event event) {
    if (reportHook()) {
        reportHook()(widget, event);
        return;
    }
    QAccessibleEvent e(widget, event);
    QAccessible::updateAccessibility(&e);
}

void announce(TForm1& form, const QString& text) {
    if (text.isEmpty())
        return;
    if (announcementHook()) {
        announcementHook()(text);
        return;
    }
    SpokenBar* bar = spokenBarOf(form);
    if (bar == nullptr)
        bar = new SpokenBar(&form);
    Spoken* spoken = bar->next();
    spoken->text = text;
    QAccessibleEvent shown(spoken, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

// The candidate buttons in large type, by number, in reading order of their cells.
std::vector<int> hintedButtons(const TForm1& form) {
    std::vector<int> hinted;
    for (int row = 1; row <= 9; ++row) {
        for (int column = 1; column <= 9; ++column) {
            const int panel = board::panelNumber(row, column);
            for (int d = 1; d <= 9; ++d) {
                const CandidateButton* c = candidateOf(form, panel, d);
                if (c != nullptr && c->fontPointSize() != board::kNormalFontSize)
                    hinted.push_back(board::buttonNumber(panel, d));
            }
        }
    }
    return hinted;
}

CellPanel* cellOfPanel(const TForm1& form, int panel) {
    if (panel < 1 || panel > board::kCellCount)
        return nullptr;
    return static_cast<CellPanel*>(form.ControlByName("Panel" + std::to_string(panel)));
}

CellPanel* cellOfButton(const TForm1& form, int button) {
    if (button < 1 || button > board::kButtonCount)
        return nullptr;
    return cellOfPanel(form, board::panelOfButton(button));
}

// An entry's reading, with why it beeped if it did: the colour its candidate had before.
QString entered(const TForm1& form, const CellPanel& cell, platform::ColorSetting before) {
    const announcements::Cell state = cellState(cell);
    if (state.digit != 0 && before == platform::kWhite)
        return announcements::enteredStruck(state);
    if (state.digit == 0 || before != platform::kYellow)
        return announcements::reading(state);
    // The first peer in reading order that holds the digit.
    for (int row = 1; row <= 9; ++row) {
        for (int column = 1; column <= 9; ++column) {
            const bool peer =
                row == state.row || column == state.column ||
                board::blockOf(row, column) == board::blockOf(state.row, state.column);
            if (peer && (row != state.row || column != state.column) &&
                form.board().cell(column, row) == state.digit)
                return announcements::enteredExcluded(state, row, column);
        }
    }
    return announcements::reading(state);
}

// Undo and Redo of a strike-out or restore only move its log line.
QString logOnly(int button, bool undo, bool strike) {
    using announcements::Phrase;
    const int grid = kPanelToGrid[static_cast<std::size_t>(board::panelOfButton(button))];
    const Phrase phrase = undo ? (strike ? Phrase::UndoneStrike : Phrase::UndoneRestore)
                               : (strike ? Phrase::RedoneStrike : Phrase::RedoneRestore);
    return announcements::say(phrase, {QString::number(board::digitOfButton(button)),
                                       QString::number(board::gridRow(grid)),
                                       QString::number(board::gridColumn(grid))});
}

// What Undo or Redo did with the line it took.
QString replayed(const TForm1& form, const Pending& p, bool undo) {
    const std::string_view word = board::CommaField(p.line, 2);
    const int number = board::decimalValue(board::CommaField(p.line, 1));
    if (word == "highlight" || word == "dehighlight") {
        if (number < 1 || number > board::kButtonCount)
            return {};
        return logOnly(number, undo, word == "highlight");
    }
    const CellPanel* cell =
        word == "clicked" ? cellOfButton(form, number) : cellOfPanel(form, number);
    if (cell == nullptr)
        return {};
    if (!undo && word == "clicked")
        return entered(form, *cell, p.colorBefore);
    return announcements::reading(cellState(*cell));
}

int givens(const TForm1& form) {
    int count = 0;
    for (const std::int8_t d : form.board().digits())
        count += d != 0;
    return count;
}

// The cell that an action on it or on one of its candidates acts on.
const CellPanel* cellOf(const QWidget* target) {
    if (target == nullptr)
        return nullptr;
    if (const auto* cell = dynamic_cast<const CellPanel*>(target))
        return cell;
    return dynamic_cast<const CellPanel*>(target->parentWidget());
}

QString sentence(const Pending& p) {
    using announcements::Phrase;
    const TForm1& form = *p.form;
    const CellPanel* cell = cellOf(p.target);
    switch (p.deed) {
    case Deed::Enter:
        return cell == nullptr ? QString() : entered(form, *cell, p.colorBefore);
    case Deed::Strike:
    case Deed::Clear:
    case Deed::Look:
        return cell == nullptr ? QString() : announcements::reading(cellState(*cell));
    case Deed::Undo:
        return p.line.empty() ? announcements::say(Phrase::NothingToUndo) : replayed(form, p, true);
    case Deed::Redo:
        return p.canRedo ? replayed(form, p, false) : announcements::say(Phrase::NothingToRedo);
    case Deed::BuiltIn:
        return announcements::builtInPuzzle(p.source, givens(form));
    case Deed::Blank:
        return announcements::blankBoard();
    case Deed::Laid:
        return announcements::laidPuzzle(p.source, givens(form));
    case Deed::Stragglers:
    case Deed::Remaining: {
        std::vector<announcements::HintedCandidate> shown;
        for (const int k : hintedButtons(form)) {
            const int grid = kPanelToGrid[static_cast<std::size_t>(board::panelOfButton(k))];
            shown.push_back(
                {board::gridRow(grid), board::gridColumn(grid), board::digitOfButton(k)});
        }
        if (shown.empty() && p.hintsShown)
            return announcements::say(Phrase::HintsGone);
        return announcements::hints(shown, p.deed == Deed::Stragglers ? Phrase::NoStraggler
                                                                      : Phrase::NoRemaining);
    }
    }
    return {};
}

// Runs from the event loop, so after the whole action, whatever way it came in (a click, a
// key, a paste, the hint timer, an accessible action): an action never yields to the loop.
void flush() {
    Report& r = report();
    const std::vector<Before> before = std::move(r.before);
    std::optional<Pending> pending = std::move(r.pending);
    r.before.clear();
    r.seen.clear();
    r.pending.reset();
    r.queued = false;
    for (const Before& b : before) {
        if (b.cell == nullptr)
            continue;
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(b.cell);
        if (iface != nullptr && iface->text(QAccessible::Name) != b.name)
            post(b.cell, QAccessible::NameChanged);
    }
    if (pending && pending->form != nullptr)
        announce(*pending->form, sentence(*pending));
}

void queueFlush() {
    Report& r = report();
    if (!r.queued) {
        r.queued = true;
        QMetaObject::invokeMethod(QCoreApplication::instance(), flush, Qt::QueuedConnection);
    }
}

} // namespace

void install() {
    QAccessible::installFactory(factory);
    static ActivationObserver observer;
    QAccessible::installActivationObserver(&observer);
    detail::listening = QAccessible::isActive();
}

void setReportHook(std::function<void(QObject*, QAccessible::Event)> hook) {
    reportHook() = std::move(hook);
}

void setAnnouncementHook(std::function<void(const QString&)> hook) {
    announcementHook() = std::move(hook);
}

void detail::remember(QWidget& cell) {
    Report& r = report();
    if (r.seen.insert(&cell).second) {
        if (QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&cell))
            r.before.push_back({&cell, iface->text(QAccessible::Name)});
    }
    queueFlush();
}

void detail::note(TForm1& form, Deed deed, QWidget* target, const QString& source) {
    Pending p{&form, deed, target, source, platform::kWindowText, {}, false, false};
    if (auto* candidate = dynamic_cast<CandidateButton*>(target))
        p.colorBefore = candidate->fontColor();
    if (deed == Deed::Undo && !form.moveLog().empty())
        p.line = form.moveLog().last();
    if (deed == Deed::Redo && form.board().canRedo() && !form.redoLog().empty()) {
        p.canRedo = true;
        p.line = form.redoLog().last();
        if (board::CommaField(p.line, 2) == "clicked") {
            const int k = board::decimalValue(board::CommaField(p.line, 1));
            if (k >= 1 && k <= board::kButtonCount)
                p.colorBefore = candidateOf(form, board::panelOfButton(k), board::digitOfButton(k))
                                    ->fontColor();
        }
    }
    if (deed == Deed::Stragglers || deed == Deed::Remaining)
        p.hintsShown = !hintedButtons(form).empty();
    report().pending = std::move(p);
    queueFlush();
}

} // namespace accessibility
