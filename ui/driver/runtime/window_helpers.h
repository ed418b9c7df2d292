/*
 * Helpers of the pages' windows: control icons, help ids of controls and the default face
 * names.
 */
#ifndef QM_UI_DRIVER_RUNTIME_WINDOW_HELPERS_H
#define QM_UI_DRIVER_RUNTIME_WINDOW_HELPERS_H

#include <windows.h>

#define UI_FACE_CHARS 32 /* a face name with its terminator, as in LOGFONTW */
#define UI_FACE_NAME_FIRST 731
#define UI_FACE_NAME_SECOND 732
#define UI_FACE_FOR_FIRST 733
#define UI_FACE_FOR_SECOND 734
#define UI_DEFAULT_FACE 735

/* A control's help context; tables end with control id 0. */
typedef struct HelpIdPair {
    DWORD controlId;
    DWORD helpId;
} HelpIdPair;

#define UI_ICON_FAILED 0xFFFF

/*
 * ui_SetControlIcon: loads icon iconId of the resource module and gives it to control
 * controlId of dialog (STM_SETICON); the icon it replaces is destroyed. Returns 0, or
 * UI_ICON_FAILED when the control or the icon is missing.
 */
DWORD ui_SetControlIcon(HWND dialog, UINT iconId, int controlId);

/* ui_FindHelpId: the help id of the control id of window in table, 0 if none. */
DWORD ui_FindHelpId(const HelpIdPair *table, HWND window);

/*
 * ui_MapDefaultFaceName: a given face is copied into out (UI_FACE_CHARS characters with the
 * terminator); otherwise name equal to string 731 or 732 of module gives string 733 or
 * 734, any other name string 735. Returns 1, or 0 for a NULL out or a missing string.
 */
int ui_MapDefaultFaceName(const WCHAR *given, HMODULE module, WCHAR *out, const WCHAR *name);

#endif /* QM_UI_DRIVER_RUNTIME_WINDOW_HELPERS_H */
