/*
 * Placement of a logical page in its N-up cell: the page turned into place, scaled,
 * fitted and shifted inside the cell by its alignment code. All values in 1/72 inch
 * with the y axis up; paper records give their sizes in 0.1 mm.
 */
#include "render/driver/page/page_setup.h"

#include "render/pdl/writer/matrix2x3.h"

#define MAX_PAGES_PER_SHEET 32
#define ALIGN_CENTRE 4

static const float kPointsPerTenthMm = 72.0f / 254.0f;

// Order types by order setting 3-6 with more than 2 pages per sheet; other settings
// count as 3.
static const int kOrderTurned[] = {1, 0, 5, 4};
static const int kOrderUpright[] = {4, 5, 6, 7};

struct Area {
    float x0, y0, x1, y1;
};

// The area inside the margins of a paper of width x length, from its bottom left corner.
static Area inside_margins(LONG width, LONG length, WORD left, WORD right, WORD top, WORD bottom)
{
    Area area;
    area.x0 = left * kPointsPerTenthMm;
    area.x1 = (width - right) * kPointsPerTenthMm;
    area.y0 = bottom * kPointsPerTenthMm;
    area.y1 = (length - top) * kPointsPerTenthMm;
    return area;
}

static Area printable_area(const PaperRecord *p)
{
    return inside_margins(p->width, p->length, p->marginLeft, p->marginRight, p->marginTop, p->marginBottom);
}

// The drawing area of the page: its paper record is kept upright; a landscape page
// (turned) draws on the paper turned, its left edge on the paper's top edge and its top
// edge on the paper's right edge.
static Area page_area(const PageBlock *block)
{
    const PaperRecord *p = &block->page;
    if (!block->turned)
        return printable_area(p);
    return inside_margins(p->length, p->width, p->marginTop, p->marginBottom, p->marginRight, p->marginLeft);
}

int geo_GetOrderType(LONG pagesPerSheet, LONG order, BOOL turned)
{
    if (pagesPerSheet <= 1)
        return 4;
    if (pagesPerSheet == 2) {
        BOOL first = order == 1 || order == 3 || order == 4;
        return turned ? (first ? 1 : 5) : (first ? 5 : 1);
    }
    int n = order >= 3 && order <= 6 ? (int)order - 3 : 0;
    return turned ? kOrderTurned[n] : kOrderUpright[n];
}

// Row and column of cell o (0-based) of a grid for an order type.
static void cell_of(int type, LONG o, LONG columns, LONG rows, LONG *row, LONG *column)
{
    switch (type) {
    case 0:
        *row = o / columns;
        *column = o % columns;
        break;
    case 1:
        *row = o % rows;
        *column = o / rows;
        break;
    case 2:
        *row = o / columns;
        *column = columns - 1 - o % columns;
        break;
    case 3:
        *row = o % rows;
        *column = columns - 1 - o / rows;
        break;
    case 4:
        *row = rows - 1 - o / columns;
        *column = o % columns;
        break;
    case 5:
        *row = rows - 1 - o % rows;
        *column = o / rows;
        break;
    case 6:
        *row = rows - 1 - o / columns;
        *column = columns - 1 - o % columns;
        break;
    default:
        *row = rows - 1 - o % rows;
        *column = columns - 1 - o / rows;
        break;
    }
}

// The alignment code of a side: on a back side of a two-sided layout the code is
// mirrored about the binding edge (duplex 1 short edge, 2 long edge).
static LONG side_alignment(const PageBlock *block, LONG side, BOOL turned)
{
    LONG code = block->setting382 >= 0 && block->setting382 <= ALIGN_CENTRE ? block->setting382 : 0;
    if (side != 1 || code == ALIGN_CENTRE || (block->duplex != 1 && block->duplex != 2))
        return code;
    BOOL acrossX = (block->duplex == 1) == (turned != FALSE);
    static const LONG kAcrossX[] = {1, 0, 3, 2};
    static const LONG kAcrossY[] = {3, 2, 1, 0};
    return acrossX ? kAcrossX[code] : kAcrossY[code];
}

// The page's shift inside its cell for an alignment code; dx, dy the free space. An
// upright page starts at the cell's top left corner, a turned one at its bottom left.
static void alignment_shift(LONG code, BOOL turned, float dx, float dy, float *sx, float *sy)
{
    static const float kUpright[5][2] = {{0, 0}, {1, 0}, {1, -1}, {0, -1}, {0.5f, -0.5f}};
    static const float kTurned[5][2] = {{0, 0}, {0, 1}, {1, 1}, {1, 0}, {0.5f, 0.5f}};
    const float *f = turned ? kTurned[code] : kUpright[code];
    *sx = f[0] * dx;
    *sy = f[1] * dy + (turned ? 0 : dy);
}

/*
 * The fitting factor is a fixed percentage when scaling is on, else the smaller of the
 * cell-to-page ratios of width and height. There is no square-root-of-two mode that
 * stretches the cell's sides by 1.4142135 before fitting: no setting switches such a mode
 * on and its rule does not say clearly which sides it stretches, so the factor is always
 * one of those two.
 */
LONG geo_PlaceChecked(const JobState *, Matrix2x3 *matrix, const PageBlock *block, LONG index, LONG side)
{
    if (!matrix || !block || index < 0 || index >= MAX_PAGES_PER_SHEET || (side != 0 && side != 1))
        return -1;
    LONG columns = block->columns > 0 ? block->columns : 1;
    LONG rows = block->rows > 0 ? block->rows : 1;
    Area sheet = printable_area(&block->output);
    Area page = page_area(block);
    float pw = page.x1 - page.x0, ph = page.y1 - page.y0;
    float w = (sheet.x1 - sheet.x0) / columns, h = (sheet.y1 - sheet.y0) / rows;
    if (pw <= 0 || ph <= 0 || w <= 0 || h <= 0)
        return -1;

    BOOL turned = block->turnFlag != 0;
    LONG row = 0, column = 0;
    cell_of(geo_GetOrderType(block->pagesPerSheet, block->setting264, turned),
            index % (columns * rows),
            columns,
            rows,
            &row,
            &column);

    // The page into place: its printable corner to 0, or a quarter turn (x, y) -> (y, -x)
    // that puts its left edge on top, moved back to 0.
    Matrix2x3 place;
    geo_Translate(&place, -page.x0, -page.y0);
    float ew = pw, eh = ph;
    if (turned) {
        Matrix2x3 turn = {0, -1, 1, 0, 0, pw};
        geo_Compose(&turn, &place, &place);
        ew = ph;
        eh = pw;
    }
    float factor = block->scalingOn ? block->scale * 0.01f : (w / ew < h / eh ? w / ew : h / eh);
    Matrix2x3 scale;
    geo_ScaleAxes(&scale, factor, factor);
    geo_Compose(&scale, &place, &place);

    float sx = 0, sy = 0;
    alignment_shift(side_alignment(block, side, turned), turned, w - ew * factor, h - eh * factor, &sx, &sy);
    Matrix2x3 move;
    geo_Translate(&move, sheet.x0 + column * w + sx, sheet.y0 + row * h + sy);
    geo_Compose(&move, matrix, &place);
    return 0;
}

LONG geo_PlaceCurrentPage(PDEV *pdev, Matrix2x3 *matrix)
{
    if (!pdev)
        return -1;
    const PageSetupState &setup = pdev->job.setup;
    return geo_PlaceChecked(&pdev->job, matrix, &setup.page, setup.logicalIndex, setup.sheetSide);
}
