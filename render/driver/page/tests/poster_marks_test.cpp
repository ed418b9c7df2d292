/*
 * The cutting marks of a poster tile: their style, the twelve segments in order at 600 dpi,
 * and a 2400 dpi A3 tile whose coordinates pass 16 bits.
 */
#include "render/driver/page/poster.h"

#include <gtest/gtest.h>

#include "render/driver/page/tests/page_fixture.h"

namespace page_test {
namespace {

class PosterMarksTest : public PageTest
{
protected:
    Lines Draw(LONG dpi, WORD printableWidth, WORD printableLength, LONG turned)
    {
        Set(20, dpi);
        setup().resolutionX = dpi;
        setup().resolutionY = dpi;
        setup().page.output.printableWidth = printableWidth;
        setup().page.output.printableLength = printableLength;
        setup().page.turned = turned;
        Mark();
        EXPECT_EQ(0, pg_DrawPosterMarks(pdev_));
        return Commands();
    }
};

// 600 dpi, a printable area of 200 x 287 mm (4724 x 6779 dots): quarter-point lines 2
// dots wide, 10 mm marks of 236 dots inset by 1 dot, each segment a move, a line and a
// paint, then the identity transform.
TEST_F(PosterMarksTest, TwelveSegmentsAt600Dpi)
{
    const Lines expected = {
        "AR",
        "AD 2",
        "AE 2",
        "AF 2",
        "AH 6 0 2 40 10",
        "AK 1",
        "AL 1 13",
        "AM 1 4 #000000",
        // corners: bottom left, top left, bottom right, top right; each along x, then y
        "BB 1 6778",
        "B0 1 236 0",
        "BD",
        "BB 1 6778",
        "B0 1 0 -236",
        "BD", //
        "BB 1 1",
        "B0 1 236 0",
        "BD",
        "BB 1 1",
        "B0 1 0 236",
        "BD", //
        "BB 4723 6778",
        "B0 1 -236 0",
        "BD",
        "BB 4723 6778",
        "B0 1 0 -236",
        "BD", //
        "BB 4723 1",
        "B0 1 -236 0",
        "BD",
        "BB 4723 1",
        "B0 1 0 236",
        "BD", //
        // centres of the bottom, top, left and right edges
        "BB 2244 6778",
        "B0 1 236 0",
        "BD",
        "BB 2244 1",
        "B0 1 236 0",
        "BD", //
        "BB 1 3507",
        "B0 1 0 -236",
        "BD",
        "BB 4723 3507",
        "B0 1 0 -236",
        "BD", //
        "Aa 1 0 0 1 0 0",
    };
    EXPECT_EQ(expected, Draw(600, 2000, 2870, 0));
    EXPECT_EQ(1, pdl_SetCacheEnabled(writer_, 1)) << "the writer's cache setting is restored";
}

// A turned page exchanges the printable width and length.
TEST_F(PosterMarksTest, TurnedPageExchangesTheAxes)
{
    Lines lines = Draw(600, 2870, 2000, 1);
    ASSERT_GT(lines.size(), 9u);
    EXPECT_EQ("BB 1 6778", lines[8]);
}

// A3 at 2400 dpi: 27307 x 38929 dots pass 16 bits; the marks still land at the far edges
// and centres.
TEST_F(PosterMarksTest, LargeSheetAtHighResolutionDoesNotOverflow)
{
    Lines lines = Draw(2400, 2890, 4120, 0);
    ASSERT_EQ(8u + 36u + 1u, lines.size()) << testing::PrintToString(lines);
    EXPECT_EQ("AD 8", lines[1]);
    EXPECT_EQ("AH 6 0 2 160 40", lines[4]);
    EXPECT_EQ("Bb 4 38925", lines[8]) << "a point past 16 bits takes the long form";
    EXPECT_EQ("Bp 1 948 38925", lines[9]);
    EXPECT_EQ("Bb 27303 38925", lines[20]);
    EXPECT_EQ("Bb 13181 38925", lines[32]) << "bottom centre: 27307 / 2 - 944 / 2";
    EXPECT_EQ("BB 27303 19936", lines[41]) << "right centre: 38929 / 2 + 944 / 2";
    EXPECT_EQ("B0 1 0 -944", lines[42]);
}

} // namespace
} // namespace page_test
