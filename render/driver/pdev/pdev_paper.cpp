// The two papers of a PDEV: the page the DEVMODE asks for and the output paper, in units
// of 1/18432 inch, from the model's paper records and the spooler's forms.
#include <string.h>

#include "core/context/driver_context.h"
#include "core/ddd/ddd.h"
#include "core/ddd/ddd_access.h"
#include "render/driver/forms/forms.h"
#include "render/driver/pdev/pdev_private.h"

// Setting FunctionIDs read here.
static const WORD kFieldsSetting = 6;
static const WORD kOrientationSetting = 7;
static const WORD kPaperSizeSetting = 8;
static const WORD kPaperLengthSetting = 9;
static const WORD kPaperWidthSetting = 10;
static const WORD kFormNameSetting = 19;
static const WORD kOutputPaperSetting = 262;
static const WORD kNoMarginsSetting = 383;

static const WORD kPaperRecordType = 10;
// Paper-kind word of a record that has none.
static const WORD kNoPaperKind = 0xFFFF;
// The custom-size paper whose record gives the margins of papers without their own.
static const WORD kCustomPaper = 262;
// The model's alignment unit of the printable area: entry 10, its second 16-bit item.
static const WORD kAlignmentEntry = 10;
static const WORD kAlignmentItem = 1;
static const DWORD kLandscape = 2;
// Characters of a paper record's name kept in a PaperDescription.
static const size_t kRecordNameChars = 32;

LONG pdev_TenthsToUnits(LONG tenths)
{
    return (LONG)((long long)tenths * 100 * PDEV_UNITS_PER_INCH / 25400);
}

LONG pdev_UnitsToPixels(LONG units, DWORD resolution)
{
    return (LONG)((long long)units * (long long)resolution / PDEV_UNITS_PER_INCH);
}

LONG pdev_RoundDiv(LONG a, LONG b, LONG c)
{
    if (c == 0) {
        return 0;
    }
    long long product = (long long)a * b;
    long long quotient = product / c;
    long long remainder = product % c;
    if (remainder * 10 / c >= 5) {
        ++quotient;
    }
    return (LONG)quotient;
}

// FetchPaperRecord: the model's paper record of a paper number, or NULL.
static DddPaper *FetchPaperRecord(PDEV *pdev, WORD number)
{
    void *record = NULL;
    DriverContext *context = pdev->context;
    if (ddd_FetchRecordByKey(DDD_LEVEL_MODEL, context->model, context->base, kPaperRecordType, number, 0, &record) !=
        DDD_OK) {
        return NULL;
    }
    return (DddPaper *)record;
}

