/*
 * Parsers of record types 3 to 25. A record is {u32 its whole length, u16 key, fields};
 * every field is read through a reader bounded by the record's length, so no field runs
 * past the record or the file. Arrays are {u32 byte length of the u16 count and the
 * elements, u16 count, elements}, and the elements must end exactly at that length.
 * Blocks a record owns are chained in its head and freed with it (ddd_free.cpp).
 */
#include "core/ddd/ddd.h"

#include "core/ddd/ddd_private.h"

/* Smallest record: the u32 length and the u16 key. */
#define PARSE_RECORD_HEAD_BYTES 6
/* Format numbers from which fields and record types exist. */
#define FORMAT_512 512
#define FORMAT_1024 1024
#define FORMAT_1280 1280
#define FORMAT_8192 8192
/* The DIB of a bitmap follows a 14-byte bitmap file header. */
#define BITMAP_FILE_HEADER_BYTES 14

typedef enum ElementKind {
    ELEMENT_KEY,
    ELEMENT_VALUE,
    ELEMENT_FLAGGED_VALUE,
    ELEMENT_TEXT,
    ELEMENT_TRIPLE,
    ELEMENT_COPIED_VALUE,
} ElementKind;

typedef struct ParseContext {
    DddReader reader;
    DddParseRequest *request;
    DddRecordHead *record;
} ParseContext;

/* Fewest file bytes of one element of each kind, used to check a count before anything
 * is allocated from it: a value field is at least {u8 type, u16 n}. */
#define MIN_VALUE_BYTES 3
static const BYTE s_minElementBytes[] = {
    2,                               /* ELEMENT_KEY */
    2 + 1 + 2 + MIN_VALUE_BYTES,     /* ELEMENT_VALUE */
    2 + 1 + 2 + MIN_VALUE_BYTES + 1, /* ELEMENT_FLAGGED_VALUE */
    2,                               /* ELEMENT_TEXT */
    6,                               /* ELEMENT_TRIPLE */
    MIN_VALUE_BYTES,                 /* ELEMENT_COPIED_VALUE */
};

/* 1 when count elements of at least minBytes each can lie in the reader's remaining bytes;
 * else fails the reader. */
static int parse_CountFits(DddReader *r, DWORD count, DWORD minBytes)
{
    if (r->status != DDD_OK) {
        return 0;
    }
    if ((unsigned long long)count * minBytes > (unsigned long long)(r->end - r->position)) {
        ddd_ReaderFail(r, DDD_ERROR);
        return 0;
    }
    return 1;
}

/* Size in bytes of each fixed-size value type, 0 = any size (indexed by type 0..10). */
static const BYTE s_valueSizes[11] = {0, 1, 2, 2, 4, 4, 0, 4, 1, 92, 4};

static DddStatus parse_Array(ParseContext *ctx, ElementKind kind, WORD *count, void **elements);
static void parse_KeyArray(ParseContext *ctx, DddKeyArray *array);
static void parse_ValueArray(ParseContext *ctx, ElementKind kind, DddValueArray *array);
static void parse_Value(ParseContext *ctx, DddValue *value, int copy);
static void parse_ValueElement(ParseContext *ctx, DddValue *value, int flagged, int copy);
static void parse_Text(ParseContext *ctx, WCHAR **text);
static void parse_Rows(ParseContext *ctx, WORD count, DddValueArray *rows);
static void parse_SizePair(ParseContext *ctx, WORD key, DddSize sizes[2]);
static void parse_Fields(ParseContext *ctx);

/* ---- field decoders ---- */

