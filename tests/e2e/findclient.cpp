// Finds the main window's client area, as a screenshot under X shows it, in a screenshot taken
// under Wayland, compares the two pixel for pixel and counts the glyphs in the title bar's
// button area. Prints "at X Y differing N glyphs G"; exits 1 when the client area is not found.
//
// The client area is found by its top strip (the grid frame's bevel and navy, no text), so
// that a difference in the text further down still shows as a count, not as "not found".

#include <QImage>

#include <cstdio>

namespace {

constexpr int kStripWidth = 720;
constexpr int kStripHeight = 6;
constexpr int kTitleBar = 30;
constexpr int kButtonArea = 8 + 3 * 18 + 2 * 5;

bool stripAt(const QImage& shot, const QImage& client, int x0, int y0) {
    for (int y = 0; y < kStripHeight; ++y)
        for (int x = 0; x < kStripWidth; ++x)
            if (shot.pixel(x0 + x, y0 + y) != client.pixel(x, y))
                return false;
    return true;
}

// Groups of neighbouring columns in the bar's button area that hold anything but the bar's
// face colour, which is the colour of its leftmost pixel there.
int glyphs(const QImage& shot, int left, int top, int width) {
    const QRgb face = shot.pixel(left, top + kTitleBar / 2);
    int groups = 0;
    bool inGlyph = false;
    for (int x = left; x < left + width; ++x) {
        bool ink = false;
        for (int y = top + 1; y < top + kTitleBar - 2; ++y)
            ink = ink || shot.pixel(x, y) != face;
        groups += ink && !inGlyph ? 1 : 0;
        inGlyph = ink;
    }
    return groups;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s WAYLAND-SHOT.png X-CLIENT.png\n", argv[0]);
        return 2;
    }
    const QImage shot =
        QImage(QString::fromLocal8Bit(argv[1])).convertToFormat(QImage::Format_RGB32);
    const QImage client =
        QImage(QString::fromLocal8Bit(argv[2])).convertToFormat(QImage::Format_RGB32);
    if (shot.isNull() || client.isNull() || client.width() < kStripWidth) {
        std::fprintf(stderr, "cannot read the pictures\n");
        return 2;
    }
    for (int y0 = kTitleBar; y0 + client.height() <= shot.height(); ++y0) {
        for (int x0 = 0; x0 + client.width() <= shot.width(); ++x0) {
            if (!stripAt(shot, client, x0, y0))
                continue;
            long differing = 0;
            for (int y = 0; y < client.height(); ++y)
                for (int x = 0; x < client.width(); ++x)
                    differing += shot.pixel(x0 + x, y0 + y) != client.pixel(x, y) ? 1 : 0;
            const int left = x0 + client.width() - kButtonArea;
            std::printf("at %d %d differing %ld glyphs %d\n", x0, y0, differing,
                        glyphs(shot, left, y0 - kTitleBar, kButtonArea));
            return 0;
        }
    }
    std::printf("not found\n");
    return 1;
}
