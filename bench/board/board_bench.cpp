// The cost of the player's actions on the real main window (offscreen), each including the
// repaint of what it changed.
#include "mainwindow/SUnit1.h"
#include "mainwindow/messagewindow.h"
#include "platform/colorscheme.h"
#include "platform/screen.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// A board with 40 given digits taken from a complete grid.
std::string fortyGivens() {
    std::string text;
    int kept = 0;
    for (int r = 0; r < 9; ++r) {
        for (int c = 0; c < 9; ++c) {
            const int digit = (r * 3 + r / 3 + c) % 9 + 1;
            const bool keep = kept < 40 && ((r * 9 + c) * 7) % 81 < 40;
            kept += keep ? 1 : 0;
            if (!text.empty())
                text += ',';
            text += keep ? std::to_string(digit) : "0";
        }
    }
    return text;
}

struct Fixture {
    Fixture() {
        platform::setScreenHeightOverride(1024);
        form.show();
        loadBoard();
    }
    void loadBoard() {
        const std::string text = fortyGivens();
        form.board().loadPuzzle(text);
        settle();
    }
    static void settle() { QApplication::processEvents(); }

    // An empty cell and one of its plain candidates.
    std::pair<CellPanel*, CandidateButton*> emptyCell() {
        for (int n = 1; n <= board::kCellCount; ++n) {
            auto* cell = static_cast<CellPanel*>(form.ControlByName("Panel" + std::to_string(n)));
            if (!cell->TPanel::caption().isEmpty())
                continue;
            for (int d = 1; d <= 9; ++d) {
                const int k = board::buttonNumber(n, d);
                if (form.board().mark(k) == board::MarkPlain)
                    return {cell, static_cast<CandidateButton*>(
                                      form.ControlByName("SpeedButton" + std::to_string(k)))};
            }
        }
        return {nullptr, nullptr};
    }

    TForm1 form;
};

Fixture& fixture() {
    static Fixture instance;
    return instance;
}

