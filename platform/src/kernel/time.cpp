/*
 * Clock and tick count, and the conversions between FILETIME and SYSTEMTIME.
 *
 * The clock is the host's real-time clock and time zone unless a test pins it: a pinned
 * clock stands still at the pinned moment and its time zone is UTC, so that the local and
 * the system time are the same (qmt_PinClock). The tick count counts milliseconds of the
 * host's monotonic clock unless pinned (qmt_PinTickCount).
 */
#include <windows.h>

#include <time.h>

#include <mutex>

#include "platform/testing/qm_testing.h"

namespace {

const long long kTicksPerMs = 10000; /* FILETIME steps per millisecond */
const long long kTicksPerDay = 24LL * 3600 * 1000 * kTicksPerMs;
const long long kUnixEpoch = 116444736000000000LL; /* 1970-01-01 as FILETIME */
const long long kDaysTo1970 = 134774;              /* days from 1601-01-01 to 1970-01-01 */

std::mutex g_time_lock;
bool g_clock_pinned;
long long g_pinned_clock; /* FILETIME value */
bool g_ticks_pinned;
DWORD g_pinned_ticks;

long long to_ticks(const FILETIME *ft)
{
    return (long long)((unsigned long long)ft->dwHighDateTime << 32 | ft->dwLowDateTime);
}

void from_ticks(long long ticks, FILETIME *ft)
{
    ft->dwLowDateTime = (DWORD)((unsigned long long)ticks & 0xFFFFFFFFu);
    ft->dwHighDateTime = (DWORD)((unsigned long long)ticks >> 32);
}

/* Days since 1970-01-01 of a date of the proleptic Gregorian calendar. */
long long days_from_civil(long long y, unsigned m, unsigned d)
{
    y -= m <= 2;
    long long era = (y >= 0 ? y : y - 399) / 400;
    unsigned yoe = (unsigned)(y - era * 400);
    unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + (long long)doe - 719468;
}

/* The date of a day counted from 1970-01-01. */
void civil_from_days(long long z, long long *y, unsigned *m, unsigned *d)
{
    z += 719468;
    long long era = (z >= 0 ? z : z - 146096) / 146097;
    unsigned doe = (unsigned)(z - era * 146097);
    unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    unsigned mp = (5 * doy + 2) / 153;
    *d = doy - (153 * mp + 2) / 5 + 1;
    *m = mp < 10 ? mp + 3 : mp - 9;
    *y = (long long)yoe + era * 400 + (*m <= 2);
}

bool is_leap(unsigned y)
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

/* The current UTC time as FILETIME value. */
long long now_ticks()
{
    {
        std::lock_guard<std::mutex> guard(g_time_lock);
        if (g_clock_pinned)
            return g_pinned_clock;
    }
    struct timespec ts;
    clock_gettime(CLOCK_REALTIME, &ts);
    return kUnixEpoch + (long long)ts.tv_sec * 10000000 + ts.tv_nsec / 100;
}

/* Local time minus UTC now, in FILETIME steps: 0 with a pinned clock. */
long long local_bias_ticks()
{
    {
        std::lock_guard<std::mutex> guard(g_time_lock);
        if (g_clock_pinned)
            return 0;
    }
    time_t now = time(nullptr);
    struct tm local;
    if (!localtime_r(&now, &local))
        return 0;
    return (long long)local.tm_gmtoff * 10000000;
}

} // namespace

/* -1, 0 or 1 as the first time is earlier than, equal to or later than the second. */
extern "C" LONG WINAPI CompareFileTime(const FILETIME *lpFileTime1, const FILETIME *lpFileTime2)
{
    unsigned long long a = (unsigned long long)to_ticks(lpFileTime1);
    unsigned long long b = (unsigned long long)to_ticks(lpFileTime2);
    return a < b ? -1 : a > b ? 1 : 0;
}

/* Adds the current local-time bias (0 with a pinned clock); FALSE with ERROR_INVALID_PARAMETER
 * for a NULL argument. */
extern "C" BOOL WINAPI FileTimeToLocalFileTime(const FILETIME *lpFileTime, LPFILETIME lpLocalFileTime)
{
    if (!lpFileTime || !lpLocalFileTime) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    from_ticks(to_ticks(lpFileTime) + local_bias_ticks(), lpLocalFileTime);
    return TRUE;
}

