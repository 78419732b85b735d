#include "TTopMostSuspension.h"

#include <QApplication>

namespace {

// Changing a window's flags recreates its native window and hides it: show it again where it was,
// in the state it had (maximised windows keep their normal geometry for later).
void SetStaysOnTop(QWidget &window, bool onTop)
{
    const QRect geometry = window.geometry();
    const Qt::WindowStates state = window.windowState();
    window.setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (!(state & (Qt::WindowMaximized | Qt::WindowFullScreen)))
        window.setGeometry(geometry);
    window.setWindowState(state);
    window.show();
}

} // namespace

TTopMostSuspension::TTopMostSuspension()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && window->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
            FSuspended.push_back(window);
            SetStaysOnTop(*window, false);
        }
    }
}

TTopMostSuspension::~TTopMostSuspension()
{
    for (const QPointer<QWidget> &window : FSuspended) {
        if (window)
            SetStaysOnTop(*window, true);
    }
}
