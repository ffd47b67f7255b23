#include "board/numbering.h"

#include <gtest/gtest.h>

#include <set>

using namespace board;

TEST(Numbering, panelMapIsItsOwnInverseWithTwentySevenFixedPoints) {
    constexpr auto table = makePanelToGrid();
    std::set<int> fixed;
    for (int n = 1; n <= kCellCount; ++n) {
        const int p = table[static_cast<std::size_t>(n)];
        ASSERT_GE(p, 1);
        ASSERT_LE(p, kCellCount);
        EXPECT_EQ(table[static_cast<std::size_t>(p)], n) << "panel " << n;
        if (p == n)
            fixed.insert(n);
    }
    const std::set<int> want{1,  2,  3,  13, 14, 15, 25, 26, 27, 28, 29, 30, 40, 41,
                             42, 52, 53, 54, 55, 56, 57, 67, 68, 69, 79, 80, 81};
    EXPECT_EQ(fixed, want);
}

TEST(Numbering, tableTextAndFormulaAgreeForEveryPanel) {
    constexpr auto table = makePanelToGrid();
    for (int n = 1; n <= kCellCount; ++n) {
        const int p = table[static_cast<std::size_t>(n)];
        EXPECT_EQ(PanelGridIndex(n), p) << "panel " << n;
        EXPECT_EQ(PanelRow(n), gridRow(p));
        EXPECT_EQ(PanelColumn(n), gridColumn(p));
        EXPECT_EQ(panelNumber(PanelRow(n), PanelColumn(n)), n);
    }
}

TEST(Numbering, documentedExamples) {
    struct Case {
        int panel, grid, row, column;
    };
    for (const Case c :
         {Case{4, 10, 2, 1}, Case{10, 4, 1, 4}, Case{81, 81, 9, 9}, Case{37, 31, 4, 4}}) {
        EXPECT_EQ(PanelGridIndex(c.panel), c.grid) << "panel " << c.panel;
        EXPECT_EQ(PanelRow(c.panel), c.row) << "panel " << c.panel;
        EXPECT_EQ(PanelColumn(c.panel), c.column) << "panel " << c.panel;
    }
    EXPECT_EQ(panelOfButton(729), 81);
    EXPECT_EQ(digitOfButton(729), 9);
    EXPECT_EQ(panelOfButton(10), 2);
    EXPECT_EQ(digitOfButton(10), 1);
    EXPECT_EQ(panelOfButton(1), 1);
    EXPECT_EQ(digitOfButton(1), 1);
    EXPECT_EQ(buttonNumber(12, 5), 104);
}

TEST(Numbering, numbersAreReadFromTheNameAtTheirFixedOffset) {
    EXPECT_EQ(ButtonNumberFromName("SpeedButton7"), 7);
    EXPECT_EQ(ButtonNumberFromName("SpeedButton729"), 729);
    EXPECT_EQ(ButtonNumberText("SpeedButton104"), "104");
    EXPECT_EQ(PanelNumberFromName("Panel81"), 81);
    EXPECT_EQ(PanelNumberFromName("Panel1"), 1);
    EXPECT_EQ(PanelNumberText("Panel12"), "12");
    // At most three characters are read, and a name too short to hold a number gives 0.
    EXPECT_EQ(ButtonNumberText("SpeedButton12345"), "123");
    EXPECT_EQ(ButtonNumberFromName("SpeedButton"), 0);
    EXPECT_EQ(PanelNumberFromName("Pan"), 0);
}

TEST(Numbering, commaFieldAtItsEdges) {
    struct Case {
        std::string_view text;
        int n;
        std::string_view want;
    };
    const Case cases[] = {
        {"abc", 1, "abc"},
        {"abc", 2, ""},
        {"abc", 0, "abc"},
        {"abc", -5, "abc"},
        {"12,clicked", 1, "12"},
        {"12,clicked", 2, "clicked"},
        {"12,clicked", 3, ""},
        {"12,declicked,", 3, ""},
        {"12,declicked,5", 3, "5"},
        {"a,,b", 2, ""},
        {"a,,b", 3, "b"},
        {",a", 1, ""},
        {"", 1, ""},
        {"", 4, ""},
        {"1,2,3", 4, ""},
        {" a , b ", 2, " b "},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CommaField(c.text, c.n), c.want) << "field " << c.n << " of \"" << c.text << '"';
}

TEST(Numbering, decimalValueAcceptsOnlyPlainNumbers) {
    EXPECT_EQ(decimalValue("0"), 0);
    EXPECT_EQ(decimalValue("729"), 729);
    EXPECT_EQ(decimalValue(""), 0);
    EXPECT_EQ(decimalValue("7a"), 0);
    EXPECT_EQ(decimalValue("99999999999999"), 0);
}
