// The cost of the XP-style button's two paths: a repaint, which only copies the prepared face
// images and draws outline, glyph and caption, and a resize, which rebuilds the four images.
#include "platform/colorscheme.h"
#include "platform/fonts.h"
#include "widgets/xpbutton.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

QImage glyph() {
    QImage image(16, 16, QImage::Format_RGB888);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.fillRect(3, 3, 9, 9, QColor(0, 64, 192));
    return image;
}

struct Shown {
    QWidget window;
    widgets::TJvXPButton* button;

    Shown(int width, int height, const char* caption, bool withGlyph) {
        window.setGeometry(50, 50, 200, 100);
        button = new widgets::TJvXPButton(&window);
        button->setGeometry(10, 10, width, height);
        button->setCaption(QString::fromLatin1(caption));
        button->setFont(platform::makeFont("Tahoma", 11));
        if (withGlyph)
            button->setGlyph(glyph());
        window.show();
        QCoreApplication::processEvents();
    }
};

void repaint(benchmark::State& state, int width, int height, const char* caption, bool withGlyph) {
    Shown shown(width, height, caption, withGlyph);
    QImage target(width, height, QImage::Format_RGB32);
    for (auto _ : state) {
        shown.button->render(&target);
        benchmark::DoNotOptimize(target.constBits());
    }
}

void BM_RepaintUndo(benchmark::State& state) {
    repaint(state, 73, 25, "Undo", false);
}
BENCHMARK(BM_RepaintUndo);

void BM_RepaintNewsWithGlyph(benchmark::State& state) {
    repaint(state, 113, 33, "Check for News and Upgrades", true);
}
BENCHMARK(BM_RepaintNewsWithGlyph);

void BM_ResizeRebuildsImages(benchmark::State& state) {
    Shown shown(73, 25, "Undo", false);
    int step = 0;
    for (auto _ : state) {
        shown.button->resize(73 + (step++ & 1), 25);
        benchmark::DoNotOptimize(shown.button->backgroundImage().constBits());
    }
}
BENCHMARK(BM_ResizeRebuildsImages);

void BM_GradientImage(benchmark::State& state) {
    for (auto _ : state) {
        QImage image = widgets::verticalGradient(71, 23, {255, 255, 255}, {239, 235, 231});
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_GradientImage);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    platform::applyClassicLook(app);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
