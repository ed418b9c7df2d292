/*
 * The commands that frame a page: page size, page transform, duplex value, page end
 * marks and the clip reset. While a page is recorded with a command's flag, the command
 * is stored as a record beside the page's bytes instead, and the replay writes it later.
 */
#include "render/driver/page/page_setup.h"

#include <string.h>

#include "render/driver/header/job_header.h"
#include "render/driver/hook/image_hook.h"
#include "render/driver/page/page_private.h"
#include "render/driver/page/page_records.h"
#include "render/driver/pdev/pdev_output.h"
#include "render/pdl/writer/job_version.h"
#include "render/pdl/writer/pdl_writer.h"
#include "render/stream/output_stream.h"

// From this PDL version a page-size type 1-4 follows the page size as 'AA'.
#define VERSION_PAGE_SIZE_TYPE 0x01020006UL

// 'FH' pairs of duplex values 1-3.
static const BYTE kDuplexPairs[3][2] = {{0, 2}, {1, 2}, {1, 1}};

static LONG store_record(PDEV *pdev, WORD kind, WORD length, const void *data)
{
    return spl_AppendStoreRecord(pdev->job.stream, kind, length, (const BYTE *)data) == 0 ? 0 : -1;
}

static LONG writer_result(int answer)
{
    return answer == -1 ? -1 : 0;
}

LONG page_WriteDeviceTransform(PDEV *pdev, const Matrix2x3 *matrix)
{
    Matrix2x3 device;
    if (geo_ToDeviceMatrix(&device, pdev, matrix) != 0)
        return -1;
    return writer_result(pdl_SetTransform(pdev->job.writer, &device));
}

LONG jc_SetTransform(PDEV *pdev, const Matrix2x3 *matrix)
{
    if (!pdev || !matrix || !pdev->job.writer)
        return -1;
    if ((pdev->job.pageState & PAGE_STATE_SHEET_WRITABLE) != PAGE_STATE_SHEET_WRITABLE)
        return 0;
    if (!page_IsRecording(pdev, RECORD_WITH_TRANSFORM))
        return page_WriteDeviceTransform(pdev, matrix);

    const PageSetupState &setup = pdev->job.setup;
    TransformRecord record;
    memset(&record, 0, sizeof(record));
    record.matrix = *matrix;
    static const WORD kFlagBits[3] = {0x40, 0x80, 0x100};
    for (int i = 0; i < 3; ++i)
        record.flags[i] = (pdev->job.recordWord & kFlagBits[i]) != 0;
    record.paper = setup.page.page;
    record.paperCode = setup.page.page.paperCode;
    Matrix2x3 device;
    geo_ToDeviceMatrix(&device, pdev, matrix);
    pdl_SetCachedTransform(pdev->job.writer, &device);
    return store_record(pdev, PAGE_RECORD_TRANSFORM, sizeof(record), &record);
}

LONG page_WritePageSizeCommand(PDEV *pdev, BYTE colorCode, BYTE trayCode, BYTE paperCode, const float size[2],
                               LONG pageSizeType)
{
    float dots[2];
    if (hook_IsActive(pdev)) {
        // The hook's pages are sized in dots with the custom code; it keeps the page's own values.
        hook_StorePageSize(pdev, colorCode, trayCode, paperCode, size, dots);
        paperCode = PAPER_CODE_CUSTOM;
        size = dots;
    }
    LONG result = writer_result(pdl_WritePageSize(pdev->job.writer, colorCode, trayCode, paperCode, size));
    if (pageSizeType >= 1 && pageSizeType <= 4 &&
        jc_IsPdlVersionAtLeast(&pdev->devmode, pdev->printerData, VERSION_PAGE_SIZE_TYPE))
        result |= writer_result(pdl_EmitAA(pdev->job.writer, (int)pageSizeType));
    return result;
}

BOOL pg_JobInfoAtReplay(const PDEV *pdev)
{
    return pdev->job.faxJob && pdev->job.faxPerDestination;
}

LONG pg_WritePageSize(PDEV *pdev, BYTE colorCode, BYTE trayCode, BYTE paperCode, const float size[2], LONG pageSizeType)
{
    if (!pdev || !size || !pdev->job.writer || !page_OutputBegun(pdev))
        return -1;
    const PageSetupState &setup = pdev->job.setup;
    if (page_IsRecording(pdev, RECORD_WITH_PAGE_SIZE)) {
        PageSizeRecord record;
        memset(&record, 0, sizeof(record));
        record.size[0] = size[0];
        record.size[1] = size[1];
        record.paper = setup.page.output;
        record.source = setup.paperSource;
        record.pageSizeType = (WORD)pageSizeType;
        record.colorKind = setup.colorKind;
        record.duplexSetting = setup.duplexSetting;
        record.codes[0] = colorCode;
        record.codes[1] = trayCode;
        record.codes[2] = paperCode;
        // The job information counts a recorded side when it is recorded, as a side
        // written at once: its replays add no page to it.
        LONG result = store_record(pdev, PAGE_RECORD_SIZE, sizeof(record), &record);
        if (pg_JobInfoAtReplay(pdev))
            return result;
        return result | jc_FillJobInfoPage(pdev, paperCode == PAPER_CODE_CUSTOM);
    }
    LONG result = page_WritePageSizeCommand(pdev, colorCode, trayCode, paperCode, size, pageSizeType);
    if (hook_IsActive(pdev))
        paperCode = PAPER_CODE_CUSTOM;
    result |= jc_FillJobInfoPage(pdev, paperCode == PAPER_CODE_CUSTOM);
    return result;
}

// A page end command, or its record while the page is recorded with flag.
static LONG end_command(PDEV *pdev, WORD flag, WORD kind, int (*emit)(PdlWriter *))
{
    if (!pdev || !pdev->job.writer || !page_OutputBegun(pdev))
        return -1;
    if (page_IsRecording(pdev, flag))
        return store_record(pdev, kind, 0, NULL);
    return writer_result(emit(pdev->job.writer));
}

LONG pg_EndPageFB(PDEV *pdev)
{
    return end_command(pdev, RECORD_WITH_FB, PAGE_RECORD_END_FB, pdl_EmitFB);
}

LONG pg_EndPageED(PDEV *pdev)
{
    return end_command(pdev, RECORD_WITH_ED, PAGE_RECORD_END_ED, pdl_EmitED);
}

LONG pg_ResetClip(PDEV *pdev)
{
    return end_command(pdev, RECORD_PAGE_OPEN, PAGE_RECORD_RESET_CLIP, pdl_ResetClip);
}

LONG pg_SetDuplexValue(PDEV *pdev, LONG type)
{
    if (!pdev || !pdev->job.writer)
        return -1;
    if (type < 1 || type > 3)
        return 0;
    const BYTE *pair = kDuplexPairs[type - 1];
    return writer_result(pdl_SetFH(pdev->job.writer, pair[0], pair[1]));
}
