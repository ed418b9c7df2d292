/*
 * The page store: page order, records and raw bytes read back, page entries, growth.
 */
#include "render/stream/output_stream.h"

#include "render/stream/tests/output_fixture.h"

namespace output_test {
namespace {

using Bytes = std::vector<BYTE>;

// Stores pages first .. first + count - 1, each holding one raw byte.
void StorePages(OutputStream *stream, WORD first, WORD count)
{
    for (WORD page = first; page < first + count; ++page) {
        ASSERT_EQ(spl_BeginStoredPage(stream, page), 0) << page;
        BYTE byte = (BYTE)page;
        ASSERT_EQ(spl_WriteStream(stream, 1, &byte), 1);
        ASSERT_EQ(spl_EndStoredPage(stream), 0);
    }
}

// Files in the temporary directory.
DWORD TempFiles()
{
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW(TEXT("C:\\TEMP\\*"), &found);
    DWORD count = 0;
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            ++count;
    } while (FindNextFileW(find, &found));
    FindClose(find);
    return count;
}

// Reads what follows the current position of the open page up to the next head.
Bytes ReadRest(OutputStream *stream)
{
    Bytes all;
    BYTE chunk[700];
    LONG got;
    while ((got = spl_ReadStoredPage(stream, sizeof(chunk), chunk)) > 0)
        all.insert(all.end(), chunk, chunk + got);
    EXPECT_EQ(got, 0);
    return all;
}

TEST_F(StreamTest, StoredPagesMustComeInOrder)
{
    ASSERT_EQ(spl_BeginPageStore(stream_, 3, 116), 0);
    StorePages(stream_, 3, 2);
    EXPECT_EQ(spl_BeginStoredPage(stream_, 7), -1);
    EXPECT_EQ(spl_BeginStoredPage(stream_, 4), -1);
    EXPECT_EQ(spl_BeginStoredPage(stream_, 5), 0);
    EXPECT_EQ(spl_BeginStoredPage(stream_, 6), -1) << "page 5 is still open";
    EXPECT_EQ(spl_EndStoredPage(stream_), 0);
    EXPECT_EQ(spl_EndStoredPage(stream_), -1) << "no page open";
    EXPECT_EQ(stream_->storedCount, 3);
    EXPECT_EQ(spl_EndPageStore(stream_), 0);
    EXPECT_TRUE(JobBytes(job_).empty()) << "stored pages never reach the spooler";
}

// A page of raw bytes (buffered and unbuffered) and records of kinds 0-4 reads back byte
// for byte, the records in order, each followed by the raw bytes written after it.
TEST_F(StreamTest, StoredPageReadsBackAsWritten)
{
    ASSERT_EQ(spl_BeginPageStore(stream_, 1, 2), 0);
    StorePages(stream_, 1, 1);
    ASSERT_EQ(spl_BeginStoredPage(stream_, 2), 0);
    Bytes lead = Pattern(40, 1);
    spl_WriteStream(stream_, 40, lead.data());
    std::vector<Bytes> data, raw;
    for (WORD kind = 0; kind <= 4; ++kind) {
        data.push_back(Pattern(kind == 0 ? 60 : kind * 3, (BYTE)(kind + 10)));
        ASSERT_EQ(spl_AppendStoreRecord(stream_, kind, (WORD)data.back().size(), data.back().data()), 0);
        raw.push_back(Pattern(kind == 2 ? 5000 : kind * 100, (BYTE)(kind + 20)));
        ASSERT_EQ(spl_WriteStream(stream_, (DWORD)raw.back().size(), raw.back().data()), (LONG)raw.back().size());
    }
    ASSERT_EQ(spl_EndStoredPage(stream_), 0);
    StorePages(stream_, 3, 1);

    ASSERT_EQ(spl_OpenStoredPage(stream_, 2), 0);
    EXPECT_EQ(ReadRest(stream_), lead);
    for (WORD kind = 0; kind <= 4; ++kind) {
        StoreRecordHead head;
        ASSERT_EQ(spl_NextStoredRecord(stream_, &head), 0) << kind;
        EXPECT_EQ(head.kind, kind);
        EXPECT_EQ(head.length, data[kind].size());
        Bytes expected = data[kind];
        expected.insert(expected.end(), raw[kind].begin(), raw[kind].end());
        EXPECT_EQ(ReadRest(stream_), expected) << kind;
    }
    StoreRecordHead head;
    EXPECT_EQ(spl_NextStoredRecord(stream_, &head), STORE_CHAIN_END);
    EXPECT_EQ(spl_NextStoredRecord(stream_, &head), -1) << "reading has ended";

    for (WORD page : {1, 3}) {
        ASSERT_EQ(spl_OpenStoredPage(stream_, page), 0);
        EXPECT_EQ(ReadRest(stream_), Bytes{(BYTE)page});
        EXPECT_EQ(spl_NextStoredRecord(stream_, &head), STORE_CHAIN_END);
    }
    EXPECT_EQ(spl_OpenStoredPage(stream_, 4), -1);
    EXPECT_EQ(spl_OpenStoredPage(stream_, 0), -1);
}

TEST_F(StreamTest, PageEntriesOnlyForStoredPages)
{
    ASSERT_EQ(spl_BeginPageStore(stream_, 1, 116), 0);
    Bytes entry = Pattern(PAGE_ENTRY_SIZE), back(PAGE_ENTRY_SIZE);
    EXPECT_EQ(spl_SetPageEntry(stream_, 1, PAGE_ENTRY_SIZE, entry.data()), -1) << "nothing stored yet";
    ASSERT_EQ(spl_BeginStoredPage(stream_, 1), 0);
    EXPECT_EQ(spl_SetPageEntry(stream_, 1, PAGE_ENTRY_SIZE, entry.data()), 0) << "the page being stored";
    EXPECT_EQ(spl_SetPageEntry(stream_, 1, 12, entry.data()), -1);
    ASSERT_EQ(spl_EndStoredPage(stream_), 0);
    EXPECT_EQ(spl_GetPageEntry(stream_, 1, PAGE_ENTRY_SIZE, back.data()), 0);
    EXPECT_EQ(back, entry);
    EXPECT_EQ(spl_GetPageEntry(stream_, 2, PAGE_ENTRY_SIZE, back.data()), -1);
}

// The store grows past its growth step; at the end nothing is left: no file, no record.
TEST_F(StreamTest, StoreGrowsAndLeavesNothingBehind)
{
    DWORD before = TempFiles();
    ASSERT_EQ(spl_BeginPageStore(stream_, 1, 2), 0);
    EXPECT_EQ(TempFiles(), before + 1);
    StorePages(stream_, 1, 7);
    EXPECT_GE(stream_->pages.capacity, 7);
    for (WORD page = 1; page <= 7; ++page) {
        ASSERT_EQ(spl_OpenStoredPage(stream_, page), 0);
        EXPECT_EQ(ReadRest(stream_), Bytes{(BYTE)page});
    }
    EXPECT_EQ(spl_EndPageStore(stream_), 0);
    HKEY key;
    ASSERT_EQ(
        RegOpenKeyExW(
            HKEY_LOCAL_MACHINE, TEXT("Software\\Tessaly Ornet\\QM NQT Printer Driver\\TempFile"), 0, KEY_READ, &key),
        ERROR_SUCCESS);
    WCHAR name[MAX_PATH];
    DWORD length = MAX_PATH;
    EXPECT_EQ(RegEnumKeyExW(key, 0, name, &length, NULL, NULL, NULL, NULL), ERROR_NO_MORE_ITEMS);
    RegCloseKey(key);
    EXPECT_EQ(TempFiles(), before) << "the temporary directory holds nothing of the store";
}

TEST(EntryTable, GrowsInStepsAndNeverWraps)
{
    EntryTable table = {};
    ASSERT_EQ(tbl_Create(&table, 12, 30000), 0);
    BYTE entry[12] = {1, 2, 3};
    ASSERT_EQ(tbl_Write(&table, 29999, entry), 0);
    EXPECT_EQ(tbl_Write(&table, 30000, entry), -1);
    ASSERT_EQ(tbl_Grow(&table), 0);
    EXPECT_EQ(table.capacity, 60000);
    BYTE back[12] = {};
    EXPECT_EQ(tbl_Read(&table, 29999, back), 0);
    EXPECT_EQ(back[2], 3);
    EXPECT_EQ(tbl_Grow(&table), -1) << "90000 entries do not fit a 16-bit count";
    EXPECT_EQ(table.capacity, 60000);
    EXPECT_EQ(tbl_Fill(&table, 59999, 0xAB), 0);
    tbl_Free(&table);
    EXPECT_EQ(table.capacity, 0);
}

} // namespace
} // namespace output_test
