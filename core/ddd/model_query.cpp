/* Queries over the description data. */
#include "core/ddd/model_query.h"

#include <objbase.h>

#include "core/settings/function_ids.h"
#include "core/settings/setting_rules.h"
#include "core/util/global_block.h"
#include "core/util/host_env.h"

/* The device configuration class and the interface asked of it. */
static const CLSID kDeviceConfigClass = {0xF2A5AEC9, 0x686E, 0x4C95, {0xBD, 0x6D, 0xDD, 0x58, 0xDD, 0x40, 0xE3, 0xA7}};
static const IID kDeviceConfigInterface = {
    0xF8CEAD2F, 0xBF3E, 0x4DA0, {0xA9, 0x61, 0x29, 0x74, 0x14, 0xCF, 0xCA, 0x4C}};

static BOOL host_app_matches(const WCHAR *pattern, const WCHAR *program);
static LONG option_value(const DddValue *value);
static BOOL contains_upper(const WCHAR *text, const WCHAR *part);

/* 1 when part, upper-cased, occurs in text, upper-cased. */
static BOOL contains_upper(const WCHAR *text, const WCHAR *part)
{
    WCHAR *upperText = util_DupWide(text);
    WCHAR *upperPart = util_DupWide(part);
    BOOL found = FALSE;
    if (upperText != nullptr && upperPart != nullptr) {
        CharUpperW(upperText);
        CharUpperW(upperPart);
        int n = lstrlenW(upperText);
        int m = lstrlenW(upperPart);
        for (int i = 0; i + m <= n && !found; i++) {
            int k = 0;
            while (k < m && upperText[i + k] == upperPart[k])
                k++;
            found = k == m;
        }
    }
    util_GlobalFreeIfSet(upperPart);
    util_GlobalFreeIfSet(upperText);
    return found;
}

/* A host-application name against the program name: equal without case, or "*rest" with
 * rest found inside the program name. */
static BOOL host_app_matches(const WCHAR *pattern, const WCHAR *program)
{
    if (pattern == nullptr || pattern[0] == 0)
        return FALSE;
    if (pattern[0] == '*')
        return contains_upper(program, pattern + 1);
    return lstrcmpiW(pattern, program) == 0;
}

/* An option's value: 16-bit for types 2 and 3, the number for 1 and 10, else 32-bit. */
static LONG option_value(const DddValue *value)
{
    if (value->valueType == DDD_VT_BOOL || value->valueType == DDD_VT_DWORD)
        return (LONG)value->number;
    const BYTE *data = (const BYTE *)value->data;
    if (data == nullptr)
        return 0;
    if (value->valueType == DDD_VT_SHORT && value->size >= 2)
        return (SHORT)(data[0] | data[1] << 8);
    if (value->valueType == DDD_VT_USHORT && value->size >= 2)
        return (WORD)(data[0] | data[1] << 8);
    if (value->size >= 4)
        return (LONG)((DWORD)data[0] | (DWORD)data[1] << 8 | (DWORD)data[2] << 16 | (DWORD)data[3] << 24);
    if (value->size >= 1)
        return data[0];
    return 0;
}

BOOL WINAPI dma_CheckModelMinimum(ModelMinimumRequest *request)
{
    if (request == nullptr)
        return FALSE;
    if (!ddd_HasCapability(request->model, UTIL_CAP_MODEL_MINIMUM))
        return TRUE;
    void *value = nullptr;
    BYTE valueType = 0;
    DWORD size = 0;
    LONG current = 0;
    if (ddd_ReadDefaultValue(FID_MODEL_MINIMUM, request->model, request->base, &value, &valueType, &size) == DDD_OK &&
        value != nullptr && size >= 2 &&
        util_ReadSettingLong(FID_MODEL_MINIMUM_VALUE, request->devmode, request->block, &current)) {
        const BYTE *bytes = (const BYTE *)value;
        WORD minimum = (WORD)(bytes[0] | bytes[1] << 8);
        if (current < minimum)
            request->result = UTIL_MODEL_BELOW_MINIMUM;
    }
    util_GlobalFreeIfSet(value);
    return TRUE;
}

