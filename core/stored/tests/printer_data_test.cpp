/*
 * The printer-data block: loading stored, older and damaged blocks, storing with the
 * default user values, GetUpgradedPrinterData, the user-mode driver value, and a second
 * process reading what the first stored.
 */
#include "core/stored/stored.h"

#include "core/handlers/setting_handlers.h"
#include "core/settings/settings.h"
#include "core/stored/tests/stored_fixture.h"
#include "core/trace/trace.h"
#include "core/user_registry/user_setting_info.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>

namespace {

using stored_test::Bytes;

class PrinterDataTest : public stored_test::StoredTest
{
protected:
    /* The default block with user values of its own and a changed device setting. */
    PrinterDataBlock UserBlock()
    {
        PrinterDataBlock block = defaults_;
        const WCHAR *name = TEXT("Alice");
        EXPECT_EQ(0, dma_SetFunctionValue(5129, nullptr, &block, VT_STRING, 50, &name));
        const WCHAR *note = TEXT("Room 12");
        EXPECT_EQ(0, dma_SetFunctionValue(5174, nullptr, &block, VT_STRING, 66, &note));
        BYTE installed = 1;
        EXPECT_EQ(0, dma_SetFunctionValue(5183, nullptr, &block, VT_BYTE, 1, &installed));
        LONG duplex = 0;
        EXPECT_EQ(0, dma_SetFunctionValue(4097, nullptr, &block, VT_LONG, 4, &duplex));
        return block;
    }
    /* The block with the description's user values. */
    PrinterDataBlock WithDefaultUserValues(PrinterDataBlock block)
    {
        UserSettingInfo record;
        EXPECT_TRUE(ureg_BuildDefaultUserSettingInfo(printer_, context_, &record));
        EXPECT_TRUE(ureg_ApplyUserSettingInfo(&block, &record, USI_ALL_PARTS));
        return block;
    }
    Bytes StoredBlock()
    {
        Bytes bytes(sizeof(PrinterDataBlock));
        DWORD size = (DWORD)bytes.size();
        if (!pd_ReadStoredValue(printer_, SVK_PRINTER_DATA, bytes.data(), &size))
            return Bytes();
        return bytes;
    }
    static Bytes AsBytes(const PrinterDataBlock &block)
    {
        return Bytes(block.bytes, block.bytes + sizeof(block));
    }
};

TEST_F(PrinterDataTest, NothingStoredGivesTheDefaults)
{
    PrinterDataBlock block;
    memset(&block, 0xAB, sizeof(block));
    DWORD blocks = qmt_LiveGlobalBlocks();
    ASSERT_TRUE(pd_LoadPrinterData(printer_, &block, context_));
    EXPECT_EQ(AsBytes(defaults_), AsBytes(block));
    EXPECT_EQ(blocks, qmt_LiveGlobalBlocks());
    EXPECT_FALSE(pd_LoadPrinterData(printer_, nullptr, context_));
    EXPECT_FALSE(pd_LoadPrinterData(printer_, &block, nullptr));

    /* The enforced special settings of the configuration file go on top. */
    driver_files::WriteFileBytes(u"C:\\drv\\QM50BASE.cfg", "[Model_50_C_1]\r\nAccountMode.enforced=option2\r\n");
    DriverContext *configured = ddd_OpenContext(printer_);
    ASSERT_NE(nullptr, configured);
    ASSERT_TRUE(pd_LoadPrinterData(printer_, &block, configured));
    ddd_CloseContext(configured);
    EXPECT_EQ(2u, (DWORD)dma_GetTypedValue(devmode_, &block, 5163, VT_BYTE));
    BYTE zero = 0;
    ASSERT_EQ(0, dma_SetFunctionValue(5163, nullptr, &block, VT_BYTE, 1, &zero));
    EXPECT_EQ(AsBytes(defaults_), AsBytes(block));
}

TEST_F(PrinterDataTest, StoringKeepsTheDefaultUserValuesInPrinterData)
{
    PrinterDataBlock block = UserBlock();
    const PrinterDataBlock original = block;
    ASSERT_TRUE(pd_StorePrinterData(printer_, &block, context_, 1));
    EXPECT_EQ(AsBytes(original), AsBytes(block));
    EXPECT_EQ(AsBytes(WithDefaultUserValues(original)), StoredBlock());

    /* Loading gives the stored device settings with the user's record (here the defaults). */
    PrinterDataBlock loaded;
    ASSERT_TRUE(pd_LoadPrinterData(printer_, &loaded, context_));
    EXPECT_EQ(AsBytes(WithDefaultUserValues(original)), AsBytes(loaded));
    EXPECT_EQ(0, dma_GetTypedValue(devmode_, &loaded, 4097, VT_LONG));

    /* A failing write fails the store and leaves the caller's block as it was. */
    qmt_SpoolerFailSetPrinterData(2, ERROR_DISK_FULL);
    EXPECT_FALSE(pd_StorePrinterData(printer_, &block, context_, 1));
    EXPECT_EQ(AsBytes(original), AsBytes(block));
    qmt_SpoolerReset();

    /* Store flag 0 stores nothing but still sets the user-mode driver value. */
    DeletePrinterDataW(printer_, (LPWSTR)TEXT("SPLUserModePrinterDriver"));
    EXPECT_FALSE(pd_StorePrinterData(printer_, &block, context_, 0));
    Bytes value = Value(TEXT("SPLUserModePrinterDriver"));
    ASSERT_EQ(20u, value.size());
    EXPECT_EQ(u"Series 50", std::u16string((const WCHAR *)value.data()));
}

TEST_F(PrinterDataTest, OlderDamagedAndForeignBlocks)
{
    PrinterDataBlock user = UserBlock();
    struct Case {
        const char *why;
        WORD layout;          /* 8203 */
        WORD version;         /* 8204 */
        bool damage;          /* a chunk missing */
        bool keepsUserValues; /* else the defaults */
    };
    static const Case cases[] = {
        /* An older block keeps its own user values and moves them into the user's store,
         * from where the current blocks below take them. */
        {"block of a driver before the user store", 8644, 16388, false, true},
        {"current block: the user's record (moved there above) applied", 8644, 21024, false, true},
        {"another layout: copied with the current layout and the user's record", 8000, 21024, false, true},
        {"a chunk missing: the defaults", 8644, 21024, true, false},
    };
    for (const Case &c : cases) {
        PrinterDataBlock stored = user;
        WORD layout = c.layout;
        WORD version = c.version;
        ASSERT_EQ(0, dma_SetFunctionValue(8203, nullptr, &stored, VT_WORD, 2, &layout));
        ASSERT_EQ(0, dma_SetFunctionValue(8204, nullptr, &stored, VT_WORD, 2, &version));
        ASSERT_TRUE(pd_WriteStoredValue(printer_, &stored, sizeof(stored), SVK_PRINTER_DATA));
        if (c.damage)
            DeletePrinterDataW(printer_, (LPWSTR)TEXT("PrinterData3"));
        PrinterDataBlock loaded;
        ASSERT_TRUE(pd_LoadPrinterData(printer_, &loaded, context_)) << c.why;
        if (c.keepsUserValues) {
            PrinterDataBlock expected = stored;
            WORD current = 8644;
            ASSERT_EQ(0, dma_SetFunctionValue(8203, nullptr, &expected, VT_WORD, 2, &current));
            EXPECT_EQ(AsBytes(expected), AsBytes(loaded)) << c.why;
        } else
            EXPECT_EQ(AsBytes(defaults_), AsBytes(loaded)) << c.why;
    }
}

TEST_F(PrinterDataTest, GetUpgradedPrinterDataAnswersSizeAndBlock)
{
    driver_files::WriteFileBytes(u"C:\\drv\\qmkelv.cfg", "[LOG]\r\nLog=0x3\r\n");
    trc_Initialize();
    DWORD size = 0;
    EXPECT_TRUE(GetUpgradedPrinterData(printer_, nullptr, &size, 0));
    EXPECT_EQ(5452u, size);
    size = 100;
    EXPECT_FALSE(GetUpgradedPrinterData(printer_, nullptr, &size, 0));
    EXPECT_EQ(100u, size);
    Bytes buffer(5452);
    size = 5451;
    EXPECT_FALSE(GetUpgradedPrinterData(printer_, buffer.data(), &size, 0));
    SetLastError(0);
    EXPECT_FALSE(GetUpgradedPrinterData(printer_, buffer.data(), nullptr, 0));
    EXPECT_EQ((DWORD)ERROR_INVALID_PARAMETER, GetLastError());
    size = 5452;
    ASSERT_TRUE(GetUpgradedPrinterData(printer_, buffer.data(), &size, 0));
    EXPECT_EQ(AsBytes(defaults_), buffer);

    HANDLE file = CreateFileW(TEXT("C:\\DEBUG_LOG\\WIN2000\\STORED_TEST_LOG.txt"),
                              GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr,
                              OPEN_EXISTING,
                              0,
                              nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    std::string log(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ReadFile(file, log.data(), (DWORD)log.size(), &read, nullptr);
    CloseHandle(file);
    EXPECT_NE(std::string::npos, log.find("IN <<GetUpgradedPrinterData\nOUT>>GetUpgradedPrinterData RetValue = 1\n"));
    EXPECT_NE(std::string::npos, log.find("OUT>>GetUpgradedPrinterData RetValue = 0\n"));
    DeleteFileW(TEXT("C:\\drv\\qmkelv.cfg"));
    trc_Initialize();
}

/* What the first process stores, compared byte for byte by the second. */
Bytes PersistSecondPart()
{
    Bytes bytes(sizeof(DevmodeSecondPart));
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = (BYTE)(i * 31 + 7);
    bytes[0] = 0x20;
    bytes[1] = 0x52;
    return bytes;
}

TEST_F(PrinterDataTest, ASecondProcessReadsWhatTheFirstStored)
{
    PrinterDataBlock block = UserBlock();
    ASSERT_TRUE(pd_StorePrinterData(printer_, &block, context_, 1));
    Bytes second = PersistSecondPart();
    Bytes vqb = {1, 2, 3};
    ASSERT_TRUE(pd_SaveSettingsBlocks(printer_,
                                      context_,
                                      nullptr,
                                      STORE_PRINTER_DATA,
                                      nullptr,
                                      0,
                                      (DevmodeSecondPart *)second.data(),
                                      vqb.data(),
                                      3,
                                      nullptr,
                                      0));
    Bytes expected = AsBytes(WithDefaultUserValues(block));
    driver_files::WriteFileBytes(u"C:\\tmp\\expected.bin", std::string(expected.begin(), expected.end()));

    std::string self = testing::internal::GetArgvs()[0];
    std::string command = "QM_PERSIST_ROOT='" + std::string(getenv("QM_ROOT")) + "' '" + self +
                          "' --gtest_filter=PrinterDataTest.ReadBackInASecondProcess 2>&1";
    FILE *child = popen(command.c_str(), "r");
    ASSERT_NE(nullptr, child);
    std::string output;
    char line[512];
    while (fgets(line, sizeof(line), child))
        output += line;
    int status = pclose(child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << output;
    EXPECT_NE(std::string::npos, output.find("[  PASSED  ] 1 test")) << output;
    EXPECT_EQ(std::string::npos, output.find("SKIPPED")) << output;
}

TEST_F(PrinterDataTest, ReadBackInASecondProcess)
{
    const char *root = getenv("QM_PERSIST_ROOT");
    if (!root)
        GTEST_SKIP() << "run by ASecondProcessReadsWhatTheFirstStored";
    ddd_CloseContext(context_);
    ClosePrinter(printer_);
    context_ = nullptr;
    setenv("QM_ROOT", root, 1);
    qmt_ResetRoot();
    ASSERT_TRUE(OpenPrinterW((LPWSTR)TEXT("Stored"), &printer_, nullptr));
    context_ = ddd_OpenContext(printer_);
    ASSERT_NE(nullptr, context_);

    HANDLE file =
        CreateFileW(TEXT("C:\\tmp\\expected.bin"), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    Bytes expected(sizeof(PrinterDataBlock));
    DWORD read = 0;
    ReadFile(file, expected.data(), (DWORD)expected.size(), &read, nullptr);
    CloseHandle(file);
    EXPECT_EQ(expected, StoredBlock());

    BYTE guarded[sizeof(DevmodeSecondPart)];
    void *vqb = nullptr;
    DWORD vqbSize = 0;
    ASSERT_TRUE(pd_LoadSettingsBlocks(printer_,
                                      context_,
                                      nullptr,
                                      STORE_PRINTER_DATA,
                                      nullptr,
                                      (DevmodeSecondPart *)guarded,
                                      &vqb,
                                      &vqbSize,
                                      nullptr,
                                      nullptr));
    EXPECT_EQ(PersistSecondPart(), Bytes(guarded, guarded + sizeof(guarded)));
    EXPECT_EQ(Bytes({1, 2, 3}), Bytes((BYTE *)vqb, (BYTE *)vqb + vqbSize));
    GlobalFree(vqb);
}

} // namespace
