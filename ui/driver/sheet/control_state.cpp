/*
 * Control and setting states and the answers read from them (control_state.h).
 */
#include "ui/driver/sheet/control_state.h"

#include <string.h>

#include "core/config/special_settings.h"
#include "core/ddd/model_query.h"

#define STATE_COPIES_FID 12 /* copies: its maximum follows the model minimum */
#define STATE_SPIN_TYPE 1   /* control type of the rows with fixed ranges */

/* Fixed value ranges of spin rows, by FunctionID. */
typedef struct FixedRange {
    WORD fid;
    LONG low;
    LONG high;
} FixedRange;

static const FixedRange kFixedRanges[] = {
    {306, 7, 600},
    {359, 5, 24},
    {385, 50, 240},
};

/* Display states given by the special-setting display flags, in the order tested. */
typedef struct DisplayRule {
    DWORD flag;
    LONG state;
} DisplayRule;

static const DisplayRule kDisplayRules[] = {
    {SPECIAL_DISPLAY_0, 6}, // hidden
    {SPECIAL_DISPLAY_1, 1}, // greyed
    {SPECIAL_DISPLAY_2, 0}, // enabled
};

static ControlStateLists *state_Lists(HWND window);
static LONG state_ReadOption(const OptionList *list, LONG index, WORD kind);

/* The state lists of the window's set, or NULL. */
static ControlStateLists *state_Lists(HWND window)
{
    SettingsSnapshotSet *set = ui_GetSnapshotSet(window);
    return set ? set->states : NULL;
}

LONG ui_WindowSubkey(HWND window)
{
    return (LONG)(LONG_PTR)window;
}

ControlState *ui_FindControlState(HWND window, WORD controlId)
{
    ControlStateLists *lists = state_Lists(window);
    if (!lists || !lists->controls)
        return NULL;
    return (ControlState *)ui_FindNodeData(lists->controls, controlId, ui_WindowSubkey(window));
}

SettingUiState *ui_FindSettingUiState(HWND window, WORD fid)
{
    ControlStateLists *lists = state_Lists(window);
    if (!lists || !lists->settings)
        return NULL;
    return (SettingUiState *)ui_FindNodeData(lists->settings, fid, UI_SETTING_SUBKEY);
}

int ui_CreateControlState(HWND window, const ControlRecord *control)
{
    ControlStateLists *lists = state_Lists(window);
    if (!lists || !lists->controls || !control)
        return 0;
    if (ui_FindControlState(window, (WORD)control->controlId))
        return 2;
    ControlState *state = (ControlState *)GlobalAlloc(GPTR, sizeof(ControlState));
    if (!state)
        return 0;
    state->controlId = (WORD)control->controlId;
    state->selected = UI_NO_SELECTION;
    if (control->fidCount > 0) {
        state->entries = (ControlValueEntry *)GlobalAlloc(GPTR, control->fidCount * sizeof(ControlValueEntry));
        if (!state->entries) {
            GlobalFree(state);
            return 0;
        }
        for (DWORD i = 0; i < control->fidCount; ++i) {
            state->entries[i].optionIndex = -1;
            state->entries[i].value.fid = control->fids ? LOWORD(control->fids[i]) : 0;
        }
    }
    if (!ui_AddNode(lists->controls, state->controlId, ui_WindowSubkey(window), state)) {
        if (state->entries)
            GlobalFree(state->entries);
        GlobalFree(state);
        return 0;
    }
    return 1;
}

int ui_CreateSettingUiState(HWND window, WORD fid, DWORD optionCount)
{
    ControlStateLists *lists = state_Lists(window);
    if (!lists || !lists->settings)
        return 0;
    if (ui_FindSettingUiState(window, fid))
        return 2;
    SettingUiState *state = (SettingUiState *)GlobalAlloc(GPTR, sizeof(SettingUiState));
    if (!state)
        return 0;
    state->fid = fid;
    state->optionCount = optionCount;
    state->setting = (ConflictState *)GlobalAlloc(GPTR, sizeof(ConflictState));
    state->options = optionCount ? (ConflictState *)GlobalAlloc(GPTR, optionCount * sizeof(ConflictState)) : NULL;
    if (!state->setting || (optionCount && !state->options) ||
        !ui_AddNode(lists->settings, fid, UI_SETTING_SUBKEY, state)) {
        if (state->setting)
            GlobalFree(state->setting);
        if (state->options)
            GlobalFree(state->options);
        GlobalFree(state);
        return 0;
    }
    return 1;
}

