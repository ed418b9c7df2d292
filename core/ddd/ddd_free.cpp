/*
 * Ownership of parsed records: the blocks a record owns are chained in its head and freed
 * with it; type-128 value lists are loaded into their record on demand.
 */
#include "core/ddd/ddd.h"

#include "core/ddd/ddd_private.h"
#include "core/nodelist/nodelist.h"

static WORD free_Group(WORD type);

/*
 * The destructor group of a type: types sharing a layout share a group; 0 for types
 * freed as one plain block.
 */
static WORD free_Group(WORD type)
{
    switch (type) {
    case 4: return 3;
    case 6: return 5;
    case 8: return 7;
    case 14: return 13;
    case 24: return 21;
    case DDD_TYPE_HEADER:
    case DDD_KIND_VALUE_ELEMENT:
    case DDD_KIND_DATA_COPY:
    case DDD_KIND_ITEM_LIST: return type;
    default: return type >= DDD_TYPE_FIRST && type <= DDD_TYPE_LAST ? type : 0;
    }
}

DddStatus ddd_FreeRecord(void **record, WORD type)
{
    if (!record || !*record) {
        return DDD_ERROR;
    }
    if (type == 0 || type == DDD_TYPE_HEADER_NAME) {
        GlobalFree(*record);
        *record = NULL;
        return DDD_OK;
    }
    DddRecordHead *head = (DddRecordHead *)*record;
    WORD own = free_Group(head->type);
    if (type != DDD_FREE_OWN_TYPE && free_Group(type) != own) {
        return DDD_ERROR;
    }
    if (own != 0) {
        DddOwned *node = head->owned;
        while (node) {
            DddOwned *next = node->next;
            GlobalFree(node->block);
            GlobalFree(node);
            node = next;
        }
    }
    if (own == 17) {
        ui_FreeMemory(head);
    } else {
        GlobalFree(head);
    }
    *record = NULL;
    return DDD_OK;
}

DddStatus ddd_LoadValueList(DddFile *model, DddFile *base, DddRecordHead *record, DddValue *value)
{
    if (!record || !value || value->valueType != DDD_VT_VALUE_LIST) {
        return DDD_ERROR;
    }
    DddFile *holder = NULL;
    WORD level = 0;
    DddStatus status =
        ddd_LocateRecord(DDD_BY_KEY, model, base, record->level, 20, (WORD)value->number, &holder, &level);
    if (status != DDD_OK) {
        return status;
    }
    DddParseRequest request = {0, holder, model, base, 20, level, NULL};
    status = ddd_ParseRecord(&request);
    if (status != DDD_OK) {
        return status;
    }
    DddValueList *list = (DddValueList *)request.record;
    BYTE type = list->elementType;
    WORD size = list->elementSize;
    WORD count = list->count;
    const BYTE *elements = list->elements;
    void *block = list;
    ddd_FreeRecord(&block, DDD_FREE_OWN_TYPE);
    if (type == DDD_VT_BOOL || type == DDD_VT_DWORD) {
        if ((type == DDD_VT_BOOL && size != 1) || (type == DDD_VT_DWORD && size != 4)) {
            return DDD_ERROR;
        }
        DWORD *copy = NULL;
        if (count > 0) {
            copy = (DWORD *)ddd_RecordAlloc(record, (DWORD)count * sizeof(DWORD));
            if (!copy) {
                return DDD_NO_MEMORY;
            }
        }
        for (WORD i = 0; i < count; ++i) {
            const BYTE *p = elements + (DWORD)i * size;
            copy[i] = type == DDD_VT_BOOL ? (p[0] ? 1 : 0) : ddd_Dword(p);
        }
        value->data = copy;
        size = sizeof(DWORD);
    } else {
        value->data = elements;
    }
    value->valueType = type;
    value->size = size;
    value->count = count;
    return DDD_OK;
}

void *ddd_RecordAlloc(DddRecordHead *record, DWORD size)
{
    void *block = GlobalAlloc(GPTR, size ? size : 1);
    if (!block) {
        return NULL;
    }
    return ddd_RecordOwn(record, block) == DDD_OK ? block : NULL;
}

DddStatus ddd_RecordOwn(DddRecordHead *record, void *block)
{
    DddOwned *node = (DddOwned *)GlobalAlloc(GPTR, sizeof(DddOwned));
    if (!node) {
        GlobalFree(block);
        return DDD_NO_MEMORY;
    }
    node->block = block;
    node->next = record->owned;
    record->owned = node;
    return DDD_OK;
}

const void *ddd_ValueData(const DddValue *value)
{
    if (!value) {
        return NULL;
    }
    if (value->valueType == DDD_VT_BOOL || value->valueType == DDD_VT_DWORD) {
        return value->data ? value->data : &value->number;
    }
    return value->data;
}
