#include "TQtScreenSource.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

#include <cmath>

QSize TQtScreenSource::VirtualDesktopSize() const
{
    QRect desktop;
    for (const QScreen *screen : QGuiApplication::screens())
        desktop = desktop.united(screen->geometry());
    return desktop.size();
}

int TQtScreenSource::MonitorDpi(const QWidget &AWindow) const
{
    const QPoint centre = AWindow.frameGeometry().center();
    const QScreen *screen = QGuiApplication::screenAt(centre);
    if (screen == nullptr)
        screen = AWindow.screen();
    return screen == nullptr ? 0 : static_cast<int>(std::lround(screen->logicalDotsPerInchX()));
}
