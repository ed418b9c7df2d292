/*
 * The render side's job information: the job's JobInfoRecord with one page record per
 * page-size command and the job fields written at job end.
 */
#include "render/driver/header/job_header.h"

#include <stddef.h>
#include <string.h>

#include "core/jobtext/job_info.h"
#include "core/settings/function_ids.h"
#include "render/driver/header/header_private.h"

static const WORD kPageCapacity = 100;
static const DWORD kPageGrowth = 100;
static const DWORD kPdlLumiq = 1;

// Values of the page and job fields.
enum {
    kModeUnknown = 0,
    kModeColor = 1,
    kModeMono = 2,
    kModeEmpty = 3,
    kDuplexSimplex = 0,
    kDuplexLong = 1,
    kDuplexTumble = 2,
    kJobPrint = 0,
    kJobFax = 1,
    kJobStored = 3,
    kTrayOther = 0x8000
};

// Input tray of the page by its paper source.
struct TrayRow {
    WORD source;
    DWORD tray;
};
static const TrayRow kTrays[] = {
    {7, 0},
    {1, 1},
    {272, 1},
    {3, 2},
    {271, 2},
    {2, 3},
    {261, 3},
    {257, 4},
    {262, 4},
    {4, 5},
    {260, 5},
    {265, 201},
    {266, 202},
    {267, 203},
};

// Where each job field the render side sets is kept in the record.
struct JobFieldRow {
    DWORD code;
    size_t offset;
};
static const JobFieldRow kJobFields[] = {
    {JI_STOREDJOBTYPE, offsetof(JobInfoRecord, storedJobType)},
    {JI_JOBCOPIES, offsetof(JobInfoRecord, jobCopies)},
    {JI_PAGECOPIES, offsetof(JobInfoRecord, pageCopies)},
    {JI_DUPLEXTYPE, offsetof(JobInfoRecord, duplexType)},
    {JI_NUP, offsetof(JobInfoRecord, nup)},
    {JI_POSTER, offsetof(JobInfoRecord, poster)},
    {JI_BOOKLETTYPE, offsetof(JobInfoRecord, bookletType)},
    {JI_PAGEORDER, offsetof(JobInfoRecord, pageOrder)},
    {JI_SLIPSHEET, offsetof(JobInfoRecord, separatorSheet)},
    {JI_TONERSAVE, offsetof(JobInfoRecord, tonerSave)},
    {JI_LOGICALPAGES, offsetof(JobInfoRecord, logicalPages)},
    {JI_ESTIMATEDSHEETS, offsetof(JobInfoRecord, estimatedSheets)},
};

// SetJobField: stores a job field by its line code and marks it present.
static void SetJobField(JobInfoRecord *record, DWORD code, DWORD value)
{
    for (const JobFieldRow &row : kJobFields) {
        if (row.code == code) {
            memcpy((BYTE *)record + row.offset, &value, sizeof value);
            record->present[code] = 1;
            return;
        }
    }
}

// PageMode: MODE of the page by its colour result, the snapshot's colour mode and the
// page's colour kind.
static DWORD PageMode(const PDEV *pdev)
{
    if (pdev->job.colorResult == 0) {
        return kModeEmpty;
    }
    switch (pdev->job.setup.snapshot.colorMode) {
    case 2: return kModeColor;
    case 1: return kModeMono;
    case 0: return pdev->job.colorResult != 1 && pdev->job.setup.colorKind == 2 ? kModeColor : kModeMono;
    default: return kModeUnknown;
    }
}

// FillPageColor: MODE and COLORS of a page record.
static void FillPageColor(const PDEV *pdev, PageInfoEntry *entry)
{
    entry->colorMode = PageMode(pdev);
    BOOL counted = pdev->job.setup.snapshot.colorSetOn && entry->colorMode == kModeColor;
    entry->colorCount = counted ? pdev->job.colorSet.count : 0;
}

// PageTray: INTRAY of the page's paper source.
static DWORD PageTray(WORD source)
{
    for (const TrayRow &row : kTrays) {
        if (row.source == source) {
            return row.tray;
        }
    }
    return kTrayOther;
}

// PageDuplex: DUPLEX of the page.
static DWORD PageDuplex(const PDEV *pdev)
{
    if (pdev->job.setup.snapshot.bookletOn) {
        return kDuplexTumble;
    }
    if (pdev->job.setup.snapshot.perPageDuplex) {
        switch (pdev->job.setup.duplexSetting) {
        case 2: return kDuplexLong;
        case 3: return kDuplexTumble;
        default: return kDuplexSimplex;
        }
    }
    switch (pdev->job.setup.page.duplex) {
    case 1: return kDuplexTumble;
    case 2: return kDuplexLong;
    default: return kDuplexSimplex;
    }
}

