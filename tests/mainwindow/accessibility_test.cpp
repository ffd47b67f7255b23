// The board as an assistive technology reads it, beside what Orca says in the end-to-end test:
// every sentence said after an action, the cells' actions, and silence while nobody listens.
#include "mainwindow/SUnit1.h"
#include "mainwindow/messagewindow.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

std::vector<std::string>& said() {
    static std::vector<std::string> sentences;
    return sentences;
}

int& reports() {
    static int count = 0;
    return count;
}

// An assistive technology listens (as a bridge tells Qt) for the length of a test; the window
// starts on Easy.
class Accessibility : public ::testing::Test {
protected:
    void SetUp() override {
        QAccessible::setActive(true);
        accessibility::setReportHook([](QObject*, QAccessible::Event) { ++reports(); });
        accessibility::setAnnouncementHook(
            [](const QString& text) { said().push_back(text.toStdString()); });
        setMessageHook([](const QString&) {});
        renew();
    }
    void TearDown() override {
        accessibility::setReportHook({});
        accessibility::setAnnouncementHook({});
        setMessageHook({});
        QAccessible::setActive(false);
    }

    void renew() {
        m_window.emplace();
        form().btnEasyClick();
        heard();
    }
    // Lets the running action end, and gives what was said after it.
    std::vector<std::string> heard() {
        QCoreApplication::processEvents();
        reports() = 0;
        return std::exchange(said(), {});
    }
    TForm1& form() { return *m_window; }
    CellPanel* cellAt(int row, int column) {
        return static_cast<CellPanel*>(
            form().ControlByName("Panel" + std::to_string(board::panelNumber(row, column))));
    }
    CandidateButton* candidate(int row, int column, int digit) {
        const int panel = board::panelNumber(row, column);
        return static_cast<CandidateButton*>(form().ControlByName(
            "SpeedButton" + std::to_string(board::buttonNumber(panel, digit))));
    }
    void strike(int row, int column, int digit) {
        form().SpeedButton1MouseDown(*candidate(row, column, digit), Qt::RightButton);
    }
    void enter(int row, int column, int digit) {
        form().SpeedButton1Click(*candidate(row, column, digit));
    }
    void key(Qt::Key key) { QTest::keyClick(&form(), key); }

private:
    std::optional<TForm1> m_window;
};

