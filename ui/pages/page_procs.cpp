/*
 * The page procedure every page shares: look the message up for dispatch kind 1 and call
 * its slot procedure with the page's panel.
 */
#include "ui/driver/sheet/page_frame.h"
#include "ui/pages/page_descriptors.h"

INT_PTR pg_DispatchPage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LONG panelId)
{
    FrameProc procedure = nullptr;
    DWORD slot = 0;
    if (!ui_LookupPageProc(message, wParam, lParam, UI_KIND_PAGE, &procedure, &slot))
        return FALSE;
    return ui_CallPageProc(window, message, wParam, lParam, panelId, UI_KIND_PAGE, procedure);
}
