/*
 * Replay of a recorded page: its bytes from the page store, with the stored page
 * commands turned back into commands in the order they were recorded.
 */
#include "render/driver/page/page_setup.h"

#include <string.h>

#include "render/driver/header/job_header.h"
#include "render/driver/hook/image_hook.h"
#include "render/driver/page/page_private.h"
#include "render/driver/page/page_records.h"
#include "render/driver/pdev/pdev_output.h"
#include "render/pdl/writer/pdl_writer.h"
#include "render/stream/output_stream.h"

// Bytes of page data moved per read.
#define REPLAY_CHUNK 1024

// Writes the page data up to the next stored record.
static LONG copy_page_data(PDEV *pdev)
{
    BYTE chunk[REPLAY_CHUNK];
    LONG n;
    do {
        n = spl_ReadStoredPage(pdev->job.stream, sizeof(chunk), chunk);
        if (n < 0)
            return -1;
        if (n > 0 && spl_PdevWrite(pdev, (DWORD)n, chunk) != n)
            return -1;
    } while (n == REPLAY_CHUNK);
    return 0;
}

// The data of the current record: exactly length bytes, and length must be expected.
static BOOL read_record(PDEV *pdev, const StoreRecordHead &head, DWORD expected, void *data)
{
    if (head.length != expected)
        return FALSE;
    return expected == 0 || spl_ReadStoredPage(pdev->job.stream, expected, (BYTE *)data) == (LONG)expected;
}

// Colour kind of a colour page: the image hook replaces such pages.
static const DWORD kColorPage = 2;

// replay_hook_flags: the flags of a replay while the image hook takes the pages: the page
// size and 'ED' always (but for booklets, whose faces set them), the transform always.
static DWORD replay_hook_flags(PDEV *pdev, DWORD flags)
{
    if (!hook_IsActive(pdev))
        return flags;
    if (!pdev->job.setup.snapshot.bookletOn)
        flags |= REPLAY_PAGE_SIZE | REPLAY_ED;
    return flags | REPLAY_TRANSFORM;
}

// replay_capturing: the replayed page goes to the hook's capture file.
static BOOL replay_capturing(PDEV *pdev)
{
    return pdev->job.stream->sinkKind == SINK_CAPTURE_FILE;
}

// replay_hook_output: the captured page ends and the hook's output takes its place.
static LONG replay_hook_output(PDEV *pdev)
{
    LONG result = hook_EndCapture(pdev);
    return result != 0 ? result : hook_Run(pdev);
}

static LONG replay_page_size(PDEV *pdev, const PageSizeRecord &record, DWORD flags)
{
    LONG result = 0;
    // A colour page the hook takes is captured from its page size on.
    if (hook_IsActive(pdev) && record.colorKind == kColorPage && (flags & REPLAY_PAGE_SIZE) && !replay_capturing(pdev))
        result |= hook_BeginCapture(pdev);
    if (flags & REPLAY_PAGE_SIZE)
        result |= page_WritePageSizeCommand(
            pdev, record.codes[0], record.codes[1], record.codes[2], record.size, record.pageSizeType);
    PageSetupState &setup = pdev->job.setup;
    setup.paperSource = record.source;
    setup.colorKind = (WORD)record.colorKind;
    setup.duplexSetting = (WORD)record.duplexSetting;
    setup.page.output = record.paper;
    if ((flags & REPLAY_PAGE_SIZE) && pg_JobInfoAtReplay(pdev))
        result |= jc_FillJobInfoPage(pdev, record.codes[2] == PAPER_CODE_CUSTOM || hook_IsActive(pdev));
    return result;
}

// The stored transform composed with the page's placement. Booklet halves and poster
// tiles need placements of their own, which are not built: such a page is refused
// rather than written in the wrong place.
static LONG replay_transform(PDEV *pdev, const TransformRecord &record, const Matrix2x3 *placement)
{
    const PageSetupSnapshot &snapshot = pdev->job.setup.snapshot;
    if (record.flags[0] || record.flags[1] || record.flags[2] || snapshot.bookletOn || snapshot.posterOn)
        return -1;
    Matrix2x3 matrix = record.matrix;
    if (placement)
        geo_Compose(placement, &matrix, &record.matrix);
    return page_WriteDeviceTransform(pdev, &matrix);
}

// One stored record. FALSE ends the replay (a record of another kind or size).
static BOOL replay_record(PDEV *pdev, const StoreRecordHead &head, DWORD flags, const Matrix2x3 *placement,
                          LONG *result)
{
    PdlWriter *writer = pdev->job.writer;
    switch (head.kind) {
    case PAGE_RECORD_SIZE: {
        PageSizeRecord record;
        if (!read_record(pdev, head, sizeof(record), &record))
            return FALSE;
        *result |= replay_page_size(pdev, record, flags);
        return TRUE;
    }
    case PAGE_RECORD_TRANSFORM: {
        TransformRecord record;
        if (!read_record(pdev, head, sizeof(record), &record))
            return FALSE;
        if (!(flags & REPLAY_TRANSFORM))
            return TRUE;
        LONG answer = replay_transform(pdev, record, placement);
        *result |= answer;
        return answer == 0;
    }
    case PAGE_RECORD_END_FB:
    case PAGE_RECORD_END_ED:
    case PAGE_RECORD_RESET_CLIP: {
        if (!read_record(pdev, head, 0, NULL))
            return FALSE;
        if (head.kind == PAGE_RECORD_END_FB && (flags & REPLAY_FB))
            *result |= pdl_EmitFB(writer) == -1 ? -1 : 0;
        if (head.kind == PAGE_RECORD_END_ED && (flags & REPLAY_ED)) {
            *result |= pdl_EmitED(writer) == -1 ? -1 : 0;
            if (replay_capturing(pdev))
                *result |= replay_hook_output(pdev);
        }
        if (head.kind == PAGE_RECORD_RESET_CLIP && (flags & REPLAY_RESET_CLIP))
            *result |= pdl_ResetClip(writer) == -1 ? -1 : 0;
        return TRUE;
    }
    default: return FALSE;
    }
}

LONG pg_ReplayPage(PDEV *pdev, WORD page, DWORD flags, const Matrix2x3 *placement)
{
    if (!pdev || !pdev->job.stream || !pdev->job.writer || !page_OutputBegun(pdev))
        return -1;
    // The page's colour values come with its page-size records; they take part once the
    // colour session keeps colour sets.
    if (spl_OpenStoredPage(pdev->job.stream, page) != 0)
        return -1;
    flags = replay_hook_flags(pdev, flags);
    int cache = pdl_SetCacheEnabled(pdev->job.writer, 0);
    LONG result = 0;
    for (;;) {
        if (copy_page_data(pdev) != 0) {
            result = -1;
            break;
        }
        StoreRecordHead head;
        LONG next = spl_NextStoredRecord(pdev->job.stream, &head);
        if (next == STORE_CHAIN_END)
            break;
        if (next != 0 || !replay_record(pdev, head, flags, placement, &result)) {
            result = -1;
            break;
        }
    }
    // A captured page whose 'ED' was written with its data ends with its chain; one that
    // failed is dropped, and the pages after it go to the stream again.
    if (replay_capturing(pdev)) {
        if (result == 0) {
            result = replay_hook_output(pdev);
        } else {
            hook_EndCapture(pdev);
            hook_DropCapturedPage(pdev);
        }
    }
    pdl_SetCacheEnabled(pdev->job.writer, cache);
    return result;
}
