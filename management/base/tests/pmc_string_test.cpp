/*
 * CPmcString and CPmcByteString: growth steps, erasing, search, comparison and the
 * refused-allocation paths.
 */
#include "management/base/pmc_string.h"

#include <gtest/gtest.h>

#include <string>

#include "management/base/pmc_status.h"
#include "management/tests/pmc_test_support.h"

TEST(PmcString, AssignGrowsInStepsThenExactly)
{
    struct Case {
        uint32_t length, capacity;
    } const cases[] = {
        {1, 64}, {63, 64}, {64, 128}, {127, 128}, {128, 256}, {511, 512}, {1023, 1024}, {1024, 1025}, {3000, 3001}};
    for (const Case &c : cases) {
        CPmcString s;
        std::string text(c.length, 'x');
        ASSERT_EQ(PMC_OK, s.assign(text.c_str()));
        EXPECT_EQ(c.capacity, s.capacity()) << c.length;
        EXPECT_EQ(c.length, s.length());
        EXPECT_EQ(text, s.data());
    }
}

TEST(PmcString, AppendMovesToTheNextStep)
{
    CPmcString s;
    s.assign(std::string(63, 'a').c_str());
    ASSERT_EQ(64u, s.capacity());
    ASSERT_EQ(PMC_OK, s.append('b'));
    EXPECT_EQ(128u, s.capacity());
    EXPECT_EQ(std::string(63, 'a') + "b", s.data());
    s.assign(std::string(1020, 'a').c_str());
    s.append("12345");
    EXPECT_EQ(1026u, s.capacity());
    EXPECT_EQ(1025u, s.length());
}

TEST(PmcString, AppendOwnTextAndAssignOwnTail)
{
    CPmcString s("abc");
    s.append(s.data());
    EXPECT_STREQ("abcabc", s.data());
    s.assign(s.data() + 3);
    EXPECT_STREQ("abc", s.data());
    s.assign(s);
    EXPECT_STREQ("abc", s.data());
}

TEST(PmcString, EmptyStringsShareTheStaticText)
{
    CPmcString a, b("x");
    b.free_text();
    EXPECT_EQ(a.data(), b.data());
    EXPECT_STREQ("", a.data());
    EXPECT_EQ(0u, b.capacity());
    EXPECT_EQ(PMC_OK, a.assign("", 0));
    EXPECT_TRUE(a.is_empty());
}

TEST(PmcString, Erase)
{
    struct Case {
        const char *text;
        uint32_t position, count;
        const char *expected;
    } const cases[] = {
        {"0123456789", 3, CPmcString::npos, "012"},
        {"0123456789", 3, 2, "01256789"},
        {"0123456789", 3, 7, "012"},
        {"0123456789", 0, 10, ""},
        {"0123456789", 10, 1, "0123456789"},
        {"", 0, 1, ""},
    };
    for (const Case &c : cases) {
        CPmcString s(c.text);
        s.erase(c.position, c.count);
        EXPECT_STREQ(c.expected, s.data()) << c.text << " " << c.position;
        EXPECT_EQ(strlen(c.expected), s.length());
    }
    CPmcString s("abc");
    s.erase(0, CPmcString::npos);
    EXPECT_EQ(0u, s.capacity());
}

TEST(PmcString, FindCompareEquals)
{
    CPmcString s("1.3.6.1");
    EXPECT_EQ(1u, s.find('.', 0));
    EXPECT_EQ(3u, s.find('.', 2));
    EXPECT_EQ(CPmcString::npos, s.find('.', 6));
    EXPECT_EQ(CPmcString::npos, s.find('.', 7));
    EXPECT_EQ(CPmcString::npos, s.find('\0', 0));
    EXPECT_EQ(CPmcString::npos, s.find('x', 0));

    CPmcString high("\x80");
    EXPECT_EQ(1, high.compare("a")); /* unsigned bytes */
    EXPECT_EQ(-1, CPmcString("ab").compare("abc"));
    EXPECT_EQ(0, CPmcString("").compare(nullptr));
    EXPECT_EQ(1, CPmcString("a").compare(nullptr));
    EXPECT_TRUE(CPmcString("ab").equals(CPmcString("ab")));
    EXPECT_FALSE(CPmcString("ab").equals(CPmcString("abc")));
}

TEST(PmcString, FindStepsOverDoubleByteCharacters)
{
    /* Shift-JIS: 0x83 0x5C is one character whose trail byte is '\\'. */
    const char text[] = "\x83\x5c\\a\x83\x5c";
    CPmcString s(text);
    qmt_PinAnsiCodePage(932);
    EXPECT_EQ(2u, s.find('\\', 0));
    EXPECT_EQ(CPmcString::npos, s.find('\\', 3));
    EXPECT_EQ(3u, s.find('a', 0));
    qmt_PinAnsiCodePage(1252); /* no lead bytes: the trail byte matches */
    EXPECT_EQ(1u, s.find('\\', 0));
    EXPECT_EQ(5u, s.find('\\', 3));
    qmt_PinAnsiCodePage(0);
}

TEST(PmcString, RefusedAllocationKeepsTheText)
{
    DWORD before = live_blocks();
    {
        CPmcString s("short");
        std::string long_text(200, 'y');
        {
            RefuseAllocations refuse;
            EXPECT_EQ(PMC_E_MEMORY, s.assign(long_text.c_str()));
            EXPECT_STREQ("short", s.data());
            EXPECT_EQ(PMC_E_MEMORY, s.append(long_text.c_str()));
            EXPECT_STREQ("short", s.data());
            /* Fits the current buffer: no allocation needed. */
            EXPECT_EQ(PMC_OK, s.append("er"));
            EXPECT_STREQ("shorter", s.data());
        }
        EXPECT_EQ(PMC_OK, s.assign(long_text.c_str()));
    }
    EXPECT_EQ(before, live_blocks());
}
