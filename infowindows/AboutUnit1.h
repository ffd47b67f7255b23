#pragma once

#include "infodialog.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

class TJvGIFImage;

namespace widgets {
class TLabel;
}

// The product's addresses. There is no real site: the addresses lie under a domain reserved
// for examples, so that nothing is ever sent to somebody else's server.
inline constexpr std::string_view kHomePage = "https://zarvick.example.org";
inline constexpr std::string_view kContactMail = "mail@zarvick.example.org";
inline constexpr std::string_view kCopyrightNotice = "(c) 2026 The Zarvick developers";

// Hands text of at most 255 characters to the desktop shell. A longer text would have to be
// cut, and a cut address opens the wrong page, so it is not handed over at all.
void OpenWithShell(std::string_view text);

// The update page's address for a program version.
std::string updateAddress(std::string_view programVersion);

// The About window: the program's name and version, its picture and its two links.
class TAboutBox final : public InfoDialog {
public:
    TAboutBox(const QString& programVersion, QWidget* owner);
    ~TAboutBox() override;

    void CommentsClick();
    void Label1Click();

    // The picture in its stored form: class name, byte count, then the GIF file.
    static QByteArray storedPictureData();
    // Reads a stored picture; a damaged one gives null.
    static std::unique_ptr<TJvGIFImage> pictureFromData(std::span<const std::uint8_t> data);

    widgets::TLabel* productName() const { return m_productName; }
    // Null when the stored picture could not be read.
    TJvGIFImage* picture();

private:
    void FormCreate(const QString& programVersion);

    std::unique_ptr<TJvGIFImage> m_picture;
    bool m_pictureRead = false;
    widgets::TLabel* m_productName = nullptr;
};
