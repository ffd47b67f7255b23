// A long random walk over every player action on the real main window, checked after every
// step against a small model of the rules written independently of the board code.
#include "mainwindow/SUnit1.h"
#include "mainwindow/messagewindow.h"
#include "platform/bell.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

using board::kButtonCount;
using board::kCellCount;

int rowOfPanel(int n) {
    return ((n - 1) / 9 / 3) * 3 + (n - 1) % 9 / 3 + 1;
}
int columnOfPanel(int n) {
    return ((n - 1) / 9 % 3) * 3 + (n - 1) % 9 % 3 + 1;
}
int blockOfPanel(int n) {
    return (n - 1) / 9 + 1;
}
int panelAt(int row, int column) {
    for (int n = 1; n <= kCellCount; ++n) {
        if (rowOfPanel(n) == row && columnOfPanel(n) == column)
            return n;
    }
    return 0;
}

struct Model {
    std::array<int, kCellCount + 1> digit{};
    std::array<int, kButtonCount + 1> mark{};
    std::array<int, kButtonCount + 1> points{};
    std::vector<std::string> moves;
    std::vector<std::string> redo;
    bool timer = false;
    int beeps = 0;
    int messages = 0;
    int redoable = 0; // undone moves that Redo may apply again

    Model() { points.fill(10); }

    static int button(int n, int d) { return (n - 1) * 9 + d; }

    static const std::vector<int>& peers(int n) {
        static const auto table = [] {
            std::array<std::vector<int>, kCellCount + 1> t;
            for (int a = 1; a <= kCellCount; ++a) {
                for (int b = 1; b <= kCellCount; ++b) {
                    if (a != b &&
                        (rowOfPanel(a) == rowOfPanel(b) || columnOfPanel(a) == columnOfPanel(b) ||
                         blockOfPanel(a) == blockOfPanel(b)))
                        t[static_cast<std::size_t>(a)].push_back(b);
                }
            }
            return t;
        }();
        return table[static_cast<std::size_t>(n)];
    }

    int& markOf(int n, int d) { return mark[static_cast<std::size_t>(button(n, d))]; }
    int& digitOf(int n) { return digit[static_cast<std::size_t>(n)]; }

    void recompute() {
        for (int n = 1; n <= kCellCount; ++n) {
            if (digitOf(n) != 0)
                continue;
            for (int peer : peers(n)) {
                const int d = digitOf(peer);
                if (d != 0 && markOf(n, d) == 0)
                    markOf(n, d) = 1;
            }
        }
    }
    void resetExcluded() {
        for (int& m : mark) {
            if (m == 1)
                m = 0;
        }
    }

