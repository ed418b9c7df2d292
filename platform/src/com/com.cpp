/* COM: per-thread entry count, object creation through classes registered by tests. */
#include <objbase.h>

#include "platform/testing/qm_testing_com.h"

#include <mutex>

namespace {

enum { kMaxClasses = 32 };

struct ComClass {
    CLSID clsid;
    QmtComFactory factory;
};

std::mutex g_lock;
ComClass g_classes[kMaxClasses];
DWORD g_classCount;

thread_local DWORD t_initCount;

/* The factory of a registered class, NULL when none. */
QmtComFactory find_factory(REFCLSID clsid)
{
    std::lock_guard<std::mutex> hold(g_lock);
    for (DWORD i = 0; i < g_classCount; i++) {
        if (IsEqualCLSID(g_classes[i].clsid, clsid))
            return g_classes[i].factory;
    }
    return nullptr;
}

} // namespace

extern "C" {

HRESULT WINAPI CoInitialize(LPVOID lpReserved)
{
    if (lpReserved != nullptr)
        return E_INVALIDARG;
    return t_initCount++ == 0 ? S_OK : S_FALSE;
}

void WINAPI CoUninitialize(void)
{
    if (t_initCount > 0)
        t_initCount--;
}

HRESULT WINAPI CoCreateInstance(REFCLSID rclsid, LPUNKNOWN pUnkOuter, DWORD dwClsContext, REFIID riid, LPVOID *ppv)
{
    if (ppv == nullptr)
        return E_POINTER;
    *ppv = nullptr;
    if (t_initCount == 0)
        return CO_E_NOTINITIALIZED;
    if (pUnkOuter != nullptr)
        return CLASS_E_NOAGGREGATION;
    QmtComFactory factory = find_factory(rclsid);
    if (factory == nullptr || (dwClsContext & (CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER)) == 0)
        return REGDB_E_CLASSNOTREG;
    HRESULT hr = factory(riid, ppv);
    if (FAILED(hr))
        *ppv = nullptr;
    return hr;
}

void qmt_RegisterComClass(REFCLSID clsid, QmtComFactory factory)
{
    std::lock_guard<std::mutex> hold(g_lock);
    for (DWORD i = 0; i < g_classCount; i++) {
        if (!IsEqualCLSID(g_classes[i].clsid, clsid))
            continue;
        if (factory != nullptr) {
            g_classes[i].factory = factory;
        } else {
            g_classes[i] = g_classes[--g_classCount];
        }
        return;
    }
    if (factory != nullptr && g_classCount < kMaxClasses)
        g_classes[g_classCount++] = ComClass{clsid, factory};
}

void qmt_ResetComClasses(void)
{
    std::lock_guard<std::mutex> hold(g_lock);
    g_classCount = 0;
}

DWORD qmt_ComInitCount(void)
{
    return t_initCount;
}
}
