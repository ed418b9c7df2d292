/*
 * The job header and trailer: what frames the LUMIQ commands of each spool job.
 */
#include "render/driver/header/job_header.h"

#include <string.h>

#include "core/ddd/ddd_access.h"
#include "core/jobtext/job_attr.h"
#include "core/jobtext/job_info.h"
#include "core/outside/monitor_binding.h"
#include "core/settings/settings.h"
#include "core/trace/trace.h"
#include "core/util/resource_module.h"
#include "render/driver/booklet/booklet.h"
#include "render/driver/header/header_private.h"
#include "render/driver/header/string_util.h"
#include "render/pdl/writer/pdl_writer.h"

// Windows version reported when it cannot be read.
static const DWORD kFallbackOsMajor = 5;
static const DWORD kFallbackOsMinor = 0;
// Characters of the stored-job and name texts of 'EE' and 'EH'.
static const DWORD kJobTextChars = 9;
// PDL version from which the name text goes out as 'EH'.
static const DWORD kNameTextVersion = 0x01010902;
// Resolution of 'FA' when the setting holds 0.
static const LONG kDefaultResolution = 200;
// Blocks the booklet count attribute is built in.
static const DWORD kBookletPjlBytes = 78;
static const DWORD kBookletBareBytes = 42;

// Builds text into a buffer of the estimated size; answers the bytes or a negative code.
typedef LONG (*TextBuilder)(PDEV *pdev, char *buffer, void *context);

// WritePiece: a PDEV-heap buffer of size bytes, filled by build and written raw; freed
// on every path. A size or builder result below 0 or a refused allocation answers -1.
static LONG WritePiece(PDEV *pdev, LONG size, TextBuilder build, void *context)
{
    if (size <= 0) {
        return -1;
    }
    char *buffer = (char *)HeapAlloc(pdev->heap, 0, (SIZE_T)size);
    if (buffer == NULL) {
        return -1;
    }
    LONG length = build(pdev, buffer, context);
    LONG result = length < 0 ? -1 : hdr_WriteRaw(pdev, buffer, (DWORD)length);
    HeapFree(pdev->heap, 0, buffer);
    return result;
}

// CountBookletFaces: the booklet face count of the recorded pages 0 .. n - 1 with the
// snapshot's cover flag. A job whose pages give no face has no count, so no header.
static BOOL CountBookletFaces(PDEV *pdev, WORD *count)
{
    *count = bk_CountFaces(0, (LONG)pdev->job.storedPages - 1, pdev->job.setup.snapshot.coverFlag != 0);
    return *count != 0;
}

// What the built header needs besides the PDEV.
struct HeaderBuild {
    JobAttrContext context;
    WCHAR user[USER_NAME_LIMITED_CHARS];
};

static LONG BuildHeaderText(PDEV *pdev, char *buffer, void *context)
{
    return job_BuildJobAttrBlock(pdev->modelFile, pdev->baseFile, &((HeaderBuild *)context)->context, NULL, 0, buffer);
}

// FillFaxRange: the destinations of a fax job with more than one destination.
static void FillFaxRange(PDEV *pdev, WORD setIndex, JobFaxRange *range)
{
    const JobState &job = pdev->job;
    if (!job.faxJob || job.faxList == NULL || job.faxDestinations <= 1) {
        return;
    }
    range->first = job.faxPerDestination ? setIndex : 0;
    range->last = job.faxPerDestination ? setIndex : (WORD)(job.faxDestinations - 1);
    range->list = job.faxList;
}

