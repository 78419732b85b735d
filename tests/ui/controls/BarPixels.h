#pragma once

#include "TColor.h"

#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>

#include <map>
#include <ostream>

// Pixel helpers for checking what a bar painted.
inline TColor PixelAt(const QImage &image, int x, int y)
{
    return FromQColor(image.pixelColor(x, y));
}

// How often each colour other than background occurs inside area: the ink.
inline std::map<TColor, int> InkIn(const QImage &image, const QRect &area, TColor background)
{
    std::map<TColor, int> ink;
    const QRect clipped = area.intersected(image.rect());
    for (int y = clipped.top(); y <= clipped.bottom(); ++y)
        for (int x = clipped.left(); x <= clipped.right(); ++x)
            if (const TColor c = PixelAt(image, x, y); c != background)
                ++ink[c];
    return ink;
}

inline int InkCount(const QImage &image, const QRect &area, TColor background)
{
    int count = 0;
    for (const auto &[colour, n] : InkIn(image, area, background))
        count += n;
    return count;
}

// A font whose glyphs are drawn in the pen colour alone, so text pixels can be compared exactly.
inline QFont SolidFont(int pixelSize, bool bold = false)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

// Failure messages show captions as text.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}
