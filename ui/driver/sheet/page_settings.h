/*
 * Settings a page reads: one value of the working settings, and the font a face-name
 * setting stands for among the fonts a page offers.
 */
#ifndef QM_UI_DRIVER_SHEET_PAGE_SETTINGS_H
#define QM_UI_DRIVER_SHEET_PAGE_SETTINGS_H

#include <windows.h>

#include "ui/driver/runtime/messages.h"
#include "ui/driver/sheet/call_context.h"

/* Status of ui_ResolveFontSetting. */
#define UI_FONT_NONE 0          /* neither the face nor the default face is offered */
#define UI_FONT_FOUND 1         /* the face as named */
#define UI_FONT_DEFAULT 2       /* the default face: the model substitutes nothing for the face */
#define UI_FONT_SUBSTITUTE 3    /* the model's substitution font of the face */
#define UI_FONT_NO_SUBSTITUTE 4 /* the default face: the substitution font is not offered */

#define UI_FONT_SUBSTITUTE_CHARSET 200 /* a substitution font's charset reported as 0 */

/*
 * ui_GetPageSetting: the numeric setting functionId of the call's working settings as a
 * signed 32-bit value. value: out. Returns 1, or 0 when it cannot be read (or is a string
 * or record), or for NULL arguments.
 */
int ui_GetPageSetting(const ItemCallContext *context, WORD functionId, LONG *value);

/*
 * ui_ResolveFontSetting: the entry of fonts named by the face-name setting functionId of
 * the window's working settings. Not found, the face is looked up in the model's font
 * substitution table: its device font, when offered, is taken (UI_FONT_SUBSTITUTE);
 * otherwise the default face (string 735) is taken (UI_FONT_DEFAULT without a substitute,
 * UI_FONT_NO_SUBSTITUTE when the substitute is not offered). charset and pitchAndFamily:
 * out, those of the entry taken (charset 200 reported as 0). status: out, UI_FONT_*.
 * Returns the entry, or NULL (UI_FONT_NONE). Every out may be NULL.
 */
const LOGFONTW *ui_ResolveFontSetting(HWND window, const ModelEntryTable *fonts, WORD functionId, DWORD *status,
                                      BYTE *charset, BYTE *pitchAndFamily);

#endif /* QM_UI_DRIVER_SHEET_PAGE_SETTINGS_H */
