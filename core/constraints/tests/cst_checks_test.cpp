/* Checking changes: trials, current settings, record groups by mode, the out list, the
 * second check of option sets and failures that leave the caller's state alone. */
#include "core/constraints/tests/constraints_test_support.h"

#include "platform/testing/qm_testing.h"

#include <gtest/gtest.h>

namespace {

/*
 * Type-7 records by index:
 * 1 two-sided (16 = 2) excludes A5 (8 = 11), kind 1, on option "Long edge";
 * 2 paper A5 conflicts with 16 = 2 and 15 = 1 and 7 = 2 (one set of three), kind 2;
 * 3-5 on collate (18), no conditions: kind 5 out of mode 1, kind 4 out of mode 2, kind 7
 *   only in mode 3;
 * 6 staple (274 = 1) conflicts with black and white (15 = 1), kind 1;
 * 7 colour (15) is hidden (kind 6) in landscape (7 = 2);
 * 8 short-edge duplex (16 = 3) conflicts with A5, kind 1, on the duplex definition;
 * 9 trigger kind 2: duplex other than 1 or 3 with A4, kind 9.
 */
const char kRecords[] =
    "  - {type: 4, key: 16, caption: Duplex, control: 2, default: 1, options: [161, 162, 163], keys2: [8, 9]}\n"
    "  - {type: 14, key: 161, caption: Off, value: {type: 2, value: 1}}\n"
    "  - {type: 14, key: 162, caption: Long, value: {type: 2, value: 2}, keys1: [1]}\n"
    "  - {type: 14, key: 163, caption: Short, value: {type: 2, value: 3}}\n"
    "  - {type: 4, key: 8, caption: Paper, control: 2, default: 1, options: [81, 82]}\n"
    "  - {type: 14, key: 81, caption: A4, value: {type: 2, value: 9}}\n"
    "  - {type: 14, key: 82, caption: A5, value: {type: 2, value: 11}, keys1: [2]}\n"
    "  - {type: 4, key: 18, caption: Collate, control: 1, default: 1, options: [181], keys2: [3, 4, 5]}\n"
    "  - {type: 14, key: 181, caption: On, value: {type: 2, value: 1}}\n"
    "  - {type: 4, key: 274, caption: Staple, control: 2, default: 1, options: [2741, 2742]}\n"
    "  - {type: 14, key: 2741, caption: Off, value: {type: 3, value: 0}}\n"
    "  - {type: 14, key: 2742, caption: On, value: {type: 3, value: 1}, keys1: [6]}\n"
    "  - {type: 4, key: 15, caption: Colour, control: 2, default: 1, options: [151], keys2: [7]}\n"
    "  - {type: 14, key: 151, caption: Mono, value: {type: 2, value: 1}}\n"
    "  - {type: 4, key: 7, caption: Orientation, control: 2, default: 1, options: [71]}\n"
    "  - {type: 14, key: 71, caption: Portrait, value: {type: 2, value: 1}}\n"
    "  - {type: 7, key: 1, value: {function: 16, byte: 1, type: 2, value: 2}, word1: 1,"
    " flagged: [{function: 8, byte: 1, type: 2, value: 11, flag: 4}]}\n"
    "  - {type: 7, key: 2, value: {function: 8, type: 2}, word1: 2, flagged: [{function: 16, byte: 1, type: 2,"
    " value: 2}, {function: 15, byte: 1, type: 2, value: 1}, {function: 7, byte: 1, type: 2, value: 2, flag: 4}]}\n"
    "  - {type: 7, key: 3, value: {function: 18, type: 2}, word1: 0x205}\n"
    "  - {type: 7, key: 4, value: {function: 18, type: 2}, word1: 0x104}\n"
    "  - {type: 7, key: 5, value: {function: 18, type: 2}, word1: 0x4007}\n"
    "  - {type: 7, key: 6, value: {function: 274, byte: 1, type: 3, value: 1}, word1: 1,"
    " flagged: [{function: 15, byte: 1, type: 2, value: 1, flag: 4}]}\n"
    "  - {type: 7, key: 7, value: {function: 15, type: 2}, word1: 6,"
    " flagged: [{function: 7, byte: 1, type: 2, value: 2, flag: 4}]}\n"
    "  - {type: 7, key: 8, value: {function: 16, byte: 1, type: 2, value: 3}, word1: 1,"
    " flagged: [{function: 8, byte: 1, type: 2, value: 11, flag: 4}]}\n"
    "  - {type: 7, key: 9, value: {function: 16, byte: 2, type: 128, value: 1}, word1: 9,"
    " flagged: [{function: 8, byte: 1, type: 2, value: 9, flag: 4}]}\n"
    "  - {type: 20, key: 1, word1: 0, element_type: 2, element_size: 2, elements: [1, 3]}\n";

class Checks : public testing::Test
{
protected:
    Engine engine{kRecords};
    ConflictState state{};
    void TearDown() override
    {
        cst_ClearConflictState(&state);
    }
};

TEST_F(Checks, TrialOfAChangeAgainstTheOtherSettings)
{
    engine.areas->set(8, 11);
    LONG longEdge = 2;
    WORD *out = nullptr;
    ASSERT_EQ(0, engine.Query(16, &longEdge, &state, CST_MODE_CHECK, &out));
    EXPECT_EQ(1, state.kind);
    EXPECT_EQ(std::vector<WORD>{1}, List(state, 1));
    EXPECT_EQ((std::vector<WORD>{8, 16}), OutList(out)) << "the settings to re-evaluate, then the change";
    EXPECT_EQ(0, out[2]);
    GlobalFree(out);

    // With A4 the option's record does not fire; nothing is found and no out list made.
    engine.areas->set(8, 9);
    cst_ClearConflictState(&state);
    ASSERT_EQ(0, engine.Query(16, &longEdge, &state, CST_MODE_CHECK, &out));
    EXPECT_EQ(0, state.kind);
    EXPECT_TRUE(List(state, 1).empty());
    EXPECT_EQ(nullptr, out);
}

TEST_F(Checks, OutListHoldsTheMatchingSetThenTheChange)
{
    engine.areas->set(16, 2);
    engine.areas->set(15, 1);
    engine.areas->set(7, 2);
    LONG a5 = 11;
    WORD *out = nullptr;
    ASSERT_EQ(0, engine.Query(8, &a5, &state, CST_MODE_DEFAULTS, &out));
    EXPECT_EQ(2, state.kind);
    EXPECT_EQ((std::vector<WORD>{16, 15, 7, 8}), OutList(out));
    EXPECT_EQ(0, out[4]);
    EXPECT_EQ(5 * sizeof(WORD), GlobalSize(out)) << "a block of exactly its size";
    GlobalFree(out);
}

TEST_F(Checks, NoConstraintListsLeaveTheStateEmpty)
{
    LONG portrait = 1;
    ASSERT_EQ(0, engine.Query(7, &portrait, &state));
    EXPECT_EQ(0, state.kind);
    EXPECT_TRUE(List(state, 1).empty() && List(state, 2).empty() && List(state, 3).empty());
    // A zero-filled state of the caller comes back as it was when nothing is found.
    state.kind = 9;
    ASSERT_EQ(0, engine.Query(7, &portrait, &state));
    EXPECT_EQ(9, state.kind);
}

TEST_F(Checks, TrialUnderACurrentConflictReportsKindZero)
{
    engine.areas->set(16, 3);
    engine.areas->set(8, 11);
    ASSERT_EQ(0, engine.Query(16, nullptr, &state));
    EXPECT_EQ(1, state.kind) << "the current settings conflict";
    cst_ClearConflictState(&state);
    LONG shortEdge = 3;
    WORD *out = nullptr;
    ASSERT_EQ(0, engine.Query(16, &shortEdge, &state, CST_MODE_CHECK, &out));
    EXPECT_EQ(0, state.kind);
    EXPECT_EQ(std::vector<WORD>{8}, List(state, 1)) << "the current state is reported";
    EXPECT_EQ((std::vector<WORD>{8, 16}), OutList(out));
    GlobalFree(out);
}

TEST_F(Checks, RecordGroupsByMode)
{
    struct Case {
        WORD mode;
        std::vector<WORD> records;
        WORD kind;
    };
    const Case kCases[] = {
        {CST_MODE_DEFAULTS, {3, 4}, 5},
        {CST_MODE_CHECK, {4}, 4},
        {CST_MODE_RESOLVE, {3}, 5}, // cst_CheckConflicts only checks in mode 2
        {CST_MODE_RESET, {3, 4, 5}, 7},
    };
    for (const Case &c : kCases) {
        cst_ClearConflictState(&state);
        ASSERT_EQ(0, engine.Query(18, nullptr, &state, c.mode));
        EXPECT_EQ(c.records, List(state, 1)) << "mode " << c.mode;
        EXPECT_EQ(c.kind, state.kind) << "mode " << c.mode;
    }
}

TEST_F(Checks, TriggerMatchKinds)
{
    // Record 9: duplex differing from both 1 and 3 (a value list) while A4 is set.
    engine.areas->set(8, 9);
    struct Case {
        LONG duplex;
        WORD kind;
    };
    for (const Case &c : {Case{1, 0}, Case{3, 0}, Case{2, 9}}) {
        cst_ClearConflictState(&state);
        engine.areas->set(16, c.duplex);
        ASSERT_EQ(0, engine.Query(16, nullptr, &state));
        EXPECT_EQ(c.kind, state.kind) << "duplex " << c.duplex;
        EXPECT_EQ(c.kind ? std::vector<WORD>{9} : std::vector<WORD>{}, List(state, 1));
    }
}

TEST_F(Checks, SecondCheckOfModeOneDropsAConflictingSet)
{
    engine.areas->set(15, 1);
    LONG staple = 1;
    struct Case {
        LONG orientation;
        WORD mode;
        WORD kind;
    };
    // In landscape colour is hidden on its own (record 7): mode 1 drops the set.
    const Case kCases[] = {{1, CST_MODE_CHECK, 1}, {2, CST_MODE_CHECK, 0}, {2, CST_MODE_DEFAULTS, 1}};
    for (const Case &c : kCases) {
        cst_ClearConflictState(&state);
        engine.areas->set(7, c.orientation);
        ASSERT_EQ(0, engine.Query(274, &staple, &state, c.mode, nullptr, VT_WORD));
        EXPECT_EQ(c.kind, state.kind) << "orientation " << c.orientation << " mode " << c.mode;
    }
}

TEST_F(Checks, FailuresLeaveTheCallersStateAsItWas)
{
    Engine broken("  - {type: 4, key: 16, caption: D, control: 2, default: 1, options: [161], keys2: [5]}\n"
                  "  - {type: 14, key: 161, caption: Off, value: {type: 2, value: 1}}\n"
                  "  - {type: 7, key: 1, value: {function: 16, type: 2}, word1: 1}\n");
    for (WORD i = 1; i <= 9; ++i)
        cst_AddChangedId(CST_LIST_TYPE7, &state, (WORD)(100 + i));
    state.kind = 3;
    broken.Query(16, nullptr, &state); // the reader's scratch buffers stay with the file
    DWORD blocks = qmt_LiveGlobalBlocks();
    WORD *out = (WORD *)1;
    EXPECT_EQ(1, broken.Query(16, nullptr, &state, CST_MODE_CHECK, &out)) << "record index past the list";
    EXPECT_EQ(nullptr, out);
    EXPECT_EQ(3, state.kind);
    EXPECT_EQ(9u, List(state, 1).size());
    EXPECT_EQ(1,
              cst_CheckConflicts(1,
                                 nullptr,
                                 &broken.driver,
                                 &broken.areas->devmode,
                                 &broken.areas->block,
                                 nullptr,
                                 7,
                                 VT_SHORT,
                                 nullptr,
                                 &state,
                                 nullptr,
                                 0))
        << "no printer";
    EXPECT_EQ(3, state.kind);
    EXPECT_EQ(1,
              cst_CheckConflicts(1,
                                 TEST_PRINTER,
                                 &broken.driver,
                                 nullptr,
                                 &broken.areas->block,
                                 nullptr,
                                 7,
                                 VT_SHORT,
                                 nullptr,
                                 &state,
                                 nullptr,
                                 0));
    EXPECT_EQ(blocks, qmt_LiveGlobalBlocks());
}

TEST_F(Checks, OptionFilterLimitsTheEvaluation)
{
    engine.areas->set(8, 11);
    LONG longEdge = 2;
    const WORD unrelated[] = {274, 0};
    const WORD related[] = {16, 0};
    ASSERT_EQ(0,
              cst_CheckConflicts(1,
                                 TEST_PRINTER,
                                 &engine.driver,
                                 &engine.areas->devmode,
                                 &engine.areas->block,
                                 unrelated,
                                 16,
                                 VT_SHORT,
                                 &longEdge,
                                 &state,
                                 nullptr,
                                 0));
    EXPECT_EQ(0, state.kind);
    ASSERT_EQ(0,
              cst_CheckConflicts(1,
                                 TEST_PRINTER,
                                 &engine.driver,
                                 &engine.areas->devmode,
                                 &engine.areas->block,
                                 related,
                                 16,
                                 VT_SHORT,
                                 &longEdge,
                                 &state,
                                 nullptr,
                                 0));
    EXPECT_EQ(1, state.kind);
}

} // namespace

