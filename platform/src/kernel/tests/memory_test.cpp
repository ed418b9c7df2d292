#include <windows.h>

#include <gtest/gtest.h>

#include "platform/testing/qm_testing.h"

TEST(Memory, GlobalBlocksAreCountedZeroedAndResized)
{
    DWORD before = qmt_LiveGlobalBlocks();
    BYTE *p = (BYTE *)GlobalAlloc(GPTR, 10);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(qmt_LiveGlobalBlocks(), before + 1);
    EXPECT_EQ(GlobalSize(p), 10u);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(p[i], 0);
    memset(p, 0xAB, 10);
    BYTE *q = (BYTE *)GlobalReAlloc(p, 100, GMEM_MOVEABLE | GMEM_ZEROINIT);
    ASSERT_NE(q, nullptr);
    EXPECT_EQ(GlobalSize(q), 100u);
    EXPECT_EQ(q[9], 0xAB);
    EXPECT_EQ(q[10], 0);
    EXPECT_EQ(q[99], 0);
    EXPECT_EQ(qmt_LiveGlobalBlocks(), before + 1);
    EXPECT_EQ(GlobalFree(q), nullptr);
    EXPECT_EQ(qmt_LiveGlobalBlocks(), before);
}

TEST(Memory, FreeingAForeignPointerFailsWithInvalidHandle)
{
    int local = 0;
    char *block = (char *)GlobalAlloc(GMEM_FIXED, 32);
    SetLastError(0);
    EXPECT_EQ(LocalFree(block), (HLOCAL)block); /* a global block is no local block */
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_HANDLE);
    EXPECT_EQ(GlobalSize(block + 16), 0u);
    (void)local;
    EXPECT_EQ(GlobalFree(nullptr), nullptr);
    EXPECT_EQ(GlobalFree(block), nullptr);
}

TEST(Memory, HeapDestroyReturnsEveryBlock)
{
    DWORD heaps = qmt_LiveHeaps();
    HANDLE heap = HeapCreate(0, 0, 0);
    ASSERT_NE(heap, nullptr);
    EXPECT_EQ(qmt_LiveHeaps(), heaps + 1);
    for (int i = 0; i < 5; ++i)
        ASSERT_NE(HeapAlloc(heap, HEAP_ZERO_MEMORY, 64 + i), nullptr);
    void *p = HeapAlloc(heap, 0, 8);
    EXPECT_EQ(qmt_LiveHeapBlocks(heap), 6u);
    EXPECT_TRUE(HeapFree(heap, 0, p));
    EXPECT_EQ(qmt_LiveHeapBlocks(heap), 5u);
    EXPECT_TRUE(HeapDestroy(heap));
    EXPECT_EQ(qmt_LiveHeaps(), heaps);
    EXPECT_EQ(qmt_LiveHeapBlocks(nullptr), 0u);
}

TEST(Memory, HeapFreeOfAnotherHeapsBlockIsRefused)
{
    HANDLE a = HeapCreate(0, 0, 0);
    HANDLE b = HeapCreate(0, 0, 0);
    void *p = HeapAlloc(a, 0, 16);
    EXPECT_FALSE(HeapFree(b, 0, p));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_PARAMETER);
    EXPECT_TRUE(HeapDestroy(a));
    EXPECT_TRUE(HeapDestroy(b));
}

TEST(Memory, RefusedAllocationsFailWithNotEnoughMemory)
{
    qmt_FailAllocations(1, 2);
    void *first = GlobalAlloc(GPTR, 4);
    EXPECT_NE(first, nullptr);
    EXPECT_EQ(GlobalAlloc(GPTR, 4), nullptr);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_NOT_ENOUGH_MEMORY);
    EXPECT_EQ(HeapCreate(0, 0, 0), nullptr);
    void *after = GlobalAlloc(GPTR, 4);
    EXPECT_NE(after, nullptr);
    GlobalFree(first);
    GlobalFree(after);
}
