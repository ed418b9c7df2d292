/*
 * The output stream as job control drives it through the PDEV.
 */
#include "render/driver/pdev/pdev_output.h"

#include <string.h>

#include "core/settings/settings.h"
#include "render/stream/file_io.h"
#include "render/stream/output_stream.h"

static OutputStream *stream_of(PDEV *pdev)
{
    return pdev ? pdev->job.stream : NULL;
}

LONG spl_PdevCreateStream(PDEV *pdev, HMODULE module)
{
    if (!pdev || pdev->job.stream)
        return -1;
    pdev->job.stream = spl_CreateStream(module);
    return pdev->job.stream ? 0 : -1;
}

void spl_PdevDestroyStream(PDEV *pdev)
{
    if (!pdev)
        return;
    spl_DestroyStream(pdev->job.stream);
    pdev->job.stream = NULL;
}

LONG spl_PdevOpenChannel(PDEV *pdev)
{
    OutputStream *stream = stream_of(pdev);
    if (!stream)
        return -1;
    pdev->job.recordWord = 0;
    pdev->job.storedPages = 0;
    return spl_OpenSpoolerChannel(stream, pdev->printer);
}

LONG spl_PdevCloseChannel(PDEV *pdev, BOOL failed)
{
    OutputStream *stream = stream_of(pdev);
    if (!stream)
        return -1;
    if (stream->target && stream->target != pdev->printer)
        return spl_CloseSecondJob(stream, failed);
    return spl_CloseChannel(stream, failed);
}

LONG spl_PdevWrite(PDEV *pdev, DWORD length, const BYTE *bytes)
{
    OutputStream *stream = stream_of(pdev);
    if (!stream || !(pdev->job.pageState & PAGE_STATE_OUTPUT_BEGUN))
        return -1;
    return spl_WriteStream(stream, length, bytes);
}

LONG spl_PdevOpenSecondJob(PDEV *pdev, LPCWSTR document)
{
    OutputStream *stream = stream_of(pdev);
    if (!stream)
        return -1;
    return spl_OpenSecondJob(stream, pdev->printer, document);
}

LONG spl_PdevOpenTempOutputFile(PDEV *pdev)
{
    OutputStream *stream = stream_of(pdev);
    if (!stream || util_MakeTempFileName(pdev->job.tempOutputPath, NULL) != 0)
        return -1;
    return spl_OpenOutputFile(stream, pdev->job.tempOutputPath, FILE_MODE_CREATE_ALWAYS, NULL);
}

// A wide-string setting of the PDEV's job (a pointer into its areas); NULL on failure.
static const WCHAR *string_setting(PDEV *pdev, WORD functionId)
{
    WORD type = 0;
    DWORD size = 0;
    const WCHAR *text = NULL;
    if (dma_GetFunctionValue(functionId, &pdev->devmode, pdev->printerData, &type, &size, &text) != SST_OK)
        return NULL;
    return type == VT_STRING ? text : NULL;
}

LONG spl_OpenUserOutputFile(PDEV *pdev)
{
    OutputStream *stream = stream_of(pdev);
    if (!stream)
        return -1;
    const WCHAR *folder = string_setting(pdev, FID_OUTPUT_FOLDER);
    const WCHAR *name = string_setting(pdev, FID_STORED_JOB_NAME);
    if (!folder || !name)
        return -1;
    return spl_OpenUserOutputPath(stream, folder, name);
}

LONG spl_PdevCloseUserOutputFile(PDEV *pdev)
{
    OutputStream *stream = stream_of(pdev);
    if (!stream)
        return -1;
    return spl_RemoveFileSink(stream);
}

LONG spl_PdevStartRecording(PDEV *pdev)
{
    OutputStream *stream = stream_of(pdev);
    if (!stream || pdev->job.recordWord != 0)
        return -1;
    if (spl_BeginPageStore(stream, 1, RECORD_TABLE_GROWTH) != 0)
        return -1;
    pdev->job.recordWord = RECORD_ON;
    pdev->job.storedPages = 0;
    return 0;
}

LONG spl_PdevBeginRecordedPage(PDEV *pdev, WORD mode)
{
    OutputStream *stream = stream_of(pdev);
    if (!stream || pdev->job.recordWord != RECORD_ON)
        return -1;
    if (mode == 0 || (mode & ~RECORD_MODE_MASK))
        return -1;
    if (spl_BeginStoredPage(stream, (WORD)(pdev->job.storedPages + 1)) != 0)
        return -1;
    pdev->job.recordWord = (WORD)(mode | RECORD_PAGE_OPEN);
    return 0;
}

LONG spl_PdevSetPageEntry(PDEV *pdev, WORD page, const BYTE *entry)
{
    OutputStream *stream = stream_of(pdev);
    if (!stream)
        return -1;
    return spl_SetPageEntry(stream, page, PAGE_ENTRY_SIZE, entry);
}

LONG spl_PdevGetPageEntry(PDEV *pdev, WORD page, BYTE *entry)
{
    OutputStream *stream = stream_of(pdev);
    if (!stream)
        return -1;
    return spl_GetPageEntry(stream, page, PAGE_ENTRY_SIZE, entry);
}

LONG spl_PdevEndRecordedPage(PDEV *pdev, const BYTE *setup)
{
    OutputStream *stream = stream_of(pdev);
    if (!stream || (pdev->job.recordWord & RECORD_PAGE_OPEN) != RECORD_PAGE_OPEN)
        return -1;
    WORD page = (WORD)(pdev->job.storedPages + 1);
    LONG result = 0;
    if (setup) {
        BYTE entry[PAGE_ENTRY_SIZE];
        if (spl_GetPageEntry(stream, page, PAGE_ENTRY_SIZE, entry) != 0)
            result = -1;
        memcpy(entry + PAGE_ENTRY_SETUP_OFFSET, setup, PAGE_ENTRY_SETUP_SIZE);
        if (result == 0 && spl_SetPageEntry(stream, page, PAGE_ENTRY_SIZE, entry) != 0)
            result = -1;
    }
    if (spl_EndStoredPage(stream) != 0)
        result = -1;
    pdev->job.recordWord = RECORD_ON;
    pdev->job.storedPages++;
    return result;
}

LONG spl_PdevEndRecording(PDEV *pdev)
{
    OutputStream *stream = stream_of(pdev);
    if (!stream || pdev->job.recordWord != RECORD_ON)
        return -1;
    LONG result = spl_EndPageStore(stream);
    pdev->job.recordWord = 0;
    return result;
}