/* Reads an array of one element kind into a new block owned by the record. */
static DddStatus parse_Array(ParseContext *ctx, ElementKind kind, WORD *count, void **elements)
{
    DddReader *r = &ctx->reader;
    *count = 0;
    *elements = NULL;
    DWORD length = ddd_ReaderDword(r);
    DWORD start = r->position;
    WORD n = ddd_ReaderWord(r);
    if (r->status != DDD_OK) {
        return r->status;
    }
    if (length > r->end - start || length < 2 || (unsigned long long)n * s_minElementBytes[kind] > length - 2) {
        ddd_ReaderFail(r, DDD_ERROR);
        return r->status;
    }
    DWORD elementSize = kind == ELEMENT_KEY      ? sizeof(WORD)
                        : kind == ELEMENT_TEXT   ? sizeof(WCHAR *)
                        : kind == ELEMENT_TRIPLE ? sizeof(DddTriple)
                                                 : sizeof(DddValue);
    if (n > 0) {
        *elements = ddd_RecordAlloc(ctx->record, (DWORD)n * elementSize);
        if (!*elements) {
            ddd_ReaderFail(r, DDD_NO_MEMORY);
            return r->status;
        }
    }
    for (WORD i = 0; i < n && r->status == DDD_OK; ++i) {
        BYTE *element = (BYTE *)*elements + (DWORD)i * elementSize;
        switch (kind) {
        case ELEMENT_KEY: *(WORD *)element = ddd_ReaderWord(r); break;
        case ELEMENT_TEXT: parse_Text(ctx, (WCHAR **)element); break;
        case ELEMENT_TRIPLE:
            for (int k = 0; k < 3; ++k) {
                ((DddTriple *)element)->values[k] = ddd_ReaderWord(r);
            }
            break;
        case ELEMENT_VALUE: parse_ValueElement(ctx, (DddValue *)element, 0, 0); break;
        case ELEMENT_FLAGGED_VALUE: parse_ValueElement(ctx, (DddValue *)element, 1, 0); break;
        case ELEMENT_COPIED_VALUE: parse_Value(ctx, (DddValue *)element, 1); break;
        }
    }
    if (r->status == DDD_OK && r->position != start + length) {
        ddd_ReaderFail(r, DDD_ERROR);
    }
    *count = n;
    return r->status;
}

static void parse_KeyArray(ParseContext *ctx, DddKeyArray *array)
{
    void *elements = NULL;
    parse_Array(ctx, ELEMENT_KEY, &array->count, &elements);
    array->keys = (WORD *)elements;
}

static void parse_ValueArray(ParseContext *ctx, ElementKind kind, DddValueArray *array)
{
    void *elements = NULL;
    parse_Array(ctx, kind, &array->count, &elements);
    array->values = (DddValue *)elements;
}

/* Rows {u16 FunctionID, copied value}, count of them. */
static void parse_Rows(ParseContext *ctx, WORD count, DddValueArray *rows)
{
    DddReader *r = &ctx->reader;
    rows->count = 0;
    if (count == 0 || !parse_CountFits(r, count, 2 + MIN_VALUE_BYTES)) {
        return;
    }
    rows->values = (DddValue *)ddd_RecordAlloc(ctx->record, (DWORD)count * sizeof(DddValue));
    if (!rows->values) {
        ddd_ReaderFail(r, DDD_NO_MEMORY);
        return;
    }
    rows->count = count;
    for (WORD i = 0; i < count && r->status == DDD_OK; ++i) {
        rows->values[i].functionId = ddd_ReaderWord(r);
        WORD functionId = rows->values[i].functionId;
        parse_Value(ctx, &rows->values[i], 1);
        rows->values[i].functionId = functionId;
    }
}

/* Reads the two size blocks of the type-17 record key (key 0: none) through the list of
 * the record's own level. */
static void parse_SizePair(ParseContext *ctx, WORD key, DddSize sizes[2])
{
    if (key == 0 || ctx->reader.status != DDD_OK) {
        return;
    }
    DddParseRequest *rq = ctx->request;
    DddFile *holder = NULL;
    WORD level = 0;
    DWORD saved = rq->file->position;
    DddStatus status = ddd_LocateRecord(DDD_BY_KEY, rq->model, rq->base, ctx->record->level, 17, key, &holder, &level);
    DddSizePair *pair = NULL;
    if (status == DDD_OK) {
        DddParseRequest sub = {0, holder, rq->model, rq->base, 17, level, NULL};
        status = ddd_ParseRecord(&sub);
        pair = (DddSizePair *)sub.record;
    }
    rq->file->position = saved;
    if (status != DDD_OK) {
        ddd_ReaderFail(&ctx->reader, status);
        return;
    }
    sizes[0] = pair->sizes[0];
    sizes[1] = pair->sizes[1];
    void *block = pair;
    ddd_FreeRecord(&block, DDD_FREE_OWN_TYPE);
}

