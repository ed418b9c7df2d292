/*
 * The page-setup sequence that opens every sheet side: colour code, tray code of the
 * paper source, paper code and size; duplex per page; blank sheet sides.
 */
#include "render/driver/page/page_setup.h"

#include "core/settings/function_ids.h"
#include "render/driver/forms/forms.h"
#include "render/driver/header/job_header.h"
#include "render/driver/hook/image_hook.h"
#include "render/driver/page/page_private.h"
#include "render/driver/page/record_access.h"
#include "render/pdl/writer/job_version.h"
#include "render/pdl/writer/matrix2x3.h"
#include "render/pdl/writer/pdl_writer.h"

// PDL versions that change what a blank side or a source change writes.
#define VERSION_FE_END 0x01020000UL
#define VERSION_MEDIA_CHANGE 0x01010903UL
#define VERSION_BLANK_COLOR_KIND 0x01020000UL

// 'FE' value that ends a blank side.
#define FE_BLANK_SIDE 17

// Record type of the size ranges that describe the paper sources.
#define SIZE_RANGE_RECORD 5

// Paper size sent as a code alone: A4 of a variable-size paper.
#define A4_WIDTH 2100
#define A4_LENGTH 2970
#define PAPER_CODE_A4 5

static BOOL can_write(const PDEV *pdev)
{
    return pdev && pdev->job.writer && page_OutputBegun(pdev);
}

static LONG writer_result(int answer)
{
    return answer == -1 ? -1 : 0;
}

LONG pg_GetSheetColorCode(PDEV *pdev, BYTE *out)
{
    if (!pdev || !out)
        return -1;
    PageSetupState &setup = pdev->job.setup;
    LONG mode = setup.snapshot.colorMode;
    BYTE code = 0;
    if (mode == 1 || mode == 2)
        code = (BYTE)mode;
    else if (setup.colorKind <= 1)
        code = 1;
    else if (setup.colorKind == 2)
        code = 2;
    else
        return -1;
    *out = code;
    setup.colorKind = 2;
    return 0;
}

LONG pg_GetBlankColorCode(PDEV *pdev, BYTE *out)
{
    if (!pdev || !out)
        return -1;
    PageSetupState &setup = pdev->job.setup;
    *out = setup.snapshot.colorMode != 0 ? 3 : 1;
    setup.colorKind = jc_IsPdlVersionAtLeast(&pdev->devmode, pdev->printerData, VERSION_BLANK_COLOR_KIND) ? 0 : 1;
    return 0;
}

LONG pg_GetTrayCode(PDEV *pdev, WORD source, BYTE *out)
{
    if (!pdev)
        return -1;
    pdev->job.setup.lastPaperSource = source;
    if (!out || !pdev->modelFile)
        return -1;
    void *record = NULL;
    if (ddd_FetchRecordByKey(DDD_LEVEL_MODEL, pdev->modelFile, pdev->baseFile, SIZE_RANGE_RECORD, source, 0, &record) !=
            DDD_OK ||
        !record)
        return -1;
    WORD word = 0;
    DddStatus status = ddd_GetType5Word(record, &word);
    ddd_FreeRecord(&record, DDD_FREE_OWN_TYPE);
    if (status != DDD_OK)
        return -1;
    *out = LOBYTE(word);
    return 0;
}

LONG pg_GetPaperCodeAndSize(PDEV *pdev, const PaperRecord *paper, BYTE *code, float size[2])
{
    if (!pdev || !paper || !code || !size)
        return -1;
    BYTE c = PAPER_CODE_CUSTOM;
    LONG width = paper->width, length = paper->length;
    LONG result = 0;
    const void *record = pdev->paper[1].record;
    WORD kind = 0;
    // A paper without a description record is sent as a custom size, as a paper-kind
    // word of 0 says.
    if (record && ddd_GetPaperKindWord(record, &kind) == DDD_OK && kind != 0) {
        DddSize minimum = {0, 0}, maximum = {0, 0};
        BYTE letter = LOBYTE(kind);
        if (ddd_GetPaperMinSize(record, &minimum) != DDD_OK || ddd_GetPaperMaxSize(record, &maximum) != DDD_OK) {
            result = -1;
        } else if (minimum.width == maximum.width && minimum.height == maximum.height) {
            c = letter;
            if (c != PAPER_CODE_CUSTOM)
                width = length = 0;
        } else if (letter != PAPER_CODE_CUSTOM) {
            result = -1;
        } else if (width == A4_WIDTH && length == A4_LENGTH) {
            c = PAPER_CODE_A4;
            width = length = 0;
        }
    }
    *code = c;
    size[0] = 0.1f * (float)width;
    size[1] = 0.1f * (float)length;
    return result;
}

int pg_IsSamePaper(const PaperRecord *a, const PaperRecord *b)
{
    return a && b && a->paperCode == b->paperCode && a->width == b->width && a->length == b->length;
}

LONG pg_EmitMediaChange(PDEV *pdev)
{
    if (!can_write(pdev))
        return -1;
    return writer_result(pdl_EmitFC(pdev->job.writer));
}

LONG pg_EmitFE(PDEV *pdev, BYTE value)
{
    if (!can_write(pdev))
        return -1;
    return writer_result(pdl_EmitFE(pdev->job.writer, value));
}

