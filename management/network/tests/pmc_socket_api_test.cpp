/*
 * Run-time bindings: Winsock from ws2_32 or wsock32, missing names, the start-up bracket,
 * IP Helper with a missing function, and the loader's load and free modes.
 */
#include "management/network/pmc_socket_api.h"

#include "management/network/pmc_adapter_info.h"
#include "management/network/pmc_library_loader.h"
#include "management/tests/pmc_net_fixture.h"

namespace {

class Binding : public NetTest
{
};

} // namespace

TEST_F(Binding, Ws2_32WithNameResolution)
{
    ASSERT_EQ(PMC_OK, pmc_bind_winsock());
    EXPECT_TRUE(pmc_winsock_bound());
    EXPECT_TRUE(pmc_name_resolution_available());
    EXPECT_TRUE(logged("[NPmcSocketAPI::set_api] enter."));
    EXPECT_TRUE(logged("[NPmcSocketAPI::set_api] exit."));
    ASSERT_EQ(PMC_OK, pmc_start_winsock_22());
    EXPECT_EQ(startups + 1, qmt_WinsockStartups());
    pmc_stop_winsock();
    ASSERT_EQ(PMC_OK, pmc_start_winsock_11());
    pmc_stop_winsock();
}

TEST_F(Binding, HiddenRequiredNameFailsAndFreesTheModule)
{
    qmt_HideExport("recvfrom");
    qmt_ResetModuleCounts();
    EXPECT_EQ(PMC_E_FAIL, pmc_bind_winsock());
    EXPECT_FALSE(pmc_winsock_bound());
    EXPECT_TRUE(logged("[NPmcSocketAPI::set_api] fail GetProcAddress \"recvfrom\": GetLastError()=127"));
    EXPECT_TRUE(logged("[NPmcSocketAPI::set_api] exit."));
    /* The failed module is not kept: the next bind loads it again, and wsock32 is never tried. */
    EXPECT_EQ(PMC_E_FAIL, pmc_start_winsock_11());
    EXPECT_EQ(2u, qmt_ModuleLoadCount(TEXT("ws2_32.dll")));
    EXPECT_EQ(0u, qmt_ModuleLoadCount(TEXT("wsock32.dll")));
}

TEST_F(Binding, Wsock32WithoutNameResolution)
{
    qmt_FailModuleLoad(TEXT("ws2_32.dll"));
    ASSERT_EQ(PMC_OK, pmc_bind_winsock());
    EXPECT_TRUE(pmc_winsock_bound());
    EXPECT_FALSE(pmc_name_resolution_available());
    EXPECT_FALSE(logged("fail GetProcAddress"));
    /* The address operations take the IPv4-only path: IPv6 texts are of no known form. */
    int protocol = -1;
    EXPECT_EQ(PMC_E_RANGE, pmc_classify_address("fe80::1", &protocol));
    EXPECT_EQ(0, protocol);
    EXPECT_EQ(PMC_OK, pmc_classify_address("10.0.0.1", &protocol));
    EXPECT_EQ(PMC_PROTOCOL_IPV4, protocol);
}

TEST_F(Binding, NoSocketLibrary)
{
    qmt_FailModuleLoad(TEXT("ws2_32.dll"));
    qmt_FailModuleLoad(TEXT("wsock32.dll"));
    EXPECT_EQ(PMC_E_SYSTEM, pmc_bind_winsock());
    EXPECT_EQ(PMC_E_SYSTEM, pmc_start_winsock_22());
    EXPECT_FALSE(pmc_winsock_bound());
    EXPECT_TRUE(out.lines.empty());
    pmc_stop_winsock();
}

TEST_F(Binding, IpHelperWithoutGetAdaptersAddresses)
{
    qmt_HideExport("GetAdaptersAddresses");
    ASSERT_EQ(PMC_OK, pmc_bind_iphelp());
    EXPECT_TRUE(logged("[NPmcIpHelpAPI::set_api] fail GetProcAddress \"GetAdaptersAddresses\": GetLastError()=127"));
    bool available = true;
    EXPECT_EQ(PMC_E_SYSTEM, pmc_ipv6_available(&available));
    uint32_t count = 0;
    EXPECT_EQ(PMC_E_SYSTEM, pmc_count_adapters(PMC_PROTOCOL_IPV6, &count));
    IPmcNetworkAddress *peer = nullptr;
    ASSERT_EQ(PMC_OK, pmc_make_address("2001:db8::1", PMC_PROTOCOL_IPV6, 161, &peer));
    IPmcNetworkAddress *local = nullptr;
    EXPECT_EQ(PMC_E_UNSUPPORTED, pmc_best_local_address(peer, &local));
    peer->release();
}

TEST_F(Binding, NoIpHelper)
{
    qmt_FailModuleLoad(TEXT("iphlpapi.dll"));
    EXPECT_EQ(PMC_E_SYSTEM, pmc_bind_iphelp());
    CPmcByteString *mac = nullptr;
    EXPECT_EQ(PMC_E_SYSTEM, pmc_adapter_mac(PMC_PROTOCOL_IPV4, "", &mac));
}

TEST_F(Binding, LoadModes)
{
    EXPECT_EQ(nullptr, pmc_load_library(nullptr, PMC_LOAD_EITHER));
    for (int mode : {PMC_LOAD_PLAIN, PMC_LOAD_ALTERED, PMC_LOAD_EITHER}) {
        HMODULE module = pmc_load_library("ws2_32.dll", mode);
        EXPECT_NE(nullptr, module) << mode;
        EXPECT_TRUE(pmc_free_library(module, PMC_FREE_ALWAYS));
    }
    qmt_FailModuleLoad(TEXT("ws2_32.dll"));
    EXPECT_EQ(nullptr, pmc_load_library("ws2_32.dll", PMC_LOAD_EITHER));
    EXPECT_FALSE(pmc_free_library(nullptr, 7));
}

TEST_F(Binding, FreeModeOneSkipsFreeingOffNt)
{
    HMODULE module = pmc_load_library("inetmib1.dll", PMC_LOAD_EITHER);
    ASSERT_NE(nullptr, module);
    DWORD live = qmt_LiveModules();
    OSVERSIONINFOEXW version = {};
    version.dwOSVersionInfoSize = sizeof version;
    version.dwMajorVersion = 4;
    version.dwMinorVersion = 10;
    version.dwPlatformId = VER_PLATFORM_WIN32_WINDOWS;
    qmt_PinOsVersion(&version);
    EXPECT_TRUE(pmc_free_library(module, PMC_FREE_NT_ONLY));
    EXPECT_EQ(live, qmt_LiveModules());
    qmt_PinOsVersion(nullptr);
    EXPECT_TRUE(pmc_free_library(module, PMC_FREE_NT_ONLY));
    EXPECT_EQ(live - 1, qmt_LiveModules());
}
