#include "SUnit1.h"

#include "infowindows/AboutUnit1.h"
#include "platform/bell.h"
#include "platform/colorscheme.h"
#include "platform/fonts.h"
#include "platform/screen.h"
#include "platform/titlebar.h"
#include "widgets/jvpanel.h"
#include "widgets/xpbutton.h"

#include <QDialog>
#include <QFile>
#include <QIcon>
#include <QWindow>

#include <string>

namespace {

constexpr std::string_view kProgramVersion = "0.9";

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string numbered(std::string_view prefix, int number) {
    std::string name(prefix);
    name += std::to_string(number);
    return name;
}

void place(QWidget* widget, const layout::Rect& rect) {
    widget->setGeometry(rect.left, rect.top, rect.width, rect.height);
}

// The news button's glyph, stored as a byte count and a bitmap file.
QImage upgradeGlyph() {
    QFile file(QStringLiteral(":/assets/UpgradeGlyph.dat"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray stored = file.readAll();
    return QImage::fromData(stored.mid(4), "BMP");
}

QIcon programIcon() {
    QIcon icon;
    for (int size : {48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/assets/zarvick-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace

CandidateButton::CandidateButton(QWidget* parent, std::string name)
    : TSpeedButton(parent), m_name(std::move(name)) {
    setObjectName(QString::fromStdString(m_name));
}

void CandidateButton::setCaption(std::string_view caption) {
    aboutToChange();
    TSpeedButton::setCaption(qs(caption));
}

CellPanel::CellPanel(QWidget* parent, std::string name) : TPanel(parent), m_name(std::move(name)) {
    setObjectName(QString::fromStdString(m_name));
}

void CellPanel::setCaption(std::string_view caption) {
    accessibility::aboutToChange(*this);
    TPanel::setCaption(qs(caption));
}

TForm1::TForm1() {
    setObjectName(QStringLiteral("Form1"));
    setWindowIcon(programIcon());
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    platform::useOwnTitleBarWhereNeeded(this);
    platform::setFixedClientSize(this, QSize(layout::kClientWidth, layout::kClientHeight));
    setFont(platform::makeFont("MS Shell Dlg 2", layout::kWindowFontHeight));
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, platform::systemColor(platform::SystemColor::ButtonFace));
    setPalette(background);

    buildGrid();
    buildHiddenControls();
    buildSidePanel();
    TimerRegFonts.setHandler([this] { TimerRegFontsTimer(); });
    setAcceptDrops(true);

    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::addControl(std::string_view name, QWidget* widget, board::BoardControl* boardControl) {
    if (widget->objectName().isEmpty())
        widget->setObjectName(qs(name));
    m_controls.add(name, Entry{widget, boardControl});
}

QWidget* TForm1::ControlByName(std::string_view name) const {
    return m_controls.find(name).widget;
}

board::BoardControl* TForm1::controlByName(std::string_view name) {
    return m_controls.find(name).boardControl;
}

void TForm1::buildGrid() {
    auto* gridFrame = new widgets::TPanel(this);
    addControl("Panel82", gridFrame, nullptr);
    place(gridFrame, layout::kGridFrame);
    gridFrame->setColor(platform::kNavy);
    gridFrame->setBevels(widgets::Bevel::Raised, widgets::Bevel::None, 1, 0);

    const QFont cellFont = platform::makeFont("Arial", layout::kCellFontHeight);
    const QFont blockFont = platform::makeFont("MS Shell Dlg 2", layout::kWindowFontHeight);
    for (int block = 1; block <= 9; ++block) {
        auto* blockPanel = new widgets::TJvPanel(gridFrame);
        addControl(numbered("JvPanel", block), blockPanel, nullptr);
        place(blockPanel, layout::blockRect(block));
        blockPanel->setColor(platform::kNavy);
        blockPanel->setFlatBorder(true);
        blockPanel->setFlatBorderColor(platform::kNavy);
        blockPanel->setHotColor(platform::kNavy);
        blockPanel->setBevels(widgets::Bevel::Raised, widgets::Bevel::None, 3, 3);
        blockPanel->setBorderSingle(true);
        blockPanel->setCaptionFont(blockFont);
        blockPanel->setCaption(QStringLiteral("JvPanel1"));

        for (int panel = (block - 1) * 9 + 1; panel <= block * 9; ++panel) {
            auto* cell = new CellPanel(blockPanel->client(), numbered("Panel", panel));
            addControl(cell->controlName(), cell, cell);
            place(cell, layout::cellRect(panel));
            cell->setBevels(widgets::Bevel::Raised, widgets::Bevel::None, 5, 3);
            cell->setCaptionFont(cellFont);
            cell->setOnClick([this, cell](widgets::TPanel&) { Panel1Click(*cell); });

            for (int k = board::buttonNumber(panel, 1); k <= board::buttonNumber(panel, 9); ++k) {
                auto* candidate = new CandidateButton(cell, numbered("SpeedButton", k));
                addControl(candidate->controlName(), candidate, candidate);
                place(candidate, layout::candidateRect(k));
                candidate->TSpeedButton::setCaption(QString::number(board::digitOfButton(k)));
                candidate->setOnClick(
                    [this, candidate](widgets::TSpeedButton&) { SpeedButton1Click(*candidate); });
                candidate->setOnMouseDown(
                    [this, candidate](widgets::TSpeedButton&, Qt::MouseButton button) {
                        SpeedButton1MouseDown(*candidate, button);
                    });
            }
        }
    }
}

void TForm1::buildHiddenControls() {
    m_reMoves = new LineLogControl(this);
    m_reRedo = new LineLogControl(this);
    for (auto [control, entry] :
         {std::pair{m_reMoves, layout::kMoveLog}, std::pair{m_reRedo, layout::kRedoLog}}) {
        addControl(entry.name, control, nullptr);
        place(control, entry.rect);
        control->hide();
    }
    auto* clean = new widgets::TJvXPButton(this);
    addControl(layout::kCleanButton.name, clean, nullptr);
    place(clean, layout::kCleanButton.rect);
    clean->setCaption(QStringLiteral("Clean"));
    clean->setOnClick([this] { btnCleanClick(); });
    clean->hide();
}

void TForm1::buildSidePanel() {
    auto* side = new widgets::TPanel(this);
    addControl("Panel83", side, nullptr);
    place(side, layout::kSidePanel);
    side->setBevels(widgets::Bevel::None, widgets::Bevel::None, 1, 0);

    const QFont boxFont = platform::makeFont("Tahoma", layout::kGroupBoxFontHeight, true);
    std::array<widgets::TGroupBox*, layout::kGroupBoxes.size()> boxes{};
    for (std::size_t i = 0; i < layout::kGroupBoxes.size(); ++i) {
        const auto& entry = layout::kGroupBoxes[i];
        boxes[i] = new widgets::TGroupBox(side, qs(entry.caption), boxFont);
        addControl(entry.name, boxes[i], nullptr);
        place(boxes[i], entry.rect);
    }

    std::array<widgets::TJvXPButton*, layout::kCommands.size()> byTabOrder{};
    for (const auto& entry : layout::kCommands) {
        auto* button = new widgets::TJvXPButton(boxes[entry.groupBox]);
        addControl(entry.name, button, nullptr);
        place(button, entry.rect);
        button->setCaption(qs(entry.caption));
        button->setFont(platform::makeFont(entry.face, layout::kCommandFontHeight));
        const layout::Command command = entry.command;
        button->setOnClick([this, command] { runCommand(command); });
        if (command == layout::Command::Upgrade)
            button->setGlyph(upgradeGlyph());
        byTabOrder[static_cast<std::size_t>(entry.tabOrder)] = button;
    }
    for (std::size_t i = 1; i < byTabOrder.size(); ++i)
        QWidget::setTabOrder(byTabOrder[i - 1], byTabOrder[i]);
}

void TForm1::runCommand(layout::Command command) {
    using layout::Command;
    switch (command) {
    case Command::UnDo:
        return btnUnDoClick();
    case Command::Singles:
        return btnSinglesClick();
    case Command::Remaining:
        return btnRemainingClick();
    case Command::Blank:
        return btnBlankClick();
    case Command::Easy:
        return btnEasyClick();
    case Command::Medium:
        return btnMediumClick();
    case Command::Difficult:
        return btnDifficultClick();
    case Command::About:
        return btnAboutClick();
    case Command::Upgrade:
        return btnUpgradeClick();
    case Command::Help:
        return btnHelpClick();
    }
}

void TForm1::FormCreate() {
    setWindowTitle(QStringLiteral("Zarvick V0.9 ") + qs(kCopyrightNotice));
    m_programVersion = qs(kProgramVersion);
    m_board.initialise();
    if (platform::primaryScreenHeight() < 756)
        reSize(16);
    else if (platform::primaryScreenHeight() < 900)
        reSize(20);
}

void TForm1::beep() {
    platform::messageBeep(0);
}

void TForm1::SpeedButton1MouseDown(CandidateButton& sender, Qt::MouseButton button) {
    if (button == Qt::RightButton)
        accessibility::willDo(*this, accessibility::Deed::Strike, &sender);
    board::MouseButton which = board::MouseButton::Middle;
    if (button == Qt::LeftButton)
        which = board::MouseButton::Left;
    else if (button == Qt::RightButton)
        which = board::MouseButton::Right;
    m_board.SpeedButton1MouseDown(sender, which);
}

void TForm1::setInfoWindows(QDialog* aboutBox, QDialog* helpBox) {
    m_aboutBox = aboutBox;
    m_helpBox = helpBox;
}

void TForm1::btnAboutClick() {
    if (m_aboutBox != nullptr)
        m_aboutBox->exec();
}

void TForm1::btnHelpClick() {
    if (m_helpBox != nullptr)
        m_helpBox->exec();
}

void TForm1::btnUpgradeClick() {
    OpenWithShell(updateAddress(m_programVersion.toStdString()));
}

void TForm1::reSize(int sizeFactor) {
    m_sizeFactor = sizeFactor;
    const int s = sizeFactor;
    const layout::CompactLengths L = layout::compactLengths(s);

    // Hidden while 819 controls move, so that the grid is drawn once, not after every change.
    QWidget* gridFrame = ControlByName("Panel82");
    gridFrame->hide();
    for (int k = 1; k <= board::kButtonCount; ++k) {
        QWidget* button = ControlByName(numbered("SpeedButton", k));
        button->resize(s, s);
        button->move(layout::compactLeft(k, button->x(), L.l1, L.l2),
                     layout::compactTop(k, button->y(), L.l1, L.l2));
    }
    for (int n = 1; n <= board::kCellCount; ++n) {
        QWidget* cell = ControlByName(numbered("Panel", n));
        cell->resize(L.l3, L.l3);
        cell->move(layout::compactLeft(n, cell->x(), L.l3, L.l4),
                   layout::compactTop(n, cell->y(), L.l3, L.l4));
    }
    for (int block = 1; block <= 9; ++block)
        ControlByName(numbered("JVPanel", block))->resize(L.l5, L.l5);
    const auto moveBlocks = [this](std::initializer_list<int> blocks, std::optional<int> left,
                                   std::optional<int> top) {
        for (int block : blocks) {
            QWidget* panel = ControlByName(numbered("JVPanel", block));
            panel->move(left.value_or(panel->x()), top.value_or(panel->y()));
        }
    };
    moveBlocks({2, 5, 8}, L.l6, std::nullopt);
    moveBlocks({3, 6, 9}, L.l7, std::nullopt);
    moveBlocks({4, 5, 6}, std::nullopt, L.l6);
    moveBlocks({7, 8, 9}, std::nullopt, L.l7);
    gridFrame->resize(L.l8, L.l8);
    QWidget* side = ControlByName("Panel83");
    side->setGeometry(L.l9, side->y(), side->width(), L.l10);
    m_outerSize = QSize(L.l12, L.l11);
    applyOuterSize();
    m_cursor.follow();
    gridFrame->show();
}

void TForm1::applyOuterSize() {
    if (!m_outerSize.isValid())
        return;
    // The frame's size is the windowing system's; before the window has a frame it is zero. A
    // title bar of our own is no frame: the client area is then as large as under a window
    // manager that adds none, and the bar stands above it.
    const QSize frame = frameGeometry().size() - geometry().size();
    platform::setFixedClientSize(this, m_outerSize - frame);
}

void TForm1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Installing twice is harmless: Qt keeps one entry per filter.
    if (QWindow* window = windowHandle())
        window->installEventFilter(this);
    applyOuterSize();
}

void TForm1::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    // A window manager reports the frame it adds only after the window is mapped.
    applyOuterSize();
}

void TForm1::placeCentred() {
    platform::placeCentred(this);
}
