/*
 * The per-sheet OptionList cache: one list per FunctionID, shared by every control of the
 * sheet that shows the setting and freed when its last user releases it.
 */
#ifndef QM_UI_DRIVER_SHEET_OPTION_CACHE_H
#define QM_UI_DRIVER_SHEET_OPTION_CACHE_H

#include <windows.h>

#include "ui/driver/sheet/sheet_panels.h"

#define UI_LIST_OK 0
#define UI_LIST_FAILED (-1)      /* no sheet, cache or working copy, or out of memory */
#define UI_LIST_UNBUILDABLE (-2) /* the setting gives no list */

/*
 * ui_AcquireOptionList: the sheet's list of fid with one more reference; a missing list is
 * built from the working copy (printer, model and the unit flags of the model) and cached
 * with one reference. Returns UI_LIST_OK with *list set, or UI_LIST_UNBUILDABLE or
 * UI_LIST_FAILED with *list untouched.
 */
int ui_AcquireOptionList(HWND window, HINSTANCE resources, DriverContext *model, WORD fid, OptionList **list);

/* ui_ReleaseOptionList: drops one reference; the last frees the list and its entry.
 * Returns 1, or 0 when the sheet holds no list of fid. */
int ui_ReleaseOptionList(HWND window, WORD fid);

/* The cached entry or list of fid, or NULL; no reference is taken. */
OptionListCacheEntry *ui_FindCachedOptionEntry(HWND window, WORD fid);
OptionList *ui_GetCachedOptionList(HWND window, WORD fid);

#endif /* QM_UI_DRIVER_SHEET_OPTION_CACHE_H */
