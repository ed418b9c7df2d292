/*
 * The two papers of a PDEV: the page the DEVMODE asks for and the output paper, in units
 * of 1/18432 inch, from the model's paper records and the spooler's forms.
 */
#include <string.h>

#include "core/context/driver_context.h"
#include "core/ddd/ddd.h"
#include "core/settings/function_ids.h"
#include "render/driver/binding/pdev_settings.h"
#include "render/driver/forms/forms.h"
#include "render/driver/forms/pdev_paper.h"

// Paper-kind word of a record that has none.
static const WORD kNoPaperKind = 0xFFFF;
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

// Store: the description in units from tenths, with its name and the record it owns.
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

// PrintableArea: the printable area of a paper of tenths' size: a fixed-size record's
// margins, else the margin rule.
static void PrintableArea(PDEV *pdev, const DddPaper *record, const PaperQuery *query, PaperTenths *tenths)
{
    if (record != NULL && pdev_IsFixedSize(record)) {
        pdev_RecordMargins(record, FALSE, tenths);
    } else {
        pdev_MarginRule(pdev, query, tenths);
    }
}

// PaperByFormName: the spooler form of the DEVMODE's form name with the paper record of
// that name. Returns 1, or 0 when there is no such form.
static BOOL PaperByFormName(PDEV *pdev, PaperTenths *tenths)
{
    const WCHAR *formName = pdev_GetSettingString(pdev, FID_FORM_NAME);
    FORM_INFO_1W *form = NULL;
    if (formName == NULL || util_GetFormByName(pdev->printer, formName, &form) != FORM_LOOKUP_FOUND) {
        return FALSE;
    }
    tenths->width = form->Size.cx / PDEV_SPOOLER_UNITS_PER_TENTH;
    tenths->height = form->Size.cy / PDEV_SPOOLER_UNITS_PER_TENTH;
    GlobalFree(form);
    DddPaper *record = pdev_FindPaper(pdev, pdev_IsNamed, formName);
    PaperQuery query = {0, formName};
    PrintableArea(pdev, record, &query, tenths);
    Store(&pdev->paper[0], tenths, formName, record);
    return TRUE;
}

// PaperBySize: the DEVMODE's own length and width, with the margins of a standard paper
// of about that size.
static BOOL PaperBySize(PDEV *pdev, PaperTenths *tenths)
{
    memset(tenths, 0, sizeof *tenths);
    tenths->width = (LONG)pdev_GetSetting32(pdev, FID_PAPER_WIDTH);
    tenths->height = (LONG)pdev_GetSetting32(pdev, FID_PAPER_LENGTH);
    if (tenths->width <= 0 || tenths->height <= 0) {
        return FALSE;
    }
    DddPaper *record = pdev_FindPaper(pdev, pdev_IsNearStandardPaper, tenths);
    PaperQuery query = {0, NULL};
    PrintableArea(pdev, record, &query, tenths);
    Store(&pdev->paper[0], tenths, record != NULL ? record->name : NULL, record);
    return TRUE;
}

// PaperByNumber: the paper number of setting 8 (the model's default without
// DM_PAPERSIZE): its fixed-size record, else the spooler form of that number.
static BOOL PaperByNumber(PDEV *pdev, DWORD fields, PaperTenths *tenths)
{
    WORD number = (fields & DM_PAPERSIZE) ? pdev_GetSetting16(pdev, FID_PAPER_SIZE) : pdev_DefaultPaperNumber(pdev);
    DddPaper *record = pdev_FetchPaper(pdev, number);
    if (record != NULL && pdev_IsFixedSize(record)) {
        pdev_FromRecord(record, pdev_GetSetting32(pdev, FID_NO_MARGINS) == 1, tenths);
        Store(&pdev->paper[0], tenths, record->name, record);
        return TRUE;
    }
    pdev_FreePaper(&record);
    FORM_INFO_1W *form = NULL;
    if (util_GetFormByIndex(pdev->printer, number, &form) != FORM_LOOKUP_FOUND) {
        return FALSE;
    }
    tenths->width = form->Size.cx / PDEV_SPOOLER_UNITS_PER_TENTH;
    tenths->height = form->Size.cy / PDEV_SPOOLER_UNITS_PER_TENTH;
    GlobalFree(form);
    PaperQuery query = {number, NULL};
    pdev_MarginRule(pdev, &query, tenths);
    Store(&pdev->paper[0], tenths, NULL, NULL);
    return TRUE;
}

// FirstPaper: the page the DEVMODE asks for, by form name, by size or by paper number.
static BOOL FirstPaper(PDEV *pdev, PaperTenths *tenths)
{
    DWORD fields = pdev_GetSetting32(pdev, FID_FIELDS);
    if ((fields & DM_FORMNAME) && PaperByFormName(pdev, tenths)) {
        return TRUE;
    }
    if (fields & (DM_PAPERLENGTH | DM_PAPERWIDTH)) {
        return PaperBySize(pdev, tenths);
    }
    return PaperByNumber(pdev, fields, tenths);
}

