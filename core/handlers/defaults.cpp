/*
 * Defaults: one setting's default from its handler row or the description data with the
 * special settings on top, its release, and the reset of all settings.
 */
#include "core/handlers/setting_handlers.h"

#include "core/settings/settings.h"
#include "core/settings/settings_tables.h"
#include "core/util/global_block.h"

/* Size of a default value: type 6 the string's 2 x length + 2, 9 the record, else the width. */
static DWORD def_SizeOf(WORD valueType, DWORD_PTR value)
{
    if (valueType == VT_STRING || valueType == VT_LOGFONT) {
        return dma_GetValueSize(valueType, (const void *)value, (DWORD)-1);
    }
    return dma_GetTypeWidth(valueType);
}

/* The fixed default of a value spec with flag 1; type 6 as a new block. OK or FAILED. */
static int def_FromSpec(const SettingValueSpec *spec, DefaultRequest *request)
{
    request->valueType = spec->valueType;
    if (spec->valueType != VT_STRING) {
        request->value = spec->value;
        request->size = spec->size == (DWORD)-1 ? dma_GetTypeWidth(spec->valueType) : spec->size;
        return OPT_DEFAULT_OK;
    }
    const WCHAR *text = (const WCHAR *)spec->value;
    DWORD chars = spec->size == (DWORD)-1 ? dma_CountWideChars(text, 0xFFFF) : spec->size;
    WCHAR *copy = (WCHAR *)util_GlobalAllocZero(2 * chars + 2);
    if (!copy) {
        return OPT_DEFAULT_FAILED;
    }
    DWORD length = dma_CountWideChars(text, chars);
    CopyMemory(copy, text, length * sizeof(WCHAR));
    request->value = (DWORD_PTR)copy;
    request->size = def_SizeOf(VT_STRING, request->value);
    return OPT_DEFAULT_OK;
}

/* The default given by the row's handler (command 1). OK or FAILED. */
static int def_FromHandler(const SettingHandlerRow *row, DefaultRequest *request)
{
    if (!row->handler) {
        return OPT_DEFAULT_FAILED;
    }
    SettingItem item;
    item.def = {request->block, request->printerName, &request->valueType, &request->value, &request->size};
    return row->handler(request->context, HC_DEFAULT, request->functionId, &item) ? OPT_DEFAULT_OK : OPT_DEFAULT_FAILED;
}

/* 1 for the number types a setting may hold. */
static BOOL def_IsNumber(WORD valueType)
{
    return valueType != VT_STRING && valueType != VT_LOGFONT && dma_GetTypeWidth(valueType) != 0;
}

/*
 * Converts a database number whose type differs from the one the setting holds (a byte
 * option for a word setting, say) to the setting's type, so that the write takes it.
 */
static void def_ToSettingType(DefaultRequest *request)
{
    const SettingLocation *row = dma_FindSettingRow(request->functionId, nullptr);
    if (!row || !def_IsNumber(request->valueType)) {
        return;
    }
    WORD target = row->presentedType ? row->presentedType : row->storedType;
    if (target == request->valueType || !def_IsNumber(target) || row->storedType == request->valueType) {
        return;
    }
    LONG number = dma_ValueToLong(request->valueType, &request->value);
    DWORD slot = 0;
    dma_StoreValueInSlot(target, &slot, &number);
    request->valueType = target;
    request->value = slot;
}

/*
 * A record default (type 9) of the database as a new zeroed 92-byte block: the 4-byte
 * value of ddd_GetDefaultValue cannot hold it. OK or FAILED.
 */
static int def_RecordFromDatabase(DefaultRequest *request)
{
    WORD status = 0;
    void *raw = nullptr;
    BYTE type = 0;
    if (!ddd_GetDefaultRaw(request->functionId, request->context, &status, &raw, &type)) {
        return OPT_DEFAULT_FAILED;
    }
    DWORD size = sizeof(LOGFONTW);
    void *record = util_GlobalAllocZero(size);
    if (record) {
        DWORD held = util_GlobalBlockSize(raw);
        CopyMemory(record, raw, held < size ? held : size);
    }
    GlobalFree(raw);
    if (!record) {
        return OPT_DEFAULT_FAILED;
    }
    request->valueType = VT_LOGFONT;
    request->value = (DWORD_PTR)record;
    request->size = size;
    return OPT_DEFAULT_OK;
}

/* The database default with its model and locale overrides. OK, NONE or FAILED. */
static int def_FromDatabase(DefaultRequest *request)
{
    DefaultValueRequest read = {request->context, request->functionId, 0, 0, 0};
    if (!ddd_GetDefaultValue(&read)) {
        return read.status == UI_STATUS_PAST_END ? OPT_DEFAULT_NONE : OPT_DEFAULT_FAILED;
    }
    if (read.valueType == VT_LOGFONT) {
        return def_RecordFromDatabase(request);
    }
    request->valueType = read.valueType;
    request->value = read.value;
    def_ToSettingType(request);
    request->size = def_SizeOf(request->valueType, request->value);
    return OPT_DEFAULT_OK;
}

