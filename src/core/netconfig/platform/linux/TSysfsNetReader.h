#pragma once

#include "TUniqueFd.h"

#include <cstdint>
#include <string>

// What /sys/class/net/NAME tells beyond the link table. The root is injectable for tests.
class TSysfsNetReader {
public:
    explicit TSysfsNetReader(std::string root = "/sys/class/net") : FRoot(std::move(root)) {}

    enum class TMediaHint { None, Wireless, Wwan };

    // Everything below, read through one open of the interface's folder.
    struct TFacts {
        TMediaHint Hint = TMediaHint::None;
        std::uint64_t Speed = 0;
        std::string Driver;
    };

    // `mayBeWireless` false skips the media probes for links that cannot carry a radio (veth, bridge, lo).
    TFacts Facts(const std::string &name, bool mayBeWireless) const;

    // A phy80211 link, a wireless/ folder or DEVTYPE=wlan mark a wireless interface; DEVTYPE=wwan a
    // mobile-broadband one.
    TMediaHint MediaHint(const std::string &name) const;

    // The link speed in bit/s; 0 when unknown (negative, unreadable, or no carrier).
    std::uint64_t Speed(const std::string &name) const;

    // The driver of the device behind the interface; empty for virtual interfaces.
    std::string DriverName(const std::string &name) const;

private:
    TUniqueFd OpenFolder(const std::string &name) const;

    std::string FRoot;
};