namespace {

TEST(RecordLists, SecondKindRecordsGoToTheSecondList)
{
    Engine engine("  - {type: 4, key: 15, caption: C, control: 2, default: 1, options: [151], keys2: [1], keys3: [1]}\n"
                  "  - {type: 14, key: 151, caption: Mono, value: {type: 2, value: 1}}\n"
                  "  - {type: 7, key: 1, value: {function: 15, type: 2}, word1: 9,"
                  " flagged: [{function: 16, byte: 1, type: 2, value: 2, flag: 4}]}\n"
                  "  - {type: 8, key: 1, value: {function: 15, type: 2}, word1: 13,"
                  " flagged: [{function: 16, byte: 1, type: 2, value: 2, flag: 4}]}\n");
    engine.areas->set(16, 2);
    ConflictState state = {};
    ASSERT_EQ(0, engine.Query(15, nullptr, &state));
    EXPECT_EQ(std::vector<WORD>{1}, List(state, 1));
    EXPECT_EQ(std::vector<WORD>{1}, List(state, 2));
    EXPECT_EQ(13, state.kind) << "545 beats 270";
    cst_ClearConflictState(&state);
}

TEST(RecordLists, DamagedRecordsAreErrors)
{
    struct Case {
        const char *what;
        const char *record;
    };
    const Case kCases[] = {
        {"stride other than the value's width",
         "{type: 7, key: 1, value: {function: 16, byte: 1, word: 4, type: 2, value: 2}, word1: 1}"},
        {"match kind outside 0-2", "{type: 7, key: 1, value: {function: 16, byte: 3, type: 2, value: 2}, word1: 1}"},
        {"value list narrower than its type",
         "{type: 7, key: 1, value: {function: 16, byte: 1, type: 128, value: 1}, word1: 1}"},
        {"condition of operator 9 from the file (no rows behind it)",
         "{type: 7, key: 1, value: {function: 16, type: 2}, word1: 1,"
         " flagged: [{function: 16, byte: 9, type: 10, value: 305419896, flag: 4}]}"},
        {"condition on a setting of another type",
         "{type: 7, key: 1, value: {function: 16, type: 2}, word1: 1,"
         " flagged: [{function: 16, byte: 1, type: 3, value: 2, flag: 4}]}"},
        {"trigger on a setting that does not exist",
         "{type: 7, key: 1, value: {function: 40000, byte: 1, type: 2, value: 2}, word1: 1}"},
    };
    for (const Case &c : kCases) {
        Engine engine(std::string("  - {type: 4, key: 16, caption: D, control: 2, default: 1, options: [161],"
                                  " keys2: [1]}\n"
                                  "  - {type: 14, key: 161, caption: Off, value: {type: 2, value: 1}}\n"
                                  "  - {type: 20, key: 1, word1: 0, element_type: 2, element_size: 1,"
                                  " elements: [1, 3]}\n  - ") +
                      c.record + "\n");
        engine.areas->set(16, 2);
        ConflictState state = {};
        state.kind = 5;
        EXPECT_EQ(1, engine.Query(16, nullptr, &state)) << c.what;
        EXPECT_EQ(5, state.kind) << c.what;
        cst_ClearConflictState(&state);
    }
}

} // namespace
