#pragma once

#include "DateTimeSerial.h"
#include "MeterTexts.h"
#include "TWatcherClocks.h"
#include "Tfrm_vx_Watcher.h"

#include "TLabelPanel.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>

// Clocks a test steps by hand: the 32-bit tick count and the local date-time move together.
struct TSteppedClocks {
    std::uint32_t Tick = 5000;
    double Now = 46366.5; // 10 December 2026, 12:00:00

    void Advance(std::uint32_t milliseconds)
    {
        Tick += milliseconds;
        Now += milliseconds / 1000.0 * OneSecond;
    }

    TWatcherClocks Clocks()
    {
        return {[this] { return Tick; }, [this] { return Now; }};
    }
};

// What the panel shows in one of its named value panels.
inline QString PanelText(const Tfrm_vx_Watcher &panel, const char *name)
{
    const auto *label = panel.findChild<TLabelPanel *>(QString::fromLatin1(name));
    EXPECT_NE(label, nullptr) << "no panel named " << name;
    return label ? label->text() : QString();
}

inline QString Transfer(double bytes)
{
    return QString::fromStdString(FormatTransfer(bytes));
}

inline QString Speed(double bytesPerSecond)
{
    return QString::fromStdString(FormatSpeed(bytesPerSecond));
}

// Failure messages show texts, not UTF-16 code units.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}
