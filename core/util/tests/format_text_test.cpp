/* The positional formatter. */
#include "core/util/format_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::u16string formatted(int capacity, const WCHAR *format, int n1, const WCHAR *s2, int n3)
{
    WCHAR buffer[256];
    int length = util_FormatText(buffer, capacity, format, n1, s2, n3);
    EXPECT_EQ((size_t)length, std::char_traits<char16_t>::length(buffer));
    return buffer;
}

TEST(FormatText, Forms)
{
    struct Case {
        int capacity;
        const WCHAR *format;
        const char16_t *expected;
    };
    // Arguments are always 7, "ab", 42.
    static const Case kCases[] = {
        {64, TEXT("%d-%s-%d"), u"7-ab-42"},
        {64, TEXT("%3d %2s %1d"), u"42 ab 7"}, // positional
        {64, TEXT("%D%s%d"), u"ab42"},         // upper case consumes without printing
        {64, TEXT("%1D%2S%3d"), u"42"},
        {64, TEXT("100%% %d"), u"100% 7"}, // "%%" is one percent sign
        {64, TEXT("%x%d"), u"%x7"},        // not a placeholder: literal
        {64, TEXT("end%"), u"end%"},
        {8, TEXT("%d-%s-%d"), u"7-ab-42"}, // exactly fits with the terminator
        {7, TEXT("%d-%s-%d"), u"7-ab-"},   // the last piece overflows and is left out
        {4, TEXT("%dxxxx%s"), u"7ab"},     // an overflowing piece, a later one fits
        {1, TEXT("%d"), u""},
        {64, TEXT(""), u""},
    };
    for (const Case &c : kCases)
        EXPECT_EQ(std::u16string(c.expected), formatted(c.capacity, c.format, 7, TEXT("ab"), 42)) << c.capacity;
}

TEST(FormatText, TheTwentyFirstPieceIsLeftOut)
{
    // 20 pieces "a%d" x 10, then a 21st literal and a 22nd placeholder.
    WCHAR buffer[128];
    int length =
        util_FormatText(buffer, 128, TEXT("a%da%da%da%da%da%da%da%da%da%dZ%d"), 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10);
    EXPECT_EQ(std::u16string(u"a0a1a2a3a4a5a6a7a8a9"), std::u16string(buffer));
    EXPECT_EQ(20, length);
    EXPECT_EQ(0, util_FormatText(nullptr, 10, TEXT("x")));
    EXPECT_EQ(0, util_FormatText(buffer, 0, TEXT("x")));
    EXPECT_EQ(0, util_FormatText(buffer, 10, nullptr));
    EXPECT_EQ(0, buffer[0]);
}

} // namespace
