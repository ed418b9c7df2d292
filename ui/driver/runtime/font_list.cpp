/*
 * The font list of the pages: installed families, then the description data's printer
 * fonts, each face once.
 */
#include "ui/driver/runtime/font_list.h"

#include "core/ddd/ddd_access.h"
#include "core/util/global_block.h"

static const DWORD kFaceChars = 32;

static BOOL fonts_Add(FontList *list, const WCHAR *face, const LOGFONTW *font);
static int CALLBACK fonts_Enumerated(const LOGFONTW *font, const TEXTMETRICW *metric, DWORD type, LPARAM param);

/* Adds a copy of font (or a record naming face alone) unless the face is listed. FALSE
 * only when out of memory. */
static BOOL fonts_Add(FontList *list, const WCHAR *face, const LOGFONTW *font)
{
    WCHAR name[UI_FONT_NAME_CHARS] = {};
    lstrcpynW(name, face, kFaceChars + 1);
    if (name[0] == 0)
        return TRUE;
    for (WORD i = 0; i < list->count; ++i)
        if (lstrcmpW(list->names[i], name) == 0)
            return TRUE;
    if (list->count == 0xFFFF)
        return TRUE;
    DWORD nameBytes = sizeof(WCHAR[UI_FONT_NAME_CHARS]);
    auto *names = (WCHAR(*)[UI_FONT_NAME_CHARS])util_GlobalAllocZero((DWORD)(list->count + 1) * nameBytes);
    auto *record = (LOGFONTW *)util_GlobalAllocZero(sizeof(LOGFONTW));
    if (names == nullptr || record == nullptr || !ui_AddNode(list->fonts, list->count, 0, record)) {
        util_GlobalFreeIfSet(names);
        util_GlobalFreeIfSet(record);
        return FALSE;
    }
    if (font != nullptr)
        *record = *font;
    lstrcpynW(record->lfFaceName, name, kFaceChars);
    for (WORD i = 0; i < list->count; ++i)
        lstrcpyW(names[i], list->names[i]);
    lstrcpyW(names[list->count], name);
    util_GlobalFreeIfSet(list->names);
    list->names = names;
    ++list->count;
    return TRUE;
}

static int CALLBACK fonts_Enumerated(const LOGFONTW *font, const TEXTMETRICW *metric, DWORD type, LPARAM param)
{
    (void)metric;
    (void)type;
    return fonts_Add((FontList *)param, font->lfFaceName, font) ? 1 : 0;
}

FontList *ui_BuildFontList(DriverContext *context)
{
    if (context == nullptr)
        return nullptr;
    auto *list = (FontList *)util_GlobalAllocZero(sizeof(FontList));
    if (list == nullptr)
        return nullptr;
    list->fonts = ui_CreateNodeList();
    HDC screen = list->fonts != nullptr ? GetDC(nullptr) : nullptr;
    BOOL ok = screen != nullptr;
    if (ok) {
        EnumFontFamiliesW(screen, nullptr, fonts_Enumerated, (LPARAM)list);
        ReleaseDC(nullptr, screen);
    }
    if (ok && context->model != nullptr) {
        DddRecordCountRequest count = {context->model, UI_PRINTER_FONT_RECORD};
        WORD records = ddd_GetRecordCount(&count);
        for (WORD i = 1; ok && i <= records; ++i) {
            DddFetchRequest fetch = {0, context->model, context->base, UI_PRINTER_FONT_RECORD, i, nullptr};
            if (ddd_FetchRecordByIndex(&fetch) != DDD_OK || fetch.record == nullptr)
                continue;
            const WCHAR *name = ddd_GetRecordString(fetch.record);
            if (name != nullptr)
                ok = fonts_Add(list, name, nullptr);
            ddd_FreeRecord(&fetch.record, DDD_FREE_OWN_TYPE);
        }
    }
    if (!ok)
        ui_FreeFontList(&list);
    return list;
}

void ui_FreeFontList(FontList **list)
{
    if (list == nullptr || *list == nullptr)
        return;
    if ((*list)->fonts != nullptr) {
        ListNode *next = nullptr;
        for (void *font = ui_GetFirstNodeData((*list)->fonts, &next); font != nullptr;
             font = ui_GetNextNodeData(next, &next))
            ui_FreeMemory(font);
        ui_DestroyNodeList(&(*list)->fonts);
    }
    util_GlobalFreeIfSet((*list)->names);
    GlobalFree(*list);
    *list = nullptr;
}
