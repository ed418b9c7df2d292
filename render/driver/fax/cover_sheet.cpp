/*
 * The cover sheet: a page of its own in front of a destination's document pages, at 600 x
 * 600 dpi on the geometry of paper record 9, carrying the document name or the model's
 * prepared cover file, and the text block of the destination, the cover texts and the
 * sender. The job's page geometry record and resolution are put back whatever happens.
 */
#include "render/driver/fax/fax.h"

#include <string.h>

#include "core/ddd/ddd_access.h"
#include "core/util/resource_module.h"
#include "render/driver/header/job_header.h"
#include "render/driver/header/string_util.h"
#include "render/driver/page/page_setup.h"
#include "render/pdl/cover/cover_block.h"
#include "render/pdl/fonts/fonts.h"
#include "render/pdl/writer/pdl_writer.h"

/* The cover page's resolution. */
static const LONG kCoverResolution = 600;
/* Paper source of the cover page. */
static const WORD kCoverSource = 7;
/* Colour word of the cover page. */
static const WORD kCoverColorResult = 1;
/* Colour kind of the cover page. */
static const WORD kCoverColorKind = 2;
/* Description entries: the cover fonts of font styles 1 and 2, the prepared cover file. */
static const WORD kCoverFontEntry = 27;
static const WORD kPreparedFileEntry = 28;

/* The destination's texts, terminated whatever the list held. */
typedef struct DestinationTexts {
    WCHAR number[129];
    WCHAR name[41];
    WCHAR second[83];
} DestinationTexts;

/* sheet_CopyField: a fixed field that may lack its terminator into a buffer of one more. */
static void sheet_CopyField(WCHAR *to, const WCHAR *from, size_t chars)
{
    size_t n = 0;
    while (n + 1 < chars && from[n] != 0) {
        to[n] = from[n];
        ++n;
    }
    to[n] = 0;
}

/* sheet_WriteRaw: a built piece into the stream as it is. */
static LONG sheet_WriteRaw(PDEV *pdev, const BYTE *bytes, DWORD length)
{
    return pdl_WriteRawData(pdev->job.writer, bytes, length) < 0 ? -1 : 0;
}

/* sheet_BuildFont: the font information block of the cover font of a style (index 0 or 1
 * of entry 27) on the PDEV heap; NULL when the model names none or it cannot be built. */
static FontInfoBlock *sheet_BuildFont(PDEV *pdev, WORD index)
{
    DWORD number = ddd_GetEntryNumber(pdev->modelFile, kCoverFontEntry, sizeof(WORD), index);
    if (number == 0) {
        return NULL;
    }
    DddFetchRequest request = {DDD_LEVEL_MODEL, pdev->modelFile, pdev->baseFile, FONT_RECORD_TYPE, (WORD)number, NULL};
    if (ddd_FetchRecordByIndex(&request) != DDD_OK || request.record == NULL) {
        return NULL;
    }
    const DddNamedData *record = (const DddNamedData *)request.record;
    FontInfoBlock *block = fnt_BuildFontInfoBlock(pdev->heap, record->data, record->dataLength);
    ddd_FreeRecord(&request.record, DDD_FREE_OWN_TYPE);
    return block;
}

/* sheet_FreeFonts: frees the blocks of sheet_BuildFont. */
static void sheet_FreeFonts(PDEV *pdev, CoverJob *job)
{
    for (int i = 0; i < 2; ++i) {
        if (job->fonts[i] != NULL) {
            HeapFree(pdev->heap, 0, (void *)job->fonts[i]);
            job->fonts[i] = NULL;
        }
    }
}

/* sheet_FillJob: what the cover pieces read of the job. The document's name is the job's
 * own (the name it was started with). */
static void sheet_FillJob(PDEV *pdev, CoverJob *job)
{
    memset(job, 0, sizeof *job);
    job->resources = util_GetResourceModuleHandle();
    job->resolutionX = pdev->job.setup.resolutionX > 0 ? pdev->job.setup.resolutionX : kCoverResolution;
    job->resolutionY = pdev->job.setup.resolutionY > 0 ? pdev->job.setup.resolutionY : kCoverResolution;
    job->documentPath = pdev->job.documentName;
}

LONG fax_WriteCoverDocName(PDEV *pdev)
{
    if (pdev == NULL || pdev->job.writer == NULL) {
        return -1;
    }
    CoverJob job;
    sheet_FillJob(pdev, &job);
    LONG size = pdl_MeasureDocNameText(&job);
    if (size <= 0) {
        return size == 0 ? 0 : -1;
    }
    BYTE *buffer = (BYTE *)GlobalAlloc(GPTR, (SIZE_T)size);
    if (buffer == NULL) {
        return -1;
    }
    LONG written = pdl_WriteDocNameText(&job, buffer, (DWORD)size);
    LONG result = written == size ? sheet_WriteRaw(pdev, buffer, (DWORD)written) : -1;
    GlobalFree(buffer);
    return result;
}