WORD WINAPI dma_GetDeviceFeatureLevel(DriverDevmode *devmode, PrinterDataBlock *block,
                                      const ModelCapabilities *capabilities)
{
    LONG option8211 = 0;
    LONG option4099 = 0;
    LONG option8205 = 0;
    util_ReadSettingLong(FID_DEVICE_OPTION_8211, devmode, block, &option8211);
    util_ReadSettingLong(FID_OPTION_HARD_DISK, devmode, block, &option4099);
    util_ReadSettingLong(FID_JOB_PDL_VERSION, devmode, block, &option8205);
    if (option8211 == 1 || capabilities == nullptr || !ddd_TestCapability(capabilities, 0x20000) || option4099 != 0)
        return 1;
    if (ddd_TestCapability(capabilities, 0x10000) && (DWORD)option8205 >= 0x1010903)
        return 2;
    return 3;
}

WORD WINAPI ddd_GetModelClass(DddFile *model)
{
    if (model == nullptr)
        return 0;
    BYTE stored = 0xFF;
    DddEntryItemRequest request = {model, DDD_ENTRY_MODEL_CLASS, 1, 0, &stored};
    if (ddd_ReadEntryItem(&request) != DDD_OK || stored > 3)
        return 0;
    return (WORD)(stored + 1);
}

DddStatus WINAPI ddd_GetValueRange(WORD functionId, DddFile *model, DddFile *base, LONG *low, LONG *high)
{
    if (low == nullptr || high == nullptr)
        return DDD_ERROR;
    DddFunctionRequest request = {DDD_LEVEL_MODEL, model, base, functionId, nullptr, 0, 0, nullptr};
    DddStatus status = ddd_GetFunctionRecord(&request);
    if (status != DDD_OK)
        return status;
    LONG values[2] = {};
    for (WORD n = 1; n <= 2 && status == DDD_OK; n++) {
        WORD type = 0;
        void *option = nullptr;
        status = ddd_FetchOptionRecord(DDD_LEVEL_MODEL, 0, model, base, request.record, n, &type, &option);
        if (status == DDD_OK)
            values[n - 1] = option_value(&((const DddOption *)option)->value);
        if (option != nullptr)
            ddd_FreeRecord(&option, type);
    }
    ddd_FreeRecord(&request.record, request.type);
    if (status != DDD_OK)
        return status == 2 ? DDD_ERROR : status;
    *low = values[0];
    *high = values[1];
    return DDD_OK;
}

BOOL WINAPI ddd_IsModelClass3Or4(DddFile *model)
{
    WORD modelClass = ddd_GetModelClass(model);
    return modelClass == 3 || modelClass == 4;
}

BOOL WINAPI dma_IsFaxOutput(const FaxOutputRequest *request)
{
    if (request == nullptr)
        return FALSE;
    WORD modelClass = ddd_GetModelClass(request->model);
    if (modelClass == 2)
        return TRUE;
    LONG jobType = 0;
    return modelClass == 4 && util_ReadSettingLong(FID_JOB_TYPE, request->devmode, nullptr, &jobType) && jobType == 5;
}

WORD WINAPI util_FindHostAppRecord(DddFile *model, DddFile *base)
{
    WCHAR *program = util_GetHostProcessName();
    if (program == nullptr)
        return 0;
    DddRecordCountRequest countRequest = {model, DDD_TYPE_HOST_APP};
    WORD count = ddd_GetRecordCount(&countRequest);
    WORD found = 0;
    for (WORD index = 1; index <= count && found == 0; index++) {
        DddFetchRequest fetch = {DDD_LEVEL_MODEL, model, base, DDD_TYPE_HOST_APP, index, nullptr};
        if (ddd_FetchRecordByIndex(&fetch) != DDD_OK || fetch.record == nullptr)
            continue;
        if (host_app_matches(((const DddRowSet *)fetch.record)->text, program))
            found = index;
        ddd_FreeRecord(&fetch.record, DDD_TYPE_HOST_APP);
    }
    GlobalFree(program);
    return found;
}

BOOL WINAPI util_IsComServerAvailable(ComServerRequest *request)
{
    if (request == nullptr || request->model == nullptr)
        return FALSE;
    if (!ddd_HasCapability(request->model, UTIL_CAP_COM_SERVER))
        return TRUE;
    HRESULT entered = CoInitialize(nullptr);
    IUnknown *object = nullptr;
    HRESULT created = CoCreateInstance(kDeviceConfigClass,
                                       nullptr,
                                       CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER,
                                       kDeviceConfigInterface,
                                       (void **)&object);
    if (SUCCEEDED(created) && object != nullptr) {
        object->Release();
        request->available = 1;
    }
    // Every successful entry, S_FALSE included, is balanced: the caller's thread keeps its
    // apartment as it was.
    if (SUCCEEDED(entered))
        CoUninitialize();
    return TRUE;
}
