#pragma once

#include "fakehost.h"

#include <gtest/gtest.h>

#include <set>

// A board on fake controls, with checks of the invariants that tie tables and controls.
class BoardTest : public ::testing::Test {
protected:
    FakeHost host;
    board::PuzzleBoard puzzle{host};

    static constexpr platform::ColorSetting colorOfMark(std::int32_t mark) {
        return mark == board::MarkExcluded ? platform::kYellow
               : mark == board::MarkStruck ? platform::kWhite
                                           : platform::kWindowText;
    }

    int cellOfPanel(int n) const {
        const int p = puzzle.panelToGrid(n);
        return puzzle.cell(board::gridColumn(p), board::gridRow(p));
    }

    // Cells that share a row, column or block with panel n, n excluded.
    static std::set<int> peersOf(int n) {
        const int p = board::PanelGridIndex(n);
        const int r = board::gridRow(p);
        const int c = board::gridColumn(p);
        std::set<int> peers;
        for (int row = 1; row <= 9; ++row) {
            for (int column = 1; column <= 9; ++column) {
                const bool shares =
                    row == r || column == c || board::blockOf(row, column) == board::blockOf(r, c);
                if (shares && !(row == r && column == c))
                    peers.insert(board::panelNumber(row, column));
            }
        }
        return peers;
    }

    void enter(int panel, int digit) {
        puzzle.SpeedButton1Click(host.button(board::buttonNumber(panel, digit)));
    }
    void clear(int panel) { puzzle.Panel1Click(host.panel(panel)); }
    void strike(int panel, int digit) {
        puzzle.SpeedButton1MouseDown(host.button(board::buttonNumber(panel, digit)),
                                     board::MouseButton::Right);
    }

    // Tables and controls agree: digits with captions and hidden candidates, marks with colours.
    void expectConsistent() {
        for (int n = 1; n <= board::kCellCount; ++n) {
            const int d = cellOfPanel(n);
            const std::string want = d == 0 ? "" : std::to_string(d);
            ASSERT_EQ(host.panel(n).caption(), want) << "panel " << n;
            for (int digit = 1; digit <= 9; ++digit) {
                const int k = board::buttonNumber(n, digit);
                ASSERT_EQ(host.button(k).isShown(), d == 0) << "button " << k;
                ASSERT_EQ(host.button(k).fontColor(), colorOfMark(puzzle.mark(k)))
                    << "button " << k << " mark " << puzzle.mark(k);
            }
        }
    }

    // Every candidate of an empty cell is yellow exactly when a peer holds its digit and the
    // player has not struck it.
    void expectExclusionsUpToDate() {
        for (int n = 1; n <= board::kCellCount; ++n) {
            if (cellOfPanel(n) != 0)
                continue;
            std::set<int> held;
            for (int peer : peersOf(n))
                held.insert(cellOfPanel(peer));
            for (int digit = 1; digit <= 9; ++digit) {
                const int k = board::buttonNumber(n, digit);
                if (puzzle.mark(k) == board::MarkStruck)
                    continue;
                const bool excluded = held.count(digit) != 0;
                ASSERT_EQ(puzzle.mark(k), excluded ? board::MarkExcluded : board::MarkPlain)
                    << "panel " << n << " digit " << digit;
            }
        }
    }
};
