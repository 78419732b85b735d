#pragma once

#include <QRect>
#include <QString>

#include <cstdint>
#include <vector>

class QFontMetrics;
class QPainter;

enum class TWordWrapMode : std::uint8_t { wwmNone, wwmBreak, wwmPathEllipsis, wwmWordEllipsis, wwmEndEllipsis };
enum class TAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };

struct TCaptionLine {
    QRect Rect;
    QString Text;
};

// Where each line of a caption goes inside a text rectangle. Lines start at the
// rectangle's top, one font height apart; CR LF, CR and LF end a line. Only
// wwmBreak wraps (at the rectangle's width); the three ellipsis modes shorten
// each line that is too wide; wwmNone keeps lines whole and, like an edit
// control, leaves out a last line that would be cut by the bottom edge.
// Bounds is the rectangle the text needs (left and top of rect, the widest line,
// all lines' height): the measured rectangle.
struct TCaptionLayout {
    std::vector<TCaptionLine> Lines;
    QRect Bounds;
    QRect Clip;
};

TCaptionLayout LayoutCaption(const QString &text, const QFontMetrics &metrics, const QRect &rect,
                             TWordWrapMode mode, TAlignment alignment);

// Draws the laid-out lines with the painter's font and pen, clipped to the text rectangle.
void DrawCaption(QPainter &painter, const TCaptionLayout &layout);
