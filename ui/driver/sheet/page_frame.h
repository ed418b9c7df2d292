/*
 * The frame every page and sub-dialog procedure shares: the message's slot procedure is
 * looked up by dispatch kind, a page may put its own procedure in place of a slot, and
 * the procedure is called with the call record of the page's panel.
 */
#ifndef QM_UI_DRIVER_SHEET_PAGE_FRAME_H
#define QM_UI_DRIVER_SHEET_PAGE_FRAME_H

#include <windows.h>

#include "ui/driver/sheet/call_context.h"

/* Dispatch kinds. */
#define UI_KIND_PAGE 1        /* a page of the driver's property sheet */
#define UI_KIND_SUB_APPLY 2   /* a sub-dialog's own OK path running apply */
#define UI_KIND_NESTED_PAGE 3 /* a page of a nested property sheet */
#define UI_KIND_SUB_DIALOG 4  /* a plain sub-dialog */

#define UI_LAST_SLOT 27

/* The last argument of every frame procedure. */
typedef struct PageCallRecord {
    ItemCallContext *context;
    const ControlRecord *controls;
    DWORD controlCount;
    WORD kind;
} PageCallRecord;

typedef INT_PTR (*FrameProc)(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LONG panelId,
                             PageCallRecord *record);

/* ui_LookupPageProc: the procedure and slot of the message for a dispatch kind; FALSE when
 * the message has no row. */
BOOL ui_LookupPageProc(UINT message, WPARAM wParam, LPARAM lParam, WORD kind, FrameProc *procedure, DWORD *slot);

/* ui_OverrideSlotProc: puts own in *procedure when slot is the slot found. Returns 0 when
 * a slot number is above UI_LAST_SLOT, else 1. */
int ui_OverrideSlotProc(FrameProc own, DWORD slot, FrameProc *procedure, DWORD found);

/* ui_CallPageProc: calls the procedure with the call record of the panel; its result, or
 * 0 without a procedure. */
INT_PTR ui_CallPageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LONG panelId, WORD kind,
                        FrameProc procedure);

#endif /* QM_UI_DRIVER_SHEET_PAGE_FRAME_H */
