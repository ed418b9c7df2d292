/*
 * Item lists (kind 523) for the property sheets: copies of a record's values and keys that
 * stay valid after the files are closed, with the record's data block (kind 522).
 */
#include "core/ddd/ddd_access.h"

#include "core/ddd/ddd_private.h"

static DddStatus items_CopyValues(DddItemList *list, const DddValue *values, WORD count);
static DddStatus items_CopyData(DddItemList *list, DddFile *model, DddFile *base, const DddRecordHead *source,
                                WORD dataKey);
static void items_Source(const DddRecordHead *record, const DddValue **values, WORD *count, const DddKeyArray **keys,
                         WORD *dataKey);

/* Copies values and the bytes they point at into blocks owned by the list. */
static DddStatus items_CopyValues(DddItemList *list, const DddValue *values, WORD count)
{
    if (count == 0) {
        return DDD_OK;
    }
    list->values = (DddValue *)ddd_RecordAlloc(&list->head, (DWORD)count * sizeof(DddValue));
    if (!list->values) {
        return DDD_NO_MEMORY;
    }
    for (WORD i = 0; i < count; ++i) {
        DddValue *copy = &list->values[i];
        *copy = values[i];
        if (values[i].data) {
            DWORD bytes = values[i].size * (values[i].count > 1 ? values[i].count : 1);
            void *block = ddd_RecordAlloc(&list->head, bytes);
            if (!block) {
                return DDD_NO_MEMORY;
            }
            CopyMemory(block, values[i].data, bytes);
            copy->data = block;
        }
    }
    list->count = count;
    return DDD_OK;
}

/* Copies the data block of the type-18 record dataKey (0 or missing: none). */
static DddStatus items_CopyData(DddItemList *list, DddFile *model, DddFile *base, const DddRecordHead *source,
                                WORD dataKey)
{
    if (dataKey == 0) {
        return DDD_OK;
    }
    void *found = NULL;
    DddStatus status = ddd_FetchRecordByKey(source->level, model, base, 18, dataKey, 0, &found);
    if (status == DDD_NOT_FOUND) {
        return DDD_OK;
    }
    if (status != DDD_OK) {
        return status;
    }
    const DddDataBlock *block = (const DddDataBlock *)found;
    DddDataCopy *copy = (DddDataCopy *)ddd_RecordAlloc(&list->head, sizeof(DddDataCopy));
    BYTE *bytes = copy ? (BYTE *)ddd_RecordAlloc(&list->head, block->length) : NULL;
    if (bytes) {
        copy->head.type = DDD_KIND_DATA_COPY;
        copy->head.key = dataKey;
        copy->head.level = block->head.level;
        copy->head.format = block->head.format;
        copy->length = block->length;
        copy->data = bytes;
        CopyMemory(bytes, block->data, block->length);
        list->data = copy;
    }
    ddd_FreeRecord(&found, DDD_FREE_OWN_TYPE);
    return bytes ? DDD_OK : DDD_NO_MEMORY;
}

/* The values, keys and data key a record of each type hands to an item list. */
static void items_Source(const DddRecordHead *record, const DddValue **values, WORD *count, const DddKeyArray **keys,
                         WORD *dataKey)
{
    *values = NULL;
    *count = 0;
    *keys = NULL;
    *dataKey = 0;
    switch (record->type) {
    case 3:
    case 4:
        *keys = &((const DddDefinition *)record)->options;
        *dataKey = ((const DddDefinition *)record)->dataKey;
        return;
    case 13:
    case 14:
        *values = &((const DddOption *)record)->value;
        *count = 1;
        *dataKey = ((const DddOption *)record)->dataKey;
        return;
    case 5:
    case 6: *keys = &((const DddSizeRange *)record)->items; return;
    case 7:
    case 8:
        *values = ((const DddValueSet *)record)->flagged.values;
        *count = ((const DddValueSet *)record)->flagged.count;
        return;
    case 9:
        *values = ((const DddItem *)record)->flagged.values;
        *count = ((const DddItem *)record)->flagged.count;
        return;
    case 11:
        *values = ((const DddNamedData *)record)->rows.values;
        *count = ((const DddNamedData *)record)->rows.count;
        return;
    case 15:
        *values = ((const DddType15 *)record)->flagged.values;
        *count = ((const DddType15 *)record)->flagged.count;
        return;
    case 16:
        *values = ((const DddType16 *)record)->flagged.values;
        *count = ((const DddType16 *)record)->flagged.count;
        return;
    case 21:
    case 24:
        *values = ((const DddRowSet *)record)->rows.values;
        *count = ((const DddRowSet *)record)->rows.count;
        return;
    case 22:
        *values = ((const DddType22 *)record)->values.values;
        *count = ((const DddType22 *)record)->values.count;
        return;
    case 23:
        *values = ((const DddType23 *)record)->flagged.values;
        *count = ((const DddType23 *)record)->flagged.count;
        return;
    default: return;
    }
}

DddStatus ddd_BuildItemList(DddItemListRequest *request)
{
    if (!request) {
        return DDD_ERROR;
    }
    request->record = NULL;
    WORD type = 0, key = 0;
    ddd_MapFunctionIdToRecord(request->functionId, &type, &key);
    if (type == DDD_TYPE_HEADER_NAME || (request->optionNumber != 0 && type != 3 && type != 4)) {
        return DDD_ERROR;
    }
    void *source = NULL;
    DddStatus status =
        ddd_FetchRecordByKey(DDD_LEVEL_MODEL, request->model, request->base, type, key, request->optionNumber, &source);
    if (status != DDD_OK) {
        return status;
    }
    const DddRecordHead *head = (const DddRecordHead *)source;
    DddItemList *list = (DddItemList *)GlobalAlloc(GPTR, sizeof(DddItemList));
    if (!list) {
        ddd_FreeRecord(&source, DDD_FREE_OWN_TYPE);
        return DDD_NO_MEMORY;
    }
    list->head.type = DDD_KIND_ITEM_LIST;
    list->head.key = head->key;
    list->head.level = head->level;
    list->head.format = head->format;
    list->sourceType = head->type;
    const DddValue *values = NULL;
    const DddKeyArray *keys = NULL;
    WORD count = 0, dataKey = 0;
    items_Source(head, &values, &count, &keys, &dataKey);
    status = items_CopyValues(list, values, count);
    if (status == DDD_OK && keys && keys->count > 0) {
        list->keys.keys = (WORD *)ddd_RecordAlloc(&list->head, (DWORD)keys->count * sizeof(WORD));
        if (list->keys.keys) {
            CopyMemory(list->keys.keys, keys->keys, (DWORD)keys->count * sizeof(WORD));
            list->keys.count = keys->count;
        } else {
            status = DDD_NO_MEMORY;
        }
    }
    if (status == DDD_OK) {
        status = items_CopyData(list, request->model, request->base, head, dataKey);
    }
    ddd_FreeRecord(&source, DDD_FREE_OWN_TYPE);
    if (status != DDD_OK) {
        void *block = list;
        ddd_FreeRecord(&block, DDD_FREE_OWN_TYPE);
        return status;
    }
    request->record = list;
    return DDD_OK;
}

DddStatus ddd_GetSubRecordItems(DddItemListRequest *request)
{
    if (!request || request->optionNumber == 0) {
        return DDD_ERROR;
    }
    return ddd_BuildItemList(request);
}
