/*
 * The printer's forms by 1-based index, the paper number of the description option named
 * like a form, and grey conversion of 24-bit pixels.
 */
#include "core/stored/printer_forms.h"

#include "core/context/driver_context.h"
#include "core/ddd/ddd.h"
#include "core/settings/settings.h"
#include "core/util/global_block.h"
#include "core/util/host_env.h"

#include <winspool.h>

#include <string.h>

/* The paper number of the user-defined size. */
enum { PAPER_USER_DEFINED = 256 };

static BOOL frm_IsUserSize(DriverDevmode *devmode, PrinterDataBlock *block);
static DWORD frm_FindPaperOption(DriverContext *context, const WCHAR *name, WORD *paper);

/* Paper number of the first option of FunctionID 8 whose text equals name. */
static DWORD frm_FindPaperOption(DriverContext *context, const WCHAR *name, WORD *paper)
{
    for (WORD n = 1;; ++n) {
        WORD subKey = 0;
        void *definition = NULL;
        if (ddd_GetFunctionSubRecord(
                DDD_LEVEL_MODEL, context->model, context->base, FID_PAPER_SIZE, n, &subKey, &definition) != DDD_OK)
            return FORM_FAILED;
        void *option = NULL;
        DddStatus status =
            ddd_FetchSubRecord(DDD_LEVEL_MODEL, context->model, context->base, definition, subKey, &option);
        ddd_FreeRecord(&definition, DDD_FREE_OWN_TYPE);
        if (status != DDD_OK)
            return FORM_FAILED;
        const WCHAR *text = ddd_GetRecordString(option);
        BOOL match = text && lstrcmpW(text, name) == 0;
        if (match) {
            const DddValue *value = &((const DddOption *)option)->value;
            const void *data = ddd_ValueData(value);
            DWORD slot = 0;
            if (data)
                memcpy(&slot, data, value->size < sizeof(slot) ? value->size : sizeof(slot));
            *paper = dma_ValueToWord(value->valueType, &slot);
        }
        ddd_FreeRecord(&option, DDD_FREE_OWN_TYPE);
        if (match)
            return FORM_FOUND;
    }
}

/* 1 when the user-defined size is on and dmFields holds both paper length and width. */
static BOOL frm_IsUserSize(DriverDevmode *devmode, PrinterDataBlock *block)
{
    WORD type = 0;
    DWORD size = 0;
    DWORD_PTR value = 0;
    if (dma_GetFunctionValue(FID_USER_SIZE_ON, devmode, block, &type, &size, &value) != SST_OK ||
        dma_ValueToDword(type, &value) == 0)
        return FALSE;
    value = 0;
    if (dma_GetFunctionValue(FID_FIELDS, devmode, block, &type, &size, &value) != SST_OK)
        return FALSE;
    DWORD fields = dma_ValueToDword(type, &value);
    return (fields & (DM_PAPERLENGTH | DM_PAPERWIDTH)) == (DM_PAPERLENGTH | DM_PAPERWIDTH);
}

DWORD WINAPI opt_PaperIdFromFormIndex(HANDLE printer, DriverDevmode *devmode, PrinterDataBlock *block, DWORD index,
                                      WORD *paper)
{
    if (!printer || !paper)
        return FORM_FAILED;
    if (index == PAPER_USER_DEFINED && frm_IsUserSize(devmode, block)) {
        *paper = PAPER_USER_DEFINED;
        return FORM_FOUND;
    }
    WCHAR *name = util_GetFormNameByIndex(printer, index);
    if (!name)
        return FORM_FAILED;
    DWORD result = FORM_FAILED;
    DriverContext *context = ddd_OpenContext(printer);
    if (context) {
        result = frm_FindPaperOption(context, name, paper);
        ddd_CloseContext(context);
    }
    GlobalFree(name);
    return result;
}

DWORD WINAPI util_FindFormName(HANDLE printer, DWORD index, WCHAR **name)
{
    if (name)
        *name = NULL;
    if (!printer || !name || index == 0)
        return FORM_FAILED;
    FORM_INFO_1W *forms = NULL;
    DWORD needed = 0;
    DWORD count = 0;
    DWORD listed = util_EnumFormsAlloc(printer, &forms, &needed, &count);
    if (listed != FORM_FOUND)
        return listed == FORM_NO_LIST ? FORM_NO_LIST : FORM_FAILED;
    DWORD result = FORM_PAST_END;
    if (index <= count) {
        *name = util_DupWide(forms[index - 1].pName);
        result = *name ? FORM_FOUND : FORM_FAILED;
    }
    GlobalFree(forms);
    return result;
}

WCHAR *WINAPI util_GetFormNameByIndex(HANDLE printer, DWORD index)
{
    WCHAR *name = NULL;
    util_FindFormName(printer, index, &name);
    return name;
}

void WINAPI util_RgbToGray(const BYTE *source, BYTE *destination, WORD pixels, WORD rows)
{
    if (!source || !destination)
        return;
    DWORD count = (DWORD)pixels * rows;
    for (DWORD i = 0; i < count; ++i, source += 3) {
        if (source[0] == source[1] && source[1] == source[2])
            destination[i] = source[0];
        else
            destination[i] = (BYTE)(((source[0] + source[2]) * 85 + source[1] * 86) >> 8);
    }
}
