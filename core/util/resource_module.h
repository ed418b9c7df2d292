/*
 * The outside resource module (dialog templates, strings, bitmaps of the user interface):
 * loaded from the driver's directory by the file name in string 32767 of the driver's own
 * string table, and kept while it has uses. Its strings 16 and 5146 give the default name of
 * user-defined entries and the user-interface language.
 */
#ifndef QM_CORE_UTIL_RESOURCE_MODULE_H
#define QM_CORE_UTIL_RESOURCE_MODULE_H

#include <windows.h>

#define UTIL_RESOURCE_MODULE_NAME_STRING 32767 /* own string naming the resource module */
#define UTIL_USER_DEFINED_NAME_STRING 16       /* resource module: name of user-defined entries */
#define UTIL_UI_LANGUAGE_STRING 5146           /* resource module: user-interface language */
#define UTIL_USER_DEFINED_NAME_CHARS 32        /* at most this many characters of string 16 */

#ifdef __cplusplus
extern "C" {
#endif

/*
 * util_LoadResourceModule: takes one use of the resource module, loading it first when no
 * handle exists (module directory + string 32767, at most 260 characters, LoadLibraryExW
 * with flags 9). The use count changes under one process-wide lock. Returns the handle, NULL
 * (no use taken) when the module cannot be loaded.
 */
HMODULE WINAPI util_LoadResourceModule(void);

/* util_ReleaseResourceModule: drops one use; the last use frees the module and clears the
 * handle. A release without a use does nothing. Returns 0. */
LONG WINAPI util_ReleaseResourceModule(void);

/* util_GetResourceModule: the handle, taking a use through util_LoadResourceModule when
 * there is none yet; NULL when the module cannot be loaded. */
HMODULE WINAPI util_GetResourceModule(void);

/* util_GetResourceModuleHandle: the same as util_GetResourceModule. */
HMODULE WINAPI util_GetResourceModuleHandle(void);

/*
 * util_FormatUserDefinedName: string 16 of the resource module (at most 32 characters;
 * without module or string the built-in default) followed by n + 1, as "%s%d", cut to
 * capacity - 1 characters. buffer: out. Returns the characters written, 0 for a NULL buffer
 * or capacity 0.
 */
DWORD WINAPI util_FormatUserDefinedName(DWORD n, WCHAR *buffer, DWORD capacity);

/* util_GetUiLanguageId: string 5146 of the resource module read as a decimal number. id:
 * out, 0 when the module or the string is missing. Returns 1 when read, else 0. */
BOOL WINAPI util_GetUiLanguageId(WORD *id);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_UTIL_RESOURCE_MODULE_H */
