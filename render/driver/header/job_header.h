/*
 * The text that frames each spool job and the trail of comment records inside it.
 *
 * Job header: the job-attribute text (a prepared set of the user-interface DLL, or built
 * here from the description data), the two version lines, the job-start commands and the
 * job-start trace records. Job trailer: the universal exit line, the job-information
 * block (models with capability 0x40000) and the end-of-job line. Everything goes through
 * the PDL writer into the PDEV's output stream.
 *
 * Job information: the render side fills the job's JobInfoRecord, one page record each
 * time a page size is written and the job fields at job end.
 *
 * Trace records: 'EP' comments of a quoted narrow text with an optional time stamp, the
 * document and port names and the milliseconds since job open.
 *
 * Unless stated, results are 0 on success and -1 on failure.
 */
#ifndef QM_RENDER_DRIVER_HEADER_JOB_HEADER_H
#define QM_RENDER_DRIVER_HEADER_JOB_HEADER_H

#include <windows.h>

#include "core/ddd/ddd.h"
#include "render/driver/pdev/pdev.h"

// Bytes of one job-information piece of the trailer.
#define JOB_INFO_CHUNK_BYTES 513
// Longest 'EP' comment command, in bytes.
#define TRACE_PIECE_BYTES 255
// Longest names part and event text of a trace record, in bytes.
#define TRACE_PART_BYTES 261

// Flags of a trace record.
#define TRACE_TAKE_START_TICK 0x1
#define TRACE_ELAPSED 0x2
#define TRACE_TIME_AND_NAMES 0x4

// Page event codes of jc_TracePageEvent.
#define TRACE_START_PAGE 1
#define TRACE_END_PHYSICAL 2
#define TRACE_END_LOGICAL 3
#define TRACE_END_JOB 4
#define TRACE_END_JOB_OPEN_PAGE 6
#define TRACE_END_JOB_LEFT_NUP 7
#define TRACE_SKIP_BACK_FACE 8

// ---- job header and trailer (job_text.cpp)

// jc_BeginJobText: the job-start text in its fixed order: the job header (set setIndex of
// the job-attribute sets when they are there, else built), the version lines, 'EA', 'EE'
// (stored job), 'EH' (name text at PDL version 0x01010902 and later), 'FA' (not for a
// stored job) and the job-start trace records. The first failing step ends it.
// Returns 0, or the result of the failing step.
LONG jc_BeginJobText(PDEV *pdev, WORD setIndex);

// jc_WriteResolution: 'FA' with the job's resolution (setting 348, or the quality pair's
// when the resolution choice is 1; 200 when it holds 0). 0 / -1.
LONG jc_WriteResolution(PDEV *pdev);

// jc_EndJobText: the "EndJob" trace record, 'EB', the job fields of the job information
// and the trailer. Returns the OR of the 'EB' and the trailer results.
LONG jc_EndJobText(PDEV *pdev);

// jc_WriteJobText: the job header (isHeader 1, set setIndex) or the trailer (isHeader 0).
// A failed user-name lookup answers its own code.
LONG jc_WriteJobText(PDEV *pdev, int isHeader, WORD setIndex);

// jc_WriteJobHeader / jc_WriteJobTrailerText: jc_WriteJobText for the header or the
// trailer. -1 for a NULL PDEV.
LONG jc_WriteJobHeader(PDEV *pdev, WORD setIndex);
LONG jc_WriteJobTrailerText(PDEV *pdev);

// jc_WriteVersionLines: "%QMNQT-a.b.c%" of the clamped job version and
// "%WINNT-x.y,NQTDRV-2704.1%" of the Windows version (5.0 when it cannot be read), each
// with LF. Returns 0, or the first write error (the second line is not tried then).
LONG jc_WriteVersionLines(PDEV *pdev);

// jc_PatchBookletCount: writes the booklet count attribute ("@PJL SET JOBATTR=\"@BKTP=n\""
// with model capability 0x40000, else "@BKTP=n"), without terminator, over the
// placeholder at offset of a prepared set text of length bytes.
//   model, base  in      the description files
//   text         in/out  the set text; NULL answers 1 and changes nothing
// Returns 1; 0 when memory is short; -1 (text unchanged) when the placeholder does not
// lie within the text with room for the attribute.
LONG jc_PatchBookletCount(DddFile *model, DddFile *base, WORD count, char *text, DWORD offset, DWORD length);

// ---- job information (job_info_fill.cpp)

// jc_CreateJobInfo: the PDEV's job information for 100 pages (growth 100) with LF line
// ends, when it has none yet.
LONG jc_CreateJobInfo(PDEV *pdev);

// jc_FreeJobInfo: frees the PDEV's job information. NULL is ignored.
void jc_FreeJobInfo(PDEV *pdev);

// jc_GetJobInfoChunkSize: JOB_INFO_CHUNK_BYTES.
DWORD jc_GetJobInfoChunkSize(void);

// jc_WriteJobInfoChunk: the next lines of the job-information block into buffer
// (JOB_INFO_CHUNK_BYTES bytes). more: out, 1 while lines are left.
// Returns the bytes; -1 without job information or buffer, or when a line never fits.
LONG jc_WriteJobInfoChunk(PDEV *pdev, char *buffer, int *more);

// jc_FillJobInfoPage: adds a page record (a stored job keeps its first one) and fills
// SIZE, MODE, COLORS, INTRAY and DUPLEX from the page state; customSize 1 marks the size
// as custom. -1 when the record cannot be added (table unchanged).
LONG jc_FillJobInfoPage(PDEV *pdev, int customSize);

// jc_RefreshJobInfoPage: applies the MODE and COLORS rules again to the current page
// record, once the page's colour is known (sheet end). -1 without a current record.
LONG jc_RefreshJobInfoPage(PDEV *pdev);

// jc_FillJobInfoJob: the job fields (PDLTYPE, JOBTYPE, STOREDJOBTYPE, JOBCOPIES,
// PAGECOPIES, DUPLEXTYPE, NUP, POSTER, BOOKLETTYPE, PAGEORDER, SLIPSHEET, TONERSAVE,
// LOGICALPAGES, ESTIMATEDSHEETS). -1 without job information.
LONG jc_FillJobInfoJob(PDEV *pdev);

// ---- stream trace records (trace_records.cpp)

// jc_WriteTraceRecord: with flag TRACE_TAKE_START_TICK the start tick is taken first;
// without text nothing is written; else the record goes out as 'EP' commands of at most
// 255 bytes. Returns the OR of the writes; -1 without PDEV or writer.
LONG jc_WriteTraceRecord(PDEV *pdev, LPCWSTR text, DWORD flags);

// jc_StartTraceClock: takes the job start tick (job open).
LONG jc_StartTraceClock(PDEV *pdev);

// jc_TracePageEvent: the event text of code (1-4, 6-8) with the elapsed time.
// -1 (nothing written) for another code.
LONG jc_TracePageEvent(PDEV *pdev, DWORD code);

// jc_WriteJobStartRecords: the time and names record, then (description file path with a
// backslash and the Windows version readable) the environment and driver records.
// Returns the OR of the results.
LONG jc_WriteJobStartRecords(PDEV *pdev);

#endif /* QM_RENDER_DRIVER_HEADER_JOB_HEADER_H */
