#include "FormWindowState.h"

#include "WindowFlags.h"

#include <QWidget>

int FormWindowState(const QWidget &AForm)
{
    if (AForm.isMinimized())
        return StateMinimized;
    return AForm.isMaximized() || AForm.isFullScreen() ? StateMaximized : StateNormal;
}

void ApplyFormWindowState(QWidget &AForm, int AState)
{
    Qt::WindowStates states = AForm.windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen);
    if (AState == StateMinimized)
        states |= Qt::WindowMinimized;
    else if (AState == StateMaximized)
        states |= Qt::WindowMaximized;
    AForm.setWindowState(states);
}

int FormStyle(const QWidget &AForm)
{
    return AForm.windowFlags().testFlag(Qt::WindowStaysOnTopHint) ? StyleStayOnTop : StyleNormal;
}

void ApplyFormStyle(QWidget &AForm, int AStyle)
{
    SetWindowFlagInPlace(AForm, Qt::WindowStaysOnTopHint, AStyle == StyleStayOnTop);
}
