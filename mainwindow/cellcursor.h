#pragma once

#include <QColor>
#include <QWidget>

#include <optional>

class CellPanel;
class TForm1;

// The keyboard's place on the board. While it is shown, the keys that act on a cell act on
// its cell rather than on the hovered one, and a frame stands over that cell. A hidden cursor
// leaves every pixel as the mouse player sees it: the frame is a widget of its own, hidden with
// the cursor, rather than a state each cell would paint.
class CellCursor {
public:
    enum class Move { Left, Right, Up, Down, RowStart, RowEnd };

    // The frame's colour, used nowhere else in the window; over the cells' button face it has
    // a contrast of 4.5:1.
    static constexpr QRgb kColor = qRgb(176, 0, 96);
    // How far the frame stands inside a cell's edge (its bevel), and how wide it is.
    static constexpr int kInset = 5;
    static constexpr int kWidth = 2;

    explicit CellCursor(TForm1& form) : m_form(form) {}
    ~CellCursor() { QObject::disconnect(m_focusWatch); }
    CellCursor(const CellCursor&) = delete;
    CellCursor& operator=(const CellCursor&) = delete;

    bool isShown() const { return m_grid.has_value(); }
    // The grid index (row - 1) * 9 + column of the cursor's cell, while it is shown.
    std::optional<int> gridIndex() const { return m_grid; }
    // The cursor's cell panel, or nullptr while it is hidden.
    CellPanel* cell() const;

    // A hidden cursor shows at `from` (the hovered cell), or at row 1, column 1 without one;
    // a shown cursor moves by one cell, staying where it is at the board's edge.
    void move(Move move, const CellPanel* from);
    enum class Announce { Yes, No };
    // Hides the cursor; the pointer or the focused button is in charge again, and is announced
    // as the focus unless the caller moves the focus itself.
    void hide(Announce announce = Announce::Yes);
    // Puts the frame over its cell again after the cells have moved.
    void follow();

private:
    void place();
    // While the cursor shows, its cell is the focus for assistive technology, also when the
    // window gets its keyboard focus back.
    void followFocusChanges();

    TForm1& m_form;
    QWidget* m_frame = nullptr; // made when the cursor first shows
    // The window's children, the frame included, outlive the cursor, which is a member.
    QMetaObject::Connection m_focusWatch;
    std::optional<int> m_grid;
};
