/*
 * Value comparison by type, the descriptor groups and the descriptor lookup.
 */
#include "core/handlers/setting_handlers.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CompareValues, OrdersEachTypeByItsWidthAndSign)
{
    struct Case {
        WORD type;
        DWORD a, b;
        short expected;
    };
    static const Case cases[] = {
        {3, 0xFFFF, 1, 1},      /* unsigned word */
        {2, 0xFFFF, 1, -1},     /* the same bits as a signed word */
        {1, 0xFFFFFFFF, 1, -1}, /* signed DWORD */
        {4, 5, 5, 0},
        {10, 1, 0xFFFFFFFF, 1},
        {5, 0xFFFFFFFF, 1, 1}, /* unsigned DWORD */
        {8, 0x1FF, 0x2FE, 1},  /* one byte only: 0xFF against 0xFE */
        {7, 1, 2, 2},          /* no comparator */
        {9, 1, 1, 2},
        {11, 1, 1, 2},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(c.expected, opt_CompareValues(c.type, &c.a, &c.b)) << "type " << c.type;
    }
    DWORD one = 1;
    EXPECT_EQ(2, opt_CompareValues(1, nullptr, &one));
    EXPECT_EQ(2, opt_CompareValues(1, &one, nullptr));
}

TEST(CompareValues, ComparesStringsThroughTheirPointers)
{
    const WCHAR *a4 = TEXT("A4");
    const WCHAR *a4Too = TEXT("A4");
    const WCHAR *a5 = TEXT("A5");
    const WCHAR *none = nullptr;
    EXPECT_EQ(0, opt_CompareValues(6, &a4, &a4Too));
    EXPECT_EQ(-1, opt_CompareValues(6, &a4, &a5));
    EXPECT_EQ(1, opt_CompareValues(6, &a5, &a4));
    EXPECT_EQ(2, opt_CompareValues(6, &a4, &none));
}

/* The group number finds its own block of descriptors (its kind, every FunctionID within
 * the group's range, in order); the counts are the catalogue test's. */
TEST(SettingGroups, GivesEachGroupItsDescriptorsAndTheEndRowOtherwise)
{
    static const struct {
        WORD group;
        WORD kind;
        DWORD first, last;
    } groups[] = {{5, 0, 257, 303},
                  {6, 0, 304, 351},
                  {7, 0, 352, 399},
                  {8, 0, 400, 447},
                  {9, 0, 448, 483},
                  {10, 0, 1281, 1376},
                  {11, 1, 1793, 1879},
                  {12, 1, 2305, 2560},
                  {0, 2, 4097, 4371},
                  {1, 2, 4609, 4640},
                  {2, 2, 5121, 5207},
                  {3, 2, 5633, 8215},
                  {4, 0, 1, 25}};
    for (const auto &g : groups) {
        DWORD count = 0;
        WORD kind = 9;
        const SettingDescriptor *descriptors = nullptr;
        ASSERT_TRUE(opt_GetSettingGroup(&count, &kind, &descriptors, g.group)) << g.group;
        ASSERT_GT(count, 0u) << g.group;
        EXPECT_EQ(g.kind, kind) << g.group;
        for (DWORD i = 0; i < count; ++i) {
            EXPECT_GE(descriptors[i].functionId, g.first) << g.group;
            EXPECT_LE(descriptors[i].functionId, g.last) << g.group;
            if (i > 0) {
                EXPECT_LT(descriptors[i - 1].functionId, descriptors[i].functionId);
            }
        }
    }
    DWORD count = 7;
    const SettingDescriptor *descriptors = nullptr;
    EXPECT_FALSE(opt_GetSettingGroup(&count, nullptr, &descriptors, 13));
    EXPECT_EQ(0u, count);
    EXPECT_EQ(nullptr, descriptors);
}

TEST(SettingGroups, FindsDescriptorsWithTheirHandlerRows)
{
    struct Case {
        DWORD functionId;
        bool found;
        bool hasRow;
        DWORD mask;
    };
    static const Case cases[] = {
        {4, true, true, 0xFFFF},
        {7, true, true, 0x12},
        {8, true, true, 0x0C},
        {16, true, true, 0x10},
        {24, true, true, 0},
        {8202, true, true, 0xFFFF},
        {439, true, true, 0},
        {5948, true, true, 0xFFFF},
        {15, true, true, 0xFFFF},
        {274, true, false, 0},
        {20, false, false, 0},
        {0, false, false, 0},
        {9000, false, false, 0},
    };
    for (const Case &c : cases) {
        const SettingDescriptor *descriptor = opt_FindDescriptor(c.functionId);
        ASSERT_EQ(c.found, descriptor != nullptr) << c.functionId;
        if (!descriptor) {
            continue;
        }
        EXPECT_EQ(c.functionId, descriptor->functionId);
        ASSERT_EQ(c.hasRow, descriptor->handler != nullptr) << c.functionId;
        if (descriptor->handler) {
            EXPECT_EQ(c.mask, descriptor->handler->mask) << c.functionId;
        }
    }
    /* The rows without a function carry a fixed default. */
    EXPECT_EQ(nullptr, opt_FindDescriptor(8202)->handler->handler);
    EXPECT_EQ(5452u, opt_FindDescriptor(8202)->handler->spec->value);
}

} // namespace

namespace {

TEST(PaperSizeText, MillimetresAndInchesInBothDecimalModes)
{
    static DriverDevmode devmode;
    static PrinterDataBlock block;
    PaperTextRecord a4 = {9, 2100, 2970, TEXT("A4")};
    struct Case {
        PaperUnitMode mode;
        const char16_t *expected;
    };
    static const Case cases[] = {
        {{0, 0}, u"A4 (210 x 297 mm)"},
        {{1, 0}, u"A4 (8.27 x 11.69 in)"},
        {{1, 1}, u"A4 (8.2 x 11.6 in)"},
    };
    for (const Case &c : cases) {
        PaperTextRequest request = {GetModuleHandleW(nullptr), &devmode, &block, &a4, c.mode};
        WCHAR *text = opt_FormatPaperSizeText(&request);
        ASSERT_NE(nullptr, text);
        EXPECT_EQ(std::u16string(c.expected), std::u16string(text));
        GlobalFree(text);
    }
    /* A long name cannot overrun the text. */
    std::u16string name(300, u'x');
    PaperTextRecord longName = {9, 2100, 2970, (const WCHAR *)name.c_str()};
    PaperTextRequest request = {GetModuleHandleW(nullptr), &devmode, &block, &longName, {0, 0}};
    WCHAR *text = opt_FormatPaperSizeText(&request);
    ASSERT_NE(nullptr, text);
    EXPECT_EQ(name + u" (210 x 297 mm)", std::u16string(text));
    GlobalFree(text);

    request.paper = nullptr;
    EXPECT_EQ(nullptr, opt_FormatPaperSizeText(&request));
    request = {nullptr, &devmode, &block, &a4, {0, 0}}; /* no module: no strings */
    EXPECT_EQ(nullptr, opt_FormatPaperSizeText(&request));
}

} // namespace
