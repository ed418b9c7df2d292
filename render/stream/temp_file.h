/*
 * Temporary job files: positioned files with a high-water size and a retry question on
 * write failures, each recorded in the registry while it exists so that the files of a
 * job that died are removed when the next job starts.
 */
#ifndef QM_RENDER_STREAM_TEMP_FILE_H
#define QM_RENDER_STREAM_TEMP_FILE_H

#include <windows.h>

// Capacity of the pending-write buffer of a TempJobFile.
#define TEMP_FILE_PENDING_CAPACITY 512

// TempJobFile: one temporary file of a job (the page store, the image queue).
struct TempJobFile {
    HMODULE module; // module whose string table holds the failure message
    HANDLE file;    // INVALID_HANDLE_VALUE when none
    WCHAR path[MAX_PATH];
    DWORD size;        // high-water mark of everything written
    DWORD position;    // current file position
    WORD pendingCount; // bytes waiting in pending, written before any read, seek or size query
    BYTE pending[TEMP_FILE_PENDING_CAPACITY];
    LONG open; // cleared when the user cancels a failed write
};

// spl_InitTempFile: resets the record to "no file": handle -1, module stored, empty path,
// size, position and pending count 0, not open. A file still held by the record is left
// alone (its fields are kept), so that re-initialising never loses an open handle.
//   file     in/out  the record
//   cleanUp  in      non-zero: spl_CleanUpTempFiles runs first
//   module   in      module of the message strings
// Returns 0; -1 for a NULL record.
LONG spl_InitTempFile(TempJobFile *file, BOOL cleanUp, HMODULE module);

// spl_CreateTempFile: deletes an earlier file of the record, makes a temporary name and
// creates the file (create always, read and write, no sharing), records it in the
// registry (a failed record does not stop it), and opens the record with size, position
// and pending count 0. Returns 0; -1 (path cleared) when no file could be created.
LONG spl_CreateTempFile(TempJobFile *file);

// spl_DeleteTempFile: closes and deletes the file; the registry record goes only when the
// file went (else it stays for a later clean-up). The record is re-initialised (module
// kept) in every case. Returns 0; -1 when closing or deleting failed.
LONG spl_DeleteTempFile(TempJobFile *file);

// spl_IsTempFileOpen: 1 when the record holds a handle and is open, else -1.
LONG spl_IsTempFileOpen(const TempJobFile *file);

// spl_CloseTempFileFlag: clears the open flag (the handle stays). Returns 0, -1 for NULL.
LONG spl_CloseTempFileFlag(TempJobFile *file);

// spl_WriteTempFile: writes bytes at the position; on a failed write the user is asked
// (spl_AskWriteRetry): OK retries the rest, Cancel (or any other answer) clears the open
// flag. Returns the bytes written (length), 0 for length 0, -1 on failure or refusal
// (no handle, not open, bytes missing).
LONG spl_WriteTempFile(TempJobFile *file, const BYTE *bytes, DWORD length);

// spl_ReadTempFile: reads at the position; refused when position + length passes the
// size. Returns the bytes read, -1 on failure or refusal.
LONG spl_ReadTempFile(TempJobFile *file, BYTE *buffer, DWORD length);

// spl_SeekTempFile: moves to an offset from 0 to the size. Returns it, -1 otherwise.
LONG spl_SeekTempFile(TempJobFile *file, DWORD offset);

// spl_SeekTempFileEnd: moves to the file's end. Returns the position, -1 on failure.
LONG spl_SeekTempFileEnd(TempJobFile *file);

// spl_GetTempFileSize: the high-water size, -1 on failure.
LONG spl_GetTempFileSize(TempJobFile *file);

// spl_AskWriteRetry: asks whether a failed write of the file is retried. The text is
// string 5 of the file's module (else the built-in text) with the upper-cased drive
// letter of the path put in; the caption string 6 (else the built-in caption).
// Returns the button: IDOK retries, anything else stops.
int spl_AskWriteRetry(const TempJobFile *file);

// spl_RecordTempFile: records a temporary file in the registry under the TempFile key
// (the path with "\" as "/") with its creation time as default value. 0 / -1.
LONG spl_RecordTempFile(LPCWSTR path);

// spl_UnrecordTempFile: removes the record of a path. 0 / -1.
LONG spl_UnrecordTempFile(LPCWSTR path);

// spl_CleanUpTempFiles: removes the recorded files that are gone or can be deleted, with
// their records; files held by another job keep their records. Returns 0 when the list
// was walked to its end, -1 when the key is missing or a record could not be removed.
LONG spl_CleanUpTempFiles(void);

#endif /* QM_RENDER_STREAM_TEMP_FILE_H */
