#pragma once

#include <QProxyStyle>

// The application's style with tool-tips that appear at once and stay while the pointer rests: the panels'
// plots use their tool-tip as a live time-and-value read-out.
class TToolTipTimingStyle final : public QProxyStyle {
    Q_OBJECT

public:
    static constexpr int WakeUpMilliseconds = 1;
    static constexpr int FallAsleepMilliseconds = 100000;

    using QProxyStyle::QProxyStyle;

    int styleHint(StyleHint hint, const QStyleOption *option = nullptr, const QWidget *widget = nullptr,
                  QStyleHintReturn *returnData = nullptr) const override;
};
