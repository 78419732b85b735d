#include "TColor.h"

#include <QGuiApplication>
#include <QPalette>

namespace {

QColor SystemColor(unsigned index)
{
    const QPalette palette = QGuiApplication::palette();
    switch (index) {
    case 5: return palette.color(QPalette::Active, QPalette::Base);
    case 8: return palette.color(QPalette::Active, QPalette::Text);
    case 13: return palette.color(QPalette::Active, QPalette::Highlight);
    case 14: return palette.color(QPalette::Active, QPalette::HighlightedText);
    case 15: return palette.color(QPalette::Active, QPalette::Button);
    case 16: return palette.color(QPalette::Active, QPalette::Dark);
    case 17: return palette.color(QPalette::Disabled, QPalette::Text);
    case 18: return palette.color(QPalette::Active, QPalette::ButtonText);
    case 20: return palette.color(QPalette::Active, QPalette::Light);
    default: return QColor(Qt::black);
    }
}

} // namespace

TColor ColorToRGB(TColor color)
{
    if ((color & 0xFF000000) == clSystemColorFlag)
        return FromQColor(SystemColor(color & 0xFF));
    return color & 0x00FFFFFF;
}

QColor ToQColor(TColor color)
{
    const TColor rgb = ColorToRGB(color);
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

TColor FromQColor(const QColor &color)
{
    return RGBColor(color.red(), color.green(), color.blue());
}
