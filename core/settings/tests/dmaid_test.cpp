/* Public identifier translation: the generated table against its shape, both directions. */
#include "core/settings/dmaid.h"

#include <gtest/gtest.h>

namespace {

TEST(DmaId, TableHas1109PairsIn15RowsWithinTheirBounds)
{
    static const WORD kPairsPerRow[DMAID_RANGE_COUNT] = {25, 47, 48, 48, 48, 33, 64, 18, 57, 256, 63, 32, 87, 275, 8};
    DWORD total = 0;
    int row = 0;
    for (const DmaIdRange *range = g_DmaIdRanges; range->pairs != nullptr; range++, row++) {
        ASSERT_LT(row, DMAID_RANGE_COUNT);
        WORD count = 0;
        WORD previous = 0;
        for (const DmaIdPair *pair = range->pairs; pair->publicId != 0; pair++, count++) {
            EXPECT_GT(pair->publicId, previous) << "row " << row + 1;
            EXPECT_GE(pair->publicId, range->lowId);
            EXPECT_LE(pair->publicId, range->highId);
            previous = pair->publicId;
        }
        EXPECT_EQ(kPairsPerRow[row], count) << "row " << row + 1;
        total += count;
    }
    EXPECT_EQ(DMAID_RANGE_COUNT, row);
    EXPECT_EQ(1109u, total);
}

TEST(DmaId, TranslatesBothWays)
{
    struct Case {
        WORD publicId;
        WORD version;
        BOOL found;
        WORD functionId;
    };
    static const Case kCases[] = {
        {415, 0x5220, TRUE, 1834}, // row 5's moved run
        {4097, 0x5220, TRUE, 448}, // row 6 lies above row 7 numerically
        {513, 0x5220, TRUE, 1793},
        {1311, 0x5220, TRUE, 5889},
        {1674, 0x5220, TRUE, 8215},
        {36869, 0x5220, TRUE, 1858},
        {600, 0x5220, FALSE, 0},  // outside every row
        {448, 0x5220, FALSE, 0},  // outside every row in the current table
        {1282, 0x5220, FALSE, 0}, // inside row 14's bounds, no pair
        {0, 0x5220, FALSE, 0},
        {448, 0x5002, TRUE, 448}, // older list first for that version
        {482, 0x5002, TRUE, 482},
        {4097, 0x5002, TRUE, 448}, // not in the older list: the current table
    };
    for (const Case &c : kCases) {
        WORD functionId = 0xBEEF;
        EXPECT_EQ(c.found, dma_DmaIdToFunctionId(c.publicId, &functionId, c.version)) << c.publicId;
        EXPECT_EQ(c.found ? c.functionId : 0xBEEF, functionId) << c.publicId;
    }
    EXPECT_FALSE(dma_DmaIdToFunctionId(415, nullptr, 0x5220));

    struct Back {
        WORD functionId;
        BOOL found;
        WORD publicId;
    };
    static const Back kBack[] = {
        {1834, TRUE, 415},
        {448, TRUE, 4097},
        {456, TRUE, 1037},
        {1793, TRUE, 513},
        {5159, TRUE, 1063}, // row 13 names it before row 15
        {1858, TRUE, 552},  // row 9 names it before row 15
        {5185, TRUE, 1089},
        {8215, TRUE, 1674},
        {483, FALSE, 0},
        {0, FALSE, 0},
    };
    for (const Back &b : kBack) {
        WORD publicId = 0xBEEF;
        EXPECT_EQ(b.found, dma_FunctionIdToDmaId(b.functionId, &publicId)) << b.functionId;
        EXPECT_EQ(b.found ? b.publicId : 0xBEEF, publicId) << b.functionId;
    }

    // Every pair: forward gives its FunctionID, and reverse leads back to a pair naming it.
    for (const DmaIdRange *range = g_DmaIdRanges; range->pairs != nullptr; range++) {
        for (const DmaIdPair *pair = range->pairs; pair->publicId != 0; pair++) {
            WORD functionId = 0;
            WORD publicId = 0;
            ASSERT_TRUE(dma_DmaIdToFunctionId(pair->publicId, &functionId, 0x5220));
            EXPECT_EQ(pair->functionId, functionId);
            ASSERT_TRUE(dma_FunctionIdToDmaId(pair->functionId, &publicId));
            WORD again = 0;
            ASSERT_TRUE(dma_DmaIdToFunctionId(publicId, &again, 0x5220));
            EXPECT_EQ(pair->functionId, again);
        }
    }
}

} // namespace
