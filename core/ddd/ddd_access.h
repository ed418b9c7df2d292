/*
 * Description database access: a model's description data file opened with its base
 * file, and every lookup into them (header, numbered entries, records by index or key,
 * the records behind a FunctionID, typed accessors, defaults with their overrides).
 * Records come back parsed (ddd.h) and are freed by the caller with ddd_FreeRecord.
 *
 * List selectors: DDD_LEVEL_BASE (1) reads the base file's record lists; any other value
 * reads the model file's, which name the model's records and then the base's. A record's
 * own references are looked up through the selector of its level, so a base record's
 * references stay in the base file.
 */
#ifndef QM_CORE_DDD_DDD_ACCESS_H
#define QM_CORE_DDD_DDD_ACCESS_H

#include "core/ddd/ddd.h"

/* Capability bits: the first word from entry 26, the second from entry 39. */
typedef struct ModelCapabilities {
    DWORD bits[2];
} ModelCapabilities;

/* ---- opening and header (ddd_access.cpp) ---- */

/*
 * ddd_OpenFilePair: opens the model file at path (extension "DDD", any case; level 2) with
 * its own resource block, checks its header, and opens the base file it names from the
 * same directory (level 1, sharing the resource block). An empty name leaves base empty.
 * model, base: out. Returns 0, 1 (bad path, missing or damaged file, name not a plain file
 * name, version text not parsed), 4 or 8; on failure both are closed.
 */
DddStatus ddd_OpenFilePair(LPCWSTR path, DddFile *model, DddFile *base);

/* ddd_OpenMemoryPair: as ddd_OpenFilePair over bytes held in memory (tools and tests);
 * baseBytes may be NULL when the model names no base file. */
DddStatus ddd_OpenMemoryPair(const BYTE *modelBytes, DWORD modelSize, const BYTE *baseBytes, DWORD baseSize,
                             DddFile *model, DddFile *base);

/* ddd_CloseFilePair: closes both; 1 when either was not open. */
DddStatus ddd_CloseFilePair(DddFile *model, DddFile *base);

/* ddd_ReadAndCheckHeader: keeps the packed version and the format number in file.
 * Returns 0, 1 (short file or version text not parsed) or 8. */
DddStatus ddd_ReadAndCheckHeader(DddFile *file);

/* ddd_ReadHeaderRecord: the header as a new DddHeader record (type 2). header: out. */
DddStatus ddd_ReadHeaderRecord(DddFile *file, DddHeader **header);

/* ddd_GetHeaderName: a new copy of the model name; status: out, 0, 1 or 3 (no memory). */
WCHAR *ddd_GetHeaderName(DddFile *model, WORD *status);

/* The format number of the model file opened last in the process (0 before). */
DWORD ddd_GetLastModelFormat(void);

/* ---- numbered entries (ddd_access.cpp) ---- */

typedef struct DddEntryItemRequest {
    DddFile *file;
    WORD key;
    WORD elementSize;
    WORD index;   /* 0-based */
    void *buffer; /* out: elementSize bytes */
} DddEntryItemRequest;

typedef struct DddEntryStringRequest {
    DddFile *file;
    WORD key;
    WORD index;  /* 0-based */
    WCHAR *text; /* out: new string, or NULL */
} DddEntryStringRequest;

/* ddd_GetEntryCount: the entry's element count, 0 when missing. */
WORD ddd_GetEntryCount(DddFile *file, WORD key);

/* ddd_ReadEntryItem: the first elementSize bytes of element index. 1 when the entry is
 * missing, the index past the count or the element shorter than elementSize. */
DddStatus ddd_ReadEntryItem(DddEntryItemRequest *request);

/* ddd_GetEntryNumber: element index (size 1, 2 or 4 bytes) as a u32; 0 on any failure. */
DWORD ddd_GetEntryNumber(DddFile *file, WORD key, WORD size, WORD index);

