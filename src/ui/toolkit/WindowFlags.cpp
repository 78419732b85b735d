#include "WindowFlags.h"

#include <QWidget>
#include <QWindow>

void SetWindowFlagInPlace(QWidget &AWindow, Qt::WindowType AFlag, bool AOn)
{
    if (AWindow.windowFlags().testFlag(AFlag) == AOn)
        return;
    Qt::WindowFlags flags = AWindow.windowFlags();
    flags.setFlag(AFlag, AOn);
    QWindow *native = AWindow.windowHandle();
    if (native == nullptr || !AWindow.isVisible()) {
        AWindow.setWindowFlags(flags);
        return;
    }
    AWindow.overrideWindowFlags(flags);
    native->setFlags(flags);
}
