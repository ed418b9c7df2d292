/*
 * ANSI forms of the registry calls: names and string data converted through the ANSI code
 * page around the wide forms. Classes are not kept by this registry, so none is passed.
 */
#include <windows.h>
#include <string.h>

#include <string>
#include <vector>

#include "platform/src/kernel/kernel_private.h"

namespace {

/* A wide copy of an ANSI name; `present` false for NULL. */
struct WideName {
    explicit WideName(LPCSTR text) : present(text != nullptr), wide(text ? qmk::WideText(CP_ACP, text) : u"") {}
    LPCWSTR get() const
    {
        return present ? (LPCWSTR)wide.c_str() : nullptr;
    }
    bool present;
    std::u16string wide;
};

bool is_string_type(DWORD type)
{
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

} // namespace

/* RegOpenKeyExA: RegOpenKeyExW of the converted sub key name. */
extern "C" LONG WINAPI RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD ulOptions, REGSAM samDesired, PHKEY phkResult)
{
    return RegOpenKeyExW(hKey, WideName(lpSubKey).get(), ulOptions, samDesired, phkResult);
}

/* RegCreateKeyExA: RegCreateKeyExW of the converted sub key name (no class). */
extern "C" LONG WINAPI RegCreateKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD Reserved, LPSTR lpClass, DWORD dwOptions,
                                       REGSAM samDesired, const SECURITY_ATTRIBUTES *lpSecurityAttributes,
                                       PHKEY phkResult, LPDWORD lpdwDisposition)
{
    (void)lpClass;
    return RegCreateKeyExW(hKey,
                           WideName(lpSubKey).get(),
                           Reserved,
                           nullptr,
                           dwOptions,
                           samDesired,
                           lpSecurityAttributes,
                           phkResult,
                           lpdwDisposition);
}

/* RegCreateKeyA: RegCreateKeyW of the converted sub key name. */
extern "C" LONG WINAPI RegCreateKeyA(HKEY hKey, LPCSTR lpSubKey, PHKEY phkResult)
{
    return RegCreateKeyW(hKey, WideName(lpSubKey).get(), phkResult);
}

/* RegDeleteKeyA: RegDeleteKeyW of the converted sub key name. */
extern "C" LONG WINAPI RegDeleteKeyA(HKEY hKey, LPCSTR lpSubKey)
{
    return RegDeleteKeyW(hKey, WideName(lpSubKey).get());
}

/* RegSetValueExA: string data (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ) is stored converted to
 * UTF-16, other data as given. */
extern "C" LONG WINAPI RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD Reserved, DWORD dwType, const BYTE *lpData,
                                      DWORD cbData)
{
    WideName name(lpValueName);
    if (!is_string_type(dwType) || !lpData)
        return RegSetValueExW(hKey, name.get(), Reserved, dwType, lpData, cbData);
    std::u16string wide = qmk::WideText(CP_ACP, std::string((const char *)lpData, cbData));
    return RegSetValueExW(
        hKey, name.get(), Reserved, dwType, (const BYTE *)wide.data(), (DWORD)(wide.size() * sizeof(char16_t)));
}

/* RegQueryValueExA: string data converted to the ANSI code page, with the size protocol
 * of RegQueryValueExW (sizes in bytes of the converted data). */
extern "C" LONG WINAPI RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType,
                                        LPBYTE lpData, LPDWORD lpcbData)
{
    WideName name(lpValueName);
    DWORD type = 0, size = 0;
    LONG rc = RegQueryValueExW(hKey, name.get(), lpReserved, &type, nullptr, &size);
    if (rc != ERROR_SUCCESS || !is_string_type(type))
        return RegQueryValueExW(hKey, name.get(), lpReserved, lpType, lpData, lpcbData);
    std::vector<BYTE> wide(size + sizeof(char16_t));
    rc = RegQueryValueExW(hKey, name.get(), lpReserved, &type, wide.data(), &size);
    if (rc != ERROR_SUCCESS)
        return rc;
    std::string text = qmk::MultiText(CP_ACP, std::u16string((const char16_t *)wide.data(), size / sizeof(char16_t)));
    if (lpType)
        *lpType = type;
    if (!lpcbData)
        return lpData ? ERROR_INVALID_PARAMETER : ERROR_SUCCESS;
    DWORD room = *lpcbData;
    *lpcbData = (DWORD)text.size();
    if (!lpData)
        return ERROR_SUCCESS;
    if (room < text.size())
        return ERROR_MORE_DATA;
    memcpy(lpData, text.data(), text.size());
    return ERROR_SUCCESS;
}

/* RegQueryInfoKeyA: RegQueryInfoKeyW; the class, when asked for, is empty. */
extern "C" LONG WINAPI RegQueryInfoKeyA(HKEY hKey, LPSTR lpClass, LPDWORD lpcchClass, LPDWORD lpReserved,
                                        LPDWORD lpcSubKeys, LPDWORD lpcbMaxSubKeyLen, LPDWORD lpcbMaxClassLen,
                                        LPDWORD lpcValues, LPDWORD lpcbMaxValueNameLen, LPDWORD lpcbMaxValueLen,
                                        LPDWORD lpcbSecurityDescriptor, PFILETIME lpftLastWriteTime)
{
    LONG rc = RegQueryInfoKeyW(hKey,
                               nullptr,
                               nullptr,
                               lpReserved,
                               lpcSubKeys,
                               lpcbMaxSubKeyLen,
                               lpcbMaxClassLen,
                               lpcValues,
                               lpcbMaxValueNameLen,
                               lpcbMaxValueLen,
                               lpcbSecurityDescriptor,
                               lpftLastWriteTime);
    if (rc == ERROR_SUCCESS && lpClass && lpcchClass && *lpcchClass)
        *lpClass = '\0';
    if (rc == ERROR_SUCCESS && lpcchClass)
        *lpcchClass = 0;
    return rc;
}
