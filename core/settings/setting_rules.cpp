/* Setting rules over several FunctionIDs. */
#include "core/settings/setting_rules.h"

#include "core/settings/settings.h"
#include "core/util/codepage_text.h"

static BOOL copy_setting(WORD from, WORD to, DriverDevmode *devmode, PrinterDataBlock *block);
static LONG passcode_length(WORD functionId, BOOL encoded, DriverDevmode *devmode, PrinterDataBlock *block);

/* Writes setting `to` with the value of `from`, in the type and size `to` holds. */
static BOOL copy_setting(WORD from, WORD to, DriverDevmode *devmode, PrinterDataBlock *block)
{
    LONG value = 0;
    if (!util_ReadSettingLong(from, devmode, block, &value))
        return FALSE;
    WORD type = 0;
    DWORD size = 0;
    BYTE current[4] = {};
    if (dma_GetValue(to, devmode, block, &type, &size, current, nullptr) != SST_OK)
        return FALSE;
    BYTE slot[4] = {};
    if (!dma_StoreValueInSlot(type, slot, &value))
        return FALSE;
    return dma_SetValue(to, devmode, block, type, size, slot) == SST_OK;
}

/* Characters of a passcode setting (decoded first when encoded); -1 when unreadable. */
static LONG passcode_length(WORD functionId, BOOL encoded, DriverDevmode *devmode, PrinterDataBlock *block)
{
    WORD type = 0;
    DWORD size = 0;
    DWORD_PTR value = 0;
    if (dma_GetFunctionValue(functionId, devmode, block, &type, &size, &value) != SST_OK || type != VT_STRING ||
        value == 0)
        return -1;
    const WCHAR *text = (const WCHAR *)value;
    if (!encoded)
        return lstrlenW(text);
    TranscodeRequest request = {UTIL_TRANSCODE_DECODE, text, nullptr};
    if (!util_TranscodeStoredText(&request))
        return -1;
    LONG length = lstrlenW(request.result);
    GlobalFree(request.result);
    return length;
}

BOOL WINAPI dm_GetCustomPaperSize(CustomPaperSizeRequest *request)
{
    if (request == nullptr)
        return FALSE;
    BOOL width = util_ReadSettingLong(FID_CUSTOM_WIDTH, request->devmode, request->block, &request->width);
    BOOL length = util_ReadSettingLong(FID_CUSTOM_LENGTH, request->devmode, request->block, &request->length);
    return width && length;
}

BOOL WINAPI dm_LimitResolutionForPaperSize(DriverDevmode *devmode)
{
    if (devmode == nullptr)
        return FALSE;
    LONG width = devmode->dm.dmPaperWidth;
    LONG length = devmode->dm.dmPaperLength;
    // A zero or negative dimension would divide by zero or give a meaningless limit.
    if (width <= 0 || length <= 0)
        return FALSE;
    LONG limit = DM_RESOLUTION_LIMIT_PRODUCT / (width > length ? width : length);
    if (devmode->dm.dmPrintQuality <= limit)
        return TRUE;
    short lowered;
    if (limit > 600)
        lowered = 600;
    else if (limit > 300)
        lowered = 300;
    else if (limit >= 201)
        lowered = 200;
    else
        return FALSE;
    devmode->dm.dmPrintQuality = lowered;
    devmode->dm.dmYResolution = lowered;
    return TRUE;
}

BOOL WINAPI dm_SyncCustomPaperSize(DWORD direction, DriverDevmode *devmode, PrinterDataBlock *block)
{
    if (direction == DM_SYNC_TO_PUBLIC)
        return copy_setting(FID_CUSTOM_LENGTH, FID_PAPER_LENGTH, devmode, block) &&
               copy_setting(FID_CUSTOM_WIDTH, FID_PAPER_WIDTH, devmode, block);
    if (direction == DM_SYNC_FROM_PUBLIC)
        return copy_setting(FID_PAPER_LENGTH, FID_CUSTOM_LENGTH, devmode, block) &&
               copy_setting(FID_PAPER_WIDTH, FID_CUSTOM_WIDTH, devmode, block);
    return FALSE;
}

BOOL WINAPI dma_NeedsJobStartDialog(DriverDevmode *devmode, PrinterDataBlock *block, BOOL fax)
{
    LONG option5204 = 0;
    LONG option4367 = 0;
    util_ReadSettingLong(FID_DOCUMENT_MONITOR_5204, devmode, block, &option5204);
    util_ReadSettingLong(FID_JOB_START_4367, devmode, block, &option4367);
    return (option5204 != 0 || option4367 != 3) && (!fax || (option5204 != 1 && option4367 != 3));
}

BOOL WINAPI job_CheckPasscodeLength(PasscodeLengthRequest *request)
{
    if (request == nullptr)
        return FALSE;
    request->maximum = request->encoded ? 12 : 4;
    request->minimum = 0;
    if (!util_ReadSettingLong(FID_PASSCODE_MINIMUM, request->devmode, request->block, &request->minimum))
        return FALSE;
    LONG length = passcode_length(
        request->encoded ? FID_ENCODED_PASSCODE : FID_PASSCODE, request->encoded, request->devmode, request->block);
    return length >= 0 && request->minimum <= length && length <= request->maximum;
}

DWORD WINAPI util_GetDeviceOption5200(const SettingsAreas *areas)
{
    LONG value = 0;
    if (areas == nullptr || !util_ReadSettingLong(FID_USER_SIZE_ON, areas->devmode, areas->block, &value))
        return 0;
    return (DWORD)value;
}

BOOL WINAPI util_ReadSettingLong(WORD functionId, DriverDevmode *devmode, PrinterDataBlock *block, LONG *value)
{
    WORD type = 0;
    DWORD size = 0;
    BYTE bytes[4] = {};
    if (value == nullptr || dma_GetValue(functionId, devmode, block, &type, &size, bytes, nullptr) != SST_OK)
        return FALSE;
    if (type == VT_STRING || type == VT_LOGFONT || type == VT_NONE)
        return FALSE;
    *value = dma_ValueToLong(type, bytes);
    return TRUE;
}
