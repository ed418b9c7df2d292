/*
 * The copies of the settings a property sheet edits, the per-sheet record reached through
 * them, and the operations on the copies. A sheet edits the working copy; the opening copy
 * and the copy of the last Apply are what Cancel restores from.
 */
#ifndef QM_UI_DRIVER_SHEET_SNAPSHOT_H
#define QM_UI_DRIVER_SHEET_SNAPSHOT_H

#include <windows.h>

#include <compstui.h>

#include "core/context/driver_context.h"
#include "core/nodelist/nodelist.h"
#include "core/settings/settings_types.h"
#include "platform/include/qm_layout.h"
#include "ui/driver/runtime/messages.h"
#include "ui/driver/sheet/sheet_records.h"

#define UI_PRINTER_BLOCK_SIZE 5452 /* bytes of a snapshot's PrinterDataBlock */
#define UI_INFO_BLOCK_LIMIT 65536  /* an information block must stay below this size */
#define UI_AUX_LISTS 3             /* auxiliary lists of a set, kinds 0, 1, 2 */

struct FavoritesState;

/* One copy of all settings: the full DEVMODE, the printer-data block and the two stored
 * information blocks ("VQBINFO" and "SPINFO"). */
typedef struct SettingsSnapshot {
    DriverDevmode *devmode;
    PrinterDataBlock *block;
    DWORD markingSize;
    BYTE *markingInfo;
    BYTE *secondInfo;
    DWORD secondSize;
} SettingsSnapshot;

/* The run-time state lists of a set: ControlState and SettingUiState nodes. */
typedef struct ControlStateLists {
    NodeList *controls;
    NodeList *settings;
} ControlStateLists;

/* The per-sheet panel copies and OptionList cache. */
typedef struct SheetPanels {
    PanelTable *table;
    NodeList *optionLists;
} SheetPanels;

/* The per-sheet record, built by the sheet worker; zeroed global memory. */
typedef struct SheetContext {
    WCHAR *printerName;
    HANDLE printer;
    DriverContext *model;
    DWORD resultFlag; /* 1 after an Apply has been reported */
    PFNCOMPROPSHEET comPropSheet;
    HANDLE comPropSheetHandle;
    HANDLE *pageHandles;
    DWORD editable; /* 0 = read-only sheet */
    WarningMessagePair *warnings;
    DWORD busy;
    WCHAR *portName;
    WORD uiMode; /* 0x11, 0x21 document sheet, 0x12 device sheet */
    DWORD capabilities[2];
    WORD unitChoice;
    WORD measureSystem;
    WCHAR *stampName;
    HFONT sampleFonts[2];
    DWORD validatePending;
    WCHAR helpFile[MAX_PATH];
    DWORD done;
    DWORD warningsBuilt;
    SheetPanels *panels;
    struct FavoritesState *favorites;
    LONG activePage;
    NodeList *bitmaps;
    void *pictures;
    WORD savedChoice;
    WORD pendingTitleFid;
    WCHAR **titleCopies; /* NULL-terminated */
    HWND tooltipKind1;
    HWND tooltipOther;
    WCHAR tooltipText[128];
    void *infoTooltip;
    WCHAR *infoTooltipText;
    DWORD extraFlag;
} SheetContext;

/* The copies of one sheet or sub-dialog, attached to each of its windows (DWLP_USER). */
typedef struct SettingsSnapshotSet {
    SheetContext *sheet;
    SettingsSnapshot working;
    SettingsSnapshot opening;
    SettingsSnapshot lastApply; /* empty until the first Apply */
    HWND owner;
    NodeList *aux[UI_AUX_LISTS];
    ControlStateLists *states;
} SettingsSnapshotSet;

static_assert(sizeof(SettingsSnapshot) == QM_LAYOUT(24, 48), "SettingsSnapshot");

/* ui_InitSnapshot: zeroes the snapshot and gives it a full DEVMODE and a zeroed block.
 * Returns 1, or 0 with nothing allocated. */
int ui_InitSnapshot(SettingsSnapshot *snapshot);

/*
 * ui_CopySnapshot: copies DEVMODE and block into the destination's (both must exist) and
 * replaces the destination's information blocks by copies of the source's. Returns 1; 0
 * for a missing buffer, a block of UI_INFO_BLOCK_LIMIT bytes or more, or a failed
 * allocation, with the destination's information blocks left empty.
 */
int ui_CopySnapshot(SettingsSnapshot *destination, const SettingsSnapshot *source);

/* ui_FreeSnapshot: frees the four buffers and clears pointers and sizes. Returns 1, 0 for
 * NULL. */
int ui_FreeSnapshot(SettingsSnapshot *snapshot);

/* ui_IsSnapshotValid: 1 when DEVMODE and block are both present. */
int ui_IsSnapshotValid(const SettingsSnapshot *snapshot);

/*
 * ui_CreateSnapshotSet: a new set whose working and opening copies come from source and
 * whose last-Apply copy comes from second when that is valid; its auxiliary and state
 * lists created. NULL, with nothing left allocated, on any failure.
 */
SettingsSnapshotSet *ui_CreateSnapshotSet(HWND owner, SheetContext *sheet, const SettingsSnapshot *source,
                                          const SettingsSnapshot *second);

/* ui_FreeSnapshotSet: frees the set and all it holds (states left in its lists included)
 * and clears *set. Returns 1 (also
 * when *set is NULL), 0 for NULL. */
int ui_FreeSnapshotSet(SettingsSnapshotSet **set);

/* ui_FreeSnapshots: frees the buffers of the set's three copies. Returns 1, 0 for NULL. */
int ui_FreeSnapshots(SettingsSnapshotSet *set);

/* ui_RestoreSnapshot: working := last-Apply copy when it holds a DEVMODE and
 * forceOpening is 0, else the opening copy. Returns 1, or 0 on failure. */
int ui_RestoreSnapshot(SettingsSnapshotSet *set, int forceOpening);

/* ui_SaveApplySnapshot: creates the last-Apply copy when needed and copies the working
 * copy into it. Returns 1, or 0 on failure. */
int ui_SaveApplySnapshot(SettingsSnapshotSet *set);

/* ---- window accessors: window -> DWLP_USER -> set; NULL or 0 for a NULL or unattached
 * window, never writing through a NULL out-parameter ---- */

/* ui_AttachSnapshotSet: keeps set at the window. Returns 1, 0 for a NULL window. */
int ui_AttachSnapshotSet(HWND window, SettingsSnapshotSet *set);
SettingsSnapshotSet *ui_GetSnapshotSet(HWND window);
SheetContext *ui_GetSheetContext(HWND window);
/* The DEVMODE and block of the working copy; 1 only when both outs are given. */
int ui_GetWorkingSettings(HWND window, DriverDevmode **devmode, PrinterDataBlock **block);
/* The DEVMODE and block of the opening copy; 1 only when both outs are given. */
int ui_GetSavedSettings(HWND window, DriverDevmode **devmode, PrinterDataBlock **block);
PanelTable *ui_GetPanelTable(HWND window);
NodeList *ui_GetOptionListCache(HWND window);
DriverContext *ui_GetModelContext(HWND window);
struct FavoritesState *ui_GetWindowFavorites(HWND window);
/* The sheet's driver help-file path, or NULL. */
const WCHAR *ui_GetWindowHelpFile(HWND window);

#endif /* QM_UI_DRIVER_SHEET_SNAPSHOT_H */
