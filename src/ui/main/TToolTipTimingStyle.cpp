#include "TToolTipTimingStyle.h"

int TToolTipTimingStyle::styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                                   QStyleHintReturn *returnData) const
{
    switch (hint) {
    case SH_ToolTip_WakeUpDelay:
        return WakeUpMilliseconds;
    case SH_ToolTip_FallAsleepDelay:
        return FallAsleepMilliseconds;
    default:
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
}
