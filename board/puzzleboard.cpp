#include "puzzleboard.h"

#include <string>

namespace board {

using platform::ColorSetting;
using platform::kWhite;
using platform::kWindowText;
using platform::kYellow;

namespace {
std::string numbered(std::string_view prefix, int number) {
    std::string name(prefix);
    name += std::to_string(number);
    return name;
}

std::string digitText(std::int32_t digit) {
    return std::to_string(digit);
}
} // namespace

PuzzleBoard::PuzzleBoard(BoardHost& host) : m_host(host) {
    initialise();
}

void PuzzleBoard::initialise() {
    for (auto& column : m_board)
        column.fill(0);
    m_marks.fill(MarkPlain);
    m_panelToGrid = makePanelToGrid();
}

std::int32_t& PuzzleBoard::panelCell(int panel) {
    const int p = panelToGrid(panel);
    return cellRef(gridColumn(p), gridRow(p));
}

BoardControl* PuzzleBoard::button(std::string_view prefix, int number) {
    return m_host.controlByName(numbered(prefix, number));
}

void PuzzleBoard::showCandidates(int panel, bool shown) {
    for (int k = buttonNumber(panel, 1); k <= buttonNumber(panel, 9); ++k) {
        if (BoardControl* candidate = button("speedbutton", k))
            candidate->setShown(shown);
    }
}

void PuzzleBoard::excludeIn(int row, int column, std::int32_t digit) {
    const int panel = panelToGrid(gridIndex(row, column));
    const int k = buttonNumber(panel, digit);
    BoardControl* candidate = button("speedbutton", k);
    if (candidate != nullptr && candidate->fontColor() == kWindowText) {
        candidate->setFontColor(kYellow);
        markRef(k) = MarkExcluded;
    }
}

void PuzzleBoard::btnCleanClick() {
    for (int r = 1; r <= 9; ++r) {
        for (int c = 1; c <= 9; ++c) {
            const std::int32_t d = cell(c, r);
            // A digit outside 1..9 has no candidate button to mark.
            if (d < 1 || d > 9)
                continue;
            for (int j = 1; j <= 9; ++j) {
                if (cell(j, r) == 0)
                    excludeIn(r, j, d);
            }
            for (int k = 1; k <= 9; ++k) {
                if (cell(c, k) == 0)
                    excludeIn(k, c, d);
            }
            const int firstColumn = ((c - 1) / 3) * 3 + 1;
            const int firstRow = ((r - 1) / 3) * 3 + 1;
            for (int j = firstColumn; j < firstColumn + 3; ++j) {
                for (int k = firstRow; k < firstRow + 3; ++k) {
                    if (cell(j, k) == 0)
                        excludeIn(k, j, d);
                }
            }
        }
    }
}

void PuzzleBoard::SpeedButton1Click(BoardControl& sender) {
    const int d = decimalValue(sender.caption());
    const int k = ButtonNumberFromName(sender.controlName());
    if (k < 1 || k > kButtonCount)
        return;
    m_redoable = 0;
    if (mark(k) != MarkPlain)
        m_host.beep();
    const int panel = panelOfButton(k);
    if (BoardControl* cellPanel = button("panel", panel))
        cellPanel->setCaption(digitText(d));
    showCandidates(panel, false);
    panelCell(panelOfButton(ButtonNumberFromName(sender.controlName()))) = d;
    btnCleanClick();
    std::string line(ButtonNumberText(sender.controlName()));
    line += ",clicked";
    m_host.moveLog().append(line);
}

void PuzzleBoard::Panel1Click(BoardControl& sender) {
    m_redoable = 0;
    std::string line(PanelNumberText(sender.controlName()));
    line += ",declicked,";
    line += sender.caption();
    m_host.moveLog().append(line);

    const int panel = PanelNumberFromName(sender.controlName());
    if (panel < 1 || panel > kCellCount)
        return;
    showCandidates(panel, true);
    sender.setCaption({});
    panelCell(PanelNumberFromName(sender.controlName())) = 0;
    resetExclusions(true);
    btnCleanClick();
}

void PuzzleBoard::resetExclusions(bool testMarkApart) {
    for (int k = 1; k <= kButtonCount; ++k) {
        BoardControl* candidate = button("SpeedButton", k);
        const bool yellow = candidate != nullptr && candidate->fontColor() == kYellow;
        if (yellow)
            candidate->setFontColor(kWindowText);
        if (testMarkApart ? mark(k) == MarkExcluded : yellow)
            markRef(k) = MarkPlain;
    }
}

void PuzzleBoard::SpeedButton1MouseDown(BoardControl& sender, MouseButton mouseButton) {
    if (mouseButton != MouseButton::Right)
        return;
    const int k = ButtonNumberFromName(sender.controlName());
    if (k < 1 || k > kButtonCount)
        return;
    m_redoable = 0;
    std::string line(ButtonNumberText(sender.controlName()));
    if (sender.fontColor() == kWhite) {
        sender.setFontColor(kWindowText);
        line += ",dehighlight";
        m_host.moveLog().append(line);
        markRef(k) = MarkPlain;
    } else {
        sender.setFontColor(kWhite);
        line += ",highlight";
        m_host.moveLog().append(line);
        markRef(k) = MarkStruck;
    }
}

void PuzzleBoard::retireNewestMove() {
    LineList& moves = m_host.moveLog();
    m_host.redoLog().append(moves.last());
    moves.removeLast();
    ++m_redoable;
}

void PuzzleBoard::btnUnDoClick() {
    const LineList& moves = m_host.moveLog();
    if (moves.empty())
        return;
    const std::string line = moves.last();
    const std::string_view word = CommaField(line, 2);
    if (word == "clicked") {
        const int k = decimalValue(CommaField(line, 1));
        if (k < 1 || k > kButtonCount)
            return;
        const int panel = panelOfButton(k);
        if (BoardControl* cellPanel = button("Panel", panel))
            cellPanel->setCaption({});
        showCandidates(panel, true);
        cellRef(PanelColumn(panel), PanelRow(panel)) = 0;
        resetExclusions(false);
        btnCleanClick();
        retireNewestMove();
    } else if (word == "declicked") {
        const int panel = decimalValue(CommaField(line, 1));
        if (panel < 1 || panel > kCellCount)
            return;
        const std::string_view digit = CommaField(line, 3);
        if (!digit.empty()) {
            cellRef(PanelColumn(panel), PanelRow(panel)) = decimalValue(digit);
            if (BoardControl* cellPanel = button("Panel", panel))
                cellPanel->setCaption(digit);
            showCandidates(panel, false);
            btnCleanClick();
        }
        retireNewestMove();
    } else if (word == "highlight" || word == "dehighlight") {
        retireNewestMove();
    }
}

void PuzzleBoard::redo() {
    LineList& undone = m_host.redoLog();
    if (m_redoable <= 0 || undone.empty())
        return;
    const std::string line = undone.last();
    const int stillRedoable = m_redoable - 1;
    undone.removeLast();
    // The click handlers put the line back themselves, word for word: nothing has changed the
    // board since the Undo, so the cell holds what it held when the line was first written.
    const std::string_view word = CommaField(line, 2);
    BoardControl* sender = nullptr;
    if (word == "clicked")
        sender = button("SpeedButton", decimalValue(CommaField(line, 1)));
    else if (word == "declicked")
        sender = button("Panel", decimalValue(CommaField(line, 1)));
    if (sender == nullptr)
        m_host.moveLog().append(line);
    else if (word == "clicked")
        SpeedButton1Click(*sender);
    else
        Panel1Click(*sender);
    m_redoable = stillRedoable;
}

PuzzleDigits PuzzleBoard::digits() const {
    PuzzleDigits result{};
    for (int p = 1; p <= kCellCount; ++p)
        result[static_cast<std::size_t>(p - 1)] =
            static_cast<std::int8_t>(cell(gridColumn(p), gridRow(p)));
    return result;
}

void PuzzleBoard::btnBlankClick() {
    m_redoable = 0;
    m_host.moveLog().clear();
    m_host.redoLog().clear();
    for (int c = 1; c <= 9; ++c) {
        for (int r = 1; r <= 9; ++r)
            cellRef(c, r) = 0;
    }
    for (int n = 1; n <= kCellCount; ++n) {
        if (BoardControl* cellPanel = button("Panel", n))
            cellPanel->setCaption({});
    }
    for (int k = 1; k <= kButtonCount; ++k) {
        markRef(k) = MarkPlain;
        if (BoardControl* candidate = button("SpeedButton", k)) {
            candidate->setFontColor(kWindowText);
            candidate->setShown(true);
        }
    }
    btnCleanClick();
}

void PuzzleBoard::loadPuzzle(std::string_view puzzleText) {
    btnBlankClick();
    for (int r = 1; r <= 9; ++r) {
        for (int c = 1; c <= 9; ++c) {
            const int k = gridIndex(r, c);
            const int v = decimalValue(CommaField(puzzleText, k));
            cellRef(c, r) = v;
            if (v > 0) {
                const int panel = PanelGridIndex(k);
                if (BoardControl* cellPanel = button("Panel", panel))
                    cellPanel->setCaption(digitText(v));
                showCandidates(panel, false);
            }
        }
    }
    btnCleanClick();
}

void PuzzleBoard::btnSinglesClick() {
    for (int n = 1; n <= kCellCount; ++n) {
        BoardControl* single = nullptr;
        int plain = 0;
        for (int d = 1; d <= 9; ++d) {
            BoardControl* candidate = button("SpeedButton", buttonNumber(n, d));
            if (candidate != nullptr && candidate->fontColor() == kWindowText) {
                ++plain;
                single = candidate;
            }
        }
        if (plain == 1) {
            single->setFontPointSize(single->fontPointSize() == kHintFontSize ? kNormalFontSize
                                                                              : kHintFontSize);
        }
    }
    m_host.startHintTimer();
}

void PuzzleBoard::enlargeIfOnlyPlace(const std::array<int, 9>& panels, int digit) {
    int places = 0;
    for (const int n : panels) {
        if (cellRef(PanelColumn(n), PanelRow(n)) == 0 && mark(buttonNumber(n, digit)) == MarkPlain)
            ++places;
    }
    if (places != 1)
        return;
    for (const int n : panels) {
        const int k = buttonNumber(n, digit);
        if (mark(k) != MarkPlain)
            continue;
        if (BoardControl* candidate = button("SpeedButton", k))
            candidate->setFontPointSize(kHintFontSize);
        m_host.startHintTimer();
    }
}

void PuzzleBoard::btnRemainingClick() {
    std::array<int, 9> panels{};
    for (int r = 1; r <= 9; ++r) {
        for (int c = 1; c <= 9; ++c)
            panels[static_cast<std::size_t>(c - 1)] = PanelGridIndex(gridIndex(r, c));
        for (int d = 1; d <= 9; ++d)
            enlargeIfOnlyPlace(panels, d);
    }
    for (int c = 1; c <= 9; ++c) {
        for (int r = 1; r <= 9; ++r)
            panels[static_cast<std::size_t>(r - 1)] = PanelGridIndex(gridIndex(r, c));
        for (int d = 1; d <= 9; ++d)
            enlargeIfOnlyPlace(panels, d);
    }
    for (int b = 1; b <= 9; ++b) {
        for (int i = 0; i < 9; ++i)
            panels[static_cast<std::size_t>(i)] = (b - 1) * 9 + i + 1;
        for (int d = 1; d <= 9; ++d)
            enlargeIfOnlyPlace(panels, d);
    }
}

void PuzzleBoard::TimerRegFontsTimer() {
    for (int k = 1; k <= kButtonCount; ++k) {
        BoardControl* candidate = button("SpeedButton", k);
        if (candidate != nullptr && candidate->fontPointSize() != kNormalFontSize)
            candidate->setFontPointSize(kNormalFontSize);
    }
    m_host.stopHintTimer();
}

} // namespace board