    void enter(int n, int d) {
        redoable = 0;
        if (markOf(n, d) != 0)
            ++beeps;
        digitOf(n) = d;
        recompute();
        moves.push_back(std::to_string(button(n, d)) + ",clicked");
    }
    void clear(int n) {
        redoable = 0;
        const int d = digitOf(n);
        moves.push_back(std::to_string(n) + ",declicked," + (d ? std::to_string(d) : ""));
        digitOf(n) = 0;
        resetExcluded();
        recompute();
    }
    void strike(int k) {
        redoable = 0;
        int& m = mark[static_cast<std::size_t>(k)];
        moves.push_back(std::to_string(k) + (m == 2 ? ",dehighlight" : ",highlight"));
        m = m == 2 ? 0 : 2;
    }
    // A log line's number and everything after its first comma.
    static std::pair<int, std::string> split(const std::string& line) {
        const auto comma = line.find(',');
        return {std::stoi(line.substr(0, comma)), line.substr(comma + 1)};
    }
    void undo() {
        if (moves.empty())
            return;
        const std::string line = moves.back();
        const auto [number, rest] = split(line);
        if (rest == "clicked") {
            digitOf((number - 1) / 9 + 1) = 0;
            resetExcluded();
            recompute();
        } else if (rest.rfind("declicked,", 0) == 0 && rest.size() > 10) {
            digitOf(number) = rest[10] - '0';
            recompute();
        }
        redo.push_back(line);
        moves.pop_back();
        ++redoable;
    }
    void redoNewest() {
        if (redoable == 0)
            return;
        const int left = redoable - 1;
        const std::string line = redo.back();
        redo.pop_back();
        const auto [number, rest] = split(line);
        if (rest == "clicked")
            enter((number - 1) / 9 + 1, (number - 1) % 9 + 1);
        else if (rest.rfind("declicked,", 0) == 0)
            clear(number);
        else
            moves.push_back(line);
        redoable = left;
    }
    // The board as one line, or nothing when a digit repeats in a row, column or block.
    std::string line() const {
        std::string text;
        for (int row = 1; row <= 9; ++row) {
            for (int column = 1; column <= 9; ++column) {
                const int d = digit[static_cast<std::size_t>(panelAt(row, column))];
                text += d ? char('0' + d) : '.';
            }
        }
        return text;
    }
    bool repeats() const {
        for (int n = 1; n <= kCellCount; ++n) {
            for (int peer : peers(n)) {
                const int d = digit[static_cast<std::size_t>(n)];
                if (d != 0 && d == digit[static_cast<std::size_t>(peer)])
                    return true;
            }
        }
        return false;
    }
    void load(std::string_view text) {
        redoable = 0;
        moves.clear();
        redo.clear();
        digit.fill(0);
        mark.fill(0);
        for (int k = 0; k < kCellCount; ++k) {
            const int v = text[static_cast<std::size_t>(2 * k)] - '0';
            digitOf(panelAt(k / 9 + 1, k % 9 + 1)) = v;
        }
        recompute();
    }
    void stragglers() {
        for (int n = 1; n <= kCellCount; ++n) {
            int plain = 0;
            int last = 0;
            for (int d = 1; d <= 9; ++d) {
                if (markOf(n, d) == 0) {
                    ++plain;
                    last = button(n, d);
                }
            }
            if (plain == 1) {
                int& p = points[static_cast<std::size_t>(last)];
                p = p == 16 ? 10 : 16;
            }
        }
        timer = true;
    }
    void remainingIn(const std::vector<int>& unit) {
        for (int d = 1; d <= 9; ++d) {
            int places = 0;
            for (int n : unit)
                places += digitOf(n) == 0 && markOf(n, d) == 0 ? 1 : 0;
            if (places != 1)
                continue;
            for (int n : unit) {
                if (markOf(n, d) == 0) {
                    points[static_cast<std::size_t>(button(n, d))] = 16;
                    timer = true;
                }
            }
        }
    }
    void remaining() {
        for (int kind = 0; kind < 3; ++kind) {
            for (int i = 1; i <= 9; ++i) {
                std::vector<int> unit;
                for (int n = 1; n <= kCellCount; ++n) {
                    const int key = kind == 0   ? rowOfPanel(n)
                                    : kind == 1 ? columnOfPanel(n)
                                                : blockOfPanel(n);
                    if (key == i)
                        unit.push_back(n);
                }
                remainingIn(unit);
            }
        }
    }
    void tick() {
        points.fill(10);
        timer = false;
    }
};

platform::ColorSetting colourOf(int mark) {
    return mark == 1 ? platform::kYellow : mark == 2 ? platform::kWhite : platform::kWindowText;
}

class ModelWalk {
public:
    explicit ModelWalk(unsigned seed) : m_random(seed) {
        m_form.show();
        platform::setBeepHook([this](unsigned) { ++m_beeps; });
        setMessageHook([this](const QString&) { ++m_messages; });
        for (int n = 1; n <= kCellCount; ++n)
            m_cells[static_cast<std::size_t>(n)] =
                static_cast<CellPanel*>(m_form.ControlByName("Panel" + std::to_string(n)));
        for (int k = 1; k <= kButtonCount; ++k)
            m_buttons[static_cast<std::size_t>(k)] = static_cast<CandidateButton*>(
                m_form.ControlByName("SpeedButton" + std::to_string(k)));
        snapshot();
    }
    ~ModelWalk() {
        platform::setBeepHook({});
        setMessageHook({});
    }

