/*
 * Second spool jobs and chunked spooler writes.
 */
#include "render/stream/spool_job.h"

#include <winspool.h>

static const WCHAR kRawDatatype[] = TEXT("RAW");

// The printer's name (level 1) in a new global-heap block the caller frees; NULL when it
// cannot be read.
static PRINTER_INFO_1W *printer_info(HANDLE printer)
{
    DWORD needed = 0;
    GetPrinterW(printer, 1, NULL, 0, &needed);
    if (needed == 0)
        return NULL;
    PRINTER_INFO_1W *info = (PRINTER_INFO_1W *)GlobalAlloc(GPTR, needed);
    if (!info)
        return NULL;
    if (!GetPrinterW(printer, 1, (LPBYTE)info, needed, &needed) || !info->pName) {
        GlobalFree(info);
        return NULL;
    }
    return info;
}

HANDLE spl_StartSpoolJob(HANDLE printer, LPCWSTR document)
{
    PRINTER_INFO_1W *info = printer_info(printer);
    if (!info)
        return NULL;
    HANDLE job = NULL;
    BOOL opened = OpenPrinterW(info->pName, &job, NULL);
    GlobalFree(info);
    if (!opened || !job)
        return NULL;

    WCHAR name[SPOOL_DOCUMENT_NAME_MAX + 1];
    lstrcpynW(name, document ? document : TEXT(""), SPOOL_DOCUMENT_NAME_MAX + 1);
    DOC_INFO_1W doc;
    doc.pDocName = name;
    doc.pOutputFile = NULL;
    doc.pDatatype = (LPWSTR)kRawDatatype;
    // A job that cannot be started or paged is not handed out half made: every later
    // write on it would fail far from the cause.
    if (!StartDocPrinterW(job, 1, (LPBYTE)&doc)) {
        ClosePrinter(job);
        return NULL;
    }
    if (!StartPagePrinter(job)) {
        AbortPrinter(job);
        ClosePrinter(job);
        return NULL;
    }
    return job;
}

BOOL spl_EndSpoolJob(HANDLE job)
{
    BOOL page = EndPagePrinter(job);
    BOOL doc = EndDocPrinter(job);
    BOOL closed = ClosePrinter(job);
    return page && doc && closed;
}

BOOL spl_AbortSpoolJob(HANDLE job)
{
    BOOL aborted = AbortPrinter(job);
    BOOL closed = ClosePrinter(job);
    return aborted && closed;
}

BOOL spl_WritePrinterChunked(HANDLE printer, const BYTE *bytes, DWORD length, DWORD *written)
{
    DWORD total = 0;
    if (written)
        *written = 0;
    while (total < length) {
        DWORD piece = length - total > SPOOL_WRITE_PIECE ? SPOOL_WRITE_PIECE : length - total;
        DWORD done = 0;
        if (!WritePrinter(printer, (LPVOID)(bytes + total), piece, &done) || done != piece)
            return FALSE;
        total += piece;
    }
    if (written)
        *written = total;
    return TRUE;
}
