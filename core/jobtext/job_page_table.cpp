/*
 * The page table of the job-information record: fixed-size items in zero-filled chunks
 * of at most 64000 bytes (global heap), never moved once allocated, with a 1-based cursor.
 */
#include "core/jobtext/job_info.h"

#include <string.h>

extern "C" BOOL WINAPI job_AllocPageChunks(PageInfoTable *table, DWORD items)
{
    if (table == NULL || table->itemSize == 0 || (DWORD)table->capacity + items > 0xFFFF)
        return FALSE;
    DWORD perChunk = JI_CHUNK_BYTES / table->itemSize;
    DWORD added = (items + perChunk - 1) / perChunk;
    if (added == 0)
        return TRUE;
    PageChunk *chunks = (PageChunk *)GlobalAlloc(GPTR, (table->chunkCount + added) * sizeof(PageChunk));
    if (chunks == NULL)
        return FALSE;
    DWORD left = items;
    for (DWORD i = 0; i < added; ++i) {
        DWORD n = left < perChunk ? left : perChunk;
        chunks[table->chunkCount + i].items = n;
        chunks[table->chunkCount + i].data = (BYTE *)GlobalAlloc(GPTR, n * table->itemSize);
        if (chunks[table->chunkCount + i].data == NULL) {
            for (DWORD j = 0; j < i; ++j)
                GlobalFree(chunks[table->chunkCount + j].data);
            GlobalFree(chunks);
            return FALSE;
        }
        left -= n;
    }
    if (table->chunkCount > 0)
        memcpy(chunks, table->chunks, table->chunkCount * sizeof(PageChunk));
    GlobalFree(table->chunks);
    table->chunks = chunks;
    table->chunkCount += added;
    table->capacity = (WORD)(table->capacity + items);
    return TRUE;
}

extern "C" PageInfoEntry *WINAPI job_GetPageRecord(const PageInfoTable *table, DWORD n)
{
    if (table == NULL || n == 0 || n > table->capacity)
        return NULL;
    DWORD index = n - 1;
    for (DWORD i = 0; i < table->chunkCount; ++i) {
        if (index < table->chunks[i].items)
            return (PageInfoEntry *)(table->chunks[i].data + index * table->itemSize);
        index -= table->chunks[i].items;
    }
    return NULL;
}

extern "C" DWORD WINAPI job_GetCurrentPageIndex(const PageInfoTable *table)
{
    return table ? table->current : 0;
}

extern "C" PageInfoEntry *WINAPI job_GetCurrentPageRecord(const PageInfoTable *table)
{
    return table ? job_GetPageRecord(table, table->current) : NULL;
}

extern "C" BOOL WINAPI job_SelectPageRecord(PageInfoTable *table, DWORD n)
{
    if (table == NULL || n == 0 || n > table->used || job_GetPageRecord(table, n) == NULL)
        return FALSE;
    table->current = n;
    return TRUE;
}

extern "C" BOOL WINAPI job_CopyCurrentPageRecord(const PageInfoTable *table, PageInfoEntry *entry)
{
    const PageInfoEntry *current = job_GetCurrentPageRecord(table);
    if (current == NULL || entry == NULL)
        return FALSE;
    *entry = *current;
    return TRUE;
}

extern "C" DWORD WINAPI job_GetPageCount(const PageInfoTable *table)
{
    return table ? table->used : 0;
}

extern "C" PageInfoEntry *WINAPI job_AppendPageRecord(PageInfoTable *table)
{
    if (table == NULL)
        return NULL;
    if (table->used >= table->capacity) {
        /* Full: the table grows by its growth step (at least one item). */
        DWORD step = table->growthStep != 0 ? table->growthStep : 1;
        if (!job_AllocPageChunks(table, step))
            return NULL;
    }
    PageInfoEntry *entry = job_GetPageRecord(table, table->used + 1);
    if (entry == NULL)
        return NULL;
    table->used += 1;
    table->current = table->used;
    return entry;
}
