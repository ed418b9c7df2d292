/*
 * Registry values: setting, querying, enumerating and deleting values, and the key
 * information query. Values keep their bytes exactly as written, whatever their type.
 */
#include "platform/src/registry/registry_private.h"

#include <sys/stat.h>

#include <algorithm>
#include <mutex>

#include "platform/src/registry/store.h"

namespace {

/* The value fault of qmt_FailRegistryValue: the folded name and the error, 0 when off. */
std::mutex g_value_fault_lock;
std::u16string g_value_fault_name;
LONG g_value_fault_error = 0;

/* The error a change of this value is to fail with, 0 for none. */
LONG value_fault(LPCWSTR name)
{
    std::lock_guard<std::mutex> guard(g_value_fault_lock);
    if (g_value_fault_error == 0)
        return 0;
    std::u16string given = name ? qmr::WideString(name) : std::u16string();
    return qmr::CompareNoCase(given, g_value_fault_name) == 0 ? g_value_fault_error : 0;
}

/* Resolves a handle, checks its rights and takes the store lock's kind of access needed;
 * loads the key file into *key. */
LONG load_key(HKEY hKey, REGSAM needed, qmreg::KeyRef *ref, qmr::KeyFile *key)
{
    LONG rc = qmreg::ResolveKey(hKey, ref);
    if (rc != ERROR_SUCCESS)
        return rc;
    if ((ref->access & needed) != needed)
        return ERROR_ACCESS_DENIED;
    if (!qmreg::KeyExists(*ref))
        return ERROR_KEY_DELETED;
    if (!qmr::LoadKeyFile(ref->dir, key))
        return ERROR_BADDB;
    return ERROR_SUCCESS;
}

/* Hands out a value's bytes with the size protocol: no buffer asks the size; a short
 * buffer gives ERROR_MORE_DATA and the size needed. */
LONG copy_data(const qmr::StoredValue &v, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData)
{
    if (lpData && !lpcbData)
        return ERROR_INVALID_PARAMETER;
    if (lpType)
        *lpType = v.type;
    DWORD size = (DWORD)v.data.size();
    if (!lpData) {
        if (lpcbData)
            *lpcbData = size;
        return ERROR_SUCCESS;
    }
    if (*lpcbData < size) {
        *lpcbData = size;
        return ERROR_MORE_DATA;
    }
    std::copy(v.data.begin(), v.data.end(), lpData);
    *lpcbData = size;
    return ERROR_SUCCESS;
}

/* Rewrites one value (or removes it when remove is set) under the exclusive lock. */
LONG change_value(HKEY hKey, LPCWSTR name, bool remove, DWORD type, const BYTE *data, DWORD size)
{
    qmreg::KeyRef ref;
    LONG rc = qmreg::ResolveKey(hKey, &ref);
    if (rc != ERROR_SUCCESS)
        return rc;
    if (!(ref.access & KEY_SET_VALUE))
        return ERROR_ACCESS_DENIED;
    if (ref.machine && qmreg::MachineWritesDenied())
        return ERROR_ACCESS_DENIED;
    rc = value_fault(name);
    if (rc != 0)
        return rc;
    qmr::StoreLock lock(qmreg::LockPath(), true);
    qmr::KeyFile key;
    rc = load_key(hKey, KEY_SET_VALUE, &ref, &key);
    if (rc != ERROR_SUCCESS)
        return rc;
    if (remove) {
        if (!qmr::RemoveValue(&key, name))
            return ERROR_FILE_NOT_FOUND;
    } else {
        qmr::PutValue(&key, name, type, data, size);
    }
    return qmr::SaveKeyFile(ref.dir, key) ? ERROR_SUCCESS : ERROR_CANTWRITE;
}

} // namespace

/* Stores a value (NULL or empty name: the default value) exactly as given, whatever
 * its type. Needs KEY_SET_VALUE. ERROR_NOACCESS for a NULL buffer with a size,
 * ERROR_KEY_DELETED, ERROR_CANTWRITE when the store cannot be written (old value kept). */
extern "C" LONG WINAPI RegSetValueExW(HKEY hKey, LPCWSTR lpValueName, DWORD Reserved, DWORD dwType, const BYTE *lpData,
                                      DWORD cbData)
{
    (void)Reserved;
    if (!lpData && cbData)
        return ERROR_NOACCESS;
    return change_value(hKey, lpValueName, false, dwType, lpData, cbData);
}

/* Sets the default value of lpSubKey (created when missing) to the string lpData as
 * REG_SZ with its terminator; cbData is ignored. ERROR_INVALID_PARAMETER for another type. */
extern "C" LONG WINAPI RegSetValueW(HKEY hKey, LPCWSTR lpSubKey, DWORD dwType, LPCWSTR lpData, DWORD cbData)
{
    (void)cbData; /* the size comes from the string itself */
    if (dwType != REG_SZ || !lpData)
        return ERROR_INVALID_PARAMETER;
    HKEY target = hKey;
    if (lpSubKey && *lpSubKey) {
        LONG rc = RegCreateKeyExW(hKey, lpSubKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &target, nullptr);
        if (rc != ERROR_SUCCESS)
            return rc;
    }
    DWORD bytes = (DWORD)((qmr::WideLength(lpData) + 1) * sizeof(WCHAR));
    LONG rc = change_value(target, nullptr, false, REG_SZ, (const BYTE *)lpData, bytes);
    if (target != hKey)
        RegCloseKey(target);
    return rc;
}

/* Deletes a value; ERROR_FILE_NOT_FOUND when there is none. */
extern "C" LONG WINAPI RegDeleteValueW(HKEY hKey, LPCWSTR lpValueName)
{
    return change_value(hKey, lpValueName, true, 0, nullptr, 0);
}

