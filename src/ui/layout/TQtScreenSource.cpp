#include "TQtScreenSource.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

#include <cmath>

int TQtScreenSource::EffectiveDpi(const QScreen &AScreen)
{
    return static_cast<int>(std::lround(AScreen.logicalDotsPerInchX() * AScreen.devicePixelRatio()));
}

QRect TQtScreenSource::VirtualDesktop() const
{
    QRect desktop;
    for (const QScreen *screen : QGuiApplication::screens())
        desktop = desktop.united(screen->geometry());
    return desktop;
}

QRect TQtScreenSource::PrimaryWorkArea() const
{
    const QScreen *primary = QGuiApplication::primaryScreen();
    return primary == nullptr ? QRect() : primary->availableGeometry();
}

int TQtScreenSource::MonitorCount() const
{
    return static_cast<int>(QGuiApplication::screens().size());
}

QRect TQtScreenSource::MonitorBounds(int AIndex) const
{
    return QGuiApplication::screens().at(AIndex)->geometry();
}

namespace {

QScreen *NearestScreen(const QWidget &window)
{
    QScreen *screen = QGuiApplication::screenAt(window.frameGeometry().center());
    return screen == nullptr ? window.screen() : screen;
}

} // namespace

int TQtScreenSource::MonitorNumber(const QWidget &AWindow) const
{
    return static_cast<int>(QGuiApplication::screens().indexOf(NearestScreen(AWindow)));
}

int TQtScreenSource::MonitorDpi(const QWidget &AWindow) const
{
    const QScreen *screen = NearestScreen(AWindow);
    return screen == nullptr ? 0 : EffectiveDpi(*screen);
}