// StartMonitorSession: with settings 8201 and 1321 on and the document monitor installed,
// the job is registered with it: its id text goes into the header's context, its handle
// into the PDEV, to be run at the end of the spool job. A job holds one session; a failed
// registration only means that there is none.
static void StartMonitorSession(PDEV *pdev, WORD setIndex, HeaderBuild *build)
{
    if (pdev->job.monitorSession != NULL || hdr_Setting(pdev, FID_DOCUMENT_MONITOR) == 0 ||
        hdr_Setting(pdev, FID_NARROW_TEXT_OFF) == 0 || ext_JtrIsInstalled() != 1) {
        return;
    }
    const JobState &job = pdev->job;
    JtrJobFacts facts = {};
    facts.model = pdev->modelFile;
    facts.base = pdev->baseFile;
    facts.fax = job.faxJob;
    facts.devmode = build->context.devmode;
    facts.block = build->context.block;
    facts.printer = pdev->printer;
    facts.resourceModule = pdev->resourceUse ? util_GetResourceModule() : NULL;
    facts.document = job.documentName;
    facts.faxList = job.faxList;
    facts.setIndex = setIndex;
    facts.destinationCount = !job.faxJob ? 0 : job.faxPerDestination ? 1 : job.faxDestinations;
    facts.ownerName = build->user;
    HANDLE session = ext_JtrStartJob(&facts, build->context.monitorJobId);
    if (session == NULL) {
        trc_Printf(TEXT("job header: no document-monitor session"));
        return;
    }
    pdev->job.monitorSession = session;
    build->context.monitorActive = 1;
}

// BuildHeader: the header built from the description data and the job's settings.
static LONG BuildHeader(PDEV *pdev, WORD setIndex, WORD bookletCount)
{
    DriverDevmode *devmode = hdr_JobDevmode(pdev);
    // The settings-info block of the user-interface DLL is not delivered to this driver:
    // no ticket data.
    LONG estimate = job_EstimateHeaderSize(pdev->printer, devmode, pdev->modelFile, pdev->baseFile, NULL, 0);
    if (estimate <= 0) {
        return -1;
    }
    HeaderBuild build = {};
    build.context.devmode = devmode;
    build.context.block = pdev->printerData;
    build.context.attrComponent = 1;
    build.context.printer = pdev->printer;
    build.context.bookletCount = bookletCount;
    build.context.capacity = (DWORD)estimate;
    FillFaxRange(pdev, setIndex, &build.context.fax);
    LONG status = util_GetUserNameLimited(build.user);
    if (status != 0) {
        return status;
    }
    build.context.nameText = build.user;
    StartMonitorSession(pdev, setIndex, &build);
    return WritePiece(pdev, estimate, BuildHeaderText, &build);
}

// WritePreparedSet: set setIndex of the user-interface DLL's list, with the booklet count
// written into it when the job carries one. Answers 1 when the set was unusable (nothing
// written), else 0 or -1.
static LONG WritePreparedSet(PDEV *pdev, WORD setIndex, BOOL patch, WORD bookletCount)
{
    const char *text = NULL;
    DWORD length = 0;
    DWORD offset = 0;
    if (!job_ReadJobAttrSet(pdev->job.attrSets, pdev->job.attrSetsSize, setIndex, &text, &length, &offset)) {
        trc_Printf(TEXT("job header: job-attribute set %u unusable, header built"), (unsigned)setIndex);
        return 1;
    }
    if (patch) {
        LONG patched =
            offset == 0
                ? -1
                : jc_PatchBookletCount(pdev->modelFile, pdev->baseFile, bookletCount, (char *)text, offset, length);
        if (patched == 0) {
            return -1;
        }
        if (patched < 0) {
            trc_Printf(TEXT("job header: booklet placeholder of set %u unusable, header built"), (unsigned)setIndex);
            return 1;
        }
    }
    return hdr_WriteRaw(pdev, text, length);
}

// WriteHeader: the job header of set setIndex.
static LONG WriteHeader(PDEV *pdev, WORD setIndex)
{
    WORD bookletCount = 0;
    BOOL wantCount = pdev->job.setup.snapshot.bookletCountFlag != 0;
    if (wantCount && !CountBookletFaces(pdev, &bookletCount)) {
        trc_Printf(TEXT("job header: the booklet face count is not available"));
        return -1;
    }
    if (pdev->job.attrSets != NULL) {
        LONG result = WritePreparedSet(pdev, setIndex, wantCount, bookletCount);
        if (result <= 0) {
            return result;
        }
    }
    return BuildHeader(pdev, setIndex, bookletCount);
}

