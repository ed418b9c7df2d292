/*
 * Settings a page reads: a numeric value of the working settings and the resolution of a
 * face-name setting to an offered font.
 */
#include "ui/driver/sheet/page_settings.h"

#include "core/settings/setting_rules.h"
#include "core/settings/settings.h"
#include "core/stored/stored.h"
#include "core/util/global_block.h"
#include "core/util/resource_module.h"
#include "ui/driver/runtime/window_helpers.h"

static const WCHAR *fontset_FaceOf(HWND window, WORD functionId, WCHAR *face);
static const LOGFONTW *fontset_FindSubstitute(HWND window, const ModelEntryTable *fonts, const WCHAR *face,
                                              DWORD *status);

int ui_GetPageSetting(const ItemCallContext *context, WORD functionId, LONG *value)
{
    DriverDevmode *devmode = nullptr;
    PrinterDataBlock *block = nullptr;
    if (value == nullptr || !ui_GetCallSettings(context, &devmode, &block))
        return 0;
    return util_ReadSettingLong(functionId, devmode, block, value) ? 1 : 0;
}

/* The face the setting names, copied into face (LF_FACESIZE characters), or NULL. */
static const WCHAR *fontset_FaceOf(HWND window, WORD functionId, WCHAR *face)
{
    DriverDevmode *devmode = nullptr;
    PrinterDataBlock *block = nullptr;
    WORD type = 0;
    DWORD size = sizeof(DWORD_PTR);
    DWORD_PTR value = 0;
    if (!ui_GetWorkingSettings(window, &devmode, &block) ||
        dma_GetFunctionValue(functionId, devmode, block, &type, &size, &value) != 0 || type != VT_STRING || value == 0)
        return nullptr;
    lstrcpynW(face, (const WCHAR *)value, LF_FACESIZE);
    return face;
}

/* The model's substitute of face when offered (UI_FONT_SUBSTITUTE), else the default face
 * (UI_FONT_DEFAULT or UI_FONT_NO_SUBSTITUTE), else NULL. */
static const LOGFONTW *fontset_FindSubstitute(HWND window, const ModelEntryTable *fonts, const WCHAR *face,
                                              DWORD *status)
{
    WCHAR *table = pd_BuildFontSubTable(ui_GetModelContext(window));
    const WCHAR *device = table != nullptr && face != nullptr ? pd_LookupFontSub(table, face) : nullptr;
    const LOGFONTW *found = nullptr;
    DWORD lookup = 0;
    if (device != nullptr) {
        found = ui_FindModelEntry(fonts, device, &lookup);
        *status = found != nullptr ? UI_FONT_SUBSTITUTE : UI_FONT_NO_SUBSTITUTE;
    } else {
        *status = UI_FONT_DEFAULT;
    }
    util_GlobalFreeIfSet(table);
    if (found != nullptr)
        return found;
    WCHAR fallback[UI_FACE_CHARS] = {};
    if (ui_MapDefaultFaceName(nullptr, util_GetResourceModule(), fallback, nullptr))
        found = ui_FindModelEntry(fonts, fallback, &lookup);
    if (found == nullptr)
        *status = UI_FONT_NONE;
    return found;
}

const LOGFONTW *ui_ResolveFontSetting(HWND window, const ModelEntryTable *fonts, WORD functionId, DWORD *status,
                                      BYTE *charset, BYTE *pitchAndFamily)
{
    DWORD result = UI_FONT_NONE;
    const LOGFONTW *found = nullptr;
    WCHAR name[LF_FACESIZE] = {};
    if (fonts != nullptr && ui_GetSnapshotSet(window) != nullptr) {
        const WCHAR *face = fontset_FaceOf(window, functionId, name);
        DWORD lookup = 0;
        found = face != nullptr ? ui_FindModelEntry(fonts, face, &lookup) : nullptr;
        if (found != nullptr)
            result = UI_FONT_FOUND;
        else
            found = fontset_FindSubstitute(window, fonts, face, &result);
    }
    if (status != nullptr)
        *status = result;
    if (found != nullptr && charset != nullptr)
        *charset = found->lfCharSet == UI_FONT_SUBSTITUTE_CHARSET ? 0 : found->lfCharSet;
    if (found != nullptr && pitchAndFamily != nullptr)
        *pitchAndFamily = found->lfPitchAndFamily;
    return found;
}
