/*
 * Records by index or key, the records behind a FunctionID, and the typed accessors of
 * parsed records. The format-gated accessors test the format number the record was parsed
 * from, so two models of different formats open at once each read their own fields.
 */
#include "core/ddd/ddd_access.h"

#include "core/ddd/ddd_private.h"
#include "core/settings/function_ids.h"

#include <string.h>

/* Format numbers gating accessors. */
#define FORMAT_256 256
#define FORMAT_512 512
#define FORMAT_768 768
#define FORMAT_1280 1280
#define FORMAT_4096 4096
#define FORMAT_HOST_APPS 7935

static const DddRecordHead *rec_Head(const void *record, WORD typeA, WORD typeB);
static DddStatus rec_Fetch(int mode, WORD selector, DddFile *model, DddFile *base, WORD type, WORD value, DWORD flags,
                           void **record);
static int rec_ValueEquals(const DddValue *value, const void *filter);
static DddStatus rec_CopyDib(const DddBitmap *bitmap, BYTE **dib, DWORD *dibLength);

/* The record's head when its type word is typeA or typeB, else NULL. */
static const DddRecordHead *rec_Head(const void *record, WORD typeA, WORD typeB)
{
    const DddRecordHead *head = (const DddRecordHead *)record;
    if (!head || (head->type != typeA && head->type != typeB)) {
        return NULL;
    }
    return head;
}

/* Locates and parses a record by key or index; a by-key record must carry its key. */
static DddStatus rec_Fetch(int mode, WORD selector, DddFile *model, DddFile *base, WORD type, WORD value, DWORD flags,
                           void **record)
{
    *record = NULL;
    DddFile *holder = NULL;
    WORD level = 0;
    DddStatus status = ddd_LocateRecord(mode, model, base, selector, type, value, &holder, &level);
    if (status != DDD_OK) {
        return status;
    }
    DddParseRequest request = {flags, holder, model, base, type, level, NULL};
    status = ddd_ParseRecord(&request);
    if (status != DDD_OK) {
        return status;
    }
    if (mode == DDD_BY_KEY && ((DddRecordHead *)request.record)->key != value) {
        holder->failOffset = holder->position;
        ddd_FreeRecord(&request.record, DDD_FREE_OWN_TYPE);
        return DDD_ERROR;
    }
    *record = request.record;
    return DDD_OK;
}

/* Compares an option's value with a filter by its type; type 9 never matches. */
static int rec_ValueEquals(const DddValue *value, const void *filter)
{
    const void *data = ddd_ValueData(value);
    if (!data || !filter) {
        return 0;
    }
    switch (value->valueType) {
    case DDD_VT_SHORT:
    case DDD_VT_USHORT: return memcmp(data, filter, 2) == 0;
    case DDD_VT_STRING: {
        /* A stored text need not be aligned nor end inside its value: it ends at its
           terminator or at the value's size, whichever comes first. */
        const BYTE *a = (const BYTE *)data;
        const BYTE *b = (const BYTE *)filter;
        DWORD units = value->size / sizeof(WCHAR);
        for (DWORD i = 0;; ++i) {
            WCHAR ca = 0, cb = 0;
            if (i < units) {
                memcpy(&ca, a + i * sizeof(WCHAR), sizeof(WCHAR));
            }
            memcpy(&cb, b + i * sizeof(WCHAR), sizeof(WCHAR));
            if (ca != cb) {
                return 0;
            }
            if (ca == 0) {
                return 1;
            }
        }
    }
    case DDD_VT_FLOAT:
    case DDD_VT_BOOL:
    case DDD_VT_LONG:
    case DDD_VT_ULONG:
    case DDD_VT_DWORD: return memcmp(data, filter, 4) == 0;
    case DDD_VT_BYTE: return *(const BYTE *)data == *(const BYTE *)filter;
    default: return 0;
    }
}

/* A new copy of a bitmap's DIB. */
static DddStatus rec_CopyDib(const DddBitmap *bitmap, BYTE **dib, DWORD *dibLength)
{
    BYTE *copy = (BYTE *)GlobalAlloc(GPTR, bitmap->dibLength ? bitmap->dibLength : 1);
    if (!copy) {
        return DDD_NO_MEMORY;
    }
    CopyMemory(copy, bitmap->dib, bitmap->dibLength);
    *dib = copy;
    *dibLength = bitmap->dibLength;
    return DDD_OK;
}

