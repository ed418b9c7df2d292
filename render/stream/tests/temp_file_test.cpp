/*
 * Temporary job files: records, positions, the retry question and the clean-up.
 */
#include "render/stream/temp_file.h"

#include "render/stream/tests/output_fixture.h"

namespace output_test {
namespace {

const WCHAR kRecords[] = TEXT("Software\\Tessaly Ornet\\QM NQT Printer Driver\\TempFile");

// The record names under the TempFile key, in order.
std::vector<std::u16string> Records()
{
    std::vector<std::u16string> names;
    HKEY key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRecords, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return names;
    WCHAR name[MAX_PATH + 1];
    DWORD length = MAX_PATH + 1;
    for (DWORD i = 0; RegEnumKeyExW(key, i, name, &length, NULL, NULL, NULL, NULL) == ERROR_SUCCESS; ++i) {
        names.push_back(name);
        length = MAX_PATH + 1;
    }
    RegCloseKey(key);
    return names;
}

std::u16string RecordValue(const std::u16string &name)
{
    std::u16string key = std::u16string(kRecords) + u"\\" + name;
    WCHAR value[64] = {0};
    DWORD size = sizeof(value), type = 0;
    HKEY hkey;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &hkey) != ERROR_SUCCESS)
        return u"<none>";
    RegQueryValueExW(hkey, NULL, NULL, &type, (LPBYTE)value, &size);
    RegCloseKey(hkey);
    return value;
}

void MakeFile(LPCWSTR path, DWORD size)
{
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    std::vector<BYTE> bytes = Pattern(size);
    DWORD done;
    WriteFile(file, bytes.data(), size, &done, NULL);
    CloseHandle(file);
}

class TempFileTest : public testing::Test
{
protected:
    void SetUp() override
    {
        files_ = qmt_LiveHandles(QMT_HANDLE_FILE);
        spl_InitTempFile(&file_, FALSE, NULL);
        SYSTEMTIME pinned = {2026, 3, 0, 7, 9, 5, 4, 0};
        qmt_PinClock(&pinned);
    }
    void TearDown() override
    {
        spl_DeleteTempFile(&file_);
        qmt_PinClock(NULL);
        qmt_ClearWriteFault();
        qmt_FailWrites(0, 0);
        qmt_FailCreateFile(NULL, 0);
        qmt_RegistryDenyMachineWrites(FALSE);
        qmt_ResetMessageBoxes();
        EXPECT_EQ(qmt_LiveHandles(QMT_HANDLE_FILE), files_);
    }
    TempJobFile file_ = {};
    DWORD files_ = 0;
};

TEST_F(TempFileTest, RecordedWhileItExists)
{
    ASSERT_EQ(spl_CreateTempFile(&file_), 0);
    EXPECT_EQ(spl_IsTempFileOpen(&file_), 1);
    std::u16string path = file_.path, name = path;
    for (char16_t &c : name)
        if (c == u'\\')
            c = u'/';
    EXPECT_EQ(path.substr(0, 11), u"C:\\TEMP\\QMP");
    EXPECT_EQ(Records(), std::vector<std::u16string>{name});
    EXPECT_EQ(RecordValue(name), u"[2026,03/07,09:05:04]");
    EXPECT_EQ(spl_DeleteTempFile(&file_), 0);
    EXPECT_FALSE(Exists(path.c_str()));
    EXPECT_TRUE(Records().empty());
    EXPECT_EQ(spl_IsTempFileOpen(&file_), -1);
}

TEST_F(TempFileTest, RecordKeyNameAndCleanUpOfAMissingFile)
{
    EXPECT_EQ(spl_RecordTempFile(TEXT("C:\\Temp\\x.tmp")), 0);
    EXPECT_EQ(Records(), std::vector<std::u16string>{u"C:/Temp/x.tmp"});
    EXPECT_EQ(RecordValue(u"C:/Temp/x.tmp"), u"[2026,03/07,09:05:04]");
    EXPECT_EQ(spl_CleanUpTempFiles(), 0);
    EXPECT_TRUE(Records().empty());
}

