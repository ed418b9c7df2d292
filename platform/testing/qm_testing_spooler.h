/* Test controls of the spooler area (tests only, never driver code). */
#ifndef QM_TESTING_SPOOLER_H
#define QM_TESTING_SPOOLER_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

#define QMT_SPOOLER_NEVER 0xFFFFFFFFUL

/* Open printer handles (printer and server handles), for leak checks. */
DWORD qmt_LivePrinterHandles(void);

/* TRUE makes the user no administrator of printers: OpenPrinterW asking for
 * PRINTER_ACCESS_ADMINISTER (PRINTER_ALL_ACCESS) fails with ERROR_ACCESS_DENIED, and so do
 * changes to forms. FALSE lifts it. */
void qmt_SpoolerDenyAdministration(BOOL deny);

/* The nth OpenPrinterW call from now (1 = the next) fails with dwError; 0 turns it off. */
void qmt_SpoolerFailOpen(DWORD nth, DWORD dwError);

/* WritePrinter keeps no byte at or past offset atByte of a job: the write that would cross
 * it keeps the bytes before it and then fails with dwError, or, for dwError 0, succeeds
 * reporting the shorter count. QMT_SPOOLER_NEVER turns it off. */
void qmt_SpoolerFailWrite(DWORD atByte, DWORD dwError);

/* After `after` more successful SetPrinterDataW/SetPrinterDataExW calls every further one
 * fails with dwError (nothing stored). QMT_SPOOLER_NEVER turns it off. */
void qmt_SpoolerFailSetPrinterData(DWORD after, DWORD dwError);

/* The same fault for GetPrinterDataW (not GetPrinterDataExW): after `after` more calls
 * that pass the fault, every further one fails with dwError. */
void qmt_SpoolerFailGetPrinterData(DWORD after, DWORD dwError);

/* The same fault for DeletePrinterDataW (nothing deleted). */
void qmt_SpoolerFailDeletePrinterData(DWORD after, DWORD dwError);

/* The next StartDocPrinterW call fails with dwError (no job made); 0 turns it off. */
void qmt_SpoolerFailStartDoc(DWORD dwError);

/* TRUE makes WritePrinter take every byte without keeping it (for benchmarks of the
 * writer side); FALSE keeps them again. */
void qmt_SpoolerDiscardWrites(BOOL discard);

/* Turns every spooler fault and switch off. */
void qmt_SpoolerReset(void);

#ifdef __cplusplus
}
#endif

#endif /* QM_TESTING_SPOOLER_H */
