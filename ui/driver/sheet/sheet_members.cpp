/*
 * SheetContext members, the driver's help file and the port name (sheet_members.h).
 */
#include "ui/driver/sheet/sheet_members.h"

#include <string.h>
#include <winspool.h>

#include "core/util/global_block.h"
#include "ui/driver/runtime/text.h"

static BYTE *members_GetPrinter(HANDLE printer, DWORD level);
static BYTE *members_GetDriver(HANDLE printer);

LONG ui_GetUnitChoice(const SheetContext *sheet)
{
    return sheet ? (LONG)sheet->unitChoice : -1;
}

int ui_ResetUnitChoice(SheetContext *sheet)
{
    if (!sheet)
        return 0;
    sheet->unitChoice = sheet->measureSystem;
    return 1;
}

LONG ui_GetSavedChoice(const SheetContext *sheet)
{
    return sheet ? (LONG)sheet->savedChoice : -1;
}

int ui_SetSavedChoice(SheetContext *sheet, WORD value)
{
    if (!sheet)
        return 0;
    sheet->savedChoice = value;
    return 1;
}

LONG ui_GetPendingTitleFid(const SheetContext *sheet)
{
    return sheet ? (LONG)sheet->pendingTitleFid : -1;
}

int ui_SetPendingTitleFid(SheetContext *sheet, WORD fid)
{
    if (!sheet)
        return 0;
    sheet->pendingTitleFid = fid;
    return 1;
}

DWORD ui_GetValidatePending(const SheetContext *sheet)
{
    return sheet ? sheet->validatePending : 0;
}

HWND ui_GetTooltipWindow(const SheetContext *sheet, DWORD kind)
{
    if (!sheet)
        return NULL;
    return kind == UI_TOOLTIP_KIND1 ? sheet->tooltipKind1 : sheet->tooltipOther;
}

int ui_SetTooltipWindow(SheetContext *sheet, DWORD kind, HWND window)
{
    if (!sheet)
        return 0;
    if (kind == UI_TOOLTIP_KIND1)
        sheet->tooltipKind1 = window;
    else
        sheet->tooltipOther = window;
    return 1;
}

int ui_StoreTooltipText(SheetContext *sheet, const WCHAR *text)
{
    if (!sheet || !text)
        return 0;
    size_t chars = 0;
    while (text[chars])
        ++chars;
    // Every character takes at least one ANSI byte, so the wide copy fits too.
    if (chars >= UI_TOOLTIP_TEXT_CHARS || ui_GetMultiByteLength(text) >= UI_TOOLTIP_TEXT_CHARS)
        return 0;
    memcpy(sheet->tooltipText, text, (chars + 1) * sizeof(WCHAR));
    return 1;
}

const WCHAR *ui_GetTooltipText(const SheetContext *sheet)
{
    return sheet ? sheet->tooltipText : NULL;
}

void *ui_GetInfoTooltip(const SheetContext *sheet)
{
    return sheet ? sheet->infoTooltip : NULL;
}

int ui_SetInfoTooltip(SheetContext *sheet, void *record)
{
    if (!sheet)
        return 0;
    sheet->infoTooltip = record;
    return 1;
}

DWORD ui_GetWarningsBuilt(const SheetContext *sheet)
{
    return sheet ? sheet->warningsBuilt : 0;
}

int ui_SetWarningsBuilt(SheetContext *sheet, DWORD value)
{
    if (!sheet)
        return 0;
    sheet->warningsBuilt = value;
    return 1;
}

DWORD ui_GetSheetDone(const SheetContext *sheet)
{
    return sheet ? sheet->done : 0;
}

int ui_SetSheetDone(SheetContext *sheet, DWORD value)
{
    if (!sheet)
        return 0;
    sheet->done = value;
    return 1;
}

LONG ui_GetActivePage(const SheetContext *sheet)
{
    return sheet ? sheet->activePage : -1;
}

int ui_SetActivePage(SheetContext *sheet, LONG panelId)
{
    if (!sheet)
        return 0;
    sheet->activePage = panelId;
    return 1;
}

struct FavoritesState *ui_GetFavorites(const SheetContext *sheet)
{
    return sheet ? sheet->favorites : NULL;
}

int ui_SetFavorites(SheetContext *sheet, struct FavoritesState *favorites)
{
    if (!sheet || !favorites)
        return 0;
    sheet->favorites = favorites;
    return 1;
}

DWORD ui_GetExtraFlag(const SheetContext *sheet)
{
    return sheet ? sheet->extraFlag : 0;
}

int ui_SetExtraFlag(SheetContext *sheet, DWORD value)
{
    if (!sheet)
        return 0;
    sheet->extraFlag = value;
    return 1;
}

/* The printer's information of level as a new global block, or NULL. */
static BYTE *members_GetPrinter(HANDLE printer, DWORD level)
{
    DWORD needed = 0;
    if (!printer)
        return NULL;
    GetPrinterW(printer, level, NULL, 0, &needed);
    if (needed == 0)
        return NULL;
    BYTE *info = (BYTE *)GlobalAlloc(GPTR, needed);
    if (info && !GetPrinterW(printer, level, info, needed, &needed)) {
        GlobalFree(info);
        info = NULL;
    }
    return info;
}

/* The printer's driver information of level 3 as a new global block, or NULL. */
static BYTE *members_GetDriver(HANDLE printer)
{
    DWORD needed = 0;
    if (!printer)
        return NULL;
    GetPrinterDriverW(printer, NULL, 3, NULL, 0, &needed);
    if (needed == 0)
        return NULL;
    BYTE *info = (BYTE *)GlobalAlloc(GPTR, needed);
    if (info && !GetPrinterDriverW(printer, NULL, 3, info, needed, &needed)) {
        GlobalFree(info);
        info = NULL;
    }
    return info;
}

WCHAR *ui_GetDriverHelpFile(HANDLE printer)
{
    BYTE *info = members_GetDriver(printer);
    if (!info)
        return NULL;
    const WCHAR *help = ((DRIVER_INFO_3W *)info)->pHelpFile;
    WCHAR *copy = help && help[0] ? util_DupWide(help) : NULL;
    GlobalFree(info);
    return copy;
}

int ui_CopyPortName(SheetContext *sheet)
{
    if (!sheet)
        return 0;
    if (sheet->portName)
        return 1;
    BYTE *info = members_GetPrinter(sheet->printer, 5);
    const WCHAR *port = info ? ((PRINTER_INFO_5W *)info)->pPortName : NULL;
    if (!port) {
        if (info)
            GlobalFree(info);
        info = members_GetPrinter(sheet->printer, 2);
        port = info ? ((PRINTER_INFO_2W *)info)->pPortName : NULL;
    }
    sheet->portName = port ? util_DupWide(port) : NULL;
    if (info)
        GlobalFree(info);
    return sheet->portName ? 1 : 0;
}

int ui_FreePortName(SheetContext *sheet)
{
    if (!sheet)
        return 0;
    if (sheet->portName)
        GlobalFree(sheet->portName);
    sheet->portName = NULL;
    return 1;
}
