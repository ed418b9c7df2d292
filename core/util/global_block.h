/*
 * Global-heap blocks of the driver core: every "new" string or record handed out by the
 * utilities is a zero-initialised global-heap block that the caller frees with GlobalFree
 * (or util_GlobalFreeIfSet).
 */
#ifndef QM_CORE_UTIL_GLOBAL_BLOCK_H
#define QM_CORE_UTIL_GLOBAL_BLOCK_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

/* util_GlobalAllocZero: a new zeroed block of bytes (at least 1); NULL when out of memory. */
void *WINAPI util_GlobalAllocZero(DWORD bytes);

/* util_DupWideN: a new copy of the first `count` characters of text, terminated; NULL for a
 * NULL text or out of memory. */
WCHAR *WINAPI util_DupWideN(const WCHAR *text, DWORD count);

/* util_DupWide: a new copy of a terminated text; NULL for NULL or out of memory. */
WCHAR *WINAPI util_DupWide(const WCHAR *text);

/* util_GlobalBlockSize: the size of a global-heap block; 0 on Windows Vista or later, and
 * for NULL. */
DWORD WINAPI util_GlobalBlockSize(const void *pointer);

/* util_GlobalFreeIfSet: frees a global-heap block when pointer is not NULL. */
void WINAPI util_GlobalFreeIfSet(void *pointer);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_UTIL_GLOBAL_BLOCK_H */
