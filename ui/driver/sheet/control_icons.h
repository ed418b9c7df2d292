/*
 * Pictures of controls that follow the settings: a static control whose icon a callback
 * chooses each time the page is activated or its settings change.
 */
#ifndef QM_UI_DRIVER_SHEET_CONTROL_ICONS_H
#define QM_UI_DRIVER_SHEET_CONTROL_ICONS_H

#include <windows.h>

#include "ui/driver/sheet/call_context.h"

/* The icon id the control shows now; 0 leaves the picture as it is. */
typedef UINT (*ControlIconCallback)(ItemCallContext *context, const ControlRecord *control);

/* Extra data of a control refreshed by ui_RefreshControlIcon. */
typedef struct ControlIconSource {
    ControlIconCallback iconFor;
} ControlIconSource;

/*
 * ui_RefreshControlIcon: a control handler (ControlProc) whose extra data is a
 * ControlIconSource. At page activation (PSN_SETACTIVE) and UIM_REFRESH it asks the
 * callback for the icon and shows it in the control (ui_SetControlIcon). Returns 0; other
 * messages are left alone.
 */
int ui_RefreshControlIcon(ItemCallContext *context, UINT message, WPARAM wParam, LPARAM lParam,
                          const ControlRecord *control, const void *extra);

#endif /* QM_UI_DRIVER_SHEET_CONTROL_ICONS_H */