LONG pg_SetDuplexBySetting(PDEV *pdev, BYTE duplexSetting)
{
    if (!can_write(pdev))
        return -1;
    return pg_SetDuplexValue(pdev, duplexSetting);
}

LONG pg_RefreshPerPageDuplex(PDEV *pdev)
{
    if (!can_write(pdev))
        return -1;
    PageSetupState &setup = pdev->job.setup;
    if (!setup.snapshot.perPageDuplex || setup.snapshot.driverLayout)
        return 0;
    if (setup.duplexSetting == 0) {
        LONG value = 0;
        page_ReadSetting(&pdev->devmode, pdev->printerData, FID_DUPLEX, &value);
        setup.duplexSetting = (WORD)(value == 2 || value == 3 ? value : 1);
        LONG result = pg_SetDuplexBySetting(pdev, (BYTE)setup.duplexSetting);
        setup.page.output = setup.page.page;
        return result;
    }
    if (!setup.snapshot.paper267 || pg_IsSamePaper(&setup.page.page, &setup.page.output) || setup.noPaperKind)
        return 0;
    LONG result = pg_EmitMediaChange(pdev);
    setup.page.output = setup.page.page;
    return result;
}

// Colour, tray and paper code of the output paper, then the page size.
static LONG write_page_size(PDEV *pdev, BYTE color, LONG colorResult, WORD source)
{
    PageSetupState &setup = pdev->job.setup;
    BYTE tray = 0, code = 0;
    float size[2] = {0, 0};
    LONG result = colorResult;
    result |= pg_GetTrayCode(pdev, source, &tray);
    result |= pg_GetPaperCodeAndSize(pdev, &setup.page.output, &code, size);
    result |= pg_WritePageSize(pdev, color, tray, code, size, setup.pageSizeType);
    return result;
}

// reset_for_hook: a page the image hook takes starts afresh after its size: the
// writer's page reset (the page-level state too) and the job's resolution again.
static LONG reset_for_hook(PDEV *pdev)
{
    PdlWriter *writer = pdev->job.writer;
    pdl_SetPageMode(writer, 1, 1);
    pdl_InvalidateStateCache(writer);
    LONG result = pdl_ResetPage(writer) == 0 ? 0 : -1;
    return result | jc_WriteResolution(pdev);
}

LONG pg_WriteSheetPageSetup(PDEV *pdev)
{
    if (!can_write(pdev))
        return -1;
    BYTE color = 0;
    LONG colorResult = pg_GetSheetColorCode(pdev, &color);
    LONG result = write_page_size(pdev, color, colorResult, pdev->job.setup.paperSource);
    if (hook_IsActive(pdev))
        result |= reset_for_hook(pdev);
    return result;
}

LONG pg_WriteSourcePageSetup(PDEV *pdev, WORD source)
{
    if (!can_write(pdev))
        return -1;
    LONG result = pg_RefreshPerPageDuplex(pdev);
    BYTE color = 0;
    LONG colorResult = pg_GetBlankColorCode(pdev, &color);
    return result | write_page_size(pdev, color, colorResult, source);
}

LONG pg_WriteBlankSide(PDEV *pdev, WORD source)
{
    if (!can_write(pdev))
        return -1;
    pdev->job.pageState |= PAGE_STATE_SHEET_OPEN;
    LONG result = pg_WriteSourcePageSetup(pdev, source);
    Matrix2x3 identity;
    geo_Identity(&identity);
    result |= jc_SetTransform(pdev, &identity);
    if (jc_IsPdlVersionAtLeast(&pdev->devmode, pdev->printerData, VERSION_FE_END))
        result |= pg_EmitFE(pdev, FE_BLANK_SIDE);
    else
        result |= pg_EndPageFB(pdev);
    result |= pg_EndPageED(pdev);
    pdev->job.pageState &= (WORD)~PAGE_STATE_SHEET_OPEN;
    // The blank side is a side of the job: a blank separator leaves its back face due.
    pdev->job.setup.sidesOutput++;
    return result;
}

LONG pg_FollowSourceChange(PDEV *pdev, WORD source, int kind)
{
    if (!can_write(pdev))
        return -1;
    if (jc_IsPdlVersionAtLeast(&pdev->devmode, pdev->printerData, VERSION_MEDIA_CHANGE))
        return pg_EmitMediaChange(pdev);
    if (kind == 2 && jc_IsBackFaceDue(pdev, 2))
        return pg_WriteBlankSide(pdev, source);
    return 0;
}

int jc_IsBackFaceDue(PDEV *pdev, LONG duplex)
{
    return pdev && duplex == 2 && (pdev->job.setup.sidesOutput & 1) != 0;
}

LONG pg_WritePageTransform(PDEV *pdev)
{
    if (!pdev)
        return -1;
    const PageSetupState &setup = pdev->job.setup;
    BOOL placeNow = !(pdev->job.recordWord & RECORD_TRANSFORM_BIT) || setup.page.nupMarker ||
                    (hook_IsActive(pdev) && !setup.snapshot.bookletOn && !setup.snapshot.posterOn);
    Matrix2x3 matrix;
    geo_Identity(&matrix);
    LONG result = placeNow ? geo_PlaceCurrentPage(pdev, &matrix) : 0;
    return result | jc_SetTransform(pdev, &matrix);
}
