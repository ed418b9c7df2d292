/* Resolving conflicts by change lists, and the engine in the call forms of the user
 * interface: query, resolve and reset. */
#include "core/constraints/tests/constraints_test_support.h"

#include "core/ddd/ddd_access.h"
#include "platform/testing/qm_testing.h"

#include <gtest/gtest.h>

namespace {

/*
 * Duplex "Long edge" (16 = 2) lists four type-7 records:
 * 1 with A5 (8 = 11), kind 1: paper back to its default (marker 0x8000);
 * 2 kind 3: orientation landscape (7 = 2) and black and white (15 = 1);
 * 3 kind 3: orientation portrait (7 = 1), skipped once 7 is changed;
 * 4 out of resolution (bit 8): collate on (18 = 1).
 * Duplex "Short edge" (16 = 3) lists record 5 (seven changes, the list grows past five)
 * and record 6 (a LOGFONT row, refused). Collate "On" (18 = 1) lists record 7 of kind 2,
 * only in the reset check (bit 14).
 */
const char kRecords[] =
    "  - {type: 4, key: 16, caption: Duplex, control: 2, default: 1, options: [161, 162, 163]}\n"
    "  - {type: 14, key: 161, caption: Off, value: {type: 2, value: 1}}\n"
    "  - {type: 14, key: 162, caption: Long, value: {type: 2, value: 2}, keys1: [1, 2, 3, 4]}\n"
    "  - {type: 14, key: 163, caption: Short, value: {type: 2, value: 3}, keys1: [5, 6]}\n"
    "  - {type: 4, key: 8, caption: Paper, control: 2, default: 1, options: [81, 82]}\n"
    "  - {type: 14, key: 81, caption: A4, value: {type: 2, value: 9}}\n"
    "  - {type: 14, key: 82, caption: A5, value: {type: 2, value: 11}}\n"
    "  - {type: 4, key: 18, caption: Collate, control: 2, default: 1, options: [181, 182]}\n"
    "  - {type: 14, key: 181, caption: Off, value: {type: 2, value: 0}}\n"
    "  - {type: 14, key: 182, caption: On, value: {type: 2, value: 1}, keys1: [7]}\n"
    "  - {type: 7, key: 1, value: {function: 16, byte: 1, type: 2, value: 2}, word1: 1,"
    " flagged: [{function: 8, byte: 1, type: 2, value: 11, flag: 4}], values: [{function: 8, type: 2, value: "
    "-32768}]}\n"
    "  - {type: 7, key: 2, value: {function: 16, byte: 1, type: 2, value: 2}, word1: 3,"
    " values: [{function: 7, type: 2, value: 2}, {function: 15, type: 2, value: 1}]}\n"
    "  - {type: 7, key: 3, value: {function: 16, byte: 1, type: 2, value: 2}, word1: 3,"
    " values: [{function: 7, type: 2, value: 1}]}\n"
    "  - {type: 7, key: 4, value: {function: 16, type: 2}, word1: 0x103, values: [{function: 18, type: 2, value: 1}]}\n"
    "  - {type: 7, key: 5, value: {function: 16, byte: 1, type: 2, value: 3}, word1: 2,"
    " values: [{function: 7, type: 2, value: 2}, {function: 15, type: 2, value: 2}, {function: 18, type: 2, value: 1},"
    " {function: 274, type: 3, value: 1}, {function: 13, type: 2, value: 4}, {function: 10, type: 2, value: 1000},"
    " {function: 9, type: 2, value: 1500}]}\n"
    "  - {type: 7, key: 6, value: {function: 16, byte: 1, type: 2, value: 3}, word1: 2,"
    " values: [{function: 304, type: 9, value: {height: -12, face: Sans}}]}\n"
    "  - {type: 7, key: 7, value: {function: 18, byte: 1, type: 2, value: 1}, word1: 0x4002}\n";

class Resolve : public testing::Test
{
protected:
    Engine engine{kRecords};
    /* The record the user interface resolves against: the option holding the value. */
    void *Option(WORD functionId, SHORT value)
    {
        DddFunctionRequest request = {
            DDD_LEVEL_MODEL, engine.driver.model, engine.driver.base, functionId, &value, 0, 0, nullptr};
        EXPECT_EQ(DDD_OK, ddd_GetFunctionRecord(&request));
        return request.record;
    }
    /* Resolves duplex set to *value against its option's type-7 list in the user
     * interface's form: mode 2, no state, the changed list starting in inlineIds (5). */
    WORD ResolveDuplex(const SHORT *value, WORD *inlineIds, WORD **changed, WORD *count)
    {
        void *record = Option(16, *value);
        ChangeEntry change = {16, VT_SHORT, value};
        *changed = inlineIds;
        *count = 0;
        WORD status = cst_CheckConstraints(TEST_PRINTER,
                                           CST_MODE_RESOLVE,
                                           CST_LIST_TYPE7,
                                           0,
                                           &engine.context,
                                           &change,
                                           nullptr,
                                           record,
                                           changed,
                                           count,
                                           nullptr,
                                           0);
        ddd_FreeRecord(&record, DDD_FREE_OWN_TYPE);
        return status;
    }
    /* Reads the description once, so that the reader's scratch buffers (kept with the
     * file) are out of the leak counts. */
    void WarmUp()
    {
        void *record = Option(16, 1);
        ddd_FreeRecord(&record, DDD_FREE_OWN_TYPE);
    }
};

TEST_F(Resolve, ChangeListsApplyWithMarkersAndKindThreeOnce)
{
    engine.areas->set(8, 11);
    engine.areas->set(7, 1);
    engine.areas->set(18, 0);
    WarmUp();
    DWORD blocks = qmt_LiveGlobalBlocks();
    const SHORT longEdge = 2;
    WORD inlineIds[CST_CHANGED_INLINE] = {};
    WORD *changed = nullptr;
    WORD count = 0;
    ASSERT_EQ(0, ResolveDuplex(&longEdge, inlineIds, &changed, &count));
    EXPECT_EQ(9, engine.Number(8)) << "the marker stands for the default";
    EXPECT_EQ(2, engine.Number(7)) << "record 3 (kind 3) left 7 as record 2 changed it";
    EXPECT_EQ(1, engine.Number(15));
    EXPECT_EQ(0, engine.Number(18)) << "bit 8 keeps record 4 out of resolution";
    EXPECT_EQ((std::vector<WORD>{8, 7, 15}), std::vector<WORD>(changed, changed + count));
    EXPECT_EQ(inlineIds, changed);
    EXPECT_EQ(blocks, qmt_LiveGlobalBlocks());
}

TEST_F(Resolve, ChangedListGrowsOntoTheHeapAndRefusedTypesStopTheRun)
{
    WarmUp();
    DWORD blocks = qmt_LiveGlobalBlocks();
    const SHORT shortEdge = 3;
    WORD inlineIds[CST_CHANGED_INLINE + 1] = {0, 0, 0, 0, 0, 0xBEEF};
    WORD *changed = nullptr;
    WORD count = 0;
    // Record 5 writes seven settings; record 6's LOGFONT row is refused and ends the run.
    EXPECT_EQ(1, ResolveDuplex(&shortEdge, inlineIds, &changed, &count));
    EXPECT_EQ(7, count);
    EXPECT_NE(inlineIds, changed);
    EXPECT_EQ((std::vector<WORD>{7, 15, 18, 274, 13, 10, 9}), std::vector<WORD>(changed, changed + count));
    EXPECT_EQ(0xBEEF, inlineIds[CST_CHANGED_INLINE]) << "the caller's buffer is untouched past its five";
    EXPECT_EQ(1500, engine.Number(9));
    EXPECT_EQ(1, engine.Number(274));
    cst_FreeIdList(&changed, &count, CST_CHANGED_INLINE, inlineIds);
    EXPECT_EQ(blocks, qmt_LiveGlobalBlocks()) << "no block leaks";

    LONG value = 1;
    for (WORD type : {VT_NONE, VT_LOGFONT}) {
        ChangeEntry refused = {7, type, &value};
        EXPECT_EQ(1, cst_ApplyChangeEntry(&engine.context, &refused)) << type;
    }
    ChangeEntry wrongType = {7, VT_WORD, &value};
    EXPECT_EQ(1, cst_ApplyChangeEntry(&engine.context, &wrongType)) << "the settings refuse another type";
    ChangeEntry text = {297, VT_STRING, TEXT("Draft")};
    EXPECT_EQ(0, cst_ApplyChangeEntry(&engine.context, &text));
    EXPECT_EQ("Draft",
              ddd_test::Narrow(
                  (const WCHAR *)dma_GetTypedValue(&engine.areas->devmode, &engine.areas->block, 297, VT_STRING)));
    // Markers in a copy: 0x8001 as well; no marker leaves the copy; no default fails.
    LONG copy = 0x8001;
    ChangeEntry marker = {8, VT_SHORT, &copy};
    EXPECT_EQ(0, cst_ResolveDefaultMarker(&engine.context, &marker));
    EXPECT_EQ(9, (SHORT)copy);
    copy = 11;
    EXPECT_EQ(0, cst_ResolveDefaultMarker(&engine.context, &marker));
    EXPECT_EQ(11, copy);
    copy = 0x8000;
    ChangeEntry undefined = {274, VT_WORD, &copy};
    EXPECT_EQ(1, cst_ResolveDefaultMarker(&engine.context, &undefined)) << "274 has no definition here";
}

/* The user interface's forms: greying each option by a query (mode 1 with the ValueType and
 * the option's value), resolving the chosen one (mode 2 with an inline list of 5), and the
 * reset check (mode 3) with a fresh state. */
TEST_F(Resolve, ConformanceInTheUserInterfacesCallForms)
{
    engine.areas->set(16, 1);
    engine.areas->set(8, 11);
    engine.areas->set(7, 1);
    const SHORT options[] = {1, 2, 3};
    const WORD expected[] = {0, 1, 2};
    for (size_t i = 0; i < 3; ++i) {
        ConflictState *state = cst_NewConflictState();
        ASSERT_EQ(0,
                  cst_CheckConflicts(1,
                                     TEST_PRINTER,
                                     &engine.driver,
                                     &engine.areas->devmode,
                                     &engine.areas->block,
                                     nullptr,
                                     16,
                                     VT_SHORT,
                                     &options[i],
                                     state,
                                     nullptr,
                                     0));
        EXPECT_EQ(expected[i], state->kind) << "option " << options[i];
        cst_FreeConflictState(state);
    }
    EXPECT_EQ(1, engine.Number(16)) << "a query writes nothing";
    EXPECT_EQ(11, engine.Number(8));

    // The user takes "Long edge": resolve, then the same query finds only the warnings of
    // records 2-4, which have no conditions.
    const SHORT longEdge = 2;
    WORD inlineIds[CST_CHANGED_INLINE] = {};
    WORD *changed = nullptr;
    WORD count = 0;
    ASSERT_EQ(0, ResolveDuplex(&longEdge, inlineIds, &changed, &count));
    EXPECT_EQ((std::vector<WORD>{8, 7, 15}), std::vector<WORD>(changed, changed + count));
    ChangeEntry change = {16, VT_SHORT, &longEdge};
    ASSERT_EQ(0, cst_ApplyChangeEntry(&engine.context, &change));
    ConflictState *state = cst_NewConflictState();
    ASSERT_EQ(0,
              cst_CheckConflicts(1,
                                 TEST_PRINTER,
                                 &engine.driver,
                                 &engine.areas->devmode,
                                 &engine.areas->block,
                                 nullptr,
                                 16,
                                 VT_SHORT,
                                 &longEdge,
                                 state,
                                 nullptr,
                                 0));
    EXPECT_EQ(3, state->kind);
    EXPECT_EQ((std::vector<WORD>{2, 3, 4}), List(*state, 1)) << "record 4 is out of resolution only";
    EXPECT_EQ(9, engine.Number(8));

    // Reset of collate to "On": only the reset check sees record 7.
    SHORT on = 1;
    cst_ClearConflictState(state);
    ASSERT_EQ(0,
              cst_CheckConflicts(1,
                                 TEST_PRINTER,
                                 &engine.driver,
                                 &engine.areas->devmode,
                                 &engine.areas->block,
                                 nullptr,
                                 18,
                                 VT_SHORT,
                                 &on,
                                 state,
                                 nullptr,
                                 0));
    EXPECT_EQ(0, state->kind);
    engine.areas->set(18, 1);
    ASSERT_EQ(0,
              cst_CheckConflicts(3,
                                 TEST_PRINTER,
                                 &engine.driver,
                                 &engine.areas->devmode,
                                 &engine.areas->block,
                                 nullptr,
                                 18,
                                 VT_SHORT,
                                 &on,
                                 state,
                                 nullptr,
                                 0));
    EXPECT_EQ(2, state->kind);
    EXPECT_EQ(std::vector<WORD>{7}, List(*state, 1));
    cst_FreeConflictState(state);
}

} // namespace
