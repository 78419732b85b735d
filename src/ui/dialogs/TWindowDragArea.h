#pragma once

#include <QPoint>
#include <QWidget>

// A panel by which its window is dragged, by default with any mouse button and by labels and pictures on it
// too (they leave mouse presses to the panel). Where the platform offers a system move it is used; otherwise
// the window follows the pointer until the button is released.
class TWindowDragArea final : public QWidget {
    Q_OBJECT

public:
    explicit TWindowDragArea(QWidget *parent = nullptr);

    void SetDragButtons(Qt::MouseButtons AButtons) { FButtons = AButtons; }
    // Only presses on the panel's own empty area drag, none that a child left to it: the children keep their
    // clicks and double-clicks.
    void SetEmptyAreaOnly(bool AValue) { FEmptyAreaOnly = AValue; }

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    Qt::MouseButtons FButtons = Qt::AllButtons;
    bool FEmptyAreaOnly = false;
    bool FFollowing = false;
    QPoint FPressPoint;   // global
    QPoint FWindowOrigin; // the window's position at the press
};