// FillPageSize: SIZE: the shorter and the longer paper edge (0.1 mm) as "s.sXl.l", with a
// leading "*" for a custom size.
static void FillPageSize(const PDEV *pdev, int customSize, PageInfoEntry *entry)
{
    int width = pdev->job.setup.page.page.width;
    int length = pdev->job.setup.page.page.length;
    int shorter = width < length ? width : length;
    int longer = width < length ? length : width;
    char text[64];
    wsprintfA(text, "%s%d.%dX%d.%d", customSize ? "*" : "", shorter / 10, shorter % 10, longer / 10, longer % 10);
    memset(entry->sizeName, 0, sizeof entry->sizeName);
    memcpy(entry->sizeName, text, strnlen(text, sizeof entry->sizeName - 1));
}

LONG jc_CreateJobInfo(PDEV *pdev)
{
    if (pdev == NULL) {
        return -1;
    }
    if (pdev->job.jobInfo != NULL) {
        return 0;
    }
    JobInfoRecord *record = job_NewJobInfo(kPageCapacity, kPageGrowth);
    if (record == NULL) {
        return -1;
    }
    job_SetJobInfoLineEnd(record, 0);
    pdev->job.jobInfo = record;
    return 0;
}

void jc_FreeJobInfo(PDEV *pdev)
{
    if (pdev == NULL) {
        return;
    }
    job_FreeJobInfo(pdev->job.jobInfo);
    pdev->job.jobInfo = NULL;
}

DWORD jc_GetJobInfoChunkSize(void)
{
    return JOB_INFO_CHUNK_BYTES;
}

LONG jc_WriteJobInfoChunk(PDEV *pdev, char *buffer, int *more)
{
    if (pdev == NULL || pdev->job.jobInfo == NULL || buffer == NULL || more == NULL) {
        return -1;
    }
    DWORD left = 0;
    DWORD written = job_WriteJobInfoLines(pdev->job.jobInfo, buffer, JOB_INFO_CHUNK_BYTES, &left, NULL);
    *more = left ? 1 : 0;
    // A line that never fits would be asked for again and again.
    if (written == 0 && left) {
        return -1;
    }
    return (LONG)written;
}

LONG jc_FillJobInfoPage(PDEV *pdev, int customSize)
{
    if (pdev == NULL || pdev->job.jobInfo == NULL) {
        return -1;
    }
    JobInfoRecord *record = pdev->job.jobInfo;
    // A stored job is one page record, however many pages it has.
    if (pdev->job.setup.snapshot.storedJob && job_GetCurrentPageRecord(record->pageTable) != NULL) {
        return 0;
    }
    PageInfoEntry *entry = job_AppendPageRecord(record->pageTable);
    if (entry == NULL) {
        return -1;
    }
    FillPageSize(pdev, customSize, entry);
    FillPageColor(pdev, entry);
    entry->inputTray = PageTray(pdev->job.setup.paperSource);
    entry->duplex = PageDuplex(pdev);
    static const DWORD kPageCodes[] = {
        JI_PAGEINFO, JI_ITEM_SIZE, JI_ITEM_MODE, JI_ITEM_COLORS, JI_ITEM_INTRAY, JI_ITEM_DUPLEX};
    for (DWORD code : kPageCodes) {
        record->present[code] = 1;
    }
    return 0;
}

LONG jc_RefreshJobInfoPage(PDEV *pdev)
{
    if (pdev == NULL || pdev->job.jobInfo == NULL) {
        return -1;
    }
    PageInfoEntry *entry = job_GetCurrentPageRecord(pdev->job.jobInfo->pageTable);
    if (entry == NULL) {
        return -1;
    }
    FillPageColor(pdev, entry);
    return 0;
}

// StoredJobType: STOREDJOBTYPE by the fax delay or the print mode.
static DWORD StoredJobType(PDEV *pdev)
{
    if (pdev->job.faxJob && hdr_Setting(pdev, FID_CLOCK_ON) == 1) {
        return 3;
    }
    switch (hdr_Setting(pdev, FID_JOB_TYPE)) {
    case 1: return 1;
    case 2: return 2;
    case 3: return 5;
    default: return 0;
    }
}

// FillCopies: JOBCOPIES and PAGECOPIES.
static void FillCopies(PDEV *pdev, JobInfoRecord *record, DWORD copies)
{
    DWORD jobCopies = 1;
    DWORD pageCopies = 1;
    if (!pdev->job.setup.snapshot.deviceCollates) {
        if (hdr_Setting(pdev, FID_COLLATE) == 1 || hdr_Setting(pdev, FID_JOB_TYPE) == 2) {
            jobCopies = copies;
        } else {
            pageCopies = copies;
        }
    }
    SetJobField(record, JI_JOBCOPIES, jobCopies);
    SetJobField(record, JI_PAGECOPIES, pageCopies);
}

