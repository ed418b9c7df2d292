/*
 * The direct fax's temporary file records: registering (top-level window, no duplicates,
 * the first free number) and purging (gone files, live windows, age, files the driver did
 * not make, locked files, broken records).
 */
#include "core/directfax/direct_fax.h"

#include "core/user_registry/tests/favorites_fixture.h"

extern "C" LPCWSTR WINAPI trc_GetLogFileName(void)
{
    return TEXT("\\DIRECT_FAX_TEST_LOG.txt");
}

#include <utility>

namespace {

using namespace favorites_test;

const WCHAR kKeyA[] = TEXT("Software\\Qm\\Model 50\\DirectFax\\TempFile");
const WCHAR kKeyB[] = TEXT("Software\\Qm\\Model 50\\Options\\TempFile");

class DirectFaxTest : public StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        CreateDirectoryW(TEXT("C:\\tmp"), nullptr);
        /* A sheet window and a page inside it, each of its own module's class. */
        for (const auto &c :
             {std::make_pair(TEXT("Sheet"), (HINSTANCE)0x4000), std::make_pair(TEXT("Page"), (HINSTANCE)0x5000)}) {
            WNDCLASSW wc = {};
            wc.lpfnWndProc = DefWindowProcW;
            wc.hInstance = c.second;
            wc.lpszClassName = c.first;
            RegisterClassW(&wc);
        }
        top_ = CreateWindowExW(0, TEXT("Sheet"), TEXT(""), 0, 0, 0, 1, 1, nullptr, nullptr, (HINSTANCE)0x4000, nullptr);
        child_ =
            CreateWindowExW(0, TEXT("Page"), TEXT(""), WS_CHILD, 0, 0, 1, 1, top_, nullptr, (HINSTANCE)0x5000, nullptr);
        ASSERT_NE(nullptr, child_);
    }
    void TearDown() override
    {
        qmt_FailCreateFile(nullptr, 0);
        qmt_FailRegistryValue(nullptr, 0);
        DestroyWindow(top_);
        StoreTest::TearDown();
    }
    /* A file of the given age in days. */
    static void MakeFile(const WCHAR *path, int days)
    {
        HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, file);
        FILETIME now;
        GetSystemTimeAsFileTime(&now);
        ULONGLONG ticks =
            ((ULONGLONG)now.dwHighDateTime << 32 | now.dwLowDateTime) - (ULONGLONG)days * 24 * 3600 * 10000000ULL;
        FILETIME then = {(DWORD)ticks, (DWORD)(ticks >> 32)};
        ASSERT_TRUE(SetFileTime(file, nullptr, nullptr, &then));
        CloseHandle(file);
    }
    static bool Exists(const WCHAR *path)
    {
        return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
    }
    /* The value names of a key, or none when it is missing. */
    static std::vector<std::u16string> Records(const WCHAR *path)
    {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
            return {};
        std::vector<std::u16string> names = ValueNames(key);
        RegCloseKey(key);
        return names;
    }
    /* Writes a record (or any bytes) into a key. */
    static void Put(const WCHAR *path, const WCHAR *name, const void *data, DWORD size, DWORD type = REG_BINARY)
    {
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS,
                  RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
        ASSERT_EQ(ERROR_SUCCESS, RegSetValueExW(key, name, 0, type, (const BYTE *)data, size));
        RegCloseKey(key);
    }
    static DirectFaxRecord Record(const WCHAR *file, HWND window, HINSTANCE instance)
    {
        DirectFaxRecord record;
        memset(&record, 0, sizeof(record));
        lstrcpynW(record.path, file, DFAX_PATH_CHARS);
        record.window = window;
        record.instance = instance;
        return record;
    }
    HWND top_ = nullptr;
    HWND child_ = nullptr;
};

TEST(DirectFaxNames, ThePrefix)
{
    EXPECT_TRUE(ureg_IsDirectFaxValueName(TEXT("DFaxInfo_1")));
    EXPECT_TRUE(ureg_IsDirectFaxValueName(TEXT("DFaxInfo_")));
    EXPECT_FALSE(ureg_IsDirectFaxValueName(TEXT("DFaxInfo")));
    EXPECT_FALSE(ureg_IsDirectFaxValueName(TEXT("dfaxinfo_1")));
    EXPECT_FALSE(ureg_IsDirectFaxValueName(nullptr));
}

