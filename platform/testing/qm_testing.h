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

#ifdef __cplusplus
}
#endif

#endif /* QM_TESTING_H */
