/*
 * The stored settings blocks: golden bytes of the settings file and of printer data,
 * round trips, optional blocks, the fax list, truncated and foreign blocks, older and
 * newer block versions.
 */
#include "core/stored/stored.h"

#include "core/stored/tests/stored_fixture.h"

#include <string.h>

namespace {

using stored_test::Bytes;
using stored_test::PutBytes;
using stored_test::PutDword;
using stored_test::PutName;
using stored_test::PutWord;

const WCHAR kFile[] = TEXT("C:\\tmp\\settings.bin");

Bytes SecondPartBytes()
{
    Bytes bytes(sizeof(DevmodeSecondPart));
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = (BYTE)(i % 251 + 1);
    bytes[0] = 0x20; /* the version word 21024 */
    bytes[1] = 0x52;
    return bytes;
}

/* A fax list block with count destinations. */
Bytes FaxList(WORD count)
{
    Bytes bytes;
    PutName(bytes, "DFAX001");
    PutWord(bytes, count);
    bytes.resize(FAX_LIST_HEAD_SIZE + FAX_DESTINATION_SIZE * count, 0x5A);
    return bytes;
}

/* The NDEV block: header with version and length, then the bytes. */
Bytes NdevBlock(DWORD version, DWORD length, const Bytes &second)
{
    Bytes bytes;
    PutName(bytes, "NDEV001");
    PutDword(bytes, version);
    PutDword(bytes, length);
    PutBytes(bytes, second.data(), second.size());
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

/* A whole settings file in file order. */
Bytes SettingsFile(const Bytes &vqb, const Bytes &sp, const Bytes &fax)
{
    Bytes bytes = NdevBlock(21024, 4268, SecondPartBytes());
    Bytes tail = InfoBlock("VQBINFO", vqb);
    bytes.insert(bytes.end(), tail.begin(), tail.end());
    tail = InfoBlock("SPINFO", sp);
    bytes.insert(bytes.end(), tail.begin(), tail.end());
    bytes.insert(bytes.end(), fax.begin(), fax.end());
    return bytes;
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

void WriteHostFile(const WCHAR *path, const Bytes &bytes)
{
    driver_files::WriteFileBytes(path, std::string(bytes.begin(), bytes.end()));
}

/* The outputs of one load, with guard bytes around the second part. */
struct Loaded {
    BYTE guarded[16 + sizeof(DevmodeSecondPart) + 16];
    void *fax = nullptr;
    void *vqb = (void *)1;
    DWORD vqbSize = 77;
    void *sp = (void *)1;
    DWORD spSize = 77;
    Loaded()
    {
        memset(guarded, 0xCD, sizeof(guarded));
    }
    ~Loaded()
    {
        GlobalFree(fax);
        GlobalFree(vqb);
        GlobalFree(sp);
    }
    DevmodeSecondPart *Second()
    {
        return (DevmodeSecondPart *)(guarded + 16);
    }
    Bytes SecondBytes()
    {
        return Bytes(guarded + 16, guarded + 16 + sizeof(DevmodeSecondPart));
    }
    bool GuardsIntact()
    {
        for (int i = 0; i < 16; ++i) {
            if (guarded[i] != 0xCD || guarded[sizeof(guarded) - 1 - i] != 0xCD)
                return false;
        }
        return true;
    }
    bool Empty()
    {
        return !fax && !vqb && vqbSize == 0 && !sp && spSize == 0;
    }
    Bytes Vqb()
    {
        return vqb ? Bytes((BYTE *)vqb, (BYTE *)vqb + vqbSize) : Bytes();
    }
    Bytes Sp()
    {
        return sp ? Bytes((BYTE *)sp, (BYTE *)sp + spSize) : Bytes();
    }
    Bytes Fax()
    {
        if (!fax)
            return Bytes();
        WORD count = *(WORD *)((BYTE *)fax + FAX_LIST_COUNT_OFFSET);
        return Bytes((BYTE *)fax, (BYTE *)fax + FAX_LIST_HEAD_SIZE + FAX_DESTINATION_SIZE * count);
    }
};

class SettingsBlocksTest : public stored_test::StoredTest
{
protected:
    BOOL LoadFile(Loaded &out, bool withFax = true)
    {
        return pd_LoadSettingsBlocks(printer_,
                                     context_,
                                     kFile,
                                     0,
                                     withFax ? &out.fax : nullptr,
                                     out.Second(),
                                     &out.vqb,
                                     &out.vqbSize,
                                     &out.sp,
                                     &out.spSize);
    }
    BOOL LoadPrinter(Loaded &out, bool withFax = true)
    {
        return pd_LoadSettingsBlocks(printer_,
                                     context_,
                                     nullptr,
                                     STORE_PRINTER_DATA,
                                     withFax ? &out.fax : nullptr,
                                     out.Second(),
                                     &out.vqb,
                                     &out.vqbSize,
                                     &out.sp,
                                     &out.spSize);
    }
};

TEST_F(SettingsBlocksTest, TheSettingsFileHoldsTheGoldenBytesAndReadsBack)
{
    Bytes second = SecondPartBytes();
    Bytes sp = {1, 2, 3};
    Bytes fax = FaxList(2);
    struct Case {
        const char *why;
        Bytes vqb;
        bool withFax;
    };
    const Case cases[] = {
        {"no VQB data: its header with length 0, SPINFO right behind it", Bytes(), false},
        {"VQB data and a fax list of two destinations", Bytes(5, 0xEE), true},
    };
    for (const Case &c : cases) {
        WriteHostFile(kFile, Bytes()); /* the caller creates the file empty */
        ASSERT_TRUE(pd_SaveSettingsBlocks(printer_,
                                          context_,
                                          kFile,
                                          0,
                                          c.withFax ? fax.data() : nullptr,
                                          c.withFax ? (DWORD)fax.size() : 0,
                                          (DevmodeSecondPart *)second.data(),
                                          c.vqb.empty() ? nullptr : c.vqb.data(),
                                          (DWORD)c.vqb.size(),
                                          sp.data(),
                                          (DWORD)sp.size()))
            << c.why;
        Bytes golden = SettingsFile(c.vqb, sp, c.withFax ? fax : Bytes());
        EXPECT_EQ(golden, ReadHostFile(kFile)) << c.why;

        Loaded loaded;
        ASSERT_TRUE(LoadFile(loaded)) << c.why;
        EXPECT_EQ(second, loaded.SecondBytes()) << c.why;
        EXPECT_EQ(c.vqb, loaded.Vqb()) << c.why;
        EXPECT_EQ(c.vqb.empty(), loaded.vqb == nullptr) << c.why;
        EXPECT_EQ(sp, loaded.Sp()) << c.why;
        EXPECT_EQ(c.withFax ? fax : Bytes(), loaded.Fax()) << c.why;
        EXPECT_TRUE(loaded.GuardsIntact()) << c.why;
    }
    /* The header bytes themselves. */
    Bytes file = ReadHostFile(kFile);
    Bytes header(file.begin(), file.begin() + 24);
    EXPECT_EQ(Bytes({'N', 0, 'D', 0, 'E', 0, 'V', 0, '0', 0, '0', 0, '1', 0, 0, 0, 0x20, 0x52, 0, 0, 0xAC, 0x10, 0, 0}),
              header);
}

TEST_F(SettingsBlocksTest, EveryTruncationOfAFileFailsCleanly)
{
    Bytes fax = FaxList(1);
    Bytes file = SettingsFile(Bytes(3, 0x11), Bytes(2, 0x22), fax);
    size_t withoutFax = file.size() - fax.size();
    DWORD blocks = qmt_LiveGlobalBlocks();
    /* Every length inside the headers and around each boundary; a stride through the
     * bytes of the second part and the fax list, where every cut fails alike. */
    std::vector<size_t> lengths;
    for (size_t length = 0; length < file.size(); ++length) {
        size_t inSecond = length >= 24 ? length - 24 : 0;
        bool bulk = (length > 40 && inSecond + 16 < 4268) || (length > withoutFax + 40 && length + 16 < file.size());
        if (!bulk || length % 61 == 0)
            lengths.push_back(length);
    }
    for (size_t length : lengths) {
        WriteHostFile(kFile, Bytes(file.begin(), file.begin() + length));
        Loaded loaded;
        BOOL ok = LoadFile(loaded);
        /* Cut right before the fax list, the file is a valid one without a list. */
        ASSERT_EQ(length == withoutFax, ok != FALSE) << length;
        ASSERT_TRUE(loaded.GuardsIntact()) << length;
        if (!ok) {
            ASSERT_TRUE(loaded.Empty()) << length;
        }
    }
    EXPECT_EQ(blocks, qmt_LiveGlobalBlocks());
}

TEST_F(SettingsBlocksTest, ForeignBlocksAreRefusedAndOutputsCleared)
{
    Bytes second = SecondPartBytes();
    Bytes sp = {9};
    struct Case {
        const char *why;
        Bytes file;
    };
    Bytes tooLong = NdevBlock(21024, 4269, second);
    tooLong.push_back(0);
    Bytes extra = SettingsFile(Bytes(1, 1), sp, FaxList(1));
    extra.push_back(0);
    Bytes badCount = SettingsFile(Bytes(1, 1), sp, FaxList(2));
    badCount.pop_back();
    Bytes renamed = SettingsFile(Bytes(1, 1), sp, Bytes());
    renamed[0] = 'M';
    const Case cases[] = {
        {"a newer block version", NdevBlock(21025, 4268, second)},
        {"a length above the second part", tooLong},
        {"another block name", renamed},
        {"a byte behind the fax list", extra},
        {"a fax count that does not match the bytes", badCount},
        {"a fax list that is no DFAX001 block", SettingsFile(Bytes(1, 1), sp, Bytes(FAX_LIST_HEAD_SIZE, 'D'))},
    };
    DWORD blocks = qmt_LiveGlobalBlocks();
    for (const Case &c : cases) {
        WriteHostFile(kFile, c.file);
        Loaded loaded;
        EXPECT_FALSE(LoadFile(loaded)) << c.why;
        EXPECT_TRUE(loaded.Empty()) << c.why;
        EXPECT_TRUE(loaded.GuardsIntact()) << c.why;
    }
    EXPECT_EQ(blocks, qmt_LiveGlobalBlocks());

    /* Without a fax list asked for, the bytes behind the blocks are not looked at. */
    WriteHostFile(kFile, extra);
    Loaded loaded;
    EXPECT_TRUE(LoadFile(loaded, false));
    /* Required arguments. */
    EXPECT_FALSE(
        pd_LoadSettingsBlocks(printer_, context_, kFile, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr));
    Loaded unsized;
    EXPECT_FALSE(pd_LoadSettingsBlocks(
        printer_, context_, kFile, 0, nullptr, unsized.Second(), &unsized.vqb, nullptr, nullptr, nullptr));
}

TEST_F(SettingsBlocksTest, AnOlderBlockIsLaidOverTheDefaults)
{
    DevmodeSecondPart defaults;
    ASSERT_TRUE(pd_MakeDefaultSecondPart(printer_, &defaults));
    Bytes old(4000, 0x77);
    Bytes file = NdevBlock(0x5100, 4000, old);
    Bytes tail = InfoBlock("VQBINFO", Bytes());
    file.insert(file.end(), tail.begin(), tail.end());
    tail = InfoBlock("SPINFO", Bytes());
    file.insert(file.end(), tail.begin(), tail.end());
    WriteHostFile(kFile, file);
    Loaded loaded;
    ASSERT_TRUE(LoadFile(loaded));
    Bytes expected(defaults.bytes, defaults.bytes + sizeof(defaults));
    std::fill(expected.begin(), expected.begin() + 4000, 0x77);
    expected[0] = 0x20; /* version word 21024 */
    expected[1] = 0x52;
    EXPECT_EQ(expected, loaded.SecondBytes());
    EXPECT_TRUE(loaded.GuardsIntact());
    EXPECT_EQ(nullptr, loaded.vqb);
    EXPECT_EQ(0u, loaded.spSize);
}

TEST_F(SettingsBlocksTest, SavingToAMissingFileFailsAndCreatesNone)
{
    Bytes second = SecondPartBytes();
    EXPECT_FALSE(pd_SaveSettingsBlocks(printer_,
                                       context_,
                                       TEXT("C:\\tmp\\missing.bin"),
                                       0,
                                       nullptr,
                                       0,
                                       (DevmodeSecondPart *)second.data(),
                                       nullptr,
                                       0,
                                       nullptr,
                                       0));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(TEXT("C:\\tmp\\missing.bin")));
    /* Data given with size 0, no second part. */
    WriteHostFile(kFile, Bytes());
    BYTE data = 1;
    EXPECT_FALSE(pd_SaveSettingsBlocks(
        printer_, context_, kFile, 0, nullptr, 0, (DevmodeSecondPart *)second.data(), &data, 0, nullptr, 0));
    EXPECT_FALSE(pd_SaveSettingsBlocks(
        printer_, context_, kFile, 0, &data, 0, (DevmodeSecondPart *)second.data(), nullptr, 0, nullptr, 0));
    EXPECT_FALSE(pd_SaveSettingsBlocks(printer_, context_, kFile, 0, nullptr, 0, nullptr, nullptr, 0, nullptr, 0));
    /* A write that fails fails the save. */
    qmt_FailWriteAt(100, FALSE, 0);
    EXPECT_FALSE(pd_SaveSettingsBlocks(
        printer_, context_, kFile, 0, nullptr, 0, (DevmodeSecondPart *)second.data(), nullptr, 0, nullptr, 0));
    qmt_ClearWriteFault();
    qmt_FailWriteAt(4300, TRUE, 0);
    EXPECT_FALSE(pd_SaveSettingsBlocks(
        printer_, context_, kFile, 0, nullptr, 0, (DevmodeSecondPart *)second.data(), nullptr, 0, nullptr, 0));
}

TEST_F(SettingsBlocksTest, PrinterDataHoldsTheBlocksAsChunkedValues)
{
    Bytes second = SecondPartBytes();
    Bytes vqb = {4, 5, 6, 7};
    Bytes fax = FaxList(1);
    ASSERT_TRUE(pd_SaveSettingsBlocks(printer_,
                                      context_,
                                      nullptr,
                                      STORE_PRINTER_DATA,
                                      fax.data(),
                                      (DWORD)fax.size(),
                                      (DevmodeSecondPart *)second.data(),
                                      vqb.data(),
                                      (DWORD)vqb.size(),
                                      nullptr,
                                      0));
    Bytes ndev = NdevBlock(21024, 4268, second);
    ndev.insert(ndev.end(), fax.begin(), fax.end());
    Bytes size;
    PutDword(size, (DWORD)ndev.size()); /* 24 + 4268 + the fax list */
    EXPECT_EQ(size, Value(TEXT("N_DevSize")));
    Bytes stored;
    for (int n = 1; n <= 9; ++n) {
        WCHAR name[16];
        wsprintfW(name, TEXT("N_Dev%d"), n);
        Bytes chunk = Value(name);
        stored.insert(stored.end(), chunk.begin(), chunk.end());
    }
    EXPECT_FALSE(HasValue(TEXT("N_Dev10")));
    EXPECT_EQ(ndev, stored);
    EXPECT_EQ(InfoBlock("VQBINFO", vqb), Value(TEXT("VQBInfo1")));
    EXPECT_EQ(InfoBlock("SPINFO", Bytes()), Value(TEXT("SPInfo1")));

    Loaded loaded;
    ASSERT_TRUE(LoadPrinter(loaded));
    EXPECT_EQ(second, loaded.SecondBytes());
    EXPECT_EQ(fax, loaded.Fax());
    EXPECT_EQ(vqb, loaded.Vqb());
    EXPECT_EQ(nullptr, loaded.sp);

    /* Missing info values give no data; a missing "N_Dev" fails. */
    DeletePrinterDataW(printer_, (LPWSTR)TEXT("VQBInfoSize"));
    Loaded withoutVqb;
    ASSERT_TRUE(LoadPrinter(withoutVqb));
    EXPECT_EQ(nullptr, withoutVqb.vqb);
    EXPECT_EQ(0u, withoutVqb.vqbSize);
    /* A read info value must parse. */
    SetPrinterDataW(printer_, (LPWSTR)TEXT("SPInfo1"), REG_BINARY, (BYTE *)"XXXXXXXXXXXXXXXXXXXX", 20);
    Loaded badSp;
    EXPECT_FALSE(LoadPrinter(badSp));
    EXPECT_TRUE(badSp.Empty());
    DeletePrinterDataW(printer_, (LPWSTR)TEXT("N_DevSize"));
    Loaded missing;
    EXPECT_FALSE(LoadPrinter(missing));
    EXPECT_TRUE(missing.Empty());

    /* Bytes behind the second part must be one whole fax list, when one is asked for. */
    ASSERT_TRUE(pd_SaveSettingsBlocks(printer_,
                                      context_,
                                      nullptr,
                                      STORE_PRINTER_DATA,
                                      fax.data(),
                                      (DWORD)fax.size() - 1,
                                      (DevmodeSecondPart *)second.data(),
                                      nullptr,
                                      0,
                                      nullptr,
                                      0));
    Loaded broken;
    EXPECT_FALSE(LoadPrinter(broken));
    EXPECT_TRUE(broken.Empty());
    Loaded noFax;
    EXPECT_TRUE(LoadPrinter(noFax, false));
    EXPECT_EQ(second, noFax.SecondBytes());

    /* Without a path only store kinds 2 and 3 are known; kind 3 goes to the per-user store. */
    EXPECT_FALSE(pd_SaveSettingsBlocks(
        printer_, context_, nullptr, 0, nullptr, 0, (DevmodeSecondPart *)second.data(), nullptr, 0, nullptr, 0));
    EXPECT_FALSE(pd_LoadSettingsBlocks(
        printer_, context_, nullptr, 1, nullptr, loaded.Second(), nullptr, nullptr, nullptr, nullptr));
}

} // namespace
