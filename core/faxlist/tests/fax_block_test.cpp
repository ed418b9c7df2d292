/*
 * The "DFAX001" block: golden blocks read field by field, broken blocks refused, and the
 * order of the destinations between the block and the list object.
 */
#include "core/faxlist/fax_list.h"

#include "core/faxlist/tests/fax_fixture.h"
#include "platform/testing/qm_testing.h"

#include <gtest/gtest.h>

namespace {

using namespace fax_test;

class FaxBlockTest : public testing::Test
{
protected:
    void SetUp() override
    {
        blocksBefore_ = qmt_LiveGlobalBlocks();
    }
    void TearDown() override
    {
        EXPECT_EQ(blocksBefore_, qmt_LiveGlobalBlocks());
    }
    DWORD blocksBefore_ = 0;
};

/* The list object's destinations from a list of blocks (the first added first). */
struct ListObject {
    FaxAddressList object = {};
    ListObject()
    {
        object.list = ui_CreateNodeList();
    }
    ~ListObject()
    {
        ListNode *next = nullptr;
        for (void *d = ui_GetFirstNodeData(object.list, &next); d != nullptr; d = ui_GetNextNodeData(next, &next))
            GlobalFree(d);
        ui_DestroyNodeList(&object.list);
    }
    void Add(const Bytes &destination)
    {
        void *copy = GlobalAlloc(GPTR, destination.size());
        memcpy(copy, destination.data(), destination.size());
        ASSERT_TRUE(ui_AddNode(object.list, 0, 0, copy));
    }
};

Bytes Built(const FaxAddressList &object, DWORD count)
{
    Bytes block(1442 + 742 * count, 0);
    if (!pd_BuildFaxSendList(block.data(), count, &object))
        return Bytes();
    return block;
}

TEST_F(FaxBlockTest, GoldenBlocksReadFieldByField)
{
    std::vector<Bytes> all = {
        DestinationBytes("0123", "A", 0), DestinationBytes("4567", "B", 1), DestinationBytes("89", "C", 2)};
    for (size_t n : {0u, 1u, 3u}) {
        std::vector<Bytes> some(all.begin(), all.begin() + n);
        Bytes block = BlockBytes(some);
        WORD count = 99;
        FaxSendList *list = pd_LoadFaxSendList(nullptr, 0, (DWORD)block.size(), block.data(), &count);
        ASSERT_NE(nullptr, list) << n;
        EXPECT_EQ(n, count);
        EXPECT_EQ(block.size(), GlobalSize(list));
        FaxSendList head;
        ASSERT_TRUE(job_GetFaxListHead(list, &head));
        EXPECT_EQ(0, memcmp(&head, block.data(), 1442));
        EXPECT_EQ(std::u16string(u"first list"), std::u16string((const char16_t *)head.list1));
        for (DWORD i = 0; i < n; ++i) {
            FaxDestination entry;
            ASSERT_TRUE(job_GetFaxDestination(list, i, &entry));
            EXPECT_EQ(0, memcmp(&entry, all[i].data(), 742)) << i;
            EXPECT_EQ(i, entry.element3);
            EXPECT_EQ(12, entry.element4Number);
            EXPECT_EQ(u'f', entry.element5Text[0]);
        }
        FaxDestination entry;
        EXPECT_FALSE(job_GetFaxDestination(list, (DWORD)n, &entry));
        EXPECT_TRUE(pd_FreeFaxSendList(list));
    }
    EXPECT_TRUE(pd_FreeFaxSendList(nullptr));
    FaxSendList head;
    FaxDestination entry;
    EXPECT_FALSE(job_GetFaxListHead(nullptr, &head));
    EXPECT_FALSE(job_GetFaxDestination(nullptr, 0, &entry));
}

TEST_F(FaxBlockTest, BrokenBlocksAreRefused)
{
    Bytes one = BlockBytes({DestinationBytes("1", "A", 0)});
    Bytes wrongTag = one;
    wrongTag[2] = 'E';
    Bytes beyond = BlockBytes({DestinationBytes("1", "A", 0)}, 2);
    Bytes huge = BlockBytes({}, 65535);
    struct Case {
        const char *why;
        Bytes bytes;
        DWORD size;
    };
    const Case cases[] = {
        {"shorter than the head", one, 1441},
        {"a wrong tag", wrongTag, (DWORD)wrongTag.size()},
        {"one destination short", one, (DWORD)one.size() - 1},
        {"a count beyond the size", beyond, (DWORD)beyond.size()},
        {"the largest count on a head alone", huge, (DWORD)huge.size()},
    };
    for (const Case &c : cases) {
        /* An exact copy, so that the sanitizer sees any read past the given size. */
        void *exact = GlobalAlloc(GMEM_FIXED, c.size);
        memcpy(exact, c.bytes.data(), c.size);
        WORD count = 7;
        EXPECT_EQ(nullptr, pd_LoadFaxSendList(nullptr, 0, c.size, exact, &count)) << c.why;
        EXPECT_EQ(0, count) << c.why;
        GlobalFree(exact);
    }
    EXPECT_EQ(nullptr, pd_LoadFaxSendList(nullptr, 0, 0, nullptr, nullptr));

    /* Bytes behind the destinations are not copied. */
    Bytes longer = one;
    longer.resize(one.size() + 100, 0xEE);
    FaxSendList *list = pd_LoadFaxSendList(nullptr, 0, (DWORD)longer.size(), longer.data(), nullptr);
    ASSERT_NE(nullptr, list);
    EXPECT_EQ(one.size(), GlobalSize(list));
    pd_FreeFaxSendList(list);
}

TEST_F(FaxBlockTest, DestinationsKeepTheOrderTheyWereAddedIn)
{
    Bytes a = DestinationBytes("111", "A", 0);
    Bytes b = DestinationBytes("222", "B", 1);
    Bytes c = DestinationBytes("333", "C", 2);
    ListObject added;
    fax_test::SetText(added.object.list1, 41, "first list");
    fax_test::SetText(added.object.list2, 671, "second list");
    added.Add(a);
    added.Add(b);
    added.Add(c);
    Bytes block = Built(added.object, 3);
    EXPECT_EQ(BlockBytes({a, b, c}), block);

    ListObject loaded;
    ASSERT_TRUE(pd_FillFaxAddressList(&loaded.object, (const FaxSendList *)block.data()));
    EXPECT_EQ(3, ui_GetNodeCount(loaded.object.list));
    EXPECT_EQ(block, Built(loaded.object, 3));

    /* An object without destinations gives the head alone; fewer nodes than the count fail. */
    ListObject empty;
    fax_test::SetText(empty.object.list1, 41, "first list");
    fax_test::SetText(empty.object.list2, 671, "second list");
    EXPECT_EQ(BlockBytes({}), Built(empty.object, 0));
    EXPECT_EQ(Bytes(), Built(added.object, 4));
    EXPECT_EQ(Bytes(), Built(empty.object, 65536));
    Bytes scratch(1442, 0);
    EXPECT_FALSE(pd_BuildFaxSendList(scratch.data(), 0, nullptr));
    EXPECT_FALSE(pd_BuildFaxSendList(nullptr, 0, &empty.object));
    EXPECT_FALSE(pd_FillFaxAddressList(nullptr, (const FaxSendList *)block.data()));
    EXPECT_FALSE(pd_FillFaxAddressList(&empty.object, nullptr));

    /* An object without a node list gets one. */
    FaxAddressList bare = {};
    ASSERT_TRUE(pd_FillFaxAddressList(&bare, (const FaxSendList *)block.data()));
    EXPECT_EQ(3, ui_GetNodeCount(bare.list));
    ListNode *next = nullptr;
    for (void *d = ui_GetFirstNodeData(bare.list, &next); d != nullptr; d = ui_GetNextNodeData(next, &next))
        GlobalFree(d);
    ui_DestroyNodeList(&bare.list);
}

TEST_F(FaxBlockTest, AnsiConversionsMakeNewBlocks)
{
    qmt_PinAnsiCodePage(1252);
    char *narrow = nullptr;
    DWORD length = 0;
    ASSERT_TRUE(util_WideToAnsiAlloc(&narrow, TEXT("Gr\u00fc\u00dfe"), &length));
    EXPECT_EQ(5u, length);
    EXPECT_STREQ("Gr\xfc\xdf"
                 "e",
                 narrow);
    WCHAR *wide = nullptr;
    DWORD count = 0;
    ASSERT_TRUE(util_AnsiToWideAlloc(narrow, &wide, &count));
    EXPECT_EQ(6u, count);
    EXPECT_EQ(std::u16string(u"Gr\u00fc\u00dfe"), std::u16string((const char16_t *)wide));
    GlobalFree(narrow);
    GlobalFree(wide);
    EXPECT_FALSE(util_WideToAnsiAlloc(&narrow, nullptr, &length));
    EXPECT_EQ(nullptr, narrow);
    EXPECT_FALSE(util_AnsiToWideAlloc(nullptr, &wide, &count));
    EXPECT_FALSE(util_WideToAnsiAlloc(nullptr, TEXT("x"), &length));
    qmt_PinAnsiCodePage(0);
}

} // namespace
