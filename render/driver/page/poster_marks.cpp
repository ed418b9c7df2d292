/*
 * The cutting marks of a poster tile: a corner mark on each edge at the four corners and
 * a mark across the centre of each edge, drawn in dots over the tile's printable area.
 */
#include "render/driver/page/poster.h"

#include "core/settings/function_ids.h"
#include "render/driver/page/page_private.h"
#include "render/driver/page/page_setup.h"
#include "render/pdl/writer/pdl_writer.h"

/* The job resolution that stands for an unset one. */
static const LONG kDefaultResolution = 600;
/* The length of a mark in 0.1 mm (10 mm). */
static const LONG kMarkLength = 100;
/* The mark dash at 600 dpi: on and off lengths. */
static const LONG kDashOn = 40;
static const LONG kDashOff = 10;
static const LONG kDashResolution = 600;
/* Line cap and join of the marks (square, bevel), the paint mode and raster operation. */
static const int kMarkCap = 2;
static const int kMarkJoin = 2;
static const int kMarkPaintMode = 1;
static const int kMarkRopKind = 1;
static const DWORD kMarkRop = 13;
static const int kMarkColorKind = 1;
static const int kMarkColorType = 4;

/* The mark sizes on one axis of a tile, in dots. */
struct MarkAxis {
    LONG extent; // the printable extent
    LONG weight; // a quarter point, truncated
    LONG inset;  // of the marks from the edge
    LONG length; // 10 mm
};

static void marks_Axis(MarkAxis *axis, LONG tenthMm, LONG dpi)
{
    if (dpi == 0)
        dpi = kDefaultResolution;
    axis->extent = geo_TenthMmToDotsInt(tenthMm, dpi);
    axis->weight = (LONG)((double)dpi * 0.25 / 72);
    axis->inset = (LONG)(((double)axis->weight + 1.999) * 0.5);
    axis->length = geo_TenthMmToDotsInt(kMarkLength, dpi);
}

LONG pg_SetMarkLineStyle(PDEV *pdev, LONG hx, LONG hy)
{
    if (pdev == NULL || pdev->job.writer == NULL)
        return -1;
    PdlWriter *writer = pdev->job.writer;
    LONG r = 0;
    page_ReadSetting(&pdev->devmode, pdev->printerData, FID_PRINT_QUALITY, &r);
    LONG dashes[2] = {r * kDashOn / kDashResolution, r * kDashOff / kDashResolution};
    static const BYTE kBlack[3] = {0, 0, 0};
    int failed = 0;
    failed |= pdl_SetLineWidth(writer, (float)((hx + hy + 1) / 2));
    failed |= pdl_SetLineCap(writer, kMarkCap);
    failed |= pdl_SetLineJoin(writer, kMarkJoin);
    failed |= pdl_SetLineDashInt(writer, PDL_DASH_USER, 0, 2, dashes);
    failed |= pdl_SetPaintMode(writer, kMarkPaintMode);
    failed |= pdl_SetRop(writer, kMarkRopKind, kMarkRop);
    failed |= pdl_SetColor(writer, kMarkColorKind, kMarkColorType, kBlack);
    return failed != 0 ? -1 : 0;
}

LONG pg_DrawMarkLine(PDEV *pdev, LONG x1, LONG y1, LONG x2, LONG y2)
{
    if (pdev == NULL || pdev->job.writer == NULL)
        return -1;
    // Points go as 28.4 fixed point.
    POINTFIX from = {x1 * 16, y1 * 16};
    POINTFIX to = {x2 * 16, y2 * 16};
    int failed = 0;
    failed |= pdl_MoveTo(pdev->job.writer, &from);
    failed |= pdl_LineTo(pdev->job.writer, 1, &to);
    failed |= pdl_PaintPath(pdev->job.writer);
    return failed != 0 ? -1 : 0;
}

LONG pg_DrawPosterMarks(PDEV *pdev)
{
    if (pdev == NULL || pdev->job.writer == NULL)
        return -1;
    PdlWriter *writer = pdev->job.writer;
    const PageSetupState &setup = pdev->job.setup;
    int cache = pdl_SetCacheEnabled(writer, 0);
    LONG result = pdl_ResetClip(writer) != 0 ? -1 : 0;

    LONG across = setup.page.output.printableWidth;
    LONG along = setup.page.output.printableLength;
    if (setup.page.turned) {
        LONG swap = across;
        across = along;
        along = swap;
    }
    MarkAxis x;
    MarkAxis y;
    marks_Axis(&x, across, setup.resolutionX);
    marks_Axis(&y, along, setup.resolutionY);
    result |= pg_SetMarkLineStyle(pdev, x.weight, y.weight);

    // All in 32 bits: a 16-bit sheet extent overflows at high resolutions.
    LONG xL = x.inset;
    LONG xR = x.extent - x.inset;
    LONG yT = y.inset;
    LONG yB = y.extent - y.inset;
    LONG midX = x.extent / 2;
    LONG midY = y.extent / 2;
    LONG halfX = x.length / 2;
    LONG halfY = y.length / 2;
    const LONG segments[12][4] = {
        {xL, yB, xL + x.length, yB},
        {xL, yB, xL, yB - y.length}, // bottom left
        {xL, yT, xL + x.length, yT},
        {xL, yT, xL, yT + y.length}, // top left
        {xR, yB, xR - x.length, yB},
        {xR, yB, xR, yB - y.length}, // bottom right
        {xR, yT, xR - x.length, yT},
        {xR, yT, xR, yT + y.length}, // top right
        {midX - halfX, yB, halfX + midX, yB},
        {midX - halfX, yT, halfX + midX, yT}, // bottom and top centres
        {xL, halfY + midY, xL, midY - halfY},
        {xR, halfY + midY, xR, midY - halfY}, // left and right centres
    };
    for (const auto &s : segments) {
        if (result != 0)
            break;
        result |= pg_DrawMarkLine(pdev, s[0], s[1], s[2], s[3]);
    }

    Matrix2x3 identity;
    geo_Identity(&identity);
    result |= pdl_SetTransform(writer, &identity) != 0 ? -1 : 0;
    pdl_SetCacheEnabled(writer, cache);
    result |= pdl_ResetPage(writer) != 0 ? -1 : 0;
    return result != 0 ? -1 : 0;
}
