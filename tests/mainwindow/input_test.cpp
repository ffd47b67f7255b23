// Keys, the clipboard and drops on the real main window: each must leave exactly the state that
// the click it stands for leaves, logs and beeps included.
#include "mainwindow/SUnit1.h"
#include "mainwindow/messagewindow.h"
#include "platform/bell.h"
#include "platform/colorscheme.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr std::string_view kEasyLine =
    "5.68.............6...6..132.8.3..2.5...9.1...7.1..8.6.679..3...2.............94.8";

struct Observed {
    std::vector<std::string> captions;
    std::vector<int> shown, colours, sizes, marks;
    std::vector<std::string> moves, redo;
    bool timer = false;
    int beeps = 0;
    bool operator==(const Observed&) const = default;
};

class Window {
public:
    Window() {
        form.show();
        QApplication::setActiveWindow(&form);
        form.btnEasyClick();
    }

    CandidateButton& candidate(int k) {
        return *static_cast<CandidateButton*>(
            form.ControlByName("SpeedButton" + std::to_string(k)));
    }
    CellPanel& cell(int n) {
        return *static_cast<CellPanel*>(form.ControlByName("Panel" + std::to_string(n)));
    }
    QWidget* focused() { return form.focusWidget() ? form.focusWidget() : &form; }

    // The offscreen platform follows a window's first move with an enter at another place, as
    // no real windowing system does; the second move puts the pointer where it belongs.
    void pointAt(QWidget* widget) {
        QTest::mouseMove(form.windowHandle(), widget->mapTo(&form, QPoint(1, 1)));
        QTest::mouseMove(form.windowHandle(), widget->mapTo(&form, QPoint(2, 2)));
    }
    void key(int key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(focused(), static_cast<Qt::Key>(key), modifiers);
    }

    Observed observe(int beeps) {
        Observed o;
        for (int n = 1; n <= board::kCellCount; ++n)
            o.captions.push_back(cell(n).TPanel::caption().toStdString());
        for (int k = 1; k <= board::kButtonCount; ++k) {
            const CandidateButton& b = candidate(k);
            o.shown.push_back(!b.isHidden());
            o.colours.push_back(b.fontColor() == platform::kYellow  ? 1
                                : b.fontColor() == platform::kWhite ? 2
                                                                    : 0);
            o.sizes.push_back(b.fontPointSize());
            o.marks.push_back(form.board().mark(k));
        }
        o.moves = form.moveLog().lines();
        o.redo = form.redoLog().lines();
        o.timer = form.TimerRegFonts.isActive();
        o.beeps = beeps;
        return o;
    }

    TForm1 form;
};

// Counts beeps and messages for the length of a test.
class InputTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::setBeepHook([this](unsigned) { ++beeps; });
        setMessageHook([this](const QString& text) { messages.push_back(text.toStdString()); });
    }
    void TearDown() override {
        platform::setBeepHook({});
        setMessageHook({});
    }
    int beeps = 0;
    std::vector<std::string> messages;
};

int digitKey(int d) {
    return Qt::Key_0 + d;
}

} // namespace

