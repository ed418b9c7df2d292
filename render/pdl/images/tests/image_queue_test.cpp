/*
 * The image queue's records: the spill file's method by image mode, the node list in
 * drawing order, removal only at the ends, data changing hands, and nothing left behind.
 */
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "platform/testing/qm_testing.h"
#include "render/pdl/images/image_queue.h"

TEST(ImageQueue, SpillMethodByImageMode)
{
    const struct {
        DWORD mode;
        BYTE method;
    } cases[] = {{0, 1}, {1, 8}, {2, 4}, {3, 1}, {330, 1}};
    for (const auto &c : cases) {
        EXPECT_EQ(img_SpillMethod(c.mode), c.method) << c.mode;
    }
}

TEST(ImageQueue, NodesInDrawingOrderAndRemovalAtTheEnds)
{
    DWORD live = qmt_LiveGlobalBlocks();
    ImageSpillFile *spill = nullptr;
    ImageQueue *queue = nullptr;
    ASSERT_EQ(img_CreateImageQueue(&spill, &queue, 1, nullptr), 0);
    EXPECT_EQ(spill->method, 8);

    ImageQueueNode *none = nullptr;
    EXPECT_EQ(img_QueueFirst(queue, TRUE, &none), 1);
    EXPECT_EQ(none, nullptr);
    std::vector<ImageQueueNode *> nodes;
    for (int i = 0; i < 3; ++i) {
        nodes.push_back(img_QueueAppend(queue));
        ASSERT_NE(nodes.back(), nullptr);
        ImageHeader header = {};
        header.width = (WORD)(10 + i);
        EXPECT_EQ(img_QueueSetHeader(nodes.back(), &header, (WORD)i), 0);
        HGLOBAL block = GlobalAlloc(GHND, 16);
        BYTE *locked = (BYTE *)GlobalLock(block);
        EXPECT_EQ(img_QueueAttachData(nodes.back(), locked, block), 0);
        ImageGeometry geometry = {};
        geometry.points = (BYTE *)GlobalAlloc(GPTR, 8);
        EXPECT_EQ(img_QueueSetGeometry(nodes.back(), &geometry), 0);
    }
    EXPECT_EQ(queue->count, 3u);
    ImageQueueNode *node = nullptr;
    ASSERT_EQ(img_QueueFirst(queue, TRUE, &node), 0);
    for (int i = 0; i < 3; ++i) {
        ImageHeader header;
        WORD word = 0;
        ASSERT_EQ(img_QueueGetHeader(node, &header, &word), 0);
        EXPECT_EQ(header.width, 10 + i);
        EXPECT_EQ(word, i);
        ImageQueueNode *next = nullptr;
        EXPECT_EQ(img_QueueNext(queue, node, &next), i < 2 ? 0 : 1);
        node = next;
    }
    // Data locks on first use; other data cannot replace it.
    BYTE *data = nullptr;
    HGLOBAL handle = nullptr;
    ASSERT_EQ(img_QueueGetData(nodes[0], &data, &handle), 0);
    EXPECT_NE(data, nullptr);
    HGLOBAL other = GlobalAlloc(GHND, 4);
    EXPECT_EQ(img_QueueAttachData(nodes[0], nullptr, other), -1);
    GlobalFree(other);

    EXPECT_EQ(img_QueueRemove(queue, nodes[1], TRUE, TRUE), -1) << "a middle node stays";
    EXPECT_EQ(img_QueueRemove(queue, nodes[0], TRUE, TRUE), 0);
    ASSERT_EQ(img_QueueFirst(queue, TRUE, &node), 0);
    EXPECT_EQ(node, nodes[1]);
    EXPECT_EQ(img_QueueFirst(queue, FALSE, &node), 0);
    EXPECT_EQ(node, nodes[2]);
    EXPECT_EQ(img_QueueRemove(nullptr, nodes[1], TRUE, TRUE), -1);

    // Destroying the queue frees the remaining nodes with their data and paths.
    EXPECT_EQ(img_DestroyImageQueue(spill, queue), 0);
    EXPECT_EQ(qmt_LiveGlobalBlocks(), live);
}

TEST(ImageQueue, CreationWithoutMemoryLeavesNothing)
{
    DWORD live = qmt_LiveGlobalBlocks();
    for (DWORD after = 0; after < 2; ++after) {
        ImageSpillFile *spill = (ImageSpillFile *)1;
        ImageQueue *queue = (ImageQueue *)1;
        qmt_FailAllocations(after, 1);
        EXPECT_EQ(img_CreateImageQueue(&spill, &queue, 0, nullptr), IMG_QUEUE_NO_MEMORY) << after;
        qmt_FailAllocations(0, 0);
        EXPECT_EQ(spill, nullptr);
        EXPECT_EQ(queue, nullptr);
        EXPECT_EQ(qmt_LiveGlobalBlocks(), live);
    }
}
