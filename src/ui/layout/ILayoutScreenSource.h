#pragma once

class QSize;
class QWidget;

// What the layout manager needs of the screens: geometry is stored per desktop size and DPI.
class ILayoutScreenSource {
public:
    ILayoutScreenSource() = default;
    ILayoutScreenSource(const ILayoutScreenSource &) = delete;
    ILayoutScreenSource &operator=(const ILayoutScreenSource &) = delete;
    virtual ~ILayoutScreenSource() = default;

    // Size of the virtual desktop that spans all monitors.
    virtual QSize VirtualDesktopSize() const = 0;
    // DPI of the monitor nearest the window; 0 when it cannot be told.
    virtual int MonitorDpi(const QWidget &AWindow) const = 0;
};
