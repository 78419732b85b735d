#pragma once

#include "Quarl_NCC.h"
#include "TScriptedIpHlp.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

// A snapshot taken over the scripted module; the system's module is bound again after each test.
class SnapshotTest : public testing::Test {
protected:
    void TearDown() override
    {
        Config.reset();
        TScriptedIpHlp::Restore();
    }

    TNetworkConfiguration &Refresh()
    {
        Fake.Install();
        Fake.Calls.clear();
        if (!Config)
            Config.emplace();
        Config->RefreshData();
        return *Config;
    }

    static TFakeAdapter MakeAdapter(DWORD index, const std::string &name)
    {
        TFakeAdapter adapter;
        adapter.AdapterName = name;
        adapter.Description = name + " adapter";
        adapter.Index = index;
        return adapter;
    }

    static MIB_IPADDRROW AddressRow(const char *ip, const char *mask, DWORD index, USHORT type = MIB_IPADDR_PRIMARY)
    {
        MIB_IPADDRROW row{};
        row.dwAddr = NetworkOrder(ip);
        row.dwMask = NetworkOrder(mask);
        row.dwIndex = index;
        row.wType = type;
        return row;
    }

    static MIB_IPNETROW ArpRow(const char *ip, DWORD index, std::vector<BYTE> mac, DWORD type)
    {
        MIB_IPNETROW row{};
        row.dwAddr = NetworkOrder(ip);
        row.dwIndex = index;
        row.dwPhysAddrLen = static_cast<DWORD>(mac.size());
        std::copy(mac.begin(), mac.begin() + static_cast<std::ptrdiff_t>(std::min<std::size_t>(mac.size(), 8)),
                  row.bPhysAddr);
        row.dwType = type;
        return row;
    }

    static std::vector<std::string> Lines(const TSharedLines &lines) { return {lines.begin(), lines.end()}; }

    static std::vector<ULONG> Sizes(const std::vector<TFakeCall> &calls)
    {
        std::vector<ULONG> sizes;
        for (const TFakeCall &call : calls)
            sizes.push_back(call.Size);
        return sizes;
    }

    TFakeNetwork Net;
    TScriptedIpHlp Fake{Net};
    std::optional<TNetworkConfiguration> Config;
};
