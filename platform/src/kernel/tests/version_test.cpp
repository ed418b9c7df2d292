#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/testing/qm_testing.h"

namespace {

OSVERSIONINFOEXW version(DWORD major, DWORD minor, WORD sp_major)
{
    OSVERSIONINFOEXW v = {};
    v.dwOSVersionInfoSize = sizeof(v);
    v.dwMajorVersion = major;
    v.dwMinorVersion = minor;
    v.dwBuildNumber = 1000;
    v.dwPlatformId = VER_PLATFORM_WIN32_NT;
    v.wServicePackMajor = sp_major;
    v.wProductType = VER_NT_WORKSTATION;
    return v;
}

/* The check the system makes: major.minor at least the given one. */
BOOL at_least(DWORD major, DWORD minor)
{
    OSVERSIONINFOEXW want = version(major, minor, 0);
    DWORDLONG mask = 0;
    VER_SET_CONDITION(mask, VER_MAJORVERSION, VER_GREATER_EQUAL);
    VER_SET_CONDITION(mask, VER_MINORVERSION, VER_GREATER_EQUAL);
    return VerifyVersionInfoW(&want, VER_MAJORVERSION | VER_MINORVERSION, mask);
}

class Version : public ::testing::Test
{
protected:
    void TearDown() override
    {
        qmt_PinOsVersion(nullptr);
    }
};

} // namespace

TEST_F(Version, HostPlaysWindowsXpServicePack3)
{
    OSVERSIONINFOW v = {};
    v.dwOSVersionInfoSize = sizeof(v);
    ASSERT_TRUE(GetVersionExW(&v));
    EXPECT_EQ(v.dwMajorVersion, 5u);
    EXPECT_EQ(v.dwMinorVersion, 1u);
    EXPECT_EQ(v.dwBuildNumber, 2600u);
    EXPECT_EQ(v.dwPlatformId, (DWORD)VER_PLATFORM_WIN32_NT);
    EXPECT_EQ(std::u16string(v.szCSDVersion), u"Service Pack 3");
    OSVERSIONINFOEXW ex = {};
    ex.dwOSVersionInfoSize = sizeof(ex);
    ASSERT_TRUE(GetVersionExW((LPOSVERSIONINFOW)&ex));
    EXPECT_EQ(ex.wServicePackMajor, 3);
    EXPECT_EQ(ex.wProductType, VER_NT_WORKSTATION);
    OSVERSIONINFOA a = {};
    a.dwOSVersionInfoSize = sizeof(a);
    ASSERT_TRUE(GetVersionExA(&a));
    EXPECT_EQ(a.dwPlatformId, (DWORD)VER_PLATFORM_WIN32_NT);
    EXPECT_STREQ(a.szCSDVersion, "Service Pack 3");
}

TEST_F(Version, WrongRecordSizeFails)
{
    for (DWORD size : {0u, 100u, (DWORD)sizeof(OSVERSIONINFOW) + 1}) {
        OSVERSIONINFOEXW v = {};
        v.dwOSVersionInfoSize = size;
        SetLastError(0);
        EXPECT_FALSE(GetVersionExW((LPOSVERSIONINFOW)&v));
        EXPECT_EQ(GetLastError(), (DWORD)ERROR_INSUFFICIENT_BUFFER);
        EXPECT_EQ(v.dwMajorVersion, 0u);
    }
    OSVERSIONINFOA a = {};
    a.dwOSVersionInfoSize = sizeof(OSVERSIONINFOW);
    SetLastError(0);
    EXPECT_FALSE(GetVersionExA(&a));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INSUFFICIENT_BUFFER);
}

TEST_F(Version, VerifyComparesMajorMinorAndServicePackAsOneNumber)
{
    struct {
        DWORD major, minor;
        BOOL xp_or_later, vista_or_later;
    } rows[] = {
        {5, 0, FALSE, FALSE},
        {5, 1, TRUE, FALSE},
        {5, 2, TRUE, FALSE},
        {6, 0, TRUE, TRUE},
        {6, 1, TRUE, TRUE},
        {10, 0, TRUE, TRUE},
    };
    for (const auto &row : rows) {
        OSVERSIONINFOEXW pinned = version(row.major, row.minor, 0);
        qmt_PinOsVersion(&pinned);
        SetLastError(0);
        EXPECT_EQ(at_least(5, 1), row.xp_or_later) << row.major << "." << row.minor;
        EXPECT_EQ(at_least(6, 0), row.vista_or_later) << row.major << "." << row.minor;
        if (!row.vista_or_later) {
            EXPECT_EQ(GetLastError(), (DWORD)ERROR_OLD_WIN_VERSION);
        }
        OSVERSIONINFOW v = {};
        v.dwOSVersionInfoSize = sizeof(v);
        ASSERT_TRUE(GetVersionExW(&v));
        EXPECT_EQ(v.dwMajorVersion, row.major);
    }
    qmt_PinOsVersion(nullptr);
    /* service packs take part when named: XP SP3 is at least XP SP2, not XP SP4 */
    DWORDLONG mask = 0;
    VER_SET_CONDITION(mask, VER_MAJORVERSION, VER_GREATER_EQUAL);
    VER_SET_CONDITION(mask, VER_MINORVERSION, VER_GREATER_EQUAL);
    VER_SET_CONDITION(mask, VER_SERVICEPACKMAJOR, VER_GREATER_EQUAL);
    const DWORD fields = VER_MAJORVERSION | VER_MINORVERSION | VER_SERVICEPACKMAJOR;
    OSVERSIONINFOEXW sp2 = version(5, 1, 2), sp4 = version(5, 1, 4);
    EXPECT_TRUE(VerifyVersionInfoW(&sp2, fields, mask));
    EXPECT_FALSE(VerifyVersionInfoW(&sp4, fields, mask));
}

TEST_F(Version, VerifyOtherFieldsAndBadArguments)
{
    OSVERSIONINFOEXW want = version(0, 0, 0);
    DWORDLONG mask = VerSetConditionMask(0, VER_PLATFORMID, VER_EQUAL);
    EXPECT_TRUE(VerifyVersionInfoW(&want, VER_PLATFORMID, mask));
    want.dwPlatformId = VER_PLATFORM_WIN32_WINDOWS;
    EXPECT_FALSE(VerifyVersionInfoW(&want, VER_PLATFORMID, mask));
    want.wSuiteMask = VER_SUITE_SINGLEUSERTS;
    EXPECT_TRUE(VerifyVersionInfoW(&want, VER_SUITENAME, VerSetConditionMask(0, VER_SUITENAME, VER_AND)));
    want.wSuiteMask = VER_SUITE_SINGLEUSERTS | VER_SUITE_ENTERPRISE;
    EXPECT_FALSE(VerifyVersionInfoW(&want, VER_SUITENAME, VerSetConditionMask(0, VER_SUITENAME, VER_AND)));
    EXPECT_TRUE(VerifyVersionInfoW(&want, VER_SUITENAME, VerSetConditionMask(0, VER_SUITENAME, VER_OR)));
    SetLastError(0);
    EXPECT_FALSE(VerifyVersionInfoW(&want, 0, mask));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_BAD_ARGUMENTS);
    SetLastError(0);
    EXPECT_FALSE(VerifyVersionInfoW(&want, VER_PLATFORMID, 0));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_BAD_ARGUMENTS);
}
