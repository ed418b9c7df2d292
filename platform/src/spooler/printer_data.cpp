/*
 * Printer data: values kept per printer in named keys ("PrinterDriverData" for the calls
 * without a key name), with the registry's value store and its size protocol.
 */
#include "platform/src/spooler/spooler_private.h"

#include <algorithm>
#include <filesystem>
#include <mutex>

#include "platform/src/registry/store.h"
#include "platform/testing/qm_testing.h"

namespace {

const char16_t kDriverDataKey[] = u"PrinterDriverData";

std::mutex g_fault_lock;
DWORD g_set_allowed = QMT_SPOOLER_NEVER; /* successful sets left before failures */
DWORD g_set_error;
DWORD g_get_allowed = QMT_SPOOLER_NEVER; /* the same for GetPrinterDataW */
DWORD g_get_error;
DWORD g_delete_allowed = QMT_SPOOLER_NEVER; /* the same for DeletePrinterDataW */
DWORD g_delete_error;

std::string key_dir(const qmspl::Handle *h, LPCWSTR key)
{
    return h->dir + "/data/" + qmr::EncodeName(key);
}

/* True (with the error) when a test control makes this call fail: allowed counts the
 * successful calls left before failures. */
bool call_fault(DWORD *allowed, DWORD fault_error, DWORD *error)
{
    std::lock_guard<std::mutex> guard(g_fault_lock);
    if (*allowed == QMT_SPOOLER_NEVER)
        return false;
    if (*allowed == 0) {
        *error = fault_error;
        return true;
    }
    --*allowed;
    return false;
}

bool set_fault(DWORD *error)
{
    return call_fault(&g_set_allowed, g_set_error, error);
}

/* Resolves a handle for a change of printer data: administration rights needed. */
DWORD writable_handle(HANDLE hPrinter, LPCWSTR key, qmspl::Handle **out)
{
    qmspl::Handle *h = qmspl::LookupPrinterHandle(hPrinter);
    if (!h)
        return ERROR_INVALID_HANDLE;
    if (!key || !*key)
        return ERROR_INVALID_PARAMETER;
    if (!(h->access & PRINTER_ACCESS_ADMINISTER))
        return ERROR_ACCESS_DENIED;
    *out = h;
    return ERROR_SUCCESS;
}

} // namespace

/* Reads a printer-data value of key pKeyName. *pcbNeeded always receives the
 * value's size; a buffer smaller than that (nSize, or no buffer) gives ERROR_MORE_DATA.
 * ERROR_FILE_NOT_FOUND for a missing value, ERROR_INVALID_PARAMETER without a key name. */
extern "C" DWORD WINAPI GetPrinterDataExW(HANDLE hPrinter, LPCWSTR pKeyName, LPCWSTR pValueName, LPDWORD pType,
                                          LPBYTE pData, DWORD nSize, LPDWORD pcbNeeded)
{
    qmspl::Handle *h = qmspl::LookupPrinterHandle(hPrinter);
    if (!h)
        return ERROR_INVALID_HANDLE;
    if (!pcbNeeded || !pKeyName || !*pKeyName)
        return ERROR_INVALID_PARAMETER;
    qmr::StoreLock lock(qmspl::LockPath(), false);
    qmr::KeyFile key;
    if (!qmr::LoadKeyFile(key_dir(h, pKeyName), &key))
        return ERROR_BADDB;
    const qmr::StoredValue *v = qmr::FindValue(&key, pValueName);
    if (!v)
        return ERROR_FILE_NOT_FOUND;
    DWORD size = (DWORD)v->data.size();
    *pcbNeeded = size;
    if (pType)
        *pType = v->type;
    if (size > nSize || (size > 0 && !pData))
        return ERROR_MORE_DATA;
    std::copy(v->data.begin(), v->data.end(), pData);
    return ERROR_SUCCESS;
}

/* GetPrinterDataExW on the driver's key "PrinterDriverData". */
extern "C" DWORD WINAPI GetPrinterDataW(HANDLE hPrinter, LPWSTR pValueName, LPDWORD pType, LPBYTE pData, DWORD nSize,
                                        LPDWORD pcbNeeded)
{
    DWORD error = 0;
    if (call_fault(&g_get_allowed, g_get_error, &error))
        return error;
    return GetPrinterDataExW(hPrinter, kDriverDataKey, pValueName, pType, pData, nSize, pcbNeeded);
}

/* Stores a printer-data value exactly as given. Needs PRINTER_ACCESS_ADMINISTER
 * (ERROR_ACCESS_DENIED); an injected fault returns its error and stores nothing. */
