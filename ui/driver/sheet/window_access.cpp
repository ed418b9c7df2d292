/*
 * Window accessors of the sheet (snapshot.h): every page and sub-dialog window keeps its
 * SettingsSnapshotSet at DWLP_USER, and the set leads to the SheetContext.
 */
#include "ui/driver/sheet/snapshot.h"

int ui_AttachSnapshotSet(HWND window, SettingsSnapshotSet *set)
{
    if (!window)
        return 0;
    SetWindowLongPtrW(window, DWLP_USER, (LONG_PTR)set);
    return 1;
}

SettingsSnapshotSet *ui_GetSnapshotSet(HWND window)
{
    if (!window)
        return NULL;
    return (SettingsSnapshotSet *)GetWindowLongPtrW(window, DWLP_USER);
}

SheetContext *ui_GetSheetContext(HWND window)
{
    SettingsSnapshotSet *set = ui_GetSnapshotSet(window);
    return set ? set->sheet : NULL;
}

/* The given outs of snapshot's DEVMODE and block; 1 only when both are given. Without a
 * snapshot nothing is written. */
static int access_SnapshotSettings(const SettingsSnapshot *snapshot, DriverDevmode **devmode, PrinterDataBlock **block)
{
    if (!snapshot)
        return 0;
    if (devmode)
        *devmode = snapshot->devmode;
    if (block)
        *block = snapshot->block;
    return devmode && block ? 1 : 0;
}

int ui_GetWorkingSettings(HWND window, DriverDevmode **devmode, PrinterDataBlock **block)
{
    SettingsSnapshotSet *set = ui_GetSnapshotSet(window);
    return access_SnapshotSettings(set ? &set->working : NULL, devmode, block);
}

int ui_GetSavedSettings(HWND window, DriverDevmode **devmode, PrinterDataBlock **block)
{
    SettingsSnapshotSet *set = ui_GetSnapshotSet(window);
    return access_SnapshotSettings(set ? &set->opening : NULL, devmode, block);
}

PanelTable *ui_GetPanelTable(HWND window)
{
    SheetContext *sheet = ui_GetSheetContext(window);
    return sheet && sheet->panels ? sheet->panels->table : NULL;
}

NodeList *ui_GetOptionListCache(HWND window)
{
    SheetContext *sheet = ui_GetSheetContext(window);
    return sheet && sheet->panels ? sheet->panels->optionLists : NULL;
}

DriverContext *ui_GetModelContext(HWND window)
{
    SheetContext *sheet = ui_GetSheetContext(window);
    return sheet ? sheet->model : NULL;
}

struct FavoritesState *ui_GetWindowFavorites(HWND window)
{
    SheetContext *sheet = ui_GetSheetContext(window);
    return sheet ? sheet->favorites : NULL;
}

const WCHAR *ui_GetWindowHelpFile(HWND window)
{
    SheetContext *sheet = ui_GetSheetContext(window);
    return sheet ? sheet->helpFile : NULL;
}
