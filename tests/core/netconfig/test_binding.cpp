#include "Quarl_IpHlpAPI.h"
#include "TBuiltinModule.h"
#include "TModuleLoader.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

DWORD VX_WINAPI FakeAdaptersInfo(PIP_ADAPTER_INFO, PULONG)
{
    return ERROR_NO_DATA;
}

DWORD VX_WINAPI FakeIfEntry(PMIB_IFROW)
{
    return ERROR_INVALID_DATA;
}

// Puts the system's modules back whatever a test installed.
class Binding : public testing::Test {
protected:
    void TearDown() override
    {
        TModuleLoader::Process().RestoreSystemModules();
        InitIpHlpAPI();
    }
};

TEST_F(Binding, BuiltInProviderResolvesTheEntriesItProvides)
{
    ASSERT_TRUE(InitIpHlpAPI());
    EXPECT_NE(IpHlpAPI.GetIfEntry2, nullptr);
    EXPECT_NE(IpHlpAPI.GetBestInterface, nullptr);
    // Entries nothing calls stay unresolved.
    EXPECT_EQ(IpHlpAPI.SendARP, nullptr);
    EXPECT_EQ(IpHlpAPI.GetExtendedTcpTable, nullptr);
}

TEST_F(Binding, RunningAgainStoresTheSameEntries)
{
    ASSERT_TRUE(InitIpHlpAPI());
    const TIpHlpAPI first = IpHlpAPI;
    ASSERT_TRUE(InitIpHlpAPI());
    EXPECT_EQ(IpHlpAPI.GetAdaptersInfo, first.GetAdaptersInfo);
    EXPECT_EQ(IpHlpAPI.GetIfEntry2, first.GetIfEntry2);
    EXPECT_EQ(IpHlpAPI.GetNetworkParams, first.GetNetworkParams);
}

TEST_F(Binding, MissingLibraryLeavesEveryEntryNull)
{
    ASSERT_TRUE(InitIpHlpAPI());
    TModuleLoader::Process().Install("IPHLPAPI.DLL", nullptr);
    EXPECT_FALSE(InitIpHlpAPI());
    EXPECT_EQ(IpHlpAPI.GetAdaptersInfo, nullptr);
    EXPECT_EQ(IpHlpAPI.GetIfEntry, nullptr);
    EXPECT_EQ(IpHlpAPI.GetIfEntry2, nullptr);
}

TEST_F(Binding, StandInModuleIsResolvedByNameAndItsMissingEntriesStayNull)
{
    TModuleLoader::Process().Install("iphlpapi.dll", std::make_shared<TBuiltinModule>(std::initializer_list<TBuiltinModule::TExport>{
                                                         {"GetAdaptersInfo", reinterpret_cast<TProcAddress>(&FakeAdaptersInfo)},
                                                         {"GetIfEntry", reinterpret_cast<TProcAddress>(&FakeIfEntry)},
                                                     }));
    EXPECT_TRUE(InitIpHlpAPI());
    EXPECT_EQ(IpHlpAPI.GetAdaptersInfo, &FakeAdaptersInfo);
    EXPECT_EQ(IpHlpAPI.GetIfEntry, &FakeIfEntry);
    EXPECT_EQ(IpHlpAPI.GetIfEntry2, nullptr);
    EXPECT_EQ(IpHlpAPI.GetAdaptersAddresses, nullptr);
}

TEST_F(Binding, ModuleWithoutAdapterInfoDoesNotCountAsLoaded)
{
    TModuleLoader::Process().Install("iphlpapi.dll", std::make_shared<TBuiltinModule>(std::initializer_list<TBuiltinModule::TExport>{
                                                         {"GetIfEntry", reinterpret_cast<TProcAddress>(&FakeIfEntry)},
                                                     }));
    EXPECT_FALSE(InitIpHlpAPI());
    EXPECT_EQ(IpHlpAPI.GetIfEntry, &FakeIfEntry);
}

TEST_F(Binding, LoaderFindsLoadedModulesOnlyAfterLoadingThem)
{
    TModuleLoader &loader = TModuleLoader::Process();
    loader.Install("vorlix-test.dll", std::make_shared<TBuiltinModule>(std::initializer_list<TBuiltinModule::TExport>{}));
    EXPECT_EQ(loader.GetModuleHandle("vorlix-test.dll"), nullptr);
    const TModuleHandle loaded = loader.LoadLibrary("Vorlix-Test.DLL");
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loader.GetModuleHandle("VORLIX-TEST.dll"), loaded);
    EXPECT_EQ(TModuleLoader::GetProcAddress(loaded, "Anything"), nullptr);
    EXPECT_EQ(TModuleLoader::GetProcAddress(nullptr, "GetIfEntry"), nullptr);
    EXPECT_EQ(loader.LoadLibrary("no-such-module.dll"), nullptr);
}

} // namespace
