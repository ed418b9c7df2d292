/*
 * Lookups over a driver context: definitions, item lists, defaults, option values and
 * targets, paper sizes, names and entries (driver_context.h).
 */
#include "core/context/driver_context.h"

#include "core/settings/settings.h"

static BOOL lookup_Fail(WORD *status, WORD value);
static BOOL lookup_Usable(const DriverContext *context);
static DddStatus lookup_Definition(DriverContext *context, WORD functionId, DddDefinition **definition);
static LONG lookup_OptionNumber(DriverContext *context, const DddDefinition *definition, WORD n, BOOL *ok);

/* Writes a status when its output is given; 0. */
static BOOL lookup_Fail(WORD *status, WORD value)
{
    if (status) {
        *status = value;
    }
    return FALSE;
}

/* 1 when the context has its model file open. */
static BOOL lookup_Usable(const DriverContext *context)
{
    return context && context->model && context->model->bytes && context->base;
}

/* The FunctionID's definition record (types 3 and 4 only; 1 for another record). */
static DddStatus lookup_Definition(DriverContext *context, WORD functionId, DddDefinition **definition)
{
    *definition = NULL;
    DddFunctionRequest request = {DDD_LEVEL_MODEL, context->model, context->base, functionId, NULL, 0, 0, NULL};
    DddStatus status = ddd_GetFunctionRecord(&request);
    if (status != DDD_OK) {
        return status;
    }
    if (request.type != 3 && request.type != 4) {
        ddd_FreeRecord(&request.record, DDD_FREE_OWN_TYPE);
        return DDD_ERROR;
    }
    *definition = (DddDefinition *)request.record;
    return DDD_OK;
}

/* The value of option n of a definition as a signed number. */
static LONG lookup_OptionNumber(DriverContext *context, const DddDefinition *definition, WORD n, BOOL *ok)
{
    void *option = NULL;
    *ok = FALSE;
    if (ddd_FetchOptionRecord(definition->head.level, 0, context->model, context->base, definition, n, NULL, &option) !=
        DDD_OK) {
        return 0;
    }
    const DddValue *value = &((const DddOption *)option)->value;
    LONG number = dma_ValueToLong(value->valueType, ddd_ValueData(value));
    *ok = value->valueType != DDD_VT_STRING && value->valueType != DDD_VT_LOGFONT;
    ddd_FreeRecord(&option, DDD_FREE_OWN_TYPE);
    return number;
}

BOOL WINAPI ddd_FetchOptionTarget(OptionTargetRequest *request, WORD *status, DriverContext *context)
{
    if (!request || !request->value || !lookup_Usable(context)) {
        return lookup_Fail(status, UI_STATUS_FAILED);
    }
    request->record = NULL;
    DddFunctionRequest find = {
        DDD_LEVEL_MODEL, context->model, context->base, request->functionId, request->value, 0, 0, NULL};
    DddStatus result = ddd_GetFunctionRecord(&find);
    if (result != DDD_OK) {
        return lookup_Fail(status, ddd_ToUiStatus(result));
    }
    const DddRecordHead *head = (const DddRecordHead *)find.record;
    if (head->type != 13 && head->type != 14) {
        ddd_FreeRecord(&find.record, DDD_FREE_OWN_TYPE);
        return lookup_Fail(status, UI_STATUS_FAILED);
    }
    const DddOption *option = (const DddOption *)find.record;
    if (option->targetType == 0) {
        ddd_FreeRecord(&find.record, DDD_FREE_OWN_TYPE);
        return lookup_Fail(status, UI_STATUS_FAILED);
    }
    result = ddd_FetchRecordByKey(
        option->head.level, context->model, context->base, option->targetType, option->targetKey, 0, &request->record);
    ddd_FreeRecord(&find.record, DDD_FREE_OWN_TYPE);
    if (result != DDD_OK) {
        return lookup_Fail(status, ddd_ToUiStatus(result));
    }
    return !lookup_Fail(status, UI_STATUS_OK);
}