TEST_F(DirectFaxTest, RegisteringTakesTheTopWindowOnceAndTheFirstFreeNumber)
{
    MakeFile(TEXT("C:\\tmp\\QMF1A.tmp"), 0);
    ASSERT_TRUE(ureg_RegisterDirectFaxTempFile(context_, child_, TEXT("C:\\tmp\\QMF1A.tmp"), 0));
    ASSERT_TRUE(ureg_RegisterDirectFaxTempFile(context_, child_, TEXT("c:\\TMP\\qmf1a.TMP"), 0));
    EXPECT_EQ((std::vector<std::u16string>{u"DFaxInfo_1"}), Records(kKeyB));
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CURRENT_USER, kKeyB, 0, KEY_READ, &key));
    DirectFaxRecord record;
    DWORD size = sizeof(record);
    ASSERT_EQ(ERROR_SUCCESS, RegQueryValueExW(key, TEXT("DFaxInfo_1"), nullptr, nullptr, (BYTE *)&record, &size));
    RegCloseKey(key);
    EXPECT_EQ(top_, record.window);
    EXPECT_EQ((HINSTANCE)0x4000, record.instance);
    EXPECT_EQ(0u, record.zero);

    /* With 1 and 3 present the next record takes 2. */
    MakeFile(TEXT("C:\\tmp\\QMF3.tmp"), 0);
    DirectFaxRecord third = Record(TEXT("C:\\tmp\\QMF3.tmp"), top_, (HINSTANCE)0x4000);
    Put(kKeyB, TEXT("DFaxInfo_3"), &third, sizeof(third));
    MakeFile(TEXT("C:\\tmp\\QMF2.tmp"), 0);
    ASSERT_TRUE(ureg_RegisterDirectFaxTempFile(context_, top_, TEXT("C:\\tmp\\QMF2.tmp"), 0));
    EXPECT_EQ((std::vector<std::u16string>{u"DFaxInfo_1", u"DFaxInfo_3", u"DFaxInfo_2"}), Records(kKeyB));

    std::u16string tooLong(DFAX_PATH_CHARS, u'a');
    EXPECT_FALSE(ureg_RegisterDirectFaxTempFile(context_, top_, (LPCWSTR)tooLong.c_str(), 0));
}

TEST_F(DirectFaxTest, PurgingKeepsLiveOrYoungFilesAndDropsTheRest)
{
    struct Case {
        const WCHAR *name;
        const WCHAR *file;
        int days; /* -1: no file */
        bool liveWindow;
        bool recordStays;
        bool fileStays;
    };
    const Case cases[] = {
        {TEXT("DFaxInfo_1"), TEXT("C:\\tmp\\QMF01.tmp"), -1, true, false, false}, /* deleted by hand */
        {TEXT("DFaxInfo_2"), TEXT("C:\\tmp\\QMF02.tmp"), 8, true, true, true},    /* a live window */
        {TEXT("DFaxInfo_3"), TEXT("C:\\tmp\\QMF03.tmp"), 1, false, true, true},   /* young */
        {TEXT("DFaxInfo_4"), TEXT("C:\\tmp\\qmf0a.TMP"), 8, false, false, false}, /* old, closed */
        {TEXT("DFaxInfo_5"), TEXT("C:\\tmp\\qmfdp.tmp"), 8, false, false, false},
        {TEXT("DFaxInfo_6"), TEXT("C:\\tmp\\settings.ini"), 8, false, false, true}, /* not the driver's */
        {TEXT("DFaxInfo_7"), TEXT("C:\\tmp\\QMFxyz.tmp"), 8, false, false, true},
        {TEXT("Other"), TEXT("C:\\tmp\\QMF08.tmp"), -1, false, true, false}, /* not a record */
    };
    HWND closed = (HWND)0x7777;
    for (const Case &c : cases) {
        if (c.days >= 0)
            MakeFile(c.file, c.days);
        DirectFaxRecord record = Record(c.file, c.liveWindow ? top_ : closed, (HINSTANCE)0x4000);
        Put(kKeyA, c.name, &record, sizeof(record));
    }
    ureg_PurgeDirectFaxTempFiles(context_, nullptr, nullptr);
    std::vector<std::u16string> left = Records(kKeyA);
    for (const Case &c : cases) {
        bool listed = false;
        for (const std::u16string &name : left)
            listed = listed || name == std::u16string((const char16_t *)c.name);
        EXPECT_EQ(c.recordStays, listed) << (int)(&c - cases);
        if (c.days >= 0) {
            EXPECT_EQ(c.fileStays, Exists(c.file));
        }
    }
    EXPECT_EQ(3u, left.size());

    /* The window closes: the old file goes with its record. */
    DestroyWindow(top_);
    top_ = nullptr;
    ureg_PurgeDirectFaxTempFiles(context_, nullptr, nullptr);
    EXPECT_FALSE(Exists(TEXT("C:\\tmp\\QMF02.tmp")));
    EXPECT_EQ(2u, Records(kKeyA).size());
}

