/*
 * The page's colour result words.
 */
#include "render/driver/page/page_color.h"

static const WORD kDrawingPage = PAGE_STATE_DOC_OPEN | PAGE_STATE_OUTPUT_BEGUN | PAGE_STATE_SHEET_OPEN;

LONG jc_SetPageColorResult(PDEV *pdev, WORD value)
{
    if (!pdev || value > PAGE_COLOR_LAST)
        return -1;
    pdev->job.colorResult = value;
    return 0;
}

LONG jc_IsPageColorDecided(const PDEV *pdev)
{
    if (!pdev)
        return 1;
    BOOL drawing = (pdev->job.pageState & kDrawingPage) == kDrawingPage;
    return drawing && pdev->job.colorResult == PAGE_COLOR_UNDECIDED ? 0 : 1;
}

LONG jc_IsColorScanWanted(const PDEV *pdev)
{
    if (!pdev)
        return 0;
    return pdev->job.colorResult == PAGE_COLOR_UNDECIDED && pdev->job.colorScanOff == 0 ? 1 : 0;
}

LONG jc_MarkPageColored(PDEV *pdev)
{
    if (jc_IsPageColorDecided(pdev) != 0)
        return -1;
    pdev->job.colorResult = PAGE_COLOR_COLORED;
    return 0;
}