// The clean-up: a missing file loses its record, an existing file goes with its record,
// a file another job holds keeps both.
TEST_F(TempFileTest, CleanUpTable)
{
    CreateDirectoryW(TEXT("C:\\TEMP"), NULL);
    MakeFile(TEXT("C:\\TEMP\\held.tmp"), 4);
    MakeFile(TEXT("C:\\TEMP\\left.tmp"), 4);
    for (const WCHAR *path : {TEXT("C:\\TEMP\\gone.tmp"),
                              TEXT("C:\\TEMP\\held.tmp"),
                              TEXT("C:\\TEMP\\left.tmp"),
                              TEXT("C:\\nodir\\gone.tmp")})
        ASSERT_EQ(spl_RecordTempFile(path), 0);
    HANDLE held =
        CreateFileW(TEXT("C:\\TEMP\\held.tmp"), GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(spl_CleanUpTempFiles(), 0);
    EXPECT_EQ(Records(), std::vector<std::u16string>{u"C:/TEMP/held.tmp"});
    EXPECT_TRUE(Exists(TEXT("C:\\TEMP\\held.tmp")));
    EXPECT_FALSE(Exists(TEXT("C:\\TEMP\\left.tmp")));
    CloseHandle(held);
    EXPECT_EQ(spl_CleanUpTempFiles(), 0);
    EXPECT_TRUE(Records().empty());
    EXPECT_FALSE(Exists(TEXT("C:\\TEMP\\held.tmp")));
}

TEST_F(TempFileTest, PositionsSizeAndReadLimits)
{
    ASSERT_EQ(spl_CreateTempFile(&file_), 0);
    std::vector<BYTE> bytes = Pattern(100), got(10);
    EXPECT_EQ(spl_WriteTempFile(&file_, bytes.data(), 100), 100);
    EXPECT_EQ(spl_WriteTempFile(&file_, NULL, 0), 0);
    EXPECT_EQ(spl_WriteTempFile(&file_, NULL, 1), -1);
    EXPECT_EQ(spl_GetTempFileSize(&file_), 100);
    EXPECT_EQ(spl_SeekTempFile(&file_, 95), 95);
    EXPECT_EQ(spl_ReadTempFile(&file_, got.data(), 10), -1) << "95 + 10 passes the size";
    EXPECT_EQ(spl_ReadTempFile(&file_, got.data(), 5), 5);
    EXPECT_EQ(std::vector<BYTE>(got.begin(), got.begin() + 5), std::vector<BYTE>(bytes.begin() + 95, bytes.end()));
    EXPECT_EQ(spl_SeekTempFile(&file_, 101), -1);
    EXPECT_EQ(spl_SeekTempFile(&file_, 10), 10);
    EXPECT_EQ(spl_WriteTempFile(&file_, bytes.data(), 5), 5);
    EXPECT_EQ(spl_GetTempFileSize(&file_), 100) << "the high-water mark stays";
    EXPECT_EQ(spl_SeekTempFileEnd(&file_), 100);
    EXPECT_EQ(spl_CloseTempFileFlag(&file_), 0);
    EXPECT_EQ(spl_WriteTempFile(&file_, bytes.data(), 1), -1);
    EXPECT_EQ(spl_ReadTempFile(&file_, got.data(), 1), -1);
}

// A failed write on drive d: asks with the built-in text (string 5 is missing in the
// test module) and the letter D; OK goes on with the rest, Cancel closes the file.
TEST_F(TempFileTest, WriteFailureAsksWithTheDriveLetter)
{
    ASSERT_EQ(CreateDirectoryW(TEXT("d:\\"), NULL) || GetLastError() == ERROR_ALREADY_EXISTS, true);
    file_.file = CreateFileW(TEXT("d:\\job.tmp"), GENERIC_READ | GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    lstrcpyW(file_.path, TEXT("d:\\job.tmp"));
    file_.open = 1;
    std::vector<BYTE> bytes = Pattern(300);
    qmt_FailWriteAt(100, FALSE, ERROR_DISK_FULL);
    ScriptAnswers({IDOK});
    EXPECT_EQ(spl_WriteTempFile(&file_, bytes.data(), 300), 300);
    ASSERT_EQ(qmt_MessageBoxCount(), 1u);
    std::u16string text = Box(0).text;
    EXPECT_EQ(text.find(u"\nD\u30C9\u30E9\u30A4\u30D6"), 20u) << "the letter follows the first line";
    EXPECT_EQ(text.substr(0, 5), u"\u5370\u5237\u4F5C\u696D\u30D5");
    EXPECT_EQ(std::u16string(Box(0).caption), u"Output caption");
    EXPECT_EQ(Box(0).type, (UINT)(MB_OKCANCEL | MB_ICONINFORMATION | MB_SETFOREGROUND));
    EXPECT_EQ(spl_GetTempFileSize(&file_), 300);
    std::vector<BYTE> back(300);
    spl_SeekTempFile(&file_, 0);
    EXPECT_EQ(spl_ReadTempFile(&file_, back.data(), 300), 300);
    EXPECT_EQ(back, bytes);

    qmt_FailWrites(1, ERROR_DISK_FULL);
    ScriptAnswers({IDCANCEL});
    EXPECT_EQ(spl_WriteTempFile(&file_, bytes.data(), 10), -1);
    EXPECT_EQ(spl_IsTempFileOpen(&file_), -1);
    EXPECT_EQ(spl_DeleteTempFile(&file_), 0);
}

TEST_F(TempFileTest, CreationFailures)
{
    qmt_RegistryDenyMachineWrites(TRUE);
    EXPECT_EQ(spl_CreateTempFile(&file_), 0) << "a record that fails does not stop the job";
    EXPECT_TRUE(Records().empty());
    qmt_RegistryDenyMachineWrites(FALSE);
    qmt_FailCreateFile(TEXT("\\TEMP\\QMP"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(spl_CreateTempFile(&file_), -1);
    EXPECT_EQ(file_.path[0], 0);
    EXPECT_EQ(spl_IsTempFileOpen(&file_), -1);
}

} // namespace
} // namespace output_test