TEST_F(InputTest, eachKeyLeavesWhatItsClickLeaves) {
    struct Case {
        const char* what;
        std::function<void(Window&)> byKey;
        std::function<void(Window&)> byClick;
    };
    const int plain = board::buttonNumber(2, 4); // row 1, column 2: 4 is plain after Easy
    const int yellow = board::buttonNumber(2, 5);
    const Case cases[] = {
        {"digit on a plain candidate",
         [](Window& w) {
             w.pointAt(&w.candidate(board::buttonNumber(2, 9)));
             w.key(digitKey(4));
         },
         [plain](Window& w) { QTest::mouseClick(&w.candidate(plain), Qt::LeftButton); }},
        {"keypad digit on a yellow candidate, over the cell's border",
         [](Window& w) {
             w.pointAt(&w.cell(2));
             w.key(digitKey(5), Qt::KeypadModifier);
         },
         [yellow](Window& w) { QTest::mouseClick(&w.candidate(yellow), Qt::LeftButton); }},
        {"Ctrl+digit twice",
         [](Window& w) {
             w.pointAt(&w.candidate(board::buttonNumber(2, 1)));
             w.key(digitKey(5), Qt::ControlModifier);
             w.key(digitKey(4), Qt::ControlModifier);
             w.key(digitKey(4), Qt::ControlModifier);
         },
         [plain, yellow](Window& w) {
             QTest::mouseClick(&w.candidate(yellow), Qt::RightButton);
             QTest::mouseClick(&w.candidate(plain), Qt::RightButton);
             QTest::mouseClick(&w.candidate(plain), Qt::RightButton);
         }},
        {"Delete over a given, Backspace and 0 over an empty cell, then Ctrl+Z",
         [](Window& w) {
             w.pointAt(&w.cell(1));
             w.key(Qt::Key_Delete);
             w.pointAt(&w.candidate(board::buttonNumber(2, 3)));
             w.key(Qt::Key_Backspace);
             w.key(Qt::Key_0, Qt::KeypadModifier);
             w.key(Qt::Key_Z, Qt::ControlModifier);
         },
         [](Window& w) {
             QTest::mouseClick(&w.cell(1), Qt::LeftButton, {}, QPoint(1, 1));
             QTest::mouseClick(&w.cell(2), Qt::LeftButton, {}, QPoint(1, 1));
             QTest::mouseClick(&w.cell(2), Qt::LeftButton, {}, QPoint(1, 1));
             QTest::mouseClick(w.form.ControlByName("btnUnDo"), Qt::LeftButton);
         }},
        {"arrows, then a digit, Ctrl+digit and Delete at the cursor, the pointer beside the board",
         [](Window& w) {
             w.pointAt(w.form.ControlByName("btnEasy"));
             w.key(Qt::Key_Right); // shows the cursor at row 1, column 1
             w.key(Qt::Key_Right);
             w.key(digitKey(4));
             w.key(Qt::Key_Down, Qt::KeypadModifier);
             w.key(digitKey(4), Qt::ControlModifier);
             w.key(Qt::Key_Up);
             w.key(Qt::Key_Delete);
         },
         [plain](Window& w) {
             QTest::mouseClick(&w.candidate(plain), Qt::LeftButton);
             QTest::mouseClick(&w.candidate(board::buttonNumber(5, 4)), Qt::RightButton);
             QTest::mouseClick(&w.cell(2), Qt::LeftButton, {}, QPoint(1, 1));
         }},
        {"digits over a filled cell and away from the board do nothing",
         [](Window& w) {
             w.pointAt(&w.cell(1));
             w.key(digitKey(3));
             w.key(digitKey(3), Qt::ControlModifier);
             w.pointAt(w.form.ControlByName("btnEasy"));
             w.key(digitKey(4));
             w.key(Qt::Key_Delete);
         },
         nullptr},
    };
    for (const Case& c : cases) {
        Window byKey;
        Window byClick;
        beeps = 0;
        c.byKey(byKey);
        const Observed keyed = byKey.observe(beeps);
        beeps = 0;
        if (c.byClick)
            c.byClick(byClick);
        EXPECT_TRUE(keyed == byClick.observe(beeps)) << c.what;
        // A key that did nothing on a board the click also left alone proves nothing.
        EXPECT_EQ(keyed.moves.empty(), c.byClick == nullptr) << c.what;
    }
}

