/*
 * The descriptor arrays of a sheet and its PanelTable: expanding pages into their
 * sub-dialog panels, collecting the PageInfo records, the per-sheet panel copies, and the
 * accessors of panels and control rows.
 */
#ifndef QM_UI_DRIVER_SHEET_SHEET_PANELS_H
#define QM_UI_DRIVER_SHEET_SHEET_PANELS_H

#include <windows.h>

#include "core/handlers/setting_handlers.h"
#include "ui/driver/sheet/sheet_records.h"
#include "ui/driver/sheet/snapshot.h"

#define UI_CACHE_SUBKEY 0 /* subkey of the OptionList cache's nodes (key FunctionID) */

/* One OptionList of a sheet, shared by the controls that show its FunctionID. */
typedef struct OptionListCacheEntry {
    WORD fid;
    OptionList *list;
    LONG references;
} OptionListCacheEntry;

/*
 * ui_ExpandPanels: a new global-heap array holding each descriptor of tabs followed by the
 * panel list of its page, in order; *total its length. NULL (and *total 0) for a NULL
 * array, no entries or a failed allocation.
 */
const TabDescriptor **ui_ExpandPanels(const TabDescriptor *const *tabs, WORD count, WORD *total);

/*
 * ui_GetPageInfos: a new global-heap array of the PageInfo of each descriptor that has
 * one, in order; *pageCount its length. NULL (and *pageCount 0) when none or on failure.
 */
const PageInfo **ui_GetPageInfos(const TabDescriptor *const *descriptors, WORD count, WORD *pageCount);

/*
 * ui_CreateSheetPanels: gives the sheet its panels pair: a PanelTable whose slot i holds
 * a private copy of the PanelInfo of the first descriptor with panel id i, and an empty
 * OptionList cache. Returns 1, or 0 with nothing left allocated.
 */
int ui_CreateSheetPanels(SheetContext *sheet, const TabDescriptor *const *descriptors, WORD count);

/* ui_FreeSheetPanels: frees the panel copies, the cached OptionLists and the pair, and
 * clears sheet->panels. Returns 1, 0 for NULL. */
int ui_FreeSheetPanels(SheetContext *sheet);

/* ---- panels of a window's sheet: NULL or -1 for a panel id outside 0..58, an absent
 * panel or a NULL or unattached window ---- */

PanelInfo *ui_GetPanelInfo(HWND window, LONG panelId);
/* The control rows of the panel; *count (when given) their number, untouched on failure. */
const ControlRecord *ui_GetPanelControls(HWND window, LONG panelId, DWORD *count);
const ControlRecord *ui_GetPanelControlArray(HWND window, LONG panelId);
LONG ui_GetPanelControlCount(HWND window, LONG panelId);
/* The panel's row for a dialog control id, or NULL. */
const ControlRecord *ui_FindPanelControl(HWND window, LONG panelId, DWORD controlId);

/* ---- control rows: -1 or NULL for a NULL row ---- */

LONG ui_GetControlId(const ControlRecord *control);
LONG ui_GetControlFidCount(const ControlRecord *control);
const void *ui_GetControlExtra(const ControlRecord *control);
LONG ui_GetControlType(const ControlRecord *control);
/* ui_FindControlFid: 1 and *index when the low word of an entry is fid, else 0 and
 * *index 0 (index may be NULL). */
int ui_FindControlFid(const ControlRecord *control, WORD fid, DWORD *index);
const ControlRecord *ui_GetControlAt(const ControlRecord *controls, DWORD index);
const ItemEntry *ui_GetItemEntryAt(const ItemEntry *entries, DWORD index);

#endif /* QM_UI_DRIVER_SHEET_SHEET_PANELS_H */
