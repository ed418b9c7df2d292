/*
 * Typed values: conversions, text forms, slots and sizes.
 */
#include <gtest/gtest.h>

#include <string.h>

#include "core/settings/settings.h"

namespace {

bool SameText(const WCHAR *a, const WCHAR *b)
{
    while (*a != 0 && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b;
}

TEST(TypedValue, Conversions)
{
    const BYTE bytes[4] = {0xFE, 0xFF, 0xFF, 0xFF}; /* -2 as any width */
    struct Case {
        WORD type;
        LONG asLong;
        WORD asWord;
    };
    const Case cases[] = {
        {VT_LONG, -2, 0xFFFE},
        {VT_SHORT, -2, 0xFFFE},
        {VT_WORD, 0xFFFE, 0xFFFE},
        {VT_LONG32, -2, 0xFFFE},
        {VT_DWORD, -2, 0xFFFE},
        {VT_BYTE, 0xFE, 0xFE},
        {VT_FONTFIELD, -2, 0xFFFE},
        {VT_STRING, 0, 0},
        {VT_NONE, 0, 0},
        {VT_LOGFONT, 0, 0},
        {11, 0, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.type);
        EXPECT_EQ(dma_ValueToLong(c.type, bytes), c.asLong);
        EXPECT_EQ(dma_ValueToDword(c.type, bytes), (DWORD)c.asLong);
        EXPECT_EQ(dma_ValueToWord(c.type, bytes), c.asWord);
    }
    EXPECT_EQ(dma_ValueToLong(VT_LONG, nullptr), 0);
}

TEST(TypedValue, TextForms)
{
    WCHAR buffer[64];
    LONG most = (LONG)0x80000000ul;
    SHORT minus = -7;
    BYTE byte = 200;
    const WCHAR *text = TEXT("Tray 2");
    EXPECT_TRUE(SameText(dma_FormatValueText(VT_LONG, &most, buffer), TEXT("-2147483648")));
    EXPECT_TRUE(SameText(dma_FormatValueText(VT_SHORT, &minus, buffer), TEXT("-7")));
    EXPECT_TRUE(SameText(dma_FormatValueText(VT_BYTE, &byte, buffer), TEXT("200")));
    EXPECT_TRUE(SameText(dma_FormatValueText(VT_STRING, &text, buffer), TEXT("Tray 2")));
    EXPECT_EQ(dma_FormatValueText(VT_LOGFONT, &byte, buffer), nullptr);
    EXPECT_EQ(dma_FormatValueText(VT_NONE, &byte, buffer), nullptr);
    EXPECT_EQ(dma_FormatValueText(VT_LONG, &most, nullptr), nullptr);
}

TEST(TypedValue, SlotsAndSizes)
{
    DWORD slot = 0xFFFFFFFF;
    WORD word = 0x1234;
    EXPECT_TRUE(dma_StoreValueInSlot(VT_WORD, &slot, &word));
    EXPECT_EQ(slot, 0x1234u) << "the slot is cleared first";
    const WCHAR *text = TEXT("abc");
    DWORD_PTR pointerSlot = (DWORD_PTR)-1;
    EXPECT_TRUE(dma_StoreValueInSlot(VT_STRING, &pointerSlot, text));
    EXPECT_EQ(pointerSlot, (DWORD_PTR)text) << "the pointer, not a copy";
    EXPECT_FALSE(dma_StoreValueInSlot(VT_LOGFONT, &pointerSlot, text));
    EXPECT_FALSE(dma_StoreValueInSlot(VT_WORD, nullptr, &word));

    EXPECT_EQ(dma_GetValueSize(VT_LOGFONT, nullptr, 3), 92u);
    EXPECT_EQ(dma_GetValueSize(VT_BYTE, nullptr, 3), 1u);
    EXPECT_EQ(dma_GetValueSize(VT_STRING, text, 0xFFFFFFFF), 8u);
    EXPECT_EQ(dma_GetValueSize(VT_STRING, nullptr, 0xFFFFFFFF), 0u);
    EXPECT_EQ(dma_GetValueSize(VT_STRING, text, 20), 20u);
    EXPECT_EQ(dma_GetValueSize(VT_NONE, text, 20), 20u);

    WORD type = 0;
    DWORD_PTR value = 0;
    DWORD size = 0;
    EXPECT_TRUE(dma_ReturnTypedValue(VT_STRING, (DWORD_PTR)text, &type, &value, &size));
    EXPECT_EQ(type, VT_STRING);
    EXPECT_EQ(value, (DWORD_PTR)text);
    EXPECT_EQ(size, 8u);
    EXPECT_TRUE(dma_ReturnTypedValue(VT_SHORT, 5, &type, &value, &size));
    EXPECT_EQ(size, 2u);
    EXPECT_FALSE(dma_ReturnTypedValue(VT_SHORT, 5, &type, nullptr, &size));
}

} // namespace
