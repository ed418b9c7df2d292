/*
 * The DEVMODE a DC of the printer is created with: the printer's defaults in full form and
 * the 24-byte trailer behind them, as the user-interface driver hands it to GDI.
 */
#include "tools/printhost/print_host.h"

#include <stdlib.h>
#include <string.h>

#include <winspool.h>

#include "core/context/driver_context.h"
#include "core/handlers/setting_handlers.h"
#include "core/protocol/devmode_trailer.h"
#include "core/settings/settings.h"
#include "core/stored/printer_forms.h"
#include "core/stored/stored.h"

// Value types of the settings read here.
static const WORD kByteType = 8;
static const WORD kWordType = 2;

// Margin each side of the trailer's paper when no margin source answers (0.1 mm).
static const WORD kDefaultMargin = 46;

// FillTrailer: the size word, the paper record when setting 387 is on and the paper has a
// driver number, and the two flags. This host has neither a device paper list nor special
// settings that enforce setting 270: both flags are 0.
static void FillTrailer(HANDLE printer, DriverDevmode *devmode, PrinterDataBlock *block, BYTE *bytes)
{
    DevmodeTrailer trailer = {};
    trailer.size = DEVMODE_TRAILER_SIZE;
    WORD number = 0;
    WORD paperSize = (WORD)dma_GetTypedValue(devmode, block, FID_PAPER_SIZE, kWordType);
    if (dma_GetTypedValue(devmode, block, FID_TRAILER_PAPER, kByteType) == 1 &&
        opt_PaperIdFromFormIndex(printer, devmode, block, paperSize, &number) == FORM_FOUND) {
        trailer.paperSize = paperSize;
        trailer.paperNumber = number;
        for (WORD &margin : trailer.margins) {
            margin = kDefaultMargin;
        }
    }
    memcpy(bytes + DEVMODE_TRAILER_OFFSET, &trailer, sizeof trailer);
}

BOOL ph_BuildJobDevmode(HANDLE printer, LPCWSTR printerName, std::vector<BYTE> *devmode)
{
    DriverContext *context = ddd_OpenContext(printer);
    if (context == NULL) {
        return FALSE;
    }
    PrinterDataBlock *block = (PrinterDataBlock *)GlobalAlloc(GPTR, sizeof(PrinterDataBlock));
    BOOL ok = block != NULL && pd_LoadPrinterData(printer, block, context);
    if (ok) {
        devmode->assign(DEVMODE_WITH_TRAILER_SIZE, 0);
        DriverDevmode *full = (DriverDevmode *)devmode->data();
        opt_SetAllDefaults(context, full, NULL, printerName);
        full->dm.dmSize = DM_PUBLIC_SIZE;
        full->dm.dmDriverExtra = DEVMODE_TRAILER_EXTRA;
        FillTrailer(printer, full, block, devmode->data());
    }
    if (block != NULL) {
        GlobalFree(block);
    }
    ddd_CloseContext(context);
    return ok;
}

BOOL ph_ParseNumber(const char *text, unsigned long *value)
{
    if (text == NULL || *text == 0) {
        return FALSE;
    }
    char *end = NULL;
    *value = strtoul(text, &end, 0);
    return end != NULL && *end == 0 && text[0] != '-';
}

BOOL ph_ApplySetting(const char *assignment, std::vector<BYTE> *devmode, std::string *error)
{
    const char *equals = strchr(assignment, '=');
    unsigned long id = 0;
    std::string idText = equals != NULL ? std::string(assignment, equals - assignment) : std::string();
    if (equals == NULL || !ph_ParseNumber(idText.c_str(), &id) || id == 0 || id > 0xFFFF) {
        *error = std::string("bad --set ") + assignment;
        return FALSE;
    }
    DriverDevmode *full = (DriverDevmode *)devmode->data();
    WORD type = 0;
    DWORD size = 0;
    BYTE current[64] = {};
    if (dma_GetFunctionValue((WORD)id, full, NULL, &type, &size, current) != SST_OK) {
        *error = "setting " + idText + " is not in the DEVMODE";
        return FALSE;
    }
    WORD status = SST_BAD;
    if (type == VT_STRING) {
        std::u16string text;
        for (const char *p = equals + 1; *p != 0; ++p)
            text.push_back((char16_t)(unsigned char)*p);
        const WCHAR *pointer = (const WCHAR *)text.c_str();
        status = dma_SetFunctionValue((WORD)id, full, NULL, type, (DWORD)(text.size() + 1) * 2, &pointer);
    } else {
        unsigned long number = 0;
        if (!ph_ParseNumber(equals + 1, &number)) {
            *error = std::string("bad value in --set ") + assignment;
            return FALSE;
        }
        DWORD value = (DWORD)number;
        status = dma_SetFunctionValue((WORD)id, full, NULL, type, dma_GetTypeWidth(type), &value);
    }
    if (status != SST_OK) {
        *error = std::string("setting refused: ") + assignment;
        return FALSE;
    }
    return TRUE;
}

BOOL ph_StorePrinterSetting(LPCWSTR printerName, const char *assignment, std::string *error)
{
    const char *equals = strchr(assignment, '=');
    unsigned long id = 0;
    unsigned long number = 0;
    std::string idText = equals != NULL ? std::string(assignment, equals - assignment) : std::string();
    if (equals == NULL || !ph_ParseNumber(idText.c_str(), &id) || id == 0 || id > 0xFFFF ||
        !ph_ParseNumber(equals + 1, &number)) {
        *error = std::string("bad --set ") + assignment;
        return FALSE;
    }
    PRINTER_DEFAULTSW access = {NULL, NULL, PRINTER_ALL_ACCESS};
    HANDLE printer = NULL;
    if (!OpenPrinterW((LPWSTR)printerName, &printer, &access)) {
        *error = "the printer cannot be changed";
        return FALSE;
    }
    DriverContext *context = ddd_OpenContext(printer);
    PrinterDataBlock block = {};
    WORD type = 0;
    DWORD size = 0;
    BYTE current[64] = {};
    BOOL stored = context != NULL && pd_LoadPrinterData(printer, &block, context) &&
                  dma_GetFunctionValue((WORD)id, NULL, &block, &type, &size, current) == SST_OK && type != VT_STRING;
    if (stored) {
        DWORD value = (DWORD)number;
        stored = dma_SetFunctionValue((WORD)id, NULL, &block, type, dma_GetTypeWidth(type), &value) == SST_OK &&
                 pd_StorePrinterData(printer, &block, context, 1);
    }
    if (context != NULL)
        ddd_CloseContext(context);
    ClosePrinter(printer);
    if (!stored)
        *error = "setting " + idText + " is in neither the DEVMODE nor the printer data";
    return stored;
}
