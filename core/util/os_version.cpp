/* Windows version tests. */
#include "core/util/os_version.h"

#include "core/util/caches.h"

static BOOL version_at_least(DWORD major, DWORD minor);
static BOOL cached_answer(volatile LONG *cache, DWORD major, DWORD minor);

/* The cached answer of version_at_least, read once. */
static BOOL cached_answer(volatile LONG *cache, DWORD major, DWORD minor)
{
    LONG answer = *cache;
    if (answer == UTIL_CACHE_UNREAD) {
        answer = version_at_least(major, minor) ? 1 : 0;
        InterlockedExchange(cache, answer);
    }
    return answer == 1;
}

/* 1 when the running Windows is at least major.minor. */
static BOOL version_at_least(DWORD major, DWORD minor)
{
    OSVERSIONINFOEXW info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    info.dwMajorVersion = major;
    info.dwMinorVersion = minor;
    ULONGLONG mask = 0;
    VER_SET_CONDITION(mask, VER_MAJORVERSION, VER_GREATER_EQUAL);
    VER_SET_CONDITION(mask, VER_MINORVERSION, VER_GREATER_EQUAL);
    return VerifyVersionInfoW(&info, VER_MAJORVERSION | VER_MINORVERSION, mask) ? 1 : 0;
}

int WINAPI util_GetModernOsFlag(WORD *flag)
{
    WORD osClass = 0;
    if (flag == nullptr || util_GetOsClass(&osClass) < 0)
        return -1;
    if (osClass == UTIL_OS_9X_OLD || osClass == UTIL_OS_95 || osClass == UTIL_OS_NT_OLD || osClass == UTIL_OS_NT4)
        return 0;
    *flag = 512;
    return 1;
}

int WINAPI util_GetOsClass(WORD *osClass)
{
    if (osClass == nullptr)
        return -1;
    OSVERSIONINFOW info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    if (!GetVersionExW(&info))
        return -1;
    if (info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS) {
        if (info.dwMajorVersion == 4 && info.dwMinorVersion == 0)
            *osClass = UTIL_OS_95;
        else if (info.dwMajorVersion > 4 || (info.dwMajorVersion == 4 && info.dwMinorVersion > 0))
            *osClass = UTIL_OS_9X_LATER;
        else
            *osClass = UTIL_OS_9X_OLD;
        return 1;
    }
    if (info.dwPlatformId == VER_PLATFORM_WIN32_NT) {
        if (info.dwMajorVersion == 4)
            *osClass = UTIL_OS_NT4;
        else if (info.dwMajorVersion < 4)
            *osClass = UTIL_OS_NT_OLD;
        else
            *osClass = UTIL_OS_NT5;
        return 1;
    }
    *osClass = 0;
    return 0;
}

BOOL WINAPI util_IsVistaOrLater(void)
{
    return cached_answer(&g_UtilCaches.vistaOrLater, 6, 0);
}

BOOL WINAPI util_IsWinXpOrLater(void)
{
    return cached_answer(&g_UtilCaches.xpOrLater, 5, 1);
}
