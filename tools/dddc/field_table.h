/*
 * The record layouts of description data files, as one table: for each record type its
 * fields in file order after the record's u32 length and u16 key, with the format number
 * from which each exists and the record type a key field names. The compiler and the
 * dumper both interpret this table; new record fields are added here, not in code.
 */
#ifndef QM_TOOLS_DDDC_FIELD_TABLE_H
#define QM_TOOLS_DDDC_FIELD_TABLE_H

#include <stdint.h>

namespace dddc {

enum FieldKind {
    FIELD_TEXT, /* u16 n, n bytes: inverted text or a resource reference */
    FIELD_U8,
    FIELD_U16,
    FIELD_KEY,           /* u16 key of a record of type `ref` (0 = none) */
    FIELD_VALUE,         /* u8 ValueType, u16 n, value */
    FIELD_VALUE_ELEMENT, /* u16 FunctionID, u8, u16, value field */
    FIELD_SIZE,          /* u16 width, u16 height */
    FIELD_DATA16,        /* u16 n, n bytes */
    FIELD_DATA32,        /* u32 n, n bytes */
    FIELD_TEXTS16,       /* u16 count, count texts */
    FIELD_ROWS16,        /* u16 count, count rows {u16 FunctionID, value field} */
    FIELD_ROWS32,        /* u32 byte length, u16 count, rows */
    FIELD_BITMAP,        /* u32 length, bitmap file (14-byte file header and DIB) */
    FIELD_ELEMENTS,      /* u32 byte length, u16 count, count elements of the record's size */
    FIELD_ARRAY_KEYS,    /* arrays: u32 byte length, u16 count, elements */
    FIELD_ARRAY_VALUES,
    FIELD_ARRAY_FLAGGED,
    FIELD_ARRAY_TEXTS,
    FIELD_ARRAY_TRIPLES,
    FIELD_ARRAY_COPIED,
};

/* Special values of FieldDef::ref. */
enum {
    REF_NONE = 0,
    REF_OPTION = 1000, /* 13 for a type-3 record, 14 for type 4 */
    REF_TARGET = 1001, /* the type named by the record's previous field */
};

struct FieldDef {
    const char *name;
    FieldKind kind;
    uint32_t minFormat;
    uint16_t ref;
};

struct RecordDef {
    uint16_t type;
    uint32_t minFormat; /* the record type exists from this format on */
    const FieldDef *fields;
    int fieldCount;
};

/* The layout of a record type 3..25, or nullptr. */
const RecordDef *FindRecordDef(uint16_t type);

/* Directory slot order of the record types. */
extern const uint16_t kSlotTypes[23];

/* Numbered entries: fixed count and size per key 0..41, 0 = stored in the file. */
struct EntryShapeDef {
    uint8_t count;
    uint8_t size;
};
extern const EntryShapeDef kEntryShapes[42];

} // namespace dddc

#endif /* QM_TOOLS_DDDC_FIELD_TABLE_H */
