#include "CaptionText.h"

#include <QFontMetrics>
#include <QPainter>
#include <QRegularExpression>

#include <algorithm>

namespace {

const QString Ellipsis = QStringLiteral("\u2026");

QStringList HardLines(const QString &text)
{
    static const QRegularExpression breaks(QStringLiteral("\r\n|\r|\n"));
    return text.split(breaks);
}

// Greedy wrapping at spaces; a word wider than the line stays whole and is clipped.
QStringList WrapLine(const QString &line, const QFontMetrics &metrics, int width)
{
    QStringList pieces;
    QString current;
    for (const QString &word : line.split(QLatin1Char(' '))) {
        const QString candidate = current.isEmpty() ? word : current + QLatin1Char(' ') + word;
        if (!current.isEmpty() && metrics.horizontalAdvance(candidate) > width) {
            pieces.push_back(current);
            current = word;
        } else {
            current = candidate;
        }
    }
    pieces.push_back(current);
    return pieces;
}

// Keeps the last path component whole and shortens what stands before it.
QString PathEllipsis(const QString &line, const QFontMetrics &metrics, int width)
{
    const qsizetype cut = std::max(line.lastIndexOf(QLatin1Char('\\')), line.lastIndexOf(QLatin1Char('/')));
    if (cut <= 0)
        return metrics.elidedText(line, Qt::ElideMiddle, width);
    const QString tail = line.mid(cut);
    const int room = width - metrics.horizontalAdvance(tail);
    if (room <= metrics.horizontalAdvance(Ellipsis))
        return metrics.elidedText(line, Qt::ElideLeft, width);
    return metrics.elidedText(line.left(cut), Qt::ElideRight, room) + tail;
}

// Keeps as many whole words as fit before the ellipsis; a first word that does
// not fit on its own is cut.
QString WordEllipsis(const QString &line, const QFontMetrics &metrics, int width)
{
    const QStringList words = line.split(QLatin1Char(' '));
    QString kept;
    for (const QString &word : words) {
        const QString candidate = kept.isEmpty() ? word : kept + QLatin1Char(' ') + word;
        if (metrics.horizontalAdvance(candidate + Ellipsis) > width)
            break;
        kept = candidate;
    }
    if (kept.isEmpty())
        return metrics.elidedText(line, Qt::ElideRight, width);
    return kept + Ellipsis;
}

QString Shorten(const QString &line, const QFontMetrics &metrics, int width, TWordWrapMode mode)
{
    if (metrics.horizontalAdvance(line) <= width)
        return line;
    switch (mode) {
    case TWordWrapMode::wwmPathEllipsis: return PathEllipsis(line, metrics, width);
    case TWordWrapMode::wwmWordEllipsis: return WordEllipsis(line, metrics, width);
    case TWordWrapMode::wwmEndEllipsis: return metrics.elidedText(line, Qt::ElideRight, width);
    case TWordWrapMode::wwmNone:
    case TWordWrapMode::wwmBreak: break;
    }
    return line;
}

int LineLeft(const QRect &rect, int lineWidth, TAlignment alignment)
{
    switch (alignment) {
    case TAlignment::taRightJustify: return rect.left() + rect.width() - lineWidth;
    case TAlignment::taCenter: return rect.left() + (rect.width() - lineWidth) / 2;
    case TAlignment::taLeftJustify: break;
    }
    return rect.left();
}

} // namespace

TCaptionLayout LayoutCaption(const QString &text, const QFontMetrics &metrics, const QRect &rect,
                             TWordWrapMode mode, TAlignment alignment)
{
    QStringList lines;
    for (const QString &line : HardLines(text)) {
        if (mode == TWordWrapMode::wwmBreak)
            lines += WrapLine(line, metrics, rect.width());
        else
            lines.push_back(Shorten(line, metrics, rect.width(), mode));
    }

    TCaptionLayout layout;
    layout.Clip = rect;
    const int height = metrics.height();
    const int bottom = rect.top() + rect.height();
    int widest = 0;
    int top = rect.top();
    for (const QString &line : lines) {
        if (mode == TWordWrapMode::wwmNone && top + height > bottom && !layout.Lines.empty())
            break;
        const int width = metrics.horizontalAdvance(line);
        widest = std::max(widest, width);
        layout.Lines.push_back({QRect(LineLeft(rect, width, alignment), top, width, height), line});
        top += height;
    }
    layout.Bounds = QRect(rect.left(), rect.top(), widest, top - rect.top());
    return layout;
}

void DrawCaption(QPainter &painter, const TCaptionLayout &layout)
{
    painter.save();
    painter.setClipRect(layout.Clip, Qt::IntersectClip);
    const QFontMetrics metrics = painter.fontMetrics();
    for (const TCaptionLine &line : layout.Lines)
        painter.drawText(line.Rect.left(), line.Rect.top() + metrics.ascent(), line.Text);
    painter.restore();
}
