/*
 * The stores of paper margins: the printer's margin list (printer data "PaperMarginArray",
 * shared by all users), the user's own margins (sub key "Paper Margin" of the printer's
 * per-user key, seeded from the machine-wide key on first use) and the effective margins
 * of a paper: the user's, else the list's, else the built-in ones.
 *
 * machinePath: the machine-wide key path of the model (the per-user base path of the
 * description data), below HKEY_LOCAL_MACHINE. Results: the UREG_MARGIN_* codes of
 * paper_margins.h; callers compare with 1.
 */
#ifndef QM_CORE_USER_REGISTRY_MARGIN_STORE_H
#define QM_CORE_USER_REGISTRY_MARGIN_STORE_H

#include <windows.h>

#include "core/context/driver_context.h"
#include "core/user_registry/paper_margins.h"

enum {
    UREG_USER_MARGIN_SIZE = 20,   /* per-user value: u32 paper number, PaperMargins */
    UREG_MARGIN_NAME_CHARS = 257, /* an enumerated value name and its terminator */
    UREG_MARGIN_MAX_PAPER = 65535 /* the largest paper number of a list entry */
};

/* The per-user margin sub key and the machine-wide key below the model's path. */
#define UREG_USER_MARGIN_KEY TEXT("Paper Margin")

#ifdef __cplusplus
extern "C" {
#endif

/* ---- the printer's margin list (margin_list.cpp) ---- */

/*
 * ureg_LoadMarginList: the printer's list in a new block (free with ureg_FreeMarginList).
 * Nothing stored gives an empty list; an unreadable value (a failed read, or a size that
 * is not a multiple of 20) gives NULL, as running out of memory does, so that no caller
 * saves over it.
 */
PaperMarginList *ureg_LoadMarginList(HANDLE printer);

/* ureg_SaveMarginList: stores the list's entries. 1; -5 for an empty or NULL list
 * (nothing written); -3 when the write fails. */
LONG ureg_SaveMarginList(HANDLE printer, const PaperMarginList *list);

/* ureg_FreeMarginList: 1; -100 for NULL. */
LONG ureg_FreeMarginList(PaperMarginList *list);

/* ureg_FindMargins: the paper's margins in stored orientation (margins: out). 1; -100 not
 * found or NULL. reserved: unused. */
LONG ureg_FindMargins(void *reserved, const PaperMarginList *list, DWORD paper, PaperMargins *margins);

/* ureg_SetMarginsInList: replaces the paper's entry or appends one (stored orientation).
 * 1; -100 for out of memory, NULL or a paper number above 65535. */
LONG ureg_SetMarginsInList(void *reserved, PaperMarginList *list, DWORD paper, const PaperMargins *margins);

/* ureg_PutMarginsInList: ureg_SetMarginsInList of shown margins turned into stored
 * orientation; -5 for another kind. */
LONG ureg_PutMarginsInList(HANDLE printer, DWORD paper, const PaperMargins *shown, PaperMarginList *list, DWORD kind);

/* ureg_GetListMargins: ureg_FindMargins turned into shown orientation (shown: out). */
LONG ureg_GetListMargins(HANDLE printer, DWORD paper, PaperMargins *shown, const PaperMarginList *list, DWORD kind);

/* ---- the user's margins (user_margins.cpp) ---- */

/*
 * ureg_OpenUserMarginKey: opens the user's "Paper Margin" key; when it is missing it is
 * created and the machine-wide key machinePath + "Paper Margin" (when present) is copied
 * into it. key: out, close with RegCloseKey. path: out or NULL, UREG_MAX_PATH_CHARS
 * + 1 characters: the key's path below HKEY_CURRENT_USER. 1; -100 when the path cannot be
 * built or the key opened.
 */
LONG ureg_OpenUserMarginKey(HANDLE printer, DriverContext *context, const WCHAR *machinePath, HKEY *key, WCHAR *path);

/* ureg_ReadUserMargins: the user's margins of the paper in stored orientation (margins:
 * out). 1; -2 no value (also a value of another size or type); -100 the key cannot be
 * opened or read. */
LONG ureg_ReadUserMargins(HANDLE printer, DriverContext *context, const WCHAR *machinePath, DWORD paper,
                          PaperMargins *margins);

/* ureg_WriteUserMargins: writes shown margins, turned into stored orientation, as the
 * paper's 20-byte value. 1; -5 another kind; -100 no key; -3 the write failed. */
LONG ureg_WriteUserMargins(HANDLE printer, DriverContext *context, DWORD paper, const PaperMargins *shown,
                           const WCHAR *machinePath, DWORD kind);

/* ureg_GetUserMargins: ureg_ReadUserMargins turned into shown orientation. */
LONG ureg_GetUserMargins(HANDLE printer, DriverContext *context, DWORD paper, PaperMargins *shown,
                         const WCHAR *machinePath, DWORD kind);

/*
 * ureg_ClearMargins: with perUser, deletes the user's "Paper Margin" key and creates it
 * again, empty (the machine-wide key is not copied again); else deletes the printer's
 * list. 1; -100 when it cannot be done.
 */
LONG ureg_ClearMargins(HANDLE printer, DriverContext *context, BOOL perUser, const WCHAR *machinePath);

/*
 * ureg_GetMargins: the effective shown margins of the paper: with perUser the user's value
 * when there is one (another error than -2 is returned), else the list's entry (a miss
 * falls through, other errors are returned), else the built-in margins (-5 for another
 * kind).
 */
LONG ureg_GetMargins(HANDLE printer, DriverContext *context, DWORD paper, PaperMargins *shown, const WCHAR *machinePath,
                     BOOL perUser, const PaperMarginList *list, DWORD kind);

/*
 * ureg_EnumPaperMargin: the index-th (0-based) margin value of an open key, counting only
 * REG_BINARY values of 16 bytes whose name has at most 256 characters (others, such as
 * "Num", are skipped): its name (name: out, UREG_MARGIN_NAME_CHARS characters) and its
 * margins turned into shown orientation. 1, or 0 past the last one or on failure.
 */
BOOL ureg_EnumPaperMargin(void *reserved, HKEY key, DWORD index, DWORD kind, WCHAR *name, PaperMargins *shown);

/* ureg_ReadPaperMargin: the named 16-byte value of an open key turned into shown
 * orientation. 1, or 0 (missing, another size or type, another kind). */
BOOL ureg_ReadPaperMargin(void *reserved, HKEY key, const WCHAR *name, DWORD kind, PaperMargins *shown);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_USER_REGISTRY_MARGIN_STORE_H */
