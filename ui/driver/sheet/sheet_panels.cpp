/*
 * Descriptor arrays and the per-sheet PanelTable (sheet_panels.h).
 */
#include "ui/driver/sheet/sheet_panels.h"

#include <string.h>

#include "core/handlers/setting_handlers.h"

static DWORD panels_PanelCount(const TabDescriptor *tab);
static void panels_FreeCache(NodeList **cache);

/* Sub-dialog panels listed under a page descriptor (16 bits of the count), 0 for a panel. */
static DWORD panels_PanelCount(const TabDescriptor *tab)
{
    if (!tab->page || !tab->page->panels)
        return 0;
    return (WORD)tab->page->panelCount;
}

const TabDescriptor **ui_ExpandPanels(const TabDescriptor *const *tabs, WORD count, WORD *total)
{
    if (total)
        *total = 0;
    if (!tabs || count == 0)
        return NULL;
    DWORD size = 0;
    for (WORD i = 0; i < count; ++i)
        size += tabs[i] ? 1 + panels_PanelCount(tabs[i]) : 0;
    if (size == 0 || size > 0xFFFF)
        return NULL;
    const TabDescriptor **all = (const TabDescriptor **)GlobalAlloc(GPTR, size * sizeof(*all));
    if (!all)
        return NULL;
    DWORD n = 0;
    for (WORD i = 0; i < count; ++i) {
        if (!tabs[i])
            continue;
        all[n++] = tabs[i];
        for (DWORD p = 0; p < panels_PanelCount(tabs[i]); ++p)
            all[n++] = tabs[i]->page->panels[p];
    }
    if (total)
        *total = (WORD)n;
    return all;
}

const PageInfo **ui_GetPageInfos(const TabDescriptor *const *descriptors, WORD count, WORD *pageCount)
{
    if (pageCount)
        *pageCount = 0;
    if (!descriptors)
        return NULL;
    WORD pages = 0;
    for (WORD i = 0; i < count; ++i)
        pages += descriptors[i] && descriptors[i]->page ? 1 : 0;
    if (pages == 0)
        return NULL;
    const PageInfo **infos = (const PageInfo **)GlobalAlloc(GPTR, pages * sizeof(*infos));
    if (!infos)
        return NULL;
    WORD n = 0;
    for (WORD i = 0; i < count; ++i) {
        if (descriptors[i] && descriptors[i]->page)
            infos[n++] = descriptors[i]->page;
    }
    if (pageCount)
        *pageCount = n;
    return infos;
}

/* Frees every cached OptionList with its entry, then the list. */
static void panels_FreeCache(NodeList **cache)
{
    if (!*cache)
        return;
    LONG count = ui_GetNodeCount(*cache);
    for (LONG i = 0; i < count; ++i) {
        OptionListCacheEntry *entry = (OptionListCacheEntry *)ui_GetNodeDataAt(*cache, i);
        if (!entry)
            continue;
        if (entry->list)
            opt_FreeList(entry->list);
        GlobalFree(entry);
    }
    ui_DestroyNodeList(cache);
}

int ui_FreeSheetPanels(SheetContext *sheet)
{
    if (!sheet)
        return 0;
    SheetPanels *panels = sheet->panels;
    if (!panels)
        return 1;
    if (panels->table) {
        for (int i = 0; i < UI_PANEL_SLOTS; ++i) {
            if (panels->table->slots[i])
                GlobalFree(panels->table->slots[i]);
        }
        GlobalFree(panels->table);
    }
    panels_FreeCache(&panels->optionLists);
    GlobalFree(panels);
    sheet->panels = NULL;
    return 1;
}

int ui_CreateSheetPanels(SheetContext *sheet, const TabDescriptor *const *descriptors, WORD count)
{
    if (!sheet || !descriptors)
        return 0;
    ui_FreeSheetPanels(sheet);
    SheetPanels *panels = (SheetPanels *)GlobalAlloc(GPTR, sizeof(SheetPanels));
    if (!panels)
        return 0;
    sheet->panels = panels;
    panels->table = (PanelTable *)GlobalAlloc(GPTR, sizeof(PanelTable));
    panels->optionLists = ui_CreateNodeList();
    if (!panels->table || !panels->optionLists) {
        ui_FreeSheetPanels(sheet);
        return 0;
    }
    // A panel listed under two pages keeps one copy: the first descriptor found.
    for (WORD i = 0; i < count; ++i) {
        const TabDescriptor *tab = descriptors[i];
        if (!tab || !tab->panel || tab->panelId >= UI_PANEL_SLOTS || panels->table->slots[tab->panelId])
            continue;
        PanelInfo *copy = (PanelInfo *)GlobalAlloc(GMEM_FIXED, sizeof(PanelInfo));
        if (!copy) {
            ui_FreeSheetPanels(sheet);
            return 0;
        }
        memcpy(copy, tab->panel, sizeof(PanelInfo));
        panels->table->slots[tab->panelId] = copy;
    }
    return 1;
}

PanelInfo *ui_GetPanelInfo(HWND window, LONG panelId)
{
    PanelTable *table = ui_GetPanelTable(window);
    if (!table || panelId < 0 || panelId >= UI_PANEL_SLOTS)
        return NULL;
    return table->slots[panelId];
}

const ControlRecord *ui_GetPanelControls(HWND window, LONG panelId, DWORD *count)
{
    const PanelInfo *panel = ui_GetPanelInfo(window, panelId);
    if (!panel)
        return NULL;
    if (count)
        *count = panel->controlCount;
    return panel->controls;
}

const ControlRecord *ui_GetPanelControlArray(HWND window, LONG panelId)
{
    const PanelInfo *panel = ui_GetPanelInfo(window, panelId);
    return panel ? panel->controls : NULL;
}

LONG ui_GetPanelControlCount(HWND window, LONG panelId)
{
    const PanelInfo *panel = ui_GetPanelInfo(window, panelId);
    return panel ? (LONG)panel->controlCount : -1;
}

const ControlRecord *ui_FindPanelControl(HWND window, LONG panelId, DWORD controlId)
{
    const PanelInfo *panel = ui_GetPanelInfo(window, panelId);
    if (!panel || !panel->controls)
        return NULL;
    for (DWORD i = 0; i < panel->controlCount; ++i) {
        if (panel->controls[i].controlId == controlId)
            return &panel->controls[i];
    }
    return NULL;
}

LONG ui_GetControlId(const ControlRecord *control)
{
    return control ? (LONG)control->controlId : -1;
}

LONG ui_GetControlFidCount(const ControlRecord *control)
{
    return control ? (LONG)control->fidCount : -1;
}

const void *ui_GetControlExtra(const ControlRecord *control)
{
    return control ? control->extra : NULL;
}

LONG ui_GetControlType(const ControlRecord *control)
{
    return control ? (LONG)control->controlType : -1;
}

int ui_FindControlFid(const ControlRecord *control, WORD fid, DWORD *index)
{
    if (index)
        *index = 0;
    if (!control || !control->fids)
        return 0;
    for (DWORD i = 0; i < control->fidCount; ++i) {
        if (LOWORD(control->fids[i]) == fid) {
            if (index)
                *index = i;
            return 1;
        }
    }
    return 0;
}

const ControlRecord *ui_GetControlAt(const ControlRecord *controls, DWORD index)
{
    return controls ? &controls[index] : NULL;
}

const ItemEntry *ui_GetItemEntryAt(const ItemEntry *entries, DWORD index)
{
    return entries ? &entries[index] : NULL;
}
