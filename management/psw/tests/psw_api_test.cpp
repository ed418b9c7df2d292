/*
 * The PSW exports without a printer: the argument checks of every export in their order
 * (handle first), the handle's creation under refused allocations, the commands and
 * filters with over-long texts, a device session whose Init failed, the replacement of a
 * session and the transport check over injected adapter sets.
 */
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "management/include/psw.h"
#include "management/psw/psw_handle.h"
#include "management/tests/pmc_net_fixture.h"

namespace {

class PswApi : public NetTest
{
protected:
    void SetUp() override
    {
        NetTest::SetUp();
        ASSERT_EQ(0, PSWInit(&handle));
    }
    void TearDown() override
    {
        PSWUnInit(handle);
        NetTest::TearDown();
    }
    CPSWHandle *handle = nullptr;
};

/* One call of an export and the result it must give. */
struct ArgCase {
    const char *label;
    std::function<int32_t()> call;
    int32_t expected;
};

void run_cases(const std::vector<ArgCase> &cases)
{
    for (const ArgCase &c : cases)
        EXPECT_EQ(c.expected, c.call()) << c.label;
}

std::string repeat(char c, size_t n)
{
    return std::string(n, c);
}

TEST_F(PswApi, InitRefusedAllocationsKeepNothing)
{
    /* The handle, the finder and the two settings objects: each refusal gives -3. */
    for (DWORD after = 0; after < 4; ++after) {
        DWORD before_blocks = live_blocks();
        CPSWHandle *sentinel = reinterpret_cast<CPSWHandle *>(0x1234);
        CPSWHandle *out = sentinel;
        {
            RefuseAllocations refuse(after);
            EXPECT_EQ(-3, PSWInit(&out)) << after;
        }
        EXPECT_EQ(sentinel, out);
        EXPECT_EQ(before_blocks, live_blocks()) << after;
    }
}

TEST_F(PswApi, ArgumentChecksWithoutSession)
{
    CPSWHandle *h = handle;
    PSWUSMParams usm = {};
    int32_t count = 77;
    int16_t flag = 0;
    int32_t number = 0;
    uint32_t unsigned_number = 0;
    char text[256];
    char a[64], b[64], c[64], d[64];
    PSWStorageInfo storage;
    PSWDeviceInfo device;
    PSWInputTrayInfo input;
    PSWOutputTrayInfo output;
    PSWTonerInfo toner;
    PSWAlertInfo alert;
    PSWPrinterInfo printer;
    PSWJobInfo job;
    const std::string filter_64 = repeat('1', 64);
    const std::string community_256 = repeat('c', 256);
    run_cases({
        {"Init null", [&] { return PSWInit(nullptr); }, -2},
        {"CommandString null handle", [&] { return PSWCommandString(nullptr, nullptr, nullptr); }, -2},
        {"CommandString null command", [&] { return PSWCommandString(h, nullptr, "x"); }, -2},
        {"CommandString null value", [&] { return PSWCommandString(h, "CmdSetCommunityFind", nullptr); }, -2},
        {"CommandString lower case", [&] { return PSWCommandString(h, "cmdsetcommunityfind", "x"); }, -5},
        {"CommandString unknown", [&] { return PSWCommandString(h, "CmdSetCommunity", "x"); }, -5},
        {"CommandString over-long",
         [&] { return PSWCommandString(h, "CmdSetCommunityWrite", community_256.c_str()); },
         -2},
        {"CommandString unknown over-long",
         [&] { return PSWCommandString(h, "CmdUnknown", community_256.c_str()); },
         -5},
        {"CommandInteger null handle", [&] { return PSWCommandInteger(nullptr, "x", 1); }, -2},
        {"CommandInteger value 0", [&] { return PSWCommandInteger(h, "CmdSetCommunityFind", 0); }, -2},
        {"CommandInteger any", [&] { return PSWCommandInteger(h, nullptr, 1); }, -5},
        {"FindAddFilter null handle", [&] { return PSWFindAddFilter(nullptr, "1.3"); }, -2},
        {"FindAddFilter null prefix", [&] { return PSWFindAddFilter(h, nullptr); }, -2},
        {"FindAddFilter over-long", [&] { return PSWFindAddFilter(h, filter_64.c_str()); }, -2},
        {"FindEx null handle", [&] { return PSWFindDeviceSNMPEx(nullptr, nullptr, 4, 0, usm, 10, 0, &count); }, -2},
        {"FindEx null count first", [&] { return PSWFindDeviceSNMPEx(h, nullptr, 3, 0, usm, 10, 0, nullptr); }, -2},
        {"FindEx transport 0", [&] { return PSWFindDeviceSNMPEx(h, nullptr, 0, 0, usm, 10, 0, &count); }, -2},
        {"FindEx transport 4", [&] { return PSWFindDeviceSNMPEx(h, nullptr, 4, 0, usm, 10, 0, &count); }, -2},
        {"FindEx transport 6", [&] { return PSWFindDeviceSNMPEx(h, nullptr, 6, 0, usm, 10, 0, &count); }, -2},
        {"FindEx transport 3", [&] { return PSWFindDeviceSNMPEx(h, nullptr, 3, 0, usm, 10, 0, &count); }, -5},
        {"Find null count", [&] { return PSWFindDeviceSNMP(h, nullptr, 1, 10, 0, nullptr); }, -2},
        {"Find transport 3", [&] { return PSWFindDeviceSNMP(h, "127.0.0.1", 3, 10, 0, &count); }, -5},
        {"count untouched", [&] { return count; }, 77},
        {"GetDeviceNext null handle", [&] { return (int32_t)PSWGetDeviceNext(nullptr, a, b, c, d); }, 0},
        {"GetDeviceNext null address", [&] { return (int32_t)PSWGetDeviceNext(h, nullptr, b, c, d); }, 0},
        {"GetDeviceNext null model", [&] { return (int32_t)PSWGetDeviceNext(h, a, nullptr, c, d); }, 0},
        {"GetDeviceNext null reserved", [&] { return (int32_t)PSWGetDeviceNext(h, a, b, nullptr, d); }, 0},
        {"GetDeviceNext null oid", [&] { return (int32_t)PSWGetDeviceNext(h, a, b, c, nullptr); }, 0},
        {"GetDeviceNext no search", [&] { return (int32_t)PSWGetDeviceNext(h, a, b, c, d); }, 0},
        {"InitDeviceEx null handle", [&] { return PSWInitDeviceEx(nullptr, nullptr, 0, 0, usm, 10, 0); }, -2},
        {"InitDeviceEx null address", [&] { return PSWInitDeviceEx(h, nullptr, 1, 0, usm, 10, 0); }, -2},
        {"InitDeviceEx transport 4", [&] { return PSWInitDeviceEx(h, "127.0.0.1", 4, 0, usm, 10, 0); }, -2},
        {"InitDevice transport 0", [&] { return PSWInitDevice(h, "127.0.0.1", 0, 10, 0); }, -2},
        {"InitDevice null address", [&] { return PSWInitDevice(h, nullptr, 1, 10, 0); }, -2},
        {"RefreshOptions null", [&] { return PSWRefreshOptions(nullptr); }, -2},
        {"RefreshOptions no session", [&] { return PSWRefreshOptions(h); }, -8},
        {"IsSupportedOID null handle", [&] { return (int32_t)PSWIsSupportedOID(nullptr, ""); }, -2},
        {"IsSupportedOID empty, no session", [&] { return (int32_t)PSWIsSupportedOID(h, ""); }, 0},
        {"IsSupportedOID null, no session", [&] { return (int32_t)PSWIsSupportedOID(h, nullptr); }, 0},
        {"Boolean null handle", [&] { return PSWGetOptionValueBoolean(nullptr, nullptr, 0, nullptr); }, -2},
        {"Boolean null name", [&] { return PSWGetOptionValueBoolean(h, nullptr, 0, &flag); }, -2},
        {"Boolean null value", [&] { return PSWGetOptionValueBoolean(h, "Scanner", 0, nullptr); }, -2},
        {"Boolean no session", [&] { return PSWGetOptionValueBoolean(h, "Scanner", 0, &flag); }, -8},
        {"Integer null handle", [&] { return PSWGetOptionValueInteger(nullptr, "NumberOfInputTray", 0, &number); }, -2},
        {"Integer null name", [&] { return PSWGetOptionValueInteger(h, nullptr, 0, &number); }, -2},
        {"Integer null value", [&] { return PSWGetOptionValueInteger(h, "NumberOfInputTray", 0, nullptr); }, -2},
        {"Integer no session", [&] { return PSWGetOptionValueInteger(h, "NumberOfInputTray", 0, &number); }, -8},
        {"UInteger null handle", [&] { return PSWGetOptionValueUInteger(nullptr, "x", 0, &unsigned_number); }, -2},
        {"UInteger null name", [&] { return PSWGetOptionValueUInteger(h, nullptr, 0, &unsigned_number); }, -2},
        {"UInteger null value", [&] { return PSWGetOptionValueUInteger(h, "x", 0, nullptr); }, -2},
        {"UInteger no session", [&] { return PSWGetOptionValueUInteger(h, "x", 0, &unsigned_number); }, -8},
        {"String null handle", [&] { return PSWGetOptionValueString(nullptr, "SysName", 0, text); }, -2},
        {"String null name", [&] { return PSWGetOptionValueString(h, nullptr, 0, text); }, -2},
        {"String null buffer", [&] { return PSWGetOptionValueString(h, "SysName", 0, nullptr); }, -2},
        {"String no session", [&] { return PSWGetOptionValueString(h, "SysName", 0, text); }, -8},
        {"TransportAvailable 0", [&] { return (int32_t)PSWTransportAvailable(0); }, 0},
        {"TransportAvailable 2 (IPX)", [&] { return (int32_t)PSWTransportAvailable(2); }, 0},
        {"TransportAvailable 3", [&] { return (int32_t)PSWTransportAvailable(3); }, 0},
        {"TransportAvailable 4", [&] { return (int32_t)PSWTransportAvailable(4); }, 0},
        {"Storage count null handle", [&] { return PSWGetNumberOfStorageInfo(nullptr, &count); }, -2},
        {"Storage count null count", [&] { return PSWGetNumberOfStorageInfo(h, nullptr); }, -2},
        {"Storage count no session", [&] { return PSWGetNumberOfStorageInfo(h, &count); }, -8},
        {"Storage null handle", [&] { return PSWGetStorageInfo(nullptr, 0, &storage); }, -2},
        {"Storage null out", [&] { return PSWGetStorageInfo(h, 0, nullptr); }, -2},
        {"Storage no session, index -1", [&] { return PSWGetStorageInfo(h, -1, &storage); }, -8},
        {"Device count", [&] { return PSWGetNumberOfDeviceInfo(h, &count); }, -8},
        {"Device count null", [&] { return PSWGetNumberOfDeviceInfo(h, nullptr); }, -2},
        {"Device null out", [&] { return PSWGetDeviceInfo(h, 0, nullptr); }, -2},
        {"Device", [&] { return PSWGetDeviceInfo(h, 0, &device); }, -8},
        {"Input count", [&] { return PSWGetNumberOfInputTrayInfo(h, &count); }, -8},
        {"Input count null", [&] { return PSWGetNumberOfInputTrayInfo(nullptr, &count); }, -2},
        {"Input null out", [&] { return PSWGetInputTrayInfo(h, 0, nullptr); }, -2},
        {"Input", [&] { return PSWGetInputTrayInfo(h, 0, &input); }, -8},
        {"Output count", [&] { return PSWGetNumberOfOutputTrayInfo(h, &count); }, -8},
        {"Output count null", [&] { return PSWGetNumberOfOutputTrayInfo(h, nullptr); }, -2},
        {"Output null handle", [&] { return PSWGetOutputTrayInfo(nullptr, 0, &output); }, -2},
        {"Output", [&] { return PSWGetOutputTrayInfo(h, 0, &output); }, -8},
        {"Toner count", [&] { return PSWGetNumberOfTonerInfo(h, &count); }, -8},
        {"Toner count null", [&] { return PSWGetNumberOfTonerInfo(h, nullptr); }, -2},
        {"Toner null out", [&] { return PSWGetTonerInfo(h, 0, nullptr); }, -2},
        {"Toner", [&] { return PSWGetTonerInfo(h, 0, &toner); }, -8},
        {"Alert count", [&] { return PSWGetNumberOfAlertInfo(h, &count); }, -8},
        {"Alert count null", [&] { return PSWGetNumberOfAlertInfo(nullptr, nullptr); }, -2},
        {"Alert null out", [&] { return PSWGetAlertInfo(h, 0, nullptr); }, -2},
        {"Alert", [&] { return PSWGetAlertInfo(h, 0, &alert); }, -8},
        {"Printer null handle", [&] { return PSWGetPrinterInfo(nullptr, &printer); }, -2},
        {"Printer null out", [&] { return PSWGetPrinterInfo(h, nullptr); }, -2},
        {"Printer", [&] { return PSWGetPrinterInfo(h, &printer); }, -8},
        {"Job count null handle", [&] { return PSWGetNumberOfJobInfo(nullptr, 0, &count); }, -2},
        {"Job count null count", [&] { return PSWGetNumberOfJobInfo(h, 0, nullptr); }, -2},
        {"Job count kind 3", [&] { return PSWGetNumberOfJobInfo(h, 3, &count); }, -2},
        {"Job count kind -1", [&] { return PSWGetNumberOfJobInfo(h, -1, &count); }, -2},
        {"Job count kind 2", [&] { return PSWGetNumberOfJobInfo(h, 2, &count); }, -8},
        {"Job null out", [&] { return PSWGetJobInfo(h, 0, nullptr); }, -2},
        {"Job", [&] { return PSWGetJobInfo(h, 0, &job); }, -8},
        {"CancelJob null handle", [&] { return PSWCancelJob(nullptr, "1"); }, -2},
        {"CancelJob null id", [&] { return PSWCancelJob(h, nullptr); }, -2},
        {"CancelJob", [&] { return PSWCancelJob(h, "1"); }, -8},
        {"CharSet null handle", [&] { return PSWGetCharSet(nullptr, 0, &number); }, -2},
        {"CharSet null out", [&] { return PSWGetCharSet(h, 0, nullptr); }, -2},
        {"CharSet kind 2", [&] { return PSWGetCharSet(h, 2, &number); }, -2},
        {"CharSet kind 1", [&] { return PSWGetCharSet(h, 1, &number); }, -8},
        {"count still untouched", [&] { return count; }, 77},
    });
    /* The calls without a result ignore a null handle. */
    PSWUnInit(nullptr);
    PSWFindClearFilter(nullptr);
    PSWFindResetPosition(nullptr);
}

TEST_F(PswApi, CommunitiesAreSetExactlyOrNotAtAll)
{
    const std::string longest = repeat('w', 255);
    const std::string over_long = repeat('x', 256);
    EXPECT_EQ(0, PSWCommandString(handle, "CmdSetCommunityGetOption", "reader"));
    EXPECT_EQ(0, PSWCommandString(handle, "CmdSetCommunityFind", "finder"));
    EXPECT_EQ(0, PSWCommandString(handle, "CmdSetCommunityWrite", longest.c_str()));
    EXPECT_STREQ("reader", handle->option_community);
    EXPECT_STREQ("finder", handle->find_community);
    EXPECT_EQ(longest, handle->write_community);
    /* Refused texts and names change nothing. */
    EXPECT_EQ(-2, PSWCommandString(handle, "CmdSetCommunityGetOption", over_long.c_str()));
    EXPECT_EQ(-2, PSWCommandString(handle, "CmdSetCommunityFind", over_long.c_str()));
    EXPECT_EQ(-5, PSWCommandString(handle, "cmdsetcommunitygetoption", "other"));
    EXPECT_EQ(-5, PSWCommandString(handle, "CMDSETCOMMUNITYFIND", "other"));
    EXPECT_STREQ("reader", handle->option_community);
    EXPECT_STREQ("finder", handle->find_community);
    EXPECT_EQ(longest, handle->write_community);
    EXPECT_EQ(0, PSWCommandString(handle, "CmdSetCommunityFind", ""));
    EXPECT_STREQ("", handle->find_community);
}

TEST_F(PswApi, FailedInitLeavesAnEmptyOptionObject)
{
    /* Transport 3 is served by nothing: the option object's Init refuses it without
     * sending, and no status object is made. */
    EXPECT_EQ(-2, PSWInitDevice(handle, "127.0.0.1", 3, 100, 0));
    ASSERT_NE(nullptr, handle->option);
    EXPECT_EQ(nullptr, handle->status);
    int16_t flag = 7;
    int32_t number = 7;
    uint32_t unsigned_number = 7;
    char text[256];
    std::memset(text, 'z', sizeof text);
    int32_t count = 0;
    PSWStorageInfo storage;
    EXPECT_EQ(1, PSWIsSupportedOID(handle, ""));
    EXPECT_EQ(1, PSWIsSupportedOID(handle, nullptr));
    EXPECT_EQ(0, PSWIsSupportedOID(handle, "1.3.6.1.4.1.99953"));
    EXPECT_EQ(0, PSWGetOptionValueBoolean(handle, "Scanner", 0, &flag));
    EXPECT_EQ(0, flag);
    EXPECT_EQ(-5, PSWGetOptionValueBoolean(handle, "scanner", 0, &flag));
    EXPECT_EQ(0, PSWGetOptionValueInteger(handle, "MemorySizeInKByte", 0, &number));
    EXPECT_EQ(0, number);
    EXPECT_EQ(-11, PSWGetOptionValueInteger(handle, "InputTrayType", 0, &number));
    EXPECT_EQ(-5, PSWGetOptionValueUInteger(handle, "MemorySizeInKByte", 0, &unsigned_number));
    EXPECT_EQ(0, PSWGetOptionValueString(handle, "SysName", 0, text));
    EXPECT_STREQ("", text);
    EXPECT_EQ(-11, PSWGetOptionValueString(handle, "InputTrayName", 0, text));
    EXPECT_EQ(-8, PSWGetNumberOfStorageInfo(handle, &count));
    EXPECT_EQ(-8, PSWGetStorageInfo(handle, -1, &storage));
}

TEST_F(PswApi, SecondInitReleasesTheFirstSessionAtOnce)
{
    EXPECT_EQ(-2, PSWInitDevice(handle, "127.0.0.1", 3, 100, 0));
    DWORD one_session = live_blocks();
    CPSWMarlOption *first = handle->option;
    EXPECT_EQ(-2, PSWInitDevice(handle, "127.0.0.1", 3, 100, 0));
    EXPECT_NE(nullptr, handle->option);
    EXPECT_EQ(one_session, live_blocks());
    (void)first;
    /* A refused allocation of the new option object keeps the session as it was. */
    CPSWMarlOption *kept = handle->option;
    {
        RefuseAllocations refuse;
        EXPECT_EQ(-3, PSWInitDevice(handle, "127.0.0.1", 1, 100, 0));
    }
    EXPECT_EQ(kept, handle->option);
    EXPECT_EQ(one_session, live_blocks());
}

TEST_F(PswApi, TransportAvailableFollowsTheAdapters)
{
    const QMT_ADAPTER loopback = {1, 24, {0}, "127.0.0.1", "255.0.0.0", "::1", 0, TRUE};
    const QMT_ADAPTER ethernet = {2, 6, {0, 1, 2, 3, 4, 5}, "192.168.7.20", nullptr, "fe80::1", 2, TRUE};
    const QMT_ADAPTER both[] = {loopback, ethernet};
    qmt_SetAdapters(&loopback, 1, 0);
    EXPECT_EQ(0, PSWTransportAvailable(1));
    EXPECT_EQ(0, PSWTransportAvailable(5));
    pmc_address_factory_destroy();
    qmt_SetAdapters(both, 2, 0);
    EXPECT_EQ(1, PSWTransportAvailable(1));
    EXPECT_EQ(1, PSWTransportAvailable(5));
    EXPECT_EQ(0, PSWTransportAvailable(2));
    EXPECT_EQ(0, PSWTransportAvailable(3));
    qmt_SetAdapters(both, 2, 1);
    EXPECT_EQ(0, PSWTransportAvailable(1));
}

} // namespace
