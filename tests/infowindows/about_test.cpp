#include "images/gifpainter.h"
#include "images/jvgifimage.h"
#include "infowindows/AboutUnit1.h"
#include "infowindows/HelpUnit1.h"
#include "mainwindow/SUnit1.h"
#include "platform/screen.h"
#include "platform/shell.h"

#include "widgets/accessiblewidgets.h"
#include "widgets/image.h"
#include "widgets/label.h"
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QTest>
#include <QUrl>
#include <QUrlQuery>
#include <gtest/gtest.h>

#include <vector>

namespace {

class ShellRecorder {
public:
    ShellRecorder() {
        platform::setShellHook([this](const platform::ShellCall& call) { calls.push_back(call); });
    }
    ~ShellRecorder() { platform::setShellHook({}); }
    std::vector<platform::ShellCall> calls;
};

widgets::TLabel* label(QWidget& window, const char* name) {
    return window.findChild<widgets::TLabel*>(QString::fromLatin1(name));
}

std::span<const std::uint8_t> bytesOf(const QByteArray& data) {
    return {reinterpret_cast<const std::uint8_t*>(data.data()),
            static_cast<std::size_t>(data.size())};
}

} // namespace

TEST(AboutWindow, labelsNameTheProgramAndItsVersion) {
    TAboutBox about(QStringLiteral("0.9"), nullptr);
    EXPECT_EQ(about.windowTitle(), "About");
    EXPECT_EQ(about.size(), QSize(306, 247));
    EXPECT_EQ(label(about, "ProductName")->text(), "Zarvick, Version 0.9");
    EXPECT_EQ(label(about, "Version")->text().toStdString(), kCopyrightNotice);
    EXPECT_EQ(label(about, "Copyright")->text(),
              "Helps solve Sudoku puzzles. Click on 'Easy' to begin.");
    for (const char* link : {"Comments", "Label1"}) {
        widgets::TLabel* l = label(about, link);
        EXPECT_EQ(l->fontColor(), platform::kBlue) << link;
        EXPECT_TRUE(l->font().underline()) << link;
        EXPECT_EQ(l->cursor().shape(), Qt::PointingHandCursor) << link;
    }
    EXPECT_EQ(label(about, "Comments")->text().toStdString(), kHomePage);
    EXPECT_EQ(label(about, "Label1")->text().toStdString(), kContactMail);
}

TEST(AboutWindow, linksHandTheirAddressesToTheShellEachTime) {
    ShellRecorder shell;
    TAboutBox about(QStringLiteral("0.9"), nullptr);
    about.show();
    QTest::mouseClick(label(about, "Comments"), Qt::LeftButton, {}, QPoint(3, 3));
    QTest::mouseClick(label(about, "Comments"), Qt::LeftButton, {}, QPoint(3, 3));
    QTest::mouseClick(label(about, "Label1"), Qt::LeftButton, {}, QPoint(3, 3));
    ASSERT_EQ(shell.calls.size(), 3u);
    EXPECT_EQ(shell.calls[0].file.toStdString(), kHomePage);
    EXPECT_EQ(shell.calls[1].file.toStdString(), kHomePage);
    EXPECT_EQ(shell.calls[2].file.toStdString(), "mailto:" + std::string(kContactMail));
    for (const auto& call : shell.calls) {
        EXPECT_EQ(call.operation, "open");
        EXPECT_EQ(call.parameters, "");
        EXPECT_EQ(call.directory, "C:\\");
        EXPECT_EQ(call.showCommand, 1);
    }
    EXPECT_TRUE(about.isVisible()) << "a link leaves the window open";
}

TEST(AboutWindow, aScreenReaderFindsTheLinksAndWhatEveryPictureShows) {
    QAccessible::installFactory(widgets::accessibleWidget);
    ShellRecorder shell;
    TAboutBox about(QStringLiteral("0.9"), nullptr);
    THelpBox help(nullptr);
    about.show();
    for (const char* link : {"Comments", "Label1"}) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(label(about, link));
        EXPECT_EQ(a->role(), QAccessible::Link) << link;
        a->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    }
    ASSERT_EQ(shell.calls.size(), 2u);
    EXPECT_EQ(shell.calls[1].file.toStdString(), "mailto:" + std::string(kContactMail));
    const std::pair<QDialog*, const char*> pictures[] = {
        {&about, "ProgramIcon"}, {&help, "ProgramIcon"}, {&help, "Image1"}, {&help, "Image2"}};
    for (const auto& [window, name] : pictures) {
        QWidget* picture = window->findChild<QWidget*>(QString::fromLatin1(name));
        ASSERT_NE(picture, nullptr) << name;
        EXPECT_FALSE(
            QAccessible::queryAccessibleInterface(picture)->text(QAccessible::Name).isEmpty())
            << name;
    }
    QAccessible::removeFactory(widgets::accessibleWidget);
}

TEST(AboutWindow, updateLinkSendsTheVersionAsItsOnlyQueryKey) {
    ShellRecorder shell;
    platform::setScreenHeightOverride(1024);
    TForm1 form;
    form.btnUpgradeClick();
    ASSERT_EQ(shell.calls.size(), 1u);
    const platform::ShellCall& call = shell.calls[0];
    EXPECT_EQ(call.file.toStdString(), std::string(kHomePage) + "/updates.php?VER=0.9");
    EXPECT_EQ(call.operation, "");
    EXPECT_EQ(call.directory, "");
    const QUrlQuery query(QUrl(call.file));
    ASSERT_EQ(query.queryItems().size(), 1);
    EXPECT_EQ(query.queryItems()[0], qMakePair(QStringLiteral("VER"), QStringLiteral("0.9")));
}

