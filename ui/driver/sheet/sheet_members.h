/*
 * Getters and setters of the SheetContext members the pages use, the driver's help file
 * and the printer's port name. Getters answer 0, -1 or NULL and setters 0 for a NULL
 * sheet.
 */
#ifndef QM_UI_DRIVER_SHEET_SHEET_MEMBERS_H
#define QM_UI_DRIVER_SHEET_SHEET_MEMBERS_H

#include <windows.h>

#include "ui/driver/sheet/snapshot.h"

#define UI_TOOLTIP_TEXT_CHARS 128 /* the tooltip text's ANSI length stays below this */
#define UI_TOOLTIP_KIND1 1        /* the first tooltip kind; every other kind shares one */

LONG ui_GetUnitChoice(const SheetContext *sheet);
/* The unit choice back to the locale's measurement system. */
int ui_ResetUnitChoice(SheetContext *sheet);
LONG ui_GetSavedChoice(const SheetContext *sheet);
int ui_SetSavedChoice(SheetContext *sheet, WORD value);
LONG ui_GetPendingTitleFid(const SheetContext *sheet);
int ui_SetPendingTitleFid(SheetContext *sheet, WORD fid);
DWORD ui_GetValidatePending(const SheetContext *sheet);
HWND ui_GetTooltipWindow(const SheetContext *sheet, DWORD kind);
int ui_SetTooltipWindow(SheetContext *sheet, DWORD kind, HWND window);
/* ui_StoreTooltipText: copies text when its ANSI length is below UI_TOOLTIP_TEXT_CHARS.
 * Returns 1, or 0 with the stored text unchanged. */
int ui_StoreTooltipText(SheetContext *sheet, const WCHAR *text);
const WCHAR *ui_GetTooltipText(const SheetContext *sheet);
void *ui_GetInfoTooltip(const SheetContext *sheet);
int ui_SetInfoTooltip(SheetContext *sheet, void *record);
DWORD ui_GetWarningsBuilt(const SheetContext *sheet);
int ui_SetWarningsBuilt(SheetContext *sheet, DWORD value);
DWORD ui_GetSheetDone(const SheetContext *sheet);
int ui_SetSheetDone(SheetContext *sheet, DWORD value);
LONG ui_GetActivePage(const SheetContext *sheet);
int ui_SetActivePage(SheetContext *sheet, LONG panelId);
struct FavoritesState *ui_GetFavorites(const SheetContext *sheet);
/* Refuses a NULL sheet or favorites record. */
int ui_SetFavorites(SheetContext *sheet, struct FavoritesState *favorites);
DWORD ui_GetExtraFlag(const SheetContext *sheet);
int ui_SetExtraFlag(SheetContext *sheet, DWORD value);

/* ui_GetDriverHelpFile: a new global-heap copy of the help file of the printer's driver,
 * or NULL when it has none or it cannot be read. */
WCHAR *ui_GetDriverHelpFile(HANDLE printer);

/* ui_CopyPortName: once per sheet, a copy of the printer's port name (from level 5, else
 * level 2). Returns 1 when the sheet holds one, else 0. */
int ui_CopyPortName(SheetContext *sheet);
/* ui_FreePortName: frees the copy. Returns 1, 0 for NULL. */
int ui_FreePortName(SheetContext *sheet);

#endif /* QM_UI_DRIVER_SHEET_SHEET_MEMBERS_H */
