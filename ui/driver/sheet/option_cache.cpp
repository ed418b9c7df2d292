/*
 * The per-sheet OptionList cache (option_cache.h): nodes keyed by FunctionID in the
 * sheet's cache list, each holding an OptionListCacheEntry from the global heap.
 */
#include "ui/driver/sheet/option_cache.h"

#include "ui/driver/runtime/numbers.h"

static OptionList *cache_Build(HWND window, HINSTANCE resources, DriverContext *model, WORD fid, int *status);

OptionListCacheEntry *ui_FindCachedOptionEntry(HWND window, WORD fid)
{
    NodeList *cache = ui_GetOptionListCache(window);
    return cache ? (OptionListCacheEntry *)ui_FindNodeData(cache, fid, UI_CACHE_SUBKEY) : NULL;
}

OptionList *ui_GetCachedOptionList(HWND window, WORD fid)
{
    OptionListCacheEntry *entry = ui_FindCachedOptionEntry(window, fid);
    return entry ? entry->list : NULL;
}

/* A new list of fid over the window's working copy, or NULL with *status set. */
static OptionList *cache_Build(HWND window, HINSTANCE resources, DriverContext *model, WORD fid, int *status)
{
    SheetContext *sheet = ui_GetSheetContext(window);
    DriverDevmode *devmode = NULL;
    PrinterDataBlock *block = NULL;
    *status = UI_LIST_FAILED;
    if (!sheet || !ui_GetWorkingSettings(window, &devmode, &block))
        return NULL;
    DWORD unitFlags[2] = {0, 0};
    if (model)
        ui_GetUnitFlags(model, unitFlags);
    ListRequest request = {};
    request.printer = sheet->printer;
    request.context = model;
    request.functionId = fid;
    request.resources = resources;
    request.devmode = devmode;
    request.block = block;
    request.units.inch = unitFlags[0];
    request.units.decimals = unitFlags[1];
    OptionList *list = opt_CreateFilledList(&request);
    if (!list)
        *status = UI_LIST_UNBUILDABLE;
    return list;
}

int ui_AcquireOptionList(HWND window, HINSTANCE resources, DriverContext *model, WORD fid, OptionList **list)
{
    NodeList *cache = ui_GetOptionListCache(window);
    if (!cache || !list)
        return UI_LIST_FAILED;
    OptionListCacheEntry *entry = (OptionListCacheEntry *)ui_FindNodeData(cache, fid, UI_CACHE_SUBKEY);
    if (entry) {
        ++entry->references;
        *list = entry->list;
        return UI_LIST_OK;
    }
    int status = UI_LIST_FAILED;
    OptionList *built = cache_Build(window, resources, model, fid, &status);
    if (!built)
        return status;
    entry = (OptionListCacheEntry *)GlobalAlloc(GPTR, sizeof(OptionListCacheEntry));
    if (!entry || !ui_AddNode(cache, fid, UI_CACHE_SUBKEY, entry)) {
        if (entry)
            GlobalFree(entry);
        opt_FreeList(built);
        return UI_LIST_FAILED;
    }
    entry->fid = fid;
    entry->list = built;
    entry->references = 1;
    *list = built;
    return UI_LIST_OK;
}

int ui_ReleaseOptionList(HWND window, WORD fid)
{
    NodeList *cache = ui_GetOptionListCache(window);
    OptionListCacheEntry *entry = cache ? (OptionListCacheEntry *)ui_FindNodeData(cache, fid, UI_CACHE_SUBKEY) : NULL;
    if (!entry)
        return 0;
    if (--entry->references > 0)
        return 1;
    ui_RemoveNode(cache, fid, UI_CACHE_SUBKEY);
    if (entry->list)
        opt_FreeList(entry->list);
    GlobalFree(entry);
    return 1;
}
