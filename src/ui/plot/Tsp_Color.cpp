#include "Tsp_Color.h"

#include <QColor>
#include <QGuiApplication>
#include <QPalette>

namespace {

constexpr TColor systemColorMarker = 0xFF000000;

QPalette::ColorRole SystemColorRole(std::uint32_t index)
{
    switch (index) {
    case 5: return QPalette::Base;             // window background
    case 8: return QPalette::Text;             // window text
    case 13: return QPalette::Highlight;
    case 14: return QPalette::HighlightedText;
    case 15: return QPalette::Button;          // button face
    case 16: return QPalette::Dark;            // button shadow
    case 18: return QPalette::ButtonText;
    case 20: return QPalette::Light;           // button highlight
    default: return QPalette::WindowText;
    }
}

} // namespace

QColor ColorToQColor(TColor color)
{
    if ((color & 0xFF000000) == systemColorMarker) {
        return QGuiApplication::palette().color(SystemColorRole(color & 0xFF));
    }
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF));
}
