// Makes the program's pictures: the window icon in several sizes, the news button's glyph, the
// About picture, the three Help pictures and the software centre's screenshot, the last four
// taken from the program's own rendering.
// Usage: makeassets ASSETS-FOLDER
#include "gifencoder.h"
#include "mainwindow/SUnit1.h"
#include "platform/colorscheme.h"
#include "platform/screen.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QPainter>

#include <cstdio>
#include <jpeglib.h>
#include <string>
#include <vector>

namespace {

void writeFile(const QDir& dir, const QString& name, const QByteArray& bytes) {
    QFile file(dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "makeassets: cannot write %s\n", qPrintable(file.fileName()));
        std::exit(1);
    }
}

QByteArray lengthPrefixed(const QByteArray& bytes) {
    QByteArray out(4, '\0');
    const auto n = static_cast<std::uint32_t>(bytes.size());
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<char>((n >> (8 * i)) & 0xff);
    return out + bytes;
}

// Line i of a 9 x 9 grid drawn across size pixels: its first pixel and its width.
std::pair<int, int> gridLine(int i, int size, int thin, int heavy) {
    const int width = i % 3 == 0 ? heavy : thin;
    const int centre = (i * (size - 1) + 4) / 9;
    const int first = std::clamp(centre - width / 2, 0, size - width);
    return {first, width};
}

QImage gridPicture(int size, int thin, int heavy, QColor line, QColor ground) {
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(ground);
    QPainter painter(&image);
    for (int i = 0; i <= 9; ++i) {
        const auto [first, width] = gridLine(i, size, thin, heavy);
        painter.fillRect(first, 0, width, size, line);
        painter.fillRect(0, first, size, width, line);
    }
    return image;
}

// The About picture: an empty grid in blue on the transparent index 1, as a GIF89a file with a
// four-colour table (black, white, blue, white) and minimum code size 2.
QByteArray aboutGif() {
    constexpr int size = 551;
    const QImage grid = gridPicture(size, 4, 9, Qt::blue, Qt::white);
    std::vector<std::uint8_t> indexes(static_cast<std::size_t>(size) * size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x)
            indexes[static_cast<std::size_t>(y) * size + x] =
                grid.pixelColor(x, y) == QColor(Qt::blue) ? 2 : 1;
    }
    QByteArray gif("GIF89a");
    const auto word = [&gif](int value) {
        gif.append(static_cast<char>(value & 0xff));
        gif.append(static_cast<char>((value >> 8) & 0xff));
    };
    word(size);
    word(size);
    gif.append(static_cast<char>(0x80 | 0x10 | 0x01)); // global table of 4, 2 bits of colour
    gif.append('\0');                                  // background index
    gif.append('\0');                                  // aspect ratio
    const unsigned char table[] = {0, 0, 0, 255, 255, 255, 0, 0, 255, 255, 255, 255};
    gif.append(reinterpret_cast<const char*>(table), sizeof table);
    const unsigned char control[] = {0x21, 0xF9, 4, 0x01, 0, 0, 1, 0}; // transparent index 1
    gif.append(reinterpret_cast<const char*>(control), sizeof control);
    gif.append(',');
    word(0);
    word(0);
    word(size);
    word(size);
    gif.append('\0');
    const std::vector<std::uint8_t> data = gifImageData(indexes, 2);
    gif.append(reinterpret_cast<const char*>(data.data()), static_cast<qsizetype>(data.size()));
    gif.append(';');
    QByteArray property(1, static_cast<char>(11));
    property += "TJvGIFImage";
    return property + lengthPrefixed(gif);
}

QImage icon(int size) {
    const int thin = std::max(1, size / 48);
    return gridPicture(size, thin, 2 * thin + (size >= 96 ? thin : 0), Qt::black, Qt::white)
        .convertToFormat(QImage::Format_Indexed8);
}

// A magnifying glass whose lens is a blue and green globe, with a cyan handle, on white.
QByteArray upgradeGlyph() {
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(QColor(0, 192, 192), 3));
    painter.drawLine(10, 10, 14, 14);
    painter.setPen(QPen(QColor(0, 0, 96), 1));
    painter.setBrush(QColor(32, 96, 224));
    painter.drawEllipse(0, 0, 11, 11);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 160, 64));
    painter.drawEllipse(2, 3, 5, 4);
    painter.drawEllipse(6, 6, 3, 3);
    painter.end();
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    image.convertToFormat(QImage::Format_RGB888).save(&buffer, "BMP");
    return lengthPrefixed(bmp);
}

QByteArray jpeg(const QImage& picture) {
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &out, &size);
    info.image_width = static_cast<JDIMENSION>(rgb.width());
    info.image_height = static_cast<JDIMENSION>(rgb.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 92, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row =
            const_cast<JSAMPROW>(rgb.constScanLine(static_cast<int>(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray bytes(reinterpret_cast<const char*>(out), static_cast<qsizetype>(size));
    std::free(out);
    return bytes;
}

// The Help pictures, cut from the main window as the program draws it.
void helpPictures(const QDir& dir) {
    platform::setScreenHeightOverride(1024);
    TForm1 form;
    form.show();
    QApplication::processEvents();

    // Picture 1: the "Easy" button with the top of "Medium" below it.
    QWidget* newBox = form.ControlByName("GroupBox2");
    writeFile(dir, "HelpPicture1.jpg", jpeg(newBox->grab(QRect(20, 64, 97, 69)).toImage()));

    // Picture 2: one block with five digits; the four empty cells show 2, 3, 4, 6 and 9
    // excluded and 1, 5, 7 and 8 plain.
    const std::pair<int, int> entries[] = {{1, 9}, {3, 3}, {5, 4}, {7, 6}, {9, 2}};
    for (const auto& [panel, digit] : entries) {
        auto* button = static_cast<CandidateButton*>(
            form.ControlByName("SpeedButton" + std::to_string(board::buttonNumber(panel, digit))));
        form.SpeedButton1Click(*button);
    }
    QApplication::processEvents();
    QWidget* block = form.ControlByName("JvPanel1");
    writeFile(dir, "HelpPicture2.jpg", jpeg(block->grab(QRect(2, 2, 237, 238)).toImage()));

    // Picture 3: the "Hints" group box with its two buttons and some side panel around it.
    QWidget* side = form.ControlByName("Panel83");
    writeFile(dir, "HelpPicture3.jpg", jpeg(side->grab(QRect(2, 56, 148, 135)).toImage()));
}

// The screenshot that software centres show: the whole main window with the Easy puzzle loaded.
void screenshot(const QDir& dir) {
    platform::setScreenHeightOverride(1024);
    TForm1 form;
    form.show();
    form.btnEasyClick();
    QApplication::processEvents();
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    form.grab().toImage().convertToFormat(QImage::Format_RGB888).save(&buffer, "PNG");
    writeFile(dir, "screenshot-easy.png", png);
}

} // namespace

int main(int argc, char** argv) {
    // The pictures are drawn off screen, so that they look the same wherever they are made.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    platform::applyClassicLook(app);
    if (argc != 2) {
        std::fprintf(stderr, "usage: makeassets ASSETS-FOLDER\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    writeFile(dir, "AboutPicture.dat", aboutGif());
    writeFile(dir, "UpgradeGlyph.dat", upgradeGlyph());
    for (int size : {48, 64, 128, 256}) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        icon(size).save(&buffer, "PNG");
        writeFile(dir, QStringLiteral("zarvick-%1.png").arg(size), png);
    }
    helpPictures(dir);
    screenshot(dir);
    return 0;
}
