#include "cellcursor.h"

#include "SUnit1.h"

#include <QAccessible>
#include <QApplication>
#include <QPainter>

namespace {

// The frame over the cursor's cell: a ring that the pointer passes through. Its mask keeps
// it to the ring, so the candidates inside stay as they are drawn.
class CursorFrame final : public QWidget {
public:
    explicit CursorFrame(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("cellCursorFrame"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_OpaquePaintEvent);
        setFocusPolicy(Qt::NoFocus);
    }

    void cover(const QRect& rect) {
        setGeometry(rect);
        const QRect ring(0, 0, rect.width(), rect.height());
        constexpr int w = CellCursor::kWidth;
        setMask(QRegion(ring).subtracted(QRegion(ring.adjusted(w, w, -w, -w))));
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter(this).fillRect(rect(), QColor::fromRgb(CellCursor::kColor));
    }
};

// Tells an assistive technology that the focus is now on widget, the cursor's cell or the
// control that holds the keyboard focus.
void announceFocus(QObject* widget) {
    if (widget == nullptr || !QAccessible::isActive())
        return;
    QAccessibleEvent event(widget, QAccessible::Focus);
    QAccessible::updateAccessibility(&event);
}

} // namespace

CellPanel* CellCursor::cell() const {
    if (!m_grid)
        return nullptr;
    const int panel = board::panelNumber(board::gridRow(*m_grid), board::gridColumn(*m_grid));
    return static_cast<CellPanel*>(m_form.ControlByName("Panel" + std::to_string(panel)));
}

void CellCursor::move(Move move, const CellPanel* from) {
    const std::optional<int> before = m_grid;
    if (!m_grid) {
        m_grid = from != nullptr
                     ? board::PanelGridIndex(board::PanelNumberFromName(from->controlName()))
                     : board::gridIndex(1, 1);
        // The first key shows where the cursor is; Home and End also take it along the row.
        if (move != Move::RowStart && move != Move::RowEnd) {
            place();
            return;
        }
    }
    int row = board::gridRow(*m_grid);
    int column = board::gridColumn(*m_grid);
    switch (move) {
    case Move::Left:
        column = std::max(1, column - 1);
        break;
    case Move::Right:
        column = std::min(9, column + 1);
        break;
    case Move::Up:
        row = std::max(1, row - 1);
        break;
    case Move::Down:
        row = std::min(9, row + 1);
        break;
    case Move::RowStart:
        column = 1;
        break;
    case Move::RowEnd:
        column = 9;
        break;
    }
    m_grid = board::gridIndex(row, column);
    if (m_grid == before) {
        // At the board's edge: the cell is the focus already, so it is said again instead.
        accessibility::willDo(m_form, accessibility::Deed::Look, cell());
        return;
    }
    place();
}

void CellCursor::hide(Announce announce) {
    if (!m_grid)
        return;
    m_grid.reset();
    m_frame->hide();
    if (announce == Announce::Yes)
        announceFocus(QApplication::focusWidget() != nullptr ? QApplication::focusWidget()
                                                             : static_cast<QWidget*>(&m_form));
}

void CellCursor::follow() {
    if (m_grid)
        place();
}

void CellCursor::place() {
    CellPanel* target = cell();
    QWidget* board = m_form.ControlByName("Panel82");
    if (m_frame == nullptr) {
        m_frame = new CursorFrame(board);
        followFocusChanges();
    }
    const QRect cellRect(target->mapTo(board, QPoint(0, 0)), target->size());
    static_cast<CursorFrame*>(m_frame)->cover(cellRect.adjusted(kInset, kInset, -kInset, -kInset));
    m_frame->raise();
    m_frame->show();
    announceFocus(target);
}

void CellCursor::followFocusChanges() {
    // Qt announces the button that gets the keyboard focus back (the window activated again, a
    // dialog closed); the cell is announced right after it, so a screen reader that has not
    // yet spoken the button drops it for the newer focus.
    m_focusWatch = QObject::connect(
        qApp, &QApplication::focusChanged, m_frame, [this](QWidget*, QWidget* now) {
            if (!m_grid || now == nullptr || now->window() != &m_form || !QAccessible::isActive())
                return;
            QMetaObject::invokeMethod(
                m_frame,
                [this] {
                    if (CellPanel* target = cell())
                        announceFocus(target);
                },
                Qt::QueuedConnection);
        });
}