    void step(int i);
    // Returns a description of the first difference between the window and the model.
    std::string difference() const;
    std::string differenceFromSnapshot() const;
    void undoAll();

private:
    int pick(int from, int to) { return std::uniform_int_distribution<int>(from, to)(m_random); }
    void snapshot() {
        m_snapshot = m_model;
        m_touched.clear();
    }

    TForm1 m_form;
    Model m_model;
    Model m_snapshot;
    std::set<int> m_touched; // candidates right-clicked since the last new puzzle
    std::array<CellPanel*, kCellCount + 1> m_cells{};
    std::array<CandidateButton*, kButtonCount + 1> m_buttons{};
    std::mt19937 m_random;
    int m_beeps = 0;
    int m_messages = 0;

    void pointAt(QWidget* widget) {
        // Twice at first: the offscreen platform puts a window's first enter at another place.
        if (!m_pointerInside)
            QTest::mouseMove(m_form.windowHandle(), widget->mapTo(&m_form, QPoint(2, 2)));
        m_pointerInside = true;
        QTest::mouseMove(m_form.windowHandle(), widget->mapTo(&m_form, QPoint(1, 1)));
    }
    bool m_pointerInside = false;
    void key(int key, Qt::KeyboardModifiers modifiers = {}) {
        QWidget* focused = m_form.focusWidget();
        QTest::keyClick(focused ? focused : &m_form, static_cast<Qt::Key>(key), modifiers);
    }
    int emptyCell() {
        std::vector<int> empty;
        for (int n = 1; n <= kCellCount; ++n) {
            if (m_model.digitOf(n) == 0)
                empty.push_back(n);
        }
        return empty.empty() ? 0 : empty[static_cast<std::size_t>(pick(0, int(empty.size()) - 1))];
    }
    void stepByKey(int action);
};

// The keys and the clipboard, checked against the same model as the clicks they stand for.
void ModelWalk::stepByKey(int action) {
    const Qt::KeyboardModifiers keypad = pick(0, 1) ? Qt::KeypadModifier : Qt::NoModifier;
    if (action < 106) {
        if (const int n = emptyCell()) {
            const int d = pick(1, 9);
            pointAt(m_buttons[static_cast<std::size_t>(Model::button(n, pick(1, 9)))]);
            key(Qt::Key_0 + d, keypad);
            m_model.enter(n, d);
        }
    } else if (action < 109) {
        if (const int n = emptyCell()) {
            const int d = pick(1, 9);
            pointAt(m_cells[static_cast<std::size_t>(n)]);
            key(Qt::Key_0 + d, Qt::ControlModifier | keypad);
            m_model.strike(Model::button(n, d));
            m_touched.insert(Model::button(n, d));
        }
    } else if (action < 112) {
        const int n = pick(1, kCellCount);
        pointAt(m_cells[static_cast<std::size_t>(n)]);
        static constexpr int clearKeys[] = {Qt::Key_Delete, Qt::Key_Backspace, Qt::Key_0};
        key(clearKeys[pick(0, 2)], keypad);
        m_model.clear(n);
    } else if (action < 116) {
        if (pick(0, 1))
            key(Qt::Key_Y, Qt::ControlModifier);
        else
            key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        m_model.redoNewest();
    } else if (action < 117) {
        key(Qt::Key_Z, Qt::ControlModifier);
        m_model.undo();
    } else if (action < 119) {
        // Copy, then paste what was copied: the board comes back as a new puzzle unless a
        // digit repeats, which is refused with a message and changes nothing.
        key(Qt::Key_C, Qt::ControlModifier);
        const std::string line = m_model.line();
        ASSERT_EQ(QGuiApplication::clipboard()->text().toStdString(), line);
        key(Qt::Key_V, Qt::ControlModifier);
        if (m_model.repeats()) {
            ++m_model.messages;
        } else {
            std::string comma;
            for (const char ch : line)
                comma += std::string(comma.empty() ? "" : ",") + (ch == '.' ? '0' : ch);
            m_model.load(comma);
            snapshot();
        }
    } else {
        QGuiApplication::clipboard()->setText(QStringLiteral("1.2.3"));
        key(Qt::Key_V, Qt::ControlModifier);
        ++m_model.messages;
    }
}

