#pragma once

#include "boardhost.h"
#include "numbering.h"
#include "puzzletext.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace board {

enum class MouseButton { Left, Right, Middle };

inline constexpr int kNormalFontSize = 10;
inline constexpr int kHintFontSize = 16;

inline constexpr std::string_view kEasyPuzzle =
    "5,0,6,8,0,0,0,0,0,0,0,0,0,0,0,0,0,6,0,0,0,6,0,0,1,3,2,0,8,0,3,0,0,2,0,5,0,0,0,9,0,1,0,0,0,"
    "7,0,1,0,0,8,0,6,0,6,7,9,0,0,3,0,0,0,2,0,0,0,0,0,0,0,0,0,0,0,0,0,9,4,0,8";
inline constexpr std::string_view kMediumPuzzle =
    "0,4,0,0,8,5,9,2,0,0,0,2,0,0,0,0,0,1,0,0,0,3,0,2,8,0,0,0,0,0,0,0,7,0,1,2,0,0,0,0,0,0,0,0,0,"
    "3,2,0,9,0,0,0,0,0,0,0,3,6,0,4,0,0,0,9,0,0,0,0,0,2,0,0,0,7,4,5,2,0,0,6,0";
inline constexpr std::string_view kHardPuzzle =
    "0,8,0,7,0,4,0,2,0,7,0,5,8,0,3,1,0,6,0,0,0,0,0,0,0,0,0,0,0,2,0,0,0,4,0,0,8,0,0,4,0,9,0,0,7,"
    "0,0,3,0,0,0,5,0,0,0,0,0,0,0,0,0,0,0,1,0,4,2,0,7,9,0,8,0,9,0,1,0,6,0,5,0";

// The board's three tables and every action on them. The controls are the board's second copy
// of its state: each action changes the tables and the controls together, through the host.
class PuzzleBoard {
public:
    explicit PuzzleBoard(BoardHost& host);

    // Empties the board tables and fills PanelToGrid, in that order.
    void initialise();

    void btnCleanClick();
    void SpeedButton1Click(BoardControl& sender);
    void Panel1Click(BoardControl& sender);
    void SpeedButton1MouseDown(BoardControl& sender, MouseButton button);
    void btnUnDoClick();
    void btnBlankClick();
    void btnEasyClick() { loadPuzzle(kEasyPuzzle); }
    void btnMediumClick() { loadPuzzle(kMediumPuzzle); }
    void btnDifficultClick() { loadPuzzle(kHardPuzzle); }
    void btnSinglesClick();
    void btnRemainingClick();
    void TimerRegFontsTimer();

    void loadPuzzle(std::string_view puzzleText);
    void loadPuzzle(const PuzzleDigits& digits) { loadPuzzle(commaPuzzleText(digits)); }

    // Applies again the newest move that Undo took back, as its click would, and puts its
    // line back at the end of the move log. Only moves undone since the board last changed in
    // any other way can be redone; with none, nothing happens.
    void redo();
    bool canRedo() const { return m_redoable > 0; }

    // The digits on the board, givens and entries alike, in reading order.
    PuzzleDigits digits() const;

    // Board[c][r], column first, both from 1.
    std::int32_t cell(int column, int row) const {
        return m_board[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)];
    }
    std::int32_t mark(int button) const { return m_marks[static_cast<std::size_t>(button)]; }
    std::int32_t panelToGrid(int panel) const {
        return m_panelToGrid[static_cast<std::size_t>(panel)];
    }

private:
    std::int32_t& cellRef(int column, int row) {
        return m_board[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)];
    }
    std::int32_t& markRef(int button) { return m_marks[static_cast<std::size_t>(button)]; }
    std::int32_t& panelCell(int panel);

    BoardControl* button(std::string_view prefix, int number);
    void excludeIn(int row, int column, std::int32_t digit);
    void showCandidates(int panel, bool shown);
    // Puts every yellow candidate back to plain. With testMarkApart, a mark of 1 is reset on
    // its own test, as clearing a cell does; otherwise only together with the colour.
    void resetExclusions(bool testMarkApart);
    void retireNewestMove();
    void enlargeIfOnlyPlace(const std::array<int, 9>& panels, int digit);

    BoardHost& m_host;
    std::array<std::array<std::int32_t, 10>, 10> m_board{};
    std::array<std::int32_t, kButtonCount + 1> m_marks{};
    std::array<std::int32_t, kCellCount + 1> m_panelToGrid{};
    // How many of the newest redo-log lines were undone since the board last changed otherwise.
    int m_redoable = 0;
};

} // namespace board
