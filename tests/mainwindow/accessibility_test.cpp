// The board as an assistive technology reads it, for the states the end-to-end test does not
// reach: struck candidates, hints, the candidates' own names and actions, and what is reported.
#include "mainwindow/SUnit1.h"

#include <QAccessible>
#include <QCoreApplication>
#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

namespace {

using Reported = std::pair<QObject*, QAccessible::Event>;

std::vector<Reported>& reported() {
    static std::vector<Reported> events;
    return events;
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
        form.btnEasyClick();
        settle();
    }
    void TearDown() override {
        accessibility::setReportHook({});
        QAccessible::setActive(false);
    }

    // Lets the running action end, and gives what it reported.
    std::vector<Reported> settle() {
        QCoreApplication::processEvents();
        return std::exchange(reported(), {});
    }
    QAccessibleInterface* of(QWidget* widget) {
        return QAccessible::queryAccessibleInterface(widget);
    }
    CandidateButton* candidate(int panel, int digit) {
        return static_cast<CandidateButton*>(
            form.ControlByName("SpeedButton" + std::to_string(board::buttonNumber(panel, digit))));
    }
    void strike(int panel, int digit) {
        form.SpeedButton1MouseDown(*candidate(panel, digit), Qt::RightButton);
    }

    TForm1 form;
    QWidget* cell = form.ControlByName("Panel2"); // row 1, column 2, empty in Easy
};

TEST_F(Accessibility, aCellSaysWhatItShows) {
    struct Case {
        const char* what;
        std::function<void()> act; // after Easy
        const char* name;
        const char* description;
    };
    const Case cases[] = {
        {"Easy", [] {}, "Row 1, column 2: empty, candidates 1 2 3 4 9", ""},
        {"a plain candidate struck", [&] { strike(2, 3); },
         "Row 1, column 2: empty, candidates 1 2 4 9, struck out 3", ""},
        {"an excluded candidate struck", [&] { strike(2, 5); },
         "Row 1, column 2: empty, candidates 1 2 3 4 9, struck out 5", ""},
        {"every plain candidate struck",
         [&] {
             for (int d : {9, 4, 1, 3, 2})
                 strike(2, d);
         },
         "Row 1, column 2: empty, no candidates, struck out 1 2 3 4 9", ""},
        {"a hint on the last plain candidate",
         [&] {
             for (int d : {1, 2, 3, 4})
                 strike(2, d);
             form.btnSinglesClick();
         },
         "Row 1, column 2: empty, candidates 9, struck out 1 2 3 4", "Hint: 9"},
    };
    for (const Case& c : cases) {
        form.btnEasyClick();
        c.act();
        EXPECT_EQ(of(cell)->text(QAccessible::Name), QString::fromLatin1(c.name)) << c.what;
        EXPECT_EQ(of(cell)->text(QAccessible::Description), QString::fromLatin1(c.description))
            << c.what;
    }
}

TEST_F(Accessibility, eachChangeIsReportedOnceAfterTheActionAndOnlyWhileListening) {
    strike(2, 3);
    EXPECT_TRUE(reported().empty()) << "reported before the action ended";
    EXPECT_EQ(settle(), (std::vector<Reported>{{candidate(2, 3), QAccessible::NameChanged},
                                               {cell, QAccessible::NameChanged}}));
    for (int d : {1, 2, 4})
        strike(2, d);
    settle();
    // Every cell left with one plain candidate shows it in large type, until the tick.
    form.btnSinglesClick();
    std::vector<Reported> hinted;
    for (int n = 1; n <= board::kCellCount; ++n) {
        QWidget* c = form.ControlByName("Panel" + std::to_string(n));
        if (!of(c)->text(QAccessible::Description).isEmpty())
            hinted.push_back({c, QAccessible::DescriptionChanged});
    }
    ASSERT_FALSE(hinted.empty());
    EXPECT_EQ(settle(), hinted);
    form.TimerRegFontsTimer();
    EXPECT_EQ(settle(), hinted);
    // Clearing an empty cell resets and recomputes every yellow candidate: nothing reads
    // differently afterwards.
    form.Panel1Click(*static_cast<CellPanel*>(cell));
    EXPECT_TRUE(settle().empty());

    QAccessible::setActive(false);
    strike(2, 9);
    EXPECT_TRUE(settle().empty());
}

TEST_F(Accessibility, candidatesAreButtonsThatEnterAndStrike) {
    const auto action = [&](int digit, int index) {
        QAccessibleActionInterface* actions = of(candidate(2, digit))->actionInterface();
        actions->doAction(actions->actionNames().at(index));
    };
    EXPECT_EQ(of(candidate(2, 4))->role(), QAccessible::Button);
    EXPECT_FALSE(of(candidate(2, 4))->state().focusable);
    EXPECT_EQ(of(candidate(2, 5))->text(QAccessible::Name), "5, excluded");
    action(3, 1);
    EXPECT_EQ(of(candidate(2, 3))->text(QAccessible::Name), "3, struck out");
    EXPECT_EQ(form.moveLog().last(), "12,highlight");
    action(4, 0);
    EXPECT_EQ(form.moveLog().last(), "13,clicked");
    EXPECT_EQ(form.board().cell(2, 1), 4);
    // The filled cell's candidates are out of sight and take no action.
    EXPECT_TRUE(of(candidate(2, 9))->state().invisible);
    action(9, 0);
    action(9, 1);
    EXPECT_EQ(form.moveLog().size(), 2u);
}

} // namespace
