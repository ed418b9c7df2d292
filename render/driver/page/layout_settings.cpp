/*
 * Reading the job's layout settings into the page block.
 */
#include "render/driver/page/layout_settings.h"

#include "core/ddd/model_query.h"
#include "core/settings/settings.h"
#include "render/driver/page/nup_grid.h"

// Duplex setting 16 -> page block value (0 none, 2 long edge, 1 short edge).
static const LONG kDuplexMap[] = {-1, 0, 2, 1};
// Binding setting 267 (0-8) -> page block value.
static const LONG kBindingMap[] = {0, 1, 2, 1, 4, 3, 3, 2, 4};
// Pages per sheet that setting 295 may hold.
static const LONG kPagesPerSheet[] = {1, 2, 4, 8, 16, 32};

struct Reader {
    DriverDevmode *devmode;
    PrinterDataBlock *block;
    BOOL failed;
};

// The value of a setting as a signed number; a setting that cannot be read marks the
// reader failed and gives 0.
static LONG read(Reader *reader, WORD functionId)
{
    WORD type = 0;
    DWORD size = 0;
    BYTE value[8] = {0};
    if (dma_GetFunctionValue(functionId, reader->devmode, reader->block, &type, &size, value) != SST_OK) {
        reader->failed = TRUE;
        return 0;
    }
    return dma_ValueToLong(type, value);
}

static BOOL in_range(const LayoutRangeSource *ranges, WORD functionId, LONG value)
{
    LONG low = 0, high = 0;
    if (!ranges || !ranges->model)
        return TRUE;
    if (ddd_GetValueRange(functionId, ranges->model, ranges->base, &low, &high) != DDD_OK)
        return TRUE;
    return value >= low && value <= high;
}

// The booklet values of the second page-kind flag. FALSE when one is refused.
static BOOL read_booklet(Reader *r, PageBlock *block, const LayoutRangeSource *ranges)
{
    block->flag1291 = read(r, FID_BOOKLET_FLAG_1291) != 0;
    if (block->flag1291) {
        block->setting324 = read(r, FID_BOOKLET_324);
        block->flag1292 = read(r, FID_BOOKLET_FLAG_1292) != 0;
    }
    LONG mode = read(r, FID_BOOKLET_MODE);
    if (mode != 0 && mode != 1)
        return FALSE;
    block->bookletMode = mode + 1;
    if (block->pagesPerSheet > 1)
        block->nupMarker = 1;
    block->flag1363 = read(r, FID_BOOKLET_FLAG_1363) != 0;
    if (!block->flag1363)
        return TRUE;
    block->flag1292 = read(r, FID_BOOKLET_FLAG_1292) != 0;
    static const WORD kSources[] = {FID_BOOKLET_4370, FID_BOOKLET_4371, FID_BOOKLET_481};
    LONG source = read(r, FID_BOOKLET_SOURCE);
    if (source < 0 || source > 2)
        return FALSE;
    WORD sourceId = kSources[source];
    block->value480 = read(r, sourceId);
    if (!in_range(ranges, sourceId, block->value480))
        return FALSE;
    if (block->flag1292) {
        block->value482 = read(r, FID_BOOKLET_482);
        if (!in_range(ranges, FID_BOOKLET_482, block->value482))
            return FALSE;
    }
    return TRUE;
}

static BOOL read_layout(Reader *r, PageBlock *block, const PageSetupSnapshot *snapshot, const ModelCapabilities *caps,
                        const LayoutRangeSource *ranges)
{
    BOOL pageKind = snapshot->posterOn || snapshot->bookletOn;
    block->setting437 = read(r, FID_LAYOUT_437);
    if (block->setting437 < 0 || block->setting437 > 3)
        return FALSE;

    LONG duplex = read(r, FID_DUPLEX);
    if (duplex < 1 || duplex > 3)
        return FALSE;
    block->duplex = pageKind ? 0 : kDuplexMap[duplex];

    LONG binding = read(r, FID_BINDING_EDGE);
    if (binding < 0 || binding > 8)
        return FALSE;
    block->binding267 = kBindingMap[binding];
    BOOL noBinding = caps && ddd_TestCapability(caps, LAYOUT_CAPABILITY_NO_BINDING) && snapshot->printMode == 3;
    if (pageKind || noBinding)
        block->binding267 = 0;
    if (block->binding267 != 0) {
        block->setting268 = read(r, FID_BINDING_268);
        block->setting269 = read(r, FID_BINDING_269);
    }

    LONG side = read(r, FID_SIDE_459);
    block->setting459 = side == 1 || side == 2 ? side : 0;
    if (block->setting459 == 1) {
        block->setting460 = read(r, FID_SIDE_460);
        block->setting461 = read(r, FID_SIDE_461);
    }

    block->scalingOn = read(r, FID_SCALING_ON) != 0;
    block->scale = block->scalingOn ? read(r, FID_LAYOUT_SCALE) : 100;
    if (block->scale < 25 || block->scale > 400)
        return FALSE;

    block->flag1283 = read(r, FID_LAYOUT_FLAG_1283) != 0;
    block->setting264 = read(r, FID_NUP_264);
    if (block->setting264 < 0 || block->setting264 > 6)
        return FALSE;
    block->pagesPerSheet = read(r, FID_PAGES_PER_SHEET);
    BOOL known = FALSE;
    for (LONG pages : kPagesPerSheet)
        known = known || pages == block->pagesPerSheet;
    if (!known)
        return FALSE;

    LONG orientation = read(r, FID_LAYOUT_ORIENTATION);
    if (orientation == 0)
        orientation = read(r, FID_ORIENTATION);
    if (orientation != 1 && orientation != 2)
        return FALSE;
    block->landscape = orientation != 1;

    LONG finish = read(r, FID_POSITION_CODE);
    block->setting382 = finish >= 1 && finish <= 4 ? finish : 0;

    if (snapshot->posterOn) {
        block->setting264 = 0;
        block->pagesPerSheet = 1;
        block->posterColumns = snapshot->posterColumns;
        block->posterRows = snapshot->posterRows;
        if (block->posterColumns < 1 || block->posterColumns > 4 || block->posterRows < 1 || block->posterRows > 4)
            return FALSE;
        block->setting382 = 0;
    } else {
        block->posterColumns = 1;
        block->posterRows = 1;
    }

    NupGridHead grid = {};
    jc_SetNupGrid(&grid, (WORD)block->pagesPerSheet);
    block->columns = grid.columns;
    block->rows = grid.rows;
    block->cellsTurned = block->pagesPerSheet == 2 || block->pagesPerSheet == 8 || block->pagesPerSheet == 32;
    block->turnFlag = block->landscape ? !block->cellsTurned : block->cellsTurned;

    if (block->pagesPerSheet != 1) {
        block->scalingOn = 0;
        block->scale = 100;
    }
    if (block->scalingOn)
        block->flag1283 = 0;

    if (snapshot->bookletOn && !snapshot->posterOn && !read_booklet(r, block, ranges))
        return FALSE;
    return !r->failed;
}

LONG jc_ReadLayoutSettings(PageBlock *block, const PageSetupSnapshot *snapshot, DriverDevmode *devmode,
                           PrinterDataBlock *printerData, const ModelCapabilities *caps,
                           const LayoutRangeSource *ranges)
{
    if (!block || !snapshot || !devmode)
        return -1;
    Reader reader = {devmode, printerData, FALSE};
    return read_layout(&reader, block, snapshot, caps, ranges) ? 0 : -1;
}
