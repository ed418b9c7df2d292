/*
 * Fuzz entry of the description data reader: any bytes as a model file, optionally
 * followed by the marker "\n#QM-BASE#\n" and the bytes of the base file it names. The pair
 * is opened through ddd_OpenMemoryPair and read through the reader's public functions:
 * every numbered entry, the header, every record of every type through both list
 * selectors with its options, value lists, item lists, defaults, texts and the typed
 * accessors of its type. Resource-string references resolve against the sample's resource
 * module in the module directory.
 *
 * Seeds: the sample model with its base (QM50C1.DDD, QM50BASE.DDD), the base alone, the
 * checked-in tiny file of the reader tests, and the job and paper test models of the
 * render driver with the sample base.
 */
#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include "core/ddd/ddd_access.h"
#include "core/util/module.h"
#include "testing/fuzz/fuzz_support.h"

/* Between the model's bytes and the base's. */
static const char kBaseMarker[] = "\n#QM-BASE#\n";
/* Limits that keep one input's walk short; real files stay well inside them. */
#define WALK_RECORDS 64
#define WALK_ELEMENTS 8
#define WALK_OPTIONS 8

static void walk_Entries(DddFile *model, DddFile *base);
static void walk_Record(DddFile *model, DddFile *base, WORD selector, WORD type, void *record);
static void walk_Definition(DddFile *model, DddFile *base, WORD selector, const DddRecordHead *head);
static void walk_Records(DddFile *model, DddFile *base, WORD selector);
static void walk_Accessors(DddFile *model, DddFile *base, WORD type, const void *record);

/* Frees a block a lookup handed out, when it did. */
static void walk_Free(void *block)
{
    if (block)
        GlobalFree(block);
}

/* Frees a parsed record, when there is one. */
static void walk_FreeRecord(void *record)
{
    if (record)
        ddd_FreeRecord(&record, DDD_FREE_OWN_TYPE);
}

/* The typed accessors of a record's type (each also refuses the other types). */
static void walk_Accessors(DddFile *model, DddFile *base, WORD type, const void *record)
{
    DddSize size, other;
    WORD word = 0, count = 0, functionId = 0, size16 = 0, valueType16 = 0;
    BYTE valueType = 0, flag = 0;
    DWORD dword = 0, length = 0;
    const void *value = NULL;
    const BYTE *data = NULL;
    const WCHAR *text = NULL;
    ddd_GetRecordExtraWord(record, &word);
    ddd_GetRecordString(record);
    ddd_GetRangeMinSize(record, &size);
    ddd_GetRangeMaxSize(record, &size);
    ddd_GetPaperMinSize(record, &size);
    ddd_GetPaperMaxSize(record, &size);
    ddd_GetPaperMargins(record, &size, &other);
    ddd_GetPaperMinImageSize(record, &size);
    ddd_GetPaperMaxImageSize(record, &size);
    ddd_GetNamedDataBlock(record, &data, &length);
    ddd_GetType15Text1(record, &text);
    ddd_GetType15Text2(record, &text);
    ddd_GetRecord19Flag(record, &flag);
    for (WORD n = 1; n <= WALK_ELEMENTS; ++n) {
        ddd_GetRangeItem(record, n, &functionId);
        ddd_GetRangeSubWord(record, n, &word);
        ddd_GetNamedDataText(record, n, &text);
        ddd_GetValueListEntry(record, n, &functionId, &valueType, &value);
        ddd_GetValueListDword(record, n, &dword);
        ddd_GetType21Entry(record, n, &functionId, &valueType16, &size16, &value);
        ddd_GetHostAppEntry(record, n, &functionId, &valueType, &size16, &value);
    }
    ddd_GetValueListCount(record, &count);
    ddd_GetType21Count(record, &count);
    ddd_GetHostAppCount(record, &count);
    if (type == 9) {
        BYTE *dib = NULL;
        DWORD dibLength = 0;
        WORD word1 = 0, word2 = 0;
        if (ddd_GetItemBitmap(model, base, record, &word1, &word2, &dib, &dibLength) == DDD_OK)
            walk_Free(dib);
    }
}

