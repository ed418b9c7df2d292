/*
 * The record layouts (field_table.h). Names are the keys of the YAML source.
 */
#include "tools/dddc/field_table.h"

namespace dddc {

static const FieldDef kDefinition[] = {
    {"caption", FIELD_TEXT, 0, REF_NONE},
    {"control", FIELD_U8, 0, REF_NONE},
    {"default", FIELD_U16, 0, REF_NONE},
    {"word1", FIELD_U16, 0, REF_NONE},
    {"options", FIELD_ARRAY_KEYS, 0, REF_OPTION},
    {"keys2", FIELD_ARRAY_KEYS, 0, REF_NONE},
    {"keys3", FIELD_ARRAY_KEYS, 0, REF_NONE},
    {"data", FIELD_KEY, 0, 18},
    {"text2", FIELD_TEXT, 1024, REF_NONE},
};

static const FieldDef kSizeRange[] = {
    {"text", FIELD_TEXT, 0, REF_NONE},
    {"sizes", FIELD_KEY, 0, 17},
    {"word1", FIELD_U16, 0, REF_NONE},
    {"items", FIELD_ARRAY_KEYS, 0, REF_NONE},
    {"sub_words", FIELD_ARRAY_KEYS, 0, REF_NONE},
    {"byte1", FIELD_U8, 512, REF_NONE},
    {"text2", FIELD_TEXT, 1024, REF_NONE},
};

static const FieldDef kValueSet[] = {
    {"value", FIELD_VALUE_ELEMENT, 0, REF_NONE},
    {"word1", FIELD_U16, 0, REF_NONE},
    {"text", FIELD_TEXT, 0, REF_NONE},
    {"flagged", FIELD_ARRAY_FLAGGED, 0, REF_NONE},
    {"values", FIELD_ARRAY_VALUES, 0, REF_NONE},
};

static const FieldDef kItem[] = {
    {"flagged", FIELD_ARRAY_FLAGGED, 0, REF_NONE},
    {"ref_word1", FIELD_U16, 0, REF_NONE},
    {"ref_word2", FIELD_U16, 0, REF_NONE},
    {"bitmap", FIELD_KEY, 0, 12},
};

static const FieldDef kPaper[] = {
    {"name", FIELD_TEXT, 0, REF_NONE},
    {"byte1", FIELD_U8, 0, REF_NONE},
    {"paper_size", FIELD_KEY, 0, 17},
    {"image_size", FIELD_KEY, 0, 17},
    {"margins", FIELD_KEY, 0, 17},
    {"word1", FIELD_U16, 0, REF_NONE},
    {"word2", FIELD_U16, 0, REF_NONE},
    {"byte2", FIELD_U8, 512, REF_NONE},
    {"extra_size", FIELD_KEY, 512, 17},
    {"extra_word", FIELD_U16, 1280, REF_NONE},
};

static const FieldDef kNamedData[] = {
    {"name", FIELD_TEXT, 0, REF_NONE},
    {"text2", FIELD_TEXT, 0, REF_NONE},
    {"texts", FIELD_TEXTS16, 0, REF_NONE},
    {"texts2", FIELD_TEXTS16, 0, REF_NONE},
    {"data", FIELD_DATA32, 0, REF_NONE},
    {"extra_word", FIELD_U16, 0, REF_NONE},
    {"rows", FIELD_ROWS16, 1024, REF_NONE},
};

static const FieldDef kBitmap[] = {
    {"kind", FIELD_U8, 0, REF_NONE},
    {"word1", FIELD_U16, 0, REF_NONE},
    {"word2", FIELD_U16, 0, REF_NONE},
    {"skipped", FIELD_DATA16, 0, REF_NONE},
    {"bmp", FIELD_BITMAP, 0, REF_NONE},
};

static const FieldDef kOption[] = {
    {"caption", FIELD_TEXT, 0, REF_NONE},
    {"target_type", FIELD_U16, 0, REF_NONE},
    {"target", FIELD_KEY, 0, REF_TARGET},
    {"icon", FIELD_KEY, 0, 12},
    {"keys1", FIELD_ARRAY_KEYS, 0, REF_NONE},
    {"keys2", FIELD_ARRAY_KEYS, 0, REF_NONE},
    {"value", FIELD_VALUE, 0, REF_NONE},
    {"data", FIELD_KEY, 0, 18},
};

static const FieldDef kType15[] = {
    {"word1", FIELD_U16, 0, REF_NONE},
    {"flagged", FIELD_ARRAY_FLAGGED, 0, REF_NONE},
    {"text1", FIELD_TEXT, 0, REF_NONE},
    {"text2", FIELD_TEXT, 0, REF_NONE},
    {"extra_word", FIELD_U16, 1280, REF_NONE},
};

static const FieldDef kType16[] = {
    {"flagged", FIELD_ARRAY_FLAGGED, 0, REF_NONE},
    {"byte1", FIELD_U8, 0, REF_NONE},
    {"byte2", FIELD_U8, 0, REF_NONE},
    {"data", FIELD_DATA16, 0, REF_NONE},
};

static const FieldDef kSizePair[] = {
    {"first", FIELD_SIZE, 0, REF_NONE},
    {"second", FIELD_SIZE, 0, REF_NONE},
};

static const FieldDef kDataBlock[] = {
    {"data", FIELD_DATA16, 0, REF_NONE},
};

static const FieldDef kType19[] = {
    {"text", FIELD_TEXT, 0, REF_NONE},
    {"flag", FIELD_U8, 0, REF_NONE},
    {"text2", FIELD_TEXT, 1024, REF_NONE},
};

static const FieldDef kValueList[] = {
    {"word1", FIELD_U16, 0, REF_NONE},
    {"element_type", FIELD_U8, 0, REF_NONE},
    {"element_size", FIELD_U16, 0, REF_NONE},
    {"elements", FIELD_ELEMENTS, 0, REF_NONE},
};

static const FieldDef kRowSet[] = {
    {"text", FIELD_TEXT, 0, REF_NONE},
    {"rows", FIELD_ROWS32, 0, REF_NONE},
};

static const FieldDef kType22[] = {
    {"flags", FIELD_U16, 0, REF_NONE},
    {"word2", FIELD_U16, 0, REF_NONE},
    {"byte1", FIELD_U8, 0, REF_NONE},
    {"word3", FIELD_U16, 0, REF_NONE},
    {"byte2", FIELD_U8, 0, REF_NONE},
    {"word4", FIELD_U16, 0, REF_NONE},
    {"word5", FIELD_U16, 0, REF_NONE},
    {"texts", FIELD_ARRAY_TEXTS, 0, REF_NONE},
    {"values", FIELD_ARRAY_COPIED, 0, REF_NONE},
};

static const FieldDef kType23[] = {
    {"flagged", FIELD_ARRAY_FLAGGED, 0, REF_NONE},
    {"triples", FIELD_ARRAY_TRIPLES, 0, REF_NONE},
};

static const FieldDef kType25[] = {
    {"text1", FIELD_TEXT, 0, REF_NONE},
    {"text2", FIELD_TEXT, 0, REF_NONE},
};

#define RECORD(type, format, fields)                                    \
    {                                                                   \
        type, format, fields, (int)(sizeof(fields) / sizeof(fields[0])) \
    }

static const RecordDef kRecords[] = {
    RECORD(3, 0, kDefinition), RECORD(4, 0, kDefinition), RECORD(5, 0, kSizeRange),  RECORD(6, 0, kSizeRange),
    RECORD(7, 0, kValueSet),   RECORD(8, 0, kValueSet),   RECORD(9, 0, kItem),       RECORD(10, 0, kPaper),
    RECORD(11, 0, kNamedData), RECORD(12, 0, kBitmap),    RECORD(13, 0, kOption),    RECORD(14, 0, kOption),
    RECORD(15, 0, kType15),    RECORD(16, 0, kType16),    RECORD(17, 0, kSizePair),  RECORD(18, 0, kDataBlock),
    RECORD(19, 512, kType19),  RECORD(20, 0, kValueList), RECORD(21, 0, kRowSet),    RECORD(22, 0, kType22),
    RECORD(23, 0, kType23),    RECORD(24, 0, kRowSet),    RECORD(25, 8192, kType25),
};

const uint16_t kSlotTypes[23] = {
    3, 4, 5, 6, 17, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 18, 19, 20, 21, 22, 23, 24, 25,
};

const EntryShapeDef kEntryShapes[42] = {
    /*  0 */ {1, 4}, {1, 2}, {1, 4}, {0, 2}, {1, 2},
    /*  5 */ {1, 1}, {1, 4}, {1, 1}, {1, 4}, {1, 4},
    /* 10 */ {1, 2}, {1, 4}, {1, 4}, {1, 0}, {0, 1},
    /* 15 */ {1, 4}, {1, 2}, {1, 0}, {1, 0}, {1, 0},
    /* 20 */ {1, 0}, {1, 0}, {1, 0}, {1, 1}, {1, 2},
    /* 25 */ {1, 2}, {1, 4}, {0, 2}, {0, 0}, {1, 0},
    /* 30 */ {1, 0}, {1, 0}, {1, 0}, {1, 0}, {0, 2},
    /* 35 */ {0, 0}, {0, 0}, {1, 0}, {1, 0}, {0, 4},
    /* 40 */ {1, 2}, {1, 2},
};

const RecordDef *FindRecordDef(uint16_t type)
{
    for (const RecordDef &def : kRecords) {
        if (def.type == type) {
            return &def;
        }
    }
    return nullptr;
}

} // namespace dddc