TEST_F(DirectFaxTest, LockedFilesAndBrokenRecords)
{
    MakeFile(TEXT("C:\\tmp\\QMF10.tmp"), 8);
    DirectFaxRecord locked = Record(TEXT("C:\\tmp\\QMF10.tmp"), nullptr, nullptr);
    Put(kKeyB, TEXT("DFaxInfo_1"), &locked, sizeof(locked));
    qmt_FailCreateFile(TEXT("QMF10"), ERROR_SHARING_VIOLATION);
    ureg_PurgeDirectFaxTempFiles(context_, nullptr, nullptr);
    EXPECT_EQ(1u, Records(kKeyB).size());
    qmt_FailCreateFile(nullptr, 0);

    /* Another size, an unterminated path, another type: deleted, no file touched. */
    MakeFile(TEXT("C:\\tmp\\QMF11.tmp"), 8);
    DirectFaxRecord unterminated = Record(TEXT(""), nullptr, nullptr);
    for (int i = 0; i < DFAX_PATH_CHARS; ++i)
        unterminated.path[i] = 'A';
    std::vector<BYTE> shortValue(100, 0);
    std::vector<BYTE> longValue(sizeof(DirectFaxRecord) + 8, 0);
    memcpy(shortValue.data(), u"C:\\tmp\\QMF11.tmp", 34);
    memcpy(longValue.data(), u"C:\\tmp\\QMF11.tmp", 34);
    Put(kKeyB, TEXT("DFaxInfo_2"), shortValue.data(), 100);
    Put(kKeyB, TEXT("DFaxInfo_3"), longValue.data(), (DWORD)longValue.size());
    Put(kKeyB, TEXT("DFaxInfo_4"), &unterminated, sizeof(unterminated));
    Put(kKeyB, TEXT("DFaxInfo_5"), u"C:\\tmp\\QMF11.tmp", 34, REG_SZ);
    ureg_PurgeDirectFaxTempFiles(context_, nullptr, nullptr);
    EXPECT_EQ((std::vector<std::u16string>{}), Records(kKeyB));
    EXPECT_TRUE(Exists(TEXT("C:\\tmp\\QMF11.tmp")));
    EXPECT_FALSE(Exists(TEXT("C:\\tmp\\QMF10.tmp")));

    /* A record that cannot be deleted stays; the walk goes on past it and ends. */
    MakeFile(TEXT("C:\\tmp\\QMF13.tmp"), 8);
    DirectFaxRecord stuck = Record(TEXT("C:\\tmp\\QMF13.tmp"), nullptr, nullptr);
    DirectFaxRecord after = Record(TEXT("C:\\tmp\\QMF14.tmp"), nullptr, nullptr);
    Put(kKeyB, TEXT("DFaxInfo_1"), &stuck, sizeof(stuck));
    Put(kKeyB, TEXT("DFaxInfo_2"), &after, sizeof(after));
    qmt_FailRegistryValue(TEXT("DFaxInfo_1"), ERROR_ACCESS_DENIED);
    ureg_PurgeDirectFaxTempFiles(context_, nullptr, nullptr);
    qmt_FailRegistryValue(nullptr, 0);
    EXPECT_EQ((std::vector<std::u16string>{u"DFaxInfo_1"}), Records(kKeyB));
    EXPECT_TRUE(Exists(TEXT("C:\\tmp\\QMF13.tmp"))); /* its record still names it */
    ureg_PurgeDirectFaxTempFiles(context_, nullptr, nullptr);
    EXPECT_TRUE(Records(kKeyB).empty());
    EXPECT_FALSE(Exists(TEXT("C:\\tmp\\QMF13.tmp")));

    /* Given bases replace the description's. */
    DirectFaxRecord gone = Record(TEXT("C:\\tmp\\QMF12.tmp"), nullptr, nullptr);
    Put(TEXT("Software\\Mine\\DirectFax\\TempFile"), TEXT("DFaxInfo_1"), &gone, sizeof(gone));
    Put(kKeyA, TEXT("DFaxInfo_1"), &gone, sizeof(gone));
    ureg_PurgeDirectFaxTempFiles(context_, TEXT("Software\\Mine"), nullptr);
    EXPECT_TRUE(Records(TEXT("Software\\Mine\\DirectFax\\TempFile")).empty());
    EXPECT_EQ(1u, Records(kKeyA).size());
}

} // namespace
