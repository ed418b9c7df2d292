#include "core/nodelist/nodelist.h"

#include <gtest/gtest.h>

#include "platform/testing/qm_testing.h"

namespace {

struct NodeListTest : testing::Test {
    void SetUp() override
    {
        blocksBefore = qmt_LiveGlobalBlocks();
        list = ui_CreateNodeList();
    }
    void TearDown() override
    {
        EXPECT_EQ(1, ui_DestroyNodeList(&list));
        EXPECT_EQ(nullptr, list);
        EXPECT_EQ(blocksBefore, qmt_LiveGlobalBlocks());
    }
    DWORD blocksBefore = 0;
    NodeList *list = nullptr;
    int a = 0, b = 0, c = 0, d = 0;
};

TEST_F(NodeListTest, IteratesNewestFirstAndIndexesOldestFirst)
{
    ASSERT_EQ(1, ui_AddNode(list, 1, 0, &a));
    ASSERT_EQ(1, ui_AddNode(list, 2, 0, &b));
    ASSERT_EQ(1, ui_AddNode(list, 3, 0, &c));
    EXPECT_EQ(3, ui_GetNodeCount(list));
    EXPECT_EQ(&a, ui_GetNodeDataAt(list, 0));
    EXPECT_EQ(&c, ui_GetNodeDataAt(list, 2));
    EXPECT_EQ(nullptr, ui_GetNodeDataAt(list, 3));
    EXPECT_EQ(nullptr, ui_GetNodeDataAt(list, -1));

    ListNode *next = nullptr;
    EXPECT_EQ(&c, ui_GetFirstNodeData(list, &next));
    EXPECT_EQ(&b, ui_GetNextNodeData(next, &next));
    EXPECT_EQ(&a, ui_GetNextNodeData(next, &next));
    EXPECT_EQ(nullptr, next);
    EXPECT_EQ(nullptr, ui_GetNextNodeData(next, &next));
}

TEST_F(NodeListTest, FindsAndRemovesByKeyWithAnySubkey)
{
    ui_AddNode(list, 7, 1, &a);
    ui_AddNode(list, 7, 2, &b);
    EXPECT_EQ(&b, ui_FindNodeData(list, 7, UI_ANY_SUBKEY));
    EXPECT_EQ(&a, ui_FindNodeData(list, 7, 1));
    EXPECT_EQ(nullptr, ui_FindNodeData(list, 7, 3));
    EXPECT_EQ(0, ui_RemoveNode(list, 8, UI_ANY_SUBKEY));
    EXPECT_EQ(1, ui_RemoveNode(list, 7, 1));
    EXPECT_EQ(1, ui_GetNodeCount(list));
    EXPECT_EQ(&b, ui_GetNodeDataAt(list, 0));
}

TEST_F(NodeListTest, InsertAndRemoveAtIndexShiftLaterNodes)
{
    ui_AddNode(list, 1, 0, &a);
    ui_AddNode(list, 2, 0, &b);
    ui_AddNode(list, 3, 0, &c);
    ASSERT_EQ(1, ui_InsertNodeAt(list, 1, 9, 0, &d));
    EXPECT_EQ(&a, ui_GetNodeDataAt(list, 0));
    EXPECT_EQ(&d, ui_GetNodeDataAt(list, 1));
    EXPECT_EQ(&b, ui_GetNodeDataAt(list, 2));
    EXPECT_EQ(&c, ui_GetNodeDataAt(list, 3));
    EXPECT_EQ(0, ui_InsertNodeAt(list, 4, 9, 0, &d));
    ASSERT_EQ(1, ui_RemoveNodeAt(list, 3));
    ASSERT_EQ(1, ui_RemoveNodeAt(list, 0));
    EXPECT_EQ(0, ui_RemoveNodeAt(list, 2));
    EXPECT_EQ(&d, ui_GetNodeDataAt(list, 0));
    EXPECT_EQ(&b, ui_GetNodeDataAt(list, 1));
    EXPECT_EQ(2, ui_GetNodeCount(list));
}

TEST_F(NodeListTest, NullArgumentsAnswerNeutrally)
{
    ListNode *next = reinterpret_cast<ListNode *>(&a);
    EXPECT_EQ(0, ui_AddNode(nullptr, 1, 0, &a));
    EXPECT_EQ(0, ui_AddNode(list, 1, 0, nullptr));
    EXPECT_EQ(-1, ui_GetNodeCount(nullptr));
    EXPECT_EQ(nullptr, ui_GetFirstNodeData(list, &next));
    EXPECT_EQ(reinterpret_cast<ListNode *>(&a), next);
    EXPECT_EQ(0, ui_DestroyNodeList(nullptr));
    EXPECT_EQ(0, ui_FreeMemory(nullptr));
    EXPECT_EQ(1, ui_FreeMemory(GlobalAlloc(GPTR, 4)));
    qmt_FailAllocations(0, 1);
    EXPECT_EQ(0, ui_AddNode(list, 1, 0, &a));
    qmt_FailAllocations(0, 0);
    EXPECT_EQ(0, ui_GetNodeCount(list));
}

} // namespace