/*
 * Items of the number entries. "Item n" of a number entry names its element read as an
 * n-byte number, never its n-th element: each entry read this way holds one element, and
 * its item number is that element's size (entry 4, item 2: the largest copy count; entry
 * 5, item 1: the colour kind; entry 6, item 4: the printer memory given to the PDL writer;
 * entry 10, item 2: the alignment unit of the printable area).
 */
#define DDD_ENTRY_COPY_LIMIT 4
#define DDD_ITEM_COPY_LIMIT 2
#define DDD_ENTRY_COLOR_KIND 5
#define DDD_ITEM_COLOR_KIND 1
#define DDD_ENTRY_WRITER_MEMORY 6
#define DDD_ITEM_WRITER_MEMORY 4
#define DDD_ENTRY_ALIGNMENT_UNIT 10
#define DDD_ITEM_ALIGNMENT_UNIT 2

/* ddd_GetNumberItem: item n of number entry key, the entry's one element as an n-byte
 * (1, 2 or 4) number. 0 when the entry is missing or holds no single element of n bytes. */
DWORD ddd_GetNumberItem(DddFile *file, WORD key, WORD item);

/* ddd_GetCopyLimit: the model's largest copy count (entry 4, item 2); 0 for none. */
DWORD ddd_GetCopyLimit(DddFile *model);

/* ddd_GetColorKindByte: the colour kind byte (entry 5, item 1); 0 when missing. */
DWORD ddd_GetColorKindByte(DddFile *model);

/* ddd_GetWriterMemory: the printer memory in bytes for the PDL writer (entry 6, item 4);
 * 0 when missing. */
DWORD ddd_GetWriterMemory(DddFile *model);

/* ddd_GetAlignmentUnit: the alignment unit of the printable area (entry 10, item 2); 0
 * when missing. */
DWORD ddd_GetAlignmentUnit(DddFile *model);

/* ddd_ReadEntryArray: all elements (elementSize bytes each) in a new global block.
 * count, buffer: out (buffer NULL for an empty entry). */
DddStatus ddd_ReadEntryArray(DddFile *file, WORD key, WORD elementSize, WORD *count, void **buffer);

/* ddd_ReadEntryString: text element index as a text field. 1 when missing or past the count. */
DddStatus ddd_ReadEntryString(DddEntryStringRequest *request);

/* ddd_GetEntryString: the same, NULL on failure. */
WCHAR *ddd_GetEntryString(DddFile *file, WORD key, WORD index);

/* ddd_GetRegistryBasePath: which 0 -> string 0 of entry 30, 1 -> of entry 33, else 1. */
DddStatus ddd_GetRegistryBasePath(DddFile *file, WORD which, WCHAR **text);

/* ddd_GetInfoString: kinds 0-5 -> string 0 of entries 17-22; kinds 6-11, 14-22, 24, 25 ->
 * string 0..16 of entry 36 in kind order; others 1. */
DddStatus ddd_GetInfoString(DddFile *file, WORD kind, WCHAR **text);

/* ddd_GetModelCapabilities: 1, or 0 when entry 26 is missing (caps then zero). */
int ddd_GetModelCapabilities(DddFile *file, ModelCapabilities *caps);

/* ddd_TestCapability: 0xFFFF0000 and up name bit (low 16 bits) 0-63; below, a mask of the
 * first word. 1 when set. */
int ddd_TestCapability(const ModelCapabilities *caps, DWORD bitOrMask);

/* ddd_HasCapability: ddd_GetModelCapabilities and ddd_TestCapability in one call. */
int ddd_HasCapability(DddFile *file, DWORD bitOrMask);

/* ddd_IsFlagSettingEnabled: 4097-4160: 0 when its bit of entry 12 is set, else 1. */
int ddd_IsFlagSettingEnabled(DddFile *file, WORD functionId);

/* ddd_GetEntryBitmap: the DIB (new global block) of the type-12 record whose key is entry
 * key's u16, with the record's two words. */
DddStatus ddd_GetEntryBitmap(DddFile *model, DddFile *base, WORD key, WORD *word1, WORD *word2, BYTE **dib,
                             DWORD *dibLength);

/* ---- records (ddd_records.cpp) ---- */