LONG fax_CopyPreparedFile(PDEV *pdev)
{
    if (pdev == NULL || pdev->job.writer == NULL || pdev->modelFile == NULL) {
        return -1;
    }
    CoverJob job;
    sheet_FillJob(pdev, &job);
    LPWSTR directory = util_GetDriverDirectory(pdev->printer);
    WCHAR *name = ddd_GetEntryString(pdev->modelFile, kPreparedFileEntry, 0);
    job.driverDirectory = directory;
    job.preparedFileName = name;
    HANDLE file = directory != NULL && name != NULL ? pdl_OpenPreparedFile(&job) : INVALID_HANDLE_VALUE;
    BYTE *buffer = file != INVALID_HANDLE_VALUE ? (BYTE *)GlobalAlloc(GMEM_FIXED, COVER_PREPARED_CHUNK) : NULL;
    LONG result = buffer != NULL ? 0 : -1;
    if (buffer == NULL && file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
    }
    // The reader closes the file when it answers 0 (the end) or -1.
    while (buffer != NULL) {
        LONG read = pdl_ReadPreparedFile(file, COVER_PREPARED_CHUNK, buffer);
        if (read <= 0) {
            result = read;
            break;
        }
        if (sheet_WriteRaw(pdev, buffer, (DWORD)read) != 0) {
            result = -1;
            CloseHandle(file);
            break;
        }
    }
    if (buffer != NULL) {
        GlobalFree(buffer);
    }
    if (directory != NULL) {
        GlobalFree(directory);
    }
    if (name != NULL) {
        GlobalFree(name);
    }
    return result;
}

/* sheet_FillTexts: the cover texts from the destination record, the text record and the
 * sender record. */
static void sheet_FillTexts(const FaxCoverDestination *record, const DestinationTexts *destination,
                            const FaxCoverText *text, const FaxCoverSender *sender, CoverTexts *texts)
{
    memset(texts, 0, sizeof *texts);
    texts->senderFirstWord = text->layoutSwitch;
    texts->oneRecipient = text->oneJobForAll;
    texts->firstChoice = text->firstChoice;
    texts->secondChoice = text->secondChoice;
    texts->prefixWord = text->prefixWord;
    texts->senderName = text->title;
    texts->oneRecipientName = text->recipients;
    texts->recipientName = destination->name;
    texts->recipientFirst = destination->number;
    texts->recipientSecond = destination->second;
    texts->recipientNamed = destination->number;
    texts->senderTexts[0] = text->senderName;
    texts->senderTexts[1] = text->senderAddress;
    texts->senderTexts[2] = text->senderPhone;
    texts->senderTexts[3] = text->senderFax;
    texts->subject = record->headText1;
    texts->comment = record->headText2;
    texts->prefixes[0] = sender->prefix1;
    texts->prefixes[1] = sender->prefix2;
}

LONG fax_WriteCoverText(PDEV *pdev, const FaxCoverDestination *record)
{
    if (pdev == NULL || record == NULL || pdev->job.writer == NULL || pdev->modelFile == NULL) {
        return -1;
    }
    FaxCoverText text;
    FaxCoverSender sender;
    LONG result = fax_ReadCoverText(pdev, &text);
    result |= fax_ReadCoverSender(pdev, &sender);
    if (result != 0) {
        return -1;
    }
    DestinationTexts destination;
    const FaxDestination *entry = &record->destination;
    sheet_CopyField(destination.number, entry->number, sizeof destination.number / sizeof(WCHAR));
    sheet_CopyField(destination.name, entry->text1797, sizeof destination.name / sizeof(WCHAR));
    sheet_CopyField(destination.second, entry->text1798, sizeof destination.second / sizeof(WCHAR));
    CoverTexts texts;
    sheet_FillTexts(record, &destination, &text, &sender, &texts);
    CoverJob job;
    sheet_FillJob(pdev, &job);
    job.fonts[0] = sheet_BuildFont(pdev, 0);
    job.fonts[1] = sheet_BuildFont(pdev, 1);
    LONG size = pdl_MeasureTextBlock(&job, &texts);
    BYTE *buffer = size > 0 ? (BYTE *)GlobalAlloc(GPTR, (SIZE_T)size) : NULL;
    result = -1;
    if (buffer != NULL) {
        LONG written = pdl_WriteTextBlock(&job, &texts, buffer, (DWORD)size);
        result = written == size ? sheet_WriteRaw(pdev, buffer, (DWORD)written) : -1;
        GlobalFree(buffer);
    }
    sheet_FreeFonts(pdev, &job);
    return result;
}

