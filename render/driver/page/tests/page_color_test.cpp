/*
 * The page's colour result words.
 */
#include "render/driver/page/page_color.h"

#include <memory>

#include <gtest/gtest.h>

namespace {

TEST(PageColor, ResultWordsFollowThePageState)
{
    std::unique_ptr<PDEV> pdev(new PDEV());
    EXPECT_EQ(jc_SetPageColorResult(pdev.get(), 4), -1);
    EXPECT_EQ(jc_IsPageColorDecided(pdev.get()), 1) << "no page is being drawn";
    EXPECT_EQ(jc_MarkPageColored(pdev.get()), -1);
    pdev->job.pageState = PAGE_STATE_DOC_OPEN | PAGE_STATE_OUTPUT_BEGUN | PAGE_STATE_SHEET_OPEN;
    EXPECT_EQ(jc_IsPageColorDecided(pdev.get()), 0);
    EXPECT_EQ(jc_IsColorScanWanted(pdev.get()), 1);
    pdev->job.colorScanOff = 1;
    EXPECT_EQ(jc_IsColorScanWanted(pdev.get()), 0);
    EXPECT_EQ(jc_MarkPageColored(pdev.get()), 0);
    EXPECT_EQ(pdev->job.colorResult, PAGE_COLOR_COLORED);
    EXPECT_EQ(jc_IsPageColorDecided(pdev.get()), 1);
    EXPECT_EQ(jc_MarkPageColored(pdev.get()), -1);
    for (WORD value : {0, 1, 2, 3}) {
        EXPECT_EQ(jc_SetPageColorResult(pdev.get(), value), 0);
        EXPECT_EQ(pdev->job.colorResult, value);
    }
}

} // namespace
