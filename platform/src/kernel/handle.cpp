/*
 * The process's table of kernel objects. Handles are multiples of 4 counted upwards from
 * 0x1000 and never reused within a process, so a stale handle is refused rather than
 * reaching a later object. Objects are reference counted: a call that looked an object
 * up keeps it alive even if another thread closes its handle meanwhile.
 */
#include "platform/src/kernel/kernel_private.h"

#include <map>
#include <mutex>

#include "platform/testing/qm_testing.h"

namespace {

std::mutex g_lock;
std::map<ULONG_PTR, qmk::KernelObject *> g_table;
ULONG_PTR g_next = 0x1000;

} // namespace

HANDLE qmk::RegisterObject(KernelObject *object)
{
    std::lock_guard<std::mutex> guard(g_lock);
    object->refs = 1;
    ULONG_PTR value = g_next;
    g_next += 4;
    g_table[value] = object;
    return (HANDLE)value;
}

qmk::KernelObject *qmk::LookupObject(HANDLE h, DWORD kind)
{
    {
        std::lock_guard<std::mutex> guard(g_lock);
        auto it = g_table.find((ULONG_PTR)h);
        if (it != g_table.end() && (kind == 0 || it->second->kind == kind)) {
            ++it->second->refs;
            return it->second;
        }
    }
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
}

void qmk::AddObjectRef(KernelObject *object)
{
    std::lock_guard<std::mutex> guard(g_lock);
    ++object->refs;
}

void qmk::ReleaseObject(KernelObject *object)
{
    {
        std::lock_guard<std::mutex> guard(g_lock);
        if (--object->refs > 0)
            return;
    }
    object->destroy(object);
}

bool qmk::CloseObject(HANDLE h, DWORD kind)
{
    KernelObject *object = nullptr;
    {
        std::lock_guard<std::mutex> guard(g_lock);
        auto it = g_table.find((ULONG_PTR)h);
        if (it != g_table.end() && (kind == 0 || it->second->kind == kind)) {
            object = it->second;
            g_table.erase(it);
        }
    }
    if (!object) {
        SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    ReleaseObject(object);
    return true;
}

/*
 * CloseHandle: closes a handle of any kernel object but a search handle (FindClose closes
 * those). The pseudo handles of the current process and thread close successfully.
 * Returns FALSE with ERROR_INVALID_HANDLE for anything else.
 */
extern "C" BOOL WINAPI CloseHandle(HANDLE hObject)
{
    if (hObject == GetCurrentProcess() || hObject == GetCurrentThread())
        return TRUE;
    qmk::KernelObject *object = qmk::LookupObject(hObject, 0);
    if (!object)
        return FALSE;
    bool is_find = object->kind == qmk::kObjectFind;
    qmk::ReleaseObject(object);
    if (is_find) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return qmk::CloseObject(hObject, 0) ? TRUE : FALSE;
}

extern "C" DWORD qmt_LiveHandles(DWORD kind)
{
    std::lock_guard<std::mutex> guard(g_lock);
    DWORD n = 0;
    for (const auto &entry : g_table) {
        if (kind == 0 || entry.second->kind == kind)
            ++n;
    }
    return n;
}