// Row 1 of Easy is 5 . 6 8 . . . . . ; row 1, column 2 may hold 1 2 3 4 9.
TEST_F(Accessibility, everyActionIsAnsweredOnceInWords) {
    struct Case {
        const char* what;
        std::function<void()> before; // after Easy, unheard
        std::function<void()> act;
        std::vector<std::string> said;
    };
    const auto nothing = [] {};
    const QString oneGiven = "1" + QString(80, u'.');
    const Case cases[] = {
        {"Medium", nothing, [&] { form().btnMediumClick(); }, {"Medium puzzle, 26 givens"}},
        {"Hard", nothing, [&] { form().btnDifficultClick(); }, {"Hard puzzle, 28 givens"}},
        {"Blank", nothing, [&] { form().btnBlankClick(); }, {"Blank board, no givens"}},
        {"a pasted puzzle",
         nothing,
         [&] { form().layPuzzleText(oneGiven, "The clipboard"); },
         {"Puzzle from the clipboard, 1 given"}},
        {"a refused paste is the message window's to say",
         nothing,
         [&] { form().layPuzzleText("no puzzle", "The clipboard"); },
         {}},
        {"a plain digit", nothing, [&] { enter(1, 2, 4); }, {"Row 1, column 2: 4"}},
        {"an excluded digit: the first peer in reading order that holds it",
         nothing,
         [&] { enter(2, 2, 8); },
         {"Row 2, column 2: 8; 8 was excluded here by row 4, column 2"}},
        {"a struck digit",
         [&] { strike(1, 2, 3); },
         [&] { enter(1, 2, 3); },
         {"Row 1, column 2: 3; 3 was struck out here"}},
        {"an excluded candidate struck",
         nothing,
         [&] { strike(1, 2, 5); },
         {"Row 1, column 2: empty, candidates 1 2 3 4 9, struck out 5"}},
        {"the last plain candidate struck",
         [&] { strike(1, 2, 1), strike(1, 2, 2), strike(1, 2, 3), strike(1, 2, 4); },
         [&] { strike(1, 2, 9); },
         {"Row 1, column 2: empty, no candidates, struck out 1 2 3 4 9"}},
        {"restore",
         [&] { strike(1, 2, 3); },
         [&] { strike(1, 2, 3); },
         {"Row 1, column 2: empty, candidates 1 2 3 4 9"}},
        {"clear a given",
         nothing,
         [&] { form().Panel1Click(*cellAt(1, 1)); },
         {"Row 1, column 1: empty, candidates 1 3 4 5 9"}},
        {"undo an entry",
         [&] { enter(1, 2, 4); },
         [&] { form().btnUnDoClick(); },
         {"Row 1, column 2: empty, candidates 1 2 3 4 9"}},
        {"undo a clear",
         [&] { form().Panel1Click(*cellAt(1, 1)); },
         [&] { form().btnUnDoClick(); },
         {"Row 1, column 1: 5"}},
        {"undo a restore",
         [&] { strike(1, 2, 3), strike(1, 2, 3); },
         [&] { form().btnUnDoClick(); },
         {"Undone in the log only: 3 stays restored at row 1, column 2; Ctrl+3 strikes it out"}},
        {"nothing to undo", nothing, [&] { form().btnUnDoClick(); }, {"Nothing to undo"}},
        {"redo an excluded entry",
         [&] { enter(2, 2, 8), form().btnUnDoClick(); },
         [&] { form().redo(); },
         {"Row 2, column 2: 8; 8 was excluded here by row 4, column 2"}},
        {"redo a strike-out",
         [&] { strike(1, 2, 3), form().btnUnDoClick(); },
         [&] { form().redo(); },
         {"Redone in the log only: 3 stays struck out at row 1, column 2"}},
        {"nothing to redo once the board changed otherwise",
         [&] { enter(1, 2, 4), form().btnUnDoClick(), enter(1, 2, 9); },
         [&] { form().redo(); },
         {"Nothing to redo"}},
        {"stragglers pressed again while they show",
         [&] { form().btnSinglesClick(); },
         [&] { form().btnSinglesClick(); },
         {"Hints hidden"}},
        {"no straggler",
         [&] { form().btnBlankClick(); },
         [&] { form().btnSinglesClick(); },
         {"No cell is down to one candidate"}},
        {"no remaining candidate",
         [&] { form().btnBlankClick(); },
         [&] { form().btnRemainingClick(); },
         {"No digit is down to one place in a row, column or block"}},
        {"a digit at a filled cell",
         [&] { key(Qt::Key_Right); },
         [&] { key(Qt::Key_4); },
         {"Row 1, column 1: 5"}},
        {"an arrow at the board's edge",
         [&] { key(Qt::Key_Right); },
         [&] { key(Qt::Key_Up); },
         {"Row 1, column 1: 5"}},
        {"an arrow that moves is the focus's to say",
         [&] { key(Qt::Key_Right); },
         [&] { key(Qt::Key_Down); },
         {}},
    };
    for (const Case& c : cases) {
        renew();
        c.before();
        heard();
        c.act();
        EXPECT_EQ(heard(), c.said) << c.what;
    }
}

TEST_F(Accessibility, aCellIsALeafWhoseActionsAreItsCandidatesClicks) {
    QAccessibleInterface* board =
        QAccessible::queryAccessibleInterface(form().ControlByName("Panel82"));
    for (int i = 0; i < board::kCellCount; ++i)
        EXPECT_EQ(board->child(i)->childCount(), 0) << i;
    QAccessibleActionInterface* actions = board->child(1)->actionInterface();
    strike(1, 2, 3);
    EXPECT_EQ(actions->actionNames(),
              (QStringList{"Enter 1", "Strike out 1", "Enter 2", "Strike out 2", "Enter 3",
                           "Restore 3", "Enter 4", "Strike out 4", "Enter 5", "Strike out 5",
                           "Enter 6", "Strike out 6", "Enter 7", "Strike out 7", "Enter 8",
                           "Strike out 8", "Enter 9", "Strike out 9", "Clear"}));
    for (const char* action : {"Restore 3", "Strike out 9", "Enter 4", "Enter 9", "Clear"})
        actions->doAction(QString::fromLatin1(action));
    // Once 4 is in, the candidates are hidden and only the click on the cell is left.
    EXPECT_EQ(form().moveLog().lines(),
              (std::vector<std::string>{"12,highlight", "12,dehighlight", "18,highlight",
                                        "13,clicked", "2,declicked,4"}));
}

TEST_F(Accessibility, nothingIsReportedOrSaidWhileNobodyListens) {
    strike(1, 2, 3);
    EXPECT_EQ(heard().size(), 1u);
    QAccessible::setActive(false);
    strike(1, 2, 3);
    form().btnUnDoClick();
    form().btnEasyClick();
    QCoreApplication::processEvents();
    EXPECT_EQ(reports(), 0);
    EXPECT_TRUE(said().empty());
}

} // namespace
