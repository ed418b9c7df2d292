/*
 * The page's two paper records, read from the PDEV's paper descriptions (1/18432 inch)
 * into 0.1 mm, and the paper source of each sheet.
 */
#include "render/driver/page/page_setup.h"

#include "core/settings/function_ids.h"
#include "render/driver/forms/forms.h"
#include "render/driver/page/page_private.h"
#include "render/driver/page/record_access.h"

// Paper number of a user-defined size: it keeps its borders and margins.
#define PAPER_USER_DEFINED 256
#define PAPER_KIND_NONE 0xFFFF

// Paper-extras kinds: a size range; no size allowed.
#define EXTRAS_RANGE 2
#define EXTRAS_NONE 0

// Capability mask of the paper-source choice.
#define CAP_MASK_SOURCE_CHOICE 0x10UL

// Sources of the tray settings that defer to another setting.
#define SOURCE_BY_SETTING_265 15
#define SOURCE_BY_SETTING_13 258

static WORD to_tenth_mm(LONG value)
{
    return (WORD)geo_Dots18432ToTenthMm((DWORD)value);
}

// Size, printable size and centred offsets of a paper description; exchanged when asked.
static void fill_sizes(PaperRecord *paper, const PaperDescription *d, BOOL exchange)
{
    WORD width = to_tenth_mm(d->width), length = to_tenth_mm(d->height);
    WORD printableWidth = to_tenth_mm(d->right - d->left), printableLength = to_tenth_mm(d->bottom - d->top);
    paper->width = exchange ? length : width;
    paper->length = exchange ? width : length;
    paper->printableWidth = exchange ? printableLength : printableWidth;
    paper->printableLength = exchange ? printableWidth : printableLength;
    paper->offsetX = (WORD)(((LONG)paper->width - paper->printableWidth + 1) / 2);
    paper->offsetY = (WORD)(((LONG)paper->length - paper->printableLength + 1) / 2);
    paper->unused1[0] = 0;
    paper->unused1[1] = 0;
}

// No unprintable border: the whole paper is printable.
static void remove_border(PaperRecord *paper)
{
    paper->offsetX = 0;
    paper->offsetY = 0;
    paper->printableWidth = paper->width;
    paper->printableLength = paper->length;
}

static void set_margins(PaperRecord *paper, LONG left, LONG right, LONG top, LONG bottom)
{
    paper->marginLeft = (WORD)left;
    paper->marginRight = (WORD)right;
    paper->marginTop = (WORD)top;
    paper->marginBottom = (WORD)bottom;
}

LONG geo_ReadPagePaper(PDEV *pdev, DriverDevmode *devmode, PaperRecord *paper, LONG *turned, LONG *noPaperKind)
{
    if (!pdev || !devmode || !paper || !turned || !noPaperKind)
        return -1;
    const PaperDescription *d = &pdev->paper[0];
    const PageSetupSnapshot &snapshot = pdev->job.setup.snapshot;
    LONG code = 0;
    page_ReadSetting(devmode, pdev->printerData, FID_PAPER_SIZE, &code);
    paper->paperCode = (WORD)code;
    fill_sizes(paper, d, d->rotated != 0);
    *turned = d->rotated != 0;
    paper->fits = 1;
    WORD kind = 0;
    *noPaperKind = d->record && ddd_GetPaperKindWord(d->record, &kind) == DDD_OK && kind == PAPER_KIND_NONE;

    LONG orientation = 0;
    page_ReadSetting(devmode, pdev->printerData, FID_ORIENTATION, &orientation);
    if (orientation != 1 && orientation != 2)
        return -1;
    *turned = orientation == 2;

    BOOL userSize = paper->paperCode == PAPER_USER_DEFINED;
    if (!userSize && snapshot.setting383)
        remove_border(paper);
    LONG left = paper->offsetX, top = paper->offsetY;
    LONG right = (LONG)paper->width - paper->printableWidth - paper->offsetX;
    LONG bottom = (LONG)paper->length - paper->printableLength - paper->offsetY;
    set_margins(paper, left, right, top, bottom);
    if (!userSize && snapshot.setting387) {
        const WORD *m = pdev->job.setup.escapeMargins;
        if ((LONG)m[0] + m[1] < paper->width && (LONG)m[2] + m[3] < paper->length)
            set_margins(paper, m[0], m[1], m[2], m[3]);
    }
    return 0;
}