/* Reads a value with the size protocol: lpData NULL asks the size (*lpcbData);
 * a short buffer gives ERROR_MORE_DATA with the size needed. Out: *lpType, bytes, *lpcbData.
 * ERROR_FILE_NOT_FOUND for a missing value, ERROR_BADDB for a broken key file. */
extern "C" LONG WINAPI RegQueryValueExW(HKEY hKey, LPCWSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType,
                                        LPBYTE lpData, LPDWORD lpcbData)
{
    (void)lpReserved;
    qmreg::KeyRef ref;
    qmr::StoreLock lock(qmreg::LockPath(), false);
    qmr::KeyFile key;
    LONG rc = load_key(hKey, KEY_QUERY_VALUE, &ref, &key);
    if (rc != ERROR_SUCCESS)
        return rc;
    const qmr::StoredValue *v = qmr::FindValue(&key, lpValueName);
    if (!v)
        return ERROR_FILE_NOT_FOUND;
    return copy_data(*v, lpType, lpData, lpcbData);
}

/* Gives value dwIndex (creation order) with its name, type and data. A short name
 * buffer gives ERROR_MORE_DATA (name size not stored); a short data buffer ERROR_MORE_DATA
 * with the size needed in *lpcbData. ERROR_NO_MORE_ITEMS past the last. */
extern "C" LONG WINAPI RegEnumValueW(HKEY hKey, DWORD dwIndex, LPWSTR lpValueName, LPDWORD lpcchValueName,
                                     LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData)
{
    (void)lpReserved;
    if (!lpValueName || !lpcchValueName)
        return ERROR_INVALID_PARAMETER;
    qmreg::KeyRef ref;
    qmr::StoreLock lock(qmreg::LockPath(), false);
    qmr::KeyFile key;
    LONG rc = load_key(hKey, KEY_QUERY_VALUE, &ref, &key);
    if (rc != ERROR_SUCCESS)
        return rc;
    if (dwIndex >= key.values.size())
        return ERROR_NO_MORE_ITEMS;
    const qmr::StoredValue &v = key.values[dwIndex];
    if (*lpcchValueName <= v.name.size())
        return ERROR_MORE_DATA;
    std::copy(v.name.begin(), v.name.end(), lpValueName);
    lpValueName[v.name.size()] = 0;
    *lpcchValueName = (DWORD)v.name.size();
    return copy_data(v, lpType, lpData, lpcbData);
}

/* Counts of sub keys and values with the longest names (characters, without
 * terminator) and data (bytes); class and security descriptor are empty. Any output may be
 * NULL. */
extern "C" LONG WINAPI RegQueryInfoKeyW(HKEY hKey, LPWSTR lpClass, LPDWORD lpcchClass, LPDWORD lpReserved,
                                        LPDWORD lpcSubKeys, LPDWORD lpcbMaxSubKeyLen, LPDWORD lpcbMaxClassLen,
                                        LPDWORD lpcValues, LPDWORD lpcbMaxValueNameLen, LPDWORD lpcbMaxValueLen,
                                        LPDWORD lpcbSecurityDescriptor, PFILETIME lpftLastWriteTime)
{
    (void)lpReserved;
    qmreg::KeyRef ref;
    qmr::StoreLock lock(qmreg::LockPath(), false);
    qmr::KeyFile key;
    LONG rc = load_key(hKey, KEY_QUERY_VALUE, &ref, &key);
    if (rc != ERROR_SUCCESS)
        return rc;
    std::vector<qmreg::SubKey> subs = qmreg::ListSubKeys(ref.dir);
    DWORD max_sub = 0, max_name = 0, max_data = 0;
    for (const qmreg::SubKey &s : subs)
        max_sub = std::max(max_sub, (DWORD)s.name.size());
    for (const qmr::StoredValue &v : key.values) {
        max_name = std::max(max_name, (DWORD)v.name.size());
        max_data = std::max(max_data, (DWORD)v.data.size());
    }
    if (lpClass && lpcchClass && *lpcchClass > 0)
        lpClass[0] = 0;
    if (lpcchClass)
        *lpcchClass = 0;
    if (lpcSubKeys)
        *lpcSubKeys = (DWORD)subs.size();
    if (lpcbMaxSubKeyLen)
        *lpcbMaxSubKeyLen = max_sub;
    if (lpcbMaxClassLen)
        *lpcbMaxClassLen = 0;
    if (lpcValues)
        *lpcValues = (DWORD)key.values.size();
    if (lpcbMaxValueNameLen)
        *lpcbMaxValueNameLen = max_name;
    if (lpcbMaxValueLen)
        *lpcbMaxValueLen = max_data;
    if (lpcbSecurityDescriptor)
        *lpcbSecurityDescriptor = 0;
    if (lpftLastWriteTime) {
        struct stat st;
        unsigned long long t = 0;
        if (stat((ref.dir + "/key.dat").c_str(), &st) == 0)
            t = ((unsigned long long)st.st_mtime + 11644473600ULL) * 10000000ULL;
        lpftLastWriteTime->dwLowDateTime = (DWORD)t;
        lpftLastWriteTime->dwHighDateTime = (DWORD)(t >> 32);
    }
    return ERROR_SUCCESS;
}

/* See qm_testing_registry.h. */
extern "C" void qmt_FailRegistryValue(LPCWSTR name, DWORD error)
{
    std::lock_guard<std::mutex> guard(g_value_fault_lock);
    g_value_fault_name = name ? qmr::WideString(name) : std::u16string();
    g_value_fault_error = name ? (LONG)(error ? error : ERROR_CANTWRITE) : 0;
}