typedef struct DddRecordCountRequest {
    DddFile *file;
    WORD type;
} DddRecordCountRequest;

typedef struct DddFetchRequest {
    WORD selector;
    DddFile *model;
    DddFile *base;
    WORD type;
    WORD index;   /* 1-based */
    void *record; /* out */
} DddFetchRequest;

typedef struct DddFunctionRequest {
    WORD selector;
    DddFile *model;
    DddFile *base;
    WORD functionId;
    const void *filter; /* types 3/4: the option value wanted, or NULL */
    WORD type;          /* out */
    WORD optionNumber;  /* out, with a filter */
    void *record;       /* out */
} DddFunctionRequest;

typedef struct DddRecordTextRequest {
    DddFile *model;
    DddFile *base;
    WORD type;
    WORD key;
    WORD optionNumber;
    WCHAR *text; /* out */
} DddRecordTextRequest;

/* ddd_GetRecordCount: the count of the type's list, 0 on failure. */
WORD ddd_GetRecordCount(DddRecordCountRequest *request);

/* ddd_FetchRecordByIndex: record index (1-based) of the type, parsed. */
DddStatus ddd_FetchRecordByIndex(DddFetchRequest *request);

/* ddd_FetchRecordByKey: the record with that key; a non-zero option number gives that
 * option record (13 for a type-3 definition, 14 for type 4). record: out. */
DddStatus ddd_FetchRecordByKey(WORD selector, DddFile *model, DddFile *base, WORD type, WORD key, WORD optionNumber,
                               void **record);

/* ddd_FetchSubRecord: the option record (13/14) with key subKey of definition record,
 * looked up through the list of the definition's level (selector is not used). */
DddStatus ddd_FetchSubRecord(WORD selector, DddFile *model, DddFile *base, const void *record, WORD subKey,
                             void **option);

/* ddd_FetchOptionRecord: with first set the definition's default option (1 when it is not
 * 1..count), else option n (2 past the count), through the list of the definition's level;
 * type: out 13 or 14. */
DddStatus ddd_FetchOptionRecord(WORD selector, int first, DddFile *model, DddFile *base, const void *definition,
                                WORD optionNumber, WORD *type, void **record);

/* ddd_MapFunctionIdToRecord: the record type and key defining a FunctionID. */
void ddd_MapFunctionIdToRecord(WORD functionId, WORD *type, WORD *key);

/* ddd_FindOptionByValue: the first option of the definition whose value equals filter. */
DddStatus ddd_FindOptionByValue(WORD selector, DddFile *model, DddFile *base, const void *definition,
                                const void *filter, WORD *optionNumber, void **option);

/* ddd_GetFunctionRecord: the record behind a FunctionID (type 1: a new copy of the model
 * name; types 3/4 with a filter: the option whose value equals it, and its number). */
DddStatus ddd_GetFunctionRecord(DddFunctionRequest *request);

/* ddd_GetFunctionSubRecord: types 3/4: the definition and the key of its option n
 * (subKey); types 5, 6, 10: record n of the type (subKey = its key); others 2. */
DddStatus ddd_GetFunctionSubRecord(WORD selector, DddFile *model, DddFile *base, WORD functionId, WORD optionNumber,
                                   WORD *subKey, void **record);

/* ddd_DupRecordString: without value the setting's caption, with value the text of the
 * option holding it, as a new string. 1 when absent. */
DddStatus ddd_DupRecordString(DddFile *model, DddFile *base, WORD functionId, const void *value, WCHAR **text);

/* ddd_GetRecordString: the text of a record of type 3-6, 10, 11, 13 or 14, else NULL. */
const WCHAR *ddd_GetRecordString(const void *record);

/* ddd_GetRecordText: the first text of a record read from the file (types 3-6, 10, 11,
 * 13, 14; else 1), 2 when empty. */
DddStatus ddd_GetRecordText(DddRecordTextRequest *request);

/* ---- item lists (ddd_items.cpp) ---- */

