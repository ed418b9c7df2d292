/* Number conversions, base64 sizes and paper-number classes. */
#include "core/util/conversion.h"
#include "core/util/paper_number.h"

#include <gtest/gtest.h>

namespace {

TEST(Conversion, ParseNumber)
{
    struct Case {
        const WCHAR *text;
        BOOL ok;
        int value;
    };
    static const Case kCases[] = {
        {TEXT("0x"), FALSE, 0}, // a prefix without digits
        {TEXT("0X"), FALSE, 0},
        {TEXT("12a"), FALSE, 0}, // trailing garbage
        {TEXT("0X1f"), TRUE, 31},
        {TEXT("0xFFFF"), TRUE, 65535},
        {TEXT("123"), TRUE, 123},
        {TEXT("0"), TRUE, 0},
        {TEXT(""), FALSE, 0},
        {TEXT("-5"), FALSE, 0},
        {TEXT(" 5"), FALSE, 0},
        {TEXT("0x1g"), FALSE, 0},
    };
    for (const Case &c : kCases) {
        int value = -77;
        EXPECT_EQ(c.ok, util_ParseNumber(c.text, &value));
        EXPECT_EQ(c.ok ? c.value : -77, value);
    }
    int value = 0;
    EXPECT_FALSE(util_ParseNumber(nullptr, &value));
    EXPECT_EQ(-12, util_WideToInt(TEXT("  -12xyz")));
    EXPECT_EQ(0, util_WideToInt(nullptr));
}

TEST(Conversion, MetricAndInch)
{
    struct Case {
        LONG metric;
        LONG inch;
        LONG digit;
    };
    // 2100 * 1000 / 254 = 8267, + 5 = 8272: 827 with the digit 2.
    static const Case kCases[] = {{2100, 827, 2}, {-2100, -827, 2}, {0, 0, 5}, {2970, 1169, 7}, {1, 0, 8}};
    for (const Case &c : kCases) {
        LONG digit = -1;
        EXPECT_EQ(c.inch, util_MetricToInch(c.metric, &digit)) << c.metric;
        EXPECT_EQ(c.digit, digit) << c.metric;
    }
    EXPECT_EQ(827, util_MetricToInch(2100, nullptr));
    struct Back {
        LONG inch;
        LONG metric;
    };
    // 850 * 254 / 10 = 21590, + 5 = 21595: 2159.
    static const Back kBack[] = {{850, 2159}, {-850, -2159}, {1100, 2794}, {0, 0}, {1, 3}};
    for (const Back &b : kBack)
        EXPECT_EQ(b.metric, util_InchToMetric(b.inch)) << b.inch;
}

TEST(Conversion, SplitHundredthsAndBase64Sizes)
{
    LONG whole = 0, fraction = 0;
    util_SplitHundredths(FALSE, 1234, &whole, &fraction);
    EXPECT_EQ(12, whole);
    EXPECT_EQ(34, fraction);
    util_SplitHundredths(TRUE, 1234, &whole, &fraction);
    EXPECT_EQ(12, whole);
    EXPECT_EQ(3, fraction);
    util_SplitHundredths(FALSE, 5, &whole, &fraction);
    EXPECT_EQ(0, whole);
    EXPECT_EQ(5, fraction);

    static const int kSizes[][3] = {{0, 1, 1}, {1, 5, 1}, {3, 5, 1}, {4, 9, 4}, {13, 21, 10}, {-1, -10, -10}};
    for (const auto &s : kSizes) {
        EXPECT_EQ(s[1], util_Base64EncodedSize(s[0])) << s[0];
        EXPECT_EQ(s[2], util_Base64DecodedSize(s[0])) << s[0];
    }
}

TEST(PaperNumber, Classes)
{
    struct Case {
        DWORD paper;
        BOOL custom;
        BOOL user;
        DWORD index;
    };
    static const Case kCases[] = {
        {256, FALSE, TRUE, 0xFFFF},
        {261, FALSE, FALSE, 0xFFFF},
        {262, TRUE, TRUE, 0},
        {266, TRUE, TRUE, 4},
        {267, FALSE, FALSE, 0xFFFF},
        {286, FALSE, FALSE, 0xFFFF},
        {287, TRUE, TRUE, 5},
        {301, TRUE, TRUE, 19},
        {302, FALSE, FALSE, 0xFFFF},
        {9, FALSE, FALSE, 0xFFFF},
    };
    for (const Case &c : kCases) {
        EXPECT_EQ(c.custom, opt_IsCustomPaperId(c.paper)) << c.paper;
        EXPECT_EQ(c.user, opt_IsUserPaperId(c.paper)) << c.paper;
        EXPECT_EQ(c.index, opt_CustomPaperIndex(c.paper)) << c.paper;
        if (c.custom) {
            EXPECT_EQ(c.paper, opt_CustomPaperNumber(c.index));
        }
    }
    EXPECT_EQ(0xFFFFu, opt_CustomPaperNumber(20));
    EXPECT_FALSE(opt_IsUserPaperSizeId(5888));
    EXPECT_TRUE(opt_IsUserPaperSizeId(5889));
    EXPECT_TRUE(opt_IsUserPaperSizeId(5928));
    EXPECT_FALSE(opt_IsUserPaperSizeId(5929));
}

} // namespace
