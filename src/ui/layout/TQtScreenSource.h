#pragma once

#include "ILayoutScreenSource.h"

class QScreen;

// The screens as Qt reports them: the desktop is the union of all screen geometries, the DPI the effective DPI
// of the screen that holds the window's centre (or the window's own screen).
class TQtScreenSource final : public ILayoutScreenSource {
public:
    // Qt 6 scales a high-DPI screen by its pixel ratio and then reports the base DPI as logical (a 150 % screen:
    // 96 at ratio 1.5), so the DPI a user set is the product of the two.
    static int EffectiveDpi(const QScreen &AScreen);

    QRect VirtualDesktop() const override;
    QRect PrimaryWorkArea() const override;
    int MonitorCount() const override;
    QRect MonitorBounds(int AIndex) const override;
    int MonitorNumber(const QWidget &AWindow) const override;
    int MonitorDpi(const QWidget &AWindow) const override;
};
