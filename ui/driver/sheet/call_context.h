/*
 * The context of one page-procedure call, through whose accessors every handler reaches
 * the window, panel, sheet, settings and the list of changed settings. Every accessor
 * answers NULL, 0 or -1 for a NULL context and never writes through a NULL out-parameter.
 */
#ifndef QM_UI_DRIVER_SHEET_CALL_CONTEXT_H
#define QM_UI_DRIVER_SHEET_CALL_CONTEXT_H

#include <windows.h>

#include "ui/driver/sheet/sheet_records.h"
#include "ui/driver/sheet/snapshot.h"

/* Zeroed at each call of a page procedure. */
typedef struct ItemCallContext {
    UINT message;
    LONG_PTR result; /* sub-dialog result */
    HWND window;
    HWND owner; /* parent window */
    DWORD editable;
    LONG panelId; /* UI_NO_PANEL = none */
    DWORD changed;
    WORD *changedFids; /* 0-terminated, global heap, owned; freed after the call */
    void *defaultProc; /* the control type's procedure */
    const ControlRecord *control;
    LONG action; /* push-button action type */
    DriverContext *model;
    DriverDevmode *devmode;  /* working copy */
    PrinterDataBlock *block; /* working copy */
    WORD kind;               /* dispatch kind */
} ItemCallContext;

HWND ui_GetCallWindow(const ItemCallContext *context);
HWND ui_GetCallOwner(const ItemCallContext *context);
UINT ui_GetCallMessage(const ItemCallContext *context);
LONG ui_GetCallPanel(const ItemCallContext *context); /* UI_NO_PANEL for NULL */
LONG ui_GetCallKind(const ItemCallContext *context);  /* -1 for NULL */
DWORD ui_GetCallEditable(const ItemCallContext *context);
/* The working DEVMODE and block; 1 only when both outs are given. */
int ui_GetCallSettings(const ItemCallContext *context, DriverDevmode **devmode, PrinterDataBlock **block);
/* A copy of the pointers and sizes of the working snapshot of the call's window; 1/0. */
int ui_GetCallSnapshot(const ItemCallContext *context, SettingsSnapshot *snapshot);
DWORD ui_GetChangedFlag(const ItemCallContext *context);
int ui_SetChangedFlag(ItemCallContext *context, DWORD changed);
WORD *ui_GetChangedFids(const ItemCallContext *context);
/* Replaces the changed list, freeing the old one when it is a different list. */
int ui_SetChangedFids(ItemCallContext *context, WORD *fids);
/* 1 when fid is in the 0-terminated changed list. */
int ui_IsFidChanged(const ItemCallContext *context, WORD fid);
void *ui_GetDefaultProc(const ItemCallContext *context);
const ControlRecord *ui_GetCallControl(const ItemCallContext *context);
LONG ui_GetCallAction(const ItemCallContext *context); /* -1 for NULL */
int ui_SetCallAction(ItemCallContext *context, LONG action);
LONG_PTR ui_GetCallResult(const ItemCallContext *context);
int ui_SetCallResult(ItemCallContext *context, LONG_PTR result);
DriverContext *ui_GetCallModelContext(const ItemCallContext *context);
PrinterDataBlock *ui_GetCallDataBlock(const ItemCallContext *context);
/* ui_MarkControlChanged: stores the flag and the control and replaces the changed list
 * (the old one freed when different). Returns 1, 0 for NULL. */
int ui_MarkControlChanged(ItemCallContext *context, DWORD changed, WORD *fids, const ControlRecord *control);

/* ---- SheetContext members set by the pages: 1, or 0 for NULL ---- */

/* Unit choice: 0 first, 1 last button of the unit radio pair. */
int ui_SetUnitChoice(SheetContext *sheet, WORD value);
/* Validate-pending flag, cleared by page activation. */
int ui_SetValidatePending(SheetContext *sheet, DWORD value);

#endif /* QM_UI_DRIVER_SHEET_CALL_CONTEXT_H */