template <typename F> double seconds(F&& action) {
    const auto start = std::chrono::steady_clock::now();
    action();
    Fixture::settle();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_SpeedButton1Click(benchmark::State& state) {
    Fixture& f = fixture();
    const auto [cell, candidate] = f.emptyCell();
    for (auto _ : state) {
        state.SetIterationTime(seconds([&] { f.form.SpeedButton1Click(*candidate); }));
        f.form.Panel1Click(*cell);
        Fixture::settle();
    }
}
BENCHMARK(BM_SpeedButton1Click)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_Panel1Click(benchmark::State& state) {
    Fixture& f = fixture();
    const auto [cell, candidate] = f.emptyCell();
    for (auto _ : state) {
        f.form.SpeedButton1Click(*candidate);
        Fixture::settle();
        state.SetIterationTime(seconds([&] { f.form.Panel1Click(*cell); }));
    }
}
BENCHMARK(BM_Panel1Click)->UseManualTime()->Unit(benchmark::kMicrosecond);

// The same actions with a move log of state.range(0) lines: an action must not grow slower as
// the log grows.
void fillLog(Fixture& f, std::int64_t lines) {
    f.loadBoard();
    for (std::int64_t i = 0; i < lines; ++i)
        f.form.moveLog().append(i % 2 ? "17,highlight" : "17,dehighlight");
}

void logSizes(benchmark::internal::Benchmark* b) {
    b->Arg(10)->Arg(1000)->Arg(100000)->UseManualTime()->Unit(benchmark::kMicrosecond);
}

void BM_EnterWithLog(benchmark::State& state) {
    Fixture& f = fixture();
    fillLog(f, state.range(0));
    const auto [cell, candidate] = f.emptyCell();
    for (auto _ : state) {
        state.SetIterationTime(seconds([&] { f.form.SpeedButton1Click(*candidate); }));
        f.form.btnUnDoClick();
        Fixture::settle();
    }
}
BENCHMARK(BM_EnterWithLog)->Apply(logSizes);

void BM_ClearWithLog(benchmark::State& state) {
    Fixture& f = fixture();
    fillLog(f, state.range(0));
    const auto [cell, candidate] = f.emptyCell();
    for (auto _ : state) {
        f.form.SpeedButton1Click(*candidate);
        Fixture::settle();
        state.SetIterationTime(seconds([&] { f.form.Panel1Click(*cell); }));
        f.form.btnUnDoClick();
        f.form.btnUnDoClick();
        Fixture::settle();
    }
}
BENCHMARK(BM_ClearWithLog)->Apply(logSizes);

void BM_UndoWithLog(benchmark::State& state) {
    Fixture& f = fixture();
    fillLog(f, state.range(0));
    const auto [cell, candidate] = f.emptyCell();
    for (auto _ : state) {
        f.form.SpeedButton1Click(*candidate);
        Fixture::settle();
        state.SetIterationTime(seconds([&] { f.form.btnUnDoClick(); }));
    }
}
BENCHMARK(BM_UndoWithLog)->Apply(logSizes);

// Paste of a puzzle from the clipboard, alternating between two so that each paste changes
// the board, the repaint included.
void BM_PastePuzzle(benchmark::State& state) {
    Fixture& f = fixture();
    const auto text = [](std::string_view puzzle) {
        return QString::fromLatin1(puzzle.data(), qsizetype(puzzle.size()));
    };
    const QString lines[] = {text(board::kEasyPuzzle), text(board::kMediumPuzzle)};
    // A refused paste would wait for its message window to be closed.
    setMessageHook([](const QString& message) {
        std::fprintf(stderr, "paste refused: %s\n", qPrintable(message));
        std::abort();
    });
    int i = 0;
    for (auto _ : state) {
        QGuiApplication::clipboard()->setText(lines[i++ % 2]);
        state.SetIterationTime(seconds([&] { f.form.pastePuzzle(); }));
    }
    f.loadBoard();
}
BENCHMARK(BM_PastePuzzle)->UseManualTime()->Unit(benchmark::kMicrosecond);

// The same change of puzzle through the built-in puzzles' buttons, for comparison.
void BM_BuiltInPuzzle(benchmark::State& state) {
    Fixture& f = fixture();
    int i = 0;
    for (auto _ : state) {
        state.SetIterationTime(seconds([&] {
            if (i++ % 2)
                f.form.btnMediumClick();
            else
                f.form.btnEasyClick();
        }));
    }
    f.loadBoard();
}
BENCHMARK(BM_BuiltInPuzzle)->UseManualTime()->Unit(benchmark::kMicrosecond);

// A digit key over an empty cell: the pointer lookup and the entry it ends in.
void BM_DigitKey(benchmark::State& state) {
    Fixture& f = fixture();
    const auto [cell, candidate] = f.emptyCell();
    for (int i = 0; i < 2; ++i)
        QTest::mouseMove(f.form.windowHandle(), cell->mapTo(&f.form, QPoint(2 + i, 2)));
    const auto key = static_cast<Qt::Key>(
        Qt::Key_0 + board::digitOfButton(board::ButtonNumberFromName(candidate->controlName())));
    for (auto _ : state) {
        state.SetIterationTime(seconds([&] { QTest::keyClick(&f.form, key); }));
        f.form.Panel1Click(*cell);
        Fixture::settle();
    }
}
BENCHMARK(BM_DigitKey)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_Redo(benchmark::State& state) {
    Fixture& f = fixture();
    const auto [cell, candidate] = f.emptyCell();
    for (auto _ : state) {
        f.form.SpeedButton1Click(*candidate);
        f.form.btnUnDoClick();
        Fixture::settle();
        state.SetIterationTime(seconds([&] { f.form.redo(); }));
        f.form.btnUnDoClick();
    }
}
BENCHMARK(BM_Redo)->UseManualTime()->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    platform::applyClassicLook(app);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
