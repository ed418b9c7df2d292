/*
 * Accessors of the per-call context and the SheetContext setters of the pages
 * (call_context.h).
 */
#include "ui/driver/sheet/call_context.h"

HWND ui_GetCallWindow(const ItemCallContext *context)
{
    return context ? context->window : NULL;
}

HWND ui_GetCallOwner(const ItemCallContext *context)
{
    return context ? context->owner : NULL;
}

UINT ui_GetCallMessage(const ItemCallContext *context)
{
    return context ? context->message : 0;
}

LONG ui_GetCallPanel(const ItemCallContext *context)
{
    return context ? context->panelId : UI_NO_PANEL;
}

LONG ui_GetCallKind(const ItemCallContext *context)
{
    return context ? (LONG)context->kind : -1;
}

DWORD ui_GetCallEditable(const ItemCallContext *context)
{
    return context ? context->editable : 0;
}

int ui_GetCallSettings(const ItemCallContext *context, DriverDevmode **devmode, PrinterDataBlock **block)
{
    if (!context)
        return 0;
    if (devmode)
        *devmode = context->devmode;
    if (block)
        *block = context->block;
    return devmode && block ? 1 : 0;
}

int ui_GetCallSnapshot(const ItemCallContext *context, SettingsSnapshot *snapshot)
{
    SettingsSnapshotSet *set = context ? ui_GetSnapshotSet(context->window) : NULL;
    if (!set || !snapshot)
        return 0;
    *snapshot = set->working;
    return 1;
}

DWORD ui_GetChangedFlag(const ItemCallContext *context)
{
    return context ? context->changed : 0;
}

int ui_SetChangedFlag(ItemCallContext *context, DWORD changed)
{
    if (!context)
        return 0;
    context->changed = changed;
    return 1;
}

WORD *ui_GetChangedFids(const ItemCallContext *context)
{
    return context ? context->changedFids : NULL;
}

int ui_SetChangedFids(ItemCallContext *context, WORD *fids)
{
    if (!context)
        return 0;
    if (context->changedFids && context->changedFids != fids)
        GlobalFree(context->changedFids);
    context->changedFids = fids;
    return 1;
}

int ui_IsFidChanged(const ItemCallContext *context, WORD fid)
{
    if (!context || !context->changedFids)
        return 0;
    for (const WORD *entry = context->changedFids; *entry; ++entry) {
        if (*entry == fid)
            return 1;
    }
    return 0;
}

void *ui_GetDefaultProc(const ItemCallContext *context)
{
    return context ? context->defaultProc : NULL;
}

const ControlRecord *ui_GetCallControl(const ItemCallContext *context)
{
    return context ? context->control : NULL;
}

LONG ui_GetCallAction(const ItemCallContext *context)
{
    return context ? context->action : -1;
}

int ui_SetCallAction(ItemCallContext *context, LONG action)
{
    if (!context)
        return 0;
    context->action = action;
    return 1;
}

LONG_PTR ui_GetCallResult(const ItemCallContext *context)
{
    return context ? context->result : 0;
}

int ui_SetCallResult(ItemCallContext *context, LONG_PTR result)
{
    if (!context)
        return 0;
    context->result = result;
    return 1;
}

DriverContext *ui_GetCallModelContext(const ItemCallContext *context)
{
    return context ? context->model : NULL;
}

PrinterDataBlock *ui_GetCallDataBlock(const ItemCallContext *context)
{
    return context ? context->block : NULL;
}

int ui_MarkControlChanged(ItemCallContext *context, DWORD changed, WORD *fids, const ControlRecord *control)
{
    if (!context)
        return 0;
    context->changed = changed;
    context->control = control;
    return ui_SetChangedFids(context, fids);
}

int ui_SetUnitChoice(SheetContext *sheet, WORD value)
{
    if (!sheet)
        return 0;
    sheet->unitChoice = value;
    return 1;
}

int ui_SetValidatePending(SheetContext *sheet, DWORD value)
{
    if (!sheet)
        return 0;
    sheet->validatePending = value;
    return 1;
}