TEST_F(InputTest, keysReachTheBoardWhateverButtonHoldsTheFocus) {
    Window w;
    QWidget* easy = w.form.ControlByName("btnEasy");
    easy->setFocus();
    ASSERT_EQ(w.form.focusWidget(), easy);
    w.pointAt(&w.cell(2));
    QTest::keyClick(easy, Qt::Key_4);
    EXPECT_EQ(w.cell(2).TPanel::caption(), "4");
    QTest::keyClick(easy, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(w.cell(2).TPanel::caption(), "");
    QTest::keyClick(easy, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(w.cell(2).TPanel::caption(), "4");
    QTest::keyClick(easy, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(easy, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(w.form.moveLog().lines(), std::vector<std::string>{"13,clicked"});
    // Space keeps its meaning on the focused button: Easy lays its puzzle again.
    QTest::keyClick(easy, Qt::Key_Space);
    EXPECT_TRUE(w.form.moveLog().empty());
    EXPECT_EQ(w.cell(2).TPanel::caption(), "");
}

TEST_F(InputTest, copyThenPasteGivesTheSameBoardAsANewPuzzle) {
    Window w;
    w.pointAt(&w.cell(2));
    w.key(digitKey(4));
    w.pointAt(&w.cell(1));
    w.key(Qt::Key_Delete);
    w.key(Qt::Key_C, Qt::ControlModifier);
    const QString copied = QGuiApplication::clipboard()->text();
    EXPECT_EQ(copied.toStdString(), ".468" + std::string(kEasyLine.substr(4)));

    Window other;
    QGuiApplication::clipboard()->setText(copied);
    other.key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(other.form.board().digits(), w.form.board().digits());
    EXPECT_TRUE(other.form.moveLog().empty());
    EXPECT_TRUE(other.form.redoLog().empty());
    other.key(Qt::Key_Z, Qt::ControlModifier); // a given cannot be undone
    EXPECT_EQ(other.form.board().digits(), w.form.board().digits());
    EXPECT_TRUE(messages.empty());

    // Laid exactly as a built-in puzzle is.
    Window easy;
    easy.form.btnBlankClick();
    QGuiApplication::clipboard()->setText(QString::fromUtf8(kEasyLine.data(), kEasyLine.size()));
    easy.key(Qt::Key_Insert, Qt::ShiftModifier);
    Window builtIn;
    EXPECT_TRUE(easy.observe(0) == builtIn.observe(0));
}

TEST_F(InputTest, aTextThatIsNoPuzzleChangesNothingAndSaysWhy) {
    Window w;
    w.pointAt(&w.cell(2));
    w.key(digitKey(4));
    w.key(Qt::Key_Z, Qt::ControlModifier);
    w.form.btnSinglesClick();
    const Observed before = w.observe(beeps);
    QGuiApplication::clipboard()->setText(QStringLiteral("1234"));
    w.key(Qt::Key_V, Qt::ControlModifier);
    std::string row = std::string(kEasyLine);
    row[1] = '5';
    QGuiApplication::clipboard()->setText(QString::fromStdString(row));
    w.key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(messages, (std::vector<std::string>{"The clipboard holds 4 cells, a puzzle has 81.",
                                                  "Row 1 holds two 5s."}));
    EXPECT_TRUE(w.observe(beeps) == before);
    w.key(Qt::Key_Y, Qt::ControlModifier); // the failed pastes did not end Redo
    EXPECT_EQ(w.cell(2).TPanel::caption(), "4");
}

TEST_F(InputTest, droppedTextAndFilesAreReadAsPuzzles) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto write = [&dir](const QString& name, const QByteArray& bytes) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return dir.filePath(name);
    };
    const QByteArray easy(kEasyLine.data(), qsizetype(kEasyLine.size()));
    QByteArray utf16("\xFF\xFE", 2); // a byte-order mark, then little-endian UTF-16
    for (const char ch : easy)
        utf16.append(ch).append('\0');
    const QString good = write("easy.sdk", "#A some author\n" + easy);
    const QString wide = write("wide.txt", utf16);
    const QString big = write("big.txt", easy + QByteArray(64 * 1024, ' '));
    const QString binary = write("notes.bin", QByteArray("\x01\x02\0\x03", 4));

    const auto drop = [](Window& w, QMimeData* data) {
        QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, data, Qt::LeftButton, {});
        QApplication::sendEvent(&w.form, &enter);
        QDropEvent drop(QPointF(100, 100), Qt::CopyAction, data, Qt::LeftButton, {});
        QApplication::sendEvent(&w.form, &drop);
        QApplication::processEvents(); // laid after the drop has ended
        delete data;
    };
    const auto files = [](const QString& path) {
        auto* data = new QMimeData;
        data->setUrls({QUrl::fromLocalFile(path)});
        data->setText(path);
        return data;
    };
    Window builtIn;
    const Observed wanted = builtIn.observe(0);
    for (const QString& path : {good, wide}) {
        Window w;
        w.form.btnBlankClick();
        drop(w, files(path));
        EXPECT_TRUE(w.observe(0) == wanted) << path.toStdString();
    }
    Window w;
    w.form.btnMediumClick();
    const Observed medium = w.observe(0);
    auto* text = new QMimeData;
    text->setText(QStringLiteral("5.6"));
    drop(w, text);
    drop(w, files(big));
    drop(w, files(binary));
    drop(w, files(dir.filePath("gone.txt")));
    drop(w, files(dir.path()));
    EXPECT_TRUE(w.observe(0) == medium);
    const QString dirName = QFileInfo(dir.path()).fileName();
    EXPECT_EQ(messages,
              (std::vector<std::string>{
                  "The dropped text holds 3 cells, a puzzle has 81.",
                  "The file \u201Cbig.txt\u201D is larger than 64 KiB, too large for a puzzle.",
                  "The file \u201Cnotes.bin\u201D is not a text file.",
                  "The file \u201Cgone.txt\u201D cannot be read.",
                  "\u201C" + dirName.toStdString() + "\u201D is a folder, not a puzzle file."}));
}

TEST_F(InputTest, theCursorMovesByTheKeysAndGivesWayToThePointer) {
    struct Case {
        const char* what;
        std::function<void(Window&)> steps;
        std::optional<int> row, column; // where the cursor stands after the steps
    };
    const auto keys = [](std::vector<int> keys) {
        return [keys](Window& w) {
            for (int key : keys)
                w.key(key);
        };
    };
    const auto over = [](int row, int column, std::vector<int> keys) {
        return [=](Window& w) {
            w.pointAt(&w.cell(board::panelNumber(row, column)));
            for (int key : keys)
                w.key(key);
        };
    };
    using K = Qt::Key;
    const Case cases[] = {
        {"a first arrow off the board shows it at the first cell", keys({K::Key_Right}), 1, 1},
        {"then it moves", keys({K::Key_Right, K::Key_Right, K::Key_Down}), 2, 2},
        {"it stays at the top left edges", keys({K::Key_Left, K::Key_Up, K::Key_Left}), 1, 1},
        {"and at the bottom right ones",
         keys({K::Key_Down, K::Key_Down, K::Key_Down, K::Key_Down, K::Key_Down, K::Key_Down,
               K::Key_Down, K::Key_Down, K::Key_Down, K::Key_Down, K::Key_End, K::Key_Right}),
         9, 9},
        {"End from hidden goes to the row's end", keys({K::Key_End}), 1, 9},
        {"a first arrow shows it at the hovered cell", over(5, 6, {K::Key_Down}), 5, 6},
        {"Home goes to the hovered row's start", over(5, 6, {K::Key_Home}), 5, 1},
        {"Escape hides it", keys({K::Key_Right, K::Key_Escape}), std::nullopt, std::nullopt},
        {"Tab leaves the board for the buttons", keys({K::Key_Right, K::Key_Tab}), std::nullopt,
         std::nullopt},
        {"the pointer moving over the board hides it",
         [](Window& w) {
             w.key(K::Key_Right);
             w.pointAt(&w.cell(board::panelNumber(3, 3)));
         },
         std::nullopt, std::nullopt},
        {"the pointer moving over the side panel does not",
         [](Window& w) {
             w.pointAt(w.form.ControlByName("btnEasy"));
             w.key(K::Key_Right);
             w.pointAt(w.form.ControlByName("btnHelp"));
         },
         1, 1},
    };
    for (const Case& c : cases) {
        Window w;
        c.steps(w);
        const std::optional<int> want =
            c.row ? std::optional(board::gridIndex(*c.row, *c.column)) : std::nullopt;
        EXPECT_EQ(w.form.cursor().gridIndex(), want) << c.what;
        const CellPanel* cell = w.form.cursorCell();
        EXPECT_EQ(cell, want ? &w.cell(board::panelNumber(*c.row, *c.column)) : nullptr) << c.what;
    }
}

TEST_F(InputTest, theCursorFrameStandsInsideItsCellAndLeavesNoTrace) {
    Window w;
    w.pointAt(w.form.ControlByName("btnEasy"));
    const QImage before = w.form.grab().toImage();
    // Row 1, column 2 is empty: its candidates cover most of the cell, and the frame lies over
    // their edges.
    w.key(Qt::Key_Right);
    w.key(Qt::Key_Right);
    const QImage framed = w.form.grab().toImage();
    const QRect cell(w.cell(2).mapTo(&w.form, QPoint(0, 0)), w.cell(2).size());
    const QRect outer = cell.adjusted(CellCursor::kInset, CellCursor::kInset, -CellCursor::kInset,
                                      -CellCursor::kInset);
    const QRect inner = outer.adjusted(CellCursor::kWidth, CellCursor::kWidth, -CellCursor::kWidth,
                                       -CellCursor::kWidth);
    int wrong = 0;
    for (int y = 0; y < framed.height(); ++y) {
        for (int x = 0; x < framed.width(); ++x) {
            const bool onFrame = outer.contains(x, y) && !inner.contains(x, y);
            const QRgb want = onFrame ? CellCursor::kColor : before.pixel(x, y);
            wrong += (framed.pixel(x, y) & 0xFFFFFF) != (want & 0xFFFFFF);
        }
    }
    EXPECT_EQ(wrong, 0) << "pixels other than the frame's own changed, or the frame is missing";
    w.key(Qt::Key_Escape);
    EXPECT_EQ(w.form.grab().toImage(), before);

    // Against the cells' face the frame must stand out by 3:1 at least.
    const auto luminance = [](QColor c) {
        const auto channel = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) +
               0.0722 * channel(c.blueF());
    };
    const double face = luminance(platform::systemColor(platform::SystemColor::ButtonFace));
    const double frame = luminance(QColor::fromRgb(CellCursor::kColor));
    EXPECT_GE((face + 0.05) / (frame + 0.05), 3.0);
}

