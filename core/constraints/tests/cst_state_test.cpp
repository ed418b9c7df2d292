/* Conflict states, id lists and the priority rule of conflict kinds. */
#include "core/constraints/tests/constraints_test_support.h"

#include "core/constraints/cst_private.h"

#include "platform/testing/qm_testing.h"

#include <gtest/gtest.h>

namespace {

TEST(ConflictStates, CopyAndClearKeepEveryEntryInlineOrOnTheHeap)
{
    DWORD blocks = qmt_LiveGlobalBlocks();
    ConflictState *source = cst_NewConflictState();
    ASSERT_NE(nullptr, source);
    // 9, 9 and 21 entries: each list one past its inline capacity.
    for (WORD i = 1; i <= 9; ++i) {
        ASSERT_EQ(0, cst_AddChangedId(CST_LIST_TYPE7, source, i));
        ASSERT_EQ(0, cst_AddChangedId(CST_LIST_TYPE8, source, (WORD)(100 + i)));
    }
    ConflictState zeroed = {}; // a zero-filled state is a valid empty one
    for (WORD i = 1; i <= 21; ++i) {
        ASSERT_EQ(0, cst_Touch(source, (WORD)(1000 + i)));
    }
    source->kind = 6;
    source->changedMask = 0x000F;
    ASSERT_EQ(0, cst_CopyConflictState(&zeroed, source));
    EXPECT_EQ(6, zeroed.kind);
    EXPECT_EQ(0x000F, zeroed.changedMask);
    EXPECT_EQ(List(*source, 1), List(zeroed, 1));
    EXPECT_EQ(9u, List(zeroed, 1).size());
    EXPECT_EQ(9u, List(zeroed, 2).size());
    EXPECT_EQ(21u, List(zeroed, 3).size());
    EXPECT_EQ(1021, List(zeroed, 3).back());
    EXPECT_NE(source->touched.ids, zeroed.touched.ids) << "the copy owns its own heap list";
    // The copy grows on its own.
    ASSERT_EQ(0, cst_AddChangedId(CST_LIST_TYPE7, &zeroed, 10));
    EXPECT_EQ(10u, List(zeroed, 1).size());
    EXPECT_EQ(9u, List(*source, 1).size());
    cst_ClearConflictState(&zeroed);
    EXPECT_EQ(0, zeroed.kind);
    EXPECT_TRUE(List(zeroed, 1).empty() && List(zeroed, 2).empty() && List(zeroed, 3).empty());
    EXPECT_TRUE(cst_FreeConflictState(source));
    EXPECT_FALSE(cst_FreeConflictState(nullptr));
    EXPECT_EQ(blocks, qmt_LiveGlobalBlocks()) << "no block leaks";
}

TEST(ConflictStates, IdListGrowsFromTheCallersBufferInStepsOfFive)
{
    DWORD blocks = qmt_LiveGlobalBlocks();
    WORD inlineIds[CST_CHANGED_INLINE + 1] = {0, 0, 0, 0, 0, 0xBEEF};
    WORD *list = inlineIds;
    WORD count = 0;
    for (WORD id = 1; id <= 5; ++id)
        ASSERT_EQ(0, cst_AddToIdList(id, CST_CHANGED_INLINE, &list, &count));
    EXPECT_EQ(inlineIds, list);
    EXPECT_EQ(0, cst_AddToIdList(3, CST_CHANGED_INLINE, &list, &count)) << "present: not added";
    EXPECT_EQ(5, count);
    for (WORD id = 6; id <= 11; ++id)
        ASSERT_EQ(0, cst_AddToIdList(id, CST_CHANGED_INLINE, &list, &count));
    EXPECT_NE(inlineIds, list);
    EXPECT_EQ(11, count);
    for (WORD i = 0; i < 11; ++i)
        EXPECT_EQ(i + 1, list[i]);
    EXPECT_EQ(0xBEEF, inlineIds[5]) << "the caller's buffer is never written past its capacity";
    EXPECT_EQ(5, inlineIds[4]);
    // Refused growth leaves the list as it was.
    for (WORD id = 12; id <= 15; ++id)
        ASSERT_EQ(0, cst_AddToIdList(id, CST_CHANGED_INLINE, &list, &count));
    qmt_FailAllocations(0, 1);
    WORD *before = list;
    EXPECT_EQ(2, cst_AddToIdList(16, CST_CHANGED_INLINE, &list, &count));
    qmt_FailAllocations(0, 0);
    EXPECT_EQ(before, list);
    EXPECT_EQ(15, count);
    EXPECT_EQ(1, cst_AddToIdList(1, CST_CHANGED_INLINE, nullptr, &count));
    cst_FreeIdList(&list, &count, CST_CHANGED_INLINE, inlineIds);
    EXPECT_EQ(inlineIds, list);
    EXPECT_EQ(blocks, qmt_LiveGlobalBlocks());

    WORD fixed[4] = {};
    EXPECT_TRUE(cst_AddToFixedIdList(7, fixed, 3));
    EXPECT_FALSE(cst_AddToFixedIdList(7, fixed, 3));
    EXPECT_TRUE(cst_AddToFixedIdList(8, fixed, 3));
    EXPECT_TRUE(cst_AddToFixedIdList(9, fixed, 3));
    EXPECT_FALSE(cst_AddToFixedIdList(10, fixed, 3)) << "full";
    EXPECT_EQ(0, fixed[3]);
}

TEST(ConflictStates, PriorityRuleOverEveryKind)
{
    // Ranks of the table, highest first; 16 and 99 lie outside it.
    static const WORD kOrder[] = {6, 1, 7, 8, 15, 14, 12, 10, 13, 11, 2, 5, 3, 9, 4, 0};
    const size_t n = sizeof(kOrder) / sizeof(kOrder[0]);
    for (size_t i = 0; i < n; ++i) {
        for (size_t j = 0; j < n; ++j) {
            WORD kind = kOrder[i];
            cst_KeepHigherPriorityKind(&kind, kOrder[j]);
            WORD expected = (j < i && kOrder[j] != 0) ? kOrder[j] : kOrder[i];
            EXPECT_EQ(expected, kind) << "current " << kOrder[i] << " new " << kOrder[j];
        }
        WORD kind = kOrder[i];
        cst_KeepHigherPriorityKind(&kind, 99);
        EXPECT_EQ(kOrder[i], kind) << "a new kind outside the table changes nothing";
        kind = 99;
        cst_KeepHigherPriorityKind(&kind, kOrder[i]);
        EXPECT_EQ(kOrder[i] == 0 ? 99 : kOrder[i], kind) << "a current kind outside the table ranks 0";
    }
    WORD kind = 3;
    cst_KeepHigherPriorityKind(&kind, 9);
    EXPECT_EQ(3, kind) << "300 beats 270";
}

TEST(ValueTexts, ByTypeAndDivisor)
{
    struct Case {
        BOOL whole;
        DWORD divisor;
        WORD type;
        LONG value;
        BOOL result;
        const char *text;
    };
    static const Case kCases[] = {
        {FALSE, 1, VT_SHORT, -7, TRUE, "-7"},
        {FALSE, 1, VT_WORD, 65535, TRUE, "65535"},
        {FALSE, 1, VT_LONG32, -70000, TRUE, "-70000"},
        {FALSE, 1, VT_DWORD, (LONG)4000000000u, TRUE, "4000000000"},
        {FALSE, 1, VT_BYTE, 200, TRUE, "200"},
        {FALSE, 1, VT_FONTFIELD, -3, TRUE, "-3"},
        {FALSE, 100, VT_LONG32, 101, TRUE, "1.01"}, // the remainder keeps its zero
        {FALSE, 100, VT_LONG32, 110, TRUE, "1.10"},
        {FALSE, 10, VT_SHORT, -5, TRUE, "-0.5"},
        {FALSE, 10, VT_SHORT, -15, TRUE, "-1.5"},
        {TRUE, 10, VT_SHORT, -15, TRUE, "-1"},
        {TRUE, 100, VT_DWORD, 2970, TRUE, "29"},
        {FALSE, 1000, VT_WORD, 2970, TRUE, "2.970"},
        {FALSE, 1, VT_LONG, 1, FALSE, ""},
        {FALSE, 1, VT_NONE, 1, FALSE, ""},
        {FALSE, 1, VT_LOGFONT, 1, FALSE, ""},
        {FALSE, 1, 11, 1, FALSE, ""},
        {FALSE, 0, VT_WORD, 5, FALSE, ""},
    };
    for (const Case &c : kCases) {
        WCHAR text[64] = {'x', 0};
        EXPECT_EQ(c.result, cst_FormatValueText(c.whole, text, c.divisor, c.type, &c.value))
            << c.type << " " << c.value;
        EXPECT_EQ(c.text, ddd_test::Narrow(text)) << c.type << " " << c.value << " / " << c.divisor;
    }
    WCHAR text[64] = {};
    EXPECT_TRUE(cst_FormatValueText(FALSE, text, 1, VT_STRING, TEXT("Tray 2")));
    EXPECT_EQ("Tray 2", ddd_test::Narrow(text));
}

} // namespace
