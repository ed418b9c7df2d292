/*
 * Chunked printer-data values and the stored-value table: chunk sizes and names, the
 * 99-chunk limit, empty values, missing and short chunks, write faults and deletion.
 */
#include "core/stored/stored.h"

#include "core/stored/tests/stored_fixture.h"

#include <winspool.h>

extern "C" LPCWSTR WINAPI trc_GetLogFileName(void)
{
    return TEXT("\\STORED_TEST_LOG.txt");
}

namespace {

using stored_test::Bytes;

Bytes Pattern(size_t size)
{
    Bytes bytes(size);
    for (size_t i = 0; i < size; ++i)
        bytes[i] = (BYTE)(i * 7 + i / 768);
    return bytes;
}

class ChunkedValueTest : public stored_test::StoredTest
{
};

TEST_F(ChunkedValueTest, TheLargestValueTakes99ChunksAndOneByteMoreIsRefused)
{
    Bytes value = Pattern(PD_MAX_CHUNKED_SIZE);
    ASSERT_TRUE(pd_WriteStoredValue(printer_, value.data(), (DWORD)value.size(), SVK_PAPER_MARGIN_ARRAY));
    EXPECT_EQ(Bytes({0x00, 0x29, 0x01, 0x00}), Value(TEXT("PaperMarginArraySize"))); /* 76,032 */
    EXPECT_EQ(768u, Value(TEXT("PaperMarginArray1")).size());
    EXPECT_EQ(768u, Value(TEXT("PaperMarginArray10")).size()); /* no leading zeros */
    EXPECT_EQ(768u, Value(TEXT("PaperMarginArray99")).size());
    EXPECT_FALSE(HasValue(TEXT("PaperMarginArray01")));
    EXPECT_FALSE(HasValue(TEXT("PaperMarginArray100")));

    DWORD size = 0;
    ASSERT_TRUE(pd_ReadStoredValue(printer_, SVK_PAPER_MARGIN_ARRAY, nullptr, &size));
    EXPECT_EQ(76032u, size);
    Bytes back(size);
    ASSERT_TRUE(pd_ReadStoredValue(printer_, SVK_PAPER_MARGIN_ARRAY, back.data(), &size));
    EXPECT_EQ(value, back);

    /* One byte more: refused before anything is written, the stored value unchanged. */
    Bytes bigger = Pattern(PD_MAX_CHUNKED_SIZE + 1);
    bigger[0] ^= 0xFF;
    EXPECT_FALSE(pd_WriteStoredValue(printer_, bigger.data(), (DWORD)bigger.size(), SVK_PAPER_MARGIN_ARRAY));
    EXPECT_FALSE(pd_WriteChunkedValue(printer_, bigger.data(), (DWORD)bigger.size(), TEXT("Big"), TEXT("BigSize")));
    EXPECT_FALSE(HasValue(TEXT("BigSize")));
    ASSERT_TRUE(pd_ReadStoredValue(printer_, SVK_PAPER_MARGIN_ARRAY, back.data(), &size));
    EXPECT_EQ(value, back);

    /* A stored total of 100 chunks is refused by the readers. */
    DWORD tooMany = PD_MAX_CHUNKED_SIZE + 1;
    ASSERT_EQ((DWORD)ERROR_SUCCESS,
              SetPrinterDataW(printer_, (LPWSTR)TEXT("PaperMarginArraySize"), REG_DWORD, (BYTE *)&tooMany, 4));
    void *data = nullptr;
    EXPECT_FALSE(pd_ReadChunkedValue(printer_, &data, &size, TEXT("PaperMarginArray"), TEXT("PaperMarginArraySize")));
    EXPECT_EQ(nullptr, data);
    EXPECT_FALSE(pd_DeleteStoredValue(printer_, SVK_PAPER_MARGIN_ARRAY));
}

TEST_F(ChunkedValueTest, AnEmptyValueStoresOnlyItsSizeAndCannotBeRead)
{
    ASSERT_TRUE(pd_WriteChunkedValue(printer_, nullptr, 0, TEXT("SysTTFontList"), TEXT("SysTTFontListSize")));
    EXPECT_EQ(Bytes(4, 0), Value(TEXT("SysTTFontListSize")));
    EXPECT_FALSE(HasValue(TEXT("SysTTFontList1")));
    DWORD size = 16;
    BYTE buffer[16];
    EXPECT_FALSE(pd_ReadStoredValue(printer_, SVK_SYS_TT_FONT_LIST, buffer, &size));
    EXPECT_EQ(0u, size);
    EXPECT_FALSE(pd_WriteStoredValue(printer_, buffer, 0, SVK_SYS_TT_FONT_LIST)); /* a size is required */
    EXPECT_FALSE(pd_WriteStoredValue(printer_, buffer, 1, SVK_COUNT));
    EXPECT_FALSE(pd_DeleteStoredValue(printer_, SVK_SYS_TT_FONT_LIST)); /* a total of 0 */
}

TEST_F(ChunkedValueTest, AMissingOrShortChunkFailsTheReadWithoutALeak)
{
    Bytes value = Pattern(2000); /* chunks of 768, 768 and 464 bytes */
    ASSERT_TRUE(pd_WriteChunkedValue(printer_, value.data(), (DWORD)value.size(), TEXT("N_Dev"), TEXT("N_DevSize")));
    EXPECT_EQ(464u, Value(TEXT("N_Dev3")).size());
    DWORD blocks = qmt_LiveGlobalBlocks();
    void *data = nullptr;
    DWORD size = 0;
    ASSERT_TRUE(pd_ReadChunkedValue(printer_, &data, &size, TEXT("N_Dev"), TEXT("N_DevSize")));
    EXPECT_EQ(value, Bytes((BYTE *)data, (BYTE *)data + size));
    GlobalFree(data);

    struct Case {
        const char *why;
        DWORD length; /* bytes written over chunk 2; 0 deletes it */
    };
    static const Case cases[] = {
        {"missing chunk", 0},
        {"short chunk", 767},
        {"long chunk", 769},
    };
    for (const Case &c : cases) {
        if (c.length)
            SetPrinterDataW(printer_, (LPWSTR)TEXT("N_Dev2"), REG_BINARY, value.data(), c.length);
        else
            DeletePrinterDataW(printer_, (LPWSTR)TEXT("N_Dev2"));
        EXPECT_FALSE(pd_ReadChunkedValue(printer_, &data, &size, TEXT("N_Dev"), TEXT("N_DevSize"))) << c.why;
        EXPECT_EQ(nullptr, data) << c.why;
        EXPECT_EQ(0u, size) << c.why;
        EXPECT_EQ(blocks, qmt_LiveGlobalBlocks()) << c.why;
    }
    /* The table reader reports how far it got. */
    ASSERT_TRUE(pd_WriteStoredValue(printer_, value.data(), (DWORD)value.size(), SVK_SYS_TT_FONT_LIST));
    DeletePrinterDataW(printer_, (LPWSTR)TEXT("SysTTFontList2"));
    Bytes buffer(2000);
    size = 2000;
    EXPECT_FALSE(pd_ReadStoredValue(printer_, SVK_SYS_TT_FONT_LIST, buffer.data(), &size));
    EXPECT_EQ(768u, size);
    size = 1999; /* a buffer smaller than the total */
    EXPECT_FALSE(pd_ReadStoredValue(printer_, SVK_SYS_TT_FONT_LIST, buffer.data(), &size));
}

TEST_F(ChunkedValueTest, AFailedWriteStopsAndAFailedDeleteStops)
{
    Bytes value = Pattern(2000);
    qmt_SpoolerFailSetPrinterData(2, ERROR_NOT_ENOUGH_MEMORY); /* size and chunk 1 pass */
    EXPECT_FALSE(pd_WriteStoredValue(printer_, value.data(), (DWORD)value.size(), SVK_SYS_TT_FONT_LIST));
    qmt_SpoolerReset();
    EXPECT_TRUE(HasValue(TEXT("SysTTFontListSize")));
    EXPECT_TRUE(HasValue(TEXT("SysTTFontList1")));
    EXPECT_FALSE(HasValue(TEXT("SysTTFontList2")));
    DWORD size = 2000;
    Bytes buffer(2000);
    EXPECT_FALSE(pd_ReadStoredValue(printer_, SVK_SYS_TT_FONT_LIST, buffer.data(), &size));

    ASSERT_TRUE(pd_WriteStoredValue(printer_, value.data(), (DWORD)value.size(), SVK_SYS_TT_FONT_LIST));
    qmt_SpoolerFailDeletePrinterData(1, ERROR_ACCESS_DENIED);
    EXPECT_FALSE(pd_DeleteStoredValue(printer_, SVK_SYS_TT_FONT_LIST));
    qmt_SpoolerReset();
    EXPECT_FALSE(HasValue(TEXT("SysTTFontList1")));
    EXPECT_TRUE(HasValue(TEXT("SysTTFontList2")));
    EXPECT_TRUE(HasValue(TEXT("SysTTFontListSize")));
    ASSERT_TRUE(pd_WriteStoredValue(printer_, value.data(), (DWORD)value.size(), SVK_SYS_TT_FONT_LIST));
    EXPECT_TRUE(pd_DeleteStoredValue(printer_, SVK_SYS_TT_FONT_LIST));
    EXPECT_FALSE(HasValue(TEXT("SysTTFontListSize")));
    EXPECT_FALSE(HasValue(TEXT("SysTTFontList3")));
    EXPECT_TRUE(pd_DeleteStoredValue(printer_, SVK_SYS_TT_FONT_LIST)); /* nothing stored: success */

    /* A size value no stored value can have is refused when asked for alone, before a
     * caller sizes a buffer by it; so are the readers that take their buffer from it. */
    for (DWORD total : {(DWORD)PD_MAX_CHUNKED_SIZE + 1, 0xFFFFFFFFu}) {
        for (const WCHAR *name : {TEXT("SysTTFontListSize"), TEXT("FontSubTableSize")})
            ASSERT_EQ((DWORD)ERROR_SUCCESS, SetPrinterDataW(printer_, (LPWSTR)name, REG_DWORD, (BYTE *)&total, 4));
        size = 5;
        EXPECT_FALSE(pd_ReadStoredValue(printer_, SVK_SYS_TT_FONT_LIST, nullptr, &size)) << total;
        EXPECT_EQ(0u, size) << total;
        EXPECT_EQ(nullptr, pd_ReadFontSubTable(printer_, 0)) << total;
    }
    ASSERT_TRUE(pd_WriteStoredValue(printer_, value.data(), (DWORD)value.size(), SVK_SYS_TT_FONT_LIST));

    /* A failing read of the size value fails the read. */
    ASSERT_TRUE(pd_WriteStoredValue(printer_, value.data(), (DWORD)value.size(), SVK_SYS_TT_FONT_LIST));
    qmt_SpoolerFailGetPrinterData(0, ERROR_NOT_ENOUGH_MEMORY);
    size = 0;
    EXPECT_FALSE(pd_ReadStoredValue(printer_, SVK_SYS_TT_FONT_LIST, nullptr, &size));
}

} // namespace
