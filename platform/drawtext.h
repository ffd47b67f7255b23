#pragma once

#include <QFlags>
#include <QFont>
#include <QRect>
#include <QString>
#include <QStringList>

class QPainter;

namespace platform {

// How drawText lays out and places text. Without SingleLine the text breaks at line feeds;
// vertical placement (VCenter, Bottom) applies to a single line only.
enum class TextFlag : unsigned {
    Left = 0x0,
    Center = 0x1,
    Right = 0x2,
    VCenter = 0x4,
    Bottom = 0x8,
    WordBreak = 0x10,
    SingleLine = 0x20,
    ExpandTabs = 0x40,
    CalcRect = 0x400,
    NoPrefix = 0x800,
    EndEllipsis = 0x8000,
};
Q_DECLARE_FLAGS(TextFlags, TextFlag)

// Draws text into rect with the painter's pen, clipped to rect, and returns the text height.
// With CalcRect nothing is drawn (painter may be null): rect keeps its left and top and takes
// the width of the widest line and the height of all lines. Unless NoPrefix is given, "&"
// marks the next character as the accelerator (drawn underlined) and "&&" stands for "&".
// WordBreak breaks lines at blanks to fit rect's width; a word wider than that stays whole.
// EndEllipsis cuts every line too wide for rect and ends it in "...".
int drawText(QPainter* painter, const QFont& font, const QString& text, QRect& rect,
             TextFlags flags);

// The lines drawText lays out for text in a rectangle width pixels wide, marks removed.
QStringList textLines(const QFont& font, const QString& text, int width, TextFlags flags);

} // namespace platform

Q_DECLARE_OPERATORS_FOR_FLAGS(platform::TextFlags)
