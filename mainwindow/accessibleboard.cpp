#include "accessibleboard.h"

#include "SUnit1.h"
#include "board/numbering.h"
#include "board/puzzleboard.h"
#include "widgets/accessiblewidgets.h"

#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QPointer>

#include <array>
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

QAccessibleInterface* cursorCellOf(const TForm1& form) {
    CellPanel* cell = form.cursorCell();
    return cell == nullptr ? nullptr : QAccessible::queryAccessibleInterface(cell);
}

CellPanel* cellPanelAt(const TForm1& form, int row, int column) {
    return static_cast<CellPanel*>(
        form.ControlByName("Panel" + std::to_string(board::panelNumber(row, column))));
}

// The digits of a cell's shown candidates that pass the test, ascending, joined by blanks.
template <typename Test> QString shownDigits(const CellPanel& cell, Test test) {
    std::array<bool, 10> found{};
    for (const QObject* child : cell.children()) {
        const auto* candidate = dynamic_cast<const CandidateButton*>(child);
        if (candidate == nullptr || candidate->isHidden() || !test(*candidate))
            continue;
        const int digit = candidate->TSpeedButton::caption().toInt();
        if (digit >= 1 && digit <= 9)
            found[static_cast<std::size_t>(digit)] = true;
    }
    QString digits;
    for (int d = 1; d <= 9; ++d) {
        if (!found[static_cast<std::size_t>(d)])
            continue;
        if (!digits.isEmpty())
            digits += u' ';
        digits += QChar(u'0' + d);
    }
    return digits;
}

// What a sighted player sees in the cell, in words that stay the same from cell to cell:
// "Row 3, column 5: 7", "Row 3, column 5: empty, candidates 1 4 7, struck out 2". Excluded
// (yellow) digits are not offered.
QString cellName(const CellPanel& cell) {
    const Place place = placeOf(cell);
    QString name = QStringLiteral("Row %1, column %2: ").arg(place.row).arg(place.column);
    const QString digit = cell.TPanel::caption();
    if (!digit.isEmpty())
        return name + digit;
    const QString plain = shownDigits(
        cell, [](const CandidateButton& c) { return c.fontColor() == platform::kWindowText; });
    const QString struck = shownDigits(
        cell, [](const CandidateButton& c) { return c.fontColor() == platform::kWhite; });
    name += plain.isEmpty() ? QStringLiteral("empty, no candidates")
                            : QStringLiteral("empty, candidates ") + plain;
    if (!struck.isEmpty())
        name += QStringLiteral(", struck out ") + struck;
    return name;
}

// The candidates a hint shows in large type.
QString cellDescription(const CellPanel& cell) {
    const QString hinted = shownDigits(
        cell, [](const CandidateButton& c) { return c.fontPointSize() != board::kNormalFontSize; });
    return hinted.isEmpty() ? QString() : QStringLiteral("Hint: ") + hinted;
}

class CandidateAccessible final : public QAccessibleWidget {
public:
    explicit CandidateAccessible(CandidateButton* candidate)
        : QAccessibleWidget(candidate, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name)
            return QAccessibleWidget::text(t);
        QString name = candidate()->TSpeedButton::caption();
        if (candidate()->fontColor() == platform::kYellow)
            name += QStringLiteral(", excluded");
        else if (candidate()->fontColor() == platform::kWhite)
            name += QStringLiteral(", struck out");
        return name;
    }

    QStringList actionNames() const override { return {pressAction(), strikeAction()}; }

    QString localizedActionDescription(const QString& name) const override {
        if (name == strikeAction())
            return QStringLiteral("Strikes the candidate out, or restores a struck one");
        if (name == pressAction())
            return QStringLiteral("Enters the digit into its cell");
        return {};
    }

    // The left and the right click; a hidden candidate takes neither.
    void doAction(const QString& name) override {
        TForm1* form = formOf(*candidate());
        if (form == nullptr || candidate()->isHidden())
            return;
        if (name == pressAction())
            form->SpeedButton1Click(*candidate());
        else if (name == strikeAction())
            form->SpeedButton1MouseDown(*candidate(), Qt::RightButton);
    }

    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    static QString strikeAction() { return QStringLiteral("Strike out"); }
    CandidateButton* candidate() const { return static_cast<CandidateButton*>(widget()); }
};