/* Puts a number the special settings hold for the FunctionID in place of the default. */
static void def_ApplySpecial(DefaultRequest *request)
{
    if (!request->context || !request->context->special || request->valueType == VT_STRING ||
        request->valueType == VT_LOGFONT) {
        return;
    }
    WORD type = 0;
    DWORD slot = 0;
    if (!opt_GetSpecialSettingValue(request->context->special, request->functionId, &type, &slot)) {
        return;
    }
    request->valueType = type;
    request->value = slot;
    request->size = dma_GetTypeWidth(type);
}

int WINAPI opt_GetDefault(DefaultRequest *request)
{
    if (!request) {
        return OPT_DEFAULT_FAILED;
    }
    request->valueType = 0;
    request->size = 0;
    request->value = 0;
    const SettingDescriptor *descriptor = opt_FindDescriptor(request->functionId);
    if (!descriptor) {
        return OPT_DEFAULT_FAILED;
    }
    const SettingHandlerRow *row = descriptor->handler;
    int status;
    if (row && (row->mask & HC_DEFAULT)) {
        status = row->spec && (row->spec->flags & SVS_DEFAULT) ? def_FromSpec(row->spec, request)
                                                               : def_FromHandler(row, request);
    } else {
        status = def_FromDatabase(request);
    }
    if (status != OPT_DEFAULT_OK) {
        return status;
    }
    def_ApplySpecial(request);
    return OPT_DEFAULT_OK;
}

BOOL WINAPI opt_FreeDefault(WORD functionId, DWORD_PTR value, WORD valueType)
{
    /* Records (the database's included) and the strings of a handler row are blocks of
       their own; everything else the description data releases (numbers own nothing). */
    const SettingDescriptor *descriptor = opt_FindDescriptor(functionId);
    const SettingHandlerRow *row = descriptor ? descriptor->handler : nullptr;
    BOOL rowBlock = row && (row->mask & HC_DEFAULT) && valueType == VT_STRING;
    if (rowBlock || valueType == VT_LOGFONT) {
        return value && GlobalFree((HGLOBAL)value) == nullptr;
    }
    return ddd_FreeDefaultValue(value, valueType);
}

/* Gets, writes and releases one default. Returns its result as opt_GetDefault, FAILED when
 * the write or the release failed. */
static int def_Write(DefaultRequest *request, DriverDevmode *devmode)
{
    int status = opt_GetDefault(request);
    if (status != OPT_DEFAULT_OK) {
        return status;
    }
    BOOL written = dma_SetValueSized(
        request->functionId, devmode, request->block, request->size, request->valueType, &request->value);
    BOOL released = opt_FreeDefault(request->functionId, request->value, request->valueType);
    return written && released ? OPT_DEFAULT_OK : OPT_DEFAULT_FAILED;
}

BOOL WINAPI opt_SetDefaultValue(const SetDefaultRequest *request)
{
    if (!request) {
        return FALSE;
    }
    if (!opt_FindDescriptor(request->functionId)) {
        return TRUE;
    }
    DefaultRequest get = {request->context, request->functionId, request->block, nullptr, 0, 0, 0};
    return def_Write(&get, request->devmode) != OPT_DEFAULT_FAILED;
}

/* Writes the defaults of one group in table order; the first failure ends it. 1 or 0. */
static BOOL def_SetGroup(DriverContext *context, DriverDevmode *devmode, PrinterDataBlock *block,
                         const WCHAR *printerName, const SettingDescriptor *descriptors, DWORD count)
{
    for (DWORD i = 0; i < count; ++i) {
        DefaultRequest request = {context, (WORD)descriptors[i].functionId, block, printerName, 0, 0, 0};
        if (def_Write(&request, devmode) == OPT_DEFAULT_FAILED) {
            return FALSE;
        }
    }
    return TRUE;
}

BOOL WINAPI opt_SetAllDefaults(DriverContext *context, DriverDevmode *devmode, PrinterDataBlock *block,
                               const WCHAR *printerName)
{
    if (devmode) {
        dm_ClearDevmode(devmode, 0);
    }
    if (block) {
        ZeroMemory(block, sizeof(*block));
    }
    /* Every group's outcome counts: a failure in an early group is not hidden by later ones. */
    BOOL result = TRUE;
    for (WORD group = 0; group < SETTING_RANGE_COUNT; ++group) {
        DWORD count = 0;
        WORD kind = 0;
        const SettingDescriptor *descriptors = nullptr;
        if (!opt_GetSettingGroup(&count, &kind, &descriptors, group)) {
            continue;
        }
        if (kind == SK_PRINTER_DATA ? !block : !devmode) {
            continue;
        }
        if (!def_SetGroup(context, devmode, block, printerName, descriptors, count)) {
            result = FALSE;
        }
    }
    return result;
}
