// The default device LOGFONT of DEVINFO.
#include "core/settings/function_ids.h"
#include "render/driver/fonts/fonts.h"

#include <string.h>

// fnt_GetDeviceFontLogFont: see fonts.h.
BOOL WINAPI fnt_GetDeviceFontLogFont(PDEV *pdev, LOGFONTW *logFont)
{
    if (pdev == NULL || logFont == NULL || pdev->fonts == NULL) {
        return FALSE;
    }
    DWORD wanted = pdev_GetSetting32(pdev, FID_DEFAULT_DEVICE_FONT);
    for (DWORD i = 0; i < pdev->fontCount; ++i) {
        const DeviceFontEntry *entry = &pdev->fonts->entries[i];
        if (entry->fontId != wanted) {
            continue;
        }
        memset(logFont, 0, sizeof *logFont);
        lstrcpynW(logFont->lfFaceName, entry->faceName, LF_FACESIZE);
        logFont->lfCharSet = entry->charSet;
        logFont->lfPitchAndFamily = entry->pitchAndFamily;
        logFont->lfHeight = (LONG)pdev_GetSetting16(pdev, FID_PRINT_QUALITY) * 10 / -72;
        logFont->lfWeight = FW_NORMAL;
        return TRUE;
    }
    return FALSE;
}