static LONG BuildUel(PDEV *pdev, char *buffer, void *context)
{
    (void)pdev;
    (void)context;
    return job_WriteUel(buffer);
}

static LONG BuildEoj(PDEV *pdev, char *buffer, void *context)
{
    (void)context;
    return job_WriteEoj(pdev->modelFile, 0, buffer);
}

static LONG BuildTrailer(PDEV *pdev, char *buffer, void *context)
{
    (void)context;
    return job_WriteTrailer(pdev->modelFile, 0, buffer);
}

// BuildJobInfoPiece: the next piece of the job-information block; context is the more flag.
static LONG BuildJobInfoPiece(PDEV *pdev, char *buffer, void *context)
{
    return jc_WriteJobInfoChunk(pdev, buffer, (int *)context);
}

// WriteTrailer: the universal exit line, the job-information block and the end-of-job
// line, or the plain trailer. Each writer's own count of bytes is written.
static LONG WriteTrailer(PDEV *pdev)
{
    if (!pdev->job.setup.snapshot.jobInfoOn) {
        return WritePiece(pdev, job_EstimateTrailerSize(pdev->modelFile, 0), BuildTrailer, NULL);
    }
    if (WritePiece(pdev, job_GetUelSize(), BuildUel, NULL) < 0) {
        return -1;
    }
    int more = 0;
    do {
        if (WritePiece(pdev, (LONG)jc_GetJobInfoChunkSize(), BuildJobInfoPiece, &more) < 0) {
            // A block broken off must not continue mid-way in the next trailer.
            if (pdev->job.jobInfo != NULL) {
                pdev->job.jobInfo->nextCode = 0;
                pdev->job.jobInfo->nextPage = 1;
            }
            return -1;
        }
    } while (more);
    return WritePiece(pdev, job_EstimateEojSize(pdev->modelFile, 0), BuildEoj, NULL);
}

LONG jc_WriteJobText(PDEV *pdev, int isHeader, WORD setIndex)
{
    if (pdev == NULL || pdev->job.writer == NULL) {
        return -1;
    }
    return isHeader ? WriteHeader(pdev, setIndex) : WriteTrailer(pdev);
}

LONG jc_WriteJobHeader(PDEV *pdev, WORD setIndex)
{
    return jc_WriteJobText(pdev, 1, setIndex);
}

LONG jc_WriteJobTrailerText(PDEV *pdev)
{
    return jc_WriteJobText(pdev, 0, 0);
}

LONG jc_WriteVersionLines(PDEV *pdev)
{
    if (pdev == NULL || pdev->job.writer == NULL) {
        return -1;
    }
    DWORD version = hdr_JobVersion(pdev);
    char line[64];
    int length = wsprintfA(line,
                           "%sQMNQT-%d.%d.%d%s%c",
                           "%",
                           (int)((version >> 16) & 0xFF),
                           (int)((version >> 8) & 0xFF),
                           (int)(version & 0xFF),
                           "%",
                           '\n');
    LONG result = hdr_WriteRaw(pdev, line, (DWORD)length);
    if (result != 0) {
        return result;
    }
    OSVERSIONINFOW os = {};
    os.dwOSVersionInfoSize = sizeof os;
    DWORD major = kFallbackOsMajor;
    DWORD minor = kFallbackOsMinor;
    if (GetVersionExW(&os)) {
        major = os.dwMajorVersion;
        minor = os.dwMinorVersion;
    }
    length =
        wsprintfA(line, "%s%s%x.%x,%s%d%d%02d.%d%s%c", "%", "WINNT-", major, minor, "NQTDRV-", 2, 7, 4, 1, "%", '\n');
    return hdr_WriteRaw(pdev, line, (DWORD)length);
}

