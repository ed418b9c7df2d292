/*
 * The PDEV's output stream: every byte of the print stream leaves the render driver
 * through it. It gathers small writes in a 2048-byte buffer and sends them to the sink of
 * its kind: the spooler (the driver's own printer handle or a second spool job), the
 * page store (pages recorded for later replay), a file, or the spooler and a file.
 */
#ifndef QM_RENDER_STREAM_OUTPUT_STREAM_H
#define QM_RENDER_STREAM_OUTPUT_STREAM_H

#include <windows.h>

#include "render/stream/hook_state.h"
#include "render/stream/temp_file.h"

#define STREAM_BUFFER_SIZE 2048

// Sink kinds.
#define SINK_CLOSED 0
#define SINK_SPOOLER 1
#define SINK_PAGE_STORE 2
#define SINK_FILE 3
#define SINK_SPOOLER_AND_FILE 4
#define SINK_CAPTURE_FILE 5 // a file, as kind 3; set while a hook captures the output

// Sizes of the page store's table entries.
#define PAGE_ENTRY_SIZE 116
#define PAGE_POSITION_SIZE 12
#define STORE_RECORD_HEAD_SIZE 8

// Answer of spl_NextStoredRecord at the end of a page's chain.
#define STORE_CHAIN_END 3

// EntryTable: a growable table of fixed-size entries (global heap).
struct EntryTable {
    WORD capacity;  // entries
    WORD entrySize; // bytes
    WORD growth;    // entries added by each growth
    BYTE *block;
};

// RecordChain: the chain of records of the stored page being written or read.
struct RecordChain {
    LONG state;      // 0 idle, 1 reading, 2 writing
    DWORD first;     // position of the chain's first head (CHAIN_NONE: no record)
    DWORD previous;  // writing: position of the last head; reading: the page's end
    DWORD readLimit; // reading: end of the current record's bytes
    DWORD filePos;   // writing: the store's write position; reading: the next head
    DWORD readPos;   // reading: position of the next byte
};

#define CHAIN_NONE 0xFFFFFFFFUL

// Head of a stored record: kind, data length, distance to the next head (0: last).
struct StoreRecordHead {
    WORD kind;
    WORD length;
    DWORD next;
};

// Entry of the page position table.
struct PagePosition {
    DWORD start;      // first byte of the page in the store
    DWORD end;        // end of the page's bytes
    DWORD chainStart; // first record head, CHAIN_NONE without records
};

// OutputStream: one per PDEV, global heap, zero-initialised.
struct OutputStream {
    WORD sinkKind;
    HANDLE target;    // printer handle the spooler sink writes to
    WORD firstPage;   // first page of the page store
    WORD storedCount; // pages stored
    EntryTable pages; // PAGE_ENTRY_SIZE entries, set and read by job control
    DWORD bufferFill;
    BYTE buffer[STREAM_BUFFER_SIZE];
    TempJobFile store;    // the page store file
    HMODULE module;       // module of the message strings
    HANDLE outFile;       // output file, INVALID_HANDLE_VALUE when none
    UINT messageId;       // string id of the file write-failure message
    EntryTable positions; // PagePosition entries
    RecordChain chain;
    HookState hook; // the job's image hook component
};

// ---- Stream. Unless stated, results are 0 (or a byte count) on success, -1 on failure.

// spl_CreateStream: a closed stream (no file, message id 0) with an empty page store.
// Returns the stream, NULL when memory is short.
OutputStream *spl_CreateStream(HMODULE module);

// spl_DestroyStream: closes an open channel (spl_CloseChannel, buffer sent), releases the page store and frees the stream. NULL is ignored.
void spl_DestroyStream(OutputStream *stream);

// spl_OpenSpoolerChannel: runs the clean-up of left-over temporary files, resets the
// page store file (unless it holds an open file), then kind 1 on the printer handle with
// an empty buffer. A NULL handle leaves kind 0 and fails.
LONG spl_OpenSpoolerChannel(OutputStream *stream, HANDLE printer);

// spl_OpenSecondJob: flushes to the current target, starts another spool job on the
// printer of the handle (spl_StartSpoolJob) and sets kind 1 on it. Fails (stream as it
// was, buffer emptied) when the flush or the job fails.
LONG spl_OpenSecondJob(OutputStream *stream, HANDLE printer, LPCWSTR document);

// spl_WriteStream: appends bytes (buffered while they fit in 2048 bytes, else the buffer
// is flushed and the bytes go straight to the sink).
//   stream  in/out  the stream; NULL or a closed stream fails
//   length  in      number of bytes; 0 writes nothing and answers 0
//   bytes   in      the bytes; NULL with a length above 0 fails
// Returns length, or -1 when the stream or its sink failed.
LONG spl_WriteStream(OutputStream *stream, DWORD length, const BYTE *bytes);

// spl_FlushStream: sends the buffer to the sink and empties it (also on failure).
// Returns 0; -1 for a closed stream or a failed sink.
LONG spl_FlushStream(OutputStream *stream);

// spl_SetSinkKind: flushes, then sets kind 0-5. -1 for another kind or a failed flush
// (the kind is set all the same).
LONG spl_SetSinkKind(OutputStream *stream, WORD kind);

