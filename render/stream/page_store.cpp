/*
 * The page store: pages recorded into a temporary file for later replay. A stored page
 * is its raw bytes with a chain of records among them: each record is an 8-byte head
 * {kind, data length, distance to the next head} and its data; the raw bytes written
 * after a record lie between its data and the next head. Before the first record the page
 * may hold raw bytes too.
 */
#include "render/stream/output_stream.h"

#include <string.h>

#define CHAIN_IDLE 0
#define CHAIN_READING 1
#define CHAIN_WRITING 2

static BOOL store_ready(const OutputStream *stream)
{
    return stream && stream->pages.block && stream->positions.block;
}

// Writes bytes at a position of the store file. TRUE when all were written.
static BOOL store_write_at(OutputStream *stream, DWORD at, const void *bytes, DWORD length)
{
    return spl_SeekTempFile(&stream->store, at) == (LONG)at &&
           spl_WriteTempFile(&stream->store, (const BYTE *)bytes, length) == (LONG)length;
}

static BOOL store_read_at(OutputStream *stream, DWORD at, void *bytes, DWORD length)
{
    return spl_SeekTempFile(&stream->store, at) == (LONG)at &&
           spl_ReadTempFile(&stream->store, (BYTE *)bytes, length) == (LONG)length;
}

// Whether page is one of the stored pages, or the page being stored.
static BOOL page_index(const OutputStream *stream, WORD page, WORD *index)
{
    if (!store_ready(stream) || page < stream->firstPage)
        return FALSE;
    DWORD n = (DWORD)page - stream->firstPage;
    DWORD limit = (DWORD)stream->storedCount + (stream->sinkKind == SINK_PAGE_STORE ? 1 : 0);
    if (n >= limit)
        return FALSE;
    *index = (WORD)n;
    return TRUE;
}

LONG spl_BeginPageStore(OutputStream *stream, WORD firstPage, WORD growth)
{
    if (!stream)
        return -1;
    spl_EndPageStore(stream);
    if (tbl_Create(&stream->pages, PAGE_ENTRY_SIZE, growth) != 0 ||
        tbl_Create(&stream->positions, PAGE_POSITION_SIZE, growth) != 0 || spl_CreateTempFile(&stream->store) != 0) {
        tbl_Free(&stream->pages);
        tbl_Free(&stream->positions);
        return -1;
    }
    memset(&stream->chain, 0, sizeof(stream->chain));
    stream->firstPage = firstPage;
    stream->storedCount = 0;
    return 0;
}

LONG spl_EndPageStore(OutputStream *stream)
{
    if (!stream)
        return -1;
    tbl_Free(&stream->pages);
    tbl_Free(&stream->positions);
    memset(&stream->chain, 0, sizeof(stream->chain));
    stream->storedCount = 0;
    if (stream->store.file == INVALID_HANDLE_VALUE && !stream->store.path[0])
        return 0;
    return spl_DeleteTempFile(&stream->store);
}

LONG spl_BeginStoredPage(OutputStream *stream, WORD page)
{
    if (!store_ready(stream) || stream->sinkKind == SINK_PAGE_STORE)
        return -1;
    if ((DWORD)page != (DWORD)stream->firstPage + stream->storedCount)
        return -1;
    if (stream->sinkKind != SINK_CLOSED && spl_FlushStream(stream) != 0)
        return -1;
    WORD index = stream->storedCount;
    while (index >= stream->pages.capacity)
        if (tbl_Grow(&stream->pages) != 0)
            return -1;
    while (index >= stream->positions.capacity)
        if (tbl_Grow(&stream->positions) != 0)
            return -1;
    LONG end = spl_SeekTempFileEnd(&stream->store);
    if (end < 0)
        return -1;
    tbl_Fill(&stream->pages, index, 0);
    PagePosition position = {(DWORD)end, (DWORD)end, CHAIN_NONE};
    tbl_Write(&stream->positions, index, &position);
    stream->chain.state = CHAIN_WRITING;
    stream->chain.first = CHAIN_NONE;
    stream->chain.previous = CHAIN_NONE;
    stream->chain.filePos = (DWORD)end;
    stream->sinkKind = SINK_PAGE_STORE;
    return 0;
}

LONG spl_EndStoredPage(OutputStream *stream)
{
    if (!store_ready(stream) || stream->sinkKind != SINK_PAGE_STORE || stream->chain.state != CHAIN_WRITING)
        return -1;
    LONG result = spl_FlushStream(stream);
    WORD index = stream->storedCount;
    PagePosition position;
    tbl_Read(&stream->positions, index, &position);
    position.end = stream->chain.filePos;
    position.chainStart = stream->chain.first;
    tbl_Write(&stream->positions, index, &position);
    stream->chain.state = CHAIN_IDLE;
    stream->sinkKind = SINK_SPOOLER;
    stream->storedCount++;
    return result;
}

