/*
 * Control pictures chosen by a callback at page activation and after settings changed.
 */
#include "ui/driver/sheet/control_icons.h"

#include <commctrl.h>

#include "ui/driver/runtime/window_helpers.h"

static BOOL icons_IsRefresh(UINT message, LPARAM lParam);

/* PSN_SETACTIVE or UIM_REFRESH. */
static BOOL icons_IsRefresh(UINT message, LPARAM lParam)
{
    if (message == UIM_REFRESH)
        return TRUE;
    return message == WM_NOTIFY && lParam != 0 && ((const NMHDR *)lParam)->code == (UINT)PSN_SETACTIVE;
}

int ui_RefreshControlIcon(ItemCallContext *context, UINT message, WPARAM wParam, LPARAM lParam,
                          const ControlRecord *control, const void *extra)
{
    (void)wParam;
    const ControlIconSource *source = (const ControlIconSource *)extra;
    if (context == nullptr || control == nullptr || source == nullptr || source->iconFor == nullptr ||
        !icons_IsRefresh(message, lParam))
        return 0;
    UINT icon = source->iconFor(context, control);
    if (icon != 0)
        ui_SetControlIcon(ui_GetCallWindow(context), icon, (int)control->controlId);
    return 0;
}
