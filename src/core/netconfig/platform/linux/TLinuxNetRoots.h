#pragma once

#include <string>

// Where the provider reads the files it needs. Tests point these at prepared folders before the first
// call; nothing changes them afterwards.
struct TLinuxNetRoots {
    std::string SysClassNet = "/sys/class/net";
    std::string ProcSysNet = "/proc/sys/net";
    std::string ResolvConf = "/etc/resolv.conf";
    std::string UpstreamResolvConf = "/run/systemd/resolve/resolv.conf";

    static TLinuxNetRoots &Process();
};
