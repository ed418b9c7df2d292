/* Number settings, resets, the model code and capabilities for the upgrades. */
#include "core/devmode_upgrade/upgrade_private.h"

#include "core/ddd/ddd_access.h"
#include "core/handlers/setting_handlers.h"
#include "core/settings/settings.h"

BOOL upg_ReadNumber(DriverDevmode *devmode, PrinterDataBlock *block, WORD functionId, DWORD *value)
{
    WORD type = 0;
    DWORD size = 0;
    DWORD_PTR slot = 0;
    if (dma_GetFunctionValue(functionId, devmode, block, &type, &size, &slot) != SST_OK)
        return FALSE;
    if (type == VT_STRING || type == VT_LOGFONT || type == VT_NONE)
        return FALSE;
    *value = dma_ValueToDword(type, &slot);
    return TRUE;
}

BOOL upg_WriteNumber(DriverDevmode *devmode, PrinterDataBlock *block, WORD functionId, DWORD value)
{
    const SettingLocation *row = dma_FindSettingRow(functionId, NULL);
    if (!row)
        return FALSE;
    DWORD width = dma_GetTypeWidth(row->storedType);
    if (width != 1 && width != 2 && width != 4)
        return FALSE;
    if (row->storedType == VT_STRING || row->storedType == VT_LOGFONT)
        return FALSE;
    BYTE byteValue = (BYTE)value;
    WORD wordValue = (WORD)value;
    const void *data = width == 1 ? (const void *)&byteValue : width == 2 ? (const void *)&wordValue : &value;
    return dma_SetFunctionValue(functionId, devmode, block, row->storedType, width, data) == SST_OK;
}

BOOL upg_ResetSetting(const DriverDevmode *defaultDevmode, const PrinterDataBlock *defaultBlock, DriverDevmode *devmode,
                      PrinterDataBlock *block, WORD functionId)
{
    DWORD value = 0;
    return upg_ReadNumber((DriverDevmode *)defaultDevmode, (PrinterDataBlock *)defaultBlock, functionId, &value) &&
           upg_WriteNumber(devmode, block, functionId, value);
}

BOOL upg_GetModelCode(DriverContext *context, WORD *code)
{
    DefaultRequest request = {context, FID_MODEL_CODE, NULL, NULL, 0, 0, 0};
    int got = opt_GetDefault(&request);
    if (got == OPT_DEFAULT_NONE) {
        *code = 0;
        return TRUE;
    }
    if (got != OPT_DEFAULT_OK)
        return FALSE;
    *code = dma_ValueToWord(request.valueType, &request.value);
    return opt_FreeDefault(FID_MODEL_CODE, request.value, request.valueType);
}

BOOL upg_HasCapability(DriverContext *context, DWORD bitOrMask)
{
    return context && context->model && ddd_HasCapability(context->model, bitOrMask) == 1;
}