extern "C" DWORD WINAPI SetPrinterDataExW(HANDLE hPrinter, LPCWSTR pKeyName, LPCWSTR pValueName, DWORD Type,
                                          LPBYTE pData, DWORD cbData)
{
    qmspl::Handle *h = nullptr;
    DWORD rc = writable_handle(hPrinter, pKeyName, &h);
    if (rc != ERROR_SUCCESS)
        return rc;
    if (!pData && cbData)
        return ERROR_INVALID_PARAMETER;
    DWORD error = 0;
    if (set_fault(&error))
        return error;
    qmr::StoreLock lock(qmspl::LockPath(), true);
    if (!std::filesystem::exists(h->dir + "/printer.dat"))
        return ERROR_INVALID_PRINTER_NAME;
    std::string dir = key_dir(h, pKeyName);
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    qmr::KeyFile key;
    if (!qmr::LoadKeyFile(dir, &key))
        return ERROR_BADDB;
    if (key.name.empty())
        key.name = pKeyName;
    qmr::PutValue(&key, pValueName, Type, pData, cbData);
    return qmr::SaveKeyFile(dir, key) ? ERROR_SUCCESS : ERROR_CANTWRITE;
}

/* SetPrinterDataExW on the driver's key "PrinterDriverData". */
extern "C" DWORD WINAPI SetPrinterDataW(HANDLE hPrinter, LPWSTR pValueName, DWORD Type, LPBYTE pData, DWORD cbData)
{
    return SetPrinterDataExW(hPrinter, kDriverDataKey, pValueName, Type, pData, cbData);
}

/* Deletes a value of "PrinterDriverData"; ERROR_FILE_NOT_FOUND when missing. */
extern "C" DWORD WINAPI DeletePrinterDataW(HANDLE hPrinter, LPWSTR pValueName)
{
    qmspl::Handle *h = nullptr;
    DWORD rc = writable_handle(hPrinter, kDriverDataKey, &h);
    if (rc != ERROR_SUCCESS)
        return rc;
    DWORD error = 0;
    if (call_fault(&g_delete_allowed, g_delete_error, &error))
        return error;
    qmr::StoreLock lock(qmspl::LockPath(), true);
    std::string dir = key_dir(h, kDriverDataKey);
    qmr::KeyFile key;
    if (!qmr::LoadKeyFile(dir, &key))
        return ERROR_BADDB;
    if (!qmr::RemoveValue(&key, pValueName))
        return ERROR_FILE_NOT_FOUND;
    return qmr::SaveKeyFile(dir, key) ? ERROR_SUCCESS : ERROR_CANTWRITE;
}

/* Gives value dwIndex of "PrinterDriverData" (creation order). *pcbValueName
 * (bytes with terminator) and *pcbData receive the sizes; short buffers give ERROR_MORE_DATA;
 * cbValueName and cbData both 0 ask for the largest sizes. ERROR_NO_MORE_ITEMS past the last. */
extern "C" DWORD WINAPI EnumPrinterDataW(HANDLE hPrinter, DWORD dwIndex, LPWSTR pValueName, DWORD cbValueName,
                                         LPDWORD pcbValueName, LPDWORD pType, LPBYTE pData, DWORD cbData,
                                         LPDWORD pcbData)
{
    qmspl::Handle *h = qmspl::LookupPrinterHandle(hPrinter);
    if (!h)
        return ERROR_INVALID_HANDLE;
    if (!pcbValueName || !pcbData)
        return ERROR_INVALID_PARAMETER;
    qmr::StoreLock lock(qmspl::LockPath(), false);
    qmr::KeyFile key;
    if (!qmr::LoadKeyFile(key_dir(h, kDriverDataKey), &key))
        return ERROR_BADDB;
    if (dwIndex >= key.values.size())
        return ERROR_NO_MORE_ITEMS;
    if (cbValueName == 0 && cbData == 0) {
        /* Both sizes zero ask for the largest name and data of all values. */
        DWORD name = 0, data = 0;
        for (const qmr::StoredValue &v : key.values) {
            name = std::max(name, (DWORD)((v.name.size() + 1) * sizeof(WCHAR)));
            data = std::max(data, (DWORD)v.data.size());
        }
        *pcbValueName = name;
        *pcbData = data;
        return ERROR_SUCCESS;
    }
    const qmr::StoredValue &v = key.values[dwIndex];
    DWORD name_bytes = (DWORD)((v.name.size() + 1) * sizeof(WCHAR));
    *pcbValueName = name_bytes;
    *pcbData = (DWORD)v.data.size();
    if (pType)
        *pType = v.type;
    if (!pValueName || cbValueName < name_bytes || cbData < v.data.size() || (!pData && !v.data.empty()))
        return ERROR_MORE_DATA;
    memcpy(pValueName, v.name.c_str(), name_bytes);
    std::copy(v.data.begin(), v.data.end(), pData);
    return ERROR_SUCCESS;
}

/* See qm_testing_spooler.h. */
extern "C" void qmt_SpoolerFailSetPrinterData(DWORD after, DWORD dwError)
{
    std::lock_guard<std::mutex> guard(g_fault_lock);
    g_set_allowed = after;
    g_set_error = dwError;
}

/* See qm_testing_spooler.h. */
extern "C" void qmt_SpoolerFailGetPrinterData(DWORD after, DWORD dwError)
{
    std::lock_guard<std::mutex> guard(g_fault_lock);
    g_get_allowed = after;
    g_get_error = dwError;
}

/* See qm_testing_spooler.h. */
extern "C" void qmt_SpoolerFailDeletePrinterData(DWORD after, DWORD dwError)
{
    std::lock_guard<std::mutex> guard(g_fault_lock);
    g_delete_allowed = after;
    g_delete_error = dwError;
}
