/*
 * Paper sizes for the size checks of constraint records: custom slots, size ranges,
 * paper dimensions and usable sizes, and the two forms of the additional size check.
 * A size check that has nothing to test (no range record, no paper record, a paper the
 * form does not test) passes: the conflict is cleared.
 */
#include "core/constraints/cst_private.h"

#include "core/ddd/ddd_access.h"
#include "core/settings/function_ids.h"

/* Paper numbers of the size checks. */
#define PAPER_USER 256
#define PAPER_SAME_AS_SIZE 267     /* output paper: the paper size setting 8 */
#define SOURCE_SAME_AS_DEFAULT 258 /* paper source: setting 13 (unless model flag 0x10) */
#define MODEL_FLAG_OWN_SOURCE 0x10
#define SIZE_RECORD 17

/* What the general form tests, by check kind. */
typedef enum SizePaper {
    SIZE_PAPER_OUTPUT,
    SIZE_PAPER_410,
    SIZE_PAPER_411,
} SizePaper;

typedef enum SizeKey {
    SIZE_KEY_FIXED,
    SIZE_KEY_SOURCE,
    SIZE_KEY_SETTING,
} SizeKey;

typedef enum SizeWhen {
    SIZE_ALWAYS,
    SIZE_WHEN_CHANGE_411,
    SIZE_WHEN_332_SET,
} SizeWhen;

typedef struct SizeCheckRow {
    WORD kind;
    SizePaper paper;
    WORD rangeType;
    SizeKey keyFrom;
    WORD key; /* the fixed key, or the setting holding it */
    SizeWhen when;
    WORD depends[4]; /* settings added to list 3, 0-ended */
    WORD mask;       /* changedMask bits of those settings */
} SizeCheckRow;

static const SizeCheckRow s_sizeChecks[] = {
    {1,
     SIZE_PAPER_OUTPUT,
     5,
     SIZE_KEY_SOURCE,
     0,
     SIZE_ALWAYS,
     {262, 8, 265, 13},
     CST_CHANGED_262 | CST_CHANGED_8 | CST_CHANGED_265 | CST_CHANGED_13},
    {2,
     SIZE_PAPER_OUTPUT,
     5,
     SIZE_KEY_SETTING,
     389,
     SIZE_ALWAYS,
     {262, 8, 389, 0},
     CST_CHANGED_262 | CST_CHANGED_8 | CST_CHANGED_389},
    {3,
     SIZE_PAPER_OUTPUT,
     6,
     SIZE_KEY_SETTING,
     266,
     SIZE_ALWAYS,
     {262, 8, 266, 0},
     CST_CHANGED_262 | CST_CHANGED_8 | CST_CHANGED_266},
    {5, SIZE_PAPER_410, 5, SIZE_KEY_FIXED, 4, SIZE_ALWAYS, {410, 0, 0, 0}, CST_CHANGED_410},
    {6, SIZE_PAPER_411, 5, SIZE_KEY_FIXED, 264, SIZE_WHEN_CHANGE_411, {411, 0, 0, 0}, CST_CHANGED_411},
    {7, SIZE_PAPER_411, 6, SIZE_KEY_SETTING, 266, SIZE_ALWAYS, {411, 266, 0, 0}, CST_CHANGED_411 | CST_CHANGED_266},
    {8, SIZE_PAPER_410, 6, SIZE_KEY_SETTING, 266, SIZE_ALWAYS, {410, 266, 0, 0}, CST_CHANGED_410 | CST_CHANGED_266},
    {9,
     SIZE_PAPER_OUTPUT,
     5,
     SIZE_KEY_SETTING,
     333,
     SIZE_WHEN_332_SET,
     {262, 8, 333, 0},
     CST_CHANGED_262 | CST_CHANGED_8 | CST_CHANGED_333},
};

static int paper_CustomSlot(WORD paper, WORD *slot);
static const SizeCheckRow *paper_SizeRow(WORD checkKind);
static WORD paper_RunNumber(const CstRun *run, WORD functionId, WORD *number);
static WORD paper_OutputPaper(const CstRun *run, WORD *paper);
static WORD paper_Inside(WORD width, WORD height, const DddSize *minimum, const DddSize *maximum);
static WORD paper_FormCheck(const CstRun *run, WORD trigger, WORD key);
static WORD paper_GeneralCheck(const CstRun *run, const SizeCheckRow *row);

/* The custom slot (0-19) of papers 262-266 and 287-301; 0 for other papers. */
static int paper_CustomSlot(WORD paper, WORD *slot)
{
    if (paper >= 262 && paper <= 266) {
        *slot = (WORD)(paper - 262);
        return 1;
    }
    if (paper >= 287 && paper <= 301) {
        *slot = (WORD)(paper - 287 + 5);
        return 1;
    }
    return 0;
}

static const SizeCheckRow *paper_SizeRow(WORD checkKind)
{
    for (const SizeCheckRow &row : s_sizeChecks) {
        if (row.kind == checkKind) {
            return &row;
        }
    }
    return NULL;
}