/* ---- lookups ---- */

DddStatus ddd_DupRecordString(DddFile *model, DddFile *base, WORD functionId, const void *value, WCHAR **text)
{
    if (!text) {
        return DDD_ERROR;
    }
    *text = NULL;
    DddFunctionRequest request = {DDD_LEVEL_MODEL, model, base, functionId, value, 0, 0, NULL};
    if (ddd_GetFunctionRecord(&request) != DDD_OK) {
        return DDD_ERROR;
    }
    if (request.type == DDD_TYPE_HEADER_NAME) {
        *text = (WCHAR *)request.record;
        return DDD_OK;
    }
    const WCHAR *source = ddd_GetRecordString(request.record);
    DddStatus status = DDD_ERROR;
    if (source) {
        DWORD length = 0;
        while (source[length]) {
            ++length;
        }
        WCHAR *copy = (WCHAR *)GlobalAlloc(GPTR, (length + 1) * sizeof(WCHAR));
        if (copy) {
            CopyMemory(copy, source, length * sizeof(WCHAR));
            *text = copy;
            status = DDD_OK;
        } else {
            status = DDD_NO_MEMORY;
        }
    }
    ddd_FreeRecord(&request.record, DDD_FREE_OWN_TYPE);
    return status;
}

DddStatus ddd_FetchOptionRecord(WORD selector, int first, DddFile *model, DddFile *base, const void *definition,
                                WORD optionNumber, WORD *type, void **record)
{
    if (!record) {
        return DDD_ERROR;
    }
    *record = NULL;
    const DddDefinition *def = (const DddDefinition *)rec_Head(definition, 3, 4);
    if (!def) {
        return DDD_ERROR;
    }
    WORD n = first ? def->defaultOption : optionNumber;
    if (n == 0 || n > def->options.count) {
        return first ? DDD_ERROR : DDD_NOT_FOUND;
    }
    WORD optionType = def->head.type == 3 ? 13 : 14;
    if (type) {
        *type = optionType;
    }
    (void)selector;
    return rec_Fetch(DDD_BY_KEY, def->head.level, model, base, optionType, def->options.keys[n - 1], 0, record);
}

DddStatus ddd_FetchRecordByIndex(DddFetchRequest *request)
{
    if (!request) {
        return DDD_ERROR;
    }
    return rec_Fetch(DDD_BY_INDEX,
                     request->selector,
                     request->model,
                     request->base,
                     request->type,
                     request->index,
                     0,
                     &request->record);
}

DddStatus ddd_FetchRecordByKey(WORD selector, DddFile *model, DddFile *base, WORD type, WORD key, WORD optionNumber,
                               void **record)
{
    if (!record) {
        return DDD_ERROR;
    }
    *record = NULL;
    void *found = NULL;
    DddStatus status = rec_Fetch(DDD_BY_KEY, selector, model, base, type, key, 0, &found);
    if (status != DDD_OK || optionNumber == 0) {
        *record = found;
        return status;
    }
    if (type != 3 && type != 4) {
        ddd_FreeRecord(&found, DDD_FREE_OWN_TYPE);
        return DDD_ERROR;
    }
    status = ddd_FetchOptionRecord(selector, 0, model, base, found, optionNumber, NULL, record);
    ddd_FreeRecord(&found, DDD_FREE_OWN_TYPE);
    return status;
}

DddStatus ddd_FetchSubRecord(WORD selector, DddFile *model, DddFile *base, const void *record, WORD subKey,
                             void **option)
{
    if (!option) {
        return DDD_ERROR;
    }
    *option = NULL;
    const DddRecordHead *head = rec_Head(record, 3, 4);
    if (!head) {
        return DDD_ERROR;
    }
    (void)selector;
    return rec_Fetch(DDD_BY_KEY, head->level, model, base, head->type == 3 ? 13 : 14, subKey, 0, option);
}

DddStatus ddd_FindOptionByValue(WORD selector, DddFile *model, DddFile *base, const void *definition,
                                const void *filter, WORD *optionNumber, void **option)
{
    *option = NULL;
    const DddDefinition *def = (const DddDefinition *)rec_Head(definition, 3, 4);
    if (!def || !filter) {
        return DDD_ERROR;
    }
    for (WORD n = 1; n <= def->options.count; ++n) {
        void *candidate = NULL;
        DddStatus status = ddd_FetchOptionRecord(selector, 0, model, base, def, n, NULL, &candidate);
        if (status != DDD_OK) {
            return status;
        }
        if (rec_ValueEquals(&((DddOption *)candidate)->value, filter)) {
            *option = candidate;
            if (optionNumber) {
                *optionNumber = n;
            }
            return DDD_OK;
        }
        ddd_FreeRecord(&candidate, DDD_FREE_OWN_TYPE);
    }
    return DDD_NOT_FOUND;
}

