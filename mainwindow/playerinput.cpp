// The ways in that the main window offers beside the mouse: keys, the clipboard and drops.
// Each ends in the handler that the click it stands for runs, so the log, the beep and the
// recomputation are the click's own.
#include "SUnit1.h"
#include "messagewindow.h"

#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QStringDecoder>
#include <QWindow>

#include <algorithm>

namespace {

// A puzzle file is a few hundred bytes; anything much larger is not one.
constexpr qint64 kMaxPuzzleFileBytes = 64 * 1024;
// A 12-megapixel photo is a few MiB as JPEG and some 30 MiB as PNG.
constexpr qint64 kMaxPictureBytes = 40 * 1024 * 1024;

QString quoted(const QString& name) {
    return QStringLiteral("\u201C%1\u201D").arg(name);
}

// The first local file among the dropped addresses, or an empty text.
QString droppedFile(const QMimeData& data) {
    if (!data.hasUrls())
        return {};
    for (const QUrl& url : data.urls()) {
        if (url.isLocalFile())
            return url.toLocalFile();
    }
    return {};
}

// Whether the addresses name something only the network could bring, as a web browser's
// picture does when it is dragged or copied without its data.
bool onlyRemoteAddresses(const QMimeData& data) {
    const QList<QUrl> urls = data.urls();
    return !urls.isEmpty() && std::none_of(urls.begin(), urls.end(),
                                           [](const QUrl& url) { return url.isLocalFile(); });
}

// The encoded picture that the data carries, as the program that offers it wrote it; the game
// never decodes it itself. The usual lossless formats first.
QByteArray pictureData(const QMimeData& data) {
    static constexpr const char* kPreferred[] = {"image/png",  "image/bmp", "image/jpeg",
                                                 "image/webp", "image/gif", "image/tiff"};
    const QStringList formats = data.formats();
    for (const char* format : kPreferred) {
        if (formats.contains(QLatin1String(format)))
            return data.data(QLatin1String(format));
    }
    for (const QString& format : formats) {
        if (format.startsWith(QLatin1String("image/")))
            return data.data(format);
    }
    return {};
}

board::PuzzleRead readText(const QString& text, std::string_view subject) {
    const QByteArray utf8 = text.toUtf8();
    return board::readPuzzleText(std::string_view(utf8.constData(), std::size_t(utf8.size())),
                                 subject);
}

bool hasPicture(const QMimeData& data) {
    const QStringList formats = data.formats();
    return std::any_of(formats.begin(), formats.end(),
                       [](const QString& f) { return f.startsWith(QLatin1String("image/")); });
}

// Whether a file holds a picture rather than text: by its first bytes where the format has a
// signature, else by its name.
bool isPictureFile(const QString& path, const QByteArray& head) {
    using namespace std::string_view_literals; // the signatures hold zero bytes
    static constexpr std::string_view kSignatures[] = {"\x89PNG"sv,  "\xFF\xD8\xFF"sv, "GIF8"sv,
                                                       "BM"sv,       "II*\0"sv,        "MM\0*"sv,
                                                       "\0\0\1\0"sv, "RIFF"sv};
    const std::string_view start(head.constData(), std::size_t(head.size()));
    for (std::string_view signature : kSignatures) {
        if (start.substr(0, signature.size()) == signature)
            return true;
    }
    static const QStringList kSuffixes = {"png", "jpg",  "jpeg", "jfif", "bmp",  "gif", "webp",
                                          "tif", "tiff", "ico",  "pbm",  "pgm",  "ppm", "xbm",
                                          "xpm", "tga",  "svg",  "svgz", "heic", "avif"};
    return kSuffixes.contains(QFileInfo(path).suffix().toLower());
}

} // namespace

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    // The window's own pointer events, seen before any widget: where the pointer is needs no
    // question to the windowing system, which some cannot answer outside our windows.
    if (watched == windowHandle()) {
        switch (event->type()) {
        case QEvent::Enter:
        case QEvent::MouseMove: {
            const auto* pointer = static_cast<QSinglePointEvent*>(event);
            m_pointer = pointer->position().toPoint();
            // The pointer takes over from the keyboard once it moves over the board, coming in
            // from outside included; a window that only gets the pointer back (a dialog has
            // closed over it) sees it where it last was.
            if (pointer->globalPosition() != m_lastGlobalPointer && m_cursor.isShown() &&
                ControlByName("Panel82")->geometry().contains(*m_pointer))
                m_cursor.hide();
            m_lastGlobalPointer = pointer->globalPosition();
            break;
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
            m_pointer = static_cast<QMouseEvent*>(event)->position().toPoint();
            break;
        case QEvent::Leave:
            m_pointer.reset();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

CellPanel* TForm1::cellUnderPointer() const {
    if (!m_pointer)
        return nullptr;
    // A candidate's cell is its parent; the pointer may also be on the cell's own border.
    for (QWidget* w = childAt(*m_pointer); w != nullptr && w != this; w = w->parentWidget()) {
        if (auto* cell = dynamic_cast<CellPanel*>(w))
            return cell;
    }
    return nullptr;
}

CellPanel* TForm1::cellInQuestion() const {
    if (CellPanel* cell = m_cursor.cell())
        return cell;
    return cellUnderPointer();
}

void TForm1::runShortcut(shortcuts::Hit hit) {
    using shortcuts::Action;
    using Move = CellCursor::Move;
    switch (hit.action) {
    case Action::EnterDigit:
    case Action::StrikeDigit: {
        CellPanel* cell = cellInQuestion();
        if (cell == nullptr)
            return;
        const int panel = board::PanelNumberFromName(cell->controlName());
        auto* candidate = static_cast<CandidateButton*>(
            ControlByName("SpeedButton" + std::to_string(board::buttonNumber(panel, hit.digit))));
        // A filled cell's candidates are hidden and take no clicks, so they take no keys either.
        if (candidate == nullptr || candidate->isHidden()) {
            accessibility::willDo(*this, accessibility::Deed::Look, cell);
            return;
        }
        if (hit.action == Action::EnterDigit)
            SpeedButton1Click(*candidate);
        else
            SpeedButton1MouseDown(*candidate, Qt::RightButton);
        return;
    }
    case Action::ClearCell:
        if (CellPanel* cell = cellInQuestion())
            Panel1Click(*cell);
        return;
    case Action::Paste:
        return pastePuzzle();
    case Action::Copy:
        return copyPuzzle();
    case Action::Undo:
        return btnUnDoClick();
    case Action::Redo:
        return redo();
    case Action::CursorLeft:
        return m_cursor.move(Move::Left, cellUnderPointer());
    case Action::CursorRight:
        return m_cursor.move(Move::Right, cellUnderPointer());
    case Action::CursorUp:
        return m_cursor.move(Move::Up, cellUnderPointer());
    case Action::CursorDown:
        return m_cursor.move(Move::Down, cellUnderPointer());
    case Action::CursorRowStart:
        return m_cursor.move(Move::RowStart, cellUnderPointer());
    case Action::CursorRowEnd:
        return m_cursor.move(Move::RowEnd, cellUnderPointer());
    case Action::HideCursor:
        return m_cursor.hide();
    }
}

void TForm1::keyPressEvent(QKeyEvent* event) {
    using shortcuts::Action;
    const std::optional<shortcuts::Hit> hit = shortcuts::match(event->key(), event->modifiers());
    if (!hit || (hit->action == Action::HideCursor && !m_cursor.isShown())) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    // A held key repeats Undo, Redo and the cursor's moves as in any editor; it enters, strikes
    // or clears once.
    const bool repeats = hit->action == Action::Undo || hit->action == Action::Redo ||
                         (hit->action >= Action::CursorLeft && hit->action <= Action::CursorRowEnd);
    if (event->isAutoRepeat() && !repeats)
        return;
    runShortcut(*hit);
}

bool TForm1::focusNextPrevChild(bool next) {
    // Tab leaves the board for the buttons: the cursor goes, and the button that Qt focuses
    // next is announced as the focus.
    m_cursor.hide(CellCursor::Announce::No);
    return QWidget::focusNextPrevChild(next);
}

void TForm1::pastePuzzle() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    const board::PuzzleRead read =
        readText(data != nullptr ? data->text() : QString(), "The clipboard");
    // Text first: a spreadsheet offers its cells as text and also as a picture of them, and the
    // text is exact.
    if (data == nullptr || read.ok())
        return layPuzzleRead(read, "The clipboard");
    if (hasPicture(*data)) {
        const QByteArray bytes = pictureData(*data);
        if (bytes.size() > kMaxPictureBytes) {
            showMessage(this, QStringLiteral("The picture on the clipboard is larger than 40 MiB, "
                                             "too large to read."));
            return;
        }
        return layPicture(bytes);
    }
    // A file manager copies a file as its address.
    if (const QString file = droppedFile(*data); !file.isEmpty())
        return layPuzzleFile(file);
    if (onlyRemoteAddresses(*data)) {
        showMessage(this, QStringLiteral("The clipboard holds a web address. Save the picture "
                                         "first, then copy or drop the saved file."));
        return;
    }
    layPuzzleRead(read, "The clipboard");
}

void TForm1::copyPuzzle() const {
    QGuiApplication::clipboard()->setText(
        QString::fromStdString(board::puzzleLine(m_board.digits())));
}

void TForm1::layPuzzleText(const QString& text, std::string_view subject) {
    layPuzzleRead(readText(text, subject), subject);
}

void TForm1::layPuzzleRead(const board::PuzzleRead& read, std::string_view subject) {
    if (!read.ok()) {
        showMessage(this, QString::fromStdString(read.problem));
        return;
    }
    QString source = QString::fromUtf8(subject.data(), qsizetype(subject.size()));
    if (!source.isEmpty())
        source[0] = source[0].toLower(); // "The clipboard" starts a sentence, not this one
    layDigits(read.digits, source);
}

void TForm1::layDigits(const board::PuzzleDigits& digits, const QString& source) {
    // Laid while the grid is hidden: a candidate shown in a visible window asks where the
    // pointer is, a round trip to the X server for each of up to 729, and a hidden grid is
    // drawn once, whole, when it shows again (26 ms against 7 ms on X).
    QWidget* gridFrame = ControlByName("Panel82");
    gridFrame->hide();
    accessibility::willDo(*this, accessibility::Deed::Laid, nullptr, source);
    m_board.loadPuzzle(digits);
    gridFrame->show();
}

void TForm1::layPicture(const QByteArray& bytes) {
    if (!m_pictureReader) {
        m_pictureReader = std::make_unique<PictureReader>(
            [this](const board::PictureRead& read) { layPictureRead(read); });
    }
    m_pictureReader->read(bytes);
}

void TForm1::layPictureRead(const board::PictureRead& read) {
    if (!read.ok()) {
        showMessage(this, QString::fromStdString(read.problem));
        return;
    }
    layDigits(read.digits, QStringLiteral("the picture"));
    if (!read.unread.empty())
        showMessage(this, QString::fromStdString(board::unreadCellsMessage(read.unread)));
}

void TForm1::layPuzzleFile(const QString& path) {
    const QFileInfo info(path);
    const QString name = quoted(info.fileName());
    if (info.isDir()) {
        showMessage(this, QStringLiteral("%1 is a folder, not a puzzle file.").arg(name));
        return;
    }
    // Only a plain file: reading a pipe or a device could wait or go on for ever.
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly)) {
        showMessage(this, QStringLiteral("The file %1 cannot be read.").arg(name));
        return;
    }
    if (isPictureFile(path, file.peek(8))) {
        // The size is read again from what arrives: a file may grow, or claim no size at all.
        const QByteArray bytes = file.read(kMaxPictureBytes + 1);
        if (file.error() != QFileDevice::NoError) {
            showMessage(this, QStringLiteral("The file %1 cannot be read.").arg(name));
            return;
        }
        if (info.size() > kMaxPictureBytes || bytes.size() > kMaxPictureBytes) {
            showMessage(this, QStringLiteral("The file %1 is larger than 40 MiB, too large for a "
                                             "picture.")
                                  .arg(name));
            return;
        }
        return layPicture(bytes);
    }
    const QByteArray bytes = file.read(kMaxPuzzleFileBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        showMessage(this, QStringLiteral("The file %1 cannot be read.").arg(name));
        return;
    }
    if (info.size() > kMaxPuzzleFileBytes || bytes.size() > kMaxPuzzleFileBytes) {
        showMessage(
            this,
            QStringLiteral("The file %1 is larger than 64 KiB, too large for a puzzle.").arg(name));
        return;
    }
    // A byte-order mark names UTF-16 or UTF-32; anything else is read as UTF-8.
    QStringDecoder decoder(
        QStringConverter::encodingForData(bytes).value_or(QStringConverter::Utf8));
    const QString text = decoder.decode(bytes);
    if (decoder.hasError() || text.contains(QChar::Null)) {
        showMessage(this, QStringLiteral("The file %1 is not a text file.").arg(name));
        return;
    }
    const std::string subject = "The file " + name.toStdString();
    layPuzzleText(text, subject);
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
    const QMimeData* data = event->mimeData();
    if (data->hasUrls() || data->hasText() || hasPicture(*data))
        event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event) {
    const QMimeData* data = event->mimeData();
    if (!data->hasUrls() && !data->hasText() && !hasPicture(*data))
        return;
    event->acceptProposedAction();
    // Taken now, while the data is there, and laid once the drop has ended: a message window
    // must not hold the dragging program up.
    const QString file = droppedFile(*data);
    const QByteArray picture = file.isEmpty() ? pictureData(*data) : QByteArray();
    const bool remote = file.isEmpty() && picture.isEmpty() && onlyRemoteAddresses(*data);
    const QString text = data->text();
    QMetaObject::invokeMethod(
        this,
        [this, file, picture, remote, text] {
            if (!file.isEmpty())
                layPuzzleFile(file);
            else if (picture.size() > kMaxPictureBytes)
                showMessage(this, QStringLiteral("The dropped picture is larger than 40 MiB, too "
                                                 "large to read."));
            else if (!picture.isEmpty())
                layPicture(picture);
            else if (remote)
                showMessage(this, QStringLiteral("The dropped picture is a web address. Save the "
                                                 "picture first, then drop the saved file."));
            else
                layPuzzleText(text, "The dropped text");
        },
        Qt::QueuedConnection);
}
