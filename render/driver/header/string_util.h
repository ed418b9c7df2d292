/*
 * String and memory helpers of the render driver.
 */
#ifndef QM_RENDER_DRIVER_HEADER_STRING_UTIL_H
#define QM_RENDER_DRIVER_HEADER_STRING_UTIL_H

#include <windows.h>

// Characters of util_GetUserNameLimited's buffer, terminator included.
#define USER_NAME_LIMITED_CHARS 65

// util_StrNLenA: length of a byte string up to its first zero byte or count. 0 for NULL.
DWORD util_StrNLenA(const char *bytes, DWORD count);

// util_ReallocCopy: a new zeroed global-heap block of newSize bytes holding the first
// min(oldSize, newSize) bytes of block, which is freed. Returns the new block; NULL when
// memory is short (block then kept as it was).
void *util_ReallocCopy(void *block, DWORD oldSize, DWORD newSize);

// util_CopyWideBounded: copies at most count - 1 characters of source and fills the rest
// of the count characters with zeros. Count 0 copies nothing.
void util_CopyWideBounded(LPWSTR destination, LPCWSTR source, DWORD count);

// util_AnsiToWide: converts length bytes of ANSI text (code page CP_ACP).
//   capacity  in   destination size in bytes
//   bytes     out  bytes written (optional)
// Returns the bytes written, 0 on failure or a missing argument.
DWORD util_AnsiToWide(LPWSTR destination, DWORD capacity, DWORD *bytes, const char *text, int length);

// util_AnsiToWideBuf: converts n characters of ANSI text (n <= 0: the whole text with its
// terminator) into a destination of capacity characters, always terminated.
// Returns the characters written before the terminator, -1 on a missing argument.
LONG util_AnsiToWideBuf(LPWSTR destination, DWORD capacity, const char *text, int n);

// util_WideToAnsiFixed: ANSI copy (CP_ACP) of at most capacity - 1 bytes, terminated; a
// cut never leaves half of a double-byte character.
// Returns 1, 0 on a missing argument or a failed conversion.
BOOL util_WideToAnsiFixed(LPCWSTR text, char *destination, DWORD capacity);

// util_ClearOutPointer: sets *out to NULL. 1, 0 when an argument is missing.
BOOL util_ClearOutPointer(const void *object, void **out);

// util_IsAtLeast: 1 when a >= b (unsigned; packed version numbers), else 0.
BOOL util_IsAtLeast(DWORD a, DWORD b);

// util_SetLocalePaperKind: kind 1 (letter) or 2 (metric) replaces the process-wide locale
// paper kind. Returns 1; 0 (nothing changed) for another kind.
BOOL util_SetLocalePaperKind(WORD kind);

// util_GetUserNameLimited: the user name (util_GetUserName into 128 bytes), terminated.
//   name  out  USER_NAME_LIMITED_CHARS characters
// Returns 0; -1 (name empty) when the name cannot be read or does not fit 128 bytes.
LONG util_GetUserNameLimited(LPWSTR name);

// util_GetDriverDirectory: the printer driver's directory with its final backslash: the
// driver path (level 2) cut after the last backslash before ".DLL" (without case).
// Returns a new global-heap string the caller frees; NULL when the path or ".DLL" is
// missing or memory is short.
LPWSTR util_GetDriverDirectory(HANDLE printer);

// util_GetModelFilePath: the driver directory followed by the model's descriptive string
// of a kind (4: the outside colour component, 5: the outside compression component), read
// from the printer's description data file.
// Returns a new global-heap string the caller frees; NULL when the directory, the file or
// the string is missing, the path would pass MAX_PATH characters or memory is short.
LPWSTR util_GetModelFilePath(HANDLE printer, WORD kind);

#endif /* QM_RENDER_DRIVER_HEADER_STRING_UTIL_H */