class CellAccessible final : public QAccessibleWidget, public QAccessibleTableCellInterface {
public:
    explicit CellAccessible(CellPanel* cell) : QAccessibleWidget(cell, QAccessible::Cell) {}

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TableCellInterface)
            return static_cast<QAccessibleTableCellInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    // The table, not the block panel that holds the cell on the screen.
    QAccessibleInterface* parent() const override {
        const TForm1* form = formOf(*cell());
        return form == nullptr
                   ? nullptr
                   : QAccessible::queryAccessibleInterface(form->ControlByName("Panel82"));
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name)
            return cellName(*cell());
        if (t == QAccessible::Description)
            return cellDescription(*cell());
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

    QStringList actionNames() const override { return {clearAction()}; }

    // The click on the cell itself.
    void doAction(const QString& name) override {
        if (TForm1* form = formOf(*cell()); form != nullptr && name == clearAction())
            form->Panel1Click(*cell());
    }

    QStringList keyBindingsForAction(const QString&) const override { return {}; }

    // QAccessibleTableCellInterface
    bool isSelected() const override { return false; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return placeOf(*cell()).column - 1; }
    int rowIndex() const override { return placeOf(*cell()).row - 1; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

private:
    static QString clearAction() { return QStringLiteral("Clear"); }
    CellPanel* cell() const { return static_cast<CellPanel*>(widget()); }
};

// The main window is the program's frame, and the cursor's cell is its focus while it shows.
class FormAccessible final : public QAccessibleWidget {
public:
    explicit FormAccessible(TForm1* form) : QAccessibleWidget(form, QAccessible::Window) {}

    QAccessibleInterface* focusChild() const override {
        if (QAccessibleInterface* cell = cursorCellOf(*static_cast<TForm1*>(widget())))
            return cell;
        return QAccessibleWidget::focusChild();
    }
};

// The grid frame: the 81 cells, row by row. The block panels between them on the screen are
// left out, so that rows and columns run across the whole board.
class BoardTableAccessible final : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit BoardTableAccessible(QWidget* gridFrame)
        : QAccessibleWidget(gridFrame, QAccessible::Table) {}

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name)
            return QStringLiteral("Board");
        return QAccessibleWidget::text(t);
    }

    int childCount() const override { return board::kCellCount; }

    QAccessibleInterface* focusChild() const override {
        return form() == nullptr ? nullptr : cursorCellOf(*form());
    }

    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= board::kCellCount)
            return nullptr;
        return cellAt(index / 9, index % 9);
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

    // QAccessibleTableInterface
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override {
        if (row < 0 || row > 8 || column < 0 || column > 8 || form() == nullptr)
            return nullptr;
        return QAccessible::queryAccessibleInterface(cellPanelAt(*form(), row + 1, column + 1));
    }
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    QString columnDescription(int column) const override {
        return QStringLiteral("Column %1").arg(column + 1);
    }
    QString rowDescription(int row) const override { return QStringLiteral("Row %1").arg(row + 1); }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return 9; }
    int rowCount() const override { return 9; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

private:
    TForm1* form() const { return formOf(*widget()); }
};

QAccessibleInterface* factory(const QString& className, QObject* object) {
    if (object == nullptr || !object->isWidgetType())
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    if (auto* form = dynamic_cast<TForm1*>(widget))
        return new FormAccessible(form);
    if (auto* candidate = dynamic_cast<CandidateButton*>(widget))
        return new CandidateAccessible(candidate);
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

// What a control and its cell said before the running action first touched them.
struct Before {
    QPointer<QWidget> widget;
    QString name;
    QString description;
};

struct Report {
    std::vector<Before> before;
    std::unordered_set<const QWidget*> seen;
    bool queued = false;
};

Report& report() {
    static Report r;
    return r;
}

void keep(QWidget& widget) {
    Report& r = report();
    if (!r.seen.insert(&widget).second)
        return;
    if (QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&widget))
        r.before.push_back(
            {&widget, iface->text(QAccessible::Name), iface->text(QAccessible::Description)});
}

std::function<void(QObject*, QAccessible::Event)>& reportHook() {
    static std::function<void(QObject*, QAccessible::Event)> hook;
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

// Runs from the event loop, so after the whole action, whatever way it came in (a click, a
// key, a paste, the hint timer, an accessible action): an action never yields to the loop.
void flush() {
    Report& r = report();
    const std::vector<Before> before = std::move(r.before);
    r.before.clear();
    r.seen.clear();
    r.queued = false;
    for (const Before& b : before) {
        if (b.widget == nullptr)
            continue;
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(b.widget);
        if (iface == nullptr)
            continue;
        if (iface->text(QAccessible::Name) != b.name)
            post(b.widget, QAccessible::NameChanged);
        if (iface->text(QAccessible::Description) != b.description)
            post(b.widget, QAccessible::DescriptionChanged);
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

void detail::remember(QWidget& control, QWidget* cell) {
    keep(control);
    if (cell != nullptr)
        keep(*cell);
    Report& r = report();
    if (!r.queued) {
        r.queued = true;
        QMetaObject::invokeMethod(QCoreApplication::instance(), flush, Qt::QueuedConnection);
    }
}

} // namespace accessibility
