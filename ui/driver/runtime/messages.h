/*
 * Texts of the user interface from the resource module: formatted strings, message boxes,
 * the pair of warning texts a sheet shows after it opens, and the lookup of a named entry
 * in a model's font-record table.
 */
#ifndef QM_UI_DRIVER_RUNTIME_MESSAGES_H
#define QM_UI_DRIVER_RUNTIME_MESSAGES_H

#include <windows.h>

#include <stdarg.h>

#define UI_NO_STRING (-3)           /* a string id meaning "use the text given" */
#define UI_CAPTION_CHARS 128        /* at most this many characters of a caption string */
#define UI_MESSAGE_CHARS 256        /* at most this many characters of a message string */
#define UI_FORMAT_DEFAULT_CHARS 256 /* capacity used for a capacity of 0 or less */

/* Status of ui_FindModelEntry. */
#define UI_ENTRY_FOUND 0
#define UI_ENTRY_BAD_ARGUMENT 2
#define UI_ENTRY_NO_TABLE 10
#define UI_ENTRY_NOT_FOUND 11

#define UI_ENTRY_NAME_CHARS 32 /* names compared within the entry's 32 characters */

/* The two warning texts of a sheet (global-heap texts, either may be NULL). */
typedef struct WarningMessagePair {
    WCHAR *texts[2];
} WarningMessagePair;

/* A model's table of named 92-byte entries (font records, the name at byte 28). */
typedef struct ModelEntryTable {
    DWORD count;
    const LOGFONTW *entries; /* NULL: the model has no table */
} ModelEntryTable;

static_assert(sizeof(LOGFONTW) == 92, "LOGFONTW");

/*
 * ui_LoadFormattedString: loads string stringId of the resource module and formats the
 * arguments into it (util_FormatTextV). text: out, a new global block of capacity
 * characters (capacity 0 or less: 256). Returns TRUE when the string exists and the whole
 * formatted text is shorter than capacity - 1; else FALSE with *text NULL.
 */
BOOL ui_LoadFormattedString(void *unused, WCHAR **text, int capacity, UINT stringId, ...);

/*
 * ui_LoadFormattedStringV: ui_LoadFormattedString from a given module with the arguments
 * as a list; capacity must be above 0. Returns TRUE with a new global text, else FALSE with
 * *text NULL.
 */
BOOL ui_LoadFormattedStringV(HMODULE module, WCHAR **text, int capacity, UINT stringId, va_list args);

/*
 * ui_ShowMessageBox: MessageBoxW over owner with the caption (string captionId of at most
 * 128 characters, or the caption text for UI_NO_STRING) and the text (string textId of at
 * most 256 characters, or the text for UI_NO_STRING). Returns MessageBoxW's answer, or -1
 * when the caption string cannot be loaded or there is no text.
 */
int ui_ShowMessageBox(HWND owner, int captionId, const WCHAR *caption, UINT flags, int textId, const WCHAR *text);

/*
 * ui_GetWarningMessage: text index (0..1) of the pair. status: out, 0 for a valid index, 1
 * for another index or a NULL pair. Returns the text or NULL.
 */
WCHAR *ui_GetWarningMessage(const WarningMessagePair *pair, DWORD index, DWORD *status);

/* ui_FreeWarningMessages: frees both texts and the pair and clears *pair. Returns 1. */
int ui_FreeWarningMessages(WarningMessagePair **pair);

/*
 * ui_FindModelEntry: the first entry of the table whose name (at most 32 characters,
 * terminated or not) equals name. status: out, UI_ENTRY_*. Returns the entry or NULL.
 */
const LOGFONTW *ui_FindModelEntry(const ModelEntryTable *table, const WCHAR *name, DWORD *status);

#endif /* QM_UI_DRIVER_RUNTIME_MESSAGES_H */