// SameName: 1 when two wide strings are equal (NULL equals nothing).
static BOOL SameName(const WCHAR *a, const WCHAR *b)
{
    if (a == NULL || b == NULL) {
        return FALSE;
    }
    while (*a != 0 && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b;
}

// FindPaperByName: the first of the model's paper records (by index from 1) named name,
// or NULL.
static DddPaper *FindPaperByName(PDEV *pdev, const WCHAR *name)
{
    DriverContext *context = pdev->context;
    DddRecordCountRequest countRequest = {context->model, kPaperRecordType};
    WORD count = ddd_GetRecordCount(&countRequest);
    for (WORD index = 1; index <= count; ++index) {
        DddFetchRequest fetch = {DDD_LEVEL_MODEL, context->model, context->base, kPaperRecordType, index, NULL};
        if (ddd_FetchRecordByIndex(&fetch) != DDD_OK || fetch.record == NULL) {
            continue;
        }
        if (SameName(((const DddPaper *)fetch.record)->name, name)) {
            return (DddPaper *)fetch.record;
        }
        ddd_FreeRecord(&fetch.record, DDD_FREE_OWN_TYPE);
    }
    return NULL;
}

// IsFixedSize: 1 when the record's minimum and maximum sizes agree.
static BOOL IsFixedSize(const DddPaper *record)
{
    return record->minSize.width == record->maxSize.width && record->minSize.height == record->maxSize.height;
}

// FromRecord: size and margins of a fixed-size record (margins 0 when noMargins).
static void FromRecord(const DddPaper *record, BOOL noMargins, PaperTenths *tenths)
{
    tenths->width = record->minSize.width;
    tenths->height = record->minSize.height;
    tenths->left = noMargins ? 0 : record->margins[0].width;
    tenths->top = noMargins ? 0 : record->margins[0].height;
    tenths->right = tenths->width - (noMargins ? 0 : record->margins[1].width);
    tenths->bottom = tenths->height - (noMargins ? 0 : record->margins[1].height);
}

// MarginRule: the printable area of a paper of the size in tenths that no fixed-size
// record describes: the custom-size record's margins, widened so that its largest image
// is centred, the left and top margins then grown to the model's alignment unit.
static void MarginRule(PDEV *pdev, PaperTenths *tenths)
{
    LONG w = tenths->width, h = tenths->height;
    LONG left = 0, top = 0, right = 0, bottom = 0;
    DddPaper *custom = FetchPaperRecord(pdev, kCustomPaper);
    if (custom != NULL) {
        left = custom->margins[0].width;
        top = custom->margins[0].height;
        right = custom->margins[1].width;
        bottom = custom->margins[1].height;
        LONG maxWidth = custom->maxImage.width, maxHeight = custom->maxImage.height;
        if (maxWidth + left + right < w) {
            left = (w - maxWidth + 1) / 2;
            right = w - maxWidth - left;
        }
        if (maxHeight + top + bottom < h) {
            top = (h - maxHeight + 1) / 2;
            bottom = h - maxHeight - top;
        }
        ddd_FreeRecord((void **)&custom, DDD_FREE_OWN_TYPE);
    }
    LONG unit = (LONG)ddd_GetEntryNumber(pdev->modelFile, kAlignmentEntry, sizeof(WORD), kAlignmentItem);
    if (unit > 1) {
        left += w % unit;
        top += h % unit;
    }
    tenths->left = left;
    tenths->top = top;
    tenths->right = w - right;
    tenths->bottom = h - bottom;
}

// FromForm: the size of a spooler form (micrometres) with the margin rule.
static void FromForm(PDEV *pdev, const FORM_INFO_1W *form, PaperTenths *tenths)
{
    tenths->width = form->Size.cx / 100;
    tenths->height = form->Size.cy / 100;
    MarginRule(pdev, tenths);
}

// Store: the description in units from tenths, with its name and record.
static void Store(PaperDescription *paper, const PaperTenths *tenths, const WCHAR *name, DddPaper *record)
{
    memset(paper->name, 0, sizeof paper->name);
    if (name != NULL) {
        for (size_t i = 0; i < kRecordNameChars && name[i] != 0; ++i) {
            paper->name[i] = name[i];
        }
    }
    paper->width = pdev_TenthsToUnits(tenths->width);
    paper->height = pdev_TenthsToUnits(tenths->height);
    paper->left = pdev_TenthsToUnits(tenths->left);
    paper->top = pdev_TenthsToUnits(tenths->top);
    paper->right = pdev_TenthsToUnits(tenths->right);
    paper->bottom = pdev_TenthsToUnits(tenths->bottom);
    paper->record = record;
    paper->ownsRecord = record != NULL;
}

// FirstPaper: the page the DEVMODE asks for, by form name, by paper number or by size.
static BOOL FirstPaper(PDEV *pdev, PaperTenths *tenths)
{
    DWORD fields = pdev_GetSetting32(pdev, kFieldsSetting);
    BOOL noMargins = pdev_GetSetting32(pdev, kNoMarginsSetting) == 1;
    if (fields & DM_FORMNAME) {
        const WCHAR *formName = pdev_GetSettingString(pdev, kFormNameSetting);
        FORM_INFO_1W *form = NULL;
        if (formName != NULL && util_GetFormByName(pdev->printer, formName, &form) == FORM_LOOKUP_FOUND) {
            tenths->width = form->Size.cx / 100;
            tenths->height = form->Size.cy / 100;
            GlobalFree(form);
            DddPaper *record = FindPaperByName(pdev, formName);
            if (record != NULL && IsFixedSize(record)) {
                tenths->left = record->margins[0].width;
                tenths->top = record->margins[0].height;
                tenths->right = tenths->width - record->margins[1].width;
                tenths->bottom = tenths->height - record->margins[1].height;
            } else {
                MarginRule(pdev, tenths);
            }
            Store(&pdev->paper[0], tenths, formName, record);
            return TRUE;
        }
    }
    if (fields & (DM_PAPERLENGTH | DM_PAPERWIDTH)) {
        memset(tenths, 0, sizeof *tenths);
        tenths->width = (LONG)pdev_GetSetting32(pdev, kPaperWidthSetting);
        tenths->height = (LONG)pdev_GetSetting32(pdev, kPaperLengthSetting);
        if (tenths->width <= 0 || tenths->height <= 0) {
            return FALSE;
        }
        MarginRule(pdev, tenths);
        Store(&pdev->paper[0], tenths, NULL, NULL);
        return TRUE;
    }
    WORD number = pdev_GetSetting16(pdev, kPaperSizeSetting);
    DddPaper *record = FetchPaperRecord(pdev, number);
    if (record != NULL && IsFixedSize(record)) {
        FromRecord(record, noMargins, tenths);
        Store(&pdev->paper[0], tenths, record->name, record);
        return TRUE;
    }
    if (record != NULL) {
        ddd_FreeRecord((void **)&record, DDD_FREE_OWN_TYPE);
    }
    FORM_INFO_1W *form = NULL;
    if (util_GetFormByIndex(pdev->printer, number, &form) != FORM_LOOKUP_FOUND) {
        return FALSE;
    }
    FromForm(pdev, form, tenths);
    GlobalFree(form);
    Store(&pdev->paper[0], tenths, NULL, NULL);
    return TRUE;
}

// SecondPaper: the output paper of setting 262 when the model has it as a fixed-size
// record, else a copy of the first paper (its record stays owned by the first).
static void SecondPaper(PDEV *pdev)
{
    WORD number = pdev_GetSetting16(pdev, kOutputPaperSetting);
    if (number != PDEV_NO_OUTPUT_PAPER) {
        DddPaper *record = FetchPaperRecord(pdev, number);
        if (record != NULL && IsFixedSize(record)) {
            PaperTenths tenths;
            FromRecord(record, pdev_GetSetting32(pdev, kNoMarginsSetting) == 1, &tenths);
            Store(&pdev->paper[1], &tenths, record->name, record);
            return;
        }
        if (record != NULL) {
            ddd_FreeRecord((void **)&record, DDD_FREE_OWN_TYPE);
        }
    }
    // A record of the first paper's name that holds its size describes the output paper.
    pdev->paper[1] = pdev->paper[0];
    pdev->paper[1].ownsRecord = 0;
    DddPaper *match = FindPaperByName(pdev, pdev->paper[0].name);
    if (match == NULL) {
        return;
    }
    const PaperDescription *first = &pdev->paper[0];
    BOOL holds = pdev_TenthsToUnits(match->minSize.width) <= first->width &&
                 first->width <= pdev_TenthsToUnits(match->maxSize.width) &&
                 pdev_TenthsToUnits(match->minSize.height) <= first->height &&
                 first->height <= pdev_TenthsToUnits(match->maxSize.height);
    if (match->word1 != kNoPaperKind && (IsFixedSize(match) || holds)) {
        pdev->paper[1].record = match;
        pdev->paper[1].ownsRecord = 1;
    } else {
        ddd_FreeRecord((void **)&match, DDD_FREE_OWN_TYPE);
    }
}

// TurnLandscape: turns the first paper (and its tenths) for landscape.
static void TurnLandscape(PaperDescription *paper, PaperTenths *tenths)
{
    PaperDescription turned = *paper;
    turned.left = paper->top;
    turned.top = paper->width - paper->right;
    turned.right = paper->bottom;
    turned.bottom = paper->width - paper->left;
    turned.width = paper->height;
    turned.height = paper->width;
    turned.rotated = 1;
    *paper = turned;
    PaperTenths t = *tenths;
    tenths->left = t.top;
    tenths->top = t.width - t.right;
    tenths->right = t.bottom;
    tenths->bottom = t.width - t.left;
    tenths->width = t.height;
    tenths->height = t.width;
}

BOOL pdev_BuildPapers(PDEV *pdev, PaperTenths *tenths)
{
    if (!FirstPaper(pdev, tenths)) {
        return FALSE;
    }
    SecondPaper(pdev);
    if ((pdev_GetSetting32(pdev, kFieldsSetting) & DM_ORIENTATION) &&
        pdev_GetSetting32(pdev, kOrientationSetting) == kLandscape) {
        TurnLandscape(&pdev->paper[0], tenths);
    }
    return TRUE;
}

void pdev_FreePapers(PDEV *pdev)
{
    for (PaperDescription &paper : pdev->paper) {
        if (paper.ownsRecord && paper.record != NULL) {
            ddd_FreeRecord(&paper.record, DDD_FREE_OWN_TYPE);
        }
        paper.record = NULL;
        paper.ownsRecord = 0;
    }
}
