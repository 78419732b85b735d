#pragma once

class QRect;
class QWidget;

// What layout-managed windows need of the screens: geometry is stored per desktop size and DPI, and forms
// centre themselves on the desktop or one monitor.
class ILayoutScreenSource {
public:
    ILayoutScreenSource() = default;
    ILayoutScreenSource(const ILayoutScreenSource &) = delete;
    ILayoutScreenSource &operator=(const ILayoutScreenSource &) = delete;
    virtual ~ILayoutScreenSource() = default;

    // The virtual desktop that spans all monitors.
    virtual QRect VirtualDesktop() const = 0;
    // The primary monitor without task bars and docks.
    virtual QRect PrimaryWorkArea() const = 0;
    virtual int MonitorCount() const = 0;
    // Full bounds of monitor AIndex, 0 to MonitorCount() - 1.
    virtual QRect MonitorBounds(int AIndex) const = 0;
    // Index of the monitor nearest the window.
    virtual int MonitorNumber(const QWidget &AWindow) const = 0;
    // DPI of the monitor nearest the window; 0 when it cannot be told.
    virtual int MonitorDpi(const QWidget &AWindow) const = 0;
};