/* A definition (types 3 and 4): its options, default, item lists and texts. */
static void walk_Definition(DddFile *model, DddFile *base, WORD selector, const DddRecordHead *head)
{
    const DddDefinition *definition = (const DddDefinition *)head;
    WORD options = definition->options.count < WALK_OPTIONS ? definition->options.count : WALK_OPTIONS;
    for (WORD n = 0; n <= options; ++n) {
        WORD optionType = 0;
        void *option = NULL;
        if (ddd_FetchOptionRecord(selector, n == 0, model, base, head, n, &optionType, &option) != DDD_OK)
            continue;
        DddOption *opt = (DddOption *)option;
        if (opt->value.valueType == DDD_VT_VALUE_LIST)
            ddd_LoadValueList(model, base, &opt->head, &opt->value);
        void *found = NULL;
        WORD number = 0;
        if (ddd_FindOptionByValue(selector, model, base, head, ddd_ValueData(&opt->value), &number, &found) == DDD_OK)
            walk_FreeRecord(found);
        void *sub = NULL;
        if (ddd_FetchSubRecord(selector, model, base, head, opt->head.key, &sub) == DDD_OK)
            walk_FreeRecord(sub);
        walk_FreeRecord(option);
    }
    DddDefaultRequest defaults = {model, base, head->key, NULL, 0, 0};
    if (ddd_GetDefaultWithOverrides(&defaults) == DDD_OK)
        walk_Free(defaults.value);
    for (WORD n = 0; n <= 1; ++n) {
        DddItemListRequest items = {model, base, head->key, n, NULL};
        if (ddd_BuildItemList(&items) == DDD_OK)
            walk_FreeRecord(items.record);
        items.record = NULL;
        if (ddd_GetSubRecordItems(&items) == DDD_OK)
            walk_FreeRecord(items.record);
    }
    WCHAR *text = NULL;
    if (ddd_DupRecordString(model, base, head->key, NULL, &text) == DDD_OK)
        walk_Free(text);
    DddFunctionRequest function = {selector, model, base, head->key, NULL, 0, 0, NULL};
    if (ddd_GetFunctionRecord(&function) == DDD_OK)
        walk_FreeRecord(function.record);
    WORD subKey = 0;
    void *record = NULL;
    if (ddd_GetFunctionSubRecord(selector, model, base, head->key, 1, &subKey, &record) == DDD_OK)
        walk_FreeRecord(record);
}

/* Every numbered entry, the header and the lookups built on entries. */
static void walk_Entries(DddFile *model, DddFile *base)
{
    for (WORD key = 0; key <= DDD_ENTRY_COUNT; ++key) {
        WORD count = ddd_GetEntryCount(model, key);
        for (WORD i = 0; i < count && i < WALK_ELEMENTS; ++i) {
            walk_Free(ddd_GetEntryString(model, key, i));
            ddd_GetEntryNumber(model, key, 1, i);
            ddd_GetEntryNumber(model, key, 2, i);
            ddd_GetEntryNumber(model, key, 4, i);
            BYTE item[8];
            DddEntryItemRequest request = {model, key, sizeof item, i, item};
            ddd_ReadEntryItem(&request);
        }
        WORD elements = 0;
        void *array = NULL;
        if (ddd_ReadEntryArray(model, key, 2, &elements, &array) == DDD_OK)
            walk_Free(array);
        BYTE *dib = NULL;
        DWORD dibLength = 0;
        WORD word1 = 0, word2 = 0;
        if (count && ddd_GetEntryBitmap(model, base, key, &word1, &word2, &dib, &dibLength) == DDD_OK)
            walk_Free(dib);
    }
    for (WORD kind = 0; kind <= 26; ++kind) {
        WCHAR *text = NULL;
        if (ddd_GetInfoString(model, kind, &text) == DDD_OK)
            walk_Free(text);
    }
    for (WORD which = 0; which <= 1; ++which) {
        WCHAR *text = NULL;
        if (ddd_GetRegistryBasePath(model, which, &text) == DDD_OK)
            walk_Free(text);
    }
    ddd_HasCapability(model, 0xFFFF0000UL | 22);
    ddd_IsFlagSettingEnabled(model, 4097);
    WORD status = 0;
    walk_Free(ddd_GetHeaderName(model, &status));
    DddHeader *header = NULL;
    if (ddd_ReadHeaderRecord(model, &header) == DDD_OK)
        walk_FreeRecord(header);
}

