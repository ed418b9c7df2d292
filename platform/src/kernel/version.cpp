/*
 * The Windows version the host plays: Windows XP, version 5.1 build 2600 with Service
 * Pack 3, a workstation, unless a test pins another one (qmt_PinOsVersion).
 */
#include <windows.h>

#include <string.h>

#include <mutex>

#include "platform/src/kernel/kernel_private.h"
#include "platform/testing/qm_testing.h"

namespace {

/* The version fields VerifyVersionInfoW compares as one hierarchy, most significant first. */
const DWORD kHierarchy[] = {VER_MAJORVERSION, VER_MINORVERSION, VER_SERVICEPACKMAJOR, VER_SERVICEPACKMINOR};

std::mutex g_version_lock;
bool g_version_pinned;
OSVERSIONINFOEXW g_pinned_version;
bool g_version_fails;

OSVERSIONINFOEXW current_version()
{
    std::lock_guard<std::mutex> guard(g_version_lock);
    if (g_version_pinned)
        return g_pinned_version;
    OSVERSIONINFOEXW v;
    memset(&v, 0, sizeof(v));
    v.dwOSVersionInfoSize = sizeof(v);
    v.dwMajorVersion = 5;
    v.dwMinorVersion = 1;
    v.dwBuildNumber = 2600;
    v.dwPlatformId = VER_PLATFORM_WIN32_NT;
    const char16_t csd[] = u"Service Pack 3";
    memcpy(v.szCSDVersion, csd, sizeof(csd));
    v.wServicePackMajor = 3;
    v.wServicePackMinor = 0;
    v.wSuiteMask = VER_SUITE_SINGLEUSERTS;
    v.wProductType = VER_NT_WORKSTATION;
    return v;
}

/* The condition VerSetConditionMask recorded for one type bit; 0 when none. */
BYTE condition_of(DWORDLONG mask, DWORD type_bit)
{
    int index = __builtin_ctz(type_bit);
    return (BYTE)((mask >> (index * 3)) & 7);
}

/* 1, 0 or -1 as a compares to b. */
int compare(unsigned long a, unsigned long b)
{
    return a < b ? -1 : a > b ? 1 : 0;
}

bool holds(BYTE condition, int comparison)
{
    switch (condition) {
    case VER_EQUAL: return comparison == 0;
    case VER_GREATER: return comparison > 0;
    case VER_GREATER_EQUAL: return comparison >= 0;
    case VER_LESS: return comparison < 0;
    case VER_LESS_EQUAL: return comparison <= 0;
    default: return false;
    }
}

unsigned long hierarchy_field(const OSVERSIONINFOEXW &v, DWORD type_bit)
{
    switch (type_bit) {
    case VER_MAJORVERSION: return v.dwMajorVersion;
    case VER_MINORVERSION: return v.dwMinorVersion;
    case VER_SERVICEPACKMAJOR: return v.wServicePackMajor;
    default: return v.wServicePackMinor;
    }
}

} // namespace

/* Accepts OSVERSIONINFOW and OSVERSIONINFOEXW by their size; any other size fails with
 * ERROR_INSUFFICIENT_BUFFER. */
extern "C" BOOL WINAPI GetVersionExW(LPOSVERSIONINFOW lpVersionInformation)
{
    if (!lpVersionInformation) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    DWORD size = lpVersionInformation->dwOSVersionInfoSize;
    if (size != sizeof(OSVERSIONINFOW) && size != sizeof(OSVERSIONINFOEXW)) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    {
        std::lock_guard<std::mutex> guard(g_version_lock);
        if (g_version_fails) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
    }
    OSVERSIONINFOEXW v = current_version();
    v.dwOSVersionInfoSize = size;
    memcpy(lpVersionInformation, &v, size);
    return TRUE;
}

