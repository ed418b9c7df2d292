/*
 * Test controls of the host platform layer. Used by tests only, never by driver code:
 * leak accounting, fault injection and pins of the machine's identity.
 */
#ifndef QM_TESTING_H
#define QM_TESTING_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Live blocks of the global heap (GlobalAlloc) and the local heap (LocalAlloc). */
DWORD qmt_LiveGlobalBlocks(void);
DWORD qmt_LiveLocalBlocks(void);
/* Live private heaps (HeapCreate without HeapDestroy). */
DWORD qmt_LiveHeaps(void);
/* Live blocks of one private heap, or of all private heaps when hHeap is NULL. */
DWORD qmt_LiveHeapBlocks(HANDLE hHeap);
/* Lets `after` more allocations succeed, then refuses the next `count` (count 0 = off). */
void qmt_FailAllocations(DWORD after, DWORD count);

/* Forgets the cached root so that the next use reads QM_ROOT again. */
void qmt_ResetRoot(void);

/* Pins the user name the process runs as (GetUserNameW, HKEY_CURRENT_USER); NULL unpins. */
void qmt_PinUserName(LPCWSTR name);

#ifdef __cplusplus
}
#endif

/* Controls of further areas, each in a header of its own. */
#if __has_include("platform/testing/qm_testing_text.h")
#include "platform/testing/qm_testing_text.h"
#endif
#if __has_include("platform/testing/qm_testing_files.h")
#include "platform/testing/qm_testing_files.h"
#endif
#if __has_include("platform/testing/qm_testing_registry.h")
#include "platform/testing/qm_testing_registry.h"
#endif
#if __has_include("platform/testing/qm_testing_spooler.h")
#include "platform/testing/qm_testing_spooler.h"
#endif
#if __has_include("platform/testing/qm_testing_com.h")
#include "platform/testing/qm_testing_com.h"
#endif
#if __has_include("platform/testing/qm_testing_engine.h")
#include "platform/testing/qm_testing_engine.h"
#endif
#if __has_include("platform/testing/qm_testing_user.h")
#include "platform/testing/qm_testing_user.h"
#endif
#if __has_include("platform/testing/qm_testing_crypt.h")
#include "platform/testing/qm_testing_crypt.h"
#endif

#endif /* QM_TESTING_H */