typedef struct DddItemListRequest {
    DddFile *model;
    DddFile *base;
    WORD functionId;
    WORD optionNumber;   /* 0: the record itself; n: option n of a definition */
    DddItemList *record; /* out, freed with ddd_FreeRecord */
} DddItemListRequest;

/*
 * ddd_BuildItemList: a kind-523 item list of the record behind a FunctionID (or its option
 * n): copies of its values and keys, and for types 3, 4, 13 and 14 the data block of the
 * type-18 record it names (kind 522; a missing block leaves data NULL).
 */
DddStatus ddd_BuildItemList(DddItemListRequest *request);

/* ddd_GetSubRecordItems: the item list of option n (>= 1) of a definition; 1 for n = 0. */
DddStatus ddd_GetSubRecordItems(DddItemListRequest *request);

/* ---- typed accessors (ddd_records.cpp); 1 for another type, 2 past the count ---- */

DddStatus ddd_GetRecordExtraWord(const void *record, WORD *word);
DddStatus ddd_GetItemBitmap(DddFile *model, DddFile *base, const void *record, WORD *word1, WORD *word2, BYTE **dib,
                            DWORD *dibLength);
DddStatus ddd_GetRangeMinSize(const void *record, DddSize *size);
DddStatus ddd_GetRangeMaxSize(const void *record, DddSize *size);
DddStatus ddd_GetRangeItem(const void *record, WORD n, WORD *functionId);
DddStatus ddd_GetRangeSubWord(const void *record, WORD n, WORD *word);
DddStatus ddd_GetPaperMinSize(const void *record, DddSize *size);
DddStatus ddd_GetPaperMaxSize(const void *record, DddSize *size);
DddStatus ddd_GetPaperMargins(const void *record, DddSize *leftTop, DddSize *rightBottom);
DddStatus ddd_GetPaperMinImageSize(const void *record, DddSize *size);
DddStatus ddd_GetPaperMaxImageSize(const void *record, DddSize *size);
DddStatus ddd_GetNamedDataBlock(const void *record, const BYTE **data, DWORD *length);
DddStatus ddd_GetNamedDataText(const void *record, WORD n, const WCHAR **text);
DddStatus ddd_GetValueListCount(const void *record, WORD *count);
DddStatus ddd_GetValueListEntry(const void *record, WORD n, WORD *functionId, BYTE *valueType, const void **value);
DddStatus ddd_GetType15Text1(const void *record, const WCHAR **text);
DddStatus ddd_GetType15Text2(const void *record, const WCHAR **text);
DddStatus ddd_GetRecord19Flag(const void *record, BYTE *flag);
DddStatus ddd_GetType21Count(const void *record, WORD *count);
DddStatus ddd_GetType21Entry(const void *record, WORD n, WORD *functionId, WORD *valueType, WORD *size,
                             const void **value);
DddStatus ddd_GetValueListDword(const void *record, WORD n, DWORD *value);
DddStatus ddd_GetHostAppCount(const void *record, WORD *count);
DddStatus ddd_GetHostAppEntry(const void *record, WORD n, WORD *functionId, BYTE *valueType, WORD *size,
                              const void **value);

/* ---- defaults (ddd_defaults.cpp) ---- */

typedef struct DddDefaultRequest {
    DddFile *model;
    DddFile *base;
    WORD functionId;
    void *value;    /* out: new global block */
    BYTE valueType; /* out */
    DWORD size;     /* out: bytes of value */
} DddDefaultRequest;

/* ddd_ReadDefaultValue: the default option's value of a type-3/4 definition, copied into a
 * new block. value, valueType: out. 1 for other types or a default option outside 1..count,
 * 2 for key 0 or a missing record. */
DddStatus ddd_ReadDefaultValue(WORD functionId, DddFile *model, DddFile *base, void **value, BYTE *valueType,
                               DWORD *size);

/* ddd_GetDefaultWithOverrides: ddd_ReadDefaultValue with the model and locale overrides. */
DddStatus ddd_GetDefaultWithOverrides(DddDefaultRequest *request);

#endif /* QM_CORE_DDD_DDD_ACCESS_H */