/* sheet_PageSizeValues: the paper code and size the cover page is written with: the cover
 * geometry for a cover-only job and for cover kind 2 (as a custom size with its extents),
 * else the job's output paper (for one spool job per destination the paper kept when
 * the job's output began). */
static LONG sheet_PageSizeValues(PDEV *pdev, const PaperRecord *cover, BYTE *code, float size[2])
{
    const JobState *job = &pdev->job;
    const FaxJobFlags *fax = &job->control.fax;
    if (fax->coverOnly || fax->coverKind == FAX_COVER_DOC_NAME) {
        *code = PAPER_CODE_CUSTOM;
        size[0] = 0.1f * (float)cover->width;
        size[1] = 0.1f * (float)cover->length;
        return 0;
    }
    const PaperRecord *paper = job->faxPerDestination ? &fax->outputPaper : &job->setup.page.output;
    return pg_GetPaperCodeAndSize(pdev, paper, code, size);
}

/* sheet_BeginCoverPage: the sheet and logical page of the cover at the cover resolution. */
static LONG sheet_BeginCoverPage(PDEV *pdev, const PaperRecord *cover)
{
    PageSetupState *setup = &pdev->job.setup;
    pdev->job.pageState |= PAGE_STATE_SHEET_OPEN;
    setup->colorKind = kCoverColorKind;
    pdev->job.colorResult = kCoverColorResult;
    BYTE color = 0, tray = 0, code = 0;
    float size[2] = {0, 0};
    LONG result = pg_GetSheetColorCode(pdev, &color);
    result |= pg_GetTrayCode(pdev, kCoverSource, &tray);
    result |= sheet_PageSizeValues(pdev, cover, &code, size);
    setup->resolutionX = setup->resolutionY = kCoverResolution;
    result |= pg_WritePageSize(pdev, color, tray, code, size, setup->pageSizeType);
    result |= pg_WriteFFAndAI(pdev);
    pdev->job.pageState |= PAGE_STATE_PAGE_OPEN;
    result |= jc_TracePageEvent(pdev, TRACE_START_PAGE);
    return result;
}

/* sheet_EndCoverPage: the logical page and sheet of the cover ended. */
static LONG sheet_EndCoverPage(PDEV *pdev)
{
    LONG result = jc_TracePageEvent(pdev, TRACE_END_LOGICAL);
    pdev->job.pageState &= (WORD) ~(PAGE_STATE_PAGE_OPEN | PAGE_STATE_REREAD);
    result |= pg_EndPageFB(pdev);
    result |= pg_EndPageED(pdev);
    result |= jc_TracePageEvent(pdev, TRACE_END_PHYSICAL);
    pdev->job.pageState &= (WORD)~PAGE_STATE_SHEET_OPEN;
    return result;
}

LONG fax_WriteCoverSheet(PDEV *pdev, const FaxCoverDestination *record)
{
    if (pdev == NULL || record == NULL || pdev->job.writer == NULL) {
        return -1;
    }
    PageSetupState *setup = &pdev->job.setup;
    PaperRecord paper;
    if (fax_GetCoverGeometry(pdev, &paper, NULL, NULL) != 0) {
        return -1;
    }
    const PageBlock jobBlock = setup->page;
    const LONG resolutionX = setup->resolutionX, resolutionY = setup->resolutionY;
    PageBlock cover = jobBlock;
    cover.page = paper;
    cover.output = paper;
    cover.turned = 0;
    const DWORD kind = pdev->job.control.fax.coverKind;

    LONG result = sheet_BeginCoverPage(pdev, &paper);
    if (result == 0 && kind == FAX_COVER_DOC_NAME) {
        result |= fax_WriteCoverDocName(pdev);
    }
    if (result == 0) {
        setup->page = cover;
        result |= pg_WritePageTransform(pdev);
        if (kind == FAX_COVER_PREPARED) {
            result |= fax_CopyPreparedFile(pdev);
        }
        setup->resolutionX = resolutionX;
        setup->resolutionY = resolutionY;
        result |= pg_WritePageTransform(pdev);
    }
    if (result == 0) {
        result |= fax_WriteCoverText(pdev, record);
    }
    if (result == 0) {
        result |= sheet_EndCoverPage(pdev);
    }
    setup->page = jobBlock;
    setup->resolutionX = resolutionX;
    setup->resolutionY = resolutionY;
    return result == 0 ? 0 : -1;
}
