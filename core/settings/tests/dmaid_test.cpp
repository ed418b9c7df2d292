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
}

/* The identifier runs, typed from the table of runs (public first-last -> FunctionID
 * first-last, row by row in table order), checked once at both ends of every run: a run
 * starting or ending one early or late, or shifted by one, shows at its boundary. */
TEST(DmaId, EveryRunTranslatesAtBothEnds)
{
    struct Run {
        WORD publicFirst, publicLast, fidFirst, fidLast;
    };
    static const Run kRuns[] = {
        // row 1
        {1, 25, 1, 25},
        // row 2
        {257, 288, 257, 288},
        {289, 290, 1832, 1833},
        {291, 303, 291, 303},
        // row 3
        {304, 336, 304, 336},
        {337, 337, 1829, 1829},
        {338, 346, 338, 346},
        {347, 347, 1831, 1831},
        {348, 351, 348, 351},
        // row 4
        {352, 377, 352, 377},
        {378, 378, 1830, 1830},
        {379, 399, 379, 399},
        // row 5
        {400, 414, 400, 414},
        {415, 434, 1834, 1853},
        {435, 447, 435, 447},
        // row 6
        {4097, 4104, 448, 455},
        {4105, 4129, 458, 482},
        // row 7
        {449, 462, 1281, 1294},
        {463, 463, 4129, 4129},
        {464, 499, 1296, 1331},
        {500, 512, 1335, 1347},
        // row 8
        {961, 978, 1348, 1365},
        // row 9
        {513, 548, 1793, 1828},
        {549, 552, 1855, 1858},
        {553, 568, 1861, 1876},
        {569, 569, 1878, 1878},
        // row 10
        {2305, 2560, 2305, 2560},
        // row 11
        {769, 800, 4097, 4128},
        {801, 810, 4353, 4362},
        {811, 812, 4366, 4367},
        {813, 822, 4130, 4139},
        {823, 823, 4368, 4368},
        {824, 825, 4140, 4141},
        {826, 826, 4369, 4369},
        {827, 829, 4142, 4144},
        {830, 831, 4370, 4371},
        // row 12
        {897, 928, 4609, 4640},
        // row 13
        {1025, 1025, 5121, 5121},
        {1026, 1026, 1333, 1333},
        {1027, 1027, 5123, 5123},
        {1028, 1028, 1332, 1332},
        {1029, 1029, 4365, 4365},
        {1030, 1031, 5126, 5127},
        {1032, 1032, 1334, 1334},
        {1033, 1036, 5129, 5132},
        {1037, 1037, 456, 456},
        {1038, 1042, 5134, 5138},
        {1043, 1044, 1859, 1860},
        {1045, 1054, 5141, 5150},
        {1055, 1055, 457, 457},
        {1056, 1057, 5152, 5153},
        {1058, 1058, 4363, 4363},
        {1059, 1061, 5155, 5157},
        {1062, 1062, 4364, 4364},
        {1063, 1111, 5159, 5207},
        // row 14
        {1281, 1281, 8201, 8201},
        {1297, 1298, 8202, 8203},
        {1307, 1310, 8204, 8207},
        {1311, 1320, 5889, 5898},
        {1321, 1330, 5909, 5918},
        {1331, 1340, 5929, 5938},
        {1341, 1415, 6145, 6219},
        {1416, 1425, 6401, 6410},
        {1426, 1429, 8208, 8211},
        {1430, 1439, 5899, 5908},
        {1536, 1545, 5919, 5928},
        {1546, 1555, 5939, 5948},
        {1556, 1556, 8212, 8212},
        {1557, 1661, 6220, 6324},
        {1662, 1671, 6411, 6420},
        {1672, 1674, 8213, 8215},
        // row 15
        {36865, 36867, 5159, 5161},
        {36868, 36868, 5175, 5175},
        {36869, 36869, 1858, 1858},
        {36870, 36871, 5181, 5182},
        {36872, 36872, 5185, 5185},
    };
    for (const Run &run : kRuns) {
        WORD functionId = 0;
        ASSERT_TRUE(dma_DmaIdToFunctionId(run.publicFirst, &functionId, 0x5220)) << run.publicFirst;
        EXPECT_EQ(run.fidFirst, functionId) << run.publicFirst;
        ASSERT_TRUE(dma_DmaIdToFunctionId(run.publicLast, &functionId, 0x5220)) << run.publicLast;
        EXPECT_EQ(run.fidLast, functionId) << run.publicLast;
    }
    // The gaps inside row 14's bounds translate to nothing.
    for (WORD gap : {1282, 1296, 1299, 1306, 1440, 1535}) {
        WORD functionId = 0;
        EXPECT_FALSE(dma_DmaIdToFunctionId(gap, &functionId, 0x5220)) << gap;
    }
}

} // namespace
