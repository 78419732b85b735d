#pragma once

#include "Tsp_XYPlot.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>

#include <string>

// A real plot that also counts its redraw requests.
class CountingPlot final : public Tsp_XYPlot {
public:
    void Invalidate() override
    {
        ++full;
        Tsp_XYPlot::Invalidate();
    }
    void InvalidateParts(bool Arrange, bool Around, bool Field) override
    {
        ++parts;
        Tsp_XYPlot::InvalidateParts(Arrange, Around, Field);
    }
    int Requests() const { return full + parts; }

    int full = 0;
    int parts = 0;
};

inline constexpr QRgb sentinel = 0xFFFF00FF;

// The whole plot drawn by DrawPlot onto an image first filled with magenta.
inline QImage Render(Tsp_XYPlot &plot, int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(sentinel);
    QPainter painter(&image);
    plot.DrawPlot(&painter, w, h);
    return image;
}

// Where two pictures first differ, for failure messages.
inline std::string FirstDifference(const QImage &a, const QImage &b)
{
    if (a.size() != b.size()) {
        return "sizes differ";
    }
    int count = 0;
    std::string first;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y) && count++ == 0) {
                first = std::to_string(x) + "," + std::to_string(y) + ": " + std::to_string(a.pixel(x, y)) + " vs "
                        + std::to_string(b.pixel(x, y));
            }
        }
    }
    return count == 0 ? "equal" : std::to_string(count) + " pixels differ, first at " + first;
}

// A mouse event as the window system delivers it.
inline void SendMouse(QWidget &w, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons,
                      Qt::KeyboardModifiers modifiers)
{
    QMouseEvent event(type, QPointF(pos), QPointF(w.mapToGlobal(pos)), button, buttons, modifiers);
    QApplication::sendEvent(&w, &event);
}

// Press, moves and release with the left button and the given keys.
inline void DragLeft(QWidget &w, QPoint from, QPoint to, Qt::KeyboardModifiers modifiers)
{
    SendMouse(w, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton, modifiers);
    SendMouse(w, QEvent::MouseMove, (from + to) / 2, Qt::NoButton, Qt::LeftButton, modifiers);
    SendMouse(w, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton, modifiers);
    SendMouse(w, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton, modifiers);
}