/* A numeric setting as the run sees it, in 16 bits. 0, or 2 when it cannot be read. */
static WORD paper_RunNumber(const CstRun *run, WORD functionId, WORD *number)
{
    CstValue value;
    if (!cst_RunValue(run, functionId, &value) || value.type == VT_STRING) {
        return CST_SETS_ERROR;
    }
    *number = (WORD)value.number;
    return CST_OK;
}

/* The output paper (setting 262; 267 stands for the paper size setting 8). */
static WORD paper_OutputPaper(const CstRun *run, WORD *paper)
{
    WORD status = paper_RunNumber(run, FID_OUTPUT_PAPER, paper);
    if (status == CST_OK && *paper == PAPER_SAME_AS_SIZE) {
        status = paper_RunNumber(run, FID_PAPER_SIZE, paper);
    }
    return status;
}

/* 0 (cleared) when the size lies in the box, else 1 (the conflict stands). */
static WORD paper_Inside(WORD width, WORD height, const DddSize *minimum, const DddSize *maximum)
{
    BOOL inside =
        width >= minimum->width && width <= maximum->width && height >= minimum->height && height <= maximum->height;
    return inside ? 0 : 1;
}

/* The paper-size form: the output paper when the change or the trigger is setting 262,
 * else the paper size setting 8; only user and custom papers are tested, their usable
 * size against the type-17 range with the record's key. */
static WORD paper_FormCheck(const CstRun *run, WORD trigger, WORD key)
{
    WORD paper = 0, slot = 0;
    BOOL outputForm = trigger == FID_OUTPUT_PAPER || (run->change && run->change->functionId == FID_OUTPUT_PAPER);
    WORD status = outputForm ? paper_OutputPaper(run, &paper) : paper_RunNumber(run, FID_PAPER_SIZE, &paper);
    if (status != CST_OK) {
        return CST_SETS_ERROR;
    }
    if (paper != PAPER_USER && !paper_CustomSlot(paper, &slot)) {
        return 0;
    }
    WORD width = 0, height = 0;
    if (cst_CheckPaperSizeRange(run->context, paper, &width, &height) != CST_OK) {
        return 0;
    }
    DriverContext *dc = run->context->context;
    void *record = NULL;
    if (ddd_FetchRecordByKey(DDD_LEVEL_MODEL, dc->model, dc->base, SIZE_RECORD, key, 0, &record) != DDD_OK) {
        return 0;
    }
    const DddSizePair *range = (const DddSizePair *)record;
    WORD result = paper_Inside(width, height, &range->sizes[0], &range->sizes[1]);
    ddd_FreeRecord(&record, DDD_FREE_OWN_TYPE);
    return result;
}

/* The general form by its row of the table. */
static WORD paper_GeneralCheck(const CstRun *run, const SizeCheckRow *row)
{
    WORD number = 0;
    if (row->when == SIZE_WHEN_CHANGE_411 && !(run->change && run->change->functionId == FID_PAPER_411)) {
        return 0;
    }
    if (row->when == SIZE_WHEN_332_SET) {
        if (paper_RunNumber(run, FID_BANNER, &number) != CST_OK) {
            return CST_SETS_ERROR;
        }
        if (number == 0) {
            return 0;
        }
    }
    WORD paper = 0, key = row->key;
    WORD status = row->paper == SIZE_PAPER_OUTPUT
                      ? paper_OutputPaper(run, &paper)
                      : paper_RunNumber(run, row->paper == SIZE_PAPER_410 ? FID_PAPER_410 : FID_PAPER_411, &paper);
    if (status == CST_OK && row->keyFrom == SIZE_KEY_SETTING) {
        status = paper_RunNumber(run, row->key, &key);
    } else if (status == CST_OK && row->keyFrom == SIZE_KEY_SOURCE) {
        status = paper_RunNumber(run, FID_PAPER_SOURCE, &key);
        if (status == CST_OK && key == SOURCE_SAME_AS_DEFAULT &&
            !ddd_HasCapability(run->context->context->model, MODEL_FLAG_OWN_SOURCE)) {
            status = paper_RunNumber(run, FID_DEFAULT_SOURCE, &key);
        }
    }
    if (status != CST_OK) {
        return CST_SETS_ERROR;
    }
    WORD width = 0, height = 0;
    if (!cst_GetPaperDimensions(run->context, paper, &width, &height)) {
        return 0;
    }
    DddSize minimum, maximum;
    WORD limits = cst_GetSizeRangeLimits(run->context, row->rangeType, key, &minimum, &maximum);
    if (limits == CST_RANGE_MISSING) {
        return 0;
    }
    if (limits != CST_OK) {
        return CST_SETS_ERROR;
    }
    return paper_Inside(width, height, &minimum, &maximum);
}

BOOL WINAPI cst_GetCustomPaperSize(const ConstraintContext *context, WORD paper, WORD *width, WORD *height)
{
    WORD slot = 0;
    if (!context || !width || !height || !paper_CustomSlot(paper, &slot)) {
        return FALSE;
    }
    CstValue w, h;
    if (!cst_ReadSetting(context, (WORD)(FID_SLOT_WIDTH + slot), &w) ||
        !cst_ReadSetting(context, (WORD)(FID_SLOT_LENGTH + slot), &h) || w.type == VT_STRING || h.type == VT_STRING) {
        return FALSE;
    }
    *width = (WORD)w.number;
    *height = (WORD)h.number;
    return TRUE;
}