/* As GetVersionExW, with the service-pack text in the ANSI code page. */
extern "C" BOOL WINAPI GetVersionExA(LPOSVERSIONINFOA lpVersionInformation)
{
    if (!lpVersionInformation) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    DWORD size = lpVersionInformation->dwOSVersionInfoSize;
    if (size != sizeof(OSVERSIONINFOA) && size != sizeof(OSVERSIONINFOEXA)) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    OSVERSIONINFOEXW v = current_version();
    OSVERSIONINFOEXA a;
    memset(&a, 0, sizeof(a));
    a.dwOSVersionInfoSize = size;
    a.dwMajorVersion = v.dwMajorVersion;
    a.dwMinorVersion = v.dwMinorVersion;
    a.dwBuildNumber = v.dwBuildNumber;
    a.dwPlatformId = v.dwPlatformId;
    std::string csd;
    qmk::WideToMulti(CP_ACP, v.szCSDVersion, lstrlenW(v.szCSDVersion), &csd);
    csd.copy(a.szCSDVersion, sizeof(a.szCSDVersion) - 1);
    a.wServicePackMajor = v.wServicePackMajor;
    a.wServicePackMinor = v.wServicePackMinor;
    a.wSuiteMask = v.wSuiteMask;
    a.wProductType = v.wProductType;
    memcpy(lpVersionInformation, &a, size);
    return TRUE;
}

/* Records `Condition` for every type bit of TypeMask, three bits per type; condition 0
 * leaves the mask as it is. */
extern "C" ULONGLONG WINAPI VerSetConditionMask(ULONGLONG ConditionMask, DWORD TypeMask, BYTE Condition)
{
    if (!Condition)
        return ConditionMask;
    for (int index = 0; index < 8; ++index) {
        if (!(TypeMask & (1u << index)))
            continue;
        ConditionMask &= ~(7ULL << (index * 3));
        ConditionMask |= (ULONGLONG)(Condition & 7) << (index * 3);
    }
    return ConditionMask;
}

/* Major version, minor version and service pack are compared as one number, with the
 * condition of the most significant of them that the type mask names; the build number,
 * platform, product type and suite each on their own. A mismatch fails with
 * ERROR_OLD_WIN_VERSION; an empty type or condition mask with ERROR_BAD_ARGUMENTS. */
extern "C" BOOL WINAPI VerifyVersionInfoW(LPOSVERSIONINFOEXW lpVersionInformation, DWORD dwTypeMask,
                                          DWORDLONG dwlConditionMask)
{
    if (!lpVersionInformation || !dwTypeMask || !dwlConditionMask) {
        SetLastError(ERROR_BAD_ARGUMENTS);
        return FALSE;
    }
    const OSVERSIONINFOEXW &want = *lpVersionInformation;
    OSVERSIONINFOEXW have = current_version();
    bool ok = true;
    BYTE hierarchy_condition = 0;
    int hierarchy_comparison = 0;
    for (DWORD bit : kHierarchy) {
        if (!(dwTypeMask & bit))
            continue;
        if (!hierarchy_condition)
            hierarchy_condition = condition_of(dwlConditionMask, bit);
        if (!hierarchy_comparison)
            hierarchy_comparison = compare(hierarchy_field(have, bit), hierarchy_field(want, bit));
    }
    if (hierarchy_condition)
        ok = holds(hierarchy_condition, hierarchy_comparison);
    if (dwTypeMask & VER_BUILDNUMBER) {
        ok = ok &&
             holds(condition_of(dwlConditionMask, VER_BUILDNUMBER), compare(have.dwBuildNumber, want.dwBuildNumber));
    }
    if (dwTypeMask & VER_PLATFORMID) {
        ok = ok && holds(condition_of(dwlConditionMask, VER_PLATFORMID), compare(have.dwPlatformId, want.dwPlatformId));
    }
    if (dwTypeMask & VER_PRODUCT_TYPE) {
        ok = ok &&
             holds(condition_of(dwlConditionMask, VER_PRODUCT_TYPE), compare(have.wProductType, want.wProductType));
    }
    if (dwTypeMask & VER_SUITENAME) {
        BYTE condition = condition_of(dwlConditionMask, VER_SUITENAME);
        WORD common = have.wSuiteMask & want.wSuiteMask;
        ok = ok && (condition == VER_AND ? common == want.wSuiteMask : condition == VER_OR ? common != 0 : false);
    }
    if (!ok) {
        SetLastError(ERROR_OLD_WIN_VERSION);
        return FALSE;
    }
    return TRUE;
}

extern "C" void qmt_PinOsVersion(const OSVERSIONINFOEXW *version)
{
    std::lock_guard<std::mutex> guard(g_version_lock);
    g_version_pinned = version != nullptr;
    if (version) {
        g_pinned_version = *version;
        g_pinned_version.dwOSVersionInfoSize = sizeof(g_pinned_version);
    }
}

extern "C" void qmt_FailVersionQuery(BOOL fail)
{
    std::lock_guard<std::mutex> guard(g_version_lock);
    g_version_fails = fail != FALSE;
}
