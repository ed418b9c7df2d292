/*
 * CPmcRawBuffer: ownership by free kind, position and remaining bytes, refused allocation.
 */
#include "management/codec/pmc_raw_buffer.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "management/base/pmc_status.h"
#include "management/tests/pmc_test_support.h"

TEST(RawBuffer, AllocatePositionAndRemaining)
{
    DWORD before = live_blocks();
    {
        CPmcRawBuffer buffer;
        EXPECT_EQ(nullptr, buffer.data());
        EXPECT_EQ(PMC_RAW_FREE_LIBRARY, buffer.free_kind());
        ASSERT_EQ(PMC_OK, buffer.allocate(10));
        EXPECT_EQ(10u, buffer.remaining());
        EXPECT_EQ(PMC_OK, buffer.set_position(4));
        EXPECT_EQ(buffer.data() + 4, buffer.position());
        EXPECT_EQ(6u, buffer.remaining());
        EXPECT_EQ(PMC_OK, buffer.set_position(10));
        EXPECT_EQ(0u, buffer.remaining());
        EXPECT_EQ(PMC_E_ARG, buffer.set_position(11));
        EXPECT_EQ(0u, buffer.remaining());
    }
    EXPECT_EQ(before, live_blocks());
}

TEST(RawBuffer, AttachFreesTheHeldDataAndDetachHandsOut)
{
    DWORD before = live_blocks();
    CPmcRawBuffer buffer;
    ASSERT_EQ(PMC_OK, buffer.allocate(8));
    /* Data of the C runtime replaces the library's block, which is freed. */
    uint8_t *crt = (uint8_t *)std::malloc(3);
    buffer.attach(crt, 3, PMC_RAW_FREE_CRT);
    EXPECT_EQ(before, live_blocks());
    EXPECT_EQ(crt, buffer.position());
    uint8_t *data = nullptr;
    uint32_t length = 0;
    buffer.detach(&data, &length);
    EXPECT_EQ(crt, data);
    EXPECT_EQ(3u, length);
    EXPECT_EQ(nullptr, buffer.data());
    EXPECT_EQ(0u, buffer.length());
    std::free(data);
    /* A CRT block still held at release goes back through free (ASan checks the pairing). */
    buffer.attach((uint8_t *)std::malloc(5), 5, PMC_RAW_FREE_CRT);
    buffer.release();
    EXPECT_EQ(PMC_RAW_FREE_LIBRARY, buffer.free_kind());
}

TEST(RawBuffer, RefusedAllocationLeavesItEmpty)
{
    CPmcRawBuffer buffer;
    ASSERT_EQ(PMC_OK, buffer.allocate(4));
    {
        RefuseAllocations refuse;
        EXPECT_EQ(PMC_E_MEMORY, buffer.allocate(16));
    }
    EXPECT_EQ(nullptr, buffer.data());
    EXPECT_EQ(0u, buffer.remaining());
}
