/*
 * The stored settings blocks with the list object: the settings file's golden bytes with a
 * list of two destinations, the same through printer data, and the printer's
 * "FaxSendList" value.
 */
#include "core/faxlist/fax_list.h"

#include "core/faxlist/tests/fax_fixture.h"
#include "core/stored/stored.h"
#include "core/stored/tests/stored_fixture.h"

#include <string.h>

/* The trace log of this test program. */
extern "C" LPCWSTR WINAPI trc_GetLogFileName(void)
{
    return TEXT("\\FAXLIST_TEST_LOG.txt");
}

namespace {

using stored_test::Bytes;
using stored_test::PutBytes;
using stored_test::PutDword;
using stored_test::PutName;
using stored_test::PutWord;

const WCHAR kFile[] = TEXT("C:\\tmp\\settings.bin");

/* The settings-file layout: "NDEV001" with the second part, "VQBINFO", "SPINFO", then the
 * fax list. */
Bytes SecondPartBytes()
{
    Bytes bytes(sizeof(DevmodeSecondPart));
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = (BYTE)(i % 251 + 1);
    bytes[0] = 0x20; /* the version word 21024 */
    bytes[1] = 0x52;
    return bytes;
}

Bytes InfoBlock(const char *name, const Bytes &data)
{
    Bytes bytes;
    PutName(bytes, name);
    PutDword(bytes, (DWORD)data.size());
    PutBytes(bytes, data.data(), data.size());
    return bytes;
}

Bytes SettingsFile(const Bytes &vqb, const Bytes &sp, const Bytes &fax)
{
    Bytes bytes;
    PutName(bytes, "NDEV001");
    PutDword(bytes, 21024);
    PutDword(bytes, 4268);
    Bytes second = SecondPartBytes();
    PutBytes(bytes, second.data(), second.size());
    for (const Bytes &tail : {InfoBlock("VQBINFO", vqb), InfoBlock("SPINFO", sp), fax})
        bytes.insert(bytes.end(), tail.begin(), tail.end());
    return bytes;
}

/* A fax list of count destinations: the tag and count, every other byte 0x5A. */
Bytes FaxList(WORD count)
{
    Bytes bytes;
    PutName(bytes, "DFAX001");
    PutWord(bytes, count);
    bytes.resize(1442 + 742 * count, 0x5A);
    return bytes;
}

/* A list object that owns its destinations. */
struct ListObject {
    FaxAddressList object = {};
    ListObject()
    {
        object.list = ui_CreateNodeList();
    }
    ~ListObject()
    {
        ListNode *next = nullptr;
        for (void *d = ui_GetFirstNodeData(object.list, &next); d != nullptr; d = ui_GetNextNodeData(next, &next))
            GlobalFree(d);
        ui_DestroyNodeList(&object.list);
    }
    void Add(BYTE fill)
    {
        void *copy = GlobalAlloc(GPTR, sizeof(FaxDestination));
        memset(copy, fill, sizeof(FaxDestination));
        ASSERT_TRUE(ui_AddNode(object.list, 0, 0, copy));
    }
    /* The object's block. */
    Bytes Block()
    {
        DWORD count = (DWORD)ui_GetNodeCount(object.list);
        Bytes block(1442 + 742 * count, 0);
        EXPECT_TRUE(pd_BuildFaxSendList(block.data(), count, &object));
        return block;
    }
};

/* The object of FaxList(2). */
void FillLikeFaxList2(ListObject &list)
{
    memset(list.object.list1, 0x5A, sizeof(list.object.list1));
    memset(list.object.list2, 0x5A, sizeof(list.object.list2));
    list.Add(0x5A);
    list.Add(0x5A);
}

Bytes ReadHostFile(const WCHAR *path)
{
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return Bytes();
    Bytes bytes(GetFileSize(file, nullptr));
    DWORD read = 0;
    if (!bytes.empty())
        ReadFile(file, bytes.data(), (DWORD)bytes.size(), &read, nullptr);
    CloseHandle(file);
    return bytes;
}

class FaxStoredTest : public stored_test::StoredTest
{
};

TEST_F(FaxStoredTest, TheSettingsFileAndPrinterDataCarryTheListObject)
{
    Bytes second = SecondPartBytes();
    Bytes vqb = Bytes(5, 0xEE);
    Bytes sp = {1, 2, 3};
    ListObject saved;
    FillLikeFaxList2(saved);
    driver_files::WriteFileBytes(kFile, std::string()); /* the caller creates the file empty */
    ASSERT_TRUE(pd_SaveSettingsBlocksWithFax(printer_,
                                             context_,
                                             kFile,
                                             0,
                                             &saved.object,
                                             (DevmodeSecondPart *)second.data(),
                                             vqb.data(),
                                             (DWORD)vqb.size(),
                                             sp.data(),
                                             (DWORD)sp.size()));
    EXPECT_EQ(SettingsFile(vqb, sp, FaxList(2)), ReadHostFile(kFile));

    for (const WCHAR *path : {kFile, (const WCHAR *)nullptr}) {
        if (path == nullptr) {
            ASSERT_TRUE(pd_SaveSettingsBlocksWithFax(printer_,
                                                     context_,
                                                     nullptr,
                                                     STORE_PRINTER_DATA,
                                                     &saved.object,
                                                     (DevmodeSecondPart *)second.data(),
                                                     vqb.data(),
                                                     (DWORD)vqb.size(),
                                                     sp.data(),
                                                     (DWORD)sp.size()));
        }
        ListObject loaded;
        DevmodeSecondPart back;
        void *vqbBack = nullptr;
        void *spBack = nullptr;
        DWORD vqbSize = 0;
        DWORD spSize = 0;
        ASSERT_TRUE(pd_LoadSettingsBlocksWithFax(
            printer_, context_, path, STORE_PRINTER_DATA, &loaded.object, &back, &vqbBack, &vqbSize, &spBack, &spSize));
        EXPECT_EQ(0, memcmp(&back, second.data(), second.size()));
        EXPECT_EQ(vqb, Bytes((BYTE *)vqbBack, (BYTE *)vqbBack + vqbSize));
        EXPECT_EQ(sp, Bytes((BYTE *)spBack, (BYTE *)spBack + spSize));
        EXPECT_EQ(FaxList(2), loaded.Block());
        GlobalFree(vqbBack);
        GlobalFree(spBack);
    }
}

TEST_F(FaxStoredTest, AnEmptyObjectStoresTheHeadAlone)
{
    Bytes second = SecondPartBytes();
    ListObject empty;
    ASSERT_TRUE(pd_SaveSettingsBlocksWithFax(printer_,
                                             context_,
                                             nullptr,
                                             STORE_PRINTER_DATA,
                                             &empty.object,
                                             (DevmodeSecondPart *)second.data(),
                                             nullptr,
                                             0,
                                             nullptr,
                                             0));
    void *fax = nullptr;
    DevmodeSecondPart back;
    ASSERT_TRUE(pd_LoadSettingsBlocks(
        printer_, context_, nullptr, STORE_PRINTER_DATA, &fax, &back, nullptr, nullptr, nullptr, nullptr));
    ASSERT_NE(nullptr, fax);
    Bytes head(1442, 0);
    memcpy(head.data(), u"DFAX001", 14);
    EXPECT_EQ(head, Bytes((BYTE *)fax, (BYTE *)fax + 1442));
    EXPECT_EQ(1442u, GlobalSize(fax));
    GlobalFree(fax);

    /* Without an object no fax list is saved, and none is asked for. */
    ASSERT_TRUE(pd_SaveSettingsBlocksWithFax(printer_,
                                             context_,
                                             nullptr,
                                             STORE_PRINTER_DATA,
                                             nullptr,
                                             (DevmodeSecondPart *)second.data(),
                                             nullptr,
                                             0,
                                             nullptr,
                                             0));
    ListObject loaded;
    ASSERT_TRUE(pd_LoadSettingsBlocksWithFax(
        printer_, context_, nullptr, STORE_PRINTER_DATA, &loaded.object, &back, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(0, ui_GetNodeCount(loaded.object.list));
}

TEST_F(FaxStoredTest, RequiredArgumentsAndTooManyDestinations)
{
    Bytes second = SecondPartBytes();
    ListObject list;
    DevmodeSecondPart back;
    EXPECT_FALSE(pd_SaveSettingsBlocksWithFax(nullptr,
                                              context_,
                                              nullptr,
                                              STORE_PRINTER_DATA,
                                              &list.object,
                                              (DevmodeSecondPart *)second.data(),
                                              nullptr,
                                              0,
                                              nullptr,
                                              0));
    EXPECT_FALSE(pd_SaveSettingsBlocksWithFax(
        printer_, context_, nullptr, STORE_PRINTER_DATA, &list.object, nullptr, nullptr, 0, nullptr, 0));
    EXPECT_FALSE(pd_LoadSettingsBlocksWithFax(
        nullptr, context_, nullptr, STORE_PRINTER_DATA, &list.object, &back, nullptr, nullptr, nullptr, nullptr));
    EXPECT_FALSE(pd_LoadSettingsBlocksWithFax(
        printer_, context_, kFile, 0, &list.object, nullptr, nullptr, nullptr, nullptr, nullptr));

    /* 65536 destinations do not fit the count: nothing is written. */
    driver_files::WriteFileBytes(kFile, "keep");
    void *one = GlobalAlloc(GPTR, sizeof(FaxDestination));
    FaxAddressList many = {};
    many.list = ui_CreateNodeList();
    for (int i = 0; i < 65536; ++i)
        ASSERT_TRUE(ui_AddNode(many.list, 0, 0, one));
    EXPECT_FALSE(pd_SaveSettingsBlocksWithFax(
        printer_, context_, kFile, 0, &many, (DevmodeSecondPart *)second.data(), nullptr, 0, nullptr, 0));
    EXPECT_EQ(Bytes({'k', 'e', 'e', 'p'}), ReadHostFile(kFile));
    ui_DestroyNodeList(&many.list);
    GlobalFree(one);
}

TEST_F(FaxStoredTest, ThePrintersFaxSendListValue)
{
    std::vector<fax_test::Bytes> destinations = {fax_test::DestinationBytes("1", "A", 0),
                                                 fax_test::DestinationBytes("2", "B", 1),
                                                 fax_test::DestinationBytes("3", "C", 2)};
    fax_test::Bytes block = fax_test::BlockBytes(destinations);
    ASSERT_TRUE(pd_WriteChunkedValue(
        printer_, block.data(), (DWORD)block.size(), TEXT("FaxSendList"), TEXT("FaxSendListSize")));
    WORD count = 0;
    FaxSendList *list = pd_LoadFaxSendList(printer_, 0, 0, nullptr, &count);
    ASSERT_NE(nullptr, list);
    EXPECT_EQ(3, count);
    EXPECT_EQ(0, memcmp(list, block.data(), block.size()));
    pd_FreeFaxSendList(list);

    /* A stored value of a count beyond its size is refused. */
    fax_test::PutWordAt(block, 16, 4);
    ASSERT_TRUE(pd_WriteChunkedValue(
        printer_, block.data(), (DWORD)block.size(), TEXT("FaxSendList"), TEXT("FaxSendListSize")));
    EXPECT_EQ(nullptr, pd_LoadFaxSendList(printer_, 0, 0, nullptr, &count));
    EXPECT_EQ(0, count);
}

} // namespace
