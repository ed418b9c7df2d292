/*
 * Paper geometry: printable sizes from paper records, minimum sizes, the paper-centre
 * offset.
 */
#include "ui/driver/runtime/paper.h"

#include "core/ddd/ddd_access.h"
#include "core/paperlist/paper_list.h"
#include "core/settings/setting_rules.h"
#include "core/rules/dependent_rules.h"
#include "core/util/paper_number.h"

/* The geometry ui_GetPaperGeometry hands out. */
typedef struct PaperGeometry {
    SIZE size;
    SIZE printable;
    SIZE edges[2];
    SIZE custom;
} PaperGeometry;

static LONG paper_Clamp(LONG value, LONG low, LONG high);
static BOOL paper_FromRecord(DriverContext *context, WORD paper, BOOL sizeFromRecord, PaperGeometry *geometry);
static BOOL paper_FromDeviceList(DriverContext *context, WORD paper, PaperGeometry *geometry);

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

/* The margins (and, when sizeFromRecord, the size) of the model's record of paper; the
 * printable area is the size less the margins within the image sizes. */
static BOOL paper_FromRecord(DriverContext *context, WORD paper, BOOL sizeFromRecord, PaperGeometry *geometry)
{
    void *record = nullptr;
    if (ddd_FetchRecordByKey(DDD_LEVEL_MODEL, context->model, context->base, UI_PAPER_RECORD, paper, 0, &record) !=
            DDD_OK ||
        record == nullptr)
        return FALSE;
    const DddPaper *entry = (const DddPaper *)record;
    if (sizeFromRecord)
        geometry->size = {entry->minSize.width, entry->minSize.height};
    DddSize printable = {};
    ui_GetPrintableSize(entry, geometry->size.cx, geometry->size.cy, &printable);
    geometry->printable = {printable.width, printable.height};
    geometry->edges[0] = {entry->margins[0].width, entry->margins[1].height};
    geometry->edges[1] = {entry->margins[1].width, entry->margins[0].height};
    ddd_FreeRecord(&record, DDD_FREE_OWN_TYPE);
    return TRUE;
}

static BOOL paper_FromDeviceList(DriverContext *context, WORD paper, PaperGeometry *geometry)
{
    LONG size[2] = {};
    LONG imageable[2] = {};
    LONG leftBottom[2] = {};
    LONG rightTop[2] = {};
    if (opt_GetPaperMargins(context, paper, size, imageable, leftBottom, rightTop) != PAPER_LIST_OK)
        return FALSE;
    geometry->size = {size[0], size[1]};
    geometry->printable = {imageable[0], imageable[1]};
    geometry->edges[0] = {leftBottom[0], leftBottom[1]};
    geometry->edges[1] = {rightTop[0], rightTop[1]};
    return TRUE;
}

int ui_GetPaperGeometry(const PaperQuery *query, SIZE *size, SIZE *printable, SIZE edges[2], DriverContext *context,
                        SIZE *custom)
{
    if (query == nullptr || context == nullptr)
        return 0;
    PaperGeometry geometry = {};
    BOOL found = FALSE;
    if (query->paper >= UI_FIRST_DEVICE_PAPER && opt_HasPaperList(context)) {
        found = paper_FromDeviceList(context, query->paper, &geometry);
    } else if (query->paper == UI_USER_PAPER) {
        CustomPaperSizeRequest request = {query->devmode, query->block, 0, 0};
        found = query->devmode != nullptr && dm_GetCustomPaperSize(&request);
        if (found) {
            geometry.size = {request.width, request.length};
            geometry.custom = geometry.size;
            if (!paper_FromRecord(context, query->paper, FALSE, &geometry))
                geometry.printable = geometry.size;
        }
    } else {
        found = paper_FromRecord(context, query->paper, TRUE, &geometry);
    }
    if (!found)
        return 0;
    if (size != nullptr)
        *size = geometry.size;
    if (printable != nullptr)
        *printable = geometry.printable;
    if (edges != nullptr) {
        edges[0] = geometry.edges[0];
        edges[1] = geometry.edges[1];
    }
    if (custom != nullptr)
        *custom = geometry.custom;
    return 1;
}
