/*
 * The host the driver runs in: the user name rule, the host program's name, file age, the
 * debug-log directory, the browser's protected mode and the printer's forms.
 */
#ifndef QM_CORE_UTIL_HOST_ENV_H
#define QM_CORE_UTIL_HOST_ENV_H

#include <windows.h>
#include <winspool.h>

/* util_GetUserName: the caller's buffer and its size in characters. */
typedef struct UserNameRequest {
    WCHAR *buffer; /* out */
    DWORD size;    /* in: capacity in characters; out: characters written with the terminator */
} UserNameRequest;

#define UTIL_DEBUG_LOG_CHARS 260

/* Results of util_EnumFormsAlloc (low half). */
#define UTIL_FORMS_OK 1
#define UTIL_FORMS_FAILED 3
#define UTIL_FORMS_NO_MEMORY 10

#ifdef __cplusplus
extern "C" {
#endif

/*
 * util_GetUserName: GetUserNameW; when it fails or gives "System" (without case), the value
 * "DefaultUserName" of HKLM "SOFTWARE\Microsoft\Windows NT\CurrentVersion\Winlogon\" is
 * used; an empty name, one of only U+0020/U+3000, or any failure gives "UnknownUser".
 * Returns the name's length, or 0 (request->size then the characters needed) for a NULL
 * request or buffer, or a buffer too small for the name.
 */
DWORD WINAPI util_GetUserName(UserNameRequest *request);

/* util_GetHostProcessName: the program's file name (first command-line argument, quotes
 * removed, without its directory) as a new string; NULL when out of memory. */
WCHAR *WINAPI util_GetHostProcessName(void);

/* util_IsFileOlderThan: 1 when the file exists and its last write lies more than `seconds`
 * before now; 0 otherwise. */
BOOL WINAPI util_IsFileOlderThan(LPCWSTR path, DWORD seconds);

/* util_GetExtraFilePath: no such file exists for this driver; always 0, buffer untouched. */
BOOL WINAPI util_GetExtraFilePath(DWORD kind, WCHAR *buffer, DWORD size);

/*
 * util_GetDebugLogDirectory: the drive of the Windows directory (up to its first backslash)
 * plus "\DEBUG_LOG\WIN2000", each level created when missing. buffer: out, 260 characters.
 * Returns 1, or 0 when a directory cannot be created or the buffer is NULL.
 */
BOOL WINAPI util_GetDebugLogDirectory(WCHAR *buffer);

/* util_IsIeProtectedMode: on Windows Vista or later, loads "ieframe.dll" and asks its
 * "IEIsProtectedModeProcess"; 1 when the host runs in protected mode, 0 otherwise (also when
 * the module or the entry is missing). */
BOOL WINAPI util_IsIeProtectedMode(void);

/*
 * util_EnumFormsAlloc: the printer's forms (EnumFormsW level 1) in a new global block.
 * forms, needed, count: out (forms NULL on failure). Returns 1, 3 on a failure of the call,
 * 10 when out of memory.
 */
DWORD WINAPI util_EnumFormsAlloc(HANDLE printer, FORM_INFO_1W **forms, DWORD *needed, DWORD *count);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_UTIL_HOST_ENV_H */
