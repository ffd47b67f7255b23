#pragma once

#include "accessibleboard.h"
#include "board/picturereading.h"
#include "board/puzzleboard.h"
#include "cellcursor.h"
#include "layout.h"
#include "picturereader.h"
#include "platform/nameindex.h"
#include "platform/timer.h"
#include "shortcuts.h"
#include "widgets/panel.h"
#include "widgets/speedbutton.h"

#include <QWidget>

#include <array>
#include <memory>
#include <optional>
#include <string>

class QDialog;

namespace widgets {
class TJvPanel;
class TJvXPButton;
} // namespace widgets

// A candidate button as the board sees it.
class CandidateButton final : public widgets::TSpeedButton, public board::BoardControl {
public:
    CandidateButton(QWidget* parent, std::string name);

    std::string_view controlName() const override { return m_name; }
    std::string caption() const override { return TSpeedButton::caption().toStdString(); }
    void setCaption(std::string_view caption) override;
    bool isShown() const override { return !isHidden(); }
    void setShown(bool shown) override {
        aboutToChange();
        setVisible(shown);
    }
    platform::ColorSetting fontColor() const override { return TSpeedButton::fontColor(); }
    void setFontColor(platform::ColorSetting color) override {
        aboutToChange();
        TSpeedButton::setFontColor(color);
    }
    int fontPointSize() const override { return TSpeedButton::fontPointSize(); }
    void setFontPointSize(int points) override {
        aboutToChange();
        TSpeedButton::setFontPointSize(points);
    }

private:
    // Its cell says what its candidates are, so a change to it is one to the cell.
    void aboutToChange() { accessibility::aboutToChange(*parentWidget()); }

    std::string m_name;
};

// A cell panel as the board sees it: its caption is the cell's digit.
class CellPanel final : public widgets::TPanel, public board::BoardControl {
public:
    CellPanel(QWidget* parent, std::string name);

    std::string_view controlName() const override { return m_name; }
    std::string caption() const override { return TPanel::caption().toStdString(); }
    void setCaption(std::string_view caption) override;
    bool isShown() const override { return !isHidden(); }
    void setShown(bool shown) override {
        accessibility::aboutToChange(*this);
        setVisible(shown);
    }
    platform::ColorSetting fontColor() const override { return TPanel::fontColor(); }
    void setFontColor(platform::ColorSetting color) override {
        accessibility::aboutToChange(*this);
        TPanel::setFontColor(color);
    }
    int fontPointSize() const override { return 36; }
    void setFontPointSize(int) override {}

private:
    std::string m_name;
};

// A hidden multi-line text control that holds one log, one line per action. It is never shown,
// so it keeps its lines in a plain list rather than a text document.
class LineLogControl final : public QWidget {
public:
    explicit LineLogControl(QWidget* parent) : QWidget(parent) {}
    board::LineList& lines() { return m_lines; }
    const board::LineList& lines() const { return m_lines; }

private:
    board::LineList m_lines;
};

// The main window. It owns the controls and the board, and wires every handler.
class TForm1 final : public QWidget, public board::BoardHost {
public:
    TForm1();
    ~TForm1() override;

    // The window's control of that name, without regard to letter case, or nullptr.
    QWidget* ControlByName(std::string_view name) const;

    // board::BoardHost
    board::BoardControl* controlByName(std::string_view name) override;
    board::LineList& moveLog() override { return m_reMoves->lines(); }
    board::LineList& redoLog() override { return m_reRedo->lines(); }
    const board::LineList& moveLog() const { return m_reMoves->lines(); }
    const board::LineList& redoLog() const { return m_reRedo->lines(); }
    void beep() override;
    void startHintTimer() override { TimerRegFonts.start(); }
    void stopHintTimer() override { TimerRegFonts.stop(); }

    void setInfoWindows(QDialog* aboutBox, QDialog* helpBox);