BOOL WINAPI ddd_FreeDefaultValue(DWORD_PTR value, WORD valueType)
{
    /* Only a string owns a block. A number, zero included, is held by value and releases
       nothing: answering 0 for a default of 0 would make every caller that checks the
       release fail on a perfectly good default. */
    if (valueType != DDD_VT_STRING) {
        return TRUE;
    }
    if (!value) {
        return FALSE;
    }
    return GlobalFree((HGLOBAL)value) == NULL;
}

BOOL WINAPI ddd_FreeRecordBlock(void *record)
{
    if (!record) {
        return FALSE;
    }
    GlobalFree(record);
    return TRUE;
}

WCHAR *WINAPI ddd_GetContextHeaderName(DriverContext *context, WORD *status)
{
    if (!lookup_Usable(context)) {
        lookup_Fail(status, UI_STATUS_FAILED);
        return NULL;
    }
    WORD result = DDD_ERROR;
    WCHAR *name = ddd_GetHeaderName(context->model, &result);
    if (status) {
        *status = name ? UI_STATUS_OK : (result == DDD_ERROR ? UI_STATUS_FAILED : UI_STATUS_NO_MEMORY);
    }
    return name;
}

BOOL WINAPI ddd_GetDefaultPaperSizes(PaperSizesRequest *request)
{
    if (!request) {
        return FALSE;
    }
    DefaultValueRequest value = {request->context, request->functionId, 0, 0, 0};
    if (!ddd_GetDefaultValue(&value)) {
        return lookup_Fail(&request->status, value.status);
    }
    if (value.valueType == DDD_VT_STRING) {
        ddd_FreeDefaultValue(value.value, value.valueType);
        return lookup_Fail(&request->status, UI_STATUS_FAILED);
    }
    DWORD slot = (DWORD)value.value;
    request->value = &slot;
    BOOL result = ddd_GetOptionPaperSizes(request);
    request->value = NULL;
    return result;
}

BOOL WINAPI ddd_GetDefaultRaw(WORD functionId, DriverContext *context, WORD *status, void **block, BYTE *valueType)
{
    if (!block || !lookup_Usable(context)) {
        return lookup_Fail(status, UI_STATUS_FAILED);
    }
    *block = NULL;
    BYTE type = 0;
    DWORD size = 0;
    DddStatus result = ddd_ReadDefaultValue(functionId, context->model, context->base, block, &type, &size);
    if (result != DDD_OK) {
        return lookup_Fail(status, ddd_ToUiStatus(result));
    }
    if (valueType) {
        *valueType = type;
    }
    return !lookup_Fail(status, UI_STATUS_OK);
}

BOOL WINAPI ddd_GetDefaultValue(DefaultValueRequest *request)
{
    if (!request) {
        return FALSE;
    }
    request->value = 0;
    request->valueType = 0;
    if (!lookup_Usable(request->context)) {
        return lookup_Fail(&request->status, UI_STATUS_FAILED);
    }
    DddDefaultRequest read = {request->context->model, request->context->base, request->functionId, NULL, 0, 0};
    DddStatus result = ddd_GetDefaultWithOverrides(&read);
    if (result != DDD_OK) {
        return lookup_Fail(&request->status, ddd_ToUiStatus(result));
    }
    request->valueType = read.valueType;
    if (read.valueType == DDD_VT_STRING) {
        request->value = (DWORD_PTR)read.value;
        return !lookup_Fail(&request->status, UI_STATUS_OK);
    }
    /* Copy by the type's width, never more than the block holds. */
    DWORD slot = 0;
    switch (read.valueType) {
    case DDD_VT_BYTE: slot = read.size >= 1 ? *(const BYTE *)read.value : 0; break;
    case DDD_VT_SHORT: slot = read.size >= 2 ? (DWORD)(LONG) * (const SHORT *)read.value : 0; break;
    case DDD_VT_USHORT: slot = read.size >= 2 ? *(const WORD *)read.value : 0; break;
    default: CopyMemory(&slot, read.value, read.size < sizeof(slot) ? read.size : sizeof(slot)); break;
    }
    GlobalFree(read.value);
    request->value = slot;
    return !lookup_Fail(&request->status, UI_STATUS_OK);
}