void ModelWalk::step(int i) {
    const int action = pick(0, 119);
    if (action >= 100) {
        stepByKey(action);
    } else if (action < 40) { // left click on a visible candidate
        std::vector<int> empty;
        for (int n = 1; n <= kCellCount; ++n) {
            if (m_model.digitOf(n) == 0)
                empty.push_back(n);
        }
        if (empty.empty())
            return;
        const int n = empty[static_cast<std::size_t>(pick(0, int(empty.size()) - 1))];
        const int d = pick(1, 9);
        QTest::mouseClick(m_buttons[static_cast<std::size_t>(Model::button(n, d))], Qt::LeftButton);
        m_model.enter(n, d);
    } else if (action < 55) { // right click on a visible candidate
        const int k = pick(1, kButtonCount);
        if (m_model.digitOf((k - 1) / 9 + 1) != 0)
            return;
        QTest::mousePress(m_buttons[static_cast<std::size_t>(k)], Qt::RightButton);
        QTest::mouseRelease(m_buttons[static_cast<std::size_t>(k)], Qt::RightButton);
        m_model.strike(k);
        m_touched.insert(k);
    } else if (action < 70) { // click on any cell, beside its candidates
        const int n = pick(1, kCellCount);
        QTest::mouseClick(m_cells[static_cast<std::size_t>(n)], Qt::LeftButton, {}, QPoint(1, 1));
        m_model.clear(n);
    } else if (action < 88) {
        m_form.btnUnDoClick();
        m_model.undo();
    } else if (action < 92) {
        const int which = pick(0, 3);
        static constexpr std::string_view texts[] = {
            "0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,"
            "0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0",
            board::kEasyPuzzle, board::kMediumPuzzle, board::kHardPuzzle};
        void (TForm1::*handlers[])() = {&TForm1::btnBlankClick, &TForm1::btnEasyClick,
                                        &TForm1::btnMediumClick, &TForm1::btnDifficultClick};
        (m_form.*handlers[which])();
        m_model.load(texts[which]);
        snapshot();
    } else if (action < 95) {
        m_form.btnSinglesClick();
        m_model.stragglers();
    } else if (action < 98) {
        m_form.btnRemainingClick();
        m_model.remaining();
    } else {
        m_form.TimerRegFonts.fire();
        m_model.tick();
    }
    if (i % 500 == 0)
        QApplication::processEvents();
    // Simulated clicks and keys run the event loop, where on a slow run the hint timer may end
    // its two seconds as it would for a player. No action but a hint touches font sizes or the
    // timer, so such a tick is the model's tick at the end of the step.
    if (m_model.timer && !m_form.TimerRegFonts.isActive())
        m_model.tick();
}

