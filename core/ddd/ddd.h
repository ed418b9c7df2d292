/*
 * Description data reader: a printer model's description data file (".DDD") and the base
 * file it names, held in memory, with the low-level cursor, header, numbered entries,
 * directory, record lists, field decoders and record parsers, and the lookups built on
 * them (ddd_access.h). All numbers in a file are little-endian except the format number.
 *
 * Status codes (DddStatus): 0 success; 1 bad argument, wrong type, missing entry, missing
 * file or read failure; 2 key or index not found or past the count; 4 out of memory;
 * 8 version out of range. Every function that fails on input records the failing file
 * offset in the file (DddFile.failOffset) where one is known.
 */
#ifndef QM_CORE_DDD_DDD_H
#define QM_CORE_DDD_DDD_H

#include <windows.h>

typedef WORD DddStatus;

#define DDD_OK 0
#define DDD_ERROR 1
#define DDD_NOT_FOUND 2
#define DDD_NO_MEMORY 4
#define DDD_BAD_VERSION 8

/* Levels: where a record lies, and which file's list a lookup reads. */
#define DDD_LEVEL_BASE 1
#define DDD_LEVEL_MODEL 2

/* Header layout. */
#define DDD_TITLE_OFFSET 0
#define DDD_TEXT_FIELD_BYTES 64
#define DDD_VERSION_OFFSET 64
#define DDD_VERSION_BYTES 24
#define DDD_FORMAT_OFFSET 92
#define DDD_MODEL_NAME_OFFSET 96
#define DDD_BASE_NAME_OFFSET 160
#define DDD_ENTRIES_OFFSET 224
#define DDD_HEADER_BYTES 224

/* Numbered entries 0..41; key 42 ends the walk. */
#define DDD_ENTRY_COUNT 42

/* Record types (DddRecordType), and the converted kinds handed to the property sheets. */
#define DDD_TYPE_HEADER_NAME 1
#define DDD_TYPE_HEADER 2
#define DDD_TYPE_FIRST 3
#define DDD_TYPE_LAST 25
#define DDD_KIND_VALUE_ELEMENT 517
#define DDD_KIND_DATA_COPY 522
#define DDD_KIND_ITEM_LIST 523
/* ddd_FreeRecord: free a record by its own type word. */
#define DDD_FREE_OWN_TYPE 0xFFFF

/* Value types of value fields (ValueType), and the value-list marker. */
#define DDD_VT_BOOL 1
#define DDD_VT_SHORT 2
#define DDD_VT_USHORT 3
#define DDD_VT_LONG 4
#define DDD_VT_ULONG 5
#define DDD_VT_STRING 6
#define DDD_VT_FLOAT 7
#define DDD_VT_BYTE 8
#define DDD_VT_LOGFONT 9
#define DDD_VT_DWORD 10
#define DDD_VT_VALUE_LIST 128

/* Number of scratch buffers of a resource block, and their smallest size. */
#define DDD_SCRATCH_COUNT 4
#define DDD_SCRATCH_MIN_BYTES 1024
/* Longest resource string read, in characters. */
#define DDD_RESOURCE_STRING_CHARS 512

typedef struct DddScratch {
    DWORD capacity;
    BYTE *data;
    DWORD inUse;
} DddScratch;

/*
 * Shared by a model file and its base file, owned by the model file: scratch buffers for
 * text fields, the switch for resource-string references and the first resource module.
 * The module names (entry 35) are read from the owner's bytes.
 */
typedef struct DddResourceBlock {
    DddScratch scratch[DDD_SCRATCH_COUNT];
    DWORD referencesAllowed;
    HMODULE firstModule;
    const BYTE *ownerBytes;
    DWORD ownerSize;
} DddResourceBlock;

/* One open description data file. */
typedef struct DddFile {
    BYTE *bytes;
    DWORD size;
    DWORD position;
    WORD level;
    DWORD format;
    DddResourceBlock *resources;
    BOOL ownsResources;
    DWORD version;    /* packed version (ddd_PackVersion), set by the header check */
    DWORD failOffset; /* offset of the last failed read, for traces and tools */
} DddFile;

/* A size block: width and height in the model's units (0.1 mm for paper). */
typedef struct DddSize {
    WORD width;
    WORD height;
} DddSize;

/* A block a parsed record owns besides itself (chained, freed with the record). */
typedef struct DddOwned {
    struct DddOwned *next;
    void *block;
} DddOwned;

/*
 * Common head of every parsed record: its key, DddRecordType (second word), the level it
 * came from (third word), and the format number of the file it was parsed from, which
 * the format-gated accessors test.
 */
typedef struct DddRecordHead {
    WORD key;
    WORD type;
    WORD level;
    WORD reserved;
    DWORD format;
    DddOwned *owned;
} DddRecordHead;