// spl_OpenOutputFile: opens a file (mode bit 0: create always, else open always; read and
// write), moves to its end and sets kind 3.
//   end  out  the end position (optional)
LONG spl_OpenOutputFile(OutputStream *stream, LPCWSTR path, DWORD mode, DWORD *end);

// spl_CloseOutputFile: flushes, moves to the end, kind 1, closes the file.
//   end  out  the end position (optional)
LONG spl_CloseOutputFile(OutputStream *stream, DWORD *end);

// spl_AddFileSink: from kind 1 only: creates the file and sets kind 4 (spooler and file).
LONG spl_AddFileSink(OutputStream *stream, LPCWSTR path);

// spl_RemoveFileSink: flushes, kind 1, closes the file.
LONG spl_RemoveFileSink(OutputStream *stream);

// spl_CloseChannel: ends the channel on the driver's own printer handle, which stays
// open. Success: flushes. Failure: drops the buffer. A file of kinds 3, 4 and 5 is closed;
// kind 0 follows. Returns -1 when the flush failed (a closed stream answers 0).
LONG spl_CloseChannel(OutputStream *stream, BOOL failed);

// spl_CloseSecondJob: ends the channel on a second spool job and closes its handle.
// Success: flushes and ends the job (spl_EndSpoolJob); a flush that fails aborts it.
// Failure: drops the buffer and aborts the job. Kind 0 follows. -1 when any step failed.
LONG spl_CloseSecondJob(OutputStream *stream, BOOL failed);

// spl_OpenUserOutputPath: makes sure the folder exists (util_CreateFolderPath), then
// adds the file "<short folder>\<name>.<string 451>" as second sink with message id 4.
// Returns 0 (also when the user chose to go on without the file: no sink added), -1
// when the user cancelled, the path passes 260 characters or the file cannot be made.
LONG spl_OpenUserOutputPath(OutputStream *stream, LPCWSTR folder, LPCWSTR name);

// ---- Page store (driven by job control).

// spl_BeginPageStore: creates the page and position tables (growth entries each) and
// the store file; page numbers start at firstPage. -1 (nothing kept) on failure.
LONG spl_BeginPageStore(OutputStream *stream, WORD firstPage, WORD growth);

// spl_EndPageStore: releases the tables and deletes the store file.
LONG spl_EndPageStore(OutputStream *stream);

// spl_BeginStoredPage: page must be firstPage + storedCount. Flushes, grows the tables as
// needed, clears the page's entry, starts its chain and sets kind 2.
LONG spl_BeginStoredPage(OutputStream *stream, WORD page);

// spl_EndStoredPage: kind must be 2; ends the chain, records where the page ends,
// kind 1, one more stored page.
LONG spl_EndStoredPage(OutputStream *stream);

// spl_AppendStoreRecord: flushes and appends one record (8-byte head and data) to the
// chain of the page being stored.
LONG spl_AppendStoreRecord(OutputStream *stream, WORD kind, WORD length, const BYTE *data);

// spl_AppendStoreRaw: writes raw bytes at the store's write position (page data behind
// the last record). Returns length, -1 on failure.
LONG spl_AppendStoreRaw(OutputStream *stream, DWORD length, const BYTE *bytes);

// spl_OpenStoredPage: starts reading a stored page: its raw bytes before the first record
// can be read at once, the records follow with spl_NextStoredRecord.
LONG spl_OpenStoredPage(OutputStream *stream, WORD page);

// spl_NextStoredRecord: reads the next record head; the record's data and the raw bytes
// behind it are then read with spl_ReadStoredPage. Returns 0, STORE_CHAIN_END at the end
// of the chain (reading ends), -1 when not reading.
LONG spl_NextStoredRecord(OutputStream *stream, StoreRecordHead *head);

// spl_ReadStoredPage: reads up to length bytes of the current record (its data, then the
// raw bytes behind it), stopping at the next head or the page's end.
// Returns the bytes read (0 at the end), -1 when not reading.
LONG spl_ReadStoredPage(OutputStream *stream, DWORD length, BYTE *buffer);

// spl_SetPageEntry / spl_GetPageEntry: copy a page's 116-byte entry in or out; only for
// stored pages (and the page being stored) and entrySize PAGE_ENTRY_SIZE.
LONG spl_SetPageEntry(OutputStream *stream, WORD page, WORD entrySize, const BYTE *entry);
LONG spl_GetPageEntry(OutputStream *stream, WORD page, WORD entrySize, BYTE *entry);

// ---- EntryTable.

// tbl_Create: entries of entrySize, capacity = growth. -1 when memory is short.
LONG tbl_Create(EntryTable *table, WORD entrySize, WORD growth);
// tbl_Grow: capacity + growth entries, old contents kept; -1 when the capacity would
// pass 65535 entries or memory is short (table unchanged).
LONG tbl_Grow(EntryTable *table);
// tbl_Read / tbl_Write: copy entry n out or in; -1 for n outside the capacity.
LONG tbl_Read(const EntryTable *table, WORD n, void *entry);
LONG tbl_Write(EntryTable *table, WORD n, const void *entry);
// tbl_Fill: sets every byte of entry n; -1 for n outside the capacity.
LONG tbl_Fill(EntryTable *table, WORD n, BYTE value);
// tbl_Free: frees the block, capacity 0.
void tbl_Free(EntryTable *table);

#endif /* QM_RENDER_STREAM_OUTPUT_STREAM_H */