TEST(AboutWindow, tooLongAnAddressIsNotCutButDropped) {
    ShellRecorder shell;
    OpenWithShell(std::string(255, 'a'));
    OpenWithShell(std::string(256, 'a'));
    ASSERT_EQ(shell.calls.size(), 1u);
    EXPECT_EQ(shell.calls[0].file.size(), 255);
}

TEST(AboutWindow, escapeLeavesItOpenAndEnterClosesIt) {
    TAboutBox about(QStringLiteral("0.9"), nullptr);
    about.show();
    QTest::keyClick(&about, Qt::Key_Escape);
    EXPECT_TRUE(about.isVisible());
    QTest::keyClick(&about, Qt::Key_Return);
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(about.result(), QDialog::Accepted);
    about.show();
    about.close();
    EXPECT_FALSE(about.isVisible()) << "the title bar's close button hides it";
}

TEST(AboutPicture, storedAssetIsTheGridTheWindowExpects) {
    const auto picture = TAboutBox::pictureFromData(bytesOf(TAboutBox::storedPictureData()));
    ASSERT_NE(picture, nullptr);
    ASSERT_EQ(picture->frameCount(), 1);
    const TJvGIFFrame& frame = picture->frame(0);
    EXPECT_EQ(picture->data().screenWidth, 551);
    EXPECT_EQ(picture->data().screenHeight, 551);
    EXPECT_FALSE(frame.interlaced());
    ASSERT_EQ(frame.colorTable().count, 4);
    const int want[4][3] = {{0, 0, 0}, {255, 255, 255}, {0, 0, 255}, {255, 255, 255}};
    for (int i = 0; i < 4; ++i) {
        const TGIFColor c = frame.colorTable().entries[static_cast<std::size_t>(i)];
        EXPECT_EQ(c.red, want[i][0]);
        EXPECT_EQ(c.green, want[i][1]);
        EXPECT_EQ(c.blue, want[i][2]);
    }
    ASSERT_TRUE(frame.transparentColor().has_value());
    EXPECT_EQ(frame.transparentColor()->blue, 255);
    EXPECT_EQ(frame.transparentColor()->red, 255);
    EXPECT_EQ(frame.compressedData()[0], 2) << "minimum code size";
    EXPECT_FALSE(frame.corrupted());

    const TGIFBitmap* bitmap = picture->currentBitmap();
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->depth(), 4);
    long counts[4] = {};
    for (int y = 0; y < 551; ++y) {
        for (int x = 0; x < 551; ++x)
            ++counts[bitmap->pixelIndex(x, y) & 3];
    }
    EXPECT_EQ(counts[0], 0);
    EXPECT_EQ(counts[3], 0);
    EXPECT_EQ(counts[1] + counts[2], 551L * 551L);
    // Lines of 4 and 9 pixels across a 551-pixel square: about a fifth is blue.
    EXPECT_GT(counts[2], 55000);
    EXPECT_LT(counts[2], 70000);
    std::printf("About picture: %ld pixels of index 1, %ld of index 2\n", counts[1], counts[2]);
}

TEST(AboutPicture, drawnIntoEightyNineSquareWithWhiteLeftOut) {
    TAboutBox about(QStringLiteral("0.9"), nullptr);
    QWidget* icon = about.findChild<QWidget*>(QStringLiteral("ProgramIcon"));
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->geometry(), QRect(8, 8, 89, 89));
    const QImage shot = about.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QPoint origin = icon->mapTo(&about, QPoint(0, 0));
    int blue = 0;
    int white = 0;
    int ground = 0;
    for (int y = 0; y < 89; ++y) {
        for (int x = 0; x < 89; ++x) {
            const QColor c = shot.pixelColor(origin + QPoint(x, y));
            blue += c == QColor(0, 0, 255) ? 1 : 0;
            white += c == QColor(255, 255, 255) ? 1 : 0;
            ground += c == QColor(212, 208, 200) ? 1 : 0;
        }
    }
    EXPECT_GT(blue, 89 * 4) << "the grid lines";
    EXPECT_EQ(white, 0) << "white is transparent";
    EXPECT_GT(ground, 89 * 89 / 2) << "the panel shows through";
    EXPECT_EQ(shot.pixelColor(origin), QColor(0, 0, 255)) << "the heavy border line";
}

TEST(AboutPicture, damagedDataLeavesThePictureEmpty) {
    const QByteArray good = TAboutBox::storedPictureData();
    ASSERT_GT(good.size(), 100);
    std::vector<QByteArray> damaged;
    damaged.push_back(good.left(good.size() / 2)); // cut short
    QByteArray badClass = good;
    badClass[3] = 'X';
    damaged.push_back(badClass);
    QByteArray badSignature = good;
    badSignature[16 + 1] = 'X'; // "GIF" -> "GXF"
    damaged.push_back(badSignature);
    QByteArray badExtension = good;
    badExtension[16 + 13 + 12 + 1] = 0x42; // the graphic control's label
    damaged.push_back(badExtension);
    for (const QByteArray& bytes : damaged)
        EXPECT_EQ(TAboutBox::pictureFromData(bytesOf(bytes)), nullptr);
}
