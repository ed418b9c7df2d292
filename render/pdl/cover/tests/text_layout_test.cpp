/*
 * Layout of annotation text items: line cuts and golden positions.
 */
#include "render/pdl/cover/text_layout.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/testing/qm_testing.h"

namespace {

std::vector<std::u16string> Split(const char16_t *text, DWORD capacity, DWORD maxLines)
{
    static WCHAR lines[8][TEXT_ITEM_CHARS];
    DWORD count = 99;
    EXPECT_TRUE(util_SplitTextLines(text, capacity, maxLines, lines, &count));
    std::vector<std::u16string> out;
    for (DWORD i = 0; i < count && i < 8; ++i)
        out.push_back(lines[i]);
    return out;
}

TEST(TextLayout, LinesEndAtCrLfAndAtTheCapacity)
{
    using Lines = std::vector<std::u16string>;
    EXPECT_EQ(Split(u"abcdefgh", 3, 8), (Lines{u"abc", u"def", u"gh"}));
    EXPECT_EQ(Split(u"ab\r\ncd", 10, 8), (Lines{u"ab", u"cd"}));
    EXPECT_EQ(Split(u"abcdefgh", 3, 2), (Lines{u"abc", u"def"})) << "stops at the maximum";
    qmt_PinAnsiCodePage(932);
    EXPECT_EQ(Split(u"a\u3042\u3044", 2, 8), (Lines{u"a", u"\u3042", u"\u3044"})) << "a double-byte character counts 2";
    qmt_PinAnsiCodePage(0);
}

// Golden values: a centred item, a bottom-anchored item over two lines, and a kind-8
// text longer than 51 bytes whose font shrinks.
TEST(TextLayout, GoldenPositions)
{
    TextItem items[4] = {};
    TextItemRow centred = {1, 1774, 1, 1, 0, 100, 1750, 518, 0, 1, 0};
    ASSERT_EQ(util_ComputeTextItemPositions(&centred, u"FAX", items, 4), 1u);
    EXPECT_EQ(items[0].x, 1714); // 1750 - 100 x 0.1 x 0.35277.. x 1 x 10
    EXPECT_EQ(items[0].y, 518);
    EXPECT_EQ(items[0].fontSize, 100);
    ASSERT_EQ(util_ComputeTextItemPositions(&centred, u"Facsimile", items, 4), 1u);
    EXPECT_EQ(items[0].x, 1608); // half of 9 bytes is 4

    TextItemRow bottom = {4, 0, 2, 0, 5, 110, 680, 680, 10, 2, 40};
    ASSERT_EQ(util_ComputeTextItemPositions(&bottom, u"abcdefghijklmno", items, 4), 2u);
    EXPECT_EQ(std::u16string(items[0].text), u"abcdefghij");
    EXPECT_EQ(std::u16string(items[1].text), u"klmno");
    EXPECT_EQ(items[0].x, 680);
    EXPECT_EQ(items[0].y, 646); // 0 - 110 x 0.1 x 0.30338.. x 10 + 680
    EXPECT_EQ(items[1].y, 686); // the line offset grew by 40
    EXPECT_EQ(items[1].color, 5);

    TextItemRow kind8 = {8, 0, 1, 0, 0, 120, 680, 864, 100, 1, 0};
    std::u16string longText(60, u'x');
    ASSERT_EQ(util_ComputeTextItemPositions(&kind8, longText.c_str(), items, 4), 1u);
    EXPECT_EQ(items[0].fontSize, 101); // 107 / 60 x 2 x 28.346..
    EXPECT_EQ(items[0].y, 864);
    std::u16string shortText(51, u'x');
    ASSERT_EQ(util_ComputeTextItemPositions(&kind8, shortText.c_str(), items, 4), 1u);
    EXPECT_EQ(items[0].fontSize, 120);
}

} // namespace
