#pragma once

#include <QPoint>
#include <QWidget>

// A panel by which its borderless window is dragged with any mouse button, labels and pictures on it
// included (they leave mouse presses to the panel). Where the platform offers a system move it is
// used; otherwise the window follows the pointer until the button is released.
class TWindowDragArea final : public QWidget {
    Q_OBJECT

public:
    explicit TWindowDragArea(QWidget *parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool FFollowing = false;
    QPoint FPressPoint;   // global
    QPoint FWindowOrigin; // the window's position at the press
};