int ui_FreeStates(SettingsSnapshotSet *set)
{
    if (!set)
        return 0;
    if (!set->states)
        return 1;
    NodeList *controls = set->states->controls;
    while (controls && ui_GetNodeCount(controls) > 0) {
        ControlState *state = (ControlState *)ui_GetNodeDataAt(controls, 0);
        ui_RemoveNodeAt(controls, 0);
        if (state) {
            if (state->entries)
                GlobalFree(state->entries);
            GlobalFree(state);
        }
    }
    NodeList *settings = set->states->settings;
    while (settings && ui_GetNodeCount(settings) > 0) {
        SettingUiState *state = (SettingUiState *)ui_GetNodeDataAt(settings, 0);
        ui_RemoveNodeAt(settings, 0);
        if (state) {
            if (state->setting)
                GlobalFree(state->setting);
            if (state->options)
                GlobalFree(state->options);
            GlobalFree(state);
        }
    }
    return 1;
}

LONG ui_GetSelectedFidIndex(HWND window, const ControlRecord *control)
{
    if (!control || control->fidCount == 0)
        return -1;
    if (control->fidCount == 1)
        return 0;
    ControlState *state = ui_FindControlState(window, (WORD)control->controlId);
    if (!state || state->selected < 0 || (DWORD)state->selected >= control->fidCount)
        return -1;
    return state->selected;
}

int ui_SetSelectedFidIndex(HWND window, const ControlRecord *control, LONG index)
{
    if (!control || index < 0 || (DWORD)index >= control->fidCount)
        return 0;
    ControlState *state = ui_FindControlState(window, (WORD)control->controlId);
    if (!state)
        return 0;
    state->selected = index;
    return 1;
}

LONG ui_GetSelectedFid(HWND window, const ControlRecord *control)
{
    LONG index = ui_GetSelectedFidIndex(window, control);
    if (index < 0 || !control->fids)
        return -1;
    return (LONG)LOWORD(control->fids[index]);
}

LONG ui_GetSettingDisplayState(HWND window, WORD fid, DWORD *first)
{
    DriverContext *model = ui_GetModelContext(window);
    if (model && model->special) {
        SpecialFlagsRequest request = {fid, model->special, 0};
        if (opt_GetSpecialSettingFlags(&request)) {
            for (const DisplayRule &rule : kDisplayRules) {
                if (request.flags & rule.flag)
                    return rule.state;
            }
        }
    }
    SettingUiState *state = ui_FindSettingUiState(window, fid);
    if (!state || !state->setting)
        return -1;
    if (first)
        memcpy(first, state->setting, sizeof(*first));
    return (LONG)state->setting->kind;
}

/* The value of option index of a range list: kind 6 as signed 16 bits, kind 4 by the
 * list's value type. */
static LONG state_ReadOption(const OptionList *list, LONG index, WORD kind)
{
    DWORD_PTR data = opt_GetItemData(list, index);
    if (kind == OK_RANGE3)
        return (SHORT)data;
    switch (list->valueType) {
    case VT_SHORT: return (SHORT)data;
    case VT_WORD: return (WORD)data;
    case VT_BYTE: return (BYTE)data;
    default: return (LONG)data;
    }
}

int ui_GetControlRange(HWND window, const ControlRecord *control, LONG *low, LONG *high)
{
    LONG fid = ui_GetSelectedFid(window, control);
    if (fid < 0 || !low || !high)
        return 0;
    if (control->controlType == STATE_SPIN_TYPE) {
        for (const FixedRange &range : kFixedRanges) {
            if (range.fid == fid) {
                *low = range.low;
                *high = range.high;
                return 1;
            }
        }
    }
    const OptionList *list = ui_GetCachedOptionList(window, (WORD)fid);
    if (!list)
        return 0;
    LONG first = 0;
    LONG last = 0;
    if (list->controlKind == OK_LIST) {
        first = 1;
        last = (LONG)list->count;
    } else if ((list->controlKind == OK_RANGE || list->controlKind == OK_RANGE3) && list->count >= 2) {
        first = state_ReadOption(list, 0, list->controlKind);
        last = state_ReadOption(list, 1, list->controlKind);
    } else {
        return 0;
    }
    if (fid == STATE_COPIES_FID) {
        SettingsSnapshotSet *set = ui_GetSnapshotSet(window);
        DriverContext *model = ui_GetModelContext(window);
        if (model) {
            ModelMinimumRequest request = {set->working.devmode, set->working.block, model->model, model->base, last};
            if (dma_CheckModelMinimum(&request))
                last = request.result;
        }
    }
    *low = first;
    *high = last;
    return 1;
}