/*
 * A value field or value element. Types 1 and 10 keep their value in number (type 1
 * normalised to 0/1); type 6 points data at a new wide string; other types point data at
 * their bytes in the file (size bytes). A value list (type 128) keeps the key of its
 * type-20 record in number until ddd_LoadValueList replaces type, size, count and data.
 */
typedef struct DddValue {
    WORD functionId; /* value elements: their FunctionID */
    BYTE valueType;
    BYTE elementByte; /* value elements: their u8 */
    WORD elementWord; /* value elements: their u16 */
    BYTE flag;        /* flagged value elements: their trailing u8 */
    BYTE reserved;
    DWORD size;  /* bytes of one value */
    DWORD count; /* 1, or the element count of a loaded value list */
    const void *data;
    DWORD number;
} DddValue;

typedef struct DddKeyArray {
    WORD count;
    WORD *keys;
} DddKeyArray;

typedef struct DddValueArray {
    WORD count;
    DddValue *values;
} DddValueArray;

typedef struct DddTextArray {
    WORD count;
    WCHAR **texts;
} DddTextArray;

typedef struct DddOptionRef {
    WORD word1;
    WORD word2;
    WORD key;
} DddOptionRef;

typedef struct DddTriple {
    WORD values[3];
} DddTriple;

/* Type 2: the parsed header. */
typedef struct DddHeader {
    DddRecordHead head;
    WCHAR *title;
    WCHAR *modelName;
    WCHAR *baseName;
    WORD major;
    WORD minor;
    WORD build;
    DWORD format;
} DddHeader;

/* Types 3 and 4: the definition of a FunctionID (key = FunctionID). */
typedef struct DddDefinition {
    DddRecordHead head;
    WCHAR *caption;
    BYTE controlKind;
    WORD defaultOption;
    WORD word1;
    DddKeyArray options;
    DddKeyArray keys2; /* indexes of the type-7 constraint records concerning it */
    DddKeyArray keys3; /* indexes of the type-8 constraint records */
    WORD dataKey;
    WCHAR *text2; /* format 1024 and later */
} DddDefinition;

/* Types 5 and 6: a size range. */
typedef struct DddSizeRange {
    DddRecordHead head;
    WCHAR *text;
    WORD sizeKey;
    WORD word1;
    DddKeyArray items;
    DddKeyArray subWords;
    BYTE byte1;   /* format 512 and later */
    WCHAR *text2; /* format 1024 and later */
    DddSize minSize;
    DddSize maxSize;
} DddSizeRange;

/* Types 7 and 8: constraint records. value: the trigger (its u8 the match kind, its u16
 * the value stride); word1: the flag word; flagged: the option-set conditions (u8
 * operator, trailing u8 connective); values: the change list. */
typedef struct DddValueSet {
    DddRecordHead head;
    DddValue value;
    WORD word1;
    WCHAR *text;
    DddValueArray flagged;
    DddValueArray values;
} DddValueSet;

/* Type 9: an item with its bitmap reference. */
typedef struct DddItem {
    DddRecordHead head;
    DddValueArray flagged;
    DddOptionRef bitmap;
} DddItem;

/* Type 10: a paper size (key = paper number). */
typedef struct DddPaper {
    DddRecordHead head;
    WCHAR *name;
    BYTE byte1;
    WORD paperSizeKey;
    WORD imageSizeKey;
    WORD marginKey;
    WORD word1;
    WORD word2;
    BYTE byte2;        /* format 512 and later */
    WORD extraSizeKey; /* format 512 and later */
    WORD extraWord;    /* format 1280 and later */
    DddSize minSize;
    DddSize maxSize;
    DddSize minImage;
    DddSize maxImage;
    DddSize margins[2]; /* {left, top} and {right, bottom} */
    DddSize extra[2];
} DddPaper;

/* Type 11: named data. */
typedef struct DddNamedData {
    DddRecordHead head;
    WCHAR *name;
    WCHAR *text2;
    DddTextArray texts;
    DddTextArray texts2;
    DWORD dataLength;
    const BYTE *data;
    WORD extraWord;
    DddValueArray rows; /* format 1024 and later */
} DddNamedData;

/* Type 12: a bitmap; dib is set only when the data was asked for. */
typedef struct DddBitmap {
    DddRecordHead head;
    BYTE kind;
    WORD word1;
    WORD word2;
    DWORD dibLength;
    const BYTE *dib;
} DddBitmap;

/* Types 13 and 14: an option of a definition. */
typedef struct DddOption {
    DddRecordHead head;
    WCHAR *caption;
    WORD targetType; /* record type the option targets, or 0 */
    WORD targetKey;
    WORD iconKey;      /* type-12 icon, or 0 */
    DddKeyArray keys1; /* indexes of the type-7 constraint records of this value */
    DddKeyArray keys2; /* indexes of the type-8 constraint records */
    DddValue value;
    WORD dataKey;
} DddOption;

