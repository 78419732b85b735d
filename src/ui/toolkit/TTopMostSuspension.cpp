#include "TTopMostSuspension.h"

#include "FormWindowState.h"

#include <QApplication>

TTopMostSuspension::TTopMostSuspension()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && FormStyle(*window) == StyleStayOnTop) {
            FSuspended.push_back(window);
            ApplyFormStyle(*window, StyleNormal);
        }
    }
}

TTopMostSuspension::~TTopMostSuspension()
{
    for (const QPointer<QWidget> &window : FSuspended) {
        if (window)
            ApplyFormStyle(*window, StyleStayOnTop);
    }
}