static void parse_Text(ParseContext *ctx, WCHAR **text)
{
    *text = NULL;
    if (ctx->reader.status != DDD_OK) {
        return;
    }
    WCHAR *result = NULL;
    if (ddd_ReaderText(&ctx->reader, &result) == DDD_OK && result) {
        if (ddd_RecordOwn(ctx->record, result) != DDD_OK) {
            ddd_ReaderFail(&ctx->reader, DDD_NO_MEMORY);
            return;
        }
        *text = result;
    }
}

/* A value field {u8 ValueType, u16 n, value}; copy puts in-place bytes into a new block. */
static void parse_Value(ParseContext *ctx, DddValue *value, int copy)
{
    DddReader *r = &ctx->reader;
    ZeroMemory(value, sizeof(*value));
    BYTE type = ddd_ReaderByte(r);
    WORD n = ddd_ReaderWord(r);
    const BYTE *bytes = ddd_ReaderTake(r, n);
    if (r->status != DDD_OK) {
        return;
    }
    value->valueType = type;
    value->count = n ? 1 : 0;
    if (n == 0) {
        return;
    }
    int known = type == DDD_VT_VALUE_LIST || (type >= DDD_VT_BOOL && type <= DDD_VT_DWORD);
    if (!known || (type <= DDD_VT_DWORD && s_valueSizes[type] && s_valueSizes[type] != n) ||
        (type == DDD_VT_VALUE_LIST && n != 2)) {
        ddd_ReaderFail(r, DDD_ERROR);
        return;
    }
    switch (type) {
    case DDD_VT_BOOL:
        value->number = bytes[0] ? 1 : 0;
        value->size = 4;
        return;
    case DDD_VT_DWORD:
        value->number = ddd_Dword(bytes);
        value->size = 4;
        return;
    case DDD_VT_VALUE_LIST:
        value->number = ddd_Word(bytes);
        value->size = n;
        value->data = bytes;
        return;
    case DDD_VT_STRING: {
        WCHAR *text = NULL;
        DWORD size = 0;
        DddStatus status = ddd_DecodeText(r->file, bytes, n, &text, &size);
        if (status == DDD_OK && text && ddd_RecordOwn(ctx->record, text) != DDD_OK) {
            status = DDD_NO_MEMORY;
        }
        if (status != DDD_OK) {
            ddd_ReaderFail(r, status);
            return;
        }
        value->data = text;
        value->size = size;
        return;
    }
    default: break;
    }
    value->size = n;
    value->data = bytes;
    if (n <= 4) {
        for (WORD i = 0; i < n; ++i) {
            value->number |= (DWORD)bytes[i] << (8 * i);
        }
    }
    if (copy) {
        void *block = ddd_RecordAlloc(ctx->record, n);
        if (!block) {
            ddd_ReaderFail(r, DDD_NO_MEMORY);
            return;
        }
        CopyMemory(block, bytes, n);
        value->data = block;
    }
}

/* A value element {u16 FunctionID, u8, u16, value field}, flagged: then a u8. */
static void parse_ValueElement(ParseContext *ctx, DddValue *value, int flagged, int copy)
{
    DddReader *r = &ctx->reader;
    WORD functionId = ddd_ReaderWord(r);
    BYTE elementByte = ddd_ReaderByte(r);
    WORD elementWord = ddd_ReaderWord(r);
    parse_Value(ctx, value, copy);
    value->functionId = functionId;
    value->elementByte = elementByte;
    value->elementWord = elementWord;
    if (flagged) {
        value->flag = ddd_ReaderByte(r);
    }
}

/* ---- records ---- */