/* Type 15. */
typedef struct DddType15 {
    DddRecordHead head;
    WORD word1;
    DddValueArray flagged;
    WCHAR *text1;
    WCHAR *text2;
    WORD extraWord; /* format 1280 and later */
} DddType15;

/* Type 16. */
typedef struct DddType16 {
    DddRecordHead head;
    DddValueArray flagged;
    BYTE byte1;
    BYTE byte2;
    WORD dataLength;
    const BYTE *data;
} DddType16;

/* Type 17: two size blocks; a single block. */
typedef struct DddSizePair {
    DddRecordHead head;
    DddSize sizes[2];
} DddSizePair;

/* Type 18: a data block. */
typedef struct DddDataBlock {
    DddRecordHead head;
    WORD length;
    const BYTE *data;
} DddDataBlock;

/* Type 19 (format 512 and later). */
typedef struct DddType19 {
    DddRecordHead head;
    WCHAR *text;
    BYTE flag;
    WCHAR *text2; /* format 1024 and later */
} DddType19;

/* Type 20: a value list. */
typedef struct DddValueList {
    DddRecordHead head;
    WORD word1;
    BYTE elementType;
    WORD elementSize;
    WORD count;
    const BYTE *elements;
} DddValueList;

/* Types 21 and 24: rows of settings (24: for one host application). */
typedef struct DddRowSet {
    DddRecordHead head;
    WCHAR *text;
    DddValueArray rows;
} DddRowSet;

/* Type 22: auto-configuration options. */
typedef struct DddType22 {
    DddRecordHead head;
    WORD flags; /* the mapping flags */
    WORD word2;
    BYTE byte1;
    WORD word3;
    BYTE byte2;
    WORD word4;
    WORD word5;
    DddTextArray texts;
    DddValueArray values;
} DddType22;

/* Type 23. */
typedef struct DddType23 {
    DddRecordHead head;
    DddValueArray flagged;
    WORD tripleCount;
    DddTriple *triples;
} DddType23;

/* Type 25 (format 8192 and later). */
typedef struct DddType25 {
    DddRecordHead head;
    WCHAR *text1;
    WCHAR *text2;
} DddType25;

/* Kind 522: a copied data block. */
typedef struct DddDataCopy {
    DddRecordHead head;
    DWORD length;
    BYTE *data;
} DddDataCopy;

/* Kind 517: a copied value element. */
typedef struct DddValueElement {
    DddRecordHead head;
    DddValue value;
} DddValueElement;

/*
 * Kind 523: an item list handed to the property sheets: copies of a record's values (their
 * bytes owned by the list) and keys, with the copied data block of its type-18 record.
 */
typedef struct DddItemList {
    DddRecordHead head;
    WORD sourceType; /* the type of the record copied */
    WORD count;
    DddValue *values;
    DddKeyArray keys;  /* definitions: their option keys */
    DddDataCopy *data; /* kind 522, or NULL */
} DddItemList;

/* ddd_ParseRecord's request. flags: DDD_PARSE_BITMAP_DATA reads a type-12 record's DIB. */
#define DDD_PARSE_BITMAP_DATA 1
typedef struct DddParseRequest {
    DWORD flags;
    DddFile *file; /* the file holding the record, positioned at it */
    DddFile *model;
    DddFile *base;
    WORD type;
    WORD level;   /* the list entry's level, kept in the record */
    void *record; /* out */
} DddParseRequest;

/* ---- files and cursor (ddd_file.cpp) ---- */

/*
 * ddd_OpenFile: maps the file at path read-only and copies its bytes into a global block.
 * file: out; shared: in, the model file's resource block, or NULL to make a new one
 * (owned by this file). Returns 0, 1 (argument or open/read failure) or 4.
 */
DddStatus ddd_OpenFile(LPCWSTR path, DddFile *file, DddResourceBlock *shared);

/*
 * ddd_OpenMemory: as ddd_OpenFile over a copy of bytes[0..size). For tools and tests.
 */
DddStatus ddd_OpenMemory(const BYTE *bytes, DWORD size, DddFile *file, DddResourceBlock *shared);

/* ddd_CloseFile: frees the bytes, and the resource block when owned. 0, or 1 when not open. */
DddStatus ddd_CloseFile(DddFile *file);

/* ddd_Seek: mode 1 moves relative, any other mode sets value as the position. 1 when the
 * file is not open or the position would leave 0..size. */
DddStatus ddd_Seek(DddFile *file, int mode, LONG value);

/* ddd_SeekBack: moves the position back by n; 1 when n exceeds the position. */
DddStatus ddd_SeekBack(DddFile *file, DWORD n);