    // Handlers, named as in the window description. Each first tells a listening screen reader
    // what is about to be done, so that it hears what changed (accessibleboard.h).
    void SpeedButton1Click(CandidateButton& sender) {
        accessibility::willDo(*this, accessibility::Deed::Enter, &sender);
        m_board.SpeedButton1Click(sender);
    }
    void SpeedButton1MouseDown(CandidateButton& sender, Qt::MouseButton button);
    void Panel1Click(CellPanel& sender) {
        accessibility::willDo(*this, accessibility::Deed::Clear, &sender);
        m_board.Panel1Click(sender);
    }
    void btnCleanClick() { m_board.btnCleanClick(); }
    void btnUnDoClick() {
        accessibility::willDo(*this, accessibility::Deed::Undo);
        m_board.btnUnDoClick();
    }
    void btnSinglesClick() {
        accessibility::willDo(*this, accessibility::Deed::Stragglers);
        m_board.btnSinglesClick();
    }
    void btnRemainingClick() {
        accessibility::willDo(*this, accessibility::Deed::Remaining);
        m_board.btnRemainingClick();
    }
    void btnBlankClick() {
        accessibility::willDo(*this, accessibility::Deed::Blank);
        m_board.btnBlankClick();
    }
    void btnEasyClick() {
        accessibility::willDo(*this, accessibility::Deed::BuiltIn, nullptr, QStringLiteral("Easy"));
        m_board.btnEasyClick();
    }
    void btnMediumClick() {
        accessibility::willDo(*this, accessibility::Deed::BuiltIn, nullptr,
                              QStringLiteral("Medium"));
        m_board.btnMediumClick();
    }
    void btnDifficultClick() {
        accessibility::willDo(*this, accessibility::Deed::BuiltIn, nullptr, QStringLiteral("Hard"));
        m_board.btnDifficultClick();
    }
    void btnAboutClick();
    void btnHelpClick();
    void btnUpgradeClick();
    void TimerRegFontsTimer() { m_board.TimerRegFontsTimer(); }

    // Ways in beside the clicks, each ending in the handler its click runs (playerinput.cpp).
    void runShortcut(shortcuts::Hit hit);
    void pastePuzzle();
    void copyPuzzle() const;
    void redo() {
        accessibility::willDo(*this, accessibility::Deed::Redo);
        m_board.redo();
    }
    // Lays the puzzle that the text holds, or tells the user why the text is not one.
    void layPuzzleText(const QString& text, std::string_view subject);
    // A file of a puzzle's text or a picture of one, told apart by what it holds.
    void layPuzzleFile(const QString& path);
    // Reads the picture's bytes in the picture reader and lays what it read when it is done.
    void layPicture(const QByteArray& bytes);
    // The cell panel under the pointer, as the window's own pointer events tell.
    CellPanel* cellUnderPointer() const;
    // The cell the keys act on: the keyboard cursor's while it is shown, else the hovered one.
    CellPanel* cellInQuestion() const;
    const CellCursor& cursor() const { return m_cursor; }
    // The keyboard cursor's cell, or nullptr while the cursor is hidden.
    CellPanel* cursorCell() const { return m_cursor.cell(); }

    void reSize(int sizeFactor);

    const board::PuzzleBoard& board() const { return m_board; }
    board::PuzzleBoard& board() { return m_board; }
    const QString& programVersion() const { return m_programVersion; }
    std::optional<int> sizeFactor() const { return m_sizeFactor; }

    // Centres the window on the primary screen (on Wayland the compositor places it); called
    // before it is first shown.
    void placeCentred();

protected:
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

public:
    platform::Timer TimerRegFonts{layout::kHintInterval};

private:
    struct Entry {
        QWidget* widget = nullptr;
        board::BoardControl* boardControl = nullptr;
    };

    void FormCreate();
    void buildGrid();
    void buildHiddenControls();
    void buildSidePanel();
    void addControl(std::string_view name, QWidget* widget, board::BoardControl* boardControl);
    void runCommand(layout::Command command);
    void applyOuterSize();
    // Lays a read text's puzzle, or says why the text is none.
    void layPuzzleRead(const board::PuzzleRead& read, std::string_view subject);
    // Lays a puzzle from outside; source says where from ("the clipboard") to a screen reader.
    void layDigits(const board::PuzzleDigits& digits, const QString& source);
    void layPictureRead(const board::PictureRead& read);

    board::PuzzleBoard m_board{*this};
    platform::NameIndex<Entry> m_controls;
    LineLogControl* m_reMoves = nullptr;
    LineLogControl* m_reRedo = nullptr;
    QDialog* m_aboutBox = nullptr;
    QDialog* m_helpBox = nullptr;
    QString m_programVersion;
    std::optional<int> m_sizeFactor;
    QSize m_outerSize; // the compact layout's outer window size, title bar and frame included
    std::optional<QPoint> m_pointer; // in the window's coordinates, while it is inside
    QPointF m_lastGlobalPointer;     // where the window last saw it, inside or not
    CellCursor m_cursor{*this};
    std::unique_ptr<PictureReader> m_pictureReader; // made for the first picture
};
