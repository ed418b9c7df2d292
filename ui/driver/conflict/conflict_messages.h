/*
 * Texts and boxes of setting conflicts in the user interface: messages loaded from the
 * resource module with positional arguments, scaled number texts, setting names and the
 * range message shown when a typed value is out of bounds.
 */
#ifndef QM_UI_DRIVER_CONFLICT_CONFLICT_MESSAGES_H
#define QM_UI_DRIVER_CONFLICT_CONFLICT_MESSAGES_H

#include <windows.h>

#include "core/constraints/constraints.h"

#define CST_MESSAGE_DEFAULT_CHARS 1024 /* capacity of cst_LoadMessage for 0 or less */
#define CST_NUMBER_TEXT_CHARS 64       /* room of a cst_FormatScaledNumber text */

/* Message strings of the resource module. */
#define CST_CAPTION_STRING 265
#define CST_RANGE_STRING 700
#define CST_SUFFIX_327_328_STRING 305

/* Results shared with the conflict flow. */
#define CST_RESULT_OK 0
#define CST_RESULT_ERROR 1
#define CST_RESULT_DECLINED 3
#define CST_RESULT_CHANGED 4
#define CST_RESULT_CANCELLED 8
#define CST_RESULT_ACCEPTED 9
#define CST_RESULT_SHOWN_NOT_MADE 10
#define CST_RESULT_ASK 11
#define CST_RESULT_NOTHING 12
#define CST_RESULT_FIT_TOO_LARGE 13
#define CST_RESULT_FIT_FEWER_SHEETS 14

/*
 * cst_LoadMessage: string stringId of module formatted with the arguments (positional
 * placeholders). text: out, a new global block of capacity characters (0 or less: 1024).
 * Returns 1 with the text; 0 and no text when the string cannot be loaded, memory runs out
 * or the formatted text needs more than capacity - 2 characters.
 */
int cst_LoadMessage(HMODULE module, WCHAR **text, int capacity, UINT stringId, ...);

/*
 * cst_FormatScaledNumber: the number at value over divisor, into text (at least
 * CST_NUMBER_TEXT_CHARS characters). ValueTypes 2 and 10 signed 16 and 32 bits, 3 unsigned
 * 16, 4 signed 32, 5 unsigned 32, 8 unsigned byte; 6 copies the string. Divisor 1: the
 * number alone; else with whole the quotient alone, without it quotient, the decimal
 * separator (first character of string 9241 of the resource module) and the remainder padded with
 * leading zeros to the divisor's decimals. A negative value keeps its "-" whenever any
 * digit of it is shown. Returns 1, 0 for another ValueType or a missing argument.
 */
int cst_FormatScaledNumber(const void *value, WORD divisor, WORD valueType, DWORD whole, WCHAR *text);

/*
 * cst_FormatSettingName: the setting's name from the description files, cut at its first
 * line feed or carriage return, with string 305 appended for FunctionIDs 327 and 328.
 * text: out, a new global text. Returns 1, 0 when there is no name.
 */
int cst_FormatSettingName(HMODULE module, const ConstraintContext *context, WORD functionId, WCHAR **text);

/*
 * cst_ShowConflictMessage: the range message (string 700: the given text, or the name of
 * functionId, then the lower and upper bound as cst_FormatScaledNumber texts) in a warning
 * box over window with caption 265. The window must belong to a sheet. unitFlags is kept
 * for the callers' sake and not read. Returns 0 when shown, 1 when not.
 */
int cst_ShowConflictMessage(HWND window, const ConstraintContext *context, WORD divisor, DWORD whole, WORD functionId,
                            const WCHAR *givenText, WORD valueType, LONG lower, LONG upper, const DWORD unitFlags[2]);

#endif /* QM_UI_DRIVER_CONFLICT_CONFLICT_MESSAGES_H */