DddStatus ddd_GetFunctionRecord(DddFunctionRequest *request)
{
    if (!request) {
        return DDD_ERROR;
    }
    request->record = NULL;
    request->optionNumber = 0;
    WORD type = 0, key = 0;
    ddd_MapFunctionIdToRecord(request->functionId, &type, &key);
    request->type = type;
    if (type == DDD_TYPE_HEADER_NAME) {
        WORD status = DDD_ERROR;
        request->record = ddd_GetHeaderName(request->model, &status);
        return request->record ? DDD_OK : (status == DDD_ERROR ? DDD_ERROR : DDD_NO_MEMORY);
    }
    void *record = NULL;
    DddStatus status = rec_Fetch(DDD_BY_KEY, request->selector, request->model, request->base, type, key, 0, &record);
    if (status != DDD_OK || !request->filter || (type != 3 && type != 4)) {
        request->record = record;
        return status;
    }
    void *option = NULL;
    status = ddd_FindOptionByValue(
        request->selector, request->model, request->base, record, request->filter, &request->optionNumber, &option);
    ddd_FreeRecord(&record, DDD_FREE_OWN_TYPE);
    if (status == DDD_OK) {
        request->type = ((DddRecordHead *)option)->type;
        request->record = option;
    }
    return status;
}

DddStatus ddd_GetFunctionSubRecord(WORD selector, DddFile *model, DddFile *base, WORD functionId, WORD optionNumber,
                                   WORD *subKey, void **record)
{
    if (!record) {
        return DDD_ERROR;
    }
    *record = NULL;
    WORD type = 0, key = 0;
    ddd_MapFunctionIdToRecord(functionId, &type, &key);
    if (type == 5 || type == 6 || type == 10) {
        DddFetchRequest request = {selector, model, base, type, optionNumber, NULL};
        DddStatus status = ddd_FetchRecordByIndex(&request);
        if (status == DDD_OK && subKey) {
            *subKey = ((DddRecordHead *)request.record)->key;
        }
        *record = request.record;
        return status;
    }
    if (type != 3 && type != 4) {
        return DDD_NOT_FOUND;
    }
    void *found = NULL;
    DddStatus status = rec_Fetch(DDD_BY_KEY, selector, model, base, type, key, 0, &found);
    if (status != DDD_OK) {
        return status;
    }
    const DddDefinition *def = (const DddDefinition *)found;
    if (optionNumber == 0 || optionNumber > def->options.count) {
        ddd_FreeRecord(&found, DDD_FREE_OWN_TYPE);
        return DDD_NOT_FOUND;
    }
    if (subKey) {
        *subKey = def->options.keys[optionNumber - 1];
    }
    *record = found;
    return DDD_OK;
}

const WCHAR *ddd_GetRecordString(const void *record)
{
    const DddRecordHead *head = (const DddRecordHead *)record;
    if (!head) {
        return NULL;
    }
    switch (head->type) {
    case 3:
    case 4: return ((const DddDefinition *)record)->caption;
    case 5:
    case 6: return ((const DddSizeRange *)record)->text;
    case 10: return ((const DddPaper *)record)->name;
    case 11: return ((const DddNamedData *)record)->name;
    case 13:
    case 14: return ((const DddOption *)record)->caption;
    default: return NULL;
    }
}

WORD ddd_GetRecordCount(DddRecordCountRequest *request)
{
    if (!request || !request->file || ddd_SeekTypeList(request->file, request->type) != DDD_OK) {
        return 0;
    }
    WORD count = 0;
    if (ddd_Read(request->file, &count, 2) != DDD_OK) {
        return 0;
    }
    return ddd_Word((const BYTE *)&count);
}

