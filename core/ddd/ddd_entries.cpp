/*
 * Numbered entries, the directory of record lists and the lists themselves.
 *
 * Entries 0..41 follow the header in key order. Entry 0 is the u32 byte length L of
 * entries 1-41, which end at 228 + L: keys after the last one written there are missing.
 * The directory follows: {u32 its length, u16 slot count} and one 7-byte slot
 * {u8 type, u16 record count, u32 X} per record type, whose list starts at 4 + X.
 * A list is {u16 count, count x {u8 level, u16 key, u32 file offset}}.
 */
#include "core/ddd/ddd.h"

#include "core/ddd/ddd_private.h"

#define ENTRY_STORED 0
#define DIRECTORY_HEAD_BYTES 6
#define SLOT_BYTES 7
#define LIST_ENTRY_BYTES 7

const DddEntryShape g_dddEntryShapes[DDD_ENTRY_COUNT] = {
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

const WORD g_dddSlotTypes[DDD_DIRECTORY_SLOTS] = {
    3, 4, 5, 6, 17, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 18, 19, 20, 21, 22, 23, 24, 25,
};

static DddStatus entry_End(DddFile *file, DWORD *end);
static DddStatus entry_Skip(DddReader *reader, WORD key);
static DddStatus list_Read(DddFile *file, DWORD at, DWORD index, BYTE *level, WORD *key, DWORD *offset);

/* The end of the entries (228 + L), checked against the file. */
static DddStatus entry_End(DddFile *file, DWORD *end)
{
    if (!ddd_Available(file, DDD_ENTRIES_OFFSET, 4)) {
        return DDD_ERROR;
    }
    DWORD length = ddd_Dword(file->bytes + DDD_ENTRIES_OFFSET);
    if (length > file->size - DDD_ENTRIES_OFFSET - 4) {
        file->failOffset = DDD_ENTRIES_OFFSET;
        return DDD_ERROR;
    }
    *end = DDD_ENTRIES_OFFSET + 4 + length;
    return DDD_OK;
}

/* Skips entry key at the reader's position. */
static DddStatus entry_Skip(DddReader *reader, WORD key)
{
    const DddEntryShape *shape = &g_dddEntryShapes[key];
    DWORD count = shape->count != ENTRY_STORED ? shape->count : ddd_ReaderWord(reader);
    for (DWORD i = 0; i < count && reader->status == DDD_OK; ++i) {
        DWORD size = shape->size != ENTRY_STORED ? shape->size : ddd_ReaderWord(reader);
        ddd_ReaderTake(reader, size);
    }
    return reader->status;
}

/* Reads entry index (0-based) of the list at `at`. */
static DddStatus list_Read(DddFile *file, DWORD at, DWORD index, BYTE *level, WORD *key, DWORD *offset)
{
    DWORD entry = at + 2 + index * LIST_ENTRY_BYTES;
    if (!ddd_Available(file, entry, LIST_ENTRY_BYTES)) {
        file->failOffset = entry;
        return DDD_ERROR;
    }
    const BYTE *p = file->bytes + entry;
    *level = p[0];
    *key = ddd_Word(p + 1);
    *offset = ddd_Dword(p + 3);
    return DDD_OK;
}

DddStatus ddd_FindEntry(DddFile *file, WORD key)
{
    if (!file || !file->bytes || key >= DDD_ENTRY_COUNT) {
        return DDD_ERROR;
    }
    DWORD end = 0;
    if (entry_End(file, &end) != DDD_OK) {
        return DDD_ERROR;
    }
    if (key == 0) {
        file->position = DDD_ENTRIES_OFFSET;
        return DDD_OK;
    }
    DddReader reader;
    file->position = DDD_ENTRIES_OFFSET + 4;
    ddd_ReaderInit(&reader, file, end);
    for (WORD k = 1; k < key; ++k) {
        if (reader.position >= end) {
            return DDD_ERROR;
        }
        if (entry_Skip(&reader, k) != DDD_OK) {
            return DDD_ERROR;
        }
    }
    if (reader.position >= end) {
        return DDD_ERROR;
    }
    /* The whole entry must lie before the end of the entries. */
    DddReader probe = reader;
    if (entry_Skip(&probe, key) != DDD_OK) {
        return DDD_ERROR;
    }
    file->position = reader.position;
    return DDD_OK;
}

DddStatus ddd_FindListEntry(DddFile *file, int mode, WORD value, BYTE *level, WORD *key, DWORD *offset)
{
    if (!file || !file->bytes || !level || !key || !offset) {
        return DDD_ERROR;
    }
    DWORD at = file->position;
    if (!ddd_Available(file, at, 2)) {
        file->failOffset = at;
        return DDD_ERROR;
    }
    WORD count = ddd_Word(file->bytes + at);
    if (mode == DDD_BY_INDEX) {
        if (value == 0 || value > count) {
            return DDD_NOT_FOUND;
        }
        return list_Read(file, at, (DWORD)value - 1, level, key, offset);
    }
    for (DWORD i = 0; i < count; ++i) {
        DddStatus status = list_Read(file, at, i, level, key, offset);
        if (status != DDD_OK) {
            return status;
        }
        if (*key == value) {
            return DDD_OK;
        }
    }
    return DDD_NOT_FOUND;
}

DddStatus ddd_LocateRecord(int mode, DddFile *model, DddFile *base, WORD selector, WORD type, WORD value,
                           DddFile **holder, WORD *level)
{
    if (!holder || !level) {
        return DDD_ERROR;
    }
    *holder = NULL;
    /* Selector 1 reads the base file's list; 2, and callers passing 0 for "the model's
     * lookup", read the model file's list, which also names the base file's records. */
    DddFile *listFile = selector == DDD_LEVEL_BASE ? base : model;
    if (!listFile || !listFile->bytes) {
        return DDD_ERROR;
    }
    DddStatus status = ddd_SeekTypeList(listFile, type);
    if (status != DDD_OK) {
        return status;
    }
    BYTE entryLevel = 0;
    WORD key = 0;
    DWORD offset = 0;
    status = ddd_FindListEntry(listFile, mode, value, &entryLevel, &key, &offset);
    if (status != DDD_OK) {
        return status;
    }
    /* A model file's list names records of both files; a base file's list only its own. */
    DddFile *file = entryLevel == DDD_LEVEL_MODEL && listFile == model ? model : base;
    if (!file || !file->bytes || offset >= file->size) {
        listFile->failOffset = listFile->position;
        return DDD_ERROR;
    }
    file->position = offset;
    *holder = file;
    *level = entryLevel == DDD_LEVEL_MODEL ? DDD_LEVEL_MODEL : DDD_LEVEL_BASE;
    return DDD_OK;
}

DddStatus ddd_LocateSubRecord(DddFile *model, DddFile *base, WORD selector, WORD type, WORD optionNumber,
                              DddFile **holder, WORD *level, WORD *optionKey)
{
    if (!holder || !*holder || !level || (type != 3 && type != 4) || optionNumber == 0) {
        return DDD_ERROR;
    }
    DddFile *file = *holder;
    DWORD start = file->position;
    if (!ddd_Available(file, start, 4)) {
        return DDD_ERROR;
    }
    DddReader reader;
    ddd_ReaderInit(&reader, file, start + ddd_Dword(file->bytes + start));
    ddd_ReaderTake(&reader, 6);
    ddd_ReaderTake(&reader, ddd_ReaderWord(&reader)); /* caption */
    ddd_ReaderTake(&reader, 1 + 2 + 2 + 4);           /* kind, default, word, array length */
    WORD count = ddd_ReaderWord(&reader);
    if (reader.status != DDD_OK) {
        return reader.status;
    }
    if (optionNumber > count) {
        return DDD_NOT_FOUND;
    }
    ddd_ReaderTake(&reader, ((DWORD)optionNumber - 1) * 2);
    WORD key = ddd_ReaderWord(&reader);
    if (reader.status != DDD_OK) {
        return reader.status;
    }
    if (optionKey) {
        *optionKey = key;
    }
    return ddd_LocateRecord(DDD_BY_KEY, model, base, selector, type == 3 ? 13 : 14, key, holder, level);
}

DddStatus ddd_ReadEntryAnsi(DddFile *file, WORD key, WORD index, char **text)
{
    *text = NULL;
    if (g_dddEntryShapes[key].size != ENTRY_STORED || ddd_FindEntry(file, key) != DDD_OK) {
        return DDD_ERROR;
    }
    DddReader reader;
    ddd_ReaderInit(&reader, file, file->size);
    WORD count = g_dddEntryShapes[key].count != ENTRY_STORED ? g_dddEntryShapes[key].count : ddd_ReaderWord(&reader);
    if (index >= count) {
        return DDD_ERROR;
    }
    for (WORD i = 0; i < index; ++i) {
        ddd_ReaderTake(&reader, ddd_ReaderWord(&reader));
    }
    WORD n = ddd_ReaderWord(&reader);
    const BYTE *body = ddd_ReaderTake(&reader, n);
    if (reader.status != DDD_OK) {
        return reader.status;
    }
    char *copy = (char *)GlobalAlloc(GPTR, (DWORD)n + 1);
    if (!copy) {
        return DDD_NO_MEMORY;
    }
    for (WORD i = 0; i < n; ++i) {
        copy[i] = (char)(body[i] ^ 0xFF);
    }
    *text = copy;
    return DDD_OK;
}

DddStatus ddd_SeekTypeList(DddFile *file, WORD type)
{
    if (!file || !file->bytes) {
        return DDD_ERROR;
    }
    DWORD slot = DDD_DIRECTORY_SLOTS;
    for (DWORD i = 0; i < DDD_DIRECTORY_SLOTS; ++i) {
        if (g_dddSlotTypes[i] == type) {
            slot = i;
        }
    }
    if (slot == DDD_DIRECTORY_SLOTS) {
        return DDD_NOT_FOUND;
    }
    DWORD end = 0;
    if (entry_End(file, &end) != DDD_OK) {
        return DDD_ERROR;
    }
    DWORD at = end + DIRECTORY_HEAD_BYTES + slot * SLOT_BYTES;
    if (!ddd_Available(file, at, SLOT_BYTES)) {
        file->failOffset = at;
        return DDD_ERROR;
    }
    DWORD x = ddd_Dword(file->bytes + at + 3);
    if (x > file->size - 4 || !ddd_Available(file, 4 + x, 2)) {
        file->failOffset = at;
        return DDD_ERROR;
    }
    file->position = 4 + x;
    return DDD_OK;
}
