/*
 * The tabs of a sheet and its descriptor array (tab_lists.h).
 */
#include "ui/driver/sheet/tab_lists.h"

#include "ui/driver/runtime/model.h"

static const WCHAR kTooManyText[] = TEXT("Tab's number is too large.\n");
static const WCHAR kTooManyCaption[] = TEXT("local_SetWndInfoList error!");

static int tabs_Pick(WORD sheetKind, SheetContext *sheet, WORD modelClass, const TabDescriptor **tabs, WORD *count);

int ui_StoreTabs(const TabList *list, const TabDescriptor **tabs, WORD modelClass, WORD *count)
{
    WORD stored = 0;
    int result = 1;
    for (WORD i = 0; list != nullptr && i < list->count; ++i) {
        const TabDescriptor *tab = list->tabs[i];
        if (tab->panelId == UI_ONLY_LAST_CLASS_PAGE && modelClass != 4)
            continue;
        if (stored == UI_MAX_TABS) {
            MessageBoxW(nullptr, kTooManyText, kTooManyCaption, MB_OK);
            result = 0;
            break;
        }
        tabs[stored++] = tab;
    }
    if (count != nullptr)
        *count = stored;
    return result;
}

int local_SetWndInfoList(WORD sheetKind, const TabDescriptor **tabs, WORD modelClass, BOOL alternative, WORD *count)
{
    const TabList *list = nullptr;
    if (sheetKind == UI_SHEET_DEVICE)
        list = &g_SheetTabLists.device;
    else if (sheetKind == UI_SHEET_DOCUMENT)
        list = alternative ? &g_SheetTabLists.alternative : &g_SheetTabLists.document;
    if (list == nullptr || tabs == nullptr)
        return 0;
    return ui_StoreTabs(list, tabs, modelClass, count);
}

const TabDescriptor *ui_SubstitutePage(const TabDescriptor *tab, SheetContext *sheet)
{
    DriverContext *model = sheet != nullptr ? sheet->model : nullptr;
    if (tab == nullptr || model == nullptr)
        return tab;
    if (tab == g_SheetTabLists.colourPage && ui_GetColorKind(model) == UI_MONOCHROME)
        return g_SheetTabLists.monochromePage;
    if (tab == g_SheetTabLists.devicePage && ui_HasModelFlag(model, UI_SUBSTITUTE_CAPABILITY))
        return g_SheetTabLists.devicePageAlt;
    return tab;
}

/* The sheet's tabs after substitution. Returns 1, or 0. */
static int tabs_Pick(WORD sheetKind, SheetContext *sheet, WORD modelClass, const TabDescriptor **tabs, WORD *count)
{
    BOOL alternative = modelClass == 3 || modelClass == 4;
    if (!local_SetWndInfoList(sheetKind, tabs, modelClass, alternative, count))
        return 0;
    for (WORD i = 0; i < *count; ++i)
        tabs[i] = ui_SubstitutePage(tabs[i], sheet);
    return 1;
}

const TabDescriptor **ui_BuildSheetPanelList(WORD sheetKind, SheetContext *sheet, WORD modelClass, WORD *count)
{
    const TabDescriptor *tabs[UI_MAX_TABS] = {};
    WORD tabCount = 0;
    if (count != nullptr)
        *count = 0;
    if (!tabs_Pick(sheetKind, sheet, modelClass, tabs, &tabCount))
        return nullptr;
    DWORD total = 0;
    for (WORD i = 0; i < tabCount; ++i)
        total += 1 + (tabs[i]->page != nullptr ? (WORD)tabs[i]->page->panelCount : 0);
    if (total == 0 || total > 0xFFFF)
        return nullptr;
    auto **array = (const TabDescriptor **)GlobalAlloc(GPTR, total * sizeof(TabDescriptor *));
    if (array != nullptr && count != nullptr)
        *count = (WORD)total;
    return array;
}

int ui_FillSheetPanelList(WORD sheetKind, SheetContext *sheet, WORD modelClass, const TabDescriptor **array)
{
    const TabDescriptor *tabs[UI_MAX_TABS] = {};
    WORD tabCount = 0;
    if (array == nullptr || !tabs_Pick(sheetKind, sheet, modelClass, tabs, &tabCount))
        return 0;
    DWORD next = 0;
    for (WORD i = 0; i < tabCount; ++i) {
        array[next++] = tabs[i];
        const PageInfo *page = tabs[i]->page;
        for (WORD p = 0; page != nullptr && p < (WORD)page->panelCount; ++p)
            array[next++] = page->panels[p];
    }
    return 1;
}