WCHAR *WINAPI ddd_GetDefaultOptionName(DriverContext *context, WORD functionId, WORD *status)
{
    DddDefinition *definition = NULL;
    if (!lookup_Usable(context)) {
        lookup_Fail(status, UI_STATUS_FAILED);
        return NULL;
    }
    DddStatus result = lookup_Definition(context, functionId, &definition);
    void *option = NULL;
    if (result == DDD_OK) {
        result = ddd_FetchOptionRecord(
            definition->head.level, 1, context->model, context->base, definition, 0, NULL, &option);
        ddd_FreeRecord((void **)&definition, DDD_FREE_OWN_TYPE);
    }
    if (result != DDD_OK) {
        lookup_Fail(status, ddd_ToUiStatus(result));
        return NULL;
    }
    const WCHAR *caption = ((const DddOption *)option)->caption;
    WCHAR *copy = NULL;
    WORD outcome = UI_STATUS_FAILED;
    if (caption) {
        DWORD bytes = (DWORD)(lstrlenW(caption) + 1) * sizeof(WCHAR);
        copy = (WCHAR *)GlobalAlloc(GPTR, bytes);
        if (copy) {
            CopyMemory(copy, caption, bytes);
        }
        outcome = copy ? UI_STATUS_OK : UI_STATUS_NO_MEMORY;
    }
    ddd_FreeRecord(&option, DDD_FREE_OWN_TYPE);
    lookup_Fail(status, outcome);
    return copy;
}

int WINAPI ddd_GetDeviceFlagByte(DriverContext *context)
{
    if (!lookup_Usable(context) || ddd_GetEntryCount(context->model, 7) == 0) {
        return -1;
    }
    return (int)ddd_GetEntryNumber(context->model, 7, 1, 0);
}

WORD WINAPI ddd_GetEntry4Word(DddFile *model)
{
    return model ? (WORD)ddd_GetCopyLimit(model) : 0;
}

BOOL WINAPI ddd_GetFunctionDef(FunctionDefRequest *request)
{
    if (!request) {
        return FALSE;
    }
    request->controlKind = 0;
    request->optionCount = 0;
    request->caption = NULL;
    request->record = NULL;
    if (!lookup_Usable(request->context)) {
        return lookup_Fail(&request->status, UI_STATUS_FAILED);
    }
    DddDefinition *definition = NULL;
    DddStatus result = lookup_Definition(request->context, request->functionId, &definition);
    if (result != DDD_OK) {
        return lookup_Fail(&request->status, ddd_ToUiStatus(result));
    }
    request->controlKind = definition->controlKind;
    request->optionCount = definition->options.count;
    request->caption = definition->caption;
    request->record = definition;
    return !lookup_Fail(&request->status, UI_STATUS_OK);
}

BOOL WINAPI ddd_GetFunctionItems(DriverContext *context, WORD functionId, WORD optionNumber, DddItemList **record,
                                 WORD *status)
{
    if (!record || !lookup_Usable(context)) {
        return lookup_Fail(status, UI_STATUS_FAILED);
    }
    DddItemListRequest request = {context->model, context->base, functionId, optionNumber, NULL};
    DddStatus result = ddd_BuildItemList(&request);
    *record = request.record;
    if (result != DDD_OK) {
        return lookup_Fail(status, ddd_ToUiStatus(result));
    }
    return !lookup_Fail(status, UI_STATUS_OK);
}

