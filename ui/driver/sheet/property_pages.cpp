/*
 * PROPSHEETPAGEW records of a sheet and its page-title copies (property_pages.h).
 */
#include "ui/driver/sheet/property_pages.h"

#include "core/util/global_block.h"
#include "ui/driver/sheet/sheet_panels.h"

static WCHAR *pages_CopyCaption(DriverContext *model, WORD fid);

/* A new copy of the caption of fid, or NULL when it cannot be read or copied. */
static WCHAR *pages_CopyCaption(DriverContext *model, WORD fid)
{
    if (!model)
        return NULL;
    FunctionDefRequest def = {model, fid, 0, 0, NULL, NULL, 0};
    if (!ddd_GetFunctionDef(&def))
        return NULL;
    WCHAR *copy = def.caption ? util_DupWide(def.caption) : NULL;
    ddd_ReleaseRecord(def.record);
    return copy;
}

int ui_FreePageTitles(SheetContext *sheet)
{
    if (!sheet)
        return 0;
    if (sheet->titleCopies) {
        for (WCHAR **title = sheet->titleCopies; *title; ++title)
            GlobalFree(*title);
        GlobalFree(sheet->titleCopies);
        sheet->titleCopies = NULL;
    }
    return 1;
}

PROPSHEETPAGEW *ui_BuildPropSheetPages(const TabDescriptor *const *descriptors, SheetContext *sheet, WORD count,
                                       WORD *pageCount)
{
    if (pageCount)
        *pageCount = 0;
    if (!sheet)
        return NULL;
    WORD pages = 0;
    const PageInfo **infos = ui_GetPageInfos(descriptors, count, &pages);
    if (!infos)
        return NULL;
    PROPSHEETPAGEW *records = (PROPSHEETPAGEW *)GlobalAlloc(GPTR, pages * sizeof(PROPSHEETPAGEW));
    WCHAR **titles = (WCHAR **)GlobalAlloc(GPTR, (pages + 1) * sizeof(WCHAR *));
    if (!records || !titles) {
        if (records)
            GlobalFree(records);
        if (titles)
            GlobalFree(titles);
        GlobalFree((void *)infos);
        return NULL;
    }
    ui_FreePageTitles(sheet);
    sheet->titleCopies = titles;
    WORD copies = 0;
    for (WORD i = 0; i < pages; ++i) {
        const PageInfo *info = infos[i];
        PROPSHEETPAGEW *record = &records[i];
        record->dwSize = sizeof(PROPSHEETPAGEW);
        record->dwFlags = PSP_HASHELP;
        record->pszTemplate = MAKEINTRESOURCEW((WORD)info->templateId);
        record->pfnDlgProc = info->dialogProc;
        if (info->titleStringId != UI_NONE_ID) {
            record->dwFlags |= PSP_USETITLE;
            record->pszTitle = MAKEINTRESOURCEW((WORD)info->titleStringId);
        } else if ((WORD)info->titleFid != 0) {
            WCHAR *caption = pages_CopyCaption(sheet->model, (WORD)info->titleFid);
            if (caption) {
                titles[copies++] = caption;
                record->dwFlags |= PSP_USETITLE;
                record->pszTitle = caption;
            }
        }
    }
    GlobalFree((void *)infos);
    if (pageCount)
        *pageCount = pages;
    return records;
}