DddStatus ddd_GetRecordText(DddRecordTextRequest *request)
{
    if (!request) {
        return DDD_ERROR;
    }
    request->text = NULL;
    WORD type = request->type;
    if (!(type >= 3 && type <= 6) && type != 10 && type != 11 && type != 13 && type != 14) {
        return DDD_ERROR;
    }
    DddFile *holder = NULL;
    WORD level = 0;
    DddStatus status = ddd_LocateRecord(
        DDD_BY_KEY, request->model, request->base, DDD_LEVEL_MODEL, type, request->key, &holder, &level);
    if (status == DDD_OK && request->optionNumber != 0) {
        status = ddd_LocateSubRecord(
            request->model, request->base, level, type, request->optionNumber, &holder, &level, NULL);
    }
    if (status != DDD_OK) {
        return status;
    }
    /* Types 3-6, 10, 11, 13 and 14 all start with their text. */
    DWORD start = holder->position;
    if (!ddd_Available(holder, start, 6) || ddd_Dword(holder->bytes + start) < 6 ||
        !ddd_Available(holder, start, ddd_Dword(holder->bytes + start))) {
        return DDD_ERROR;
    }
    DddReader reader;
    ddd_ReaderInit(&reader, holder, start + ddd_Dword(holder->bytes + start));
    ddd_ReaderTake(&reader, 6);
    status = ddd_ReaderText(&reader, &request->text);
    if (status != DDD_OK) {
        return status;
    }
    return request->text ? DDD_OK : DDD_NOT_FOUND;
}

void ddd_MapFunctionIdToRecord(WORD functionId, WORD *type, WORD *key)
{
    WORD t = 4;
    WORD k = functionId;
    if (functionId == FID_COLOR_SET_ON || (functionId >= 4363 && functionId <= 4365)) {
        t = 4;
    } else if (functionId >= 4097 && functionId <= 4371) {
        t = 3;
    } else if (functionId == FID_DEVICE_NAME || functionId == FID_MODEL_NAME) {
        t = DDD_TYPE_HEADER_NAME;
    } else if (functionId >= 274 && functionId <= 285) {
        k = (WORD)(274 + (functionId - 274) / 4 * 4);
    } else if (functionId == FID_PSEUDO_PAPER) {
        t = 10;
    } else if (functionId == FID_PSEUDO_RANGE5) {
        t = 5;
    } else if (functionId == FID_PSEUDO_RANGE6) {
        t = 6;
    } else if (functionId == FID_PSEUDO_TYPE19) {
        t = 19;
    }
    if (type) {
        *type = t;
    }
    if (key) {
        *key = k;
    }
}

/* ---- typed accessors ---- */

/* Row n (1-based) of a row array: FunctionID, ValueType, size and value; 2 past the count. */
static DddStatus rec_RowEntry(const DddValueArray *rows, WORD n, WORD *functionId, BYTE *valueType, WORD *size,
                              const void **value)
{
    if (n == 0 || n > rows->count) {
        return DDD_NOT_FOUND;
    }
    const DddValue *row = &rows->values[n - 1];
    if (functionId)
        *functionId = row->functionId;
    if (valueType)
        *valueType = row->valueType;
    if (size)
        *size = (WORD)row->size;
    if (value)
        *value = ddd_ValueData(row);
    return DDD_OK;
}

DddStatus ddd_GetHostAppCount(const void *record, WORD *count)
{
    const DddRowSet *rec = (const DddRowSet *)rec_Head(record, 24, 24);
    if (!rec || !count || rec->head.format <= FORMAT_HOST_APPS) {
        return DDD_ERROR;
    }
    *count = rec->rows.count;
    return DDD_OK;
}

DddStatus ddd_GetHostAppEntry(const void *record, WORD n, WORD *functionId, BYTE *valueType, WORD *size,
                              const void **value)
{
    const DddRowSet *rec = (const DddRowSet *)rec_Head(record, 24, 24);
    if (!rec || rec->head.format <= FORMAT_HOST_APPS) {
        return DDD_ERROR;
    }
    return rec_RowEntry(&rec->rows, n, functionId, valueType, size, value);
}

DddStatus ddd_GetItemBitmap(DddFile *model, DddFile *base, const void *record, WORD *word1, WORD *word2, BYTE **dib,
                            DWORD *dibLength)
{
    const DddItem *rec = (const DddItem *)rec_Head(record, 9, 9);
    if (!rec || !dib || !dibLength) {
        return DDD_ERROR;
    }
    *dib = NULL;
    *dibLength = 0;
    void *bitmap = NULL;
    DddStatus status =
        rec_Fetch(DDD_BY_KEY, rec->head.level, model, base, 12, rec->bitmap.key, DDD_PARSE_BITMAP_DATA, &bitmap);
    if (status != DDD_OK) {
        return status;
    }
    status = rec_CopyDib((const DddBitmap *)bitmap, dib, dibLength);
    if (status == DDD_OK) {
        if (word1)
            *word1 = rec->bitmap.word1;
        if (word2)
            *word2 = rec->bitmap.word2;
    }
    ddd_FreeRecord(&bitmap, DDD_FREE_OWN_TYPE);
    return status;
}