LONG spl_AppendStoreRecord(OutputStream *stream, WORD kind, WORD length, const BYTE *data)
{
    if (!store_ready(stream) || stream->chain.state != CHAIN_WRITING || (length && !data))
        return -1;
    if (spl_FlushStream(stream) != 0)
        return -1;
    RecordChain *chain = &stream->chain;
    DWORD at = chain->filePos;
    StoreRecordHead head = {kind, length, 0};
    if (!store_write_at(stream, at, &head, sizeof(head)))
        return -1;
    if (length && spl_WriteTempFile(&stream->store, data, length) != (LONG)length)
        return -1;
    if (chain->previous != CHAIN_NONE) {
        // The previous head now reaches this one, over its data and the raw bytes behind.
        DWORD distance = at - chain->previous;
        if (!store_write_at(stream, chain->previous + 4, &distance, sizeof(distance)))
            return -1;
    } else {
        chain->first = at;
    }
    chain->previous = at;
    chain->filePos = at + sizeof(head) + length;
    return 0;
}

LONG spl_AppendStoreRaw(OutputStream *stream, DWORD length, const BYTE *bytes)
{
    if (!store_ready(stream) || stream->chain.state != CHAIN_WRITING || (length && !bytes))
        return -1;
    if (length == 0)
        return 0;
    if (!store_write_at(stream, stream->chain.filePos, bytes, length))
        return -1;
    stream->chain.filePos += length;
    return (LONG)length;
}

LONG spl_OpenStoredPage(OutputStream *stream, WORD page)
{
    WORD index;
    if (!store_ready(stream) || stream->chain.state == CHAIN_WRITING)
        return -1;
    if (page < stream->firstPage || (DWORD)page - stream->firstPage >= stream->storedCount)
        return -1;
    index = (WORD)(page - stream->firstPage);
    PagePosition position;
    tbl_Read(&stream->positions, index, &position);
    RecordChain *chain = &stream->chain;
    chain->state = CHAIN_READING;
    chain->first = position.chainStart;
    chain->readPos = position.start;
    chain->readLimit = position.chainStart != CHAIN_NONE ? position.chainStart : position.end;
    chain->filePos = position.chainStart;
    chain->previous = position.end; // reading: the page's end
    return 0;
}

LONG spl_NextStoredRecord(OutputStream *stream, StoreRecordHead *head)
{
    if (!store_ready(stream) || stream->chain.state != CHAIN_READING || !head)
        return -1;
    RecordChain *chain = &stream->chain;
    if (chain->filePos == CHAIN_NONE) {
        chain->state = CHAIN_IDLE;
        return STORE_CHAIN_END;
    }
    DWORD at = chain->filePos;
    if (!store_read_at(stream, at, head, sizeof(*head)))
        return -1;
    DWORD end = head->next ? at + head->next : chain->previous;
    if (end < at + sizeof(*head) + head->length || end > chain->previous)
        return -1; // a broken chain
    chain->readPos = at + sizeof(*head);
    chain->readLimit = end;
    chain->filePos = head->next ? end : CHAIN_NONE;
    return 0;
}

LONG spl_ReadStoredPage(OutputStream *stream, DWORD length, BYTE *buffer)
{
    if (!store_ready(stream) || stream->chain.state != CHAIN_READING || (length && !buffer))
        return -1;
    RecordChain *chain = &stream->chain;
    DWORD left = chain->readLimit - chain->readPos;
    if (length > left)
        length = left;
    if (length == 0)
        return 0;
    if (!store_read_at(stream, chain->readPos, buffer, length))
        return -1;
    chain->readPos += length;
    return (LONG)length;
}

LONG spl_SetPageEntry(OutputStream *stream, WORD page, WORD entrySize, const BYTE *entry)
{
    WORD index;
    if (entrySize != PAGE_ENTRY_SIZE || !page_index(stream, page, &index))
        return -1;
    return tbl_Write(&stream->pages, index, entry);
}

LONG spl_GetPageEntry(OutputStream *stream, WORD page, WORD entrySize, BYTE *entry)
{
    WORD index;
    if (entrySize != PAGE_ENTRY_SIZE || !page_index(stream, page, &index))
        return -1;
    return tbl_Read(&stream->pages, index, entry);
}
