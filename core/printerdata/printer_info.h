/*
 * The printer's information from the spooler, read into new global-heap blocks: printer
 * information, driver information, and the path of the model's description data file.
 */
#ifndef QM_CORE_PRINTERDATA_PRINTER_INFO_H
#define QM_CORE_PRINTERDATA_PRINTER_INFO_H

#include <windows.h>
#include <winspool.h>

#ifdef __cplusplus
extern "C" {
#endif

/*
 * util_GetPrinterInfoAlloc: GetPrinterW at level into a new global block. The first call
 * learns the size and must fail with ERROR_INSUFFICIENT_BUFFER. printer, level: in.
 * Returns the block (PRINTER_INFO_<level>W, free with GlobalFree), or NULL.
 */
void *WINAPI util_GetPrinterInfoAlloc(HANDLE printer, DWORD level);

/*
 * util_GetDriverInfoAlloc: GetPrinterDriverW at level for the local environment, the same
 * way. Returns the block (DRIVER_INFO_<level>W), or NULL.
 */
void *WINAPI util_GetDriverInfoAlloc(HANDLE printer, DWORD level);

/*
 * ddd_GetDriverDataFilePath: a new copy (global block) of the driver's pDataFile, the
 * path of the model's description data file. NULL when the information cannot be read,
 * names no file, or memory runs out.
 */
WCHAR *WINAPI ddd_GetDriverDataFilePath(HANDLE printer);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_PRINTERDATA_PRINTER_INFO_H */
