/*
 * The model's paper records as the paper rules look them up: by number, by index with a
 * test, the default paper, and the margins a record gives.
 */
#include <stdlib.h>

#include "core/context/driver_context.h"
#include "core/ddd/ddd_access.h"
#include "core/settings/function_ids.h"
#include "render/driver/forms/pdev_paper.h"

static const WORD kPaperRecordType = 10;
// Tenths of a millimetre a paper of the DEVMODE's own size may differ from a record's.
static const LONG kSizeTolerance = 10;

// pdev_FetchPaper: the model's paper record of a paper number, or NULL.
DddPaper *pdev_FetchPaper(PDEV *pdev, WORD number)
{
    void *record = NULL;
    DriverContext *context = pdev->context;
    if (ddd_FetchRecordByKey(DDD_LEVEL_MODEL, context->model, context->base, kPaperRecordType, number, 0, &record) !=
        DDD_OK) {
        return NULL;
    }
    return (DddPaper *)record;
}

void pdev_FreePaper(DddPaper **record)
{
    if (*record != NULL) {
        ddd_FreeRecord((void **)record, DDD_FREE_OWN_TYPE);
    }
    *record = NULL;
}

// pdev_DefaultPaperNumber: the model's default paper number of setting 8, with the model and
// locale overrides; 0 when the model gives none.
WORD pdev_DefaultPaperNumber(PDEV *pdev)
{
    DefaultValueRequest request = {pdev->context, FID_PAPER_SIZE, 0, 0, 0};
    if (!ddd_GetDefaultValue(&request)) {
        return 0;
    }
    if (request.valueType == DDD_VT_STRING) {
        ddd_FreeDefaultValue(request.value, request.valueType);
        return 0;
    }
    return (WORD)request.value;
}

// pdev_SameName: 1 when two wide strings are equal and not empty (NULL equals nothing).
BOOL pdev_SameName(const WCHAR *a, const WCHAR *b)
{
    if (a == NULL || b == NULL || *a == 0) {
        return FALSE;
    }
    while (*a != 0 && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b;
}

// pdev_IsFixedSize: 1 when the record's minimum and maximum sizes agree.
BOOL pdev_IsFixedSize(const DddPaper *record)
{
    return record->minSize.width == record->maxSize.width && record->minSize.height == record->maxSize.height;
}

// pdev_RangeHolds: 1 when a paper of the size in tenths lies within the record's minimum and
// maximum sizes.
BOOL pdev_RangeHolds(const DddPaper *record, const PaperTenths *tenths)
{
    return record->minSize.width <= tenths->width && tenths->width <= record->maxSize.width &&
           record->minSize.height <= tenths->height && tenths->height <= record->maxSize.height;
}

// NearSize: 1 when the record's minimum size is within the tolerance of the size in tenths.
static BOOL NearSize(const DddPaper *record, const PaperTenths *tenths)
{
    return labs((LONG)record->minSize.width - tenths->width) <= kSizeTolerance &&
           labs((LONG)record->minSize.height - tenths->height) <= kSizeTolerance;
}

// pdev_FindPaper: the first of the model's paper records (by index from 1) that passes the
// test, or NULL.
DddPaper *pdev_FindPaper(PDEV *pdev, PaperTest test, const void *argument)
{
    DriverContext *context = pdev->context;
    DddRecordCountRequest countRequest = {context->model, kPaperRecordType};
    WORD count = ddd_GetRecordCount(&countRequest);
    for (WORD index = 1; index <= count; ++index) {
        DddFetchRequest fetch = {DDD_LEVEL_MODEL, context->model, context->base, kPaperRecordType, index, NULL};
        if (ddd_FetchRecordByIndex(&fetch) != DDD_OK || fetch.record == NULL) {
            continue;
        }
        DddPaper *record = (DddPaper *)fetch.record;
        if (test(record, argument)) {
            return record;
        }
        pdev_FreePaper(&record);
    }
    return NULL;
}

BOOL pdev_IsNamed(const DddPaper *record, const void *name)
{
    return pdev_SameName(record->name, (const WCHAR *)name);
}

// pdev_IsNearStandardPaper: a paper that is not the user-defined size, of about that size.
BOOL pdev_IsNearStandardPaper(const DddPaper *record, const void *tenths)
{
    return record->head.key != PDEV_USER_DEFINED_PAPER && NearSize(record, (const PaperTenths *)tenths);
}

// pdev_RecordMargins: the printable area of a paper of the size in tenths inside a record's
// margins (margins 0 when noMargins).
void pdev_RecordMargins(const DddPaper *record, BOOL noMargins, PaperTenths *tenths)
{
    tenths->left = noMargins ? 0 : record->margins[0].width;
    tenths->top = noMargins ? 0 : record->margins[0].height;
    tenths->right = tenths->width - (noMargins ? 0 : record->margins[1].width);
    tenths->bottom = tenths->height - (noMargins ? 0 : record->margins[1].height);
}

// pdev_FromRecord: size and margins of a fixed-size record (margins 0 when noMargins).
void pdev_FromRecord(const DddPaper *record, BOOL noMargins, PaperTenths *tenths)
{
    tenths->width = record->minSize.width;
    tenths->height = record->minSize.height;
    pdev_RecordMargins(record, noMargins, tenths);
}
