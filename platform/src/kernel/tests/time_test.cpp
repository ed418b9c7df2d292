#include <windows.h>

#include <gtest/gtest.h>

#include <stdlib.h>
#include <time.h>

#include "platform/testing/qm_testing.h"

namespace {

unsigned long long ticks_of(const FILETIME &ft)
{
    return (unsigned long long)ft.dwHighDateTime << 32 | ft.dwLowDateTime;
}

FILETIME file_time(unsigned long long ticks)
{
    FILETIME ft = {(DWORD)ticks, (DWORD)(ticks >> 32)};
    return ft;
}

bool same_time(const SYSTEMTIME &a, const SYSTEMTIME &b)
{
    return memcmp(&a, &b, sizeof(a)) == 0;
}

class Time : public ::testing::Test
{
protected:
    void TearDown() override
    {
        qmt_PinClock(nullptr);
        qmt_PinTickCount(nullptr);
    }
};

} // namespace

TEST_F(Time, SystemTimeAndFileTimeConvertBothWays)
{
    struct {
        SYSTEMTIME st;
        unsigned long long ticks;
    } rows[] = {
        {{1601, 1, 1, 1, 0, 0, 0, 0}, 0},
        {{1970, 1, 4, 1, 0, 0, 0, 0}, 116444736000000000ULL},
        {{2000, 2, 2, 29, 12, 34, 56, 789}, 125963012967890000ULL},
        {{9999, 12, 5, 31, 23, 59, 59, 999}, 2650467743999990000ULL},
    };
    for (const auto &row : rows) {
        FILETIME ft;
        ASSERT_TRUE(SystemTimeToFileTime(&row.st, &ft));
        EXPECT_EQ(ticks_of(ft), row.ticks);
        SYSTEMTIME back;
        ASSERT_TRUE(FileTimeToSystemTime(&ft, &back));
        EXPECT_TRUE(same_time(back, row.st)) << row.st.wYear;
    }
    FILETIME late = file_time(0x8000000000000000ULL);
    SYSTEMTIME st;
    SetLastError(0);
    EXPECT_FALSE(FileTimeToSystemTime(&late, &st));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_PARAMETER);
}

TEST_F(Time, OutOfRangeFieldsAreRefused)
{
    SYSTEMTIME bad[] = {
        {1600, 12, 0, 31, 0, 0, 0, 0},
        {2001, 13, 0, 1, 0, 0, 0, 0},
        {2001, 0, 0, 1, 0, 0, 0, 0},
        {1900, 2, 0, 29, 0, 0, 0, 0},
        {2001, 4, 0, 31, 0, 0, 0, 0},
        {2001, 1, 0, 1, 24, 0, 0, 0},
        {2001, 1, 0, 1, 0, 60, 0, 0},
        {2001, 1, 0, 1, 0, 0, 60, 0},
        {2001, 1, 0, 1, 0, 0, 0, 1000},
    };
    for (const SYSTEMTIME &st : bad) {
        FILETIME ft;
        SetLastError(0);
        EXPECT_FALSE(SystemTimeToFileTime(&st, &ft)) << st.wYear << "-" << st.wMonth << "-" << st.wDay;
        EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_PARAMETER);
    }
    SYSTEMTIME leap = {2000, 2, 6, 29, 0, 0, 0, 0}; /* a wrong day of the week is not read */
    FILETIME ft;
    EXPECT_TRUE(SystemTimeToFileTime(&leap, &ft));
}

TEST_F(Time, CompareFileTimeComparesAllSixtyFourBits)
{
    FILETIME a = file_time(0x100000000ULL), b = file_time(0xFFFFFFFFULL), c = file_time(0x8000000000000000ULL);
    EXPECT_EQ(CompareFileTime(&a, &b), 1);
    EXPECT_EQ(CompareFileTime(&b, &a), -1);
    EXPECT_EQ(CompareFileTime(&a, &a), 0);
    EXPECT_EQ(CompareFileTime(&c, &a), 1);
}

TEST_F(Time, PinnedClockStandsStillInUtc)
{
    const SYSTEMTIME pinned = {2026, 12, 0, 10, 9, 30, 15, 250};
    qmt_PinClock(&pinned);
    SYSTEMTIME local, system;
    GetLocalTime(&local);
    GetSystemTime(&system);
    EXPECT_EQ(local.wDayOfWeek, 4); /* filled in: a Thursday */
    local.wDayOfWeek = 0;
    system.wDayOfWeek = 0;
    EXPECT_TRUE(same_time(local, pinned));
    EXPECT_TRUE(same_time(system, pinned));
    FILETIME now, expected, local_ft;
    GetSystemTimeAsFileTime(&now);
    SystemTimeToFileTime(&pinned, &expected);
    EXPECT_EQ(CompareFileTime(&now, &expected), 0);
    ASSERT_TRUE(FileTimeToLocalFileTime(&now, &local_ft));
    EXPECT_EQ(CompareFileTime(&local_ft, &now), 0);
}

TEST_F(Time, HostClockFollowsTheTimeZone)
{
    const char *old_tz = getenv("TZ");
    std::string saved = old_tz ? old_tz : "";
    setenv("TZ", "JST-9", 1);
    tzset();
    FILETIME now, local, back;
    GetSystemTimeAsFileTime(&now);
    long long unix_now = (long long)time(nullptr);
    EXPECT_NEAR((double)((long long)(ticks_of(now) / 10000000) - 11644473600LL), (double)unix_now, 2.0);
    ASSERT_TRUE(FileTimeToLocalFileTime(&now, &local));
    EXPECT_EQ(ticks_of(local) - ticks_of(now), 9ULL * 3600 * 10000000);
    ASSERT_TRUE(LocalFileTimeToFileTime(&local, &back));
    EXPECT_EQ(ticks_of(back), ticks_of(now));
    if (old_tz)
        setenv("TZ", saved.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
}

TEST_F(Time, TickCountCanBePinned)
{
    DWORD first = GetTickCount();
    Sleep(20);
    EXPECT_GE(GetTickCount() - first, 15u);
    DWORD pinned = 0xFFFFFFF0;
    qmt_PinTickCount(&pinned);
    EXPECT_EQ(GetTickCount(), 0xFFFFFFF0u);
    EXPECT_EQ(GetTickCount(), 0xFFFFFFF0u);
}