/* Fails with ERROR_INVALID_PARAMETER for values from 0x8000000000000000 up. */
extern "C" BOOL WINAPI FileTimeToSystemTime(const FILETIME *lpFileTime, LPSYSTEMTIME lpSystemTime)
{
    if (!lpFileTime || !lpSystemTime || to_ticks(lpFileTime) < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    long long ticks = to_ticks(lpFileTime);
    long long days = ticks / kTicksPerDay;
    long long ms = (ticks % kTicksPerDay) / kTicksPerMs;
    long long year;
    unsigned month, day;
    civil_from_days(days - kDaysTo1970, &year, &month, &day);
    lpSystemTime->wYear = (WORD)year;
    lpSystemTime->wMonth = (WORD)month;
    lpSystemTime->wDay = (WORD)day;
    lpSystemTime->wDayOfWeek = (WORD)((days + 1) % 7); /* 1601-01-01 was a Monday */
    lpSystemTime->wHour = (WORD)(ms / 3600000);
    lpSystemTime->wMinute = (WORD)(ms / 60000 % 60);
    lpSystemTime->wSecond = (WORD)(ms / 1000 % 60);
    lpSystemTime->wMilliseconds = (WORD)(ms % 1000);
    return TRUE;
}

/* The local time (the pinned one when pinned). */
extern "C" void WINAPI GetLocalTime(LPSYSTEMTIME lpSystemTime)
{
    FILETIME ft;
    from_ticks(now_ticks() + local_bias_ticks(), &ft);
    FileTimeToSystemTime(&ft, lpSystemTime);
}

/* The UTC time (the pinned one when pinned). */
extern "C" void WINAPI GetSystemTime(LPSYSTEMTIME lpSystemTime)
{
    FILETIME ft;
    from_ticks(now_ticks(), &ft);
    FileTimeToSystemTime(&ft, lpSystemTime);
}

/* The UTC time as FILETIME. */
extern "C" void WINAPI GetSystemTimeAsFileTime(LPFILETIME lpSystemTimeAsFileTime)
{
    from_ticks(now_ticks(), lpSystemTimeAsFileTime);
}

/* Milliseconds of the monotonic clock, wrapping at 2^32 (the pinned value when pinned). */
extern "C" DWORD WINAPI GetTickCount(void)
{
    {
        std::lock_guard<std::mutex> guard(g_time_lock);
        if (g_ticks_pinned)
            return g_pinned_ticks;
    }
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (DWORD)((unsigned long long)ts.tv_sec * 1000 + ts.tv_nsec / 1000000);
}

/* Subtracts the current local-time bias; FALSE with ERROR_INVALID_PARAMETER for a NULL
 * argument. */
extern "C" BOOL WINAPI LocalFileTimeToFileTime(const FILETIME *lpLocalFileTime, LPFILETIME lpFileTime)
{
    if (!lpLocalFileTime || !lpFileTime) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    from_ticks(to_ticks(lpLocalFileTime) - local_bias_ticks(), lpFileTime);
    return TRUE;
}

/* Fails with ERROR_INVALID_PARAMETER for a field out of range (years 1601-30827, a day
 * that the month has); the day of the week is not read. */
extern "C" BOOL WINAPI SystemTimeToFileTime(const SYSTEMTIME *lpSystemTime, LPFILETIME lpFileTime)
{
    static const unsigned kMonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const SYSTEMTIME *st = lpSystemTime;
    if (!st || !lpFileTime || st->wYear < 1601 || st->wYear > 30827 || st->wMonth < 1 || st->wMonth > 12 ||
        st->wDay < 1 || st->wDay > kMonthDays[st->wMonth - 1] + (st->wMonth == 2 && is_leap(st->wYear)) ||
        st->wHour > 23 || st->wMinute > 59 || st->wSecond > 59 || st->wMilliseconds > 999) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    long long days = days_from_civil(st->wYear, st->wMonth, st->wDay) + kDaysTo1970;
    long long ms = ((st->wHour * 60LL + st->wMinute) * 60 + st->wSecond) * 1000 + st->wMilliseconds;
    from_ticks(days * kTicksPerDay + ms * kTicksPerMs, lpFileTime);
    return TRUE;
}

extern "C" void qmt_PinClock(const SYSTEMTIME *local_time)
{
    FILETIME ft;
    bool valid = local_time && SystemTimeToFileTime(local_time, &ft);
    std::lock_guard<std::mutex> guard(g_time_lock);
    g_clock_pinned = valid;
    g_pinned_clock = valid ? to_ticks(&ft) : 0;
}

extern "C" void qmt_PinTickCount(const DWORD *ticks)
{
    std::lock_guard<std::mutex> guard(g_time_lock);
    g_ticks_pinned = ticks != nullptr;
    g_pinned_ticks = ticks ? *ticks : 0;
}
