/*
 * The driver module's own instance handle and directory. The DLL entry routine stores the
 * handle on process attach; the description reader and the loaders of companion modules
 * find their files relative to the module's directory.
 */
#ifndef QM_CORE_UTIL_MODULE_H
#define QM_CORE_UTIL_MODULE_H

#include <windows.h>

/* util_GetModuleDirectory: smallest buffer size in bytes the function accepts, plus one. */
#define UTIL_MODULE_DIRECTORY_MIN_BYTES 520

/*
 * util_GetModuleDirectory: the directory of the module's file with a trailing backslash.
 * buffer: out, size: in, in bytes (at least UTIL_MODULE_DIRECTORY_MIN_BYTES). Returns 1, or
 * 0 when the buffer is NULL or 519 bytes or smaller, or the file name cannot be read (the
 * buffer then holds an empty string when it can).
 */
int util_GetModuleDirectory(WCHAR *buffer, DWORD size);

/* util_GetModuleHandle: the instance handle stored by util_SetModuleHandle (NULL before). */
HINSTANCE util_GetModuleHandle(void);

/* util_SetModuleHandle: keeps the module's instance handle. instance: in. */
void util_SetModuleHandle(HINSTANCE instance);

#endif /* QM_CORE_UTIL_MODULE_H */