DddStatus ddd_GetNamedDataBlock(const void *record, const BYTE **data, DWORD *length)
{
    const DddNamedData *rec = (const DddNamedData *)rec_Head(record, 11, 11);
    if (!rec || !data || !length) {
        return DDD_ERROR;
    }
    *data = rec->data;
    *length = rec->dataLength;
    return DDD_OK;
}

DddStatus ddd_GetNamedDataText(const void *record, WORD n, const WCHAR **text)
{
    const DddNamedData *rec = (const DddNamedData *)rec_Head(record, 11, 11);
    if (!rec || !text) {
        return DDD_ERROR;
    }
    if (n == 0 || n > rec->texts.count) {
        return DDD_NOT_FOUND;
    }
    *text = rec->texts.texts[n - 1];
    return DDD_OK;
}

DddStatus ddd_GetPaperMargins(const void *record, DddSize *leftTop, DddSize *rightBottom)
{
    const DddPaper *rec = (const DddPaper *)rec_Head(record, 10, 10);
    if (!rec || !leftTop || !rightBottom) {
        return DDD_ERROR;
    }
    *leftTop = rec->margins[0];
    *rightBottom = rec->margins[1];
    return DDD_OK;
}

/* One size block of a paper record, by its place in the record. */
static DddStatus rec_PaperSize(const void *record, int which, DddSize *size)
{
    const DddPaper *rec = (const DddPaper *)rec_Head(record, 10, 10);
    if (!rec || !size) {
        return DDD_ERROR;
    }
    const DddSize *sizes[4] = {&rec->minSize, &rec->maxSize, &rec->minImage, &rec->maxImage};
    *size = *sizes[which];
    return DDD_OK;
}

DddStatus ddd_GetPaperMaxImageSize(const void *record, DddSize *size)
{
    return rec_PaperSize(record, 3, size);
}
DddStatus ddd_GetPaperMaxSize(const void *record, DddSize *size)
{
    return rec_PaperSize(record, 1, size);
}
DddStatus ddd_GetPaperMinImageSize(const void *record, DddSize *size)
{
    return rec_PaperSize(record, 2, size);
}
DddStatus ddd_GetPaperMinSize(const void *record, DddSize *size)
{
    return rec_PaperSize(record, 0, size);
}

DddStatus ddd_GetRangeItem(const void *record, WORD n, WORD *functionId)
{
    const DddSizeRange *rec = (const DddSizeRange *)rec_Head(record, 5, 6);
    if (!rec || !functionId) {
        return DDD_ERROR;
    }
    if (n == 0 || n > rec->items.count) {
        return DDD_NOT_FOUND;
    }
    *functionId = rec->items.keys[n - 1];
    return DDD_OK;
}

/* One size block of a size-range record: 0 its minimum, 1 its maximum. */
static DddStatus rec_RangeSize(const void *record, int which, DddSize *size)
{
    const DddSizeRange *rec = (const DddSizeRange *)rec_Head(record, 5, 6);
    if (!rec || !size) {
        return DDD_ERROR;
    }
    *size = which ? rec->maxSize : rec->minSize;
    return DDD_OK;
}

DddStatus ddd_GetRangeMaxSize(const void *record, DddSize *size)
{
    return rec_RangeSize(record, 1, size);
}
DddStatus ddd_GetRangeMinSize(const void *record, DddSize *size)
{
    return rec_RangeSize(record, 0, size);
}

DddStatus ddd_GetRangeSubWord(const void *record, WORD n, WORD *word)
{
    const DddSizeRange *rec = (const DddSizeRange *)rec_Head(record, 5, 6);
    if (!rec || !word) {
        return DDD_ERROR;
    }
    if (n == 0 || n > rec->subWords.count) {
        return DDD_NOT_FOUND;
    }
    *word = rec->subWords.keys[n - 1];
    return DDD_OK;
}

