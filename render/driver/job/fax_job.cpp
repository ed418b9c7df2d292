/*
 * Fax jobs in job control: the cover sheet of a destination, one spool job per
 * destination at job end, the fax file a job names, and the feed-direction question of
 * each page start.
 */
#include "render/driver/job/job_private.h"

#include <string.h>

#include "core/outside/monitor_binding.h"
#include "core/settings/function_ids.h"
#include "core/trace/trace.h"
#include "render/driver/binding/pdev_settings.h"
#include "render/driver/fax/fax.h"
#include "render/driver/header/job_header.h"
#include "render/driver/forms/forms.h"
#include "render/driver/page/page_setup.h"
#include "render/driver/pdev/pdev_output.h"

/* Orientation the feed-direction test takes when setting 294 holds none. */
static const WORD kNoOrientation = 7;

LONG jcp_WriteDestinationCover(PDEV *pdev, DWORD index)
{
    FaxCoverDestination *record = (FaxCoverDestination *)GlobalAlloc(GPTR, sizeof(FaxCoverDestination));
    if (record == NULL) {
        return -1;
    }
    LONG result = fax_GetCoverDestination(pdev, index, record);
    if (result == 0) {
        result = fax_WriteCoverSheet(pdev, record);
    }
    GlobalFree(record);
    return result;
}

/* faxjob_OutputDestination: one destination's output on the channel already open: the
 * header with set index, the cover sheet, every recorded page and the trailer. */
static LONG faxjob_OutputDestination(PDEV *pdev, DWORD index)
{
    // Each spool job starts the printer afresh: nothing of the writer's state is assumed,
    // and its job information lists its own pages only.
    LONG result = jcp_ResetWriterPage(pdev);
    if (index > 0) {
        jc_FreeJobInfo(pdev);
        result |= jc_CreateJobInfo(pdev);
    }
    result |= jc_BeginJobText(pdev, (WORD)index);
    result |= jcp_WriteDestinationCover(pdev, index);
    for (WORD page = 1; result == 0 && page <= pdev->job.storedPages; ++page) {
        result |= pg_ReplayPage(pdev, page, REPLAY_PAGE_SIZE, NULL);
    }
    if (result == 0) {
        result |= jc_EndJobText(pdev);
    }
    return result;
}

/* faxjob_EndSession: the document-monitor session of a further destination's spool job:
 * run after the job was handed over whole, else ended. */
static void faxjob_EndSession(PDEV *pdev, BOOL completed)
{
    if (pdev->job.monitorSession == NULL) {
        return;
    }
    if (completed) {
        ext_JtrExecute(pdev->job.monitorSession);
    } else {
        ext_JtrEnd(pdev->job.monitorSession);
    }
    pdev->job.monitorSession = NULL;
}

LONG jcp_OutputPerDestination(PDEV *pdev)
{
    // Destination 0 goes to the driver's own spool job, closed when the job ends: its
    // result is the job's, and its monitor session runs when that job has ended.
    LONG own = faxjob_OutputDestination(pdev, 0);
    HANDLE ownSession = pdev->job.monitorSession;
    pdev->job.monitorSession = NULL;
    for (DWORD index = 1; index < pdev->job.faxDestinations; ++index) {
        LONG result = spl_PdevOpenSecondJob(pdev, pdev->job.documentName);
        if (result == 0) {
            // The header of the destination registers its own monitor session.
            result = faxjob_OutputDestination(pdev, index);
            // A destination that failed has its spool job aborted, never ended as printed.
            result |= spl_PdevCloseChannel(pdev, result != 0);
        }
        faxjob_EndSession(pdev, result == 0);
        if (result != 0) {
            trc_Printf(TEXT("Fax destination %lu: its spool job failed and was aborted"), (unsigned long)index);
        }
    }
    pdev->job.monitorSession = ownSession;
    return own;
}

/* faxjob_IsOneTimeFile: 1 when the file holds a destination list as the one-time fax file
 * is written: the list's tag at its start and exactly the size its count gives. */
static BOOL faxjob_IsOneTimeFile(LPCWSTR path)
{
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) {
        return FALSE;
    }
    BYTE head[offsetof(FaxSendList, count) + sizeof(WORD)] = {};
    DWORD read = 0;
    DWORD high = 0;
    DWORD size = GetFileSize(file, &high);
    BOOL ok = ReadFile(file, head, sizeof head, &read, NULL) && read == sizeof head;
    CloseHandle(file);
    if (!ok || high != 0) {
        return FALSE;
    }
    WCHAR tag[8] = {};
    memcpy(tag, head, sizeof tag);
    WORD count = 0;
    memcpy(&count, head + offsetof(FaxSendList, count), sizeof count);
    return lstrcmpW(tag, FAX_LIST_TAG) == 0 && size == sizeof(FaxSendList) + (DWORD)count * sizeof(FaxDestination);
}

void jcp_DeleteFaxFile(PDEV *pdev)
{
    const WCHAR *path = pdev_GetSettingString(pdev, FID_FILE_PATH_375);
    if (path == NULL || path[0] == 0 || GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES) {
        return;
    }
    // The path is a setting any application may write: only a fax file is deleted.
    if (faxjob_IsOneTimeFile(path)) {
        DeleteFileW(path);
    } else {
        trc_Printf(TEXT("Fax file kept: %s is not a fax destination file"), path);
    }
}

DWORD WINAPI jc_IsPageTurnNeeded(PDEV *pdev)
{
    if (pdev == NULL) {
        return 0;
    }
    PageSetupState *setup = &pdev->job.setup;
    FaxFeedQuery query;
    memset(&query, 0, sizeof query);
    query.paperCode = setup->page.page.paperCode;
    WORD kind = 0;
    if (pdev->paper[0].record != NULL && ddd_GetPaperKindWord(pdev->paper[0].record, &kind) == DDD_OK) {
        query.paperType = kind;
    }
    // Asking for the tray code leaves the source last written as it was.
    WORD lastSource = setup->lastPaperSource;
    pg_GetTrayCode(pdev, setup->paperSource, &query.trayCode);
    setup->lastPaperSource = lastSource;
    WORD orientation = pdev_GetSetting16(pdev, FID_LAYOUT_ORIENTATION);
    query.orientation = orientation != 0 ? orientation : kNoOrientation;
    // The tray's feed codes, the flag and its value are not known to the driver: the
    // model's range record decides.
    return fax_IsPageTurnNeeded(pdev, &query);
}