// Whether the output paper's size lies within what its description record allows; keeps
// the flag when the record carries no extras.
static void check_fits(PaperRecord *paper, const void *record)
{
    BYTE kind = 0;
    const DddSize *minimum = NULL, *maximum = NULL;
    if (!record || ddd_GetPaperExtras(record, &kind, &minimum, &maximum) != DDD_OK)
        return;
    if (kind == EXTRAS_RANGE)
        paper->fits = minimum->width <= paper->width && paper->width <= maximum->width &&
                      minimum->height <= paper->length && paper->length <= maximum->height;
    else
        paper->fits = kind != EXTRAS_NONE;
}

LONG geo_ReadOutputPaper(PDEV *pdev, DriverDevmode *devmode, PaperRecord *paper)
{
    if (!pdev || !devmode || !paper)
        return -1;
    const PaperDescription *d = &pdev->paper[1];
    LONG code = 0;
    BOOL read = page_ReadSetting(devmode, pdev->printerData, FID_OUTPUT_PAPER, &code);
    paper->paperCode = (WORD)code;
    fill_sizes(paper, d, FALSE);
    check_fits(paper, d->record);
    if (pdev->job.setup.snapshot.setting383)
        remove_border(paper);
    set_margins(paper, paper->offsetX, paper->offsetX, paper->offsetY, paper->offsetY);
    return read ? 0 : -1;
}

LONG pg_ReadPaperRecords(PDEV *pdev, DriverDevmode *devmode, BOOL reread)
{
    if (!pdev || !devmode)
        return -1;
    PageSetupState &setup = pdev->job.setup;
    LONG result = geo_ReadPagePaper(pdev, devmode, &setup.page.page, &setup.page.turned, &setup.noPaperKind);
    if (!reread || (setup.noPaperKind && setup.snapshot.paper267))
        result |= geo_ReadOutputPaper(pdev, devmode, &setup.page.output);
    return result;
}

// The paper-source test of a sheet from the output source: it refuses a paper whose size
// the output paper's description does not allow.
static BOOL output_source_accepts(const PaperRecord *output)
{
    return output->fits != 0;
}

LONG jc_SelectPaperSource(PDEV *pdev, DriverDevmode *devmode, WORD *source)
{
    if (!pdev || !devmode || !source)
        return -1;
    PageSetupState &setup = pdev->job.setup;
    PageSetupSnapshot &snapshot = setup.snapshot;
    PrinterDataBlock *block = pdev->printerData;
    BOOL choice = pdev->modelFile && ddd_HasCapability(pdev->modelFile, CAP_MASK_SOURCE_CHOICE);
    LONG v = 0, s = 0;
    page_ReadSetting(devmode, block, FID_SOURCE_CHOICE, &v);
    if (choice && v != 2) {
        page_ReadSetting(devmode, block, FID_DEFAULT_SOURCE, &s);
        if (s == SOURCE_BY_SETTING_265)
            page_ReadSetting(devmode, block, FID_PAPER_SOURCE, &s);
        else if (snapshot.outputMode == 1)
            snapshot.outputMode = 0;
    } else {
        page_ReadSetting(devmode, block, FID_PAPER_SOURCE, &s);
        if (s == SOURCE_BY_SETTING_13) {
            page_ReadSetting(devmode, block, FID_DEFAULT_SOURCE, &s);
            if (snapshot.outputMode == 1)
                snapshot.outputMode = 0;
        }
    }

    if (setup.sidesOutput == 0) {
        snapshot.firstSource = (WORD)s;
        if (snapshot.outputMode == 1 && !output_source_accepts(&setup.page.output))
            snapshot.coverFlag = 1;
    }

    if (snapshot.bookletOn) {
        s = snapshot.firstSource;
    } else {
        if (setup.page.pagesPerSheet > 1)
            s = snapshot.firstSource;
        if (snapshot.outputMode == 1) {
            BOOL takesOutput = snapshot.duplex == 1
                                   ? setup.sidesOutput == 0
                                   : setup.sheetSide == 0 || (setup.sheetSide == 1 && !snapshot.coverFlag);
            if (takesOutput)
                s = snapshot.outputSource;
            else
                snapshot.outputMode = 0;
        }
    }
    *source = (WORD)s;
    return 0;
}
