/*
 * Run-time state per control and per setting, kept in the state lists of a window's set,
 * and the answers read from it: the selected FunctionID of a control, the display state of
 * a setting and the value range of a control.
 */
#ifndef QM_UI_DRIVER_SHEET_CONTROL_STATE_H
#define QM_UI_DRIVER_SHEET_CONTROL_STATE_H

#include <windows.h>

#include "core/constraints/constraints.h"
#include "ui/driver/sheet/option_cache.h"

#define UI_NO_SELECTION (-6)     /* selected FID index of a state nothing was selected in */
#define UI_SETTING_SUBKEY 0xFFFF /* subkey of SettingUiState nodes (key FunctionID) */

/* A setting's value as a control holds it: 4 bytes, or a pointer for strings and fonts. */
typedef struct ControlValue {
    WORD fid;
    WORD valueType;
    DWORD size;
    union {
        DWORD number;
        void *pointer;
    } value;
} ControlValue;

typedef struct ControlValueEntry {
    LONG optionIndex; /* -1 when the value is not among the options */
    ControlValue value;
} ControlValueEntry;

/* One per control and window (node key control id, subkey the window). */
typedef struct ControlState {
    WORD controlId;
    LONG selected;              /* UI_NO_SELECTION = none */
    ControlValueEntry *entries; /* one per FunctionID of the control */
} ControlState;

/* One per FunctionID (node key FunctionID, subkey UI_SETTING_SUBKEY): the constraint
 * states of the setting and of each option, whose kind word is the display state. */
typedef struct SettingUiState {
    WORD fid;
    DWORD optionCount;
    ConflictState *setting;
    ConflictState *options;
} SettingUiState;

static_assert(sizeof(ControlValue) == QM_LAYOUT(12, 16), "ControlValue");

/* The subkey under which a window's control states are kept. */
LONG ui_WindowSubkey(HWND window);

/* ui_CreateControlState: the window's state of a control row: one entry per FunctionID
 * (FunctionID copied, option index -1), nothing selected. 1 created, 2 when it exists, 0
 * on failure (nothing left allocated). */
int ui_CreateControlState(HWND window, const ControlRecord *control);
/* ui_CreateSettingUiState: the state of a setting with its record and one per option.
 * 1 created, 2 when it exists, 0 on failure (nothing left allocated). */
int ui_CreateSettingUiState(HWND window, WORD fid, DWORD optionCount);
/* ui_FreeStates: frees every control and setting state of the set (their records and
 * entry arrays; values pointed to by entries stay with their owners) and empties the
 * lists. Returns 1, 0 for NULL. */
int ui_FreeStates(SettingsSnapshotSet *set);

/* The state of a control of the window, or NULL. */
ControlState *ui_FindControlState(HWND window, WORD controlId);
/* The state of a setting of the window's set, or NULL. */
SettingUiState *ui_FindSettingUiState(HWND window, WORD fid);

/* ui_GetSelectedFidIndex: 0 for a control with one FunctionID, else the kept selection;
 * -1 for a NULL row, a missing state or no selection. */
LONG ui_GetSelectedFidIndex(HWND window, const ControlRecord *control);
/* ui_SetSelectedFidIndex: index must be 0..count-1. Returns 1/0. */
int ui_SetSelectedFidIndex(HWND window, const ControlRecord *control, LONG index);
/* The selected FunctionID in the low word, or -1. */
LONG ui_GetSelectedFid(HWND window, const ControlRecord *control);

/*
 * ui_GetSettingDisplayState: the model's special-setting flags decide first (display 0
 * gives 6 hidden, display 1 gives 1 greyed, display 2 gives 0 enabled); otherwise the kind
 * word of the setting's constraint state, and *first (when given) that record's first
 * four bytes. -1 without state.
 */
LONG ui_GetSettingDisplayState(HWND window, WORD fid, DWORD *first);

/*
 * ui_GetControlRange: *low and *high of a control: fixed ranges of some spin rows, else
 * from the cached list of the selected FunctionID (list kind 2: 1..count; kinds 4 and 6:
 * the values of options 0 and 1), the maximum of copies corrected by the model minimum.
 * Returns 1, or 0 with the outs untouched.
 */
int ui_GetControlRange(HWND window, const ControlRecord *control, LONG *low, LONG *high);

#endif /* QM_UI_DRIVER_SHEET_CONTROL_STATE_H */
