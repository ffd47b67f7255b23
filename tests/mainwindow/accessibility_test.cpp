// The board as an assistive technology reads it, for the states and actions the end-to-end test
// with Orca does not reach: struck candidates, the cells' actions, every sentence said after an
// action, and what is reported.
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

using Reported = std::pair<QObject*, QAccessible::Event>;

std::vector<Reported>& reported() {
    static std::vector<Reported> events;
    return events;
}

std::vector<std::string>& said() {
    static std::vector<std::string> sentences;
    return sentences;
}

// An assistive technology listens for the length of a test; the window starts on Easy.
class Accessibility : public ::testing::Test {
protected:
    void SetUp() override {
        // Tells the program that an assistive technology listens, as a bridge does.
        QAccessible::setActive(true);
        accessibility::setReportHook([](QObject* object, QAccessible::Event type) {
            reported().push_back({object, type});
        });
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

    // Lets the running action end, and gives what it reported.
    std::vector<Reported> settle() {
        QCoreApplication::processEvents();
        said().clear();
        return std::exchange(reported(), {});
    }
    // Lets the running action end, and gives what was said after it.
    std::vector<std::string> heard() {
        QCoreApplication::processEvents();
        reported().clear();
        return std::exchange(said(), {});
    }
    QAccessibleInterface* of(QWidget* widget) {
        return QAccessible::queryAccessibleInterface(widget);
    }
    CandidateButton* candidate(int row, int column, int digit) {
        return static_cast<CandidateButton*>(form().ControlByName(
            "SpeedButton" +
            std::to_string(board::buttonNumber(board::panelNumber(row, column), digit))));
    }
    CellPanel* cellAt(int row, int column) {
        return static_cast<CellPanel*>(
            form().ControlByName("Panel" + std::to_string(board::panelNumber(row, column))));
    }
    void strike(int row, int column, int digit) {
        form().SpeedButton1MouseDown(*candidate(row, column, digit), Qt::RightButton);
    }
    void enter(int row, int column, int digit) {
        form().SpeedButton1Click(*candidate(row, column, digit));
    }
    void act(QWidget* target, const QString& action) {
        of(target)->actionInterface()->doAction(action);
    }

    // A new window on Easy, as at the start of each test.
    void renew() {
        m_window.emplace();
        form().btnEasyClick();
        settle();
    }
    TForm1& form() { return *m_window; }
    QWidget* cell() { return cellAt(1, 2); } // empty in Easy

private:
    std::optional<TForm1> m_window;
};

TEST_F(Accessibility, aCellSaysWhatItShows) {
    struct Case {
        const char* what;
        std::function<void()> act; // after Easy
        const char* name;
    };
    const Case cases[] = {
        {"Easy", [] {}, "Row 1, column 2: empty, candidates 1 2 3 4 9"},
        {"a plain candidate struck", [&] { strike(1, 2, 3); },
         "Row 1, column 2: empty, candidates 1 2 4 9, struck out 3"},
        {"an excluded candidate struck", [&] { strike(1, 2, 5); },
         "Row 1, column 2: empty, candidates 1 2 3 4 9, struck out 5"},
        {"every plain candidate struck",
         [&] {
             for (int d : {9, 4, 1, 3, 2})
                 strike(1, 2, d);
         },
         "Row 1, column 2: empty, no candidates, struck out 1 2 3 4 9"},
        {"a digit entered", [&] { enter(1, 2, 4); }, "Row 1, column 2: 4"},
    };
    for (const Case& c : cases) {
        renew();
        c.act();
        EXPECT_EQ(of(cell())->text(QAccessible::Name), QString::fromLatin1(c.name)) << c.what;
    }
}

TEST_F(Accessibility, eachRenamedCellIsReportedOnceAfterTheActionAndOnlyWhileListening) {
    strike(1, 2, 3);
    EXPECT_TRUE(reported().empty()) << "reported before the action ended";
    EXPECT_EQ(settle(), (std::vector<Reported>{{cell(), QAccessible::NameChanged}}));
    // Entering 4 takes it from the cell's peers as well: row 1, column 3 is a given.
    enter(1, 2, 4);
    std::vector<Reported> renamed = settle();
    EXPECT_EQ(renamed.size(), 14u);
    for (const Reported& r : renamed)
        EXPECT_NE(dynamic_cast<CellPanel*>(r.first), nullptr) << "a report of no cell";
    // Clearing an empty cell resets and recomputes every yellow candidate: nothing reads
    // differently afterwards.
    form().Panel1Click(*cellAt(1, 5));
    EXPECT_TRUE(settle().empty());

    QAccessible::setActive(false);
    strike(1, 5, 9);
    form().btnUnDoClick();
    EXPECT_TRUE(settle().empty());
    EXPECT_TRUE(heard().empty());
}

TEST_F(Accessibility, aCellIsALeafWhoseActionsAreItsCandidatesClicks) {
    const auto actions = [&](QWidget* w) { return of(w)->actionInterface()->actionNames(); };
    for (int i = 0; i < board::kCellCount; ++i)
        EXPECT_EQ(of(form().ControlByName("Panel82"))->child(i)->childCount(), 0) << i;
    strike(1, 2, 3);
    EXPECT_EQ(actions(cell()),
              (QStringList{"Enter 1", "Strike out 1", "Enter 2", "Strike out 2", "Enter 3",
                           "Restore 3", "Enter 4", "Strike out 4", "Enter 5", "Strike out 5",
                           "Enter 6", "Strike out 6", "Enter 7", "Strike out 7", "Enter 8",
                           "Strike out 8", "Enter 9", "Strike out 9", "Clear"}));
    act(cell(), "Restore 3");
    act(cell(), "Strike out 9");
    act(cell(), "Enter 4");
    EXPECT_EQ(form().moveLog().lines(), (std::vector<std::string>{"12,highlight", "12,dehighlight",
                                                                  "18,highlight", "13,clicked"}));
    // A filled cell shows no candidates: only the click on the cell is left.
    EXPECT_EQ(actions(cell()), QStringList{"Clear"});
    act(cell(), "Enter 9");
    act(cell(), "Strike out 9");
    EXPECT_EQ(form().moveLog().size(), 4u);
    act(cell(), "Clear");
    EXPECT_EQ(form().moveLog().last(), "2,declicked,4");
}

TEST_F(Accessibility, everyActionIsAnsweredOnceInWords) {
    const QString kEmptyOne = "1" + QString(80, u'.');
    struct Case {
        const char* what;
        std::function<void()> before; // after Easy, unheard
        std::function<void()> act;
        std::vector<std::string> said;
    };
    const Case cases[] = {
        {"Easy", [] {}, [&] { form().btnEasyClick(); }, {"Easy puzzle, 26 givens"}},
        {"Medium", [] {}, [&] { form().btnMediumClick(); }, {"Medium puzzle, 26 givens"}},
        {"Hard", [] {}, [&] { form().btnDifficultClick(); }, {"Hard puzzle, 28 givens"}},
        {"Blank", [] {}, [&] { form().btnBlankClick(); }, {"Blank board, no givens"}},
        {"a pasted puzzle of one given",
         [] {},
         [&] { form().layPuzzleText(kEmptyOne, "The clipboard"); },
         {"Puzzle from the clipboard, 1 given"}},
        {"a refused paste is the message window's to say",
         [] {},
         [&] { form().layPuzzleText("no puzzle", "The clipboard"); },
         {}},
        {"a plain digit", [] {}, [&] { enter(1, 2, 4); }, {"Row 1, column 2: 4"}},
        {"an excluded digit beeps: the first peer in reading order that holds it",
         [] {},
         [&] { enter(2, 2, 8); },
         {"Row 2, column 2: 8; 8 was excluded here by row 4, column 2"}},
        {"a struck digit beeps",
         [&] { strike(1, 2, 3); },
         [&] { enter(1, 2, 3); },
         {"Row 1, column 2: 3; 3 was struck out here"}},
        {"strike out",
         [] {},
         [&] { strike(1, 2, 3); },
         {"Row 1, column 2: empty, candidates 1 2 4 9, struck out 3"}},
        {"restore",
         [&] { strike(1, 2, 3); },
         [&] { strike(1, 2, 3); },
         {"Row 1, column 2: empty, candidates 1 2 3 4 9"}},
        {"clear a given",
         [] {},
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
        {"undo a strike-out",
         [&] { strike(1, 2, 3); },
         [&] { form().btnUnDoClick(); },
         {"Undone in the log only: 3 stays struck out at row 1, column 2; Ctrl+3 restores it"}},
        {"undo a restore",
         [&] { strike(1, 2, 3), strike(1, 2, 3); },
         [&] { form().btnUnDoClick(); },
         {"Undone in the log only: 3 stays restored at row 1, column 2; Ctrl+3 strikes it out"}},
        {"nothing to undo", [] {}, [&] { form().btnUnDoClick(); }, {"Nothing to undo"}},
        {"redo an excluded entry beeps again",
         [&] { enter(2, 2, 8), form().btnUnDoClick(); },
         [&] { form().redo(); },
         {"Row 2, column 2: 8; 8 was excluded here by row 4, column 2"}},
        {"redo a strike-out",
         [&] { strike(1, 2, 3), form().btnUnDoClick(); },
         [&] { form().redo(); },
         {"Redone in the log only: 3 stays struck out at row 1, column 2"}},
        {"nothing to redo",
         [&] { enter(1, 2, 4), form().btnUnDoClick(), enter(1, 2, 9); },
         [&] { form().redo(); },
         {"Nothing to redo"}},
        {"stragglers",
         [] {},
         [&] { form().btnSinglesClick(); },
         {"Row 4, column 3: 4; Row 7, column 7: 5; Row 7, column 9: 1"}},
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
         [&] { QTest::keyClick(&form(), Qt::Key_Right); },
         [&] { QTest::keyClick(&form(), Qt::Key_4); },
         {"Row 1, column 1: 5"}},
        {"an arrow at the board's edge",
         [&] { QTest::keyClick(&form(), Qt::Key_Right); },
         [&] { QTest::keyClick(&form(), Qt::Key_Up); },
         {"Row 1, column 1: 5"}},
        {"an arrow that moves is the focus's to say",
         [&] { QTest::keyClick(&form(), Qt::Key_Right); },
         [&] { QTest::keyClick(&form(), Qt::Key_Down); },
         {}},
    };
    for (const Case& c : cases) {
        TForm1 fresh;
        form().btnEasyClick();
        form().TimerRegFontsTimer();
        form().cursorCell() != nullptr ? QTest::keyClick(&form(), Qt::Key_Escape) : void();
        while (!form().redoLog().empty())
            form().redoLog().removeLast();
        c.before();
        heard();
        c.act();
        EXPECT_EQ(heard(), c.said) << c.what;
    }
}

} // namespace
