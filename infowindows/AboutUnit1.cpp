#include "AboutUnit1.h"

#include "images/gifpainter.h"
#include "images/jvgifimage.h"
#include "platform/fonts.h"
#include "platform/shell.h"
#include "widgets/image.h"
#include "widgets/label.h"
#include "widgets/panel.h"

#include <QFile>

#include <array>
#include <cstring>

namespace {

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

void OpenWithShell(std::string_view text) {
    std::array<char, 256> buffer{};
    if (text.size() >= buffer.size())
        return;
    std::memcpy(buffer.data(), text.data(), text.size());
    platform::shellExecute({QString(), QString::fromUtf8(buffer.data()), QString(), QString(), 1});
}

std::string updateAddress(std::string_view programVersion) {
    std::string address(kHomePage);
    address += "/updates.php?VER=";
    address += programVersion;
    return address;
}

TAboutBox::TAboutBox(const QString& programVersion, QWidget* owner)
    : InfoDialog(owner, QStringLiteral("About"), QSize(306, 247),
                 platform::makeFont("MS Sans Serif", 11)) {
    setObjectName(QStringLiteral("AboutBox"));

    auto* panel = new widgets::TPanel(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setGeometry(8, 8, 289, 193);
    panel->setBevels(widgets::Bevel::Lowered, widgets::Bevel::Raised, 1, 0);

    auto* icon = new widgets::TImage(panel);
    icon->setObjectName(QStringLiteral("ProgramIcon"));
    icon->setGeometry(8, 8, 89, 89);
    icon->setAccessibleName(QStringLiteral("Picture: an empty puzzle grid"));
    icon->setDrawer([this](QPainter& painter, const QRect& rect) {
        if (TJvGIFImage* gif = picture())
            drawGif(painter, rect, *gif);
    });

    m_productName = addLabel(panel, "ProductName", QString(), QRect(112, 16, 88, 13), false);
    addLabel(panel, "Version", qs(kCopyrightNotice), QRect(112, 40, 122, 13), false);
    addLabel(panel, "Copyright",
             QStringLiteral("Helps solve Sudoku puzzles. Click on 'Easy' to begin."),
             QRect(112, 64, 136, 26), true);

    struct Link {
        const char* name;
        std::string_view text;
        QRect geometry;
        void (TAboutBox::*onClick)();
    };
    for (const Link& link :
         {Link{"Comments", kHomePage, {64, 152, 160, 13}, &TAboutBox::CommentsClick},
          Link{"Label1", kContactMail, {80, 168, 130, 13}, &TAboutBox::Label1Click}}) {
        // Links are blue, underlined and show a hand pointer.
        widgets::TLabel* label = addLabel(panel, link.name, qs(link.text), link.geometry, true);
        QFont linkFont = label->font();
        linkFont.setUnderline(true);
        label->setFont(linkFont);
        label->setFontColor(platform::kBlue);
        label->setCursor(Qt::PointingHandCursor);
        label->setOnClick([this, onClick = link.onClick] { (this->*onClick)(); });
    }

    addOkButton(QRect(119, 212, 75, 25));
    FormCreate(programVersion);
}

TAboutBox::~TAboutBox() = default;

std::unique_ptr<TJvGIFImage> TAboutBox::pictureFromData(std::span<const std::uint8_t> data) {
    try {
        return readPictureProperty(data);
    } catch (const EInvalidGraphicOperation&) {
        // A damaged picture leaves the window without it; everything else still works.
        return nullptr;
    }
}

TJvGIFImage* TAboutBox::picture() {
    // Read when first drawn: the window is built at start-up but shown, if ever, much later.
    if (!m_pictureRead) {
        m_pictureRead = true;
        const QByteArray stored = storedPictureData();
        m_picture = pictureFromData(std::span(reinterpret_cast<const std::uint8_t*>(stored.data()),
                                              static_cast<std::size_t>(stored.size())));
    }
    return m_picture.get();
}

QByteArray TAboutBox::storedPictureData() {
    QFile file(QStringLiteral(":/assets/AboutPicture.dat"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TAboutBox::FormCreate(const QString& programVersion) {
    m_productName->setText(QStringLiteral("Zarvick, Version ") + programVersion);
}

void TAboutBox::CommentsClick() {
    platform::shellExecute(
        {QStringLiteral("open"), qs(kHomePage), QString(), QStringLiteral("C:\\"), 1});
}

void TAboutBox::Label1Click() {
    platform::shellExecute({QStringLiteral("open"), QStringLiteral("mailto:") + qs(kContactMail),
                            QString(), QStringLiteral("C:\\"), 1});
}
