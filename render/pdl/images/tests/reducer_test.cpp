/*
 * Area-averaging reduction: weight tables, the reduced size with its ratio limit, and the
 * values of a known pattern.
 */
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "render/pdl/images/reducer.h"

TEST(Reducer, WeightTables)
{
    struct Case {
        DWORD sources, count;
        std::vector<WeightEntry> table;
    } cases[] = {
        {4, 2, {{0, 256, 1, 256}, {2, 256, 3, 256}}},
        {3, 2, {{0, 256, 1, 128}, {1, 128, 2, 256}}},
        {5, 2, {{0, 256, 2, 128}, {2, 128, 4, 256}}},
        {5, 3, {{0, 256, 1, 170}, {1, 86, 3, 85}, {3, 171, 4, 256}}},
        {3, 3, {{0, 256, 0, 256}, {1, 256, 1, 256}, {2, 256, 2, 256}}},
    };
    for (const Case &c : cases) {
        std::vector<WeightEntry> got(c.count);
        img_BuildWeights(got.data(), c.sources, c.count);
        DWORD total = 0;
        for (DWORD i = 0; i < c.count; ++i) {
            EXPECT_EQ(got[i].first, c.table[i].first) << c.sources << "->" << c.count << " entry " << i;
            EXPECT_EQ(got[i].firstWeight, c.table[i].firstWeight) << c.sources << "->" << c.count << " entry " << i;
            EXPECT_EQ(got[i].last, c.table[i].last) << c.sources << "->" << c.count << " entry " << i;
            EXPECT_EQ(got[i].lastWeight, c.table[i].lastWeight) << c.sources << "->" << c.count << " entry " << i;
            total += got[i].first == got[i].last
                         ? got[i].firstWeight
                         : got[i].firstWeight + got[i].lastWeight + 256 * (got[i].last - got[i].first - 1);
        }
        // The whole source is shared out (within the rounding of the fractions).
        EXPECT_NEAR((double)total, 256.0 * c.sources, c.count) << c.sources << "->" << c.count;
    }
}

TEST(Reducer, ReducedSizeAndRatioLimit)
{
    Reducer *reducer = img_CreateReducer();
    ASSERT_NE(reducer, nullptr);
    EXPECT_EQ(img_InitReducer(reducer, 1, 600, 0, 300), 0);
    ASSERT_EQ(img_InitReducer(reducer, 1, 600, 600, 300), 1);
    struct Case {
        DWORD source, dest, reduced;
        LONG accepted; // img_SetReduction of source to the computed size
    } cases[] = {
        {2000, 1000, 500, 1}, // half the device resolution
        {28, 4, 2, 1},        // ratio 14 exactly
        {29, 4, 3, 1},        // 14.5 raised to 29 / 14 + 1
        {40, 4, 3, 1},        // 20 raised to 40 / 14 + 1
        {1, 4, 1, 1},         // never above the source
        {10, 1, 1, 1},        // at least one pixel
    };
    for (const Case &c : cases) {
        DWORD width = 0;
        DWORD height = 0;
        img_GetReducedSize(reducer, c.source, c.source, c.dest, c.dest, &width, &height);
        EXPECT_EQ(width, c.reduced) << c.source;
        EXPECT_EQ(height, c.reduced) << c.source;
        EXPECT_EQ(img_SetReduction(reducer, c.source, c.source, width, height, 3), c.accepted) << c.source;
    }
    EXPECT_EQ(img_SetReduction(reducer, 29, 28, 2, 2, 3), 0); // 14.5 across refused
    EXPECT_EQ(img_SetReduction(reducer, 28, 29, 2, 2, 3), 0); // and down
    EXPECT_EQ(img_SetReduction(reducer, 4, 4, 5, 4, 3), 0);   // larger than the source
    EXPECT_EQ(img_SetReduction(reducer, 70000, 4, 5000, 4, 3), 0);
    img_DestroyReducer(reducer);
}

TEST(Reducer, ValuesOfAKnownPattern)
{
    Reducer *reducer = img_CreateReducer();
    ASSERT_NE(reducer, nullptr);
    ASSERT_EQ(img_InitReducer(reducer, 1, 600, 600, 300), 1);
    // 3 x 3 grey values reduced to 2 x 2: the middle row and column weigh half to each.
    ASSERT_EQ(img_SetReduction(reducer, 3, 3, 2, 2, 1), 1);
    const BYTE rows[3][3] = {{0, 100, 200}, {0, 100, 200}, {60, 160, 255}};
    std::vector<std::vector<BYTE>> out;
    for (const auto &row : rows) {
        LONG got = img_ReduceRow(reducer, row);
        ASSERT_GE(got, 0);
        if (got == 1) {
            out.emplace_back(reducer->output, reducer->output + 2);
        }
    }
    ASSERT_EQ(out.size(), 2u);
    // Across: (0 x 256 + 100 x 128 + 192) / 384 = 33, (100 x 128 + 200 x 256 + 192) / 384 = 167.
    EXPECT_EQ(out[0], (std::vector<BYTE>{33, 167}));
    // Down for the second row: row 1 at 128, row 2 at 256; row 2 across gives 93 and 223.
    EXPECT_EQ(
        out[1],
        (std::vector<BYTE>{(BYTE)((33 * 128 + 93 * 256 + 192) / 384), (BYTE)((167 * 128 + 223 * 256 + 192) / 384)}));
    // A row past the image is an error, never dropped silently.
    EXPECT_EQ(img_ReduceRow(reducer, rows[0]), -1);

    // Three channels of a 4 x 2 RGB image to 2 x 1: plain means of 2 x 2 blocks.
    ASSERT_EQ(img_SetReduction(reducer, 4, 2, 2, 1, 3), 1);
    const BYTE rgb[2][12] = {{10, 20, 30, 30, 40, 50, 0, 0, 0, 255, 255, 255},
                             {10, 20, 30, 30, 40, 50, 0, 0, 0, 255, 255, 255}};
    EXPECT_EQ(img_ReduceRow(reducer, rgb[0]), 0);
    EXPECT_EQ(img_ReduceRow(reducer, rgb[1]), 1);
    EXPECT_EQ(std::vector<BYTE>(reducer->output, reducer->output + 6), (std::vector<BYTE>{20, 30, 40, 128, 128, 128}));
    img_DestroyReducer(reducer);
}
