/*
 * Test controls of the COM area: classes that CoCreateInstance can create, and the calling
 * thread's COM entry count. Used by tests only. Included by platform/testing/qm_testing.h.
 */
#ifndef QM_TESTING_COM_H
#define QM_TESTING_COM_H

#include <objbase.h>

/* Creates an object of a registered class: writes the interface riid into *object and
 * returns S_OK, or returns a failure (E_NOINTERFACE ...) with *object NULL. */
typedef HRESULT (*QmtComFactory)(REFIID riid, void **object);

/* A COM object for tests: counts its references, answers no interface but through the
 * factory that hands it out. */
struct QmtCountedObject : IUnknown {
    LONG refs = 0;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void **ppvObject) override
    {
        *ppvObject = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef(void) override
    {
        return (ULONG)++refs;
    }
    ULONG STDMETHODCALLTYPE Release(void) override
    {
        return (ULONG)--refs;
    }
};

extern "C" {

/* Registers (or replaces) the factory of a class; a NULL factory unregisters it. */
void qmt_RegisterComClass(REFCLSID clsid, QmtComFactory factory);
/* Unregisters every class. */
void qmt_ResetComClasses(void);
/* How many successful CoInitialize calls of the calling thread are not yet balanced. */
DWORD qmt_ComInitCount(void);
}

#endif /* QM_TESTING_COM_H */
