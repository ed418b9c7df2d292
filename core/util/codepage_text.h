/*
 * Text in code pages: wide text to a code page and back, in new global-heap copies or into
 * the caller's buffers, and the stored-text transcoding of protected text settings.
 */
#ifndef QM_CORE_UTIL_CODEPAGE_TEXT_H
#define QM_CORE_UTIL_CODEPAGE_TEXT_H

#include <windows.h>

/* Modes of util_TranscodeStoredText. */
#define UTIL_TRANSCODE_ENCODE 1 /* plain wide text -> stored (scrambled, base64) wide text */
#define UTIL_TRANSCODE_DECODE 2 /* stored wide text -> plain wide text */

typedef struct TranscodeRequest {
    WORD mode;         /* UTIL_TRANSCODE_ENCODE or UTIL_TRANSCODE_DECODE */
    const WCHAR *text; /* in */
    WCHAR *result;     /* out: new string, NULL on failure */
} TranscodeRequest;

#ifdef __cplusplus
extern "C" {
#endif

/* util_ValidCodePage: cp when GetCPInfo accepts it, else the ANSI code page. */
UINT WINAPI util_ValidCodePage(UINT cp);

/* util_WideToCodePageAlloc: a new copy of text in code page cp. length: out (may be NULL),
 * bytes without the terminator. NULL for a NULL text or out of memory. */
char *WINAPI util_WideToCodePageAlloc(UINT cp, const WCHAR *text, DWORD *length);

/* util_CodePageToWideAlloc: a new wide copy of text in code page cp. count: out (may be
 * NULL), characters with the terminator. NULL for a NULL text or out of memory. */
WCHAR *WINAPI util_CodePageToWideAlloc(UINT cp, const char *text, DWORD *count);

/*
 * util_WideToMultiByteBuf: converts text character by character into buffer (size bytes),
 * so that no character is cut; always terminated when size > 0. With size 0 (or a NULL
 * buffer) returns the bytes needed with the terminator; else the bytes written with it.
 * 0 for a NULL text.
 */
DWORD WINAPI util_WideToMultiByteBuf(UINT cp, const WCHAR *text, char *buffer, DWORD size);

/*
 * util_MultiByteToWide: counts the characters of text (a lead byte and its trail byte are
 * one); when size (characters) > 0 converts into buffer, at most size - 1 characters, and
 * terminates. Returns the character count of the whole text without the terminator; 0 for
 * a NULL text.
 */
DWORD WINAPI util_MultiByteToWide(UINT cp, WCHAR *buffer, const char *text, DWORD size);

/* util_CodePageToWideNew: a new wide copy; count: out (may be NULL), characters without the
 * terminator. NULL when out of memory or for a NULL text. */
WCHAR *WINAPI util_CodePageToWideNew(UINT cp, const char *text, DWORD *count);

/* util_WideToCodePageNew: a new copy in code page cp; NULL when out of memory or for NULL. */
char *WINAPI util_WideToCodePageNew(UINT cp, const WCHAR *text);

/*
 * util_TranscodeStoredText: mode 1: wide -> ANSI -> scrambled -> base64 -> wide; mode 2 the
 * reverse. An empty text gives an empty text. request->result: out, a new string. Returns 1,
 * or 0 (result NULL) for a NULL request or text, another mode, a codec failure or out of
 * memory.
 */
BOOL WINAPI util_TranscodeStoredText(TranscodeRequest *request);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_UTIL_CODEPAGE_TEXT_H */