WORD WINAPI cst_GetSizeRangeLimits(const ConstraintContext *context, WORD recordType, WORD key, DddSize *minimum,
                                   DddSize *maximum)
{
    if (!context || !context->context || !minimum || !maximum || (recordType != 5 && recordType != 6)) {
        return CST_ERROR;
    }
    DriverContext *dc = context->context;
    void *record = NULL;
    DddStatus status = ddd_FetchRecordByKey(DDD_LEVEL_MODEL, dc->model, dc->base, recordType, key, 0, &record);
    if (status == DDD_NOT_FOUND) {
        return CST_RANGE_MISSING;
    }
    if (status != DDD_OK) {
        return CST_ERROR;
    }
    const DddSizeRange *range = (const DddSizeRange *)record;
    WORD result = CST_RANGE_MISSING;
    for (WORD i = 0; i < range->items.count; ++i) {
        if (range->items.keys[i] == FID_OUTPUT_PAPER) { /* a size range applies when it lists the output paper */
            *minimum = range->minSize;
            *maximum = range->maxSize;
            result = CST_OK;
            break;
        }
    }
    ddd_FreeRecord(&record, DDD_FREE_OWN_TYPE);
    return result;
}

BOOL WINAPI cst_GetPaperDimensions(const ConstraintContext *context, WORD paper, WORD *width, WORD *height)
{
    WORD slot = 0;
    if (!context || !context->context || !width || !height) {
        return FALSE;
    }
    if (paper_CustomSlot(paper, &slot)) {
        return cst_GetCustomPaperSize(context, paper, width, height);
    }
    if (paper == PAPER_USER) {
        CstValue w, h;
        if (!cst_ReadSetting(context, FID_PAPER_WIDTH, &w) || !cst_ReadSetting(context, FID_PAPER_LENGTH, &h) ||
            w.type == VT_STRING || h.type == VT_STRING) {
            return FALSE;
        }
        *width = (WORD)w.number;
        *height = (WORD)h.number;
        return TRUE;
    }
    DriverContext *dc = context->context;
    void *record = NULL;
    if (ddd_FetchRecordByKey(DDD_LEVEL_MODEL, dc->model, dc->base, 10, paper, 0, &record) != DDD_OK) {
        return FALSE;
    }
    *width = ((const DddPaper *)record)->minSize.width;
    *height = ((const DddPaper *)record)->minSize.height;
    ddd_FreeRecord(&record, DDD_FREE_OWN_TYPE);
    return TRUE;
}

WORD WINAPI cst_CheckPaperSizeRange(const ConstraintContext *context, WORD paper, WORD *width, WORD *height)
{
    if (!context || !context->context || !width || !height) {
        return CST_ERROR;
    }
    DriverContext *dc = context->context;
    void *record = NULL;
    if (ddd_FetchRecordByKey(DDD_LEVEL_MODEL, dc->model, dc->base, 10, paper, 0, &record) != DDD_OK) {
        return CST_ERROR;
    }
    const DddPaper *rec = (const DddPaper *)record;
    WORD slot = 0;
    WORD status = CST_OK;
    if (paper == PAPER_USER || paper_CustomSlot(paper, &slot)) {
        WORD w = 0, h = 0;
        if (cst_GetPaperDimensions(context, paper, &w, &h)) {
            /* Widened, so that margins larger than the paper meet the minimum, not a wrap. */
            LONG usableW = (LONG)w - rec->margins[0].width - rec->margins[1].width;
            LONG usableH = (LONG)h - rec->margins[0].height - rec->margins[1].height;
            usableW = usableW > rec->maxSize.width ? rec->maxSize.width : usableW;
            usableH = usableH > rec->maxSize.height ? rec->maxSize.height : usableH;
            *width = (WORD)(usableW < rec->minSize.width ? rec->minSize.width : usableW);
            *height = (WORD)(usableH < rec->minSize.height ? rec->minSize.height : usableH);
        } else {
            status = CST_ERROR;
        }
    } else {
        *width = rec->minSize.width;
        *height = rec->minSize.height;
    }
    ddd_FreeRecord(&record, DDD_FREE_OWN_TYPE);
    return status;
}

WORD cst_SizeCheck(const CstRun *run, WORD checkKind, WORD trigger, WORD key)
{
    if (checkKind == CST_CHECK_PAPER) {
        return paper_FormCheck(run, trigger, key);
    }
    const SizeCheckRow *row = paper_SizeRow(checkKind);
    if (!row) {
        return 1;
    }
    for (WORD i = 0; i < 4 && row->depends[i] != 0; ++i) {
        if (cst_Touch(run->state, row->depends[i]) != CST_OK) {
            return CST_SETS_ERROR;
        }
    }
    return paper_GeneralCheck(run, row);
}

WORD cst_SizeCheckMask(WORD checkKind)
{
    const SizeCheckRow *row = paper_SizeRow(checkKind);
    return row ? row->mask : 0;
}
