#pragma once

#include "board/boardhost.h"
#include "board/numbering.h"
#include "board/puzzleboard.h"
#include "platform/nameindex.h"

#include <memory>
#include <string>
#include <vector>

// Controls and a host without any window system, so the board's rules can be checked fast
// and exhaustively.
class FakeControl final : public board::BoardControl {
public:
    explicit FakeControl(std::string name) : m_name(std::move(name)) {}

    std::string_view controlName() const override { return m_name; }
    std::string caption() const override { return m_caption; }
    void setCaption(std::string_view caption) override { m_caption = caption; }
    bool isShown() const override { return m_shown; }
    void setShown(bool shown) override { m_shown = shown; }
    platform::ColorSetting fontColor() const override { return m_color; }
    void setFontColor(platform::ColorSetting color) override { m_color = color; }
    int fontPointSize() const override { return m_points; }
    void setFontPointSize(int points) override { m_points = points; }

private:
    std::string m_name;
    std::string m_caption;
    bool m_shown = true;
    platform::ColorSetting m_color = platform::kWindowText;
    int m_points = board::kNormalFontSize;
};

class FakeHost final : public board::BoardHost {
public:
    FakeHost() {
        for (int n = 1; n <= board::kCellCount; ++n)
            add("Panel" + std::to_string(n), "");
        for (int k = 1; k <= board::kButtonCount; ++k)
            add("SpeedButton" + std::to_string(k), std::to_string(board::digitOfButton(k)));
    }

    board::BoardControl* controlByName(std::string_view name) override {
        return m_index.find(name);
    }
    board::LineList& moveLog() override { return moves; }
    board::LineList& redoLog() override { return redo; }
    void beep() override { ++beeps; }
    void startHintTimer() override {
        ++timerStarts;
        timerRunning = true;
    }
    void stopHintTimer() override { timerRunning = false; }

    FakeControl& button(int k) { return *m_controls[static_cast<std::size_t>(80 + k)]; }
    FakeControl& panel(int n) { return *m_controls[static_cast<std::size_t>(n - 1)]; }

    board::LineList moves;
    board::LineList redo;
    int beeps = 0;
    int timerStarts = 0;
    bool timerRunning = false;

private:
    void add(std::string name, std::string caption) {
        m_controls.push_back(std::make_unique<FakeControl>(name));
        m_controls.back()->setCaption(caption);
        m_index.add(name, m_controls.back().get());
    }

    std::vector<std::unique_ptr<FakeControl>> m_controls;
    platform::NameIndex<FakeControl*> m_index;
};
