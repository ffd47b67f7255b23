#include "images/jpegloader.h"
#include "infowindows/HelpUnit1.h"
#include "widgets/image.h"

#include "widgets/label.h"
#include <QFile>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QByteArray resource(const char* path) {
    QFile file(QString::fromLatin1(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QImage jpeg(const QByteArray& bytes) {
    return loadJpeg({reinterpret_cast<const std::uint8_t*>(bytes.data()),
                     static_cast<std::size_t>(bytes.size())});
}

} // namespace

TEST(HelpWindow, picturesHaveTheirSizesAndStandAtTheTopLeftOfTheirControls) {
    THelpBox help(nullptr);
    EXPECT_EQ(help.windowTitle(), "Help!");
    EXPECT_EQ(help.size(), QSize(750, 549));
    struct Picture {
        const char* control;
        QSize control_size;
        QSize picture_size;
    };
    for (const Picture& p :
         {Picture{"ProgramIcon", {105, 73}, {97, 69}}, Picture{"Image1", {241, 241}, {237, 238}},
          Picture{"Image2", {153, 129}, {148, 135}}}) {
        auto* image = help.findChild<widgets::TImage*>(QString::fromLatin1(p.control));
        ASSERT_NE(image, nullptr) << p.control;
        EXPECT_EQ(image->size(), p.control_size) << p.control;
        ASSERT_EQ(image->picture().size(), p.picture_size) << p.control;

        // Drawn unscaled from the top left, cut at the control's edges; the rest is background.
        const QImage shot = image->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage picture = image->picture().convertToFormat(QImage::Format_RGB32);
        const int rows = std::min(p.control_size.height(), p.picture_size.height());
        for (int y = 0; y < rows; y += 7) {
            for (int x = 0; x < p.picture_size.width(); x += 5)
                ASSERT_EQ(shot.pixel(x, y), picture.pixel(x, y))
                    << p.control << " " << x << "," << y;
        }
        const QColor ground = help.palette().color(QPalette::Window);
        if (p.control_size.width() > p.picture_size.width()) {
            EXPECT_EQ(shot.pixelColor(p.control_size.width() - 1, 0), ground) << p.control;
        }
    }
    // Picture 3 shows 129 of its 135 rows.
    auto* image2 = help.findChild<widgets::TImage*>(QStringLiteral("Image2"));
    const QImage shot = image2->grab().toImage();
    EXPECT_EQ(shot.height(), 129);
}

TEST(HelpWindow, textsAreTheGuidesOwn) {
    THelpBox help(nullptr);
    const auto text = [&help](const char* name) {
        return help.findChild<widgets::TLabel*>(QString::fromLatin1(name))->text();
    };
    EXPECT_EQ(text("ProductName"), "1) To start, click on the 'Easy' button.");
    EXPECT_TRUE(text("Label4").startsWith("Zarvick saves time when solving Sudoku-like puzzles,"));
    EXPECT_TRUE(text("Label4").contains("problem solving.  It does not create puzzles"));
    EXPECT_TRUE(text("Label3").endsWith("This feature alone saves hours of tedious work."));
    for (const char* name : {"Label4", "Version", "Label3"})
        EXPECT_TRUE(help.findChild<widgets::TLabel*>(QString::fromLatin1(name))->wordWrap())
            << name;
}

TEST(HelpWindow, escapeLeavesItOpenAndEnterClosesIt) {
    THelpBox help(nullptr);
    help.show();
    QTest::keyClick(&help, Qt::Key_Escape);
    EXPECT_TRUE(help.isVisible());
    QTest::keyClick(&help, Qt::Key_Enter);
    EXPECT_FALSE(help.isVisible());
}

TEST(JpegLoader, damagedPicturesDecodeToNothing) {
    const QByteArray good = resource(":/assets/HelpPicture2.jpg");
    ASSERT_FALSE(jpeg(good).isNull());
    EXPECT_EQ(jpeg(good).size(), QSize(237, 238));

    QByteArray badMarker = good;
    badMarker[0] = 0x00;
    QByteArray garbage(2000, '\x5a');
    QByteArray scrambled = good;
    for (qsizetype i = good.size() / 3; i < good.size() / 3 + 200; ++i)
        scrambled[i] = static_cast<char>(0xff);
    for (const QByteArray& bytes :
         {good.left(good.size() / 2), good.left(10), badMarker, garbage, scrambled, QByteArray()})
        EXPECT_TRUE(jpeg(bytes).isNull()) << bytes.size() << " bytes";
}