/* Reads the fields of the record's type after its u32 and key. */
static void parse_Fields(ParseContext *ctx)
{
    DddReader *r = &ctx->reader;
    DddRecordHead *head = ctx->record;
    DWORD format = head->format;
    switch (head->type) {
    case 3:
    case 4: {
        DddDefinition *rec = (DddDefinition *)head;
        parse_Text(ctx, &rec->caption);
        rec->controlKind = ddd_ReaderByte(r);
        rec->defaultOption = ddd_ReaderWord(r);
        rec->word1 = ddd_ReaderWord(r);
        parse_KeyArray(ctx, &rec->options);
        parse_KeyArray(ctx, &rec->keys2);
        parse_KeyArray(ctx, &rec->keys3);
        rec->dataKey = ddd_ReaderWord(r);
        if (format >= FORMAT_1024) {
            parse_Text(ctx, &rec->text2);
        }
        return;
    }
    case 5:
    case 6: {
        DddSizeRange *rec = (DddSizeRange *)head;
        parse_Text(ctx, &rec->text);
        rec->sizeKey = ddd_ReaderWord(r);
        rec->word1 = ddd_ReaderWord(r);
        parse_KeyArray(ctx, &rec->items);
        parse_KeyArray(ctx, &rec->subWords);
        if (format >= FORMAT_512) {
            rec->byte1 = ddd_ReaderByte(r);
        }
        if (format >= FORMAT_1024) {
            parse_Text(ctx, &rec->text2);
        }
        DddSize sizes[2] = {{0, 0}, {0, 0}};
        parse_SizePair(ctx, rec->sizeKey, sizes);
        rec->minSize = sizes[0];
        rec->maxSize = sizes[1];
        return;
    }
    case 7:
    case 8: {
        DddValueSet *rec = (DddValueSet *)head;
        parse_ValueElement(ctx, &rec->value, 0, 0);
        rec->word1 = ddd_ReaderWord(r);
        parse_Text(ctx, &rec->text);
        parse_ValueArray(ctx, ELEMENT_FLAGGED_VALUE, &rec->flagged);
        parse_ValueArray(ctx, ELEMENT_VALUE, &rec->values);
        return;
    }
    case 9: {
        DddItem *rec = (DddItem *)head;
        parse_ValueArray(ctx, ELEMENT_FLAGGED_VALUE, &rec->flagged);
        rec->bitmap.word1 = ddd_ReaderWord(r);
        rec->bitmap.word2 = ddd_ReaderWord(r);
        rec->bitmap.key = ddd_ReaderWord(r);
        return;
    }
    case 10: {
        DddPaper *rec = (DddPaper *)head;
        parse_Text(ctx, &rec->name);
        rec->byte1 = ddd_ReaderByte(r);
        rec->paperSizeKey = ddd_ReaderWord(r);
        rec->imageSizeKey = ddd_ReaderWord(r);
        rec->marginKey = ddd_ReaderWord(r);
        rec->word1 = ddd_ReaderWord(r);
        rec->word2 = ddd_ReaderWord(r);
        if (format >= FORMAT_512) {
            rec->byte2 = ddd_ReaderByte(r);
            rec->extraSizeKey = ddd_ReaderWord(r);
        }
        if (format >= FORMAT_1280) {
            rec->extraWord = ddd_ReaderWord(r);
        }
        DddSize sizes[2] = {{0, 0}, {0, 0}};
        parse_SizePair(ctx, rec->paperSizeKey, sizes);
        rec->minSize = sizes[0];
        rec->maxSize = sizes[1];
        parse_SizePair(ctx, rec->imageSizeKey, sizes);
        rec->minImage = sizes[0];
        rec->maxImage = sizes[1];
        parse_SizePair(ctx, rec->marginKey, rec->margins);
        parse_SizePair(ctx, rec->extraSizeKey, rec->extra);
        return;
    }
    case 11: {
        DddNamedData *rec = (DddNamedData *)head;
        parse_Text(ctx, &rec->name);
        parse_Text(ctx, &rec->text2);
        DddTextArray *lists[2] = {&rec->texts, &rec->texts2};
        for (int l = 0; l < 2 && r->status == DDD_OK; ++l) {
            WORD n = ddd_ReaderWord(r);
            if (n > 0 && parse_CountFits(r, n, 2)) {
                lists[l]->texts = (WCHAR **)ddd_RecordAlloc(head, (DWORD)n * sizeof(WCHAR *));
                if (!lists[l]->texts) {
                    ddd_ReaderFail(r, DDD_NO_MEMORY);
                    return;
                }
                lists[l]->count = n;
            }
            for (WORD i = 0; i < n && r->status == DDD_OK; ++i) {
                parse_Text(ctx, &lists[l]->texts[i]);
            }
        }
        rec->dataLength = ddd_ReaderDword(r);
        rec->data = ddd_ReaderTake(r, rec->dataLength);
        rec->extraWord = ddd_ReaderWord(r);
        if (format >= FORMAT_1024) {
            parse_Rows(ctx, ddd_ReaderWord(r), &rec->rows);
        }
        return;
    }
    case 12: {
        DddBitmap *rec = (DddBitmap *)head;
        rec->kind = ddd_ReaderByte(r);
        rec->word1 = ddd_ReaderWord(r);
        rec->word2 = ddd_ReaderWord(r);
        ddd_ReaderTake(r, ddd_ReaderWord(r));
        if (!(ctx->request->flags & DDD_PARSE_BITMAP_DATA) || r->status != DDD_OK) {
            return;
        }
        DWORD length = ddd_ReaderDword(r);
        if (r->status == DDD_OK && ((rec->kind != 1 && rec->kind != 2) || length < BITMAP_FILE_HEADER_BYTES)) {
            ddd_ReaderFail(r, DDD_ERROR);
            return;
        }
        ddd_ReaderTake(r, BITMAP_FILE_HEADER_BYTES);
        rec->dibLength = length - BITMAP_FILE_HEADER_BYTES;
        rec->dib = ddd_ReaderTake(r, rec->dibLength);
        return;
    }
    case 13:
    case 14: {
        DddOption *rec = (DddOption *)head;
        parse_Text(ctx, &rec->caption);
        rec->targetType = ddd_ReaderWord(r);
        rec->targetKey = ddd_ReaderWord(r);
        rec->iconKey = ddd_ReaderWord(r);
        parse_KeyArray(ctx, &rec->keys1);
        parse_KeyArray(ctx, &rec->keys2);
        parse_Value(ctx, &rec->value, 0);
        rec->dataKey = ddd_ReaderWord(r);
        return;
    }
    case 15: {
        DddType15 *rec = (DddType15 *)head;
        rec->word1 = ddd_ReaderWord(r);
        parse_ValueArray(ctx, ELEMENT_FLAGGED_VALUE, &rec->flagged);
        parse_Text(ctx, &rec->text1);
        parse_Text(ctx, &rec->text2);
        if (format >= FORMAT_1280) {
            rec->extraWord = ddd_ReaderWord(r);
        }
        return;
    }
    case 16: {
        DddType16 *rec = (DddType16 *)head;
        parse_ValueArray(ctx, ELEMENT_FLAGGED_VALUE, &rec->flagged);
        rec->byte1 = ddd_ReaderByte(r);
        rec->byte2 = ddd_ReaderByte(r);
        rec->dataLength = ddd_ReaderWord(r);
        rec->data = ddd_ReaderTake(r, rec->dataLength);
        return;
    }
    case 17: {
        DddSizePair *rec = (DddSizePair *)head;
        for (int i = 0; i < 2; ++i) {
            rec->sizes[i].width = ddd_ReaderWord(r);
            rec->sizes[i].height = ddd_ReaderWord(r);
        }
        return;
    }
    case 18: {
        DddDataBlock *rec = (DddDataBlock *)head;
        rec->length = ddd_ReaderWord(r);
        rec->data = ddd_ReaderTake(r, rec->length);
        return;
    }
    case 19: {
        DddType19 *rec = (DddType19 *)head;
        parse_Text(ctx, &rec->text);
        rec->flag = ddd_ReaderByte(r);
        if (format >= FORMAT_1024) {
            parse_Text(ctx, &rec->text2);
        }
        return;
    }
    case 20: {
        DddValueList *rec = (DddValueList *)head;
        rec->word1 = ddd_ReaderWord(r);
        rec->elementType = ddd_ReaderByte(r);
        rec->elementSize = ddd_ReaderWord(r);
        DWORD length = ddd_ReaderDword(r);
        rec->count = ddd_ReaderWord(r);
        /* The elements are checked, count x size, against the stated length and the record. */
        DWORD bytes = (DWORD)rec->count * rec->elementSize;
        if (r->status == DDD_OK && length != 2 + bytes) {
            ddd_ReaderFail(r, DDD_ERROR);
            return;
        }
        rec->elements = ddd_ReaderTake(r, bytes);
        return;
    }
    case 21:
    case 24: {
        DddRowSet *rec = (DddRowSet *)head;
        parse_Text(ctx, &rec->text);
        DWORD length = ddd_ReaderDword(r);
        DWORD start = r->position;
        parse_Rows(ctx, ddd_ReaderWord(r), &rec->rows);
        if (r->status == DDD_OK && r->position - start != length) {
            ddd_ReaderFail(r, DDD_ERROR);
        }
        return;
    }
    case 22: {
        DddType22 *rec = (DddType22 *)head;
        rec->flags = ddd_ReaderWord(r);
        rec->word2 = ddd_ReaderWord(r);
        rec->byte1 = ddd_ReaderByte(r);
        rec->word3 = ddd_ReaderWord(r);
        rec->byte2 = ddd_ReaderByte(r);
        rec->word4 = ddd_ReaderWord(r);
        rec->word5 = ddd_ReaderWord(r);
        void *texts = NULL;
        parse_Array(ctx, ELEMENT_TEXT, &rec->texts.count, &texts);
        rec->texts.texts = (WCHAR **)texts;
        parse_ValueArray(ctx, ELEMENT_COPIED_VALUE, &rec->values);
        return;
    }
    case 23: {
        DddType23 *rec = (DddType23 *)head;
        parse_ValueArray(ctx, ELEMENT_FLAGGED_VALUE, &rec->flagged);
        void *triples = NULL;
        parse_Array(ctx, ELEMENT_TRIPLE, &rec->tripleCount, &triples);
        rec->triples = (DddTriple *)triples;
        return;
    }
    case 25: {
        DddType25 *rec = (DddType25 *)head;
        parse_Text(ctx, &rec->text1);
        parse_Text(ctx, &rec->text2);
        return;
    }
    default: ddd_ReaderFail(r, DDD_ERROR); return;
    }
}

