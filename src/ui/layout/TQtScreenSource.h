#pragma once

#include "ILayoutScreenSource.h"

// The screens as Qt reports them: the desktop is the union of all screen geometries, the DPI the logical DPI
// of the screen that holds the window's centre (or the nearest one).
class TQtScreenSource final : public ILayoutScreenSource {
public:
    QRect VirtualDesktop() const override;
    QRect PrimaryWorkArea() const override;
    int MonitorCount() const override;
    QRect MonitorBounds(int AIndex) const override;
    int MonitorNumber(const QWidget &AWindow) const override;
    int MonitorDpi(const QWidget &AWindow) const override;
};
