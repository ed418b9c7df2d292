/*
 * The fonts a page offers: the installed font families and the printer fonts of the
 * description data (named records of type 11), each face once.
 */
#ifndef QM_UI_DRIVER_RUNTIME_FONT_LIST_H
#define QM_UI_DRIVER_RUNTIME_FONT_LIST_H

#include <windows.h>

#include "core/context/driver_context.h"
#include "core/nodelist/nodelist.h"

#define UI_FONT_NAME_CHARS 33 /* a face name of 32 characters and its terminator */
#define UI_PRINTER_FONT_RECORD 11

/* The list: a LOGFONTW block per face in fonts, added in order (key and insertion index =
 * the face's position from 0: ui_GetNodeDataAt), and the faces' names in the same order. */
typedef struct FontList {
    DWORD reserved;
    NodeList *fonts;
    WORD count;
    WCHAR (*names)[UI_FONT_NAME_CHARS];
} FontList;

/*
 * ui_BuildFontList: the installed families (EnumFontFamiliesW on the desktop device
 * context) and then the printer fonts of the context's description data, each face (32
 * characters) once. Returns a new list, or NULL for a NULL context or out of memory.
 */
FontList *ui_BuildFontList(DriverContext *context);

/* ui_FreeFontList: frees the list, its font records and names, and clears *list. */
void ui_FreeFontList(FontList **list);

#endif /* QM_UI_DRIVER_RUNTIME_FONT_LIST_H */