/* In-memory size of each record type 3..25. */
static DWORD parse_RecordSize(WORD type)
{
    switch (type) {
    case 3:
    case 4: return sizeof(DddDefinition);
    case 5:
    case 6: return sizeof(DddSizeRange);
    case 7:
    case 8: return sizeof(DddValueSet);
    case 9: return sizeof(DddItem);
    case 10: return sizeof(DddPaper);
    case 11: return sizeof(DddNamedData);
    case 12: return sizeof(DddBitmap);
    case 13:
    case 14: return sizeof(DddOption);
    case 15: return sizeof(DddType15);
    case 16: return sizeof(DddType16);
    case 17: return sizeof(DddSizePair);
    case 18: return sizeof(DddDataBlock);
    case 19: return sizeof(DddType19);
    case 20: return sizeof(DddValueList);
    case 21:
    case 24: return sizeof(DddRowSet);
    case 22: return sizeof(DddType22);
    case 23: return sizeof(DddType23);
    case 25: return sizeof(DddType25);
    default: return 0;
    }
}

DddStatus ddd_ParseRecord(DddParseRequest *request)
{
    if (!request) {
        return DDD_ERROR;
    }
    request->record = NULL;
    DddFile *file = request->file;
    WORD type = request->type;
    if (!file || !file->bytes || type < DDD_TYPE_FIRST || type > DDD_TYPE_LAST) {
        return DDD_ERROR;
    }
    if ((type == 19 && file->format < FORMAT_512) || (type == 25 && file->format < FORMAT_8192)) {
        return DDD_ERROR;
    }
    DWORD start = file->position;
    if (!ddd_Available(file, start, PARSE_RECORD_HEAD_BYTES)) {
        file->failOffset = start;
        return DDD_ERROR;
    }
    DWORD length = ddd_Dword(file->bytes + start);
    if (length < PARSE_RECORD_HEAD_BYTES || !ddd_Available(file, start, length)) {
        file->failOffset = start;
        return DDD_ERROR;
    }
    DddRecordHead *head = (DddRecordHead *)GlobalAlloc(GPTR, parse_RecordSize(type));
    if (!head) {
        return DDD_NO_MEMORY;
    }
    head->type = type;
    head->level = request->level ? request->level : file->level;
    head->format = file->format;
    ParseContext ctx;
    ctx.request = request;
    ctx.record = head;
    ddd_ReaderInit(&ctx.reader, file, start + length);
    ddd_ReaderDword(&ctx.reader);
    head->key = ddd_ReaderWord(&ctx.reader);
    parse_Fields(&ctx);
    if (ctx.reader.status != DDD_OK) {
        void *block = head;
        ddd_FreeRecord(&block, DDD_FREE_OWN_TYPE);
        return ctx.reader.status;
    }
    file->position = start + length;
    request->record = head;
    return DDD_OK;
}
