/*
 * The default device LOGFONT of DEVINFO.
 */
#include "render/pdl/fonts/fonts.h"

#include <string.h>

// fnt_GetDeviceFontLogFont: see fonts.h.
BOOL WINAPI fnt_GetDeviceFontLogFont(const DeviceFontTables *tables, DWORD fontId, WORD resolution, LOGFONTW *logFont)
{
    if (tables == NULL || logFont == NULL) {
        return FALSE;
    }
    for (DWORD i = 0; i < tables->count; ++i) {
        const DeviceFontEntry *entry = &tables->entries[i];
        if (entry->fontId != fontId) {
            continue;
        }
        memset(logFont, 0, sizeof *logFont);
        lstrcpynW(logFont->lfFaceName, entry->faceName, LF_FACESIZE);
        logFont->lfCharSet = entry->charSet;
        logFont->lfPitchAndFamily = entry->pitchAndFamily;
        logFont->lfHeight = (LONG)resolution * 10 / -72;
        logFont->lfWeight = FW_NORMAL;
        return TRUE;
    }
    return FALSE;
}
