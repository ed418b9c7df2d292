/*
 * EntryTable: a growable table of fixed-size entries in one global-heap block.
 */
#include "render/stream/output_stream.h"

#include <string.h>

LONG tbl_Create(EntryTable *table, WORD entrySize, WORD growth)
{
    if (!table || entrySize == 0)
        return -1;
    table->block = (BYTE *)GlobalAlloc(GPTR, (SIZE_T)entrySize * growth);
    if (!table->block && growth)
        return -1;
    table->capacity = growth;
    table->entrySize = entrySize;
    table->growth = growth;
    return 0;
}

LONG tbl_Grow(EntryTable *table)
{
    if (!table || table->growth == 0)
        return -1;
    DWORD capacity = (DWORD)table->capacity + table->growth;
    if (capacity > 0xFFFF)
        return -1; // the capacity is a 16-bit count: never wrap it
    BYTE *block = (BYTE *)GlobalAlloc(GPTR, (SIZE_T)capacity * table->entrySize);
    if (!block)
        return -1;
    if (table->block) {
        memcpy(block, table->block, (size_t)table->capacity * table->entrySize);
        GlobalFree(table->block);
    }
    table->block = block;
    table->capacity = (WORD)capacity;
    return 0;
}

static BYTE *entry_at(const EntryTable *table, WORD n)
{
    if (!table || !table->block || n >= table->capacity)
        return NULL;
    return table->block + (size_t)n * table->entrySize;
}

LONG tbl_Read(const EntryTable *table, WORD n, void *entry)
{
    BYTE *at = entry_at(table, n);
    if (!at || !entry)
        return -1;
    memcpy(entry, at, table->entrySize);
    return 0;
}

LONG tbl_Write(EntryTable *table, WORD n, const void *entry)
{
    BYTE *at = entry_at(table, n);
    if (!at || !entry)
        return -1;
    memcpy(at, entry, table->entrySize);
    return 0;
}

LONG tbl_Fill(EntryTable *table, WORD n, BYTE value)
{
    BYTE *at = entry_at(table, n);
    if (!at)
        return -1;
    memset(at, value, table->entrySize);
    return 0;
}

void tbl_Free(EntryTable *table)
{
    if (!table)
        return;
    if (table->block)
        GlobalFree(table->block);
    table->block = NULL;
    table->capacity = 0;
}
