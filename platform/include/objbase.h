/*
 * COM for the host build: GUIDs, the IUnknown interface, apartment set-up per thread and
 * object creation by class identifier. Classes are registered by tests only (qmt_ controls
 * of platform/testing/qm_testing_com.h); any other class is not registered.
 */
#ifndef QM_OBJBASE_H
#define QM_OBJBASE_H

#include <windows.h>

typedef struct _GUID {
    ULONG Data1;
    unsigned short Data2;
    unsigned short Data3;
    unsigned char Data4[8];
} GUID;

typedef GUID IID;
typedef GUID CLSID;
typedef IID *LPIID;
typedef CLSID *LPCLSID;
#define REFGUID const GUID &
#define REFIID const IID &
#define REFCLSID const CLSID &

static_assert(sizeof(GUID) == 16, "GUID");

/* IsEqualGUID: TRUE when both identifiers hold the same 16 bytes. */
inline BOOL IsEqualGUID(REFGUID a, REFGUID b)
{
    const unsigned char *x = (const unsigned char *)&a;
    const unsigned char *y = (const unsigned char *)&b;
    for (int i = 0; i < 16; i++) {
        if (x[i] != y[i])
            return FALSE;
    }
    return TRUE;
}
#define IsEqualIID(a, b) IsEqualGUID(a, b)
#define IsEqualCLSID(a, b) IsEqualGUID(a, b)

/* Execution contexts of CoCreateInstance. */
#define CLSCTX_INPROC_SERVER 0x1
#define CLSCTX_INPROC_HANDLER 0x2
#define CLSCTX_LOCAL_SERVER 0x4
#define CLSCTX_REMOTE_SERVER 0x10
#define CLSCTX_ALL (CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER)

/* The interface every COM object answers: identity, reference counting. */
struct IUnknown {
    virtual HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void **ppvObject) = 0;
    virtual ULONG STDMETHODCALLTYPE AddRef(void) = 0;
    virtual ULONG STDMETHODCALLTYPE Release(void) = 0;
};
typedef IUnknown *LPUNKNOWN;

extern "C" {

/*
 * CoInitialize: enters the calling thread into COM. lpReserved must be NULL. Returns S_OK
 * for the thread's first entry, S_FALSE when it was already in; E_INVALIDARG otherwise.
 * Every successful call counts once and is balanced by one CoUninitialize.
 */
HRESULT WINAPI CoInitialize(LPVOID lpReserved);

/* CoUninitialize: balances one successful CoInitialize of the calling thread (nothing when
 * the thread is not in COM). */
void WINAPI CoUninitialize(void);

/*
 * CoCreateInstance: creates an object of a registered class and asks it for riid.
 * ppv: out, NULL on failure. Returns E_POINTER for a NULL ppv, CO_E_NOTINITIALIZED when the
 * thread is not in COM, CLASS_E_NOAGGREGATION for an outer object, REGDB_E_CLASSNOTREG for a
 * class not registered or a context without in-process server or handler, else the factory's
 * answer.
 */
HRESULT WINAPI CoCreateInstance(REFCLSID rclsid, LPUNKNOWN pUnkOuter, DWORD dwClsContext, REFIID riid, LPVOID *ppv);
}

#endif /* QM_OBJBASE_H */