LONG jc_PatchBookletCount(DddFile *model, DddFile *base, WORD count, char *text, DWORD offset, DWORD length)
{
    (void)base;
    if (text == NULL) {
        return 1;
    }
    BOOL pjl = (ddd_GetEntryNumber(model, 26, 4, 0) & JOB_FLAG_PJL) != 0;
    DWORD size = pjl ? kBookletPjlBytes : kBookletBareBytes;
    char *block = (char *)GlobalAlloc(GPTR, size);
    if (block == NULL) {
        return 0;
    }
    WCHAR number[16];
    wsprintfW(number, TEXT("%u"), (unsigned)count);
    LONG written;
    if (pjl) {
        WCHAR attribute[48];
        wsprintfW(attribute, TEXT("\"@BKTP=%s\""), number);
        written = job_AppendTwoNarrow(TEXT("@PJL SET JOBATTR="), attribute, block, size);
    } else {
        written = job_AppendTwoNarrow(TEXT("@BKTP="), number, block, size);
    }
    // The placeholder must hold the whole attribute inside the set's text.
    LONG result = -1;
    if (written > 0 && offset <= length && (DWORD)written <= length - offset) {
        memcpy(text + offset, block, (size_t)written);
        result = 1;
    }
    GlobalFree(block);
    return result;
}

// WriteJobCommands: 'EA', then 'EE' for a stored job, 'EH' for the name text, and 'FA'
// with the resolution when the job is not stored.
static LONG WriteJobCommands(PDEV *pdev)
{
    PdlWriter *writer = pdev->job.writer;
    const PageSetupSnapshot &snapshot = pdev->job.setup.snapshot;
    if (pdl_WriteModeBits(writer, 2, 1, pdev->job.modeByte) < 0) {
        return -1;
    }
    if (snapshot.storedJob) {
        LPCWSTR name = hdr_SettingText(pdev, FID_STORED_JOB_NAME);
        name = name != NULL ? name : TEXT("");
        if (pdl_WriteStringEE(writer, name, dma_CountWideChars(name, kJobTextChars)) < 0) {
            return -1;
        }
    }
    if (snapshot.nameTextOn && hdr_JobVersion(pdev) >= kNameTextVersion) {
        LPCWSTR name = hdr_SettingText(pdev, FID_NAME_TEXT);
        name = name != NULL ? name : TEXT("");
        if (pdl_WriteStringEH(writer, name, dma_CountWideChars(name, kJobTextChars)) < 0) {
            return -1;
        }
    }
    if (!snapshot.storedJob && jc_WriteResolution(pdev) != 0) {
        return -1;
    }
    return 0;
}

LONG jc_WriteResolution(PDEV *pdev)
{
    if (pdev == NULL || pdev->job.writer == NULL) {
        return -1;
    }
    LONG resolution =
        hdr_Setting(pdev, hdr_Setting(pdev, FID_RESOLUTION_CHOICE) == 1 ? FID_QUALITY_PAIR : FID_RESOLUTION_348);
    return pdl_SetFA(pdev->job.writer, 1, resolution != 0 ? resolution : kDefaultResolution) < 0 ? -1 : 0;
}

LONG jc_BeginJobText(PDEV *pdev, WORD setIndex)
{
    if (pdev == NULL || pdev->job.writer == NULL) {
        return -1;
    }
    LONG result = jc_WriteJobText(pdev, 1, setIndex);
    if (result == 0) {
        result = jc_WriteVersionLines(pdev);
    }
    if (result == 0) {
        result = WriteJobCommands(pdev);
    }
    if (result == 0) {
        result = jc_WriteJobStartRecords(pdev);
    }
    return result;
}

LONG jc_EndJobText(PDEV *pdev)
{
    if (pdev == NULL || pdev->job.writer == NULL) {
        return -1;
    }
    jc_TracePageEvent(pdev, TRACE_END_JOB);
    LONG result = pdl_EmitEB(pdev->job.writer) < 0 ? -1 : 0;
    jc_FillJobInfoJob(pdev);
    result |= jc_WriteJobText(pdev, 0, 0);
    return result;
}