/* One parsed record: what its type offers, then its text and key lookups. */
static void walk_Record(DddFile *model, DddFile *base, WORD selector, WORD type, void *record)
{
    const DddRecordHead *head = (const DddRecordHead *)record;
    if (type == 3 || type == 4)
        walk_Definition(model, base, selector, head);
    if (type == 13 || type == 14) {
        DddOption *option = (DddOption *)record;
        if (option->value.valueType == DDD_VT_VALUE_LIST)
            ddd_LoadValueList(model, base, &option->head, &option->value);
    }
    walk_Accessors(model, base, type, record);
    DddRecordTextRequest text = {model, base, type, head->key, 0, NULL};
    if (ddd_GetRecordText(&text) == DDD_OK)
        walk_Free(text.text);
    void *byKey = NULL;
    if (ddd_FetchRecordByKey(selector, model, base, type, head->key, 0, &byKey) == DDD_OK)
        walk_FreeRecord(byKey);
}

/* Every record of every type through one selector's lists. */
static void walk_Records(DddFile *model, DddFile *base, WORD selector)
{
    for (WORD type = DDD_TYPE_FIRST; type <= DDD_TYPE_LAST; ++type) {
        DddRecordCountRequest countRequest = {selector == DDD_LEVEL_BASE ? base : model, type};
        WORD count = ddd_GetRecordCount(&countRequest);
        for (WORD index = 1; index <= count && index <= WALK_RECORDS; ++index) {
            DddFetchRequest request = {selector, model, base, type, index, NULL};
            if (ddd_FetchRecordByIndex(&request) != DDD_OK)
                continue;
            walk_Record(model, base, selector, type, request.record);
            walk_FreeRecord(request.record);
        }
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz_EnsureRoot();
    static HMODULE module = NULL;
    if (!module) {
        /* The sample's resource module stands in as the driver module: its directory is
         * where the reader finds the modules an entry names. */
        module = fuzz_LoadModuleCopy(QM_SAMPLE_RESOURCE_MODULE, TEXT("qm50c1.xrs"));
        if (!module)
            fuzz_Fail("ddd", "the resource module could not be loaded");
        util_SetModuleHandle((HINSTANCE)module);
    }
    if (size > 0x100000)
        return 0;
    FuzzCounts before;
    fuzz_TakeCounts(&before);

    const BYTE *modelBytes = data;
    DWORD modelSize = (DWORD)size;
    const BYTE *baseBytes = NULL;
    DWORD baseSize = 0;
    const size_t markerSize = sizeof kBaseMarker - 1;
    for (size_t at = 0; at + markerSize <= size; ++at) {
        if (memcmp(data + at, kBaseMarker, markerSize) == 0) {
            modelSize = (DWORD)at;
            baseBytes = data + at + markerSize;
            baseSize = (DWORD)(size - at - markerSize);
            break;
        }
    }
    DddFile model, base;
    if (ddd_OpenMemoryPair(modelBytes, modelSize, baseBytes, baseSize, &model, &base) == DDD_OK) {
        walk_Entries(&model, &base);
        walk_Records(&model, &base, DDD_LEVEL_MODEL);
        if (base.bytes)
            walk_Records(&model, &base, DDD_LEVEL_BASE);
        ddd_CloseFilePair(&model, &base);
    }
    fuzz_CheckCounts("ddd", &before);
    return 0;
}