std::string ModelWalk::difference() const {
    const board::PuzzleBoard& b = m_form.board();
    for (int n = 1; n <= kCellCount; ++n) {
        const int d = m_model.digit[static_cast<std::size_t>(n)];
        const QString caption = m_cells[static_cast<std::size_t>(n)]->TPanel::caption();
        if (caption != (d ? QString::number(d) : QString()))
            return "panel " + std::to_string(n) + " caption have " + caption.toStdString() +
                   ", want " + std::to_string(d);
        if (b.cell(columnOfPanel(n), rowOfPanel(n)) != d)
            return "Board of panel " + std::to_string(n);
        for (int digit = 1; digit <= 9; ++digit) {
            const int k = Model::button(n, digit);
            const CandidateButton* button = m_buttons[static_cast<std::size_t>(k)];
            const int mark = m_model.mark[static_cast<std::size_t>(k)];
            if (button->isHidden() != (d != 0))
                return "visibility of button " + std::to_string(k);
            if (b.mark(k) != mark)
                return "mark of button " + std::to_string(k) + " have " +
                       std::to_string(b.mark(k)) + ", want " + std::to_string(mark);
            if (button->fontColor() != colourOf(mark))
                return "font colour of button " + std::to_string(k);
            if (button->fontPointSize() != m_model.points[static_cast<std::size_t>(k)])
                return "font size of button " + std::to_string(k);
        }
    }
    if (m_form.moveLog().lines() != m_model.moves)
        return "move log";
    if (m_form.redoLog().lines() != m_model.redo)
        return "redo log";
    if (m_form.TimerRegFonts.isActive() != m_model.timer)
        return "hint timer";
    if (m_messages != m_model.messages)
        return "messages";
    if (m_beeps != m_model.beeps)
        return "beeps have " + std::to_string(m_beeps) + ", want " + std::to_string(m_model.beeps);
    return {};
}

void ModelWalk::undoAll() {
    while (!m_model.moves.empty()) {
        m_form.btnUnDoClick();
        m_model.undo();
    }
}

// Undoing back to the last new puzzle brings back its digits, captions and visibility, and the
// colours and marks of every visible candidate the player did not strike or restore by hand
// (Undo leaves strikes alone; a hidden candidate's mark cannot be seen and is brought up to
// date when its cell empties).
std::string ModelWalk::differenceFromSnapshot() const {
    const board::PuzzleBoard& b = m_form.board();
    for (int n = 1; n <= kCellCount; ++n) {
        const int d = m_snapshot.digit[static_cast<std::size_t>(n)];
        if (m_cells[static_cast<std::size_t>(n)]->TPanel::caption() !=
                (d ? QString::number(d) : QString()) ||
            b.cell(columnOfPanel(n), rowOfPanel(n)) != d)
            return "digit of panel " + std::to_string(n);
        for (int digit = 1; digit <= 9; ++digit) {
            const int k = Model::button(n, digit);
            const CandidateButton* button = m_buttons[static_cast<std::size_t>(k)];
            if (button->isHidden() != (d != 0))
                return "visibility of button " + std::to_string(k);
            if (d != 0 || m_touched.count(k) != 0)
                continue;
            const int mark = m_snapshot.mark[static_cast<std::size_t>(k)];
            if (b.mark(k) != mark || button->fontColor() != colourOf(mark))
                return "mark of button " + std::to_string(k);
        }
    }
    return {};
}

} // namespace

TEST(MainWindowModel, randomWalkAgreesWithTheModelAfterEveryAction) {
    const char* seedText = std::getenv("ZARVICK_MODEL_SEED");
    const unsigned seed = seedText ? static_cast<unsigned>(std::strtoul(seedText, nullptr, 10))
                                   : std::random_device{}();
    const char* stepsText = std::getenv("ZARVICK_MODEL_STEPS");
    const int steps = stepsText ? std::atoi(stepsText) : 100000;
    SCOPED_TRACE("seed " + std::to_string(seed) + " (set ZARVICK_MODEL_SEED to replay)");

    ModelWalk walk(seed);
    int undoAlls = 0;
    for (int i = 1; i <= steps; ++i) {
        walk.step(i);
        const std::string diff = walk.difference();
        ASSERT_EQ(diff, "") << "after step " << i << ", seed " << seed;
        if (i % 997 == 0) {
            walk.undoAll();
            ASSERT_EQ(walk.difference(), "") << "undo all at step " << i << ", seed " << seed;
            ASSERT_EQ(walk.differenceFromSnapshot(), "")
                << "undo all at step " << i << ", seed " << seed;
            ++undoAlls;
        }
    }
    EXPECT_GT(undoAlls, 0);
}