// CopyFirst: the output paper as a copy of the first, with record (owned) or the first's
// record (not owned) when record is NULL.
static void CopyFirst(PDEV *pdev, DddPaper *record)
{
    pdev->paper[1] = pdev->paper[0];
    pdev->paper[1].ownsRecord = 0;
    if (record != NULL) {
        pdev->paper[1].record = record;
        pdev->paper[1].ownsRecord = 1;
    }
}

// OutputPaperOfNumber: the output paper of setting 262 from its record: a spooler form of
// the record's name gives the size, else a fixed-size record gives it. Returns 1 when
// done.
static BOOL OutputPaperOfNumber(PDEV *pdev)
{
    WORD number = pdev_GetSetting16(pdev, FID_OUTPUT_PAPER);
    if (number == PDEV_NO_OUTPUT_PAPER) {
        return FALSE;
    }
    DddPaper *record = pdev_FetchPaper(pdev, number);
    if (record == NULL) {
        return FALSE;
    }
    BOOL noMargins = pdev_GetSetting32(pdev, FID_NO_MARGINS) == 1;
    PaperTenths tenths = {};
    FORM_INFO_1W *form = NULL;
    if (record->name != NULL && util_GetFormByName(pdev->printer, record->name, &form) == FORM_LOOKUP_FOUND) {
        tenths.width = form->Size.cx / PDEV_SPOOLER_UNITS_PER_TENTH;
        tenths.height = form->Size.cy / PDEV_SPOOLER_UNITS_PER_TENTH;
        GlobalFree(form);
        pdev_RecordMargins(record, noMargins, &tenths);
    } else if (pdev_IsFixedSize(record)) {
        pdev_FromRecord(record, noMargins, &tenths);
    } else {
        pdev_FreePaper(&record);
        return FALSE;
    }
    Store(&pdev->paper[1], &tenths, record->name, record);
    return TRUE;
}

// FromDefaultPaper: the output paper from the model's default paper record, marked as the
// default paper: only attached to a copy of the first paper when its range holds the
// first's size, else filled from it. Returns 0 when the model has no such record.
static BOOL FromDefaultPaper(PDEV *pdev, const PaperTenths *first)
{
    DddPaper *record = pdev_FetchPaper(pdev, pdev_DefaultPaperNumber(pdev));
    if (record == NULL) {
        return FALSE;
    }
    if (pdev_RangeHolds(record, first)) {
        CopyFirst(pdev, record);
    } else {
        PaperTenths tenths = {};
        pdev_FromRecord(record, FALSE, &tenths);
        Store(&pdev->paper[1], &tenths, record->name, record);
    }
    pdev->paper[1].defaultPaper = 1;
    return TRUE;
}

// HasCustomPaper: 1 when the model has the custom-size paper record.
static BOOL HasCustomPaper(PDEV *pdev)
{
    DddPaper *custom = pdev_FetchPaper(pdev, PDEV_CUSTOM_PAPER);
    BOOL has = custom != NULL;
    pdev_FreePaper(&custom);
    return has;
}

// SecondPaper: the output paper: the paper of setting 262, else the record of the first
// paper's name, else a copy of the first paper or the model's default paper. first: the
// first paper in tenths, not turned.
static void SecondPaper(PDEV *pdev, const PaperTenths *first)
{
    if (OutputPaperOfNumber(pdev)) {
        return;
    }
    DddPaper *match = pdev_FindPaper(pdev, pdev_IsNamed, pdev->paper[0].name);
    if (match != NULL) {
        WORD kind = kNoPaperKind;
        ddd_GetPaperKindWord(match, &kind);
        if (kind == kNoPaperKind) {
            pdev_FreePaper(&match);
            if (FromDefaultPaper(pdev, first)) {
                return;
            }
        } else if (pdev_IsFixedSize(match) || pdev_RangeHolds(match, first)) {
            CopyFirst(pdev, match);
            return;
        }
        pdev_FreePaper(&match);
    }
    BOOL ownSize =
        pdev_GetSetting16(pdev, FID_PAPER_SIZE) == PDEV_USER_DEFINED_PAPER || pdev->trailer.devicePaperList != 0;
    if ((ownSize && HasCustomPaper(pdev)) || !FromDefaultPaper(pdev, first)) {
        CopyFirst(pdev, NULL);
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
    SecondPaper(pdev, tenths);
    if ((pdev_GetSetting32(pdev, FID_FIELDS) & DM_ORIENTATION) &&
        pdev_GetSetting32(pdev, FID_ORIENTATION) == kLandscape) {
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