DddStatus ddd_GetRecord19Flag(const void *record, BYTE *flag)
{
    const DddType19 *rec = (const DddType19 *)rec_Head(record, 19, 19);
    if (!rec || !flag || rec->head.format < FORMAT_512) {
        return DDD_ERROR;
    }
    *flag = rec->flag;
    return DDD_OK;
}

DddStatus ddd_GetRecordExtraWord(const void *record, WORD *word)
{
    const DddRecordHead *head = (const DddRecordHead *)record;
    if (!head || !word) {
        return DDD_ERROR;
    }
    switch (head->type) {
    case 10:
        if (head->format < FORMAT_1280)
            return DDD_ERROR;
        *word = ((const DddPaper *)record)->extraWord;
        return DDD_OK;
    case 11:
        if (head->format < FORMAT_256)
            return DDD_ERROR;
        *word = ((const DddNamedData *)record)->extraWord;
        return DDD_OK;
    case 15:
        if (head->format < FORMAT_1280)
            return DDD_ERROR;
        *word = ((const DddType15 *)record)->extraWord;
        return DDD_OK;
    case 22:
        if (head->format < FORMAT_4096)
            return DDD_ERROR;
        *word = ((const DddType22 *)record)->flags;
        return DDD_OK;
    default: return DDD_ERROR;
    }
}

/* One of the two texts of a type-15 record. */
static DddStatus rec_Type15Text(const void *record, int which, const WCHAR **text)
{
    const DddType15 *rec = (const DddType15 *)rec_Head(record, 15, 15);
    if (!rec || !text) {
        return DDD_ERROR;
    }
    *text = which ? rec->text2 : rec->text1;
    return DDD_OK;
}

DddStatus ddd_GetType15Text1(const void *record, const WCHAR **text)
{
    return rec_Type15Text(record, 0, text);
}
DddStatus ddd_GetType15Text2(const void *record, const WCHAR **text)
{
    return rec_Type15Text(record, 1, text);
}

DddStatus ddd_GetType21Count(const void *record, WORD *count)
{
    const DddRowSet *rec = (const DddRowSet *)rec_Head(record, 21, 21);
    if (!rec || !count || rec->head.format < FORMAT_768) {
        return DDD_ERROR;
    }
    *count = rec->rows.count;
    return DDD_OK;
}

DddStatus ddd_GetType21Entry(const void *record, WORD n, WORD *functionId, WORD *valueType, WORD *size,
                             const void **value)
{
    const DddRowSet *rec = (const DddRowSet *)rec_Head(record, 21, 21);
    if (!rec || rec->head.format < FORMAT_768) {
        return DDD_ERROR;
    }
    BYTE type = 0;
    DddStatus status = rec_RowEntry(&rec->rows, n, functionId, &type, size, value);
    if (status == DDD_OK && valueType) {
        *valueType = type;
    }
    return status;
}

/* The value rows of a type-11 or type-22 record. */
static const DddValueArray *rec_ValueRows(const void *record)
{
    const DddRecordHead *head = rec_Head(record, 11, 22);
    if (!head) {
        return NULL;
    }
    return head->type == 11 ? &((const DddNamedData *)record)->rows : &((const DddType22 *)record)->values;
}

DddStatus ddd_GetValueListCount(const void *record, WORD *count)
{
    const DddValueArray *rows = rec_ValueRows(record);
    if (!rows || !count) {
        return DDD_ERROR;
    }
    *count = rows->count;
    return DDD_OK;
}

DddStatus ddd_GetValueListDword(const void *record, WORD n, DWORD *value)
{
    const DddType22 *rec = (const DddType22 *)rec_Head(record, 22, 22);
    if (!rec || !value) {
        return DDD_ERROR;
    }
    if (n == 0 || n > rec->values.count) {
        return DDD_NOT_FOUND;
    }
    *value = rec->values.values[n - 1].number;
    return DDD_OK;
}

DddStatus ddd_GetValueListEntry(const void *record, WORD n, WORD *functionId, BYTE *valueType, const void **value)
{
    const DddValueArray *rows = rec_ValueRows(record);
    if (!rows) {
        return DDD_ERROR;
    }
    /* Past the count is reported, not answered as success with stale outputs. */
    if (n == 0 || n > rows->count) {
        return DDD_NOT_FOUND;
    }
    const DddValue *row = &rows->values[n - 1];
    if (functionId)
        *functionId = row->functionId;
    if (valueType)
        *valueType = row->valueType;
    if (value)
        *value = ddd_ValueData(row);
    return DDD_OK;
}