BOOL WINAPI ddd_GetItemsFields(const DddItemList *list, const void **data, const WCHAR **text, WORD *type,
                               const DddDataCopy **block)
{
    const DddValue *value = (list && list->count > 0) ? &list->values[0] : NULL;
    if (data) {
        *data = value ? ddd_ValueData(value) : NULL;
    }
    if (text) {
        *text = (value && value->valueType == DDD_VT_STRING) ? (const WCHAR *)value->data : NULL;
    }
    if (type) {
        *type = value ? value->valueType : 0;
    }
    if (block) {
        *block = list ? list->data : NULL;
    }
    return value != NULL;
}

BOOL WINAPI ddd_GetOptionPaperSizes(PaperSizesRequest *request)
{
    if (!request) {
        return FALSE;
    }
    OptionTargetRequest target = {request->functionId, request->value, NULL};
    WORD status = UI_STATUS_FAILED;
    if (!ddd_FetchOptionTarget(&target, &status, request->context)) {
        return lookup_Fail(&request->status, status);
    }
    BOOL found = ddd_GetPaperMinSize(target.record, &request->minSize) == DDD_OK &&
                 ddd_GetPaperMaxSize(target.record, &request->maxSize) == DDD_OK;
    ddd_FreeRecord(&target.record, DDD_FREE_OWN_TYPE);
    return found ? !lookup_Fail(&request->status, UI_STATUS_OK) : lookup_Fail(&request->status, UI_STATUS_FAILED);
}

/*
 * A range (control kind 4 or 6) keeps its minimum and maximum in options 1 and 2: every
 * value between them is allowed, not only the bounds.
 */
BOOL WINAPI ddd_IsValueInOptions(const ValueInOptionsRequest *request)
{
    if (!request || !request->value || !lookup_Usable(request->context)) {
        return FALSE;
    }
    DriverContext *context = request->context;
    DddDefinition *definition = NULL;
    if (lookup_Definition(context, request->functionId, &definition) != DDD_OK) {
        return FALSE;
    }
    BOOL found = FALSE;
    if (definition->controlKind == 4 || definition->controlKind == 6) {
        BOOL haveMin = FALSE, haveMax = FALSE;
        LONG minimum = lookup_OptionNumber(context, definition, 1, &haveMin);
        LONG maximum = lookup_OptionNumber(context, definition, 2, &haveMax);
        void *first = NULL;
        WORD type = 0;
        if (haveMin && haveMax &&
            ddd_FetchOptionRecord(
                definition->head.level, 0, context->model, context->base, definition, 1, &type, &first) == DDD_OK) {
            LONG value = dma_ValueToLong(((const DddOption *)first)->value.valueType, request->value);
            found = minimum <= value && value <= maximum;
            ddd_FreeRecord(&first, DDD_FREE_OWN_TYPE);
        }
    } else {
        void *option = NULL;
        found = ddd_FindOptionByValue(
                    definition->head.level, context->model, context->base, definition, request->value, NULL, &option) ==
                DDD_OK;
        ddd_FreeRecord(&option, DDD_FREE_OWN_TYPE);
    }
    ddd_FreeRecord((void **)&definition, DDD_FREE_OWN_TYPE);
    return found;
}

BOOL WINAPI ddd_ReleaseRecord(void *record)
{
    if (!record) {
        return FALSE;
    }
    return ddd_FreeRecord(&record, DDD_FREE_OWN_TYPE) == DDD_OK;
}

BOOL WINAPI ddd_ReleaseRecordRef(void **record)
{
    if (!record || !*record) {
        return TRUE;
    }
    ddd_FreeRecord(record, DDD_FREE_OWN_TYPE);
    *record = NULL;
    return TRUE;
}

WORD WINAPI ddd_ToUiStatus(DddStatus status)
{
    switch (status) {
    case DDD_OK: return UI_STATUS_OK;
    case DDD_NOT_FOUND: return UI_STATUS_PAST_END;
    case DDD_NO_MEMORY: return UI_STATUS_NO_MEMORY;
    default: return UI_STATUS_FAILED;
    }
}