TEST_F(InputTest, picturesAreReadByTheHelperAndWhatItReadIsLaid) {
    // A stand-in for the reader: it keeps the bytes it is given and answers as told.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString fake = dir.filePath("reader");
    const auto write = [&dir](const QString& name, const QByteArray& bytes) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return dir.filePath(name);
    };
    write("reader", "#!/bin/sh\ncat >\"$0.in\"\n"
                    "[ \"$(cat \"$0.mode\")\" = crash ] && kill -SEGV $$\ncat \"$0.answer\"\n");
    QFile::setPermissions(fake, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("ZARVICK_PICTURE_READER", fake.toUtf8());

    std::string unsure(kEasyLine);
    unsure[1] = '?';
    std::string confidence;
    for (int i = 0; i < 81; ++i)
        confidence += i == 0 ? "99" : " 99";
    const QByteArray easyAnswer =
        QByteArray::fromStdString("cells " + unsure + "\nconfidence " + confidence + "\n");
    constexpr qint64 kLimit = 40 * 1024 * 1024;
    const QString photo = write("photo.jpg", "\xFF\xD8\xFF\xE0 photo");
    const QString atLimit = write("limit.png", QByteArray(kLimit, 'p'));
    const QString overLimit = write("over.png", QByteArray(kLimit + 1, 'p'));

    const auto withPicture = [](const QByteArray& bytes) {
        auto* data = new QMimeData;
        data->setData(QStringLiteral("image/png"), bytes);
        return data;
    };
    const auto withUrl = [](const QUrl& url) {
        auto* data = new QMimeData;
        data->setUrls({url});
        return data;
    };
    const auto paste = [](Window& w, QMimeData* data) {
        QGuiApplication::clipboard()->setMimeData(data);
        w.key(Qt::Key_V, Qt::ControlModifier);
    };
    const auto drop = [](Window& w, QMimeData* data) {
        QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, data, Qt::LeftButton, {});
        QApplication::sendEvent(&w.form, &enter);
        QDropEvent event(QPointF(100, 100), Qt::CopyAction, data, Qt::LeftButton, {});
        QApplication::sendEvent(&w.form, &event);
        QApplication::processEvents();
        delete data;
    };
    struct Case {
        const char* what;
        std::function<void(Window&)> bringIn;
        const char* mode;
        QByteArray sent; // what the reader must be given; empty: it must not be started
        bool laid;       // Easy is laid, else the board stays as it was
        std::string message;
    };
    const std::string unreadMessage = "Row 1, column 2 could not be read and is left empty.";
    const std::string faultMessage = "The picture could not be read.";
    const Case cases[] = {
        {"an image on the clipboard", [&](Window& w) { paste(w, withPicture("PNG bytes")); },
         "answer", "PNG bytes", true, unreadMessage},
        {"a copied picture file", [&](Window& w) { paste(w, withUrl(QUrl::fromLocalFile(photo))); },
         "answer", "\xFF\xD8\xFF\xE0 photo", true, unreadMessage},
        {"a dropped picture file", [&](Window& w) { drop(w, withUrl(QUrl::fromLocalFile(photo))); },
         "answer", "\xFF\xD8\xFF\xE0 photo", true, unreadMessage},
        {"dropped image data", [&](Window& w) { drop(w, withPicture("dragged")); }, "answer",
         "dragged", true, unreadMessage},
        {"a picture of exactly the size limit",
         [&](Window& w) { paste(w, withUrl(QUrl::fromLocalFile(atLimit))); }, "answer",
         QByteArray(kLimit, 'p'), true, unreadMessage},
        {"a picture one byte over it",
         [&](Window& w) { paste(w, withUrl(QUrl::fromLocalFile(overLimit))); },
         "answer",
         {},
         false,
         "The file \u201Cover.png\u201D is larger than 40 MiB, too large for a picture."},
        {"a reader that crashes", [&](Window& w) { paste(w, withPicture("boom")); }, "crash",
         "boom", false, faultMessage},
        {"a web address alone",
         [&](Window& w) { drop(w, withUrl(QUrl(QStringLiteral("https://example.org/s.png")))); },
         "answer",
         {},
         false,
         "The dropped picture is a web address. Save the picture first, then drop the saved "
         "file."},
        {"a puzzle text beside a picture is read as text",
         [&](Window& w) {
             QMimeData* data = withPicture("cells as a picture");
             data->setText(QString::fromUtf8(kEasyLine.data(), qsizetype(kEasyLine.size())));
             paste(w, data);
         },
         "answer",
         {},
         true,
         ""},
    };
    const Observed easy = Window().observe(0);
    for (const Case& c : cases) {
        QFile::remove(fake + ".in");
        write("reader.mode", c.mode);
        write("reader.answer", easyAnswer);
        messages.clear();
        Window w;
        w.form.btnMediumClick();
        const Observed medium = w.observe(0);
        c.bringIn(w);
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return !messages.empty() || w.observe(0) == easy; }, 10000));
        EXPECT_TRUE(w.observe(0) == (c.laid ? easy : medium)) << c.what;
        EXPECT_EQ(messages, c.message.empty() ? std::vector<std::string>{}
                                              : std::vector<std::string>{c.message})
            << c.what;
        QFile in(fake + ".in");
        EXPECT_EQ(in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray(), c.sent) << c.what;
    }
    qunsetenv("ZARVICK_PICTURE_READER");
    messages.clear();
    Window w;
    paste(w, withPicture("PNG bytes"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !messages.empty(); }, 10000));
    const std::string missing =
        "The picture cannot be read: its reader, zarvick-read-picture, is missing.";
    EXPECT_EQ(messages, std::vector<std::string>{missing});
}
