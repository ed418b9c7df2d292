// The default device LOGFONT of DEVINFO.
#include "render/pdl/fonts/fonts.h"

#include <string.h>

static const WORD kDefaultDeviceFontSetting = 384;
static const WORD kResolutionSetting = 20;

// fnt_GetDeviceFontLogFont: see fonts.h.
BOOL WINAPI fnt_GetDeviceFontLogFont(PDEV *pdev, LOGFONTW *logFont)
{
    if (pdev == NULL || logFont == NULL || pdev->fonts == NULL) {
        return FALSE;
    }
    DWORD wanted = pdev_GetSetting32(pdev, kDefaultDeviceFontSetting);
    for (DWORD i = 0; i < pdev->fontCount; ++i) {
        const DeviceFontEntry *entry = &pdev->fonts->entries[i];
        if (entry->fontId != wanted) {
            continue;
        }
        memset(logFont, 0, sizeof *logFont);
        lstrcpynW(logFont->lfFaceName, entry->faceName, LF_FACESIZE);
        logFont->lfCharSet = entry->charSet;
        logFont->lfPitchAndFamily = entry->pitchAndFamily;
        logFont->lfHeight = (LONG)pdev_GetSetting16(pdev, kResolutionSetting) * 10 / -72;
        logFont->lfWeight = FW_NORMAL;
        return TRUE;
    }
    return FALSE;
}