/* ddd_Read: copies n bytes from the position and advances; 1 for a NULL argument, n = 0,
 * a closed file or a read past the end (the position is then unchanged). */
DddStatus ddd_Read(DddFile *file, void *destination, DWORD n);

/*
 * ddd_ParseVersionText: the three numbers after the first ':' of text (at most length
 * bytes, stops at a 0), each ended by one character or the end. Returns 0, or 1 when the
 * colon or a number is missing, major or minor exceeds 255 or build exceeds 65535.
 */
DddStatus ddd_ParseVersionText(const char *text, DWORD length, WORD *major, WORD *minor, WORD *build);

/* ddd_PackVersion: major << 24 | minor << 16 | build. */
DWORD ddd_PackVersion(WORD major, WORD minor, WORD build);

/* ---- text fields (ddd_text.cpp) ---- */

/*
 * ddd_ReadTextField: reads a text field {u16 n, n bytes} at the file's position into a new
 * wide string (NULL for n = 0) and its size in bytes (characters * 2 + 2, or 0).
 * Returns 0, 1 (read past the end) or 4.
 */
DddStatus ddd_ReadTextField(DddFile *file, WCHAR **text, DWORD *bytes);

/*
 * ddd_DecodeText: decodes the n bytes of a text field body (reference or inverted inline
 * text) into a new wide string; text: out (NULL when n = 0). Returns 0 or 4.
 */
DddStatus ddd_DecodeText(DddFile *file, const BYTE *body, DWORD n, WCHAR **text, DWORD *bytes);

/* ddd_AnsiToWide: converts length bytes of ANSI text (stopping at a 0) into a new wide
 * string. Returns NULL when out of memory. */
WCHAR *ddd_AnsiToWide(const BYTE *ansi, DWORD length);

/* ---- entries, directory and lists (ddd_entries.cpp) ---- */

/* ddd_FindEntry: positions the cursor at the start of entry key; 1 when it is missing. */
DddStatus ddd_FindEntry(DddFile *file, WORD key);

/* ddd_SeekTypeList: positions at the type's record list; 2 for a type not in the directory,
 * 1 for a damaged directory. */
DddStatus ddd_SeekTypeList(DddFile *file, WORD type);

/* List entry modes. */
#define DDD_BY_INDEX 0
#define DDD_BY_KEY 1

/*
 * ddd_FindListEntry: in the list at the cursor, the entry with this key (mode DDD_BY_KEY)
 * or 1-based index (DDD_BY_INDEX). level, key, offset: out. Returns 0, 2 when not found or
 * past the count, 1 for a damaged list.
 */
DddStatus ddd_FindListEntry(DddFile *file, int mode, WORD value, BYTE *level, WORD *key, DWORD *offset);

/*
 * ddd_LocateRecord: reads the type's list of the base file (selector 1) or the model file
 * (any other selector), finds the entry and positions the cursor of the file holding the record at it.
 * holder: out, the file positioned; level: out, the entry's level.
 */
DddStatus ddd_LocateRecord(int mode, DddFile *model, DddFile *base, WORD selector, WORD type, WORD value,
                           DddFile **holder, WORD *level);

/*
 * ddd_LocateSubRecord: for a type-3/4 record at holder's cursor and option number n (>= 1),
 * locates option n's record (13 for 3, 14 for 4) through the list of selector.
 */
DddStatus ddd_LocateSubRecord(DddFile *model, DddFile *base, WORD selector, WORD type, WORD optionNumber,
                              DddFile **holder, WORD *level, WORD *optionKey);

/* ---- records (ddd_parse.cpp, ddd_free.cpp) ---- */

/* ddd_ParseRecord: parses the record at request->file's cursor. Types outside 3-25: 1. */
DddStatus ddd_ParseRecord(DddParseRequest *request);

/*
 * ddd_FreeRecord: frees a parsed record and everything it owns and clears *record. type:
 * DDD_FREE_OWN_TYPE for the record's own type, 1 for a header-name copy, 0 for a plain
 * block, else the type the caller expects. Returns 0, or 1 for NULL or a type mismatch.
 */
DddStatus ddd_FreeRecord(void **record, WORD type);

/*
 * ddd_LoadValueList: replaces a value-list value (type 128) of record by the elements of
 * its type-20 record, found through the list of the record's level. Types 1 and 10 are
 * copied into 4-byte values (type 1 normalised to 0/1) owned by record.
 */
DddStatus ddd_LoadValueList(DddFile *model, DddFile *base, DddRecordHead *record, DddValue *value);

/* ddd_ValueData: the address of a value's bytes (number for types 1 and 10). */
const void *ddd_ValueData(const DddValue *value);

#endif /* QM_CORE_DDD_DDD_H */
