/*
 * The page's colour result words, which the colour scan of drawn objects reads and sets.
 */
#ifndef QM_RENDER_DRIVER_PAGE_PAGE_COLOR_H
#define QM_RENDER_DRIVER_PAGE_PAGE_COLOR_H

#include <windows.h>

#include "render/driver/pdev/pdev.h"

// Colour results of a page (JobState.colorResult).
#define PAGE_COLOR_UNDECIDED 0
#define PAGE_COLOR_COLORED 2
#define PAGE_COLOR_LAST 3

// jc_SetPageColorResult: stores 0 (undecided), 1, 2 (colour) or 3. 0; -1 for another value.
LONG jc_SetPageColorResult(PDEV *pdev, WORD value);

// jc_IsPageColorDecided: 0 only while a page is being drawn (page state bits 0x1, 0x2 and
// 0x4 all set) and its colour is undecided, else 1.
LONG jc_IsPageColorDecided(const PDEV *pdev);

// jc_IsColorScanWanted: 1 while the colour is undecided and the scan is not turned off,
// else 0.
LONG jc_IsColorScanWanted(const PDEV *pdev);

// jc_MarkPageColored: while undecided (jc_IsPageColorDecided 0) the colour result
// becomes 2. 0; -1 when the page is not undecided.
LONG jc_MarkPageColored(PDEV *pdev);

#endif /* QM_RENDER_DRIVER_PAGE_PAGE_COLOR_H */
