#include "HelpUnit1.h"

#include "images/jpegloader.h"
#include "platform/fonts.h"
#include "widgets/image.h"
#include "widgets/label.h"
#include "widgets/panel.h"

#include <QFile>

#include <array>

namespace {

constexpr const char* kBasics =
    "Zarvick saves time when solving Sudoku-like puzzles, eliminating the tediousness of doing "
    "the puzzles to allow you to concentrate on the logic and problem solving.  It does not "
    "create puzzles (except for 3 built-in puzzles to demonstrate the program), so puzzles must "
    "be entered manually.  The best way to learn to use the program is to dive in and try it "
    "out!";
constexpr const char* kStart = "1) To start, click on the 'Easy' button.";
constexpr const char* kEnter =
    "2) Clicking on a small number will enter it into the box.  Notice how some numbers are "
    "eliminated.  Only viable numbers are displayed. Click the number again if you made a "
    "mistake, or click 'Undo'.";
constexpr const char* kStrike = "3) Right-clicking a small number manually eliminates it.  "
                                "Right-click again if you made a mistake.";
constexpr const char* kHints =
    "Hints will help do the tedious work, so you can concentrate on the logic:";
constexpr const char* kStragglers = "'Check for Stragglers' will highlight the single digits that "
                                    "are the only remaining choice to a box.";
constexpr const char* kRemaining =
    "'Check for Remaining' will highlight a number if it is the only remaining choice.  For "
    "example, if all of the 3's in a row are eliminated, except for one, then it will highlight "
    "this 3. This feature alone saves hours of tedious work.";

QImage storedPicture(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    return loadJpeg(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                              static_cast<std::size_t>(bytes.size())));
}

} // namespace

THelpBox::THelpBox(QWidget* owner)
    : InfoDialog(owner, QStringLiteral("Help!"), QSize(750, 549),
                 platform::makeFont("MS Sans Serif", 13)) {
    setObjectName(QStringLiteral("HelpBox"));

    struct Box {
        const char* name;
        const char* caption;
        QRect geometry;
    };
    std::array<widgets::TGroupBox*, 3> boxes{};
    const std::array<Box, 3> boxSpecs{Box{"GroupBox3", "  Basics  ", {8, 8, 201, 497}},
                                      Box{"GroupBox1", "  Starting Out  ", {208, 8, 337, 497}},
                                      Box{"GroupBox2", "  Advanced  ", {544, 8, 201, 497}}};
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        boxes[i] = new widgets::TGroupBox(this, QString::fromLatin1(boxSpecs[i].caption), font());
        boxes[i]->setObjectName(QString::fromLatin1(boxSpecs[i].name));
        boxes[i]->setGeometry(boxSpecs[i].geometry);
    }

    // In the order of creation, so that a later control is drawn over an earlier one.
    struct Control {
        std::size_t box;
        const char* name;
        QRect geometry;
        const char* text;    // a label's text, or what a picture shows, for a screen reader
        const char* picture; // a picture's resource, or nullptr for a label
    };
    const Control controls[] = {
        {0, "Label4", {16, 24, 168, 240}, kBasics, nullptr},
        {1,
         "ProgramIcon",
         {112, 40, 105, 73},
         "Picture: the Easy button",
         ":/assets/HelpPicture1.jpg"},
        {1, "ProductName", {8, 24, 313, 25}, kStart, nullptr},
        {1, "Version", {8, 120, 313, 88}, kEnter, nullptr},
        {1,
         "Image1",
         {48, 192, 241, 241},
         "Picture: a block with five digits entered; the empty cells show their candidates, the "
         "excluded ones in yellow",
         ":/assets/HelpPicture2.jpg"},
        {1, "Copyright", {8, 448, 321, 48}, kStrike, nullptr},
        {2,
         "Image2",
         {16, 64, 153, 129},
         "Picture: the Hints buttons",
         ":/assets/HelpPicture3.jpg"},
        {2, "Label1", {8, 16, 177, 48}, kHints, nullptr},
        {2, "Label2", {8, 200, 177, 73}, kStragglers, nullptr},
        {2, "Label3", {8, 272, 184, 128}, kRemaining, nullptr},
    };
    for (const Control& control : controls) {
        QWidget* widget = nullptr;
        if (control.picture == nullptr) {
            widget = addLabel(boxes[control.box], control.name, QString::fromLatin1(control.text),
                              control.geometry, true);
        } else {
            auto* image = new widgets::TImage(boxes[control.box]);
            image->setGeometry(control.geometry);
            image->setPictureSource(
                [path = QString::fromLatin1(control.picture)] { return storedPicture(path); });
            image->setAccessibleName(QString::fromLatin1(control.text));
            widget = image;
        }
        widget->setObjectName(QString::fromLatin1(control.name));
    }
    addOkButton(QRect(367, 516, 75, 25));
}
