/*
 * User text in the ANSI code page: conversions, byte lengths, validation against byte-range
 * tables held in string resources, and cutting, removal and extraction that never split a
 * double-byte character; plus the small wide-text edits of the pages.
 */
#ifndef QM_UI_DRIVER_RUNTIME_TEXT_H
#define QM_UI_DRIVER_RUNTIME_TEXT_H

#include <windows.h>

#define UI_TEXT_EXTRA_LIMIT 0x41     /* both bits: the ANSI byte length is held to the limit */
#define UI_TEXT_NO_ONLY_BLANKS 0x100 /* a text of blanks only is invalid */
#define UI_TEXT_EMPTY_VALID 0x200    /* an empty text is valid */
#define UI_DOUBLE_BYTE_SPACE_STRING 9236
#define UI_TRAILING_SEPARATOR_STRING 2009

/* Modes of ui_StripParenthesis. */
#define UI_STRIP_AT_PARENTHESIS 0
#define UI_STRIP_AND_SEPARATOR 1
#define UI_STRIP_BRACKETED_PART 2

/*
 * ui_WideToMultiByte / ui_MultiByteToWide: text in the ANSI code page (best fit allowed)
 * and back. out: a new global block; length: out (may be NULL), bytes or characters
 * without the terminator. Return 1/0.
 */
int ui_WideToMultiByte(const WCHAR *text, char **out, DWORD *length);
int ui_MultiByteToWide(const char *text, WCHAR **out, DWORD *length);

/* ui_WideToMultiByteExact: as ui_WideToMultiByte without best fit; 0 (nothing out) when a
 * character has no form in the code page. */
int ui_WideToMultiByteExact(const WCHAR *text, char **out, DWORD *length);

/* ui_GetMultiByteLength: the bytes of text in the ANSI code page (a double-byte character
 * counts 2) without the terminator; 0 on failure. */
DWORD ui_GetMultiByteLength(const WCHAR *text);

/*
 * ui_ValidateText: 1 when text is valid in the ANSI code page against the tables, each a
 * 0-terminated list of string ids of the resource module (NULL or empty: no table):
 * allowed single-byte ranges, allowed double-byte ranges, forbidden single bytes and
 * forbidden double-byte characters. 0 for an unmappable character, an empty text without
 * UI_TEXT_EMPTY_VALID, more than limit bytes under UI_TEXT_EXTRA_LIMIT, a character outside
 * its ranges or forbidden, only blanks under UI_TEXT_NO_ONLY_BLANKS, and for a table that
 * does not read (a missing string, a number that is not 1-2 hexadecimal digits, no
 * terminator).
 */
int ui_ValidateText(const WCHAR *text, const UINT *singleRanges, const UINT *doubleRanges, const UINT *forbiddenSingles,
                    const UINT *forbiddenDoubles, DWORD flags, DWORD limit);

/*
 * ui_TruncateToBytes: cuts text so that its ANSI form has at most maxBytes bytes, never
 * inside a double-byte character. truncated: out (may be NULL), 1 when cut. Returns 1, or
 * 0 for a NULL text.
 */
int ui_TruncateToBytes(DWORD maxBytes, WCHAR *text, BOOL *truncated);

/* ui_RemoveCharacters: removes from ANSI text every character (single- or double-byte) of
 * characters. Returns 1, or 0 for NULL. */
int ui_RemoveCharacters(char *text, const char *characters);

/*
 * ui_ExtractDelimitedText: what lies between the first opening and the last closing
 * character of ANSI text, reading double-byte characters whole. out: a new global block;
 * length: out, bytes. Returns 1, or 0 when either is missing or they are out of order.
 */
int ui_ExtractDelimitedText(char **out, DWORD *length, const char *text, char opening, char closing);

/*
 * ui_StripParenthesis: mode 0 cuts text at its last "("; mode 1 also drops a separator
 * (string 2009) left at its end; mode 2 removes the last "(" with what follows up to and
 * including the next ")". Returns 1, or 0 for NULL, another mode or no "(".
 */
int ui_StripParenthesis(WCHAR *text, DWORD mode);

/* ui_CutAtParenthesis: cuts text at its last "(". Returns 1, or 0 for NULL or no "(". */
int ui_CutAtParenthesis(WCHAR *text);

/* ui_AppendBounded: appends addition to text, cut so that text keeps within capacity
 * characters with its terminator. Returns 1 when all of addition fitted, else 0. */
int ui_AppendBounded(WCHAR *text, const WCHAR *addition, DWORD capacity);

/* ui_GetFileNamePart: the part behind the last backslash, or the path; NULL for NULL. */
const WCHAR *ui_GetFileNamePart(const WCHAR *path);

#endif /* QM_UI_DRIVER_RUNTIME_TEXT_H */