// FillBooklet: BOOKLETTYPE with its threshold.
static void FillBooklet(PDEV *pdev, JobInfoRecord *record)
{
    DWORD type = 0;
    DWORD threshold = 1;
    if (pdev->job.setup.snapshot.bookletOn) {
        switch (hdr_Setting(pdev, FID_BOOKLET_TYPE)) {
        case 0: type = 1; break;
        case 1:
            type = 2;
            threshold = (DWORD)hdr_Setting(pdev, FID_BOOKLET_THRESHOLD_4364);
            break;
        case 2:
            type = 3;
            threshold = (DWORD)hdr_Setting(pdev, FID_BOOKLET_THRESHOLD_323);
            break;
        default: break;
        }
    }
    SetJobField(record, JI_BOOKLETTYPE, type);
    record->bookletThreshold = threshold;
}

// EstimatedSheets: ESTIMATEDSHEETS by the job's layout.
static DWORD EstimatedSheets(PDEV *pdev, DWORD copies, BOOL posterOn)
{
    const PageSetupSnapshot &snapshot = pdev->job.setup.snapshot;
    DWORD logical = pdev->job.logicalPages;
    if (snapshot.bookletOn) {
        return ((pdev->job.storedPages + 3u) / 4u) * copies;
    }
    if (posterOn) {
        return copies * logical * snapshot.posterRows * snapshot.posterColumns;
    }
    if (hdr_Setting(pdev, FID_STORED_JOB) == 1) {
        return 0;
    }
    if (pdev->job.faxJob && hdr_Setting(pdev, FID_FAX_COVER_SHEET) == 1 && hdr_Setting(pdev, FID_FAX_COVER_ONLY) != 1) {
        return logical + 1;
    }
    return copies * logical;
}

LONG jc_FillJobInfoJob(PDEV *pdev)
{
    if (pdev == NULL || pdev->job.jobInfo == NULL) {
        return -1;
    }
    JobInfoRecord *record = pdev->job.jobInfo;
    const PageSetupSnapshot &snapshot = pdev->job.setup.snapshot;
    DWORD version = hdr_JobVersion(pdev);
    char versionText[32];
    wsprintfA(
        versionText, "%d.%d.%d", (int)((version >> 16) & 0xFF), (int)((version >> 8) & 0xFF), (int)(version & 0xFF));
    job_SetJobInfoPdl(record, kPdlLumiq, versionText);

    BOOL stored = hdr_Setting(pdev, FID_STORED_JOB) == 1;
    DWORD jobType = kJobPrint;
    if (stored) {
        jobType = kJobStored;
    } else if (pdev->job.faxJob && hdr_Setting(pdev, FID_FAX_COVER_ONLY) != 1) {
        jobType = kJobFax;
    }
    job_SetJobInfoJobType(record, jobType);
    SetJobField(record, JI_STOREDJOBTYPE, StoredJobType(pdev));

    DWORD copies = (DWORD)hdr_Setting(pdev, FID_COPIES);
    FillCopies(pdev, record, copies);
    LONG duplexKind = pdev->job.setup.page.duplex;
    DWORD duplexType = kDuplexSimplex;
    if (snapshot.bookletOn || duplexKind == 1) {
        duplexType = kDuplexTumble;
    } else if (duplexKind == 2) {
        duplexType = kDuplexLong;
    }
    SetJobField(record, JI_DUPLEXTYPE, duplexType);
    SetJobField(record, JI_NUP, (DWORD)pdev->job.setup.page.pagesPerSheet);
    BOOL posterOn = hdr_Setting(pdev, FID_PAGE_LAYOUT) == 1;
    SetJobField(record, JI_POSTER, posterOn ? (DWORD)snapshot.posterColumns * snapshot.posterRows : 1);
    FillBooklet(pdev, record);
    SetJobField(record, JI_PAGEORDER, hdr_Setting(pdev, FID_REVERSE_ORDER) != 0 ? 1 : 0);
    LONG separator = snapshot.separatorMode;
    SetJobField(record, JI_SLIPSHEET, separator == 1 || separator == 2 ? (DWORD)separator : 0);
    SetJobField(record, JI_TONERSAVE, hdr_Setting(pdev, FID_TONER_SAVE) != 0 ? 1 : 0);
    SetJobField(record, JI_LOGICALPAGES, pdev->job.logicalPages);
    SetJobField(record, JI_ESTIMATEDSHEETS, EstimatedSheets(pdev, copies, posterOn));
    return 0;
}
