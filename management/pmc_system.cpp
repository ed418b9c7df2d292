/*
 * System facts of the library. The Windows build asks the system; the host build answers
 * from the C++ library (a single-byte ANSI code page, the C library's local time) until the
 * platform layer's code-page and time services are linked here.
 */
#include "management/pmc_system.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <chrono>
#include <ctime>
#endif

bool pmc_is_lead_byte(unsigned char byte)
{
#ifdef _WIN32
    return IsDBCSLeadByte(byte) != FALSE;
#else
    (void)byte;
    return false;
#endif
}

void pmc_local_time(PmcLocalTime *out)
{
#ifdef _WIN32
    SYSTEMTIME st;
    GetLocalTime(&st);
    *out = {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds};
#else
    using namespace std::chrono;
    system_clock::time_point now = system_clock::now();
    std::time_t seconds = system_clock::to_time_t(now);
    long ms = (long)(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
    std::tm tm_local {};
    localtime_r(&seconds, &tm_local);
    *out = {tm_local.tm_year + 1900, tm_local.tm_mon + 1, tm_local.tm_mday, tm_local.tm_hour,
            tm_local.tm_min, tm_local.tm_sec, (int)ms};
#endif
}
