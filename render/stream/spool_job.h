/*
 * Spooler primitives of the output stream: a second spool job on the printer of a handle
 * and writes cut into pieces the spooler takes.
 */
#ifndef QM_RENDER_STREAM_SPOOL_JOB_H
#define QM_RENDER_STREAM_SPOOL_JOB_H

#include <windows.h>

// Largest piece of one WritePrinter call.
#define SPOOL_WRITE_PIECE 1000000UL

// Longest document name given to the spooler, in characters.
#define SPOOL_DOCUMENT_NAME_MAX 257

// spl_StartSpoolJob: opens the printer of the handle again under its name and starts a
// RAW job (document name cut to 257 characters, no output file) with its first page.
//   printer   in  an open printer handle
//   document  in  the document name (NULL: none)
// Returns the new handle; NULL when the printer's name cannot be read, the printer
// cannot be opened or the job cannot be started (nothing left open).
HANDLE spl_StartSpoolJob(HANDLE printer, LPCWSTR document);

// spl_EndSpoolJob: ends the page and the job and closes the handle (each step is tried).
// Returns TRUE only when all three succeed.
BOOL spl_EndSpoolJob(HANDLE job);

// spl_AbortSpoolJob: ends the job as failed (AbortPrinter) and closes the handle.
// Returns TRUE only when both succeed.
BOOL spl_AbortSpoolJob(HANDLE job);

// spl_WritePrinterChunked: writes bytes with WritePrinter, in pieces of exactly
// SPOOL_WRITE_PIECE bytes while more remain, then the rest.
//   written  out  total written; 0 on failure (optional)
// Returns TRUE; FALSE when a piece fails or is short.
BOOL spl_WritePrinterChunked(HANDLE printer, const BYTE *bytes, DWORD length, DWORD *written);

#endif /* QM_RENDER_STREAM_SPOOL_JOB_H */
