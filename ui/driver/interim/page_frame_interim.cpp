/*
 * Until the page frame's dispatch exists no message has a slot: every page procedure
 * answers FALSE and the dialog's default handling runs.
 */
#include "ui/driver/sheet/page_frame.h"

BOOL ui_LookupPageProc(UINT message, WPARAM wParam, LPARAM lParam, WORD kind, FrameProc *procedure, DWORD *slot)
{
    (void)message;
    (void)wParam;
    (void)lParam;
    (void)kind;
    (void)procedure;
    (void)slot;
    return FALSE;
}

int ui_OverrideSlotProc(FrameProc own, DWORD slot, FrameProc *procedure, DWORD found)
{
    if (slot > UI_LAST_SLOT || found > UI_LAST_SLOT)
        return 0;
    if (procedure != nullptr && slot == found)
        *procedure = own;
    return 1;
}

INT_PTR ui_CallPageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LONG panelId, WORD kind,
                        FrameProc procedure)
{
    (void)window;
    (void)message;
    (void)wParam;
    (void)lParam;
    (void)panelId;
    (void)kind;
    (void)procedure;
    return 0;
}
