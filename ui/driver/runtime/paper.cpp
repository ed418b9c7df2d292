/*
 * Paper geometry: printable sizes from paper records, minimum sizes, the paper-centre
 * offset.
 */
#include "ui/driver/runtime/paper.h"

#include "core/ddd/ddd_access.h"
#include "core/rules/dependent_rules.h"
#include "core/util/paper_number.h"

static LONG paper_Clamp(LONG value, LONG low, LONG high);

/* value kept within low..high (high first yields to low when they cross). */
static LONG paper_Clamp(LONG value, LONG low, LONG high)
{
    if (value > high)
        value = high;
    if (value < low)
        value = low;
    return value;
}

int ui_GetPrintableSize(const DddPaper *paper, LONG width, LONG height, DddSize *size)
{
    if (paper == nullptr || size == nullptr)
        return 0;
    LONG printableWidth = width - paper->margins[0].width - paper->margins[1].width;
    LONG printableHeight = height - paper->margins[0].height - paper->margins[1].height;
    size->width = (WORD)paper_Clamp(printableWidth, paper->minImage.width, paper->maxImage.width);
    size->height = (WORD)paper_Clamp(printableHeight, paper->minImage.height, paper->maxImage.height);
    return 1;
}

int ui_GetPaperMinimum(DriverContext *context, DriverDevmode *devmode, PrinterDataBlock *block, WORD paper,
                       DddSize *size)
{
    if (context == nullptr || size == nullptr)
        return 0;
    if (opt_IsCustomPaperId(paper)) {
        WCHAR name[CUSTOM_SLOT_NAME_CHARS] = {};
        CustomPaperRecord record = {};
        CustomSlotRequest request = {devmode, block, &paper, VT_WORD, &record, name};
        if (devmode == nullptr || !opt_GetCustomPaperSize(&request))
            return 0;
        size->width = record.width;
        size->height = record.length;
        return 1;
    }
    void *record = nullptr;
    if (ddd_FetchRecordByKey(DDD_LEVEL_MODEL, context->model, context->base, UI_PAPER_RECORD, paper, 0, &record) !=
            DDD_OK ||
        record == nullptr)
        return 0;
    *size = ((const DddPaper *)record)->minSize;
    ddd_FreeRecord(&record, DDD_FREE_OWN_TYPE);
    return 1;
}

int ui_CalcHalfLongEdgeRemainder(DriverContext *context, DriverDevmode *devmode, PrinterDataBlock *block, LONG value,
                                 LONG *result)
{
    if (context == nullptr || result == nullptr)
        return 0;
    HalfEdgeRequest request = {devmode, block, context->model, context->base, value, 0};
    if (!opt_CalcHalfLongEdgeRemainder(&request))
        return 0;
    *result = request.result;
    return 1;
}
