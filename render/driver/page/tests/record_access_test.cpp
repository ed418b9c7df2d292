/*
 * Record accessors: the type check, the format gate and the values.
 */
#include "render/driver/page/record_access.h"

#include <gtest/gtest.h>

namespace {

DddSizeRange Range(WORD type, DWORD format)
{
    DddSizeRange range = {};
    range.head.type = type;
    range.head.format = format;
    range.word1 = 0x1234;
    range.byte1 = 0x56;
    return range;
}

TEST(RecordAccess, SizeRangeWordAndByte)
{
    struct Case {
        WORD type;
        DWORD format;
        DddStatus word, byte;
    } cases[] = {
        {5, 512, 0, 0},
        {6, 512, 1, 0},
        {5, 511, 0, 1},
        {6, 256, 1, 1},
        {10, 1024, 1, 1},
    };
    for (const Case &c : cases) {
        DddSizeRange range = Range(c.type, c.format);
        WORD word = 0;
        BYTE byte = 0;
        EXPECT_EQ(ddd_GetType5Word(&range, &word), c.word) << c.type << "/" << c.format;
        EXPECT_EQ(ddd_GetType5Or6Byte(&range, &byte), c.byte) << c.type << "/" << c.format;
        EXPECT_EQ(word, c.word == 0 ? 0x1234 : 0);
        EXPECT_EQ(byte, c.byte == 0 ? 0x56 : 0);
    }
    DddSizeRange range = Range(5, 512);
    EXPECT_EQ(ddd_GetType5Word(&range, nullptr), 1);
    EXPECT_EQ(ddd_GetType5Or6Byte(nullptr, nullptr), 1);
}

TEST(RecordAccess, PaperExtrasAndNamedDataValue)
{
    DddPaper paper = {};
    paper.head.type = 10;
    paper.head.format = 512;
    paper.byte2 = 3;
    paper.extra[1].height = 77;
    BYTE byte = 0;
    const DddSize *first = nullptr, *second = nullptr;
    ASSERT_EQ(ddd_GetPaperExtras(&paper, &byte, &first, &second), 0);
    EXPECT_EQ(byte, 3);
    EXPECT_EQ(first, &paper.extra[0]);
    EXPECT_EQ(second->height, 77);
    paper.head.format = 256;
    EXPECT_EQ(ddd_GetPaperExtras(&paper, &byte, &first, &second), 1) << "older formats carry no extras";
    paper.head.format = 512;
    paper.head.type = 11;
    EXPECT_EQ(ddd_GetPaperExtras(&paper, &byte, &first, &second), 1);

    DddNamedData named = {};
    named.head.type = 11;
    named.dataLength = 0x01020304;
    EXPECT_EQ(ddd_GetType11RecordValue(&named), 0x01020304u);
    named.head.type = 10;
    EXPECT_EQ(ddd_GetType11RecordValue(&named), 0u);
    EXPECT_EQ(ddd_GetType11RecordValue(nullptr), 0u);
}

} // namespace
