/*
 * Binding-position tables: edge codes, the position index and both directions.
 */
#include <gtest/gtest.h>

#include "core/settings/binding_position.h"

namespace {

TEST(BindingPosition, EdgeTable)
{
    /* user choice, then portrait class 1, portrait class 2, landscape class 1, landscape class 2 */
    const WORD table[5][5] = {{0, 0, 0, 0, 0}, {1, 6, 5, 5, 6}, {2, 8, 4, 4, 8}, {3, 1, 3, 3, 1}, {4, 2, 7, 7, 2}};
    const WORD pages[2][3] = {{1, 4, 16}, {2, 8, 32}};
    for (const auto &row : table)
        for (int col = 0; col < 4; ++col)
            for (WORD p : pages[col % 2]) {
                PositionQuery q = {(WORD)(col < 2 ? 1 : 2), p, 0, row[0]};
                WORD out = 0xEEEE;
                EXPECT_EQ(opt_MapOrientedEdge(&q, &out), 0);
                EXPECT_EQ(out, row[col + 1]) << "choice " << row[0] << " column " << col;
                /* the edge code maps back to the choice */
                WORD choice = 0xEEEE;
                EXPECT_EQ(opt_MapPositionCode(out, &choice), 0);
                EXPECT_EQ(choice, row[0]);
            }
    WORD out = 0xEEEE;
    PositionQuery other = {1, 1, 0, 5};
    EXPECT_EQ(opt_MapOrientedEdge(&other, &out), 1);
    PositionQuery sideways = {3, 1, 0, 1};
    EXPECT_EQ(opt_MapOrientedEdge(&sideways, &out), 1);
    PositionQuery threeUp = {1, 3, 0, 1};
    EXPECT_EQ(opt_MapOrientedEdge(&threeUp, &out), 1);
    EXPECT_EQ(out, 0xEEEE);
    EXPECT_EQ(opt_MapPositionCode(9, &out), 1);
    EXPECT_EQ(out, 0xEEEE);
}

TEST(BindingPosition, PositionsMapToDeviceValuesAndBack)
{
    struct Expect {
        WORD fid;
        int lastRow;
        WORD a[9], b[9]; /* device values of index rows 0..8 in rotation A and B */
    };
    const Expect expects[] = {
        {320, 8, {0, 1, 2, 3, 4, 5, 6, 7, 8}, {0, 2, 4, 1, 3, 6, 7, 8, 5}},
        {341, 4, {0, 1, 2, 3, 4}, {0, 2, 4, 1, 3}},
    };
    /* rotation A: portrait class 1, landscape class 2; B the other two */
    const PositionQuery rotations[2][2] = {{{1, 1, 0, 0}, {2, 2, 0, 0}}, {{1, 2, 0, 0}, {2, 1, 0, 0}}};
    for (const Expect &e : expects)
        for (int rot = 0; rot < 2; ++rot)
            for (PositionQuery q : rotations[rot])
                for (int row = 1; row <= e.lastRow; ++row) {
                    SCOPED_TRACE(testing::Message() << e.fid << " rotation " << rot << " row " << row);
                    q.userChoice = g_PositionIndex[row][e.fid == 320 ? 0 : 1];
                    WORD device = 0xEEEE, back = 0xEEEE;
                    ASSERT_EQ(opt_MapOrientedPosition(e.fid, &q, &device), 0);
                    EXPECT_EQ(device, rot == 0 ? e.a[row] : e.b[row]);
                    q.deviceValue = device;
                    ASSERT_EQ(opt_MapPositionToChoice(e.fid, &q, &back), 0);
                    EXPECT_EQ(back, q.userChoice);
                }

    /* 341's last rows copy its first ones; choices it lacks and other FunctionIDs find nothing. */
    WORD out = 0xEEEE;
    PositionQuery q = {1, 1, 0, 1542};
    EXPECT_EQ(opt_MapOrientedPosition(341, &q, &out), 0);
    EXPECT_EQ(out, 5);
    q.userChoice = 259;
    EXPECT_EQ(opt_MapOrientedPosition(341, &q, &out), 1);
    q.userChoice = POSITION_NO_CHOICE;
    EXPECT_EQ(opt_MapOrientedPosition(341, &q, &out), 1);
    q.userChoice = 257;
    EXPECT_EQ(opt_MapOrientedPosition(267, &q, &out), 1);
    q.deviceValue = 6;
    EXPECT_EQ(opt_MapPositionToChoice(341, &q, &out), 1);
}

TEST(BindingPosition, LookupSelectsValueOrAlternative)
{
    const PositionRow table[] = {{1, 1, 10, 20}, {2, 2, 30, 40}, {0, POSITION_CLASS_END, 0, 0}};
    PositionQuery q = {2, 32, 0, 0};
    WORD out = 0;
    EXPECT_EQ(opt_LookupPosition(table, &q, 0, &out), 0);
    EXPECT_EQ(out, 30);
    EXPECT_EQ(opt_LookupPosition(table, &q, 1, &out), 0);
    EXPECT_EQ(out, 40);
    q.pagesPerSheet = 16;
    EXPECT_EQ(opt_LookupPosition(table, &q, 0, &out), 1);
    EXPECT_EQ(opt_LookupPosition(nullptr, &q, 0, &out), 1);
}

} // namespace
