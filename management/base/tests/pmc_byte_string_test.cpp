/*
 * CPmcByteString: exact sizes, comparison rules and refused allocations.
 */
#include "management/base/pmc_byte_string.h"

#include <gtest/gtest.h>

#include "management/base/pmc_status.h"
#include "management/tests/pmc_test_support.h"

TEST(PmcByteString, AssignAppendAndEquals)
{
    DWORD before = live_blocks();
    int code = 1;
    CPmcByteString *s = pmc_create_byte_string(&code);
    ASSERT_NE(nullptr, s);
    EXPECT_EQ(PMC_OK, code);
    EXPECT_EQ(nullptr, s->data());
    EXPECT_TRUE(s->equals("", 0));
    EXPECT_TRUE(s->equals(nullptr, 0));
    EXPECT_FALSE(s->equals((const char *)nullptr));

    EXPECT_EQ(PMC_OK, s->assign("ab\0c", 4));
    EXPECT_EQ(4u, s->length());
    EXPECT_EQ(0, s->data()[4]);
    EXPECT_FALSE(s->equals("x", 0)); /* count 0 is equal only to an empty string */
    EXPECT_TRUE(s->equals("ab\0c", 4));
    EXPECT_FALSE(s->equals("ab"));

    EXPECT_EQ(PMC_OK, s->append((const char *)nullptr));
    EXPECT_EQ(PMC_OK, s->append((const CPmcByteString *)nullptr));
    EXPECT_EQ(PMC_OK, s->append("de"));
    EXPECT_TRUE(s->equals("ab\0cde", 6));

    CPmcByteString *copy = nullptr;
    EXPECT_EQ(PMC_OK, s->clone(&copy));
    ASSERT_NE(nullptr, copy);
    EXPECT_TRUE(copy->equals(s));
    EXPECT_EQ(PMC_OK, copy->append(s));
    EXPECT_EQ(12u, copy->length());
    EXPECT_FALSE(copy->equals((const CPmcByteString *)nullptr));

    EXPECT_EQ(PMC_OK, s->assign((const char *)nullptr));
    EXPECT_EQ(0u, s->length());
    EXPECT_EQ(nullptr, s->data());
    s->release();
    copy->release();
    EXPECT_EQ(before, live_blocks());
}

TEST(PmcByteString, RefusedAllocations)
{
    DWORD before = live_blocks();
    CPmcByteString *s = pmc_create_byte_string(nullptr);
    s->assign("kept");
    {
        RefuseAllocations refuse;
        int code = 0;
        EXPECT_EQ(nullptr, pmc_create_byte_string(&code));
        EXPECT_EQ(PMC_E_MEMORY, code);
        EXPECT_EQ(PMC_E_MEMORY, s->assign("other"));
        EXPECT_EQ(PMC_E_MEMORY, s->append("more"));
        EXPECT_TRUE(s->equals("kept"));
        CPmcByteString *copy = (CPmcByteString *)1;
        EXPECT_EQ(PMC_E_MEMORY, s->clone(&copy));
        EXPECT_EQ(nullptr, copy);
    }
    {
        /* The clone object is made, its bytes are refused: -3, not 0 with a null copy. */
        RefuseAllocations refuse(1);
        CPmcByteString *copy = (CPmcByteString *)1;
        EXPECT_EQ(PMC_E_MEMORY, s->clone(&copy));
        EXPECT_EQ(nullptr, copy);
    }
    s->release();
    EXPECT_EQ(before, live_blocks());
}
