/*
 * Trace records in the print stream: 'EP' comments that mark the job's events with the
 * time, the document and port names and the milliseconds since the job was opened.
 */
#include "render/driver/header/job_header.h"

#include <string.h>

#include <winspool.h>

#include "core/ddd/ddd.h"
#include "core/printerdata/printer_info.h"
#include "core/settings/function_ids.h"
#include "render/driver/header/header_private.h"
#include "render/driver/header/string_util.h"
#include "render/pdl/writer/pdl_writer.h"

// Event texts of the page events, by code; NULL for a code without event.
static LPCWSTR const kPageEvents[] = {
    NULL,
    TEXT("StartPage"),
    TEXT("EndPage of Physical"),
    TEXT("EndPage of Logical"),
    TEXT("EndJob"),
    NULL,
    TEXT("EndJob without EndPage"),
    TEXT("EndJob with left Nup"),
    TEXT("skip backface of duplex"),
};

// The driver revision named by the job-start records.
static LPCWSTR const kDriverRevision = TEXT("02070301");

// Characters of the environment record's text before it is cut to TRACE_PART_BYTES.
#define ENVIRONMENT_CHARS 1024

// FormatNames: "[document][port]" within TRACE_PART_BYTES bytes. The port name comes
// from the printer's level-5 information (empty when it cannot be had); the document
// name gives way first, then the port, each cut at a whole character.
static void FormatNames(PDEV *pdev, char *names)
{
    const DWORD brackets = 4;
    char port[TRACE_PART_BYTES + 1] = "";
    PRINTER_INFO_5W *info = (PRINTER_INFO_5W *)util_GetPrinterInfoAlloc(pdev->printer, 5);
    if (info != NULL && info->pPortName != NULL) {
        util_WideToAnsiFixed(info->pPortName, port, TRACE_PART_BYTES - brackets + 1);
    }
    GlobalFree(info);
    char document[TRACE_PART_BYTES + 1] = "";
    DWORD room = TRACE_PART_BYTES - brackets - (DWORD)strlen(port);
    util_WideToAnsiFixed(pdev->job.documentName, document, room + 1);
    wsprintfA(names, "[%s][%s]", document, port);
}

LONG jc_WriteTraceRecord(PDEV *pdev, LPCWSTR text, DWORD flags)
{
    if (pdev == NULL || pdev->job.writer == NULL) {
        return -1;
    }
    if (flags & TRACE_TAKE_START_TICK) {
        pdev->job.traceStartTick = GetTickCount();
    }
    if (text == NULL) {
        return 0;
    }
    char time[40] = "";
    char names[TRACE_PART_BYTES + 1] = "";
    if (flags & TRACE_TIME_AND_NAMES) {
        SYSTEMTIME now;
        GetLocalTime(&now);
        wsprintfA(time,
                  "[%04d,%02d/%02d,%02d:%02d:%02d]",
                  now.wYear,
                  now.wMonth,
                  now.wDay,
                  now.wHour,
                  now.wMinute,
                  now.wSecond);
        FormatNames(pdev, names);
    }
    char elapsed[24] = "";
    if (flags & TRACE_ELAPSED) {
        wsprintfA(elapsed, "[%ldms]", (long)(GetTickCount() - pdev->job.traceStartTick));
    }
    char event[TRACE_PART_BYTES + 1] = "";
    util_WideToAnsiFixed(text, event, sizeof event);
    char record[sizeof time + sizeof names + sizeof elapsed + sizeof event + 2];
    DWORD length = (DWORD)wsprintfA(record, "\"%s%s%s%s\"", time, names, elapsed, event);
    LONG result = 0;
    for (DWORD at = 0; at < length; at += TRACE_PIECE_BYTES) {
        DWORD piece = length - at < TRACE_PIECE_BYTES ? length - at : TRACE_PIECE_BYTES;
        if (pdl_WriteComment(pdev->job.writer, piece, record + at) < 0) {
            result = -1;
        }
    }
    return result;
}

LONG jc_StartTraceClock(PDEV *pdev)
{
    return jc_WriteTraceRecord(pdev, NULL, TRACE_TAKE_START_TICK);
}

LONG jc_TracePageEvent(PDEV *pdev, DWORD code)
{
    if (code >= sizeof kPageEvents / sizeof kPageEvents[0] || kPageEvents[code] == NULL) {
        return -1;
    }
    return jc_WriteTraceRecord(pdev, kPageEvents[code], TRACE_ELAPSED);
}

// WriteEnvironmentRecords: the description file's name and stamps, the Windows version
// and the job version; then the driver revision. Nothing when the description file path
// has no backslash or the Windows version cannot be read.
static LONG WriteEnvironmentRecords(PDEV *pdev, LPCWSTR path)
{
    LPCWSTR slash = NULL;
    for (LPCWSTR at = path; at != NULL && *at != 0; ++at) {
        if (*at == '\\') {
            slash = at;
        }
    }
    OSVERSIONINFOW os = {};
    os.dwOSVersionInfoSize = sizeof os;
    if (slash == NULL || !GetVersionExW(&os)) {
        return 0;
    }
    DWORD modelStamp = pdev->modelFile != NULL ? pdev->modelFile->version : 0;
    DWORD baseStamp = pdev->baseFile != NULL ? pdev->baseFile->version : 0;
    WCHAR *text = (WCHAR *)GlobalAlloc(GPTR, ENVIRONMENT_CHARS * sizeof(WCHAR));
    if (text == NULL) {
        return -1;
    }
    wsprintfW(text,
              TEXT("[%s:%lx:%lx][%lx:%lx:%lx:%lx:%s][%lx]"),
              slash + 1,
              modelStamp,
              baseStamp,
              os.dwMajorVersion,
              os.dwMinorVersion,
              os.dwBuildNumber,
              os.dwPlatformId,
              os.szCSDVersion,
              (DWORD)hdr_Setting(pdev, FID_JOB_PDL_VERSION));
    LONG result = jc_WriteTraceRecord(pdev, text, TRACE_ELAPSED);
    wsprintfW(text, TEXT("[PF%s][DRV-WIN2000]"), kDriverRevision);
    result |= jc_WriteTraceRecord(pdev, text, TRACE_ELAPSED);
    GlobalFree(text);
    return result;
}

LONG jc_WriteJobStartRecords(PDEV *pdev)
{
    if (pdev == NULL || pdev->job.writer == NULL) {
        return -1;
    }
    LONG result = jc_WriteTraceRecord(pdev, TEXT(""), TRACE_TIME_AND_NAMES);
    WCHAR *path = ddd_GetDriverDataFilePath(pdev->printer);
    result |= WriteEnvironmentRecords(pdev, path);
    GlobalFree(path);
    return result;
}
