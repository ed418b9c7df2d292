/*
 * Control icons, help ids of controls and the default face names of the pages.
 */
#include "ui/driver/runtime/window_helpers.h"

#include "core/util/resource_module.h"

/* Names that have their own default face: string of the name, string of its face. */
typedef struct FaceMapRow {
    UINT nameString;
    UINT faceString;
} FaceMapRow;

static const FaceMapRow kFaceMap[] = {
    {UI_FACE_NAME_FIRST, UI_FACE_FOR_FIRST},
    {UI_FACE_NAME_SECOND, UI_FACE_FOR_SECOND},
};

DWORD ui_SetControlIcon(HWND dialog, UINT iconId, int controlId)
{
    HWND control = dialog != nullptr ? GetDlgItem(dialog, controlId) : nullptr;
    HMODULE module = util_GetResourceModule();
    if (control == nullptr || module == nullptr)
        return UI_ICON_FAILED;
    HICON icon = LoadIconW(module, MAKEINTRESOURCEW(iconId));
    if (icon == nullptr)
        return UI_ICON_FAILED;
    HICON old = (HICON)SendMessageW(control, STM_SETICON, (WPARAM)icon, 0);
    if (old != nullptr)
        DestroyIcon(old);
    return 0;
}

DWORD ui_FindHelpId(const HelpIdPair *table, HWND window)
{
    if (table == nullptr || window == nullptr)
        return 0;
    DWORD controlId = (DWORD)GetDlgCtrlID(window);
    for (const HelpIdPair *row = table; row->controlId != 0; ++row)
        if (row->controlId == controlId)
            return row->helpId;
    return 0;
}

int ui_MapDefaultFaceName(const WCHAR *given, HMODULE module, WCHAR *out, const WCHAR *name)
{
    if (out == nullptr)
        return 0;
    if (given != nullptr) {
        lstrcpynW(out, given, UI_FACE_CHARS);
        return 1;
    }
    UINT faceString = UI_DEFAULT_FACE;
    WCHAR known[UI_FACE_CHARS] = {};
    for (const FaceMapRow &row : kFaceMap)
        if (name != nullptr && module != nullptr && LoadStringW(module, row.nameString, known, UI_FACE_CHARS) > 0 &&
            lstrcmpW(known, name) == 0) {
            faceString = row.faceString;
            break;
        }
    if (module == nullptr || LoadStringW(module, faceString, out, UI_FACE_CHARS) <= 0) {
        out[0] = 0;
        return 0;
    }
    return 1;
}
