#include "TWindowDragArea.h"

#include <QMouseEvent>
#include <QWindow>

TWindowDragArea::TWindowDragArea(QWidget *parent) : QWidget(parent) {}

void TWindowDragArea::mousePressEvent(QMouseEvent *event)
{
    if (!(FButtons & event->button()) || (FEmptyAreaOnly && childAt(event->position().toPoint()) != nullptr)) {
        QWidget::mousePressEvent(event);
        return;
    }
    event->accept();
    QWindow *handle = window()->windowHandle();
    if (handle && handle->startSystemMove())
        return;
    FFollowing = true;
    FPressPoint = event->globalPosition().toPoint();
    FWindowOrigin = window()->pos();
}

void TWindowDragArea::mouseMoveEvent(QMouseEvent *event)
{
    if (!FFollowing) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    event->accept();
    window()->move(FWindowOrigin + event->globalPosition().toPoint() - FPressPoint);
}

void TWindowDragArea::mouseReleaseEvent(QMouseEvent *event)
{
    FFollowing = false;
    QWidget::mouseReleaseEvent(event);
}
